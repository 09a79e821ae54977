#include <QFile>
#include <QLockFile>

#include "db/Recordset.h"
#include "frame/core.h"
#include "frame/frmMain.h"
#include "frame/frmSpl.h"
#include "support/ProgramFixture.h"
#include "ui/Constants.h"

namespace {

const QString kMissingFile = QStringLiteral(
    "Some files are missing or are not in correct format. Please contact your nearest product "
    "vendor.  Application is going to terminate now.    or  Do you want to select your file "
    "yourself ?");

using StartupTest = ProgramTest;

TEST_F(StartupTest, GoodFileBringsUpTheMainWindowAndStoresThePath) {
    start();
    EXPECT_TRUE(frmMain::instance().Visible());
    EXPECT_FALSE(frmSpl::isLoaded());
    EXPECT_TRUE(core::cn.IsOpen());
    EXPECT_EQ(core::cmd.ActiveConnection, &core::cn);
    EXPECT_EQ(core::DataPath, dataFile());
    // A missing key is created with the default.
    EXPECT_EQ(option(QStringLiteral("data path")), dataFile());
    EXPECT_TRUE(host.calls().filter(QStringLiteral("MsgBox")).isEmpty());
}

TEST_F(StartupTest, OpensTheFileNamedByTheStoredPath) {
    const QString other = programDir() + QStringLiteral("/elsewhere.vs_");
    installDeliveredDataFile(other);
    QFile::remove(dataFile());
    setOption(QStringLiteral("data path"), other);
    start();
    EXPECT_EQ(core::DataPath, other);
    EXPECT_EQ(option(QStringLiteral("data path")), other);
}

TEST_F(StartupTest, WrongPasswordEndsWithTheProvidersMessage) {
    createDataFile(dataFile(), QStringLiteral("some other password"));
    host.expectMsgBox(QStringLiteral("Not a valid password.. Termination of application"),
                      ui::vbOKOnly, QStringLiteral("Kelvora"))
        .answer(ui::vbOK);
    expectProgramEnds([] { core::Main(); });
    EXPECT_FALSE(frmMain::isLoaded());
}

TEST_F(StartupTest, MissingFileAnsweredNoEnds) {
    QFile::remove(dataFile());
    host.expectMsgBox(kMissingFile, ui::vbYesNo | ui::vbCritical, QStringLiteral("Kelvora"))
        .answer(ui::vbNo);
    expectProgramEnds([] { core::Main(); });
}

TEST_F(StartupTest, CancelledPickerAsksAgainUntilNo) {
    QFile::remove(dataFile());
    setOption(QStringLiteral("Defter"), QStringLiteral("Asha"));
    host.expectMsgBox(kMissingFile).answer(ui::vbYes);
    auto picker = host.expectOpenDialog().cancel();
    host.expectMsgBox(kMissingFile).answer(ui::vbNo);
    expectProgramEnds([] { core::Main(); });
    EXPECT_EQ(picker.request().Filter, QStringLiteral("Kelvora File (*.vs_)|*.vs_"));
    EXPECT_EQ(picker.request().DefaultExt, QStringLiteral(".vs_"));
    EXPECT_EQ(picker.request().InitDir, programDir());
    EXPECT_EQ(option(QStringLiteral("Defter")), QStringLiteral("-"));
}

TEST_F(StartupTest, PickedFileOpensAndIsRememberedForTheNextStart) {
    QFile::remove(dataFile());
    const QString picked = programDir() + QStringLiteral("/picked.vs_");
    installDeliveredDataFile(picked);
    host.expectMsgBox(kMissingFile).answer(ui::vbYes);
    host.expectOpenDialog().answer(picked);
    start();
    EXPECT_EQ(core::DataPath, picked);
    EXPECT_EQ(option(QStringLiteral("data path")), picked);
    EXPECT_EQ(option(QStringLiteral("Defter")), QStringLiteral("-"));

    // The next start opens it without asking.
    restart();
    EXPECT_EQ(core::DataPath, picked);
}

TEST_F(StartupTest, PickedFileWithAnotherPasswordEnds) {
    QFile::remove(dataFile());
    const QString picked = programDir() + QStringLiteral("/foreign.vs_");
    createDataFile(picked, QStringLiteral("not ours"));
    host.expectMsgBox(kMissingFile).answer(ui::vbYes);
    host.expectOpenDialog().answer(picked);
    host.expectMsgBox(QStringLiteral("Not a valid password.. Termination of application"))
        .answer(ui::vbOK);
    expectProgramEnds([] { core::Main(); });
    EXPECT_NE(option(QStringLiteral("data path")), picked);
}

TEST_F(StartupTest, SecondInstanceIsRefused) {
    QLockFile other(programDir() + QStringLiteral("/kelvora.lock"));
    // Another copy of the program holds the lock.
    other.setStaleLockTime(0);
    ASSERT_TRUE(other.tryLock());
    host.expectMsgBox(QStringLiteral("Kelvora is already running"),
                      ui::vbOKOnly | ui::vbInformation, QStringLiteral("Kelvora"))
        .answer(ui::vbOK);
    expectProgramEnds([] { core::Main(); });
    EXPECT_FALSE(frmMain::isLoaded());
    EXPECT_FALSE(core::cn.IsOpen());
}

}  // namespace
