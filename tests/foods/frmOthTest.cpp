#include "ComposedFoodFixture.h"
#include "foods/ComposedFood.h"
#include "foods/frmItm.h"
#include "foods/frmOth.h"
#include "frame/core.h"
#include "frame/frmStrt.h"
#include "ui/Constants.h"

using core::cn;

namespace {

constexpr int kProtein = 2;
constexpr int kFat = 3;
constexpr int kIron = 10;

// A base of 100 g of dal (10 of protein, 4 of iron per 100 g); a meal of 50 g of the base and
// 150 g of rice (2 of protein); a plate that holds the base in two rows and nothing else; a top
// made of the meal alone.
class DependantsTest : public ComposedFoodTest {
  protected:
    void SetUp() override {
        ComposedFoodTest::SetUp();
        dal = addFood(QStringLiteral("Test dal"), {{kProtein, 10}, {kIron, 4}});
        rice = addFood(QStringLiteral("Test rice"), {{kProtein, 2}});
        store.create(600, 21, QStringLiteral("Test base"), QString());
        store.create(601, 21, QStringLiteral("Test meal"), QString());
        store.create(602, 21, QStringLiteral("Test plate"), QString());
        store.create(603, 21, QStringLiteral("Test top"), QString());
        store.addIngredient(600, dal, 100, 1);
        store.addIngredient(601, 600, 50, 1);
        store.addIngredient(601, rice, 150, 1);
        store.addIngredient(602, 600, 100, 1);
        addItem(602, 2, 600, 20);
        store.recompute(602);
        store.addIngredient(603, 601, 100, 1);
        frmStrt::instance().Label6.click();
    }
    frmItm& catalogue() { return frmItm::instance(); }

    foods::ComposedFoods store{cn};
    int dal = 0, rice = 0;
};

TEST_F(DependantsTest, UpdateRecomputesEachDependantFromItsIngredientsAsTheyNowStand) {
    EXPECT_DOUBLE_EQ(row(601, kProtein).total, 8);  // 5 + 3 in 200 g
    EXPECT_NEAR(row(601, kProtein).value, 4, 1e-9);
    // The base gains fat and loses its iron, as its ingredient's values changed.
    cn.Execute(QStringLiteral("DELETE FROM foodN1 WHERE foodid = ?"), {dal});
    const int fatFood = addFood(QStringLiteral("Test fat"), {{kProtein, 10}, {kFat, 6}});
    cn.Execute(QStringLiteral("UPDATE foodN1 SET foodid = ? WHERE foodid = ?"), {dal, fatFood});
    store.recompute(600);

    catalogue().LView.clickItem(QStringLiteral("Test base"));
    host.expectModal<frmOth>([](frmOth& o) {
        EXPECT_EQ(o.Caption(), QStringLiteral("Dependant(s)"));
        EXPECT_EQ(o.Label1.Caption(),
                  QStringLiteral("Following food(s) are depend(s) on the food 'Test base'"));
        ASSERT_EQ(o.List1.ListCount(), 3);  // the plate holds it twice
        EXPECT_EQ(o.List1.List(0) + u'|' + o.List1.List(1) + u'|' + o.List1.List(2),
                  QStringLiteral("Test meal|Test plate|Test plate"));
        o.cmdUp.click();
    });
    catalogue().cmdMerge.click();
    EXPECT_FALSE(frmOth::isLoaded());
    EXPECT_DOUBLE_EQ(row(601, kFat).total, 3);
    EXPECT_NEAR(row(601, kFat).value, 1.5, 1e-9);
    EXPECT_EQ(row(601, kFat).unitText, QStringLiteral("g"));
    EXPECT_DOUBLE_EQ(row(601, kIron).total, 0);  // its row stays, with nothing in it
    EXPECT_NEAR(row(602, kFat).value, 6, 1e-9);
    EXPECT_NEAR(row(603, kFat).value, 1.5, 1e-9);  // through the meal

    // A food nobody uses: an empty list, and only Cancel or Escape leave.
    catalogue().LView.clickItem(QStringLiteral("Test top"));
    host.expectModal<frmOth>([](frmOth& o) {
        EXPECT_EQ(o.List1.ListCount(), 0);
        EXPECT_FALSE(o.cmdUp.Enabled());
        o.pressKey(ui::vbKeyEscape);
    });
    catalogue().cmdMerge.click();
}

TEST_F(DependantsTest, DeleteTakesTheFoodOutOfEveryRecipeBeforeItGoes) {
    catalogue().LView.clickItem(QStringLiteral("Test base"));
    const QList<Row> before = rows(601);
    host.expectModal<frmOth>([](frmOth& o) {
        EXPECT_EQ(o.Label1.Caption(), QStringLiteral("&Following food(s) are using food'Test "
                                                     "base'. Update all to correct it."));
        EXPECT_EQ(o.List1.ListCount(), 3);
        o.cmdCancel.click();
    });
    catalogue().cmdDel.click();
    EXPECT_EQ(foodId(QStringLiteral("Test base")), 600);
    EXPECT_EQ(rows(601).size(), before.size());

    catalogue().LView.clickItem(QStringLiteral("Test base"));
    host.expectModal<frmOth>([](frmOth& o) { o.cmdUp.click(); });
    catalogue().cmdDel.click();
    EXPECT_EQ(foodId(QStringLiteral("Test base")), -1);
    for (const char* sql : {"SELECT count(*) FROM foodN1 WHERE foodid = ?",
                            "SELECT count(*) FROM lang WHERE foodid = ?",
                            "SELECT count(*) FROM item WHERE itemid = ? OR foodid = 600"}) {
        EXPECT_EQ(count(QString::fromLatin1(sql), {600}), 0) << sql;
    }
    EXPECT_EQ(items(601), QStringList{QStringLiteral("2:%1:150:1").arg(rice)});
    EXPECT_DOUBLE_EQ(row(601, kProtein).total, 3);
    EXPECT_NEAR(row(601, kProtein).value, 2, 1e-9);
    EXPECT_EQ(items(602), QStringList{QStringLiteral("0:-:-:-")});
    EXPECT_TRUE(rows(602).isEmpty());
    EXPECT_NEAR(row(603, kProtein).value, 2, 1e-9);  // through the meal
    EXPECT_EQ(catalogue().LView.ListItems.Count(), 3);
}

// Dishes that the data holds made of one another are updated once each, and the person is told.
TEST_F(DependantsTest, DishesMadeOfOneAnotherAreUpdatedOnceAndNamed) {
    addItem(600, 2, 603, 10);  // the base holds the top, which the base is in
    catalogue().LView.clickItem(QStringLiteral("Test base"));
    host.expectModal<frmOth>([this](frmOth& o) {
        host.expectMsgBox(QStringLiteral("These composed foods are made of themselves through "
                                         "other foods, so their values cannot be exact: Test "
                                         "base, Test meal, Test top"),
                          ui::vbOKOnly | ui::vbExclamation, QStringLiteral("Kelvora"));
        o.cmdUp.click();
    });
    catalogue().cmdMerge.click();
    EXPECT_FALSE(frmOth::isLoaded());
    EXPECT_EQ(rows(603).size(), 2);
}

}  // namespace
