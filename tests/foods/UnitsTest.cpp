#include "db/Recordset.h"
#include "foods/CallerForms.h"
#include "foods/ServingUnits.h"
#include "foods/UnitCaller.h"
#include "foods/frmUnit.h"
#include "frame/core.h"
#include "support/DataBuilders.h"
#include "support/ProgramFixture.h"
#include "ui/Constants.h"

namespace {

using foods_test::frmDiary;
using foods_test::frmRecipe;

struct UnitRow {
    QString name;
    int grams;
    QString status;
    QString description;
    bool operator==(const UnitRow&) const = default;
};

void PrintTo(const UnitRow& row, std::ostream* os) {
    *os << row.name.toStdString() << "/" << row.grams << "/" << row.status.toStdString();
}

class UnitsTest : public ProgramTest, protected DataBuilders {
  protected:
    void SetUp() override { start(); }

    template <class T>
    T& caller(const QString& food = QStringLiteral("Bajra")) {
        T& form = T::instance();
        form.Show();
        form.LView.clickItem(food);
        return form;
    }
    // Opens the units window from the caller and acts in it.
    template <class T>
    void openUnits(T& form, std::function<void(frmUnit&)> act) {
        host.expectModal<frmUnit>(std::move(act));
        form.cmdUnit.click();
    }
    static void type(frmUnit& f, const QString& name, const QString& size,
                     const QString& status = QStringLiteral("Other")) {
        f.txtUnitname.type(name);
        f.txtsizeingrams.type(size);
        f.cmdDefault.choose(status);
    }
    static QList<UnitRow> rows(const QString& food) {
        QList<UnitRow> list;
        db::Recordset rs;
        rs.Open(QStringLiteral("SELECT UnitName, UnitSizeinGrams, status, description FROM "
                               "FoodUnit WHERE food = ? ORDER BY rowid"),
                core::cn, {food});
        for (; !rs.EOF(); rs.MoveNext()) {
            list.append(
                {rs[0].text(), static_cast<int>(rs[1].toLong()), rs[2].text(), rs[3].text()});
        }
        return list;
    }
    static int unitMasterRows(const QString& name) {
        return count(QStringLiteral("SELECT COUNT(*) FROM unit WHERE UnitName = ?"), {name});
    }
    void expectSay(const QString& text) {
        host.expectMsgBox(text, ui::vbOKOnly | ui::vbExclamation, QStringLiteral("Kelvora"));
    }
    static const QString kDefaultQuestion;
};

const QString UnitsTest::kDefaultQuestion = QStringLiteral(
    "There is already default category. Do you want to change it to normal and make this "
    "default ?");

TEST_F(UnitsTest, WithoutASelectedFoodTheCallerSaysSoAndOpensNothing) {
    frmDiary& diary = frmDiary::instance();
    diary.Show();
    diary.LView.ListItems.Clear();
    expectSay(QStringLiteral("Please select a food."));
    diary.cmdUnit.click();
    EXPECT_FALSE(frmUnit::isLoaded());
    EXPECT_EQ(core::UnitCaller, QString());
}

TEST_F(UnitsTest, SavesFromTheDiaryAndCloseRefillsItsUnitsDefaultFirst) {
    addUnit(QStringLiteral("Barley"), QStringLiteral("Bowl"), 150, QStringLiteral("Other"));
    addUnit(QStringLiteral("Bajra"), QStringLiteral("Katori"), 60, QStringLiteral("Other"));
    frmDiary& diary = caller<frmDiary>();
    openUnits(diary, [this](frmUnit& f) {
        EXPECT_EQ(core::UnitCaller, QStringLiteral("IntakeOn"));
        EXPECT_EQ(f.CurrentFood(), QStringLiteral("Bajra"));
        EXPECT_EQ(f.Caption(), QStringLiteral("Units"));
        EXPECT_EQ(f.cmdDefault.Text(), QStringLiteral("Other"));
        ASSERT_EQ(f.LV.ListItems.Count(), 1);
        EXPECT_EQ(f.LV.rowTexts(1), (QStringList{QStringLiteral("Katori"), QStringLiteral("60")}));
        EXPECT_TRUE(f.Command3.Enabled());

        type(f, QStringLiteral("  Roti  "), QStringLiteral(" 2.5 "), QStringLiteral("Default"));
        f.txtDescription.type(QStringLiteral("one medium roti"));
        f.Command2.click();
        EXPECT_EQ(f.LV.ListItems.Count(), 2);
        EXPECT_EQ(f.txtUnitname.Text(), QString());
        EXPECT_EQ(f.txtsizeingrams.Text(), QString());
        EXPECT_EQ(f.txtDescription.Text(), QString());
        f.Command1.click();
    });
    EXPECT_FALSE(frmUnit::isLoaded());
    EXPECT_EQ(core::UnitCaller, QString());
    EXPECT_EQ(diary.calls, QStringList{QStringLiteral("Bajra")});
    EXPECT_EQ(diary.units(), (QStringList{QStringLiteral("Roti"), QStringLiteral("Katori"),
                                          QStringLiteral("Grams")}));
    EXPECT_EQ(rows(QStringLiteral("Bajra")),
              (QList<UnitRow>{{QStringLiteral("Katori"), 60, QStringLiteral("Other"), QString()},
                              {QStringLiteral("Roti"), 2, QStringLiteral("Default"),
                               QStringLiteral("one medium roti")}}));
    EXPECT_EQ(unitMasterRows(QStringLiteral("Roti")), 1);
}

TEST_F(UnitsTest, TheRecipeCallerIsCalledBackAndEscapeCallsNoOne) {
    frmRecipe& recipe = caller<frmRecipe>(QStringLiteral("Barley"));
    openUnits(recipe, [](frmUnit& f) {
        EXPECT_EQ(core::UnitCaller, QStringLiteral("ComposeOn"));
        EXPECT_EQ(f.CurrentFood(), QStringLiteral("Barley"));
        EXPECT_EQ(f.LV.ListItems.Count(), 0);
        EXPECT_FALSE(f.Command3.Enabled());
        type(f, QStringLiteral("Cup"), QStringLiteral("200"));
        f.Command2.click();
        f.pressKey(ui::vbKeyEscape);
    });
    EXPECT_FALSE(frmUnit::isLoaded());
    // Escape leaves the caller's combo alone and the mode where it was.
    EXPECT_TRUE(recipe.calls.isEmpty());
    EXPECT_EQ(core::UnitCaller, QStringLiteral("ComposeOn"));
    EXPECT_EQ(rows(QStringLiteral("Barley")).size(), 1);

    openUnits(recipe, [](frmUnit& f) { f.Command1.click(); });
    EXPECT_EQ(recipe.calls, QStringList{QStringLiteral("Barley")});
    EXPECT_EQ(recipe.units(), (QStringList{QStringLiteral("Cup"), QStringLiteral("Grams")}));
}

TEST_F(UnitsTest, SizesAreCheckedAndRoundedHalvesToEven) {
    frmDiary& diary = caller<frmDiary>();
    openUnits(diary, [this](frmUnit& f) {
        for (const char* size : {"30001", "-1", "abc", "", "0,125", "1e308"}) {
            type(f, QStringLiteral("Glass"), QString::fromLatin1(size));
            expectSay(QStringLiteral("Some fields are empty"));
            f.Command2.click();
        }
        type(f, QString(), QStringLiteral("10"));
        expectSay(QStringLiteral("Some fields are empty"));
        f.Command2.click();
        // An apostrophe is refused before the size is looked at, one message per Save.
        type(f, QStringLiteral("Mom's cup"), QString());
        expectSay(QStringLiteral("Do not enter '"));
        f.Command2.click();
        type(f, QStringLiteral("Cup"), QStringLiteral("20"));
        f.txtDescription.type(QStringLiteral("the 'big' one"));
        expectSay(QStringLiteral("Do not enter '"));
        f.Command2.click();
        f.txtDescription.clear();
        EXPECT_EQ(f.LV.ListItems.Count(), 0);

        const QStringList sizes = {"0", "30000", "2.5", "3.5", "2.6"};
        for (const QString& size : sizes) {
            type(f, QStringLiteral("U") + size, size);
            f.Command2.click();
        }
        f.Command1.click();
    });
    QList<int> grams;
    for (const UnitRow& row : rows(QStringLiteral("Bajra"))) {
        grams << row.grams;
    }
    EXPECT_EQ(grams, (QList<int>{0, 30000, 2, 4, 3}));
}

TEST_F(UnitsTest, TheDefaultQuestionsThreeAnswers) {
    addUnit(QStringLiteral("Bajra"), QStringLiteral("Katori"), 60, QStringLiteral("Default"));
    frmDiary& diary = caller<frmDiary>();
    openUnits(diary, [this](frmUnit& f) {
        // Cancel stores nothing and keeps what was typed.
        type(f, QStringLiteral("Cup"), QStringLiteral("200"), QStringLiteral("Default"));
        host.expectMsgBox(kDefaultQuestion, ui::vbYesNoCancel | ui::vbQuestion,
                          QStringLiteral("Kelvora"))
            .answer(ui::vbCancel);
        f.Command2.click();
        EXPECT_EQ(f.txtUnitname.Text(), QStringLiteral("Cup"));
        EXPECT_EQ(f.LV.ListItems.Count(), 1);
        // No stores the new unit as "Other".
        host.expectMsgBox(kDefaultQuestion).answer(ui::vbNo);
        f.Command2.click();
        // "Other" chosen never asks.
        type(f, QStringLiteral("Plate"), QStringLiteral("300"));
        f.Command2.click();
        // Yes makes the old default "Other" and the new unit the default.
        type(f, QStringLiteral("Spoon"), QStringLiteral("5"), QStringLiteral("Default"));
        host.expectMsgBox(kDefaultQuestion).answer(ui::vbYes);
        f.Command2.click();
        f.Command1.click();
    });
    QStringList statuses;
    for (const UnitRow& row : rows(QStringLiteral("Bajra"))) {
        statuses << row.name + QLatin1Char('=') + row.status;
    }
    EXPECT_EQ(statuses, (QStringList{"Katori=Other", "Cup=Other", "Plate=Other", "Spoon=Default"}));
    EXPECT_EQ(diary.units().first(), QStringLiteral("Spoon"));
}

TEST_F(UnitsTest, EverySaveAddsAUnitMasterRowWithTheNextId) {
    db::Recordset before;
    before.Open(QStringLiteral("SELECT MAX(unitid) FROM unit"), core::cn);
    const int highest = static_cast<int>(before[0].toLong());
    frmDiary& diary = caller<frmDiary>();
    openUnits(diary, [](frmUnit& f) {
        type(f, QStringLiteral("Grams"), QStringLiteral("1"));
        f.Command2.click();
        type(f, QStringLiteral("Grams"), QStringLiteral("1"));
        f.Command2.click();
        f.Command1.click();
    });
    db::Recordset rs;
    rs.Open(QStringLiteral("SELECT unitid, UnitType, STD_WGT FROM unit WHERE unitid > ? ORDER BY "
                           "unitid"),
            core::cn, {highest});
    ASSERT_EQ(rs.RecordCount(), 2);
    EXPECT_EQ(rs[0].toLong(), highest + 1);
    EXPECT_EQ(rs[1].text(), QStringLiteral("Grams"));
    EXPECT_EQ(rs[2].toDouble(), 0.0);
}

TEST_F(UnitsTest, DeleteRemovesEveryUnitOfThatNameAndDisablesOnAnEmptyList) {
    addUnit(QStringLiteral("Bajra"), QStringLiteral("Cup"), 200, QStringLiteral("Other"));
    addUnit(QStringLiteral("Bajra"), QStringLiteral("Cup"), 250, QStringLiteral("Default"));
    addUnit(QStringLiteral("Barley"), QStringLiteral("Cup"), 220, QStringLiteral("Other"));
    frmDiary& diary = caller<frmDiary>();
    openUnits(diary, [](frmUnit& f) {
        ASSERT_EQ(f.LV.ListItems.Count(), 2);
        f.LV.clickItem(2);
        f.Command3.click();
        EXPECT_EQ(f.LV.ListItems.Count(), 0);
        EXPECT_FALSE(f.Command3.Enabled());
        f.Command1.click();
    });
    EXPECT_TRUE(rows(QStringLiteral("Bajra")).isEmpty());
    EXPECT_EQ(rows(QStringLiteral("Barley")).size(), 1);
}

TEST_F(UnitsTest, AFailedSaveWritesNothingAndSaysSo) {
    addUnit(QStringLiteral("Bajra"), QStringLiteral("Katori"), 60, QStringLiteral("Default"));
    // The unit master cannot take the row: the unit and the demotion must not stay either.
    core::cn.Execute(
        QStringLiteral("CREATE TRIGGER no_units BEFORE INSERT ON unit BEGIN "
                       "SELECT RAISE(ABORT, 'the unit list is full'); END"));
    frmDiary& diary = caller<frmDiary>();
    openUnits(diary, [this](frmUnit& f) {
        type(f, QStringLiteral("Cup"), QStringLiteral("200"), QStringLiteral("Default"));
        host.expectMsgBox(kDefaultQuestion).answer(ui::vbYes);
        host.expectMsgBox(QStringLiteral("The unit was not saved. the unit list is full"),
                          ui::vbOKOnly | ui::vbExclamation, QStringLiteral("Kelvora"));
        f.Command2.click();
        EXPECT_EQ(f.txtUnitname.Text(), QStringLiteral("Cup"));
        f.Command1.click();
    });
    EXPECT_EQ(rows(QStringLiteral("Bajra")),
              (QList<UnitRow>{{QStringLiteral("Katori"), 60, QStringLiteral("Default"), {}}}));
}

TEST_F(UnitsTest, AFoodNameWithAnApostropheIsHandledAsAnyOther) {
    frmDiary& diary = frmDiary::instance();
    diary.Show();
    diary.LView.ListItems.Add(QStringLiteral("Baker's bread"));
    diary.LView.clickItem(QStringLiteral("Baker's bread"));
    openUnits(diary, [](frmUnit& f) {
        type(f, QStringLiteral("Slice"), QStringLiteral("30"));
        f.Command2.click();
        f.Command1.click();
    });
    EXPECT_EQ(diary.units(), (QStringList{QStringLiteral("Slice"), QStringLiteral("Grams")}));
}

}  // namespace
