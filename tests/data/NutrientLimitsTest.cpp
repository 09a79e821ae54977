// Every nutrient value of every built-in food lies under the most a food can plausibly hold
// per 100 g. A unit slip in a source (micrograms taken for milligrams, milligrams for grams)
// multiplies a column or a food group by 1000 and lands far above these limits, so the next
// one fails here instead of reaching the intake reports. data/README.md lists the outliers.

#include <cmath>
#include <iterator>
#include <set>
#include <string>
#include <tuple>

#include "ReferenceDb.h"

namespace refdata {
namespace {

struct NutrientLimit {
    int code;
    const char* unit;  // the nutrient's unit in the data file; a new unit means a new limit
    double limit;      // per 100 g of edible portion
    const char* reason;
};

constexpr const char* kPartOfTheFood =
    "a part weighs no more than the 100 g it is part of; +1 g for the rounding of analyses "
    "(oils show 100.01 g of fat)";

// Each limit sits above the richest foods known for its nutrient: a thousandfold slip of a
// whole column or group cannot pass, a real food can.
const NutrientLimit kLimits[] = {
    {1, "g", 101, kPartOfTheFood},
    {2, "g", 101, kPartOfTheFood},
    {3, "g", 101, kPartOfTheFood},
    {4, "g", 101, kPartOfTheFood},
    {5, "g", 101, kPartOfTheFood},
    {6, "g", 101, kPartOfTheFood},
    {7, "kcal", 900, "pure fat, the densest food: 9 kcal per g (884 kcal at 37 kJ per g)"},
    {8, "mg", 4000,
     "dried herbs and small fish dried with their bones reach about 2000 to 2500 mg, sesame "
     "seeds 1000 to 1700"},
    {9, "mg", 2000, "rice bran and pumpkin seeds, the richest foods, hold about 1200 to 1700 mg"},
    {10, "mg", 150, "dried thyme holds about 120 mg; spleen and turmeric about 40 to 55"},
    {11, "mcg", 100000,
     "red palm oil, the richest food, holds about 50000 to 70000 mcg of carotenes; green "
     "leaves and carrots up to about 20000"},
    {12, "mg", 15, "dried yeast, the richest food, holds about 11 mg; seeds, nuts, pork 1 to 2"},
    {13, "mg", 10, "liver and dried yeast, the richest foods, hold about 3 to 5 mg"},
    {14, "mg", 60, "dried yeast holds about 40 mg, rice bran about 30, liver about 15"},
    {15, "mg", 5,
     "rice bran, the richest food, holds about 2.5 to 4.2 mg; nuts, seeds and liver about 1, "
     "fish 0.1 to 0.9"},
    {16, "mcg", 2500, "a part of the total folate, whose limit it takes"},
    {17, "mcg", 2500,
     "dried yeast, the richest food, holds about 2300 mcg; liver and dry legumes up to about "
     "1000"},
    {18, "mg", 3000,
     "acerola and camu camu, the richest common fruits, hold about 1700 to 2800 mg; Indian "
     "gooseberry 250 to 600"},
    {19, "mg", 2000,
     "egg yolk, the richest fresh food, holds about 700 to 800 mg; dried yolk about twice that"},
    {20, "mg", 1500, "rice bran, the richest food, holds up to about 950 mg; pumpkin seeds 550"},
    {21, "mg", 40000, "common salt, 39.3 % sodium, is the most any food can hold"},
    {22, "mg", 5000,
     "dried herbs, spices and sun-dried tomatoes, the richest foods, hold about 2000 to 3500 mg"},
    {23, "mg", 20, "beef liver, the richest food, holds about 10 to 14 mg; oysters, octopus 7"},
    {24, "mg", 100, "cloves, the richest food, hold about 60 mg; cardamom 30 to 40"},
    {25, "mcg", 500,
     "dry legumes, the richest foods, hold up to a few hundred mcg; fruits a few mcg"},
    {26, "mg", 100,
     "oysters, the richest food, hold up to about 90 mg; seeds and red meat 5 to 10"},
    {27, "mcg", 300, "spices, the richest foods, hold up to about 200 mcg; most foods under 50"},
    {28, "mcg", 3000,
     "Brazil nuts, the richest food, average about 1900 mcg and vary widely; kidneys 100 to 200"},
    {29, "mg", 61000, "common salt, 60.7 % chloride, is the most any food can hold"},
    {30, "mcg", 150, "clams and lamb liver, the richest foods, hold about 85 to 100 mcg"},
};

// Values above their limit that were checked and kept because they are what the source
// gives: no group around them is off, so nothing shows which unit slipped, if any.
struct AcceptedOutlier {
    const char* food;
    int code;
    double value;
};

const AcceptedOutlier kAcceptedOutliers[] = {
    {"Apple, big", 25, 839},  // the mean of six regions, given as 839 +- 447
    {"Bael fruit", 25, 819},
    {"Peach", 25, 713},
    {"Amaranth seed, black", 27, 1227},
};

class NutrientLimits : public ReferenceDb {};

TEST_F(NutrientLimits, CoverEveryNutrientOnceInItsOwnUnit) {
    Query q(db_, "SELECT nutri_cd, file_nm FROM nutri ORDER BY nutri_cd");
    size_t i = 0;
    while (q.next()) {
        ASSERT_LT(i, std::size(kLimits));
        EXPECT_EQ(kLimits[i].code, q.integer(0));
        EXPECT_EQ(kLimits[i].unit, q.text(1)) << "nutrient " << q.integer(0);
        ++i;
    }
    EXPECT_EQ(i, std::size(kLimits));
}

TEST_F(NutrientLimits, NoFoodHoldsMoreThanItsNutrientPlausiblyCan) {
    Query q(db_,
            "SELECT f.foodname, n.nutri_cd - n.srl_no + n.unit_cd, n.nutri_val - n.nutri_cd"
            " FROM food f JOIN foodN1 n ON n.foodid = f.foodid");
    std::set<std::tuple<std::string, int>> accepted;
    int rows = 0;
    while (q.next()) {
        ++rows;
        const std::string food = q.text(0);
        const int code = q.integer(1);
        const double value = q.real(2);
        ASSERT_TRUE(code >= 1 && code <= static_cast<int>(std::size(kLimits))) << food;
        const NutrientLimit& limit = kLimits[code - 1];
        if (value <= limit.limit) {
            continue;
        }
        bool known = false;
        for (const AcceptedOutlier& o : kAcceptedOutliers) {
            known =
                known || (food == o.food && code == o.code && std::fabs(value - o.value) < 1e-9);
        }
        if (known) {
            accepted.emplace(food, code);
            continue;
        }
        ADD_FAILURE() << food << ", nutrient " << code << ": " << value << " " << limit.unit
                      << " per 100 g, above " << limit.limit << " (" << limit.reason
                      << "). A whole group this far off is a unit slip to convert in the data "
                         "tool; a single value that matches its source is accepted here by name.";
    }
    EXPECT_GT(rows, 0);
    // An accepted value that changed or came under its limit is no longer the one checked.
    for (const AcceptedOutlier& o : kAcceptedOutliers) {
        EXPECT_EQ(accepted.count({o.food, o.code}), 1u)
            << o.food << ", nutrient " << o.code << " no longer reads " << o.value
            << " above its limit";
    }
}

}  // namespace
}  // namespace refdata
