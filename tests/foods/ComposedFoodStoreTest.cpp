#include "ComposedFoodFixture.h"
#include "db/Connection.h"
#include "foods/ComposedFood.h"
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

// A new composed food never takes an id that the catalogue hides (1) or that rows of a removed
// food still carry.
TEST_F(ComposedFoodStore, ANewFoodTakesTheLowestIdNothingUses) {
    auto remove = [](int id, std::initializer_list<const char*> tables) {
        for (const char* table : tables) {
            cn.Execute(QStringLiteral("DELETE FROM %1 WHERE foodid = ?").arg(QLatin1String(table)),
                       {id});
        }
    };
    EXPECT_EQ(store.nextFoodId(), 0);
    store.create(0, 21, QStringLiteral("Test first"), QStringLiteral("note"));
    EXPECT_EQ(store.nextFoodId(), 543);
    remove(2, {"food"});
    EXPECT_EQ(store.nextFoodId(), 543);  // its nutrient rows and names are still there
    remove(2, {"foodN1", "lang"});
    EXPECT_EQ(store.nextFoodId(), 2);
    remove(1, {"food", "foodN1", "lang"});
    EXPECT_EQ(store.nextFoodId(), 2);
}

}  // namespace
