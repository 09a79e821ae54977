#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <memory>
#include <stdexcept>

#include "db/Connection.h"
#include "db/Recordset.h"

// Reading the food composition rows is the data layer's heaviest regular work: every nutrient
// row of every food, each decoded from the offset form. The two benchmarks do the same work,
// through the recordset and through the bare SQLite C API, so their ratio is the layer's cost.

namespace {

constexpr int kRows = 16000;
constexpr int kNutrients = 30;

class FoodData {
  public:
    FoodData() : path_(dir_.filePath(QStringLiteral("bench.vs_"))) {
        QFile schema(QStringLiteral(KELVORA_SOURCE_DIR "/data/schema.sql"));
        if (!schema.open(QIODevice::ReadOnly)) {
            throw std::runtime_error("cannot read the schema");
        }
        db::Connection::CreateDataFile(path_, password(), QString::fromUtf8(schema.readAll()));
        connection_.Open(path_, password());
        db::Transaction transaction(connection_);
        for (int i = 0; i < kRows; ++i) {
            const int foodid = i / kNutrients + 1;
            const int srl = i % kNutrients + 1;
            const int code = srl;
            const int unit = i % 3;
            const double value = (i % 97) * 0.25;
            const int stored = code + srl - unit;  // real code = nutri_cd - srl_no + unit_cd
            connection_.Execute(
                QStringLiteral("INSERT INTO foodN1 (foodid, srl_no, nutri_cd, nutri_val, unit_cd, "
                               "unit_tp, total_value) VALUES (?, ?, ?, ?, ?, ?, ?)"),
                {foodid, srl, stored, value + stored, unit,
                 unit == 0 ? QStringLiteral("g") : QStringLiteral("mg"), db::Variant()});
        }
        transaction.Commit();
    }

    static QString password() { return QStringLiteral("bench"); }
    db::Connection& connection() { return connection_; }

  private:
    QTemporaryDir dir_;
    QString path_;
    db::Connection connection_;
};

FoodData& data() {
    static FoodData instance;
    return instance;
}

void BM_RecordsetScanFoodN1(benchmark::State& state) {
    db::Connection& cn = data().connection();
    for (auto _ : state) {
        db::Recordset rs;
        rs.Open(QStringLiteral("SELECT * FROM foodN1"), cn);
        double sum = 0;
        qsizetype text = 0;
        while (!rs.EOF()) {
            const qint32 foodid = rs["foodid"].toLong();
            const qint32 srl = rs["srl_no"].toLong();
            const qint32 stored = rs["nutri_cd"].toLong();
            const double value = rs["nutri_val"].toDouble();
            const qint32 unit = rs["unit_cd"].toLong();
            text += rs["unit_tp"].text().size();
            const db::Variant total = rs["total_value"];
            sum += foodid + (stored - srl + unit) + (value - stored) +
                   (total.IsNull() ? 0.0 : total.toDouble());
            rs.MoveNext();
        }
        benchmark::DoNotOptimize(sum);
        benchmark::DoNotOptimize(text);
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_RecordsetScanFoodN1)->Unit(benchmark::kMillisecond);

void BM_RawSqliteScanFoodN1(benchmark::State& state) {
    sqlite3* handle = data().connection().handle();
    for (auto _ : state) {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(handle, "SELECT * FROM foodN1", -1, &statement, nullptr) !=
            SQLITE_OK) {
            state.SkipWithError("prepare failed");
            return;
        }
        double sum = 0;
        qsizetype text = 0;
        while (sqlite3_step(statement) == SQLITE_ROW) {
            const auto foodid = sqlite3_column_int(statement, 0);
            const auto srl = sqlite3_column_int(statement, 1);
            const auto stored = sqlite3_column_int(statement, 2);
            const double value = sqlite3_column_double(statement, 3);
            const auto unit = sqlite3_column_int(statement, 4);
            const auto* unitText = reinterpret_cast<const char*>(sqlite3_column_text(statement, 5));
            text += QString::fromUtf8(unitText, sqlite3_column_bytes(statement, 5)).size();
            const double total = sqlite3_column_type(statement, 6) == SQLITE_NULL
                                     ? 0.0
                                     : sqlite3_column_double(statement, 6);
            sum += foodid + (stored - srl + unit) + (value - stored) + total;
        }
        sqlite3_finalize(statement);
        benchmark::DoNotOptimize(sum);
        benchmark::DoNotOptimize(text);
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_RawSqliteScanFoodN1)->Unit(benchmark::kMillisecond);

}  // namespace
