#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QCoreApplication>
#include <QString>
#include <QTemporaryDir>
#include <array>
#include <memory>
#include <vector>

#include "ProgramFolder.h"
#include "db/Connection.h"
#include "frame/core.h"
#include "frame/frmMain.h"
#include "members/frmUsr.h"
#include "ui/Form.h"
#include "ui/QtHost.h"

// The member register lists every member whenever it opens and after every save, edit and
// removal. The two benchmarks read the same 5,000 members: once into the register's list as
// the window does it, once through the bare SQLite C API into plain strings, so their ratio is
// what the data layer and the list view add.

namespace {

constexpr int kMembers = 5000;

class Register {
  public:
    Register() {
        bench::UseProgramFolder(dir_.path());
        host_ = std::make_unique<ui::QtHost>();
        core::Main();
        const char* const prefixes[] = {"Mr.", "Mrs.", "Miss", "Ms.", "Dr.", "Er."};
        const char* const activities[] = {"Office worker", "Teacher", "Farm labourer", "Carpenter",
                                          "Heavy work"};
        db::Transaction transaction(core::cn);
        for (int i = 0; i < kMembers; ++i) {
            const bool woman = i % 2 == 1;
            core::cn.Execute(
                QStringLiteral("INSERT INTO usr (Prefix, FirstN, Address, Phone, EMail, Sex, Age, "
                               "period, Heigt, Weigh, Cndition, Activity, gid) "
                               "VALUES (?, ?, ?, ?, ?, ?, ?, 'Y', ?, ?, ?, ?, ?)"),
                {QString::fromLatin1(prefixes[i % 6]), QStringLiteral("Member %1").arg(i),
                 QStringLiteral("%1, Gandhi Road, Pune").arg(i % 300 + 1),
                 QString::number(9800000000LL + i), QStringLiteral("member%1@example.in").arg(i),
                 woman ? QStringLiteral("Female") : QStringLiteral("Male"), 18 + i % 60,
                 QString::number(150 + i % 40), QString::number(45 + i % 50),
                 woman && i % 7 == 1 ? QStringLiteral("Pregnant") : QStringLiteral("--"),
                 QString::fromLatin1(activities[i % 5]), 8 + i % 10});
        }
        transaction.Commit();
        register_ = &frmUsr::instance();
        register_->Show();
    }

    frmUsr& window() { return *register_; }

  private:
    QTemporaryDir dir_;
    std::unique_ptr<ui::QtHost> host_;
    frmUsr* register_ = nullptr;
};

// The windows outlive the benchmarks on purpose: widgets must not be destroyed after the
// application object, which goes first at the end of main.
Register& data() {
    static Register* instance = new Register;
    return *instance;
}

void BM_MemberList5000(benchmark::State& state) {
    frmUsr& f = data().window();
    for (auto _ : state) {
        f.MLst();
        if (f.LViews.ListItems.Count() != kMembers) {
            state.SkipWithError("the list does not hold every member");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * kMembers);
}
BENCHMARK(BM_MemberList5000)->Unit(benchmark::kMillisecond);

void BM_RawMemberList5000(benchmark::State& state) {
    data();
    sqlite3* handle = core::cn.handle();
    for (auto _ : state) {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(handle, "SELECT * FROM usr ORDER BY userid", -1, &statement,
                               nullptr) != SQLITE_OK) {
            state.SkipWithError("prepare failed");
            return;
        }
        std::vector<std::array<QString, 12>> rows;
        while (sqlite3_step(statement) == SQLITE_ROW) {
            std::array<QString, 12>& row = rows.emplace_back();
            for (int column = 0; column < 12; ++column) {
                const auto* text =
                    reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
                row[static_cast<size_t>(column)] =
                    QString::fromUtf8(text, sqlite3_column_bytes(statement, column));
            }
        }
        sqlite3_finalize(statement);
        if (rows.size() != kMembers) {
            state.SkipWithError("the rows are not every member");
            break;
        }
        benchmark::DoNotOptimize(rows);
    }
    state.SetItemsProcessed(state.iterations() * kMembers);
}
BENCHMARK(BM_RawMemberList5000)->Unit(benchmark::kMillisecond);

}  // namespace
