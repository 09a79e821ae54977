#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QString>
#include <array>
#include <vector>

#include "RunningProgram.h"
#include "TenfoldData.h"
#include "foods/NutrientOffset.h"
#include "foods/frmIdxN.h"
#include "frame/core.h"
#include "runtime/Convert.h"

// The nutrient index ranks every food by a nutrient: the richest first, across all categories.
// Each window benchmark has the window do it (query, decoding, formatting, the list filled and
// the note shown); its raw twin finds the nutrient's code and reads its nutrient rows through
// the index on their real code with the bare SQLite C API, keeping the same texts, so that the
// ratio is what the data and window layers add. The first pair ranks the delivered foods by
// protein, the second the food table grown tenfold by iron.

namespace {

const QString kProtein = QStringLiteral("PROTEIN");
const QString kIron = QStringLiteral("IRON");

// The program started on the delivered data file or a person's own, the index open on the nutrient
// and ranked by value, for as long as the object lives.
class RankedIndex {
  public:
    RankedIndex(const QString& nutrient, const QString& ownDataFile) : program_(ownDataFile) {
        form_ = &frmIdxN::instance();
        form_->Show();
        if (nutrient != kProtein) {
            form_->LstView.clickItem(nutrient);
        }
        // The first click on VALUE ranks the largest values first.
        form_->LView.clickHeader(QStringLiteral("d"));
    }
    frmIdxN& form() { return *form_; }

  private:
    bench::RunningProgram program_;
    frmIdxN* form_ = nullptr;
};

void rankFoods(benchmark::State& state, const QString& nutrient, const QString& ownDataFile,
               int leastFoods) {
    RankedIndex index(nutrient, ownDataFile);
    frmIdxN& f = index.form();
    if (f.LstView.SelectedItem() == nullptr || f.LstView.SelectedItem()->Text() != nutrient ||
        f.LView.ListItems.Count() < leastFoods) {
        state.SkipWithError("the index did not rank the foods");
        return;
    }
    for (auto _ : state) {
        f.ClickonListview();
        benchmark::DoNotOptimize(f.LView.ListItems.Count());
    }
    state.SetItemsProcessed(state.iterations() * f.LView.ListItems.Count());
}

QString text(sqlite3_stmt* statement, int column) {
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, column)),
                             sqlite3_column_bytes(statement, column));
}

// The nutrient's code, then its rows by their real code, ranked.
void rawRankFoods(benchmark::State& state, const QString& nutrient, const QString& ownDataFile) {
    RankedIndex index(nutrient, ownDataFile);
    namespace off = foods::NutrientOffset;
    const QByteArray sql = QStringLiteral(
                               "SELECT food.foodname, cat.cname, %1 AS value, "
                               "foodN1.unit_tp FROM foodN1 "
                               "JOIN food ON food.foodid = foodN1.foodid "
                               "JOIN cat ON cat.cid = food.cid "
                               "WHERE %2 = ? ORDER BY value DESC")
                               .arg(off::valueSql(), off::realCodeSql())
                               .toUtf8();
    const QByteArray name = nutrient.toUtf8();
    sqlite3* handle = core::cn.handle();
    qsizetype rows = 0;
    for (auto _ : state) {
        sqlite3_stmt* code = nullptr;
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(handle, "SELECT nutri_cd FROM nutri WHERE nname = ?", -1, &code,
                               nullptr) != SQLITE_OK ||
            sqlite3_prepare_v2(handle, sql.constData(), -1, &statement, nullptr) != SQLITE_OK) {
            sqlite3_finalize(code);
            state.SkipWithError("prepare failed");
            return;
        }
        sqlite3_bind_text(code, 1, name.constData(), static_cast<int>(name.size()), SQLITE_STATIC);
        if (sqlite3_step(code) != SQLITE_ROW) {
            sqlite3_finalize(code);
            sqlite3_finalize(statement);
            state.SkipWithError("no such nutrient");
            return;
        }
        sqlite3_bind_int(statement, 1, sqlite3_column_int(code, 0));
        sqlite3_finalize(code);
        std::vector<std::array<QString, 4>> list;
        while (sqlite3_step(statement) == SQLITE_ROW) {
            list.push_back(
                {text(statement, 0), text(statement, 1),
                 rt::Format(sqlite3_column_double(statement, 2), QStringLiteral("###0.00")),
                 text(statement, 3)});
        }
        sqlite3_finalize(statement);
        rows = static_cast<qsizetype>(list.size());
        benchmark::DoNotOptimize(list.data());
    }
    state.SetItemsProcessed(state.iterations() * rows);
}

void BM_RankFoodsByNutrient(benchmark::State& state) {
    rankFoods(state, kProtein, QString(), 500);
}
BENCHMARK(BM_RankFoodsByNutrient)->Unit(benchmark::kMillisecond);

void BM_RawRankFoodsByNutrient(benchmark::State& state) {
    rawRankFoods(state, kProtein, QString());
}
BENCHMARK(BM_RawRankFoodsByNutrient)->Unit(benchmark::kMillisecond);

void BM_TenfoldNutrientIndex(benchmark::State& state) {
    rankFoods(state, kIron, bench::Tenfold(1000).path(), bench::TenfoldData::kFoods);
}
BENCHMARK(BM_TenfoldNutrientIndex)->Unit(benchmark::kMillisecond);

void BM_RawTenfoldNutrientIndex(benchmark::State& state) {
    rawRankFoods(state, kIron, bench::Tenfold(1000).path());
}
BENCHMARK(BM_RawTenfoldNutrientIndex)->Unit(benchmark::kMillisecond);

}  // namespace
