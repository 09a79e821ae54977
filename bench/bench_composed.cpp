#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

#include "DataCopy.h"
#include "TenfoldData.h"
#include "db/Connection.h"
#include "foods/ComposedFood.h"
#include "foods/FoodId.h"
#include "frame/DataFile.h"

// Rebuilding every composed food is the heaviest write of the food windows: each recipe's
// ingredients are read with their nutrient rows, summed per nutrient and written back. The
// first pair rebuilds the same 200 composed foods of 10 delivered foods each, in one
// transaction, once through the program's rule and data layer and once with the bare SQLite C
// API doing the same reads, sums and writes; their ratio is what the layers add. The chained
// benchmarks rebuild 1,000 and 2,000 dishes made of dishes over a food table grown tenfold: the
// rebuild must follow the dishes, not their square. The id of a new food is measured on the
// same tenfold file beside the bare max() it should cost.

namespace {

constexpr int kComposed = 200;
constexpr int kIngredients = 10;
constexpr int kFirstId = 1000;

using bench::DataCopy;

class ComposedData : public DataCopy {
  public:
    ComposedData() {
        db::Transaction transaction(cn_);
        foods::ComposedFoods store(cn_);
        for (int i = 0; i < kComposed; ++i) {
            const int id = kFirstId + i;
            store.create(id, 21, QStringLiteral("Bench dish %1").arg(i, 3, 10, QLatin1Char('0')),
                         QString());
            for (int j = 0; j < kIngredients; ++j) {
                store.addIngredient(id, 1 + (i * 37 + j * 53) % 542, 10.0 + (i + j) % 90, 1);
            }
        }
        transaction.Commit();
    }
};

ComposedData& data() {
    static ComposedData instance;
    return instance;
}

void BM_RecomputeAllComposed200(benchmark::State& state) {
    db::Connection& cn = data().connection();
    for (auto _ : state) {
        db::Transaction transaction(cn);
        const int rebuilt = foods::ComposedFoods(cn).rebuildAll();
        transaction.Commit();
        if (rebuilt != kComposed) {
            state.SkipWithError("not every composed food was rebuilt");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * kComposed);
}
BENCHMARK(BM_RecomputeAllComposed200)->Unit(benchmark::kMillisecond);

// ---- the same with the bare C API

class Statement {
  public:
    Statement(sqlite3* db, const char* sql) {
        if (sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr) != SQLITE_OK) {
            throw std::runtime_error(sqlite3_errmsg(db));
        }
    }
    ~Statement() { sqlite3_finalize(stmt_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    sqlite3_stmt* get() const { return stmt_; }
    void restart() {
        sqlite3_reset(stmt_);
        sqlite3_clear_bindings(stmt_);
    }

  private:
    sqlite3_stmt* stmt_ = nullptr;
};

double round2(double value) {
    return std::round(value * 100.0) / 100.0;
}

void exec(sqlite3* db, const char* sql) {
    if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) != SQLITE_OK) {
        throw std::runtime_error(sqlite3_errmsg(db));
    }
}

int rawRebuild(sqlite3* db) {
    exec(db, "BEGIN IMMEDIATE");
    std::vector<int> foods;
    {
        Statement list(db, "SELECT foodid FROM food WHERE cid = 21 ORDER BY foodname, foodid");
        while (sqlite3_step(list.get()) == SQLITE_ROW) {
            foods.push_back(sqlite3_column_int(list.get(), 0));
        }
        Statement edges(db,
                        "SELECT DISTINCT item.itemid, item.foodid FROM item JOIN food ON "
                        "food.foodid = item.foodid WHERE food.cid = 21");
        while (sqlite3_step(edges.get()) == SQLITE_ROW) {
        }
    }
    Statement recipe(db,
                     "SELECT item.rowid, item.qty, item.unitid, n.srl_no, n.nutri_cd, n.nutri_val, "
                     "n.unit_cd, n.unit_tp FROM item JOIN food ON food.foodid = item.foodid "
                     "LEFT JOIN foodN1 AS n ON n.foodid = item.foodid WHERE item.itemid = ? "
                     "ORDER BY item.srl_no, item.rowid, n.srl_no, n.rowid");
    Statement remove(db, "DELETE FROM foodN1 WHERE foodid = ?");
    Statement insert(db,
                     "INSERT INTO foodN1 (foodid, srl_no, nutri_cd, nutri_val, unit_cd, unit_tp, "
                     "total_value) VALUES (?, ?, ?, ?, ?, ?, ?)");
    int rebuilt = 0;
    for (int food : foods) {
        struct Origin {
            int code, unit;
            std::string unitText;
        };
        std::array<double, 31> sums{};
        std::array<bool, 31> seen{};
        std::vector<Origin> origins;
        double grams = 0, lineGrams = 0;
        sqlite3_int64 line = -1;
        int ingredients = 0;
        recipe.restart();
        sqlite3_bind_int(recipe.get(), 1, food);
        sqlite3_stmt* r = recipe.get();
        while (sqlite3_step(r) == SQLITE_ROW) {
            if (sqlite3_column_int64(r, 0) != line) {
                line = sqlite3_column_int64(r, 0);
                lineGrams = sqlite3_column_double(r, 1);
                grams += lineGrams;
                ++ingredients;
            }
            if (sqlite3_column_type(r, 3) == SQLITE_NULL) {
                continue;
            }
            const int stored = sqlite3_column_int(r, 4);
            const int code = stored - sqlite3_column_int(r, 3) + sqlite3_column_int(r, 6);
            if (code < 1 || code > 30) {
                continue;
            }
            sums[code] += (sqlite3_column_double(r, 5) - stored) * lineGrams / 100.0;
            if (!seen[code]) {
                seen[code] = true;
                const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(r, 7));
                origins.push_back({code, sqlite3_column_int(r, 2), text != nullptr ? text : ""});
            }
        }
        if (ingredients == 0) {
            continue;
        }
        remove.restart();
        sqlite3_bind_int(remove.get(), 1, food);
        sqlite3_step(remove.get());
        int srl = 1;
        for (const Origin& origin : origins) {
            const double total = round2(sums[origin.code]);
            const double value = grams > 0 ? round2(total * 100.0 / grams) : 0.0;
            const int stored = origin.code - origin.unit + srl;
            sqlite3_stmt* w = insert.get();
            insert.restart();
            sqlite3_bind_int(w, 1, food);
            sqlite3_bind_int(w, 2, srl++);
            sqlite3_bind_int(w, 3, stored);
            sqlite3_bind_double(w, 4, value + stored);
            sqlite3_bind_int(w, 5, origin.unit);
            sqlite3_bind_text(w, 6, origin.unitText.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_double(w, 7, total);
            if (sqlite3_step(w) != SQLITE_DONE) {
                throw std::runtime_error(sqlite3_errmsg(db));
            }
        }
        ++rebuilt;
    }
    exec(db, "COMMIT");
    return rebuilt;
}

void BM_RawRecomputeAllComposed200(benchmark::State& state) {
    sqlite3* db = data().connection().handle();
    for (auto _ : state) {
        if (rawRebuild(db) != kComposed) {
            state.SkipWithError("not every composed food was rebuilt");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * kComposed);
}
BENCHMARK(BM_RawRecomputeAllComposed200)->Unit(benchmark::kMillisecond);

// ---- dishes made of dishes, over a food table grown tenfold

using bench::Tenfold;
using bench::TenfoldData;

void rebuildChained(benchmark::State& state, int dishes) {
    TenfoldData& data = Tenfold(dishes);
    db::Connection& cn = data.connection();
    for (auto _ : state) {
        db::Transaction transaction(cn);
        const int rebuilt = foods::ComposedFoods(cn).rebuildAll();
        transaction.Commit();
        if (rebuilt != data.dishes()) {
            state.SkipWithError("not every composed food was rebuilt");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * data.dishes());
}

void BM_RebuildChained1000(benchmark::State& state) {
    rebuildChained(state, 1000);
}
BENCHMARK(BM_RebuildChained1000)->Unit(benchmark::kMillisecond);

void BM_RebuildChained2000(benchmark::State& state) {
    rebuildChained(state, 2000);
}
BENCHMARK(BM_RebuildChained2000)->Unit(benchmark::kMillisecond);

// The same reads, sums and writes with the bare C API, in name order.
void BM_RawRebuildChained1000(benchmark::State& state) {
    sqlite3* db = Tenfold(1000).connection().handle();
    for (auto _ : state) {
        if (rawRebuild(db) != 1000) {
            state.SkipWithError("not every composed food was rebuilt");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_RawRebuildChained1000)->Unit(benchmark::kMillisecond);

void BM_TenfoldNewFoodId(benchmark::State& state) {
    db::Connection& cn = Tenfold(1000).connection();
    for (auto _ : state) {
        benchmark::DoNotOptimize(foods::FreshFoodId(cn));
    }
}
BENCHMARK(BM_TenfoldNewFoodId)->Unit(benchmark::kMicrosecond);

// The highest id of every table that names foods by id, from the indexes, as the program asks.
void BM_RawMaxFoodId(benchmark::State& state) {
    sqlite3* db = Tenfold(1000).connection().handle();
    for (auto _ : state) {
        Statement highest(db,
                          "SELECT max(id) FROM (SELECT max(foodid) AS id FROM food "
                          "UNION ALL SELECT max(itemid) FROM item "
                          "UNION ALL SELECT max(foodid) FROM item "
                          "UNION ALL SELECT max(foodid) FROM foodN1 "
                          "UNION ALL SELECT max(foodid) FROM lang)");
        if (sqlite3_step(highest.get()) != SQLITE_ROW) {
            state.SkipWithError("no answer");
            break;
        }
        benchmark::DoNotOptimize(sqlite3_column_int(highest.get(), 0));
    }
}
BENCHMARK(BM_RawMaxFoodId)->Unit(benchmark::kMicrosecond);

}  // namespace
