#include <QFile>

#include "ComposedFoodFixture.h"
#include "foods/ComposedFood.h"
#include "foods/frmIng.h"
#include "foods/frmItm.h"
#include "foods/frmUnit.h"
#include "frame/DataFile.h"
#include "frame/core.h"
#include "frame/frmStrt.h"
#include "support/DataFileTrouble.h"
#include "ui/Constants.h"

using core::cn;

namespace {

constexpr int kProtein = 2;
constexpr int kFat = 3;
constexpr int kIron = 10;

class IngredientEditorTest : public ComposedFoodTest {
  protected:
    // Opens the ingredient editor on a composed food of the catalogue, as a double click does.
    void edit(const QString& composed, std::function<void(frmIng&)> act) {
        host.expectModal<frmIng>(std::move(act));
        frmStrt::instance().Label6.click();
        frmItm::instance().LView.dblClickItem(composed);
    }
    static void save(frmIng& g, const QString& food, const QString& quantity,
                     const QString& unit = QStringLiteral("Grams")) {
        g.LV.clickItem(food);
        g.txtQuan.type(quantity);
        g.cmbUnit.choose(unit);
        g.cmdAdd.click();
    }
    foods::ComposedFoods store{cn};
};

// 200 g with 10 of protein, then 50 g with 4 of protein and 6 of fat, then 2 bowls of 100 g:
// after each Save the rows hold the recipe's amounts and values, and Escape leaves the same
// values as Close.
TEST_F(IngredientEditorTest, SavingIngredientsKeepsTheValuesInStepWithTheRecipe) {
    const int dal = addFood(QStringLiteral("Test dal"), {{kProtein, 10}});
    const int ghee = addFood(QStringLiteral("Test ghee"), {{kProtein, 4}, {kFat, 6}});
    const int greens = addFood(QStringLiteral("Test greens"), {{kIron, 5}});
    addUnit(QStringLiteral("Test greens"), QStringLiteral("Spoon"), 5, QStringLiteral("Other"));
    const int soup = addComposed(QStringLiteral("Test soup"));
    edit(QStringLiteral("Test soup"), [&](frmIng& g) {
        EXPECT_EQ(g.Caption(), QStringLiteral("Ingriedients for the food - Test soup"));
        EXPECT_EQ(g.LstView.ListItems.Count(), 0);
        EXPECT_FALSE(g.cmdDelete.Enabled());
        EXPECT_EQ(g.LV.FindItem(QStringLiteral("Test soup")), nullptr);
        EXPECT_EQ(g.cmbUnit.ListCount(), 1);

        save(g, QStringLiteral("Test dal"), QStringLiteral("200"));
        EXPECT_EQ(items(soup), QStringList{QStringLiteral("1:%1:200:1").arg(dal)});
        ASSERT_EQ(rows(soup).size(), 1);
        EXPECT_EQ(rows(soup)[0].srl, 1);
        EXPECT_DOUBLE_EQ(row(soup, kProtein).total, 20);
        EXPECT_NEAR(row(soup, kProtein).value, 10, 1e-9);

        save(g, QStringLiteral("Test ghee"), QStringLiteral("50"));
        EXPECT_DOUBLE_EQ(row(soup, kProtein).total, 22);
        EXPECT_NEAR(row(soup, kProtein).value, 8.8, 1e-9);
        EXPECT_EQ(row(soup, kFat).srl, 2);
        EXPECT_DOUBLE_EQ(row(soup, kFat).total, 3);
        EXPECT_NEAR(row(soup, kFat).value, 1.2, 1e-9);

        // A bowl of 100 g kept in the units window of the food picked.
        g.LV.clickItem(QStringLiteral("Test greens"));
        host.expectModal<frmUnit>([](frmUnit& u) {
            EXPECT_EQ(u.CurrentFood(), QStringLiteral("Test greens"));
            u.txtUnitname.type(QStringLiteral("Bowl"));
            u.txtsizeingrams.type(QStringLiteral("100"));
            u.cmdDefault.choose(QStringLiteral("Default"));
            u.Command2.click();
            u.Command1.click();
        });
        g.cmdUnit.click();
        EXPECT_EQ(g.cmbUnit.Text() + g.cmbUnit.List(1) + g.cmbUnit.List(2),
                  QStringLiteral("BowlSpoonGrams"));
        save(g, QStringLiteral("Test greens"), QStringLiteral("2"), QStringLiteral("Bowl"));
        const int bowl =
            count(QStringLiteral("SELECT max(unitid) FROM unit WHERE unitid > ?"), {0});
        EXPECT_EQ(items(soup).last(), QStringLiteral("3:%1:200:%2").arg(greens).arg(bowl));
        EXPECT_EQ(row(soup, kIron).unit, bowl);
        EXPECT_DOUBLE_EQ(row(soup, kIron).total, 10);
        EXPECT_NEAR(row(soup, kIron).value, 2.22, 1e-9);
        EXPECT_NEAR(row(soup, kProtein).value, 4.89, 1e-9);
        EXPECT_EQ(g.LstView.rowTexts(3),
                  (QStringList{QStringLiteral("Test greens"), QString(), QStringLiteral("200"),
                               QStringLiteral("Grams")}));
        EXPECT_TRUE(g.cmdDelete.Enabled());
        EXPECT_EQ(g.cmbFoodName.Text(), QString());
        g.pressKey(ui::vbKeyEscape);
    });
    const QList<Row> escaped = rows(soup);
    edit(QStringLiteral("Test soup"), [](frmIng& g) { g.cmdClose.click(); });
    ASSERT_EQ(rows(soup).size(), escaped.size());
    for (int i = 0; i < escaped.size(); ++i) {
        EXPECT_EQ(rows(soup)[i].value, escaped[i].value);
        EXPECT_EQ(rows(soup)[i].total, escaped[i].total);
    }
    Q_UNUSED(ghee);
}

TEST_F(IngredientEditorTest, RefusesWhatCannotBeAnIngredientAndWritesNothingHalfWay) {
    const int dal = addFood(QStringLiteral("Test dal"), {{kProtein, 10}});
    const int soup = addComposed(QStringLiteral("Test soup"));
    edit(QStringLiteral("Test soup"), [&](frmIng& g) {
        g.txtQuan.type(QStringLiteral("7.6"));
        g.LV.clickItem(QStringLiteral("Test dal"));
        EXPECT_EQ(g.txtQuan.Text(), QStringLiteral("00008.00"));
        g.txtQuan.type(QStringLiteral("40000"));
        host.expectMsgBox(QStringLiteral("Too big number, enter between 0 and 30000"), ui::vbOKOnly,
                          QStringLiteral("Kelvora"));
        g.cmbUnit.choose(0);
        EXPECT_EQ(g.txtQuan.Text(), QStringLiteral("40000.00"));
        EXPECT_EQ(g.ActiveControl(), &g.txtQuan);
        for (const char* quantity : {"30001", "-1", "abc", "   "}) {
            g.txtQuan.type(QString::fromLatin1(quantity));
            host.expectMsgBox(QStringLiteral("Please appropriate data in field."),
                              ui::vbOKOnly | ui::vbInformation, QStringLiteral("Kelvora"));
            g.cmdAdd.click();
        }
        EXPECT_EQ(items(soup), QStringList{QStringLiteral("0:-:-:-")});

        // 0 g is an ingredient too; a recipe of no weight holds nothing of its nutrients.
        save(g, QStringLiteral("Test dal"), QStringLiteral("0"));
        EXPECT_EQ(items(soup), QStringList{QStringLiteral("1:%1:0:1").arg(dal)});
        EXPECT_DOUBLE_EQ(row(soup, kProtein).total, 0);
        EXPECT_NEAR(row(soup, kProtein).value, 0, 1e-9);
        host.expectMsgBox(
            QStringLiteral("This ingridients is already exist, If you want to edit, "
                           "remove it first and then add new"));
        save(g, QStringLiteral("Test dal"), QStringLiteral("10"));
        EXPECT_EQ(g.LstView.SelectedItem()->Text(), QStringLiteral("Test dal"));
        g.cmbFoodName.type(QStringLiteral("Cook's dal"));
        g.txtQuan.type(QStringLiteral("10"));
        host.expectMsgBox(QStringLiteral("Do not enter '"));
        g.cmdAdd.click();

        // Another program writing to the file: the recipe stays as it was.
        trouble::ExclusiveHolder other(dataFile(), trouble::Hold::Writes);
        sqlite3_busy_timeout(cn.handle(), 0);
        host.expectMsgBox(QStringLiteral("Data file is used by another user at this time."),
                          ui::vbOKOnly | ui::vbInformation, QStringLiteral("Kelvora"));
        save(g, QStringLiteral("Bajra"), QStringLiteral("10"));
        EXPECT_EQ(items(soup).size(), 1);
        EXPECT_EQ(g.LstView.ListItems.Count(), 1);
        // The refused entry stays, to be saved once the data file takes it.
        EXPECT_EQ(g.cmbFoodName.Text(), QStringLiteral("Bajra"));
        EXPECT_EQ(g.txtQuan.Text(), QStringLiteral("00010.00"));
        other.letGo();
        g.cmdAdd.click();
        EXPECT_EQ(items(soup).size(), 2);
        g.cmdClose.click();
    });
}

// On a data file that cannot be written, Save says why, and the Close after it, whose rewrite
// fails for the same reason, does not say it again; both are in the log.
TEST_F(IngredientEditorTest, ASaveOnAReadOnlyFileTellsWhyOnceAndLogsIt) {
    addFood(QStringLiteral("Test dal"), {{kProtein, 10}});
    const int soup = addComposed(QStringLiteral("Test soup"));
    trouble::makeReadOnly(cn, dataFile(), QString::fromLatin1(frame::kDatabasePassword));
    edit(QStringLiteral("Test soup"), [&](frmIng& g) {
        host.expectMsgBox(QStringLiteral("The ingredient was not saved.\nThe data file %1 cannot "
                                         "be written (it or its folder is read-only).")
                              .arg(core::DataPath),
                          ui::vbOKOnly | ui::vbExclamation, QStringLiteral("Kelvora"));
        save(g, QStringLiteral("Test dal"), QStringLiteral("100"));
        EXPECT_EQ(g.cmbFoodName.Text(), QStringLiteral("Test dal"));
        g.cmdClose.click();
    });
    EXPECT_FALSE(frmIng::isLoaded());
    EXPECT_EQ(items(soup), QStringList{QStringLiteral("0:-:-:-")});
    QFile log(userDir() + QStringLiteral("/report.Log"));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QString records = QString::fromUtf8(log.readAll());
    EXPECT_EQ(records.count(QStringLiteral("=====Error Number = 3027\r\n")), 2);
    EXPECT_TRUE(records.contains(QStringLiteral("=====Error Source = frmIng::RewritePer100g")));
}

// Two ingredients of 100 g hold 30 of fat; without the one of 10 per 100 g, 20 remain. The last
// ingredient takes the nutrient rows with it and leaves the placeholder.
TEST_F(IngredientEditorTest, RemovingIngredientsLeavesWhatTheOthersBring) {
    const int oil = addFood(QStringLiteral("Test oil"), {{kFat, 10}});
    const int nuts = addFood(QStringLiteral("Test nuts"), {{kFat, 20}});
    const int soup = addComposed(QStringLiteral("Test soup"));
    addItem(soup, 1, oil, 100);
    addItem(soup, 2, nuts, 100);
    store.recompute(soup);
    EXPECT_DOUBLE_EQ(row(soup, kFat).total, 30);
    edit(QStringLiteral("Test soup"), [&](frmIng& g) {
        const QString question =
            QStringLiteral("Do you want to remove ingredients 'Test oil' from food 'Test soup' ?");
        g.LstView.clickItem(QStringLiteral("Test oil"));
        host.expectMsgBox(question, ui::vbYesNoCancel | ui::vbInformation,
                          QStringLiteral("Kelvora"))
            .answer(ui::vbCancel);
        g.cmdDelete.click();
        EXPECT_EQ(items(soup).size(), 2);
        host.expectMsgBox(question).answer(ui::vbYes);
        g.cmdDelete.click();
        EXPECT_EQ(items(soup), QStringList{QStringLiteral("2:%1:100:1").arg(nuts)});
        EXPECT_DOUBLE_EQ(row(soup, kFat).total, 20);
        EXPECT_NEAR(row(soup, kFat).value, 20, 1e-9);

        g.LstView.clickItem(QStringLiteral("Test nuts"));
        host.expectMsgBox(QStringLiteral("Do you want to remove ingredients 'Test nuts' from food "
                                         "'Test soup' ?"))
            .answer(ui::vbYes);
        g.cmdDelete.click();
        EXPECT_EQ(items(soup), QStringList{QStringLiteral("0:-:-:-")});
        EXPECT_TRUE(rows(soup).isEmpty());
        EXPECT_EQ(g.LstView.ListItems.Count(), 0);
        EXPECT_FALSE(g.cmdDelete.Enabled());
        g.cmdClose.click();
    });
}

TEST_F(IngredientEditorTest, ChoiceListFollowsCategoryAndLanguageAndExports) {
    store.create(600, 21, QStringLiteral("Test soup"), QString());
    store.create(601, 21, QStringLiteral("Test stew"), QString());
    store.addIngredient(600, 34, 100, 1);  // Green gram, dal
    edit(QStringLiteral("Test soup"), [&](frmIng& g) {
        EXPECT_EQ(g.cmbCat.Text(), QStringLiteral("ALL FOODS"));
        EXPECT_EQ(g.cmbLang.Text(), QStringLiteral("ENGLISH"));
        EXPECT_EQ(g.LV.ListItems.Count(), 543);
        EXPECT_EQ(g.LV.rowTexts(1), (QStringList{QStringLiteral("Amaranth seed, black"), QString(),
                                                 QStringLiteral("CEREALS AND MILLETS")}));
        // A list that no longer shows the picked food lets go of it.
        g.LV.clickItem(QStringLiteral("Green gram, dal"));
        g.cmbCat.choose(QStringLiteral("READY FOOD"));
        EXPECT_EQ(g.LV.ListItems.Count(), 1);
        EXPECT_EQ(g.LV.SelectedItem(), nullptr);
        EXPECT_EQ(g.cmbFoodName.Text(), QString());
        g.cmbLang.choose(QStringLiteral("Hindi"));
        EXPECT_EQ(g.LV.rowTexts(1)[1], QStringLiteral("Not Available"));
        EXPECT_EQ(g.LstView.rowTexts(1)[1], QStringLiteral("Mug dal"));
        g.LV.clickHeader(QStringLiteral("c"));
        EXPECT_EQ(g.LV.ColumnHeaders(QStringLiteral("c")).Icon().toString(), QStringLiteral("up"));

        const QString file = programDir() + QStringLiteral("/soup.html");
        host.expectSaveDialog().answer(file);
        host.expectMsgBox(QStringLiteral("Do you want to open the file '") + file +
                          QStringLiteral("' ?"))
            .answer(ui::vbNo);
        g.cmdExport.click();
        QFile html(file);
        ASSERT_TRUE(html.open(QIODevice::ReadOnly));
        const QByteArray text = html.readAll();
        EXPECT_TRUE(text.contains("Test soup") && text.contains("Green gram, dal"));
        g.pressKey(ui::vbKeyEscape);
    });
}

}  // namespace
