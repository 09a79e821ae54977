#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QCoreApplication>
#include <QDate>
#include <QFile>
#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>

#include "ProgramFolder.h"
#include "db/Connection.h"
#include "db/Recordset.h"
#include "foods/NutrientOffset.h"
#include "frame/core.h"
#include "frame/frmMain.h"
#include "intake/DiarySql.h"
#include "intake/frmVRda.h"
#include "runtime/App.h"
#include "runtime/Convert.h"
#include "ui/Form.h"
#include "ui/QtHost.h"

// The heaviest report of the program: a year of a member's diary against the RDA. The report
// run through the window (scratch table, rounding at every step, the list) is measured against
// the same sums taken by one bare SQL aggregation, so that their ratio is what the report adds.

namespace {

constexpr int kFoodsPerDay = 10;
const QDate kFrom(2023, 1, 1);
const QDate kTo(2023, 12, 31);

// The program with the delivered data file and a member who ate ten foods every day of 2023.
// It goes with the benchmark that made it, so that the next one starts the program afresh.
class YearOfIntakes {
  public:
    ~YearOfIntakes() { bench::EndProgram(); }
    YearOfIntakes(const YearOfIntakes&) = delete;
    YearOfIntakes& operator=(const YearOfIntakes&) = delete;

    YearOfIntakes() {
        bench::UseProgramFolder(dir_.path());
        core::Main();
        db::Connection& cn = core::cn;
        cn.Execute(
            QStringLiteral("INSERT INTO usr (Prefix, FirstN, Sex, Age, period, Heigt, "
                           "Weigh, Cndition, Activity, gid) VALUES ('Mrs.', 'Bench', "
                           "'Female', 34, 'Y', '160', '58', '--', 'Homemaker', 20)"));
        QStringList foods;
        db::Recordset rs;
        rs.Open(QStringLiteral("SELECT foodname FROM food ORDER BY foodid"), cn);
        while (!rs.EOF()) {
            foods << rs["foodname"].toString();
            rs.MoveNext();
        }
        db::Transaction transaction(cn);
        int next = 0;
        for (QDate day = kFrom; day <= kTo; day = day.addDays(1)) {
            for (int i = 0; i < kFoodsPerDay; ++i) {
                cn.Execute(QStringLiteral("INSERT INTO dayin (uid, idate, foodname, quantity, "
                                          "unit) SELECT userid, ?, ?, ?, 'Grams' FROM usr "
                                          "WHERE FirstN = 'Bench'"),
                           {rt::DateText(day), foods[next % foods.size()], 50 + next % 200});
                ++next;
            }
        }
        transaction.Commit();
        entries_ = next;
    }

    int entries() const { return entries_; }

  private:
    QTemporaryDir dir_;
    ui::QtHost host_;
    int entries_ = 0;
};

void BM_RdaVsIntakeYear(benchmark::State& state) {
    const YearOfIntakes year;
    frmVRda& report = frmVRda::instance();
    report.Show();
    report.cmbUser.setListIndex(report.cmbUser.findText(QStringLiteral("Bench")));
    report.DTP.setValue(kFrom);
    report.DTP1.setValue(kTo);
    for (auto _ : state) {
        if (!report.cmdGo.click()) {
            state.SkipWithError("Go could not be clicked");
            break;
        }
    }
    if (report.LstView.ListItems.Count() < 2) {
        state.SkipWithError("the report listed nothing");
    }
    state.SetItemsProcessed(state.iterations() * year.entries());
}
BENCHMARK(BM_RdaVsIntakeYear)->Unit(benchmark::kMillisecond);

void BM_RawRdaVsIntakeYear(benchmark::State& state) {
    const YearOfIntakes year;
    namespace offset = foods::NutrientOffset;
    namespace diary = intake::DiarySql;
    const QByteArray sql =
        QStringLiteral(
            "SELECT nutri.nname, SUM(dayin.quantity * %1 / 100) "
            "FROM usr, dayin, foodN1, nutri "
            "WHERE usr.firstn = ?1 AND dayin.uid = usr.userid "
            "AND %2 BETWEEN ?2 AND ?3 AND foodN1.foodid = %3 "
            "AND nutri.nutri_cd = %4 GROUP BY nutri.nutri_cd")
            .arg(offset::valueSql(), diary::dayKey(), diary::foodOf(), offset::realCodeSql())
            .toUtf8();
    const QByteArray from = diary::dayKey(kFrom).toUtf8();
    const QByteArray to = diary::dayKey(kTo).toUtf8();
    sqlite3* handle = core::cn.handle();
    for (auto _ : state) {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(handle, sql.constData(), -1, &statement, nullptr) != SQLITE_OK) {
            state.SkipWithError("prepare failed");
            return;
        }
        sqlite3_bind_text(statement, 1, "Bench", -1, SQLITE_STATIC);
        sqlite3_bind_text(statement, 2, from.constData(), -1, SQLITE_STATIC);
        sqlite3_bind_text(statement, 3, to.constData(), -1, SQLITE_STATIC);
        double sum = 0;
        int rows = 0;
        while (sqlite3_step(statement) == SQLITE_ROW) {
            sum += sqlite3_column_double(statement, 1);
            ++rows;
        }
        sqlite3_finalize(statement);
        if (rows == 0) {
            state.SkipWithError("the aggregation found nothing");
            return;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * year.entries());
}
BENCHMARK(BM_RawRdaVsIntakeYear)->Unit(benchmark::kMillisecond);

}  // namespace
