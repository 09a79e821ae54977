#include "ComposedFoodFixture.h"
#include "db/Connection.h"
#include "foods/ComposedFood.h"
#include "foods/FoodId.h"
#include "frame/core.h"

using core::cn;

namespace {

constexpr int kProtein = 2;
constexpr int kFat = 3;
constexpr int kIron = 10;

class ComposedFoodStore : public ComposedFoodTest {
  protected:
    foods::ComposedFoods store{cn};
};

// Rows that several writers left with one real code, under different serials and unit rows,
// all get the recipe's value; a nutrient no ingredient carries keeps its row with 0.
TEST_F(ComposedFoodStore, RecomputesEveryRowOfACodeAndKeepsRowsNoIngredientCarries) {
    const int dal = addFood(QStringLiteral("Test dal"), {{kProtein, 10}, {kIron, 4}});
    const int rice = addFood(QStringLiteral("Test rice"), {{kProtein, 2}});
    const int khichdi = addComposed(QStringLiteral("Test khichdi"));
    addItem(khichdi, 1, dal, 50);
    addItem(khichdi, 2, rice, 150);
    cn.Execute(QStringLiteral("INSERT INTO foodN1 VALUES (?, 1, 2, 99, 1, 'g', 1), "
                              "(?, 9, 9, 99, 2, 'g', 7), (?, 2, 3, 99, 2, 'g', 5)"),
               {khichdi, khichdi, khichdi});
    store.recompute(khichdi);
    const QList<Row> got = rows(khichdi);
    ASSERT_EQ(got.size(), 4);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(got[i].code, kProtein);
        EXPECT_DOUBLE_EQ(got[i].total, 8);
        EXPECT_NEAR(got[i].value, 4, 1e-9);
    }
    EXPECT_EQ(got[1].srl, 9);  // a kept row keeps its own serial and unit row
    EXPECT_EQ(got[2].code, kFat);
    EXPECT_DOUBLE_EQ(got[2].total, 0);
    EXPECT_NEAR(got[2].value, 0, 1e-9);
    // Iron was new: the next serial, the unit row the ingredient was entered in.
    EXPECT_EQ(got[3].code, kIron);
    EXPECT_EQ(got[3].srl, 10);
    EXPECT_EQ(got[3].unit, 1);
    EXPECT_EQ(got[3].unitText, QStringLiteral("mg"));
    EXPECT_DOUBLE_EQ(got[3].total, 2);
    EXPECT_NEAR(got[3].value, 1, 1e-9);
}

// The rebuild replaces the rows (a second run leaves no second set), sets the totals, does a
// composed food that another uses first, and leaves alone what has no recipe to follow.
TEST_F(ComposedFoodStore, RebuildReplacesTheRowsOfEveryComposedFood) {
    const int dal = addFood(QStringLiteral("Test dal"), {{kProtein, 10}});
    const int rice = addFood(QStringLiteral("Test rice"), {{kProtein, 2}});
    const int base = addComposed(QStringLiteral("Zz base"));  // named last, needed first
    addItem(base, 1, dal, 50);
    addItem(base, 2, rice, 150);
    const int meal = addComposed(QStringLiteral("Aa meal"));
    addItem(meal, 1, base, 100);
    const int empty = addComposed(QStringLiteral("Test empty"));
    const int entered = addFood(QStringLiteral("Test entered"), {{kFat, 7}}, 21);
    for (int run = 0; run < 2; ++run) {
        EXPECT_EQ(store.rebuildAll(), 2);
    }
    ASSERT_EQ(rows(base).size(), 1);
    EXPECT_DOUBLE_EQ(row(base, kProtein).total, 8);
    EXPECT_NEAR(row(base, kProtein).value, 4, 1e-9);
    EXPECT_DOUBLE_EQ(row(meal, kProtein).total, 4);
    EXPECT_NEAR(row(meal, kProtein).value, 4, 1e-9);
    EXPECT_EQ(items(empty), QStringList{QStringLiteral("0:-:-:-")});
    EXPECT_NEAR(row(entered, kFat).value, 7, 1e-9);
}

// Every new food takes its id from one place: above every id that rows of a removed food may
// still carry, never 1 (the catalogue hides it).
TEST_F(ComposedFoodStore, ANewFoodTakesAnIdThatNoRowCarries) {
    EXPECT_EQ(foods::FreshFoodId(cn), 543);
    store.create(543, 21, QStringLiteral("Test first"), QString());
    EXPECT_EQ(foods::FreshFoodId(cn), 544);
    for (const char* table : {"item (itemid", "item (foodid", "foodN1 (foodid", "lang (foodid"}) {
        const int left = foods::FreshFoodId(cn);
        cn.Execute(QStringLiteral("INSERT INTO %1) VALUES (?)").arg(QLatin1String(table)), {left});
        EXPECT_EQ(foods::FreshFoodId(cn), left + 1) << table;
    }
    for (const char* table : {"food", "foodN1", "lang", "item"}) {
        cn.Execute(QStringLiteral("DELETE FROM %1").arg(QLatin1String(table)));
    }
    EXPECT_EQ(foods::FreshFoodId(cn), 0);
    store.create(0, 21, QStringLiteral("Test zero"), QString());
    EXPECT_EQ(foods::FreshFoodId(cn), 2);
}

// A change of a recipe reaches every dish made of it, through other dishes too, each
// recomputed once and after the dishes it is made of.
TEST_F(ComposedFoodStore, AChangeRecomputesEveryDishMadeOfTheFoodOnceInOrder) {
    const int dal = addFood(QStringLiteral("Test dal"), {{kProtein, 10}});
    const int rice = addFood(QStringLiteral("Test rice"), {{kProtein, 2}});
    // top = left + right, both made of base: a diamond.
    const int base = addComposed(QStringLiteral("Test base"));
    store.addIngredient(base, dal, 100, 1);
    const int left = addComposed(QStringLiteral("Test left"));
    store.addIngredient(left, base, 100, 1);
    const int right = addComposed(QStringLiteral("Test right"));
    store.addIngredient(right, base, 100, 1);
    const int top = addComposed(QStringLiteral("Test top"));
    store.addIngredient(top, right, 100, 1);
    store.addIngredient(top, left, 100, 1);
    cn.Execute(QStringLiteral("CREATE TEMP TABLE written (foodid)"));
    cn.Execute(
        QStringLiteral("CREATE TEMP TRIGGER count_writes AFTER INSERT ON foodN1 "
                       "BEGIN INSERT INTO written VALUES (new.foodid); END"));

    store.addIngredient(base, rice, 300, 1);  // 10 + 6 in 400 g: 4 per 100 g
    for (int dish : {base, left, right, top}) {
        EXPECT_NEAR(row(dish, kProtein).value, 4, 1e-9) << dish;
        EXPECT_EQ(
            count(QStringLiteral("SELECT count(*) FROM temp.written WHERE foodid = ?"), {dish}),
            rows(dish).size())
            << dish;
    }
    EXPECT_DOUBLE_EQ(row(top, kProtein).total, 8);
    EXPECT_TRUE(store.madeOfThemselves().isEmpty());
}

// Dishes that the data holds made of one another are recomputed once each; the walk ends and
// names them.
TEST_F(ComposedFoodStore, DishesMadeOfOneAnotherEndTheWalkAndAreNamed) {
    const int dal = addFood(QStringLiteral("Test dal"), {{kProtein, 10}});
    const int first = addComposed(QStringLiteral("Test first"));
    const int second = addComposed(QStringLiteral("Test second"));
    addItem(first, 1, dal, 100);
    addItem(first, 2, second, 100);
    addItem(second, 1, first, 100);
    store.updateDependants(dal);
    EXPECT_EQ(store.madeOfThemselves(),
              (QStringList{QStringLiteral("Test first"), QStringLiteral("Test second")}));
    EXPECT_EQ(store.rebuildAll(), 2);
    EXPECT_GE(row(second, kProtein).value, 0);
}

}  // namespace
