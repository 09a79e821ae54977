#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "RunningProgram.h"
#include "TenfoldData.h"
#include "foods/NutrientOffset.h"
#include "foods/frmfdN.h"
#include "frame/core.h"

// The food nutrients window is the look-up a dietitian uses all day: the food list of a
// category in a language, and the nutrients of the chosen food. Each figure is set beside the
// same rows read through the bare SQLite C API into plain strings, so that the ratio is what
// the data layer and the list view add. The food list is measured on the delivered foods and on
// the food table grown tenfold.

namespace {

// The program started on the delivered data file or a person's own, with the nutrients window
// loaded on "ALL FOODS" in Hindi, for as long as the object lives. The window is not shown: the
// figures are the window's own work, not the painting of the screen.
class FoodNutrients {
  public:
    explicit FoodNutrients(const QString& ownDataFile = {}) : program_(ownDataFile) {
        core::SaveOption(QStringLiteral("language"), QStringLiteral("Hindi"));
        core::SaveOption(QStringLiteral("ctb"), QStringLiteral("ALL FOODS"));
        form_ = &frmfdN::instance();
    }
    frmfdN& form() { return *form_; }

  private:
    bench::RunningProgram program_;
    frmfdN* form_ = nullptr;
};

// The statement the window runs for that list, which reads the foods in the order of their ids.
const char* const kAllFoodsInHindi =
    "SELECT food.foodid, food.foodname, cat.cname, lang.foodlangname FROM food "
    "JOIN cat ON cat.cid = food.cid JOIN lang ON lang.foodid = food.foodid "
    "JOIN langcat ON langcat.langid = lang.langid AND langcat.langname = ? "
    "WHERE food.foodid <> -1 ORDER BY food.foodid";

std::string column(sqlite3_stmt* statement, int i) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, i));
    return text != nullptr
               ? std::string(text, static_cast<size_t>(sqlite3_column_bytes(statement, i)))
               : std::string();
}

// Choosing the category again re-lists the foods, as Go does.
void fillFoodList(benchmark::State& state, const QString& ownDataFile) {
    FoodNutrients window(ownDataFile);
    frmfdN& f = window.form();
    for (auto _ : state) {
        f.cmbCat.setListIndex(0);
        benchmark::DoNotOptimize(f.LstView.ListItems(1).Text());
    }
    state.counters["foods"] = f.LstView.ListItems.Count();
}

void rawFoodList(benchmark::State& state, const QString& ownDataFile) {
    FoodNutrients window(ownDataFile);
    sqlite3* handle = core::cn.handle();
    size_t foods = 0;
    for (auto _ : state) {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(handle, kAllFoodsInHindi, -1, &statement, nullptr) != SQLITE_OK) {
            state.SkipWithError("prepare failed");
            return;
        }
        sqlite3_bind_text(statement, 1, "Hindi", -1, SQLITE_STATIC);
        std::vector<std::array<std::string, 4>> rows;
        while (sqlite3_step(statement) == SQLITE_ROW) {
            rows.push_back({column(statement, 0), column(statement, 1), column(statement, 2),
                            column(statement, 3)});
        }
        sqlite3_finalize(statement);
        foods = rows.size();
        benchmark::DoNotOptimize(rows.data());
    }
    state.counters["foods"] = static_cast<double>(foods);
}

void BM_FoodListAllFoods(benchmark::State& state) {
    fillFoodList(state, QString());
}
BENCHMARK(BM_FoodListAllFoods)->Unit(benchmark::kMillisecond);

void BM_RawFoodListAllFoods(benchmark::State& state) {
    rawFoodList(state, QString());
}
BENCHMARK(BM_RawFoodListAllFoods)->Unit(benchmark::kMillisecond);

void BM_TenfoldFoodList(benchmark::State& state) {
    fillFoodList(state, bench::Tenfold(1000).path());
}
BENCHMARK(BM_TenfoldFoodList)->Unit(benchmark::kMillisecond);

void BM_RawTenfoldFoodList(benchmark::State& state) {
    rawFoodList(state, bench::Tenfold(1000).path());
}
BENCHMARK(BM_RawTenfoldFoodList)->Unit(benchmark::kMillisecond);

void BM_ShowNutrients(benchmark::State& state) {
    FoodNutrients window;
    frmfdN& f = window.form();
    f.LstView.ListItems(1).setSelected(true);
    for (auto _ : state) {
        f.showlist();
        benchmark::DoNotOptimize(f.LView.ListItems(1).SubItems(1));
    }
    state.counters["nutrients"] = f.LView.ListItems.Count();
}
BENCHMARK(BM_ShowNutrients)->Unit(benchmark::kMicrosecond);

void BM_RawShowNutrients(benchmark::State& state) {
    FoodNutrients window;
    frmfdN& f = window.form();
    const std::string foodid = f.LstView.ListItems(1).Tag().toStdString();
    sqlite3* handle = core::cn.handle();
    const std::string sql =
        "SELECT nutri.nname, foodN1.nutri_val, foodN1.nutri_cd, foodN1.unit_tp, foodN1.rowid "
        "FROM food LEFT JOIN foodN1 ON foodN1.foodid = food.foodid LEFT JOIN nutri ON "
        "nutri.nutri_cd = " +
        foods::NutrientOffset::realCodeSql().toStdString() +
        " WHERE food.foodid = ? ORDER BY foodN1.rowid";
    size_t nutrients = 0;
    for (auto _ : state) {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(handle, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
            state.SkipWithError("prepare failed");
            return;
        }
        sqlite3_bind_int64(statement, 1, std::stoll(foodid));
        std::vector<std::array<std::string, 3>> rows;
        while (sqlite3_step(statement) == SQLITE_ROW) {
            char value[32];
            std::snprintf(value, sizeof value, "%.2f",
                          foods::NutrientOffset::value(sqlite3_column_double(statement, 1),
                                                       sqlite3_column_int(statement, 2)));
            rows.push_back({column(statement, 0), value, column(statement, 3)});
        }
        sqlite3_finalize(statement);
        nutrients = rows.size();
        benchmark::DoNotOptimize(rows.data());
    }
    state.counters["nutrients"] = static_cast<double>(nutrients);
}
BENCHMARK(BM_RawShowNutrients)->Unit(benchmark::kMicrosecond);

}  // namespace
