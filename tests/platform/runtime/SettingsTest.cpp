#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include "RaisedError.h"
#include "runtime/Error.h"
#include "runtime/Settings.h"

namespace {

// Every test gets a store of its own under a temporary folder.
class SettingsStore : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        useStore(dir_.path());
    }

    static void useStore(const QString& path) {
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, path);
    }

    QString iniFile(const QString& appName = QStringLiteral("Kelvora")) const {
        return dir_.path() + QStringLiteral("/Kelvora/") + appName + QStringLiteral(".ini");
    }

    QTemporaryDir dir_;
};

TEST_F(SettingsStore, SavedValueIsReadBackAndOnDiskAtOnce) {
    rt::SaveSetting("Kelvora", "Options", "Units", "metric");
    EXPECT_EQ(rt::GetSetting("Kelvora", "Options", "Units"), "metric");

    // Read the file behind the store's back: the value must already be written.
    QFile file(iniFile());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
    const QByteArray content = file.readAll();
    EXPECT_TRUE(content.contains("[Options]")) << content.constData();
    EXPECT_TRUE(content.contains("Units=metric")) << content.constData();
}

TEST_F(SettingsStore, MissingValueGivesTheDefault) {
    EXPECT_EQ(rt::GetSetting("Kelvora", "Options", "Nothing"), "");
    EXPECT_EQ(rt::GetSetting("Kelvora", "Options", "Nothing", "fallback"), "fallback");
    rt::SaveSetting("Kelvora", "Options", "Empty", "");
    EXPECT_EQ(rt::GetSetting("Kelvora", "Options", "Empty", "fallback"), "");
}

TEST_F(SettingsStore, ValuesAreKeptExactly) {
    const QString awkward = QStringLiteral("  a;b=c, \"d\"\n\tµg Größe  ");
    rt::SaveSetting("Kelvora", "Options", "Awkward", awkward);
    rt::SaveSetting("Kelvora", "Options", "Number", "0012");
    EXPECT_EQ(rt::GetSetting("Kelvora", "Options", "Awkward"), awkward);
    EXPECT_EQ(rt::GetSetting("Kelvora", "Options", "Number"), "0012");
    rt::SaveSetting("Kelvora", "Options", "Number", "7");
    EXPECT_EQ(rt::GetSetting("Kelvora", "Options", "Number"), "7");
}

TEST_F(SettingsStore, SectionsAndProgramsAreSeparate) {
    rt::SaveSetting("Kelvora", "Options", "Key", "one");
    rt::SaveSetting("Kelvora", "Other", "Key", "two");
    rt::SaveSetting("Another", "Options", "Key", "three");
    EXPECT_EQ(rt::GetSetting("Kelvora", "Options", "Key"), "one");
    EXPECT_EQ(rt::GetSetting("Kelvora", "Other", "Key"), "two");
    EXPECT_EQ(rt::GetSetting("Another", "Options", "Key"), "three");
    EXPECT_TRUE(QFile::exists(iniFile("Another")));
}

TEST_F(SettingsStore, TwoLocationsAreTwoStores) {
    QTemporaryDir other;
    ASSERT_TRUE(other.isValid());
    rt::SaveSetting("Kelvora", "Options", "Where", "first");

    useStore(other.path());
    EXPECT_EQ(rt::GetSetting("Kelvora", "Options", "Where", "none"), "none");
    rt::SaveSetting("Kelvora", "Options", "Where", "second");

    useStore(dir_.path());
    EXPECT_EQ(rt::GetSetting("Kelvora", "Options", "Where"), "first");
    useStore(other.path());
    EXPECT_EQ(rt::GetSetting("Kelvora", "Options", "Where"), "second");
}

// Each of these two finds the store empty and leaves a value behind; whichever runs second
// would see the other's value if the stores were shared.
TEST_F(SettingsStore, FreshStoreForOneTest) {
    EXPECT_EQ(rt::GetSetting("Kelvora", "Options", "Left", "none"), "none");
    rt::SaveSetting("Kelvora", "Options", "Left", "one");
}

TEST_F(SettingsStore, FreshStoreForAnotherTest) {
    EXPECT_EQ(rt::GetSetting("Kelvora", "Options", "Left", "none"), "none");
    rt::SaveSetting("Kelvora", "Options", "Left", "another");
}

TEST_F(SettingsStore, DeleteRemovesKeyOrSection) {
    rt::SaveSetting("Kelvora", "Options", "A", "1");
    rt::SaveSetting("Kelvora", "Options", "B", "2");
    rt::DeleteSetting("Kelvora", "Options", "A");
    EXPECT_EQ(rt::GetSetting("Kelvora", "Options", "A", "gone"), "gone");
    EXPECT_EQ(rt::GetSetting("Kelvora", "Options", "B"), "2");
    QFile file(iniFile());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_FALSE(file.readAll().contains("A=1"));  // the removal is on disk too

    rt::DeleteSetting("Kelvora", "Options");
    EXPECT_EQ(rt::GetSetting("Kelvora", "Options", "B", "gone"), "gone");
}

TEST_F(SettingsStore, DeletingWhatIsNotThereIsAnError) {
    EXPECT_EQ(raisedError([] { rt::DeleteSetting("Kelvora", "Options", "Nope"); }),
              rt::err::InvalidProcedureCall);
    EXPECT_EQ(raisedError([] { rt::DeleteSetting("Kelvora", "NoSection"); }),
              rt::err::InvalidProcedureCall);
}

TEST_F(SettingsStore, NamesMustBeUsable) {
    EXPECT_EQ(raisedError([] { rt::SaveSetting("Kelvora", "Options", "", "x"); }),
              rt::err::InvalidProcedureCall);
    EXPECT_EQ(raisedError([] { rt::SaveSetting("Kelvora", "", "Key", "x"); }),
              rt::err::InvalidProcedureCall);
    EXPECT_EQ(raisedError([] { rt::SaveSetting("", "Options", "Key", "x"); }),
              rt::err::InvalidProcedureCall);
    // A separator would quietly store the value under another group.
    EXPECT_EQ(raisedError([] { rt::SaveSetting("Kelvora", "Options", "a/b", "x"); }),
              rt::err::InvalidProcedureCall);
    EXPECT_EQ(raisedError([] { rt::GetSetting("Kelvora", "Options", ""); }),
              rt::err::InvalidProcedureCall);
}

TEST_F(SettingsStore, UnwritableStoreIsReported) {
    // A plain file where the store's folder should be: nothing can be written below it.
    QFile blocker(dir_.path() + QStringLiteral("/blocker"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    useStore(blocker.fileName());
    EXPECT_EQ(raisedError([] { rt::SaveSetting("Kelvora", "Options", "Key", "x"); }),
              rt::err::PermissionDenied);
}

// A settings file that cannot be parsed is no reason to refuse writing: the value is stored
// and nothing is raised.
TEST_F(SettingsStore, GarbageInTheFileIsNoWriteFailure) {
    QDir().mkpath(dir_.path() + QStringLiteral("/Kelvora"));
    QFile file(iniFile());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Options\n\x01\x02\xff\xfe=\n[");
    file.close();
    EXPECT_EQ(raisedError([] { rt::SaveSetting("Kelvora", "Options", "Units", "metric"); }), 0);
    EXPECT_EQ(rt::GetSetting("Kelvora", "Options", "Units"), "metric");
}

TEST_F(SettingsStore, AnUnreadableFileIsSetAsideAndTheStoreStartsEmpty) {
    // The process has not opened the store before, as at a start of the program; the lines
    // that are not settings lie inside a section, which the store reads only when asked.
    const QByteArray garbage("[Options]\nUnits=imperial\n\x01\x02 garbage\n");
    QDir().mkpath(dir_.path() + QStringLiteral("/Kelvora"));
    QFile file(iniFile());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(garbage);
    file.close();
    QFile older(iniFile() + QStringLiteral(".unreadable"));
    ASSERT_TRUE(older.open(QIODevice::WriteOnly));
    older.close();

    const auto unreadable = rt::SetAsideUnreadableSettings("Kelvora");
    ASSERT_TRUE(unreadable);
    EXPECT_EQ(unreadable->file, iniFile());
    EXPECT_EQ(unreadable->keptAs, iniFile() + QStringLiteral(".unreadable"));
    EXPECT_FALSE(unreadable->noPermission);
    EXPECT_FALSE(QFile::exists(iniFile()));
    ASSERT_TRUE(older.open(QIODevice::ReadOnly));
    EXPECT_EQ(older.readAll(), garbage);
    EXPECT_EQ(rt::GetSetting("Kelvora", "Options", "Units", "none"), "none");

    // A store without a file, and a sound one, stay as they are.
    QFile::remove(older.fileName());
    EXPECT_FALSE(rt::SetAsideUnreadableSettings("Kelvora"));
    rt::SaveSetting("Kelvora", "Options", "Units", "metric");
    EXPECT_FALSE(rt::SetAsideUnreadableSettings("Kelvora"));
    EXPECT_TRUE(QFile::exists(iniFile()));
}

TEST_F(SettingsStore, RawValuesByGroupPath) {
    rt::SaveSetting("Kelvora", "Options", "Units", "metric");
    rt::SaveSetting("Kelvora", "Options/Sub", "Depth", "2");

    const auto units = rt::ReadSettingValue("Options", "Units");
    ASSERT_TRUE(units.has_value());
    EXPECT_EQ(units->toString(), "metric");
    const auto depth = rt::ReadSettingValue("Options/Sub", "Depth");
    ASSERT_TRUE(depth.has_value());
    EXPECT_EQ(depth->toString(), "2");
    const auto backslashed = rt::ReadSettingValue("Options\\Sub", "Depth");
    ASSERT_TRUE(backslashed.has_value());
    EXPECT_EQ(backslashed->toString(), "2");

    EXPECT_FALSE(rt::ReadSettingValue("Options", "Missing").has_value());
    EXPECT_FALSE(rt::ReadSettingValue("NoGroup", "Units").has_value());
    EXPECT_FALSE(rt::ReadSettingValue("Options", "Depth").has_value());  // only in the subgroup
    EXPECT_FALSE(rt::ReadSettingValue("Options", "").has_value());
}

}  // namespace
