#include "ComposedFoodFixture.h"
#include "db/Recordset.h"
#include "foods/ComposedFood.h"
#include "foods/frmItm.h"
#include "foods/frmNewFood.h"
#include "foods/frmfdN.h"
#include "frame/core.h"
#include "frame/frmMain.h"
#include "frame/frmStrt.h"
#include "ui/Constants.h"

namespace {

class NewFoodTest : public ComposedFoodTest {
  protected:
    // The start page's "New Food" link; act works in the modal window.
    void open(std::function<void(frmNewFood&)> act) {
        host.expectModal<frmNewFood>(std::move(act));
        frmStrt::instance().Label7.click();
    }
    void expectSay(const QString& text) {
        host.expectMsgBox(text, ui::vbOKOnly | ui::vbExclamation, QStringLiteral("Kelvora"));
    }
    static QStringList foods(const ui::ListView& lvw) {
        QStringList names;
        for (int i = 1; i <= lvw.ListItems.Count(); ++i) {
            names << lvw.ListItems(i).Text();
        }
        return names;
    }
    static void save(frmNewFood& f, const QString& category, const QString& name) {
        f.cmbCat.choose(category);
        f.Text2.type(name);
        f.Command1.click();
    }
    static qint64 userFoods() {
        db::Recordset rs;
        rs.Open(QStringLiteral("SELECT COUNT(*) FROM food WHERE PrimeOrNot = 'U'"), core::cn);
        return rs[0].toLong();
    }
};

const QString kCereals = QStringLiteral("CEREALS AND MILLETS");
const QString kPulses = QStringLiteral("GRAIN LEGUMES");

TEST_F(NewFoodTest, SaveRefusesInItsOrderAndBoxesBeforeARefusedOneKeepTheirZero) {
    open([this](frmNewFood& f) {
        EXPECT_EQ(f.Caption(), QStringLiteral("New Food"));
        EXPECT_EQ(f.cmbCat.Text(), QStringLiteral("ALL FOODS"));
        EXPECT_EQ(f.lblNutri[3].Caption(), QStringLiteral("Carotene - B"));
        EXPECT_EQ(f.lblLang[11].Caption(), QStringLiteral("Tamili"));
        for (int i = 1; i <= 30; ++i) {
            f.Text1[i].type(QStringLiteral("1"));
        }
        f.Text2.type(QStringLiteral("Khichdi"));
        expectSay(QStringLiteral("Please select category of food"));
        f.Command1.click();

        f.cmbCat.choose(kCereals);
        f.Text2.type(QStringLiteral("   "));
        expectSay(QStringLiteral("Food name should not be empty."));
        f.Command1.click();

        f.Text2.type(QStringLiteral("Ma's khichdi"));
        expectSay(QStringLiteral("Do not enter '"));
        f.Command1.click();

        f.Command2.click();
        f.Text2.type(QStringLiteral("Khichdi"));
        f.Text1[5].type(QStringLiteral("-2"));
        expectSay(QStringLiteral("There are minus figures. Please correct it."));
        f.Command1.click();
        EXPECT_EQ(f.Text1[4].Text(), QStringLiteral("0"));
        EXPECT_EQ(f.Text1[6].Text(), QString());
        EXPECT_EQ(f.Text3[1].Text(), QString());

        // No thousands separator, and no decimal comma either.
        for (const char* text : {"12abc", "0,125"}) {
            f.Text1[5].type(QString::fromLatin1(text));
            expectSay(QStringLiteral("The value of Choline is not a number. Please correct it."));
            f.Command1.click();
        }
        f.Text1[5].type(QStringLiteral("2"));
        f.Text1[8].type(QStringLiteral("1e308"));
        expectSay(
            QStringLiteral("The food was not saved. The value of Energy is more than 100 g "
                           "of food can hold: at most 900 kcal."));
        f.Command1.click();
        f.Text1[8].type(QStringLiteral("1"));

        f.Text1[5].type(QStringLiteral("2"));
        f.Text3[13].type(QStringLiteral("-1 dal"));
        expectSay(QStringLiteral("There are minus figures. Please correct it."));
        f.Command1.click();
        EXPECT_EQ(f.Text1[30].Text(), QStringLiteral("0"));
        EXPECT_EQ(f.Text3[12].Text(), QStringLiteral("0"));

        // A name that starts with a negative number is refused the same way.
        f.Text3[13].clear();
        f.Text2.type(QStringLiteral("-5 bean salad"));
        expectSay(QStringLiteral("There are minus figures. Please correct it."));
        f.Command1.click();
        EXPECT_EQ(f.Text1[1].Text(), QStringLiteral("0"));
        EXPECT_EQ(f.LV.ListItems.Count(), 0);
        f.Command5.click();
    });
    EXPECT_EQ(userFoods(), 0);
}

TEST_F(NewFoodTest, SavedFoodsAreListedPerCategoryAndTheFieldsEmptied) {
    open([](frmNewFood& f) {
        EXPECT_FALSE(f.Command3.Enabled());
        f.Text1[1].type(QStringLiteral("33.333"));
        f.Text3[4].type(QStringLiteral("Khichdi"));
        save(f, kCereals, QStringLiteral("Khichdi"));
        save(f, kCereals, QStringLiteral("Bajra roti"));
        save(f, kCereals, QStringLiteral("Bajra roti"));
        save(f, kPulses, QStringLiteral("Dal"));
        EXPECT_TRUE(f.Command3.Enabled());
        for (const ui::TextBox* box : {&f.Text2, &f.Text1[1], &f.Text1[30], &f.Text3[4]}) {
            EXPECT_EQ(box->Text(), QString());
        }
        EXPECT_EQ(f.cmbCat.Text(), kPulses);
        EXPECT_EQ(foods(f.LV), QStringList{QStringLiteral("Dal")});

        f.cmbCat.choose(kCereals);
        EXPECT_EQ(foods(f.LV), (QStringList{"Bajra roti", "Bajra roti", "Khichdi"}));
        EXPECT_EQ(f.LV.rowTexts(1), (QStringList{"Bajra roti", kCereals}));
        // The food name sorts, the category does not; no header shows an icon.
        f.LV.clickHeader(QStringLiteral("a"));
        EXPECT_EQ(foods(f.LV), (QStringList{"Khichdi", "Bajra roti", "Bajra roti"}));
        f.LV.clickHeader(QStringLiteral("b"));
        EXPECT_EQ(foods(f.LV).first(), QStringLiteral("Khichdi"));
        EXPECT_TRUE(f.LV.ColumnHeaders(1).shownIcon().isNull());

        f.cmbCat.choose(QStringLiteral("ALL FOODS"));
        EXPECT_EQ(f.LV.ListItems.Count(), 4);
        f.pressKey(ui::vbKeyEscape);
    });
    EXPECT_FALSE(frmNewFood::isLoaded());
    db::Recordset rs;
    rs.Open(QStringLiteral("SELECT foodN1.nutri_val - foodN1.nutri_cd FROM foodN1, food WHERE "
                           "foodN1.foodid = food.foodid AND food.foodname = 'Khichdi' AND "
                           "foodN1.nutri_cd - foodN1.srl_no + foodN1.unit_cd = 8"),
            core::cn);
    EXPECT_NEAR(rs[0].toDouble(), 33.333, 1e-9);
}

TEST_F(NewFoodTest, DeleteAsksAndRemovesTheSelectedFoodNotItsNamesake) {
    // Serving units are found by name: the built-in Bajra keeps those of its name.
    addUnit(QStringLiteral("Bajra"), QStringLiteral("Cup"), 150);
    open([this](frmNewFood& f) {
        save(f, kCereals, QStringLiteral("Bajra"));
        save(f, kCereals, QStringLiteral("Barley"));
        const QString question = QStringLiteral("Do you want to remove this food 'Bajra' ?");
        f.LV.clickItem(QStringLiteral("Bajra"));
        host.expectMsgBox(question, ui::vbYesNo | ui::vbQuestion, QStringLiteral("Kelvora"))
            .answer(ui::vbNo);
        f.Command3.click();
        EXPECT_EQ(f.LV.ListItems.Count(), 2);

        host.expectMsgBox(question).answer(ui::vbYes);
        f.Command3.click();
        EXPECT_EQ(foods(f.LV), QStringList{QStringLiteral("Barley")});
        EXPECT_TRUE(f.Command3.Enabled());
        f.LV.clickItem(1);
        host.expectMsgBox(QStringLiteral("Do you want to remove this food 'Barley' ?"))
            .answer(ui::vbYes);
        f.Command3.click();
        EXPECT_FALSE(f.Command3.Enabled());
        f.Command5.click();
    });
    db::Recordset rs;
    rs.Open(QStringLiteral("SELECT COUNT(*) FROM food WHERE foodname IN ('Bajra', 'Barley')"),
            core::cn);
    EXPECT_EQ(rs[0].toLong(), 2);  // the built-in foods of those names stay
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM FoodUnit WHERE food = 'Bajra' AND "
                                   "UnitSizeinGrams = ?"),
                    {150}),
              1);
}

// Delete takes every row of the food: a food saved after it never inherits its recipe, and the
// dishes made of it, directly or through other dishes, are recomputed from what remains.
TEST_F(NewFoodTest, DeleteTakesEveryRowOfTheFoodAndRecomputesTheDishesMadeOfIt) {
    constexpr int kProtein = 2;
    const int ghee = addFood(QStringLiteral("Test ghee"), {{kProtein, 10}});
    const int rice = addFood(QStringLiteral("Test rice"), {{kProtein, 2}});
    const int dal = addFood(QStringLiteral("Test dal"), {{kProtein, 10}});
    const int base = addComposed(QStringLiteral("Test base"));  // 6 per 100 g
    addItem(base, 1, ghee, 100);
    addItem(base, 2, rice, 100);
    const int meal = addComposed(QStringLiteral("Test meal"));
    addItem(meal, 1, base, 100);
    const int stew = addComposed(QStringLiteral("Test stew"));  // the highest id
    addItem(stew, 1, dal, 100);
    foods::ComposedFoods store(core::cn);
    for (int dish : {base, meal, stew}) {
        store.recompute(dish);
    }
    addUnit(QStringLiteral("Test stew"), QStringLiteral("Bowl"), 200);
    open([&](frmNewFood& f) {
        for (const QString& name : {QStringLiteral("Test stew"), QStringLiteral("Test ghee")}) {
            f.LV.clickItem(name);
            host.expectMsgBox(QStringLiteral("Do you want to remove this food '%1' ?").arg(name))
                .answer(ui::vbYes);
            f.Command3.click();
        }
        for (int gone : {stew, ghee}) {
            for (const char* sql : {"SELECT count(*) FROM foodN1 WHERE foodid = ?",
                                    "SELECT count(*) FROM lang WHERE foodid = ?",
                                    "SELECT count(*) FROM item WHERE itemid = ?1 OR foodid = ?1"}) {
                EXPECT_EQ(count(QString::fromLatin1(sql), {gone}), 0) << sql << gone;
            }
        }
        EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM FoodUnit WHERE UnitName = 'Bowl' "
                                       "AND UnitSizeinGrams = ?"),
                        {200}),
                  0);
        f.Text1[22].type(QStringLiteral("3"));  // Protein
        save(f, QStringLiteral("READY FOOD"), QStringLiteral("Test curd"));
        f.Command5.click();
    });
    EXPECT_EQ(items(base), QStringList{QStringLiteral("2:%1:100:1").arg(rice)});
    EXPECT_NEAR(row(base, kProtein).value, 2, 1e-9);
    EXPECT_NEAR(row(meal, kProtein).value, 2, 1e-9);

    // The food saved next, even among the ready foods, is a plain food of its typed values.
    const int curd = foodId(QStringLiteral("Test curd"));
    EXPECT_TRUE(items(curd).isEmpty());
    store.rebuildAll();
    EXPECT_NEAR(row(curd, kProtein).value, 3, 1e-9);
    frmStrt::instance().Label6.click();
    EXPECT_EQ(frmItm::instance().LView.FindItem(QStringLiteral("Test curd")), nullptr);
}

TEST_F(NewFoodTest, ADoubleClickOpensTheNutrientsWindowOnTheFood) {
    open([](frmNewFood& f) {
        f.Text1[8].type(QStringLiteral("250"));  // Energy
        save(f, kCereals, QStringLiteral("Upma"));
        // One entry is never drilled.
        f.LV.dblClickItem(1);
        EXPECT_TRUE(frmNewFood::isLoaded());
        EXPECT_FALSE(frmfdN::isLoaded());
        save(f, kCereals, QStringLiteral("Poha"));
        f.LV.dblClickItem(QStringLiteral("Upma"));
    });
    EXPECT_FALSE(frmNewFood::isLoaded());
    ASSERT_TRUE(frmfdN::isLoaded());
    frmfdN& n = frmfdN::instance();
    EXPECT_TRUE(n.Visible());
    EXPECT_TRUE(n.MDIChild());
    EXPECT_EQ(n.txtFood.Text(), QStringLiteral("Food : Upma"));
    EXPECT_EQ(n.txtTotal.Text(), QStringLiteral("Total : 30"));
    EXPECT_EQ(n.LView.FindItem(QStringLiteral("ENERGY"))->SubItems(1), QStringLiteral("250"));
}

TEST_F(NewFoodTest, AFoodOutsideTheNutrientsWindowsCategoryLeavesItsOwnSelection) {
    setOption(QStringLiteral("ctb"), kPulses);
    open([](frmNewFood& f) {
        EXPECT_EQ(f.cmbCat.Text(), kPulses);
        save(f, kCereals, QStringLiteral("Upma"));
        save(f, kCereals, QStringLiteral("Poha"));
        f.LV.dblClickItem(QStringLiteral("Upma"));
    });
    frmfdN& n = frmfdN::instance();
    ASSERT_GT(n.LstView.ListItems.Count(), 0);
    EXPECT_EQ(n.txtFood.Text(), QStringLiteral("Food : ") + n.LstView.ListItems(1).Text());
    EXPECT_EQ(n.LstView.SelectedItem()->SubItems(2), kPulses);
}

}  // namespace
