#include <unistd.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
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

class StartupTest : public ProgramTest {
  protected:
    // No data file anywhere: neither the person's nor the template to make one from.
    void removeDataFiles() const {
        QFile::remove(dataFile());
        QFile::remove(deliveredFile());
    }
};

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

// The person never typed a password: a file whose access check does not match is offered to
// be replaced like a missing one, and the file picked is the one opened from then on.
TEST_F(StartupTest, AFileWithAnotherPasswordLetsThePersonPickAnother) {
    const QString foreign = programDir() + QStringLiteral("/foreign.vs_");
    createDataFile(foreign, QStringLiteral("some other password"));
    setOption(QStringLiteral("data path"), foreign);
    host.expectMsgBox(kMissingFile, ui::vbYesNo | ui::vbCritical, QStringLiteral("Kelvora"))
        .answer(ui::vbYes);
    host.expectOpenDialog().answer(dataFile());
    start();
    EXPECT_EQ(core::DataPath, dataFile());
    EXPECT_EQ(option(QStringLiteral("data path")), dataFile());
    restart();
    EXPECT_TRUE(host.calls().filter(QStringLiteral("password")).isEmpty());
}

TEST_F(StartupTest, MissingFileAnsweredNoEnds) {
    removeDataFiles();
    host.expectMsgBox(kMissingFile, ui::vbYesNo | ui::vbCritical, QStringLiteral("Kelvora"))
        .answer(ui::vbNo);
    expectProgramEnds([] { core::Main(); });
}

TEST_F(StartupTest, CancelledPickerAsksAgainUntilNo) {
    removeDataFiles();
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
    removeDataFiles();
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

TEST_F(StartupTest, APickedFileWithAnotherPasswordAsksAgain) {
    removeDataFiles();
    const QString picked = programDir() + QStringLiteral("/foreign.vs_");
    createDataFile(picked, QStringLiteral("not ours"));
    host.expectMsgBox(kMissingFile).answer(ui::vbYes);
    host.expectOpenDialog().answer(picked);
    host.expectMsgBox(kMissingFile).answer(ui::vbNo);
    expectProgramEnds([] { core::Main(); });
    EXPECT_NE(option(QStringLiteral("data path")), picked);
}

// The settings file of the test's own store.
class StartupSettingsTest : public StartupTest {
  protected:
    QString settingsFile() const {
        return programDir() + QStringLiteral("/settings/Kelvora/Kelvora.ini");
    }
    void writeSettingsFile(const QByteArray& content) const {
        QDir().mkpath(QFileInfo(settingsFile()).path());
        QFile file(settingsFile());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    QByteArray settingsFileContent() const {
        QFile file(settingsFile());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

TEST_F(StartupSettingsTest, AnUnchangedPreferenceIsNotWrittenBack) {
    setOption(QStringLiteral("data path"), dataFile());
    // A comment line would not survive a rewrite of the file.
    const QByteArray before = "; kept as it is\n" + settingsFileContent();
    writeSettingsFile(before);
    start();
    EXPECT_EQ(settingsFileContent(), before);
}

TEST_F(StartupSettingsTest, AnUnreadableSettingsFileIsSetAsideOnce) {
    writeSettingsFile("[Options\ndata path=\x01\x02\xff[");
    host.expectMsgBox(QStringLiteral("The preferences file ") + settingsFile() +
                          QStringLiteral(" could not be read. It is kept as ") + settingsFile() +
                          QStringLiteral(".unreadable and Kelvora starts with the default "
                                         "preferences."),
                      ui::vbOKOnly | ui::vbInformation, QStringLiteral("Kelvora"))
        .answer(ui::vbOK);
    start();
    EXPECT_EQ(core::DataPath, dataFile());
    EXPECT_EQ(option(QStringLiteral("data path")), dataFile());
    EXPECT_TRUE(QFile::exists(settingsFile() + QStringLiteral(".unreadable")));
    // The file written in its place is sound: the next start says nothing.
    restart();
    EXPECT_EQ(host.calls().filter(QStringLiteral("MsgBox")).size(), 1);
}

// While it lives, the process acts as a normal user would. Root reads every file whatever its
// mode, so as root it takes the identity of "nobody" (the folder made theirs) and gives it back
// when it goes; as a normal user it changes nothing.
class AsNormalUser {
  public:
    explicit AsNormalUser(const QString& folder) {
        if (::geteuid() != 0) {
            return;
        }
        constexpr uid_t kNobody = 65534;
        QDirIterator entries(folder, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                             QDirIterator::Subdirectories);
        bool owned = ::chown(QFile::encodeName(folder).constData(), kNobody, -1) == 0;
        while (entries.hasNext()) {
            owned =
                ::lchown(QFile::encodeName(entries.next()).constData(), kNobody, -1) == 0 && owned;
        }
        dropped_ = owned && ::seteuid(kNobody) == 0;
        EXPECT_TRUE(dropped_) << "cannot act as a normal user";
    }
    ~AsNormalUser() {
        if (dropped_) {
            EXPECT_EQ(::seteuid(0), 0);
        }
    }
    AsNormalUser(const AsNormalUser&) = delete;
    AsNormalUser& operator=(const AsNormalUser&) = delete;

  private:
    bool dropped_ = false;
};

// A preferences file the person may not read (mode 0000): told as unreadable, set aside, and
// the program starts on the defaults and can store again.
TEST_F(StartupSettingsTest, APreferencesFileThatMayNotBeReadIsSetAsideAndDefaultsApply) {
    writeSettingsFile("[Options]\nlanguage=Hindi\n");
    QFile::setPermissions(settingsFile(), {});
    QString language;
    QString dataPath;
    {
        const AsNormalUser user(programDir());
        host.expectMsgBox(QStringLiteral("The preferences file ") + settingsFile() +
                              QStringLiteral(" could not be read. It is kept as ") +
                              settingsFile() +
                              QStringLiteral(".unreadable and Kelvora starts with the default "
                                             "preferences."),
                          ui::vbOKOnly | ui::vbInformation, QStringLiteral("Kelvora"))
            .answer(ui::vbOK);
        start();
        language = option(QStringLiteral("language"), QStringLiteral("ENGLISH"));
        dataPath = option(QStringLiteral("data path"));
    }
    EXPECT_EQ(language, QStringLiteral("ENGLISH"));
    EXPECT_EQ(dataPath, dataFile());
    EXPECT_TRUE(QFile::exists(settingsFile() + QStringLiteral(".unreadable")));
}

// A folder where the settings file belongs: nothing can be stored, and the start goes on,
// also through the picker that stores "-" as the default member.
TEST_F(StartupSettingsTest, AnUnwritableStoreIsReportedOnceAndTheProgramGoesOn) {
    QDir().mkpath(settingsFile());
    removeDataFiles();
    const QString picked = programDir() + QStringLiteral("/picked.vs_");
    installDeliveredDataFile(picked);
    host.expectMsgBox(kMissingFile).answer(ui::vbYes);
    host.expectOpenDialog().answer(picked);
    host.expectMsgBox(QStringLiteral("The preferences cannot be stored (Permission denied: cannot "
                                     "write ") +
                          settingsFile() +
                          QStringLiteral("). Kelvora goes on, but preferences changed now are "
                                         "lost when it ends."),
                      ui::vbOKOnly | ui::vbExclamation, QStringLiteral("Kelvora"))
        .answer(ui::vbOK);
    start();
    EXPECT_EQ(core::DataPath, picked);
    EXPECT_TRUE(frmMain::instance().Visible());
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
