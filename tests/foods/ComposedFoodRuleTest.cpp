#include <gtest/gtest.h>

#include "foods/ComposedFoodRule.h"

using foods::IngredientNutrient;
using foods::RecipeTotals;

namespace {

constexpr int kProtein = 2;
constexpr int kFat = 3;

// Builds a recipe from (grams, unit row, {code, value per 100 g}...) lines.
struct Line {
    double grams;
    int unit;
    std::initializer_list<std::pair<int, double>> nutrients;
};
RecipeTotals recipeOf(std::initializer_list<Line> lines) {
    RecipeTotals totals;
    for (const Line& line : lines) {
        totals.addIngredient(line.grams);
        for (const auto& [code, value] : line.nutrients) {
            totals.addNutrient(IngredientNutrient{code, value, QStringLiteral("g")}, line.unit);
        }
    }
    return totals;
}

}  // namespace

// The recipe of the ingredient editor, one Save after the other: 200 g with 10 of protein,
// then 50 g with 4 of protein and 6 of a nutrient the recipe lacked.
TEST(RecipeTotals, FollowsTheIngredientsAsTheyAreAdded) {
    const RecipeTotals first = recipeOf({{200, 1, {{kProtein, 10}}}});
    EXPECT_DOUBLE_EQ(first.total(kProtein), 20);
    EXPECT_DOUBLE_EQ(first.per100g(kProtein), 10);

    const RecipeTotals second =
        recipeOf({{200, 1, {{kProtein, 10}}}, {50, 7, {{kProtein, 4}, {kFat, 6}}}});
    EXPECT_DOUBLE_EQ(second.grams(), 250);
    EXPECT_DOUBLE_EQ(second.total(kProtein), 22);
    EXPECT_DOUBLE_EQ(second.per100g(kProtein), 8.8);
    EXPECT_DOUBLE_EQ(second.total(kFat), 3);
    EXPECT_DOUBLE_EQ(second.per100g(kFat), 1.2);
    // A nutrient's row is written with the unit row of the ingredient that brought it first.
    ASSERT_EQ(second.origins().size(), 2);
    EXPECT_EQ(second.origins()[0].code, kProtein);
    EXPECT_EQ(second.origins()[0].unitId, 1);
    EXPECT_EQ(second.origins()[1].code, kFat);
    EXPECT_EQ(second.origins()[1].unitId, 7);
}

// Two ingredients of 100 g hold 30 of a nutrient; without the one of 10 per 100 g, 20 remain
// in 100 g.
TEST(RecipeTotals, LeavesWhatTheOtherIngredientsBringAfterARemoval) {
    EXPECT_DOUBLE_EQ(recipeOf({{100, 1, {{kFat, 10}}}, {100, 1, {{kFat, 20}}}}).total(kFat), 30);
    const RecipeTotals rest = recipeOf({{100, 1, {{kFat, 20}}}});
    EXPECT_DOUBLE_EQ(rest.total(kFat), 20);
    EXPECT_DOUBLE_EQ(rest.per100g(kFat), 20);
}

// 50 g at 10 and 150 g at 2 per 100 g: 5 + 3 = 8 in 200 g, 4 per 100 g, whichever comes first.
TEST(RecipeTotals, DependsOnTheSetOfIngredientsNotTheirOrder) {
    for (const RecipeTotals& totals :
         {recipeOf({{50, 1, {{kProtein, 10}}}, {150, 1, {{kProtein, 2}}}}),
          recipeOf({{150, 1, {{kProtein, 2}}}, {50, 1, {{kProtein, 10}}}})}) {
        EXPECT_DOUBLE_EQ(totals.total(kProtein), 8);
        EXPECT_DOUBLE_EQ(totals.per100g(kProtein), 4);
    }
}

TEST(RecipeTotals, KeepsTwoDecimalsAndNeverDividesByNoWeight) {
    // 1/3 g in 300 g: the total and the value keep two decimals.
    const RecipeTotals thirds = recipeOf({{100, 1, {{kFat, 1.0 / 3}}}, {200, 1, {}}});
    EXPECT_EQ(thirds.ingredients(), 2);
    EXPECT_DOUBLE_EQ(thirds.total(kFat), 0.33);
    EXPECT_DOUBLE_EQ(thirds.per100g(kFat), 0.11);
    EXPECT_DOUBLE_EQ(recipeOf({{1, 1, {{kFat, 0.5}}}}).total(kFat), 0.01);

    // An ingredient of 0 g: the nutrient is there, with nothing of it.
    const RecipeTotals none = recipeOf({{0, 1, {{kFat, 40}}}});
    EXPECT_TRUE(none.carries(kFat));
    EXPECT_DOUBLE_EQ(none.total(kFat), 0);
    EXPECT_DOUBLE_EQ(none.per100g(kFat), 0);

    // Codes outside 1 to 30 have no place; a nutrient nobody carries is 0.
    const RecipeTotals odd = recipeOf({{100, 1, {{0, 5}, {31, 5}}}});
    EXPECT_TRUE(odd.origins().isEmpty());
    EXPECT_FALSE(odd.carries(kProtein));
    EXPECT_DOUBLE_EQ(odd.per100g(kProtein), 0);
}
