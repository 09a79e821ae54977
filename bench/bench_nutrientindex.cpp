#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QCoreApplication>
#include <QString>
#include <QTemporaryDir>
#include <array>
#include <vector>

#include "ProgramFolder.h"
#include "foods/NutrientOffset.h"
#include "foods/frmIdxN.h"
#include "frame/core.h"
#include "runtime/App.h"
#include "runtime/Convert.h"
#include "ui/Form.h"
#include "ui/QtHost.h"

// The nutrient index ranks every food of the delivered data file by a nutrient: the richest
// in protein first, across all categories. The first benchmark has the window do it (query,
// decoding, formatting, the list filled and the note shown); the second runs the same query
// through the bare SQLite C API and keeps the same texts, so their ratio is what the data and
// window layers add.

namespace {

const QString kNutrient = QStringLiteral("PROTEIN");

// The program started on a copy of the delivered data file, the index open and ranked by
// value, for as long as the object lives.
class RankedIndex {
  public:
    RankedIndex() {
        bench::UseProgramFolder(dir_.path());
        core::Main();
        form_ = &frmIdxN::instance();
        form_->Show();
        // The first click on VALUE ranks the largest values first.
        form_->LView.clickHeader(QStringLiteral("d"));
    }
    // The program is forgotten again, so that no window outlives the run.
    ~RankedIndex() {
        ui::Forms::discardAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        core::ReleaseAll();
        rt::App::releaseInstanceLock();
    }
    RankedIndex(const RankedIndex&) = delete;
    RankedIndex& operator=(const RankedIndex&) = delete;
    frmIdxN& form() { return *form_; }

  private:
    QTemporaryDir dir_;
    ui::QtHost host_;
    frmIdxN* form_ = nullptr;
};

void BM_RankFoodsByNutrient(benchmark::State& state) {
    RankedIndex index;
    frmIdxN& f = index.form();
    if (f.LstView.SelectedItem() == nullptr || f.LstView.SelectedItem()->Text() != kNutrient ||
        f.LView.ListItems.Count() < 500) {
        state.SkipWithError("the index did not rank the foods");
        return;
    }
    for (auto _ : state) {
        f.ClickonListview();
        benchmark::DoNotOptimize(f.LView.ListItems.Count());
    }
    state.SetItemsProcessed(state.iterations() * f.LView.ListItems.Count());
}
BENCHMARK(BM_RankFoodsByNutrient)->Unit(benchmark::kMillisecond);

void BM_RawRankFoodsByNutrient(benchmark::State& state) {
    RankedIndex index;
    namespace off = foods::NutrientOffset;
    const QByteArray sql =
        QStringLiteral(
            "SELECT food.foodname, cat.cname, %1 AS value, foodN1.unit_tp "
            "FROM nutri JOIN foodN1 ON %2 = nutri.nutri_cd "
            "JOIN food ON food.foodid = foodN1.foodid JOIN cat ON cat.cid = food.cid "
            "WHERE nutri.nname = ? ORDER BY value DESC")
            .arg(off::valueSql(), off::realCodeSql())
            .toUtf8();
    const QByteArray nutrient = kNutrient.toUtf8();
    sqlite3* handle = core::cn.handle();
    auto text = [](sqlite3_stmt* statement, int column) {
        return QString::fromUtf8(
            reinterpret_cast<const char*>(sqlite3_column_text(statement, column)),
            sqlite3_column_bytes(statement, column));
    };
    qsizetype rows = 0;
    for (auto _ : state) {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(handle, sql.constData(), -1, &statement, nullptr) != SQLITE_OK) {
            state.SkipWithError("prepare failed");
            return;
        }
        sqlite3_bind_text(statement, 1, nutrient.constData(), static_cast<int>(nutrient.size()),
                          SQLITE_STATIC);
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
BENCHMARK(BM_RawRankFoodsByNutrient)->Unit(benchmark::kMillisecond);

}  // namespace
