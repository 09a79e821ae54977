#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QByteArray>
#include <QCoreApplication>
#include <QDate>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <vector>

#include "ClinicData.h"
#include "PlainWrite.h"
#include "ProgramFolder.h"
#include "db/Connection.h"
#include "foods/NutrientOffset.h"
#include "frame/core.h"
#include "intake/DiarySql.h"
#include "intake/frmDIn.h"
#include "intake/frmVRda.h"
#include "listoutput/CLvwPrint.h"
#include "members/frmUsr.h"
#include "runtime/App.h"
#include "runtime/Convert.h"
#include "ui/Form.h"
#include "ui/QtHost.h"

// The program at a clinic's scale: a register of 5,000 members, and 500 members who each wrote
// ten diary entries a day for a year (1.8 M rows), besides one member's ten-year diary and
// another's single month. Each window's path is measured against the bare SQLite statements
// that read or write the same rows through the same indexes, so that their ratio is what the
// program adds; the report on the long diary against the short one shows whether a day's
// report grows with the diary around it.
//
// Every data file is made once per run from a copy of the delivered template by bare inserts
// in one transaction. A benchmark of a window starts the program on its file and ends it when
// it returns; as a start checks the whole file, those benchmarks run a fixed number of
// iterations, so that each repetition starts the program once.

namespace {

using bench::ClinicData;
using bench::kDiaryYear;
using bench::memberName;
using bench::RunFile;
using bench::Statement;

const QDate kReportDay(kDiaryYear, 6, 15);

const ClinicData& registerFile() {
    static const ClinicData file(RunFile(QStringLiteral("register.vs_")), 5000, 0, {}, {}, 0);
    return file;
}

const ClinicData& clinicFile() {
    static const ClinicData file(RunFile(QStringLiteral("clinic.vs_")), 500, 500,
                                 QDate(kDiaryYear, 1, 1), QDate(kDiaryYear, 12, 31), 10);
    return file;
}

const ClinicData& longDiaryFile() {
    static const ClinicData file(RunFile(QStringLiteral("long.vs_")), 1, 1,
                                 QDate(kDiaryYear - 9, 1, 1), QDate(kDiaryYear, 12, 31), 20);
    return file;
}

const ClinicData& shortDiaryFile() {
    static const ClinicData file(RunFile(QStringLiteral("short.vs_")), 1, 1,
                                 QDate(kDiaryYear, 6, 1), QDate(kDiaryYear, 6, 30), 20);
    return file;
}

// The member the clinic's windows open on: one in the middle of the register.
constexpr int kClinicMember = 250;

// The real host, except that a message box, which nobody could answer here, is noted and
// answered at once: the benchmark then fails with its text.
class NotingHost : public ui::QtHost {
  public:
    int MsgBox(const QString& prompt, int /*buttons*/, const QString& /*title*/) override {
        message = prompt;
        return ui::vbOK;
    }
    QString message;
};

// The program started on `file` with `member` as the stored default member, as long as the
// benchmark runs.
class Program {
  public:
    Program(const ClinicData& file, const QString& member) {
        bench::UseProgramFolder(dir_.path());
        core::SaveOption(QStringLiteral("data path"), file.path);
        core::SaveOption(QStringLiteral("Defter"), member);
        core::Main();
    }
    ~Program() { bench::EndProgram(); }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // False, with the benchmark failed, when the program showed a message.
    bool quiet(benchmark::State& state) {
        if (host_.message.isEmpty()) {
            return true;
        }
        state.SkipWithError(host_.message.toStdString().c_str());
        return false;
    }

  private:
    QTemporaryDir dir_;
    NotingHost host_;
};

// The connection of a raw benchmark: its own, on the same file.
class Raw {
  public:
    explicit Raw(const ClinicData& file) {
        bench::check(db_,
                     sqlite3_open_v2(QFile::encodeName(file.path).constData(), &db_,
                                     SQLITE_OPEN_READWRITE, nullptr),
                     "open");
    }
    ~Raw() { sqlite3_close(db_); }
    Raw(const Raw&) = delete;
    Raw& operator=(const Raw&) = delete;
    sqlite3* db() const { return db_; }

  private:
    sqlite3* db_ = nullptr;
};

// The userid of the i-th member, as the windows find the stored default member.
qint64 memberId(const Raw& raw, int i) {
    Statement member(raw.db(), "SELECT MIN(userid) FROM usr WHERE FirstN = ?1");
    member.text(1, memberName(i).toUtf8());
    member.step();
    return sqlite3_column_int64(member.get(), 0);
}

// The rows a diary window shows for a member, as the bare statement reads them.
QByteArray diarySql() {
    return "SELECT * FROM dayin WHERE uid = ?1 ORDER BY " + intake::DiarySql::dayKey().toUtf8() +
           ", rowid";
}

// Times a window's Save: a person's entry before each, outside the timing, and the saved row
// removed again after it, as `undo` does (false when the save did not show as it should). The
// first save after the start is left out of the timing.
template <class Entry, class Undo>
void timeSaves(benchmark::State& state, ui::CommandButton& save, Entry&& enter, Undo&& undo) {
    enter();
    save.click();
    bool saved = undo();
    for (auto _ : state) {
        state.PauseTiming();
        enter();
        state.ResumeTiming();
        save.click();
        state.PauseTiming();
        saved = saved && undo();
        state.ResumeTiming();
        if (!saved) {
            state.SkipWithError("the entry was not saved and listed");
            break;
        }
    }
}

// ---- the diary ---------------------------------------------------------------------------------

void BM_ClinicDiaryOpen(benchmark::State& state) {
    Program program(clinicFile(), memberName(kClinicMember));
    const qint64 rows = clinicFile().diaryRows / 500;
    // The first opening after the start, which also reads fonts and the file's first pages, is
    // left out of the timing.
    bool warm = false;
    const auto open = [&] {
        frmDIn& diary = frmDIn::instance();
        diary.Show();
        return diary.LstView.ListItems.Count() == rows && program.quiet(state);
    };
    const auto close = [] {
        ui::Unload<frmDIn>();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    };
    warm = open();
    close();
    for (auto _ : state) {
        if (!warm || !open()) {
            state.SkipWithError("the diary does not show the member's rows");
            break;
        }
        state.PauseTiming();
        close();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * rows);
}
BENCHMARK(BM_ClinicDiaryOpen)->Unit(benchmark::kMillisecond)->Iterations(40);

// What the diary reads when it opens: the member list with the namesakes of each name, the
// categories and languages, the foods, the units of the first food and the member's diary.
// As in the other raw benchmarks, each statement is prepared where it runs.
void BM_RawClinicDiaryOpen(benchmark::State& state) {
    const Raw raw(clinicFile());
    const qint64 userid = memberId(raw, kClinicMember);
    // The food the window picks first: the first by name.
    Statement first(raw.db(), "SELECT foodname FROM food ORDER BY foodname LIMIT 1");
    first.step();
    const QByteArray food(reinterpret_cast<const char*>(sqlite3_column_text(first.get(), 0)));
    const qint64 rows = clinicFile().diaryRows / 500;
    for (auto _ : state) {
        std::vector<QString> texts;
        Statement(raw.db(),
                  "SELECT userid, Prefix, FirstN, "
                  "(SELECT COUNT(*) FROM usr AS o WHERE o.FirstN = usr.FirstN), "
                  "(SELECT COUNT(*) FROM usr AS o WHERE o.FirstN = usr.FirstN "
                  "AND o.Prefix IS usr.Prefix) FROM usr ORDER BY FirstN, userid")
            .readAll(texts);
        Statement(raw.db(), "SELECT cname FROM cat ORDER BY cname").readAll(texts);
        Statement(raw.db(), "SELECT langname FROM langcat ORDER BY langname").readAll(texts);
        Statement(raw.db(),
                  "SELECT food.foodid, food.foodname, cat.cname FROM food "
                  "JOIN cat ON cat.cid = food.cid ORDER BY food.foodid")
            .readAll(texts);
        Statement units(raw.db(), "SELECT UnitName FROM FoodUnit WHERE food = ?1");
        units.text(1, food);
        units.readAll(texts);
        Statement diary(raw.db(), diarySql());
        diary.integer(1, userid);
        if (diary.readAll(texts) != rows) {
            state.SkipWithError("the diary rows are not the member's");
            break;
        }
        benchmark::DoNotOptimize(texts);
    }
    state.SetItemsProcessed(state.iterations() * rows);
}
BENCHMARK(BM_RawClinicDiaryOpen)->Unit(benchmark::kMillisecond);

// Foods the benchmarks save in turn; nobody ate them today.
const QStringList kSavedFoods = {QStringLiteral("Bajra"), QStringLiteral("Ragi"),
                                 QStringLiteral("Barley")};

void BM_ClinicDiarySave(benchmark::State& state) {
    Program program(clinicFile(), memberName(kClinicMember));
    frmDIn& diary = frmDIn::instance();
    diary.Show();
    const qint64 rows = clinicFile().diaryRows / 500;
    int i = 0;
    // A person picks a food and types its amount.
    const auto pick = [&] {
        diary.LView.clickItem(kSavedFoods[i++ % kSavedFoods.size()]);
        diary.txtQuan.type(QStringLiteral("150"));
    };
    const auto removeSaved = [&] {
        const bool saved = diary.LstView.ListItems.Count() == rows + 1;
        core::cn.Execute(QStringLiteral("DELETE FROM dayin WHERE uid = ? AND idate = ?"),
                         {core::MemberId(diary.cmbUser), rt::DateText(QDate::currentDate())});
        return saved && program.quiet(state);
    };
    timeSaves(state, diary.cmdAdd, pick, removeSaved);
}
BENCHMARK(BM_ClinicDiarySave)->Unit(benchmark::kMillisecond)->Iterations(40);

// One entry written, and the member's diary read again.
void BM_RawClinicDiarySave(benchmark::State& state) {
    const Raw raw(clinicFile());
    const qint64 userid = memberId(raw, kClinicMember);
    Statement remove(raw.db(), "DELETE FROM dayin WHERE uid = ?1 AND idate = ?2");
    const QByteArray today = QDate::currentDate().toString(QStringLiteral("dd-MM-yyyy")).toLatin1();
    const qint64 rows = clinicFile().diaryRows / 500;
    int i = 0;
    for (auto _ : state) {
        Statement insert(raw.db(),
                         "INSERT INTO dayin (uid, idate, foodname, quantity, unit) "
                         "VALUES (?1, ?2, ?3, 150, 'Grams')");
        insert.integer(1, userid);
        insert.text(2, today);
        insert.text(3, kSavedFoods[i++ % kSavedFoods.size()].toUtf8());
        insert.run();
        std::vector<QString> texts;
        Statement diary(raw.db(), diarySql());
        diary.integer(1, userid);
        const qsizetype listed = diary.readAll(texts);
        benchmark::DoNotOptimize(texts);
        state.PauseTiming();
        remove.integer(1, userid);
        remove.text(2, today);
        remove.run();
        state.ResumeTiming();
        if (listed != rows + 1) {
            state.SkipWithError("the entry was not read back");
            break;
        }
    }
}
BENCHMARK(BM_RawClinicDiarySave)->Unit(benchmark::kMillisecond);

// ---- the report of one day ------------------------------------------------------------------

// The report window on the member, for kReportDay, run by Go.
void runReport(benchmark::State& state, const ClinicData& file, int member) {
    Program program(file, memberName(member));
    frmVRda& report = frmVRda::instance();
    report.Show();
    report.DTP.setValue(kReportDay);
    report.DTP1.setValue(kReportDay);
    // The first run of the day, which reads the file's pages of it, is left out of the timing.
    report.cmdGo.click();
    for (auto _ : state) {
        report.cmdGo.click();
    }
    if (report.LstView.ListItems.Count() < 2 || !program.quiet(state)) {
        state.SkipWithError("the report listed nothing");
    }
}

void BM_ClinicRdaVsIntakeDay(benchmark::State& state) {
    runReport(state, clinicFile(), kClinicMember);
}
BENCHMARK(BM_ClinicRdaVsIntakeDay)->Unit(benchmark::kMillisecond)->Iterations(1000);

// The sums of the member's day by nutrient, and the RDA of the member's group, with their
// nutrients' names and units.
void BM_RawClinicRdaVsIntakeDay(benchmark::State& state) {
    namespace offset = foods::NutrientOffset;
    const Raw raw(clinicFile());
    const qint64 userid = memberId(raw, kClinicMember);
    const QByteArray intakeSql =
        QStringLiteral(
            "SELECT nutri.nname, nutri.file_nm, SUM(dayin.quantity * %1 / 100) "
            "FROM dayin, foodN1, nutri "
            "WHERE dayin.uid = ?1 AND %2 BETWEEN ?2 AND ?3 "
            "AND foodN1.foodid = %3 AND nutri.nutri_cd = %4 GROUP BY nutri.nutri_cd")
            .arg(offset::valueSql(), intake::DiarySql::dayKey(), intake::DiarySql::foodOf(),
                 offset::realCodeSql())
            .toUtf8();
    const QByteArray day = intake::DiarySql::dayKey(kReportDay).toUtf8();
    for (auto _ : state) {
        std::vector<QString> texts;
        Statement intakes(raw.db(), intakeSql);
        intakes.integer(1, userid);
        intakes.text(2, day);
        intakes.text(3, day);
        Statement rda(raw.db(),
                      "SELECT nutri.nname, nutri.file_nm, RDA.nutri_val FROM usr, RDA, nutri "
                      "WHERE usr.userid = ?1 AND RDA.gid = usr.gid "
                      "AND nutri.nutri_cd = RDA.nutri_cd");
        rda.integer(1, userid);
        if (intakes.readAll(texts) == 0 || rda.readAll(texts) == 0) {
            state.SkipWithError("the day has no sums");
            break;
        }
        benchmark::DoNotOptimize(texts);
    }
}
BENCHMARK(BM_RawClinicRdaVsIntakeDay)->Unit(benchmark::kMillisecond);

void BM_LongDiaryRdaVsIntakeDay(benchmark::State& state) {
    runReport(state, longDiaryFile(), 0);
}
BENCHMARK(BM_LongDiaryRdaVsIntakeDay)->Unit(benchmark::kMillisecond)->Iterations(1000);

void BM_ShortDiaryRdaVsIntakeDay(benchmark::State& state) {
    runReport(state, shortDiaryFile(), 0);
}
BENCHMARK(BM_ShortDiaryRdaVsIntakeDay)->Unit(benchmark::kMillisecond)->Iterations(1000);

// ---- the register ------------------------------------------------------------------------------

void BM_ClinicMemberSave(benchmark::State& state) {
    Program program(registerFile(), QStringLiteral("-"));
    frmUsr& reg = frmUsr::instance();
    reg.Show();
    const QString name = QStringLiteral("Nalini Kamath");
    // A person types the member.
    const auto enter = [&] {
        reg.cmbPrefix.choose(QStringLiteral("Mrs."));
        reg.txtFirstN.type(name);
        reg.cmbSex.choose(QStringLiteral("Female"));
        reg.txtAge.type(QStringLiteral("41"));
        reg.txtHeight.type(QStringLiteral("158"));
        reg.txtWeight.type(QStringLiteral("61"));
        reg.cmbActivity.choose(QStringLiteral("Homemaker"));
    };
    const auto removeSaved = [&] {
        const bool listed = reg.LViews.ListItems.Count() == 5001;
        core::cn.Execute(QStringLiteral("DELETE FROM usr WHERE FirstN = ?"), {name});
        return listed && program.quiet(state);
    };
    timeSaves(state, reg.cmdAdd, enter, removeSaved);
}
BENCHMARK(BM_ClinicMemberSave)->Unit(benchmark::kMillisecond)->Iterations(40);

// The name's check, the member and its group written in one transaction, and the register read
// again.
void BM_RawClinicMemberSave(benchmark::State& state) {
    const Raw raw(registerFile());
    Statement remove(raw.db(), "DELETE FROM usr WHERE FirstN = ?1");
    const QByteArray name = "Nalini Kamath";
    for (auto _ : state) {
        bench::exec(raw.db(), "BEGIN");
        Statement taken(raw.db(),
                        "SELECT userid FROM usr WHERE FirstN = ?1 AND Prefix = ?2 AND userid <> 0");
        taken.text(1, name);
        taken.text(2, "Mrs.");
        const bool refused = taken.step();
        Statement insert(raw.db(),
                         "INSERT INTO usr (Prefix, FirstN, Address, Phone, EMail, Sex, Age, "
                         "period, Heigt, Weigh, Cndition, Activity) VALUES (?2, ?1, ' ', ' ', ' ', "
                         "'Female', 41, 'Y', '158', '61', '--', 'Homemaker')");
        insert.text(1, name);
        insert.text(2, "Mrs.");
        insert.run();
        Statement(raw.db(),
                  "UPDATE usr SET gid = (SELECT MIN(gid) FROM grpmst WHERE 41 BETWEEN minage "
                  "AND maxage AND ageunit = 'Y' AND sex = 'Female' AND condition = '--' AND "
                  "ActTyp = (SELECT ActivityType FROM usrcat WHERE activityname = 'Homemaker')) "
                  "WHERE userid = last_insert_rowid()")
            .run();
        bench::exec(raw.db(), "COMMIT");
        std::vector<QString> texts;
        const qsizetype listed =
            Statement(raw.db(),
                      "SELECT Prefix, FirstN, Address, Sex, Age, Phone, EMail, Weigh, Heigt, "
                      "Cndition, Activity, userid FROM usr ORDER BY userid")
                .readAll(texts);
        benchmark::DoNotOptimize(texts);
        state.PauseTiming();
        remove.text(1, name);
        remove.run();
        state.ResumeTiming();
        if (refused || listed != 5001) {
            state.SkipWithError("the member was not written and read back");
            break;
        }
    }
}
BENCHMARK(BM_RawClinicMemberSave)->Unit(benchmark::kMillisecond);

// ---- the long diary's export -------------------------------------------------------------------

QTemporaryDir& exportFolder() {
    static QTemporaryDir dir;
    return dir;
}

// The page of the long diary, as its Export writes it.
QByteArray& longDiaryPage() {
    static QByteArray page;
    return page;
}

QString exportFile() {
    return exportFolder().filePath(QStringLiteral("diary.html"));
}

bool exportDiary(frmDIn& diary) {
    CLvwPrint output;
    output.lvwToPrint = &diary.LstView;
    return output.ExportListView(
               2, exportFile(), 1, QStringLiteral("Arial"), QStringLiteral("Daily Intakes"),
               QStringLiteral("User : ") + core::MemberName(diary.cmbUser), {}, {}, 12) == 0;
}

// The long diary open in its window, exported once: the page is kept for the plain write, and
// the objects the list makes for its cells on the first export are made.
frmDIn* openAndExportLongDiary(benchmark::State& state) {
    frmDIn& diary = frmDIn::instance();
    diary.Show();
    QFile page(exportFile());
    if (diary.LstView.ListItems.Count() != longDiaryFile().diaryRows || !exportDiary(diary) ||
        !page.open(QIODevice::ReadOnly)) {
        state.SkipWithError("the long diary could not be listed and exported");
        return nullptr;
    }
    longDiaryPage() = page.readAll();
    return &diary;
}

void BM_HtmlExportLongDiary(benchmark::State& state) {
    Program program(longDiaryFile(), memberName(0));
    frmDIn* diary = openAndExportLongDiary(state);
    if (diary == nullptr) {
        return;
    }
    for (auto _ : state) {
        if (!exportDiary(*diary)) {
            state.SkipWithError("the export failed");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * longDiaryPage().size());
}
BENCHMARK(BM_HtmlExportLongDiary)->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_PlainWriteLongDiary(benchmark::State& state) {
    if (longDiaryPage().isEmpty()) {
        const Program program(longDiaryFile(), memberName(0));
        if (openAndExportLongDiary(state) == nullptr) {
            return;
        }
    }
    bench::WritePlainly(state, longDiaryPage(),
                        exportFolder().filePath(QStringLiteral("plain.html")));
}
BENCHMARK(BM_PlainWriteLongDiary)->Unit(benchmark::kMillisecond);

}  // namespace
