#include <gtest/gtest.h>

#include "foods/RecipeOrder.h"

using foods::RecipeOrder;

namespace {

// A chain given last dish first, and a diamond: each food comes once, after what it is made of,
// and foods that do not depend on one another keep the order given.
TEST(RecipeOrderTest, EachFoodOnceAfterTheFoodsItIsMadeOf) {
    RecipeOrder chain;
    chain.addUse(3, 2);
    chain.addUse(2, 1);
    chain.addUse(1, 99);  // a plain food outside the list
    EXPECT_EQ(chain.order({3, 2, 1, 7}), (QList<int>{1, 2, 3, 7}));
    EXPECT_TRUE(chain.cyclic().isEmpty());

    RecipeOrder diamond;
    diamond.addUse(40, 20);
    diamond.addUse(40, 30);
    diamond.addUse(40, 20);  // a recipe that holds one food in two rows
    diamond.addUse(20, 10);
    diamond.addUse(30, 10);
    EXPECT_EQ(diamond.order({40, 30, 20, 10, 30}), (QList<int>{10, 30, 20, 40}));
}

// Data may hold foods made of one another, or of themselves: the order still ends, holds each
// food once, puts what is made of a cycle after it, and names the foods of the cycles.
TEST(RecipeOrderTest, ACycleEndsWithEachFoodOnceAndIsNamed) {
    RecipeOrder order;
    order.addUse(1, 2);
    order.addUse(2, 3);
    order.addUse(3, 1);
    order.addUse(4, 1);  // made of the cycle, not in it
    order.addUse(5, 5);
    order.addUse(6, 0);
    EXPECT_EQ(order.order({4, 5, 3, 2, 1, 6, 0}), (QList<int>{3, 2, 1, 4, 5, 0, 6}));
    EXPECT_EQ(order.cyclic(), (QList<int>{5, 3, 2, 1}));

    // A long chain is walked without recursion.
    RecipeOrder longChain;
    QList<int> foods;
    for (int i = 0; i < 200000; ++i) {
        longChain.addUse(i, i + 1);
        foods.append(i);
    }
    const QList<int> got = longChain.order(foods);
    ASSERT_EQ(got.size(), foods.size());
    EXPECT_EQ(got.first(), 199999);
    EXPECT_EQ(got.last(), 0);
}

}  // namespace
