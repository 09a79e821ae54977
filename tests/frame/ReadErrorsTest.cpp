#include <sqlite3.h>

#include <QFile>

#include "foods/frmNewFood.h"
#include "frame/ErrorHandler.h"
#include "frame/core.h"
#include "frame/frmStrt.h"
#include "intake/frmDIn.h"
#include "runtime/Error.h"
#include "support/ListReading.h"
#include "support/ProgramFixture.h"
#include "ui/Constants.h"
#include "ui/Form.h"

namespace {

class ReadForm : public ui::FormOf<ReadForm> {};

class ReadErrorsTest : public ProgramTest, protected ListReading {
  protected:
    void SetUp() override { start(); }
    void TearDown() override {
        if (other_ != nullptr) {
            sqlite3_exec(other_, "ROLLBACK", nullptr, nullptr, nullptr);
            sqlite3_close(other_);
        }
    }

    // Another program holds the data file: it has begun an exclusive transaction. The
    // program gives up at once instead of after its busy timeout.
    void lockDataFile() {
        ASSERT_EQ(sqlite3_open(QFile::encodeName(dataFile()).constData(), &other_), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(other_, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_busy_timeout(core::cn.handle(), 0);
    }

    QString log() const {
        QFile file(userDir() + QStringLiteral("/report.Log"));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

    void expectTold(const QString& message) {
        host.expectMsgBox(message, ui::vbOKOnly | ui::vbExclamation, QStringLiteral("Kelvora"));
    }

    static frmDIn& openDiary() {
        frmStrt::instance().Label1.click();
        return frmDIn::instance();
    }
    // The start page's "New Food" link; act works in the modal window.
    void openNewFood(std::function<void(frmNewFood&)> act) {
        host.expectModal<frmNewFood>(std::move(act));
        frmStrt::instance().Label7.click();
    }

    sqlite3* other_ = nullptr;
};

TEST_F(ReadErrorsTest, NoCurrentRecordIsAnEmptyResultAndOtherErrorsAreLoggedAndToldOnce) {
    ReadForm& form = ReadForm::instance();
    EXPECT_TRUE(frame::readOrTell(form, QStringLiteral("The list"), QStringLiteral("here"),
                                  [] { rt::raise(rt::err::NoCurrentRecord); }));
    EXPECT_EQ(log(), QString());

    const auto fails = [] {
        throw rt::Error(rt::err::ProviderFailure, QStringLiteral("disk I/O error"),
                        QStringLiteral("Kelvora data"));
    };
    expectTold(QStringLiteral("The list of foods could not be read: disk I/O error"));
    EXPECT_FALSE(frame::readOrTell(form, QStringLiteral("The list of foods"),
                                   QStringLiteral("frmX::Foods"), fails));
    // The same window tells no second time; every failure is kept.
    EXPECT_FALSE(frame::readOrTell(form, QStringLiteral("The list of units"),
                                   QStringLiteral("frmX::Units"), fails));
    host.verify();
    EXPECT_TRUE(
        log().contains(QStringLiteral("=====Error Number = -2147467259\r\n"
                                      "=====Error Desc = disk I/O error\r\n"
                                      "=====Error Source = frmX::Foods (Kelvora data)")));
    EXPECT_TRUE(log().contains(QStringLiteral("=====Error Source = frmX::Units (Kelvora data)")));

    // A window opened again is a new one and tells again; a read an action needs tells every
    // time; a step passed over tells nobody.
    ui::Unload(form);
    expectTold(QStringLiteral("The list of foods could not be read: disk I/O error"));
    frame::readOrTell(ReadForm::instance(), QStringLiteral("The list of foods"),
                      QStringLiteral("frmX::Foods"), fails);
    for (int i = 0; i < 2; ++i) {
        expectTold(QStringLiteral("The recipe could not be read: disk I/O error"));
        EXPECT_FALSE(
            frame::readOrRefuse(QStringLiteral("The recipe"), QStringLiteral("frmX::Save"), fails));
    }
    EXPECT_FALSE(frame::passOver(QStringLiteral("frmX::Step"), fails));
    EXPECT_EQ(log().count(QStringLiteral("An Error was raised on ")), 6);

    // The program's end is no error of a read.
    EXPECT_THROW(frame::passOver(QStringLiteral("frmX::Step"), [] { throw ui::ProgramEnded{}; }),
                 ui::ProgramEnded);
}

TEST_F(ReadErrorsTest, ALockedDataFileIsToldInTheDiaryAndInNewFoodNotShownAsEmptyLists) {
    lockDataFile();
    const QString inUse =
        QStringLiteral("Could not use the data file; file already in use. (%1: database is locked)")
            .arg(dataFile());
    expectTold(QStringLiteral("The list of foods could not be read: ") + inUse);
    frmDIn& diary = openDiary();
    host.verify();
    EXPECT_EQ(diary.LView.ListItems.Count(), 0);
    EXPECT_TRUE(log().contains(QStringLiteral("=====Error Desc = ") + inUse +
                               QStringLiteral("\r\n=====Error Source = foods::FillFoodList")));
    EXPECT_TRUE(log().contains(QStringLiteral("=====Error Source = core::ListCategories")));

    expectTold(QStringLiteral("The list of user foods could not be read: ") + inUse);
    openNewFood([](frmNewFood& f) {
        EXPECT_EQ(entries(f.cmbCat), QStringList{QStringLiteral("ALL FOODS")});
        f.Command5.click();
    });
    EXPECT_TRUE(log().contains(QStringLiteral("=====Error Source = frmNewFood::dispLV")));
}

TEST_F(ReadErrorsTest, ADroppedColumnOrTableIsToldNotShownAsAnEmptyList) {
    core::cn.Execute(QStringLiteral("ALTER TABLE cat DROP COLUMN cname"));
    expectTold(QStringLiteral(
        "The list of user foods could not be read: Unknown field name 'cat.cname'."));
    openNewFood([](frmNewFood& f) { f.Command5.click(); });
    host.verify();

    core::cn.Execute(QStringLiteral("DROP TABLE food"));
    expectTold(QStringLiteral(
        "The list of foods could not be read: Cannot find the table or query 'food'. Make sure "
        "it exists and that its name is spelled correctly."));
    EXPECT_EQ(openDiary().LView.ListItems.Count(), 0);
    EXPECT_TRUE(log().contains(QStringLiteral("=====Error Number = -2147217865")));
}

}  // namespace
