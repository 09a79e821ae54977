#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>
#include <limits>
#include <stdexcept>

#include <unistd.h>

#include "TestDataFile.h"
#include "db/Connection.h"
#include "db/Errors.h"
#include "db/PageCheck.h"
#include "db/Recordset.h"
#include "frame/DataFile.h"
#include "runtime/App.h"
#include "runtime/Error.h"
#include "support/DataFileTrouble.h"

using db::Connection;
using db::Params;
using db::Recordset;
using db::Variant;
using dbtest::caught;
using dbtest::errorNumber;
using dbtest::TestDataFile;

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

long count(Connection& cn, const QString& sql, const Params& params = {}) {
    Recordset rs;
    rs.Open(sql, cn, params);
    return rs.Fields(0).Value().toLong();
}

}  // namespace

// --- opening ------------------------------------------------------------------------------

TEST(ConnectionOpen, OpensWithTheRightPasswordAndClosesAgain) {
    TestDataFile file;
    Connection cn;
    EXPECT_EQ(cn.State(), 0);
    file.open(cn);
    EXPECT_EQ(cn.State(), 1);
    EXPECT_TRUE(cn.IsOpen());
    EXPECT_NE(cn.handle(), nullptr);
    cn.Close();
    EXPECT_EQ(cn.State(), 0);
    EXPECT_EQ(cn.handle(), nullptr);
    // Closing a closed connection is harmless: windows close before they (re)open.
    EXPECT_EQ(errorNumber([&] { cn.Close(); }), 0);
    file.open(cn);
    EXPECT_TRUE(cn.IsOpen());
}

TEST(ConnectionOpen, WrongPasswordIsRefused) {
    TestDataFile file;
    Connection cn;
    const rt::Error e = caught([&] { cn.Open(file.path(), QStringLiteral("nope")); });
    EXPECT_EQ(e.Number(), rt::err::WrongPassword);
    EXPECT_EQ(e.Description(), "Not a valid password.");
    EXPECT_FALSE(cn.IsOpen());
    // An empty password is a wrong one too, not a way round the check.
    EXPECT_EQ(errorNumber([&] { cn.Open(file.path(), QString()); }), rt::err::WrongPassword);
}

TEST(ConnectionOpen, MissingFileOrFolderIsAProviderFailureNamingIt) {
    QTemporaryDir dir;
    const QString missing = dir.filePath("missing.vs_");
    Connection cn;
    rt::Error e = caught([&] { cn.Open(missing, dbtest::kPassword); });
    EXPECT_EQ(e.Number(), rt::err::ProviderFailure);
    EXPECT_EQ(e.Description(), QStringLiteral("Could not find file '%1'.").arg(missing));
    // Opening never creates the file.
    EXPECT_FALSE(QFileInfo::exists(missing));

    e = caught([&] { cn.Open(dir.path(), dbtest::kPassword); });
    EXPECT_EQ(e.Number(), rt::err::ProviderFailure);
    EXPECT_TRUE(e.Description().contains(dir.path()));
    EXPECT_FALSE(cn.IsOpen());
}

TEST(ConnectionOpen, FilesThatAreNoDataFilesAreRecognisedAsSuch) {
    QTemporaryDir dir;
    const QString empty = dir.filePath("empty.vs_");
    const QString text = dir.filePath("text.vs_");
    const QString plain = dir.filePath("plain.sqlite");
    writeFile(empty, {});
    writeFile(text, QByteArray("This is a letter, not a data file.\n").repeated(200));
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(plain).constData(), &raw), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(raw, "CREATE TABLE food (foodid INTEGER)", nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(raw);

    for (const QString& path : {empty, text, plain}) {
        SCOPED_TRACE(path.toStdString());
        Connection cn;
        const rt::Error e = caught([&] { cn.Open(path, dbtest::kPassword); });
        EXPECT_EQ(e.Number(), rt::err::ProviderFailure);
        EXPECT_EQ(e.Description(), QStringLiteral("Unrecognized data file format '%1'.").arg(path));
        EXPECT_FALSE(cn.IsOpen());
    }
    // Looking at them changed nothing.
    EXPECT_EQ(QFileInfo(empty).size(), 0);
}

TEST(ConnectionOpen, OpeningAnOpenConnectionRaises3705AndKeepsIt) {
    TestDataFile file;
    Connection cn;
    file.open(cn);
    EXPECT_EQ(errorNumber([&] { file.open(cn); }), rt::err::ObjectOpen);
    EXPECT_TRUE(cn.IsOpen());
    EXPECT_EQ(count(cn, "SELECT count(*) FROM food"), 0);
}

TEST(ConnectionOpen, DeliveredDataFileOpensWithTheProgramsPassword) {
    // A copy, so that nothing here can change the delivered file.
    QTemporaryDir dir;
    const QString copy = dir.filePath(frame::kDataFileName);
    ASSERT_TRUE(QFile::copy(QStringLiteral(KELVORA_PROGRAM_DIR "/") + frame::kDataFileName, copy));
    Connection cn;
    cn.Open(copy, QString::fromLatin1(frame::kDatabasePassword));
    EXPECT_GT(count(cn, "SELECT count(*) FROM unit"), 0);
    // The check's memory map is gone: a disk's read error later is an error, never a signal.
    EXPECT_EQ(count(cn, "PRAGMA mmap_size"), 0);
    cn.Close();
    EXPECT_EQ(errorNumber([&] { cn.Open(copy, dbtest::kPassword); }), rt::err::WrongPassword);
}

// The check comes before anything else reads the file: a damaged page or a lock held by
// another program is told as such, and the file is left as it was.
TEST(ConnectionOpen, DamagedAndLockedFilesAreToldAsSuchAndLeftAlone) {
    TestDataFile file;
    {
        Connection cn;
        file.open(cn);
        cn.Execute("INSERT INTO usr (FirstN) VALUES ('Asha'), ('Meena')");
    }
    {
        trouble::ExclusiveHolder other(file.path());
        Connection::setBusyTimeout(50);
        Connection cn;
        const rt::Error e = caught([&] { file.open(cn); });
        Connection::setBusyTimeout(5000);
        EXPECT_EQ(e.Number(), rt::err::DataFileInUse);
        EXPECT_TRUE(e.Description().contains(file.path())) << e.Description().toStdString();
        EXPECT_FALSE(cn.IsOpen());
    }
    trouble::damageTable(file.path(), "usr");
    QFile data(file.path());
    ASSERT_TRUE(data.open(QIODevice::ReadOnly));
    const QByteArray damaged = data.readAll();
    data.close();
    for (const bool readOnly : {false, true}) {
        Connection cn;
        const rt::Error e = caught([&] { cn.Open(file.path(), dbtest::kPassword, {readOnly}); });
        EXPECT_EQ(e.Number(), rt::err::DataFileDamaged);
        EXPECT_TRUE(e.Description().contains(file.path())) << e.Description().toStdString();
        EXPECT_FALSE(cn.IsOpen());
    }
    ASSERT_TRUE(data.open(QIODevice::ReadOnly));
    EXPECT_EQ(data.readAll(), damaged);
    // Unchecked, it opens as it did before the check: the damage shows only when the table is
    // read (a count alone would read the index on the names instead).
    Connection unchecked;
    unchecked.Open(file.path(), dbtest::kPassword, {.check = db::Check::None});
    EXPECT_NE(errorNumber([&] { count(unchecked, "SELECT count(*) FROM usr NOT INDEXED"); }), 0);
}

// Checked in the background, a file is read at once; the first write waits for the verdict,
// and a damaged file takes no write at all. The opener hears the verdict once, from its event
// loop as well as from a write.
TEST(ConnectionOpen, ABackgroundCheckHoldsTheWritesUntilItsVerdict) {
    TestDataFile file;
    const auto openChecked = [&](Connection& cn, QStringList& heard) {
        db::CheckListener listener;
        listener.whileWaiting = [&heard](const std::function<void()>& wait) {
            heard << QStringLiteral("waiting");
            wait();
        };
        listener.verdict = [&heard](const std::optional<rt::Error>& failure) {
            heard << (failure ? QString::number(failure->Number()) : QStringLiteral("sound"));
        };
        cn.Open(file.path(), dbtest::kPassword,
                {.check = db::Check::InBackground, .listener = listener});
    };
    {
        Connection cn;
        QStringList heard;
        openChecked(cn, heard);
        EXPECT_EQ(count(cn, "SELECT count(*) FROM usr"), 0);
        cn.Execute("INSERT INTO usr (FirstN) VALUES ('Asha'), ('Meena')");
        EXPECT_EQ(heard.filter(QStringLiteral("sound")).size(), 1)
            << heard.join(u' ').toStdString();
        EXPECT_EQ(count(cn, "SELECT count(*) FROM usr"), 2);
    }
    trouble::damageTable(file.path(), "usr");
    QFile data(file.path());
    ASSERT_TRUE(data.open(QIODevice::ReadOnly));
    const QByteArray damaged = data.readAll();
    data.close();
    Connection cn;
    QStringList heard;
    openChecked(cn, heard);
    EXPECT_EQ(count(cn, "SELECT count(*) FROM cat"), 0);
    // The event loop hears it without any write.
    for (int i = 0; i < 500 && heard.isEmpty(); ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(2);
    }
    EXPECT_EQ(heard, QStringList{QString::number(rt::err::DataFileDamaged)});
    EXPECT_EQ(errorNumber([&] { cn.Execute("INSERT INTO cat (cid, cname) VALUES (90, 'x')"); }),
              rt::err::DataFileDamaged);
    EXPECT_EQ(errorNumber([&] { db::Transaction t(cn); }), rt::err::DataFileDamaged);
    EXPECT_EQ(errorNumber([&] {
                  Recordset rs;
                  rs.Open("DELETE FROM cat", cn);
              }),
              rt::err::DataFileDamaged);
    EXPECT_EQ(heard.size(), 1);
    cn.Close();
    ASSERT_TRUE(data.open(QIODevice::ReadOnly));
    EXPECT_EQ(data.readAll(), damaged);
}

// A file that loses its end while it is checked (another program, a failing disk) is damaged:
// the check reads through SQLite's reads, so the loss is an error and never a signal.
TEST(ConnectionOpen, AFileCutShortWhileCheckedIsDamaged) {
    TestDataFile file;
    {
        Connection cn;
        file.open(cn);
        cn.Execute(
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 20000) "
            "INSERT INTO usr (FirstN) SELECT printf('Member %d', i) FROM n");
    }
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open_v2(QFile::encodeName(file.path()).constData(), &raw,
                              SQLITE_OPEN_READONLY, nullptr),
              SQLITE_OK);
    sqlite3_exec(raw, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    QFile data(file.path());
    ASSERT_TRUE(data.resize(data.size() / 3));
    const rt::Error e = caught([&] { db::detail::checkPages(raw, file.path()); });
    sqlite3_close(raw);
    EXPECT_EQ(e.Number(), rt::err::DataFileDamaged) << e.Description().toStdString();
    EXPECT_TRUE(e.Description().contains(file.path()));
}

TEST(ConnectionOpen, AFileOpenedReadOnlyCannotBeWritten) {
    TestDataFile file;
    Connection cn;
    cn.Open(file.path(), dbtest::kPassword, {.readOnly = true});
    EXPECT_EQ(count(cn, "SELECT count(*) FROM usr"), 0);
    EXPECT_EQ(errorNumber([&] { cn.Execute("INSERT INTO usr (FirstN) VALUES ('Asha')"); }),
              rt::err::DataFileReadOnly);
    cn.Close();
    file.open(cn);
    EXPECT_EQ(count(cn, "SELECT count(*) FROM usr"), 0);
}

TEST(ConnectionOpen, FileNameIsAValueNotAConnectionString) {
    QTemporaryDir dir;
    const QString odd = dir.filePath("Data Source=x;Password=y;.vs_");
    Connection::CreateDataFile(odd, dbtest::kPassword, dbtest::schemaSql());
    Connection cn;
    cn.Open(odd, dbtest::kPassword);
    EXPECT_TRUE(cn.IsOpen());
}

// --- creating -----------------------------------------------------------------------------

TEST(ConnectionCreate, NewFileIsPrivateAndNeverReplacesAnExistingOne) {
    TestDataFile file;
    EXPECT_EQ(QFileInfo(file.path()).permissions() &
                  ~(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser),
              QFile::Permissions());

    Connection cn;
    file.open(cn);
    cn.Execute("INSERT INTO cat (cid, cname) VALUES (?, ?)", {1, "FRUITS"});
    cn.Close();
    EXPECT_EQ(errorNumber([&] {
                  Connection::CreateDataFile(file.path(), dbtest::kPassword, dbtest::schemaSql());
              }),
              rt::err::ProviderFailure);
    file.open(cn);
    EXPECT_EQ(count(cn, "SELECT count(*) FROM cat"), 1);
}

TEST(ConnectionCreate, FailedSchemaLeavesNoFileBehind) {
    QTemporaryDir dir;
    const QString path = dir.filePath("bad.vs_");
    EXPECT_EQ(errorNumber([&] {
                  Connection::CreateDataFile(path, "x", "CREATE TABLE a (x); CREATE TABLEX");
              }),
              rt::err::SyntaxError);
    EXPECT_FALSE(QFileInfo::exists(path));
}

// --- statements and errors ----------------------------------------------------------------

class ConnectionTest : public ::testing::Test {
  protected:
    void SetUp() override { file.open(cn); }
    TestDataFile file;
    Connection cn;
};

TEST_F(ConnectionTest, ExecuteReturnsTheRowsChanged) {
    EXPECT_EQ(cn.Execute("INSERT INTO cat (cid, cname) VALUES (?, ?)", {1, "Fruits"}), 1);
    EXPECT_EQ(cn.Execute("INSERT INTO cat (cid, cname) VALUES (?, ?)", {2, "Pulses"}), 1);
    EXPECT_EQ(cn.Execute("UPDATE cat SET cname = upper(cname)"), 2);
    EXPECT_EQ(cn.Execute("DELETE FROM cat WHERE cid = ?", {5}), 0);
    // A query run as a statement changes nothing, whatever ran before it.
    EXPECT_EQ(cn.Execute("SELECT * FROM cat"), 0);
}

TEST_F(ConnectionTest, ValuesAreBoundNeverSpliced) {
    const QString name = QStringLiteral("Rob's'); DROP TABLE cat; --");
    cn.Execute("INSERT INTO cat (cid, cname) VALUES (?, ?)", {1, name});
    Recordset rs;
    rs.Open("SELECT cname FROM cat WHERE cname = ?", cn, {name});
    ASSERT_FALSE(rs.EOF());
    EXPECT_EQ(rs["cname"].toString(), name);
    EXPECT_EQ(count(cn, "SELECT count(*) FROM sqlite_master WHERE name = 'cat'"), 1);
}

TEST_F(ConnectionTest, ParameterCountMustMatchTheMarks) {
    EXPECT_EQ(errorNumber([&] { cn.Execute("INSERT INTO cat (cid, cname) VALUES (?, ?)", {1}); }),
              rt::err::MissingParameter);
    EXPECT_EQ(errorNumber([&] {
                  cn.Execute("DELETE FROM cat WHERE cid = ?", {1, 2});
              }),
              rt::err::ProviderFailure);
    EXPECT_EQ(count(cn, "SELECT count(*) FROM cat"), 0);
}

TEST_F(ConnectionTest, InfinitiesAndNaNAreNeverStored) {
    for (const double v :
         {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
          std::numeric_limits<double>::quiet_NaN()}) {
        EXPECT_EQ(errorNumber([&] {
                      cn.Execute(
                          "INSERT INTO dayin (uid, idate, foodname, quantity, unit) "
                          "VALUES (1, '01-02-2024', 'Apple', ?, 'Grams')",
                          {v});
                  }),
                  rt::err::Overflow);
    }
    EXPECT_EQ(count(cn, "SELECT count(*) FROM dayin"), 0);
}

TEST_F(ConnectionTest, ASecondStatementInTheTextIsRefusedNotIgnored) {
    EXPECT_EQ(errorNumber([&] {
                  cn.Execute("INSERT INTO cat (cid, cname) VALUES (1, 'a'); DELETE FROM food");
              }),
              rt::err::SyntaxError);
    EXPECT_EQ(count(cn, "SELECT count(*) FROM cat"), 0);
    // A trailing semicolon or comment is no second statement.
    EXPECT_EQ(cn.Execute("INSERT INTO cat (cid, cname) VALUES (1, 'a'); -- done"), 1);
}

TEST_F(ConnectionTest, SqliteFailuresCarryTheNumbersTheWindowsBranchOn) {
    rt::Error e = caught([&] { cn.Execute("DELETE FROM nosuchtable"); });
    EXPECT_EQ(e.Number(), rt::err::MissingTable);
    EXPECT_TRUE(e.Description().contains("nosuchtable"));

    e = caught([&] { cn.Execute("UPDATE food SET nosuchcolumn = 1"); });
    EXPECT_EQ(e.Number(), rt::err::MissingParameter);
    EXPECT_TRUE(e.Description().contains("nosuchcolumn"));

    EXPECT_EQ(errorNumber([&] { cn.Execute("SELEC * FROM food"); }), rt::err::SyntaxError);
    EXPECT_EQ(errorNumber([&] { cn.Execute("SELECT * FROM food WHERE"); }), rt::err::SyntaxError);

    e = caught([&] { cn.Execute("INSERT INTO cat (cid, cname) VALUES (?, ?)", {1, Variant()}); });
    EXPECT_EQ(e.Number(), rt::err::ProviderFailure);
    EXPECT_TRUE(e.Description().contains("cat.cname"));
}

TEST_F(ConnectionTest, DuplicateDiaryEntryIsAKeyViolation) {
    const QString sql =
        "INSERT INTO dayin (uid, idate, foodname, quantity, unit) VALUES (?,?,?,?,?)";
    cn.Execute(sql, {7, "01-02-2024", "Apple", 2, "Grams"});
    // The key compares food names without regard to case.
    const rt::Error e = caught([&] { cn.Execute(sql, {7, "01-02-2024", "APPLE", 3, "Grams"}); });
    EXPECT_EQ(e.Number(), rt::err::ProviderFailure);
    EXPECT_EQ(e.Description(),
              "The changes you requested to the table were not successful because they would "
              "create duplicate values in the index, primary key, or relationship.");
    cn.Execute(sql, {7, "02-02-2024", "Apple", 1, "Grams"});
    EXPECT_EQ(count(cn, "SELECT count(*) FROM dayin"), 2);
}

TEST_F(ConnectionTest, DuplicatePrimaryKeyIsAKeyViolation) {
    cn.Execute("INSERT INTO formats (cat, what) VALUES (?, ?)", {"back", "255"});
    const rt::Error e = caught([&] {
        cn.Execute("INSERT INTO formats (cat, what) VALUES (?, ?)", {"BACK", "0"});
    });
    EXPECT_EQ(e.Number(), rt::err::ProviderFailure);
    EXPECT_TRUE(db::IsKeyViolation(e));
    EXPECT_FALSE(db::IsKeyViolation(
        caught([&] { cn.Execute("INSERT INTO cat (cid, cname) VALUES (1, NULL)"); })));
}

// A write that fails for the file's or the disk's sake says which, naming the file, so that the
// person can be told what to do about it.
TEST_F(ConnectionTest, WriteFailuresOfTheFileOrTheDiskCarryTheirCause) {
    const auto write = [&] {
        db::Transaction transaction(cn);
        cn.Execute("INSERT INTO usr (FirstN) VALUES (?)", {QString(3000, u'x')});
        transaction.Commit();
    };
    {
        trouble::ExclusiveHolder other(file.path(), trouble::Hold::Writes);
        sqlite3_busy_timeout(cn.handle(), 0);
        const rt::Error e = caught(write);
        EXPECT_EQ(e.Number(), rt::err::DataFileInUse);
        EXPECT_TRUE(e.Description().contains(file.path())) << e.Description().toStdString();
    }
    {
        const trouble::FileSizeLimit limit(1024);
        EXPECT_EQ(errorNumber(write), rt::err::DiskError);
    }
    // The file may grow no further, as on a full disk.
    cn.Execute("PRAGMA max_page_count = 1");
    long full = 0;
    for (int i = 0; i < 100 && full == 0; ++i) {
        full = errorNumber(write);
    }
    EXPECT_EQ(full, rt::err::DiskFull);
    cn.Execute("PRAGMA max_page_count = 1000000");
    // A folder in which no journal can be made; root may write in any folder.
    if (::geteuid() != 0) {
        ASSERT_TRUE(
            QFile::setPermissions(file.folder(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        const long readOnly = errorNumber(write);
        QFile::setPermissions(file.folder(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                 QFileDevice::ExeOwner);
        EXPECT_EQ(readOnly, rt::err::DataFileReadOnly);
    }
    EXPECT_EQ(errorNumber(write), 0);
}

TEST_F(ConnectionTest, NoCaseColumnsCompareBoundTextWithoutRegardToCase) {
    cn.Execute("INSERT INTO food (foodid, foodname) VALUES (?, ?)", {1, "Banana"});
    cn.Execute("INSERT INTO food (foodid, foodname, foodnote) VALUES (?, ?, ?)",
               {2, "apple", "Red"});
    EXPECT_EQ(count(cn, "SELECT count(*) FROM food WHERE foodname = ?", {"BANANA"}), 1);
    // foodnote is not declared NOCASE: exact comparison there.
    EXPECT_EQ(count(cn, "SELECT count(*) FROM food WHERE foodnote = ?", {"red"}), 0);
    Recordset rs;
    rs.Open("SELECT foodname FROM food ORDER BY foodname", cn);
    EXPECT_EQ(rs["foodname"].toString(), "apple");
}

TEST_F(ConnectionTest, CdateOrdersDiaryDatesAsDates) {
    const QString sql = "INSERT INTO dayin (uid, idate, foodname) VALUES (1, ?, ?)";
    cn.Execute(sql, {"15-01-2024", "a"});
    cn.Execute(sql, {"02-03-2023", "b"});
    cn.Execute(sql, {"01-02-2024", "c"});
    cn.Execute(sql, {"not a date", "d"});
    Recordset rs;
    rs.Open("SELECT foodname, cdate(idate) AS d FROM dayin ORDER BY cdate(idate)", cn);
    QStringList order;
    for (; !rs.EOF(); rs.MoveNext()) {
        order << rs["foodname"].toString();
    }
    // Text order would put 01-02-2024 first; an unreadable date is Null and sorts first.
    EXPECT_EQ(order, QStringList({"d", "b", "a", "c"}));
    rs.Close();
    rs.Open("SELECT cdate(?) AS a, cdate(?) AS b, cdate(NULL) AS c", cn,
            {"29-02-2024", "30-02-2024"});
    EXPECT_EQ(rs["a"], Variant("2024-02-29"));
    EXPECT_TRUE(rs["b"].IsNull());
    EXPECT_TRUE(rs["c"].IsNull());
}

TEST_F(ConnectionTest, StatementsOnAClosedConnectionRaise3704) {
    cn.Close();
    EXPECT_EQ(errorNumber([&] { cn.Execute("DELETE FROM cat"); }), rt::err::ObjectClosed);
    EXPECT_EQ(errorNumber([&] { db::Transaction t(cn); }), rt::err::ObjectClosed);
}

// --- transactions -------------------------------------------------------------------------

TEST_F(ConnectionTest, TransactionObjectRollsBackUnlessCommitted) {
    {
        db::Transaction t(cn);
        EXPECT_TRUE(cn.InTransaction());
        cn.Execute("INSERT INTO usr (FirstN) VALUES (?)", {"Ann"});
        cn.Execute("INSERT INTO dayin (uid, idate, foodname) VALUES (1, '01-01-2024', 'x')");
    }
    EXPECT_FALSE(cn.InTransaction());
    EXPECT_EQ(count(cn, "SELECT count(*) FROM usr"), 0);
    EXPECT_EQ(count(cn, "SELECT count(*) FROM dayin"), 0);

    try {
        db::Transaction t(cn);
        cn.Execute("INSERT INTO cat (cid, cname) VALUES (1, 'a')");
        cn.Execute("INSERT INTO cat (cid, cname) VALUES (1, 'b')");  // duplicate key
        t.Commit();
        FAIL() << "the duplicate was accepted";
    } catch (const rt::Error& e) {
        EXPECT_EQ(e.Number(), rt::err::ProviderFailure);
    }
    EXPECT_FALSE(cn.InTransaction());
    EXPECT_EQ(count(cn, "SELECT count(*) FROM cat"), 0);

    {
        db::Transaction t(cn);
        cn.Execute("INSERT INTO cat (cid, cname) VALUES (2, 'c')");
        t.Commit();
    }
    EXPECT_EQ(count(cn, "SELECT count(*) FROM cat"), 1);
}

TEST_F(ConnectionTest, TransactionMisuseIsReported) {
    {
        db::Transaction outer(cn);
        {
            db::Transaction inner(cn);
            // The outer one cannot decide while the one inside it is undecided.
            EXPECT_EQ(errorNumber([&] { outer.Commit(); }), rt::err::ProviderFailure);
            inner.Commit();
        }
        outer.Commit();
        EXPECT_EQ(errorNumber([&] { outer.Commit(); }), rt::err::ProviderFailure);
    }
    EXPECT_FALSE(cn.InTransaction());
}

namespace {

// A rule that keeps its writes together in a transaction of its own, called from a window that
// holds one already.
void addCategory(Connection& cn, int cid, const QString& name) {
    db::Transaction t(cn);
    cn.Execute("INSERT INTO cat (cid, cname) VALUES (?, ?)", {cid, name});
    cn.Execute("INSERT INTO cat (cid, cname) VALUES (?, ?)", {cid + 100, name + " (copy)"});
    t.Commit();
}

}  // namespace

TEST_F(ConnectionTest, ATransactionInsideAnotherIsASavepointOfIt) {
    {
        db::Transaction window(cn);
        cn.Execute("INSERT INTO usr (FirstN) VALUES (?)", {"Ann"});
        addCategory(cn, 1, "Fruits");
        EXPECT_TRUE(cn.InTransaction());
        // The rule's commit hands its rows to the window's transaction, which decides for all.
    }
    EXPECT_EQ(count(cn, "SELECT count(*) FROM cat"), 0);
    EXPECT_EQ(count(cn, "SELECT count(*) FROM usr"), 0);

    // A rule that fails undoes only its own rows; the window's go on and are committed.
    {
        db::Transaction window(cn);
        cn.Execute("INSERT INTO usr (FirstN) VALUES (?)", {"Ben"});
        addCategory(cn, 2, "Pulses");
        EXPECT_EQ(errorNumber([&] { addCategory(cn, 3, "Pulses"); }), 0);
        EXPECT_EQ(errorNumber([&] { addCategory(cn, 2, "Again"); }), rt::err::ProviderFailure);
        EXPECT_TRUE(cn.InTransaction());
        // An inner level left without a commit undoes only its own writes.
        {
            db::Transaction inner(cn);
            cn.Execute("DELETE FROM usr");
        }
        window.Commit();
    }
    EXPECT_FALSE(cn.InTransaction());
    EXPECT_EQ(count(cn, "SELECT count(*) FROM usr"), 1);
    EXPECT_EQ(count(cn, "SELECT count(*) FROM cat"), 4);
    EXPECT_EQ(count(cn, "SELECT count(*) FROM cat WHERE cname = 'Again'"), 0);
}

TEST_F(ConnectionTest, ClosingInATransactionRollsBackAndLogsInsteadOfRaising) {
    rt::App::setDataFolder(file.folder());
    {
        db::Transaction outer(cn);
        cn.Execute("INSERT INTO usr (FirstN) VALUES (?)", {"Ann"});
        db::Transaction inner(cn);
        cn.Execute("INSERT INTO cat (cid, cname) VALUES (1, 'a')");
        cn.Close();
        // Both go out of scope over the closed connection, with nothing left to undo.
    }
    rt::App::setDataFolder({});
    EXPECT_FALSE(cn.IsOpen());
    EXPECT_FALSE(cn.InTransaction());

    file.open(cn);
    EXPECT_EQ(count(cn, "SELECT count(*) FROM usr"), 0);
    EXPECT_EQ(count(cn, "SELECT count(*) FROM cat"), 0);
    QFile log(file.folder() + "/report.Log");
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QString record = QString::fromUtf8(log.readAll());
    EXPECT_TRUE(record.contains("=====Error Number = 3219")) << record.toStdString();
    EXPECT_TRUE(record.contains("rolled back")) << record.toStdString();
    // A transaction begun after reopening is the outermost again: its commit reaches the file.
    {
        db::Transaction t(cn);
        cn.Execute("INSERT INTO cat (cid, cname) VALUES (2, 'b')");
        t.Commit();
    }
    EXPECT_FALSE(cn.InTransaction());
    EXPECT_EQ(count(cn, "SELECT count(*) FROM cat"), 1);
}

TEST_F(ConnectionTest, CommittedWorkSurvivesReopening) {
    cn.Execute("INSERT INTO cat (cid, cname) VALUES (1, 'a')");
    {
        db::Transaction t(cn);
        cn.Execute("INSERT INTO cat (cid, cname) VALUES (2, 'b')");
        t.Commit();
    }
    cn.Close();
    Connection again;
    file.open(again);
    EXPECT_EQ(count(again, "SELECT count(*) FROM cat"), 2);
}
