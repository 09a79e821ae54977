#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QThread>

#include "db/Connection.h"
#include "db/Recordset.h"
#include "frame/DataFile.h"
#include "frame/DataIndexes.h"
#include "frame/core.h"
#include "frame/frmMain.h"
#include "frame/frmOpt.h"
#include "frame/frmStrt.h"
#include "runtime/Error.h"
#include "support/DataFileTrouble.h"
#include "support/ProgramFixture.h"
#include "ui/Constants.h"
#include "ui/Host.h"

namespace {

const QString kMissingFile = QStringLiteral(
    "Some files are missing or are not in correct format. Please contact your nearest product "
    "vendor.  Application is going to terminate now.    or  Do you want to select your file "
    "yourself ?");

// Where the person's data file comes from, and what start-up says of a file it cannot use.
class DataFileTest : public ProgramTest {
  protected:
    ~DataFileTest() override { db::Connection::setBusyTimeout(5000); }

    static QByteArray contentOf(const QString& file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly)
                   ? QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256)
                   : QByteArray();
    }
    static void addMember(const QString& file, const QString& name) {
        db::Connection cn;
        cn.Open(file, QString::fromLatin1(frame::kDatabasePassword));
        cn.Execute(QStringLiteral("INSERT INTO usr (Prefix, FirstN) VALUES ('Ms.', ?)"), {name});
    }
    static QStringList members(db::Connection& cn) {
        db::Recordset rs;
        rs.Open(QStringLiteral("SELECT FirstN FROM usr ORDER BY FirstN"), cn);
        QStringList names;
        for (; !rs.EOF(); rs.MoveNext()) {
            names << rs[QStringLiteral("FirstN")].text();
        }
        return names;
    }
    // Read and written by its owner, and by nobody else.
    static bool theOwnersAlone(const QString& file) {
        const QFileDevice::Permissions mode = QFileInfo(file).permissions();
        return mode.testFlags(QFileDevice::ReadOwner | QFileDevice::WriteOwner) &&
               !(mode & (QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ReadOther |
                         QFileDevice::WriteOther));
    }
    QString log() const {
        QFile file(userDir() + QStringLiteral("/report.Log"));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
    QString damagedQuestion(const QString& file) const {
        return QStringLiteral("The data file ") + file +
               QStringLiteral(
                   " is damaged, so Kelvora cannot use it. Nothing has been written "
                   "to it.\n\nDo you want to select another data file?");
    }
    QString inUseMessage(const QString& file) const {
        return QStringLiteral("The data file ") + file +
               QStringLiteral(
                   " is in use by another program. Close that program and choose "
                   "Retry, or choose Cancel to end Kelvora.");
    }
};

// The first start makes the person's file from the template and works in it from then on;
// the template stays as it was, and a later start never replaces the person's file.
TEST_F(DataFileTest, TheFirstStartCopiesTheTemplateAndNeverReplacesTheCopy) {
    QFile::remove(dataFile());
    const QByteArray delivered = contentOf(deliveredFile());
    start();
    EXPECT_EQ(core::DataPath, dataFile());
    EXPECT_EQ(option(QStringLiteral("data path")), dataFile());
    EXPECT_TRUE(theOwnersAlone(dataFile()));
    EXPECT_TRUE(host.calls().filter(QStringLiteral("MsgBox")).isEmpty());
    core::cn.Execute(QStringLiteral("INSERT INTO usr (Prefix, FirstN) VALUES ('Mr.', 'Ravi')"));

    // As an earlier build stored it: "data path" names the template.
    setOption(QStringLiteral("data path"), deliveredFile());
    restart();
    EXPECT_EQ(core::DataPath, dataFile());
    EXPECT_EQ(option(QStringLiteral("data path")), dataFile());
    EXPECT_EQ(members(core::cn), QStringList{QStringLiteral("Ravi")});
    EXPECT_EQ(contentOf(deliveredFile()), delivered);
}

// Until now people worked in the file beside the program; what they entered there comes along
// once, and they are told.
TEST_F(DataFileTest, AnEarlierBuildsFileWithEntriesIsCopiedOnceAndSaidSo) {
    installDeliveredDataFile(deliveredFile());
    addMember(deliveredFile(), QStringLiteral("Asha"));
    const QByteArray earlier = contentOf(deliveredFile());
    QFile::remove(dataFile());
    setOption(QStringLiteral("data path"), deliveredFile());
    host.expectMsgBox(QStringLiteral("Kelvora now keeps your data in ") + dataFile() +
                          QStringLiteral(". The members, diary entries and foods you entered in ") +
                          deliveredFile() +
                          QStringLiteral(" have been copied there, so that a new build of Kelvora "
                                         "can no longer replace them."),
                      ui::vbOKOnly | ui::vbInformation, QStringLiteral("Kelvora"))
        .answer(ui::vbOK);
    start();
    EXPECT_EQ(core::DataPath, dataFile());
    EXPECT_EQ(members(core::cn), QStringList{QStringLiteral("Asha")});
    EXPECT_EQ(contentOf(deliveredFile()), earlier);
    restart();
    EXPECT_EQ(host.calls().filter(QStringLiteral("MsgBox")).size(), 1);
}

// Someone who worked in a file elsewhere and never had one of their own goes back to the
// default: the next start makes their own file, rather than asking for the missing one. Any
// other file that has gone is asked for, not made.
TEST_F(DataFileTest, BackToTheDefaultTheOwnFileIsMadeAnotherMissingFileIsAskedFor) {
    const QString elsewhere = programDir() + QStringLiteral("/elsewhere.vs_");
    installDeliveredDataFile(elsewhere);
    setOption(QStringLiteral("data path"), elsewhere);
    QFile::remove(dataFile());
    start();
    frmStrt::instance().Label11.click();
    frmOpt& options = frmOpt::instance();
    options.cmdDefault.click();
    host
        .expectMsgBox(QStringLiteral(
            "Data file path is changed. It will take effect after restarting Kelvora"))
        .answer(ui::vbYes);
    expectProgramEnds([&] { options.cmdOK.click(); });
    restart();
    EXPECT_EQ(core::DataPath, dataFile());
    EXPECT_EQ(members(core::cn), QStringList());
    EXPECT_TRUE(theOwnersAlone(dataFile()));

    QFile::remove(elsewhere);
    setOption(QStringLiteral("data path"), elsewhere);
    host.expectMsgBox(kMissingFile).answer(ui::vbNo);
    expectProgramEnds([this] { restart(); });
    EXPECT_FALSE(QFileInfo::exists(elsewhere));
}

// A build keeps the earlier file beside the program that held entries; the start that makes
// the person's file takes the newest such file, once, and says so.
TEST_F(DataFileTest, TheNewestKeptEarlierFileIsCarriedOverOnce) {
    const QString older = deliveredFile() + QStringLiteral(".earlier");
    const QString newest = deliveredFile() + QStringLiteral(".earlier.2");
    installDeliveredDataFile(older);
    addMember(older, QStringLiteral("Asha"));
    installDeliveredDataFile(newest);
    addMember(newest, QStringLiteral("Meena"));
    const QByteArray kept = contentOf(newest);
    QFile::remove(dataFile());
    host.expectMsgBox(QStringLiteral("Kelvora now keeps your data in ") + dataFile() +
                          QStringLiteral(". The members, diary entries and foods you entered in ") +
                          newest +
                          QStringLiteral(" have been copied there, so that a new build of Kelvora "
                                         "can no longer replace them."),
                      ui::vbOKOnly | ui::vbInformation, QStringLiteral("Kelvora"))
        .answer(ui::vbOK);
    start();
    EXPECT_EQ(members(core::cn), QStringList{QStringLiteral("Meena")});
    EXPECT_EQ(contentOf(newest + QStringLiteral(".copied")), kept);
    EXPECT_FALSE(QFileInfo::exists(newest));

    // Started afresh: the template, not a kept file again.
    QFile::remove(dataFile());
    restart();
    EXPECT_EQ(members(core::cn), QStringList());
    EXPECT_EQ(host.calls().filter(QStringLiteral("MsgBox")).size(), 1);
    EXPECT_TRUE(QFileInfo::exists(older));
}

// A fresh copy of the template made on purpose never replaces a file, nor leaves a part behind.
TEST_F(DataFileTest, AFreshCopyOfTheTemplateNeverReplacesAFile) {
    addMember(dataFile(), QStringLiteral("Asha"));
    const QByteArray own = contentOf(dataFile());
    try {
        frame::CopyTemplateTo(dataFile());
        ADD_FAILURE() << "the copy replaced the person's file";
    } catch (const rt::Error& error) {
        EXPECT_EQ(error.Number(), rt::err::PathFileAccessError);
    }
    EXPECT_EQ(contentOf(dataFile()), own);
    EXPECT_EQ(QDir(userDir()).entryList(QDir::Files),
              QStringList{QLatin1String(frame::kDataFileName)});
}

// One damaged page among the members: the file is named and left as it is; another file can
// be picked, or the program ends.
TEST_F(DataFileTest, ADamagedFileIsToldAndLeftUntouched) {
    addMember(dataFile(), QStringLiteral("Asha"));
    addMember(dataFile(), QStringLiteral("Meena"));
    trouble::damageTable(dataFile(), "usr");
    const QByteArray damaged = contentOf(dataFile());
    const QString picked = programDir() + QStringLiteral("/picked.vs_");
    installDeliveredDataFile(picked);
    host.expectMsgBox(damagedQuestion(dataFile()), ui::vbYesNo | ui::vbCritical,
                      QStringLiteral("Kelvora"))
        .answer(ui::vbYes);
    host.expectOpenDialog().answer(picked);
    start();
    EXPECT_EQ(core::DataPath, picked);
    EXPECT_EQ(contentOf(dataFile()), damaged);
    EXPECT_TRUE(log().contains(QStringLiteral("=====Error Number = 3049"))) << log().toStdString();

    setOption(QStringLiteral("data path"), dataFile());
    host.expectMsgBox(damagedQuestion(dataFile())).answer(ui::vbNo);
    expectProgramEnds([this] { restart(); });
    EXPECT_EQ(contentOf(dataFile()), damaged);
}

// The check goes on while the program comes up: its verdict on a damaged file is told when
// it comes in, with no write needed to bring it out.
TEST_F(DataFileTest, ADamagedFileIsToldOnceItsCheckIsDone) {
    trouble::damageTable(dataFile(), "usr");
    host.expectMsgBox(damagedQuestion(dataFile())).answer(ui::vbNo);
    expectProgramEnds([] {
        core::Main();
        for (int i = 0; i < 1000 && !ui::programEnding(); ++i) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            QThread::msleep(2);
        }
        ui::passOnEnd();
    });
}

// The way back from a damaged file of one's own: the template chosen instead of it sets the
// damaged file aside, kept as it was, and the program starts again on a fresh copy.
TEST_F(DataFileTest, TheTemplateChosenForADamagedFileStartsAfreshAndKeepsTheDamagedOne) {
    addMember(dataFile(), QStringLiteral("Asha"));
    trouble::damageTable(dataFile(), "usr");
    const QByteArray damaged = contentOf(dataFile());
    const QString kept = dataFile() + QStringLiteral(".damaged");
    host.expectMsgBox(damagedQuestion(dataFile())).answer(ui::vbYes);
    host.expectOpenDialog().answer(deliveredFile());
    host.expectMsgBox(QStringLiteral("The damaged data file has been kept as ") + kept +
                          QStringLiteral(". Kelvora now works in ") + dataFile() +
                          QStringLiteral(", a fresh copy of the delivered data."),
                      ui::vbOKOnly | ui::vbInformation, QStringLiteral("Kelvora"))
        .answer(ui::vbOK);
    start();
    EXPECT_EQ(core::DataPath, dataFile());
    EXPECT_EQ(option(QStringLiteral("data path")), dataFile());
    EXPECT_EQ(contentOf(kept), damaged);
    EXPECT_EQ(contentOf(dataFile()), contentOf(deliveredFile()));
    core::cn.Execute(QStringLiteral("INSERT INTO usr (Prefix, FirstN) VALUES ('Mr.', 'Ravi')"));
    EXPECT_EQ(members(core::cn), QStringList{QStringLiteral("Ravi")});
}

// One copy at a time on a data file, however the other copy was started: one with another
// runtime folder holds no single-instance lock of this one, but it holds the file's own.
TEST_F(DataFileTest, AnotherCopyOnTheSameFileKeepsThisOneOff) {
    QLockFile other(dataFile() + QStringLiteral(".lock"));
    ASSERT_TRUE(other.tryLock(0));
    host.expectMsgBox(QStringLiteral("Kelvora is already running"),
                      ui::vbInformation | ui::vbOKOnly, QStringLiteral("Kelvora"))
        .answer(ui::vbOK);
    expectProgramEnds([] { core::Main(); });
    EXPECT_FALSE(core::cn.IsOpen());
    other.unlock();
    restart();
    EXPECT_EQ(core::DataPath, dataFile());
}

// A good file that another program holds is not offered to be replaced: Retry waits for it,
// Cancel ends.
TEST_F(DataFileTest, ALockedFileIsInUseWithRetryAndCancel) {
    db::Connection::setBusyTimeout(50);
    trouble::ExclusiveHolder other(dataFile());
    const int buttons = ui::vbRetryCancel | ui::vbExclamation;
    host.expectMsgBox(inUseMessage(dataFile()), buttons, QStringLiteral("Kelvora"))
        .answer(ui::vbRetry);
    host.expectMsgBox(inUseMessage(dataFile()), buttons).answer(ui::vbRetry).meanwhile([&] {
        other.letGo();
    });
    start();
    EXPECT_EQ(core::DataPath, dataFile());

    trouble::ExclusiveHolder again(dataFile());
    host.expectMsgBox(inUseMessage(dataFile()), buttons).answer(ui::vbCancel);
    expectProgramEnds([this] { restart(); });
}

}  // namespace

// A file made before the windows read through these indexes gains them at its first start,
// keeping what it holds; the delivered template has them from its build, spelt alike.
TEST_F(DataFileTest, AnEarlierFileGainsTheReadIndexesAndTheTemplateHasThem) {
    QStringList names;
    for (const QString& statement : frame::ReadIndexes()) {
        names << statement.section(QLatin1Char(' '), 2, 2);
    }
    {
        db::Connection cn;
        cn.Open(deliveredFile(), QString::fromLatin1(frame::kDatabasePassword), {.readOnly = true});
        QStringList built;
        for (const QString& name : names) {
            db::Recordset rs;
            rs.Open(QStringLiteral("SELECT sql FROM sqlite_master WHERE name = ?"), cn, {name});
            built << (rs.EOF() ? QString() : rs[0].text());
        }
        EXPECT_EQ(built, frame::ReadIndexes());
    }
    {
        db::Connection cn;
        cn.Open(dataFile(), QString::fromLatin1(frame::kDatabasePassword));
        for (const QString& name : names) {
            cn.Execute(QStringLiteral("DROP INDEX ") + name);
        }
    }
    addMember(dataFile(), QStringLiteral("Asha"));
    start();
    db::Recordset rs;
    rs.Open(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'index' AND name IN "
                           "(?, ?, ?)"),
            core::cn, {names[0], names[1], names[2]});
    EXPECT_EQ(rs[0].toLong(), 3);
    EXPECT_EQ(members(core::cn), QStringList{QStringLiteral("Asha")});
    EXPECT_EQ(frame::AddMissingIndexes(core::cn), 0);
}
