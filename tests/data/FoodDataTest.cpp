// The delivered foods, nutrients, units, categories and food names, read from the built data
// file. The windows find foods by name, decode nutrient rows with the offset form and look up
// a nutrient's unit row by its unit text; these tests check that every built-in row survives
// those readers.

#include <cmath>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "ReferenceDb.h"

namespace refdata {
namespace {

constexpr int kFoodCount = 542;  // the foods of IFCT 2017 as packaged

class FoodData : public ReferenceDb {};

TEST_F(FoodData, NutrientsComeInCodeOrderWithTheirNamesAndAUnitRowEach) {
    const std::vector<std::string> names = {"MOISTURE",
                                            "PROTEIN",
                                            "FAT",
                                            "MINERALS",
                                            "FIBRE",
                                            "CARBOHYDRATES",
                                            "ENERGY",
                                            "CALCIUM",
                                            "PHOSPHORUS",
                                            "IRON",
                                            "CAROTENE-B (VIT-A)",
                                            "THIAMINE",
                                            "RIBOFLAVIN",
                                            "NIACIN (NICOTINIC ACID)",
                                            "VIT-B6 (PYRIDOXIN)",
                                            "FOLIC FREE",
                                            "FOLIC ACID",
                                            "VIT-C (ASCORBIC ACID)",
                                            "CHOLINE",
                                            "MAGNESIUM",
                                            "SODIUM",
                                            "POTASSIUM",
                                            "COPPER",
                                            "MANGANESE",
                                            "MOLYBDENUM",
                                            "ZINC",
                                            "CHROMIUM",
                                            "SELENIUM",
                                            "CHLORIDE",
                                            "VITAMIN B12"};
    Query q(db_, "SELECT nutri_cd, nname, file_nm FROM nutri ORDER BY nutri_cd");
    Query unitRows(db_, "SELECT count(*) FROM unit WHERE UnitType = ?");
    Query notes(db_, "SELECT count(*) FROM notes WHERE nutri_cd = ? AND length(note) > 0");
    size_t i = 0;
    while (q.next()) {
        ASSERT_LT(i, names.size());
        EXPECT_EQ(q.integer(0), static_cast<int>(i) + 1);
        EXPECT_EQ(q.text(1), names[i]);  // exact, with case: the report keys on it
        const std::string unit = q.text(2);
        EXPECT_TRUE(unit == "g" || unit == "kcal" || unit == "mg" || unit == "mcg") << unit;
        // Exactly one unit row, so that "the first row of that unit" is never a serving unit.
        ASSERT_TRUE(unitRows.bind({unit}).next());
        EXPECT_EQ(unitRows.integer(0), 1) << unit;
        ASSERT_TRUE(notes.bind({q.integer(0)}).next());
        EXPECT_EQ(notes.integer(0), 1) << names[i];
        ++i;
    }
    EXPECT_EQ(i, names.size());
    EXPECT_EQ(scalarText("SELECT file_nm FROM nutri WHERE nutri_cd = 7"), "kcal");
    EXPECT_EQ(scalarInt("SELECT count(*) FROM unit WHERE UnitName = 'Grams' AND unitid = 1"), 1);
}

TEST_F(FoodData, CategoriesHoldTheFiltersAndTheFoodGroups) {
    EXPECT_EQ(scalarInt("SELECT cid FROM cat WHERE cname = 'ALL FOODS'"), 0);
    EXPECT_EQ(scalarText("SELECT cname FROM cat WHERE cid = 21"), "READY FOOD");
    EXPECT_EQ(scalarInt("SELECT count(*) FROM (SELECT lower(cname) FROM cat GROUP BY 1)"),
              scalarInt("SELECT count(*) FROM cat"));
    // Every built-in food sits in one of the 20 food groups, none in a filter or READY FOOD.
    EXPECT_EQ(scalarInt("SELECT count(*) FROM food f LEFT JOIN cat c ON c.cid = f.cid "
                        "WHERE c.cid IS NULL OR f.cid IN (0, 21)"),
              0);
    EXPECT_EQ(scalarInt("SELECT count(DISTINCT cid) FROM food"), 20);
    EXPECT_EQ(scalarInt("SELECT count(*) FROM food f JOIN cat c ON c.cid = f.cid "
                        "WHERE f.foodname = 'Ghee' AND c.cname = 'EDIBLE OILS AND FATS'"),
              1);
}

TEST_F(FoodData, EveryFoodIsABuiltInFoodWithAUniqueUsableName) {
    EXPECT_EQ(scalarInt("SELECT count(*) FROM food"), kFoodCount);
    EXPECT_EQ(scalarInt("SELECT count(*) FROM food WHERE PrimeOrNot <> 'P' OR edible <> 100 "
                        "OR stdweight <> 100 OR Price <> 0 OR imp <> 'A' OR foodnote IS NULL "
                        "OR foodnote = '' OR LANG_NM IS NULL"),
              0);
    // Names go between apostrophes in the windows' statements and are matched exactly.
    EXPECT_EQ(scalarInt("SELECT count(*) FROM food WHERE foodname IS NULL OR foodname = '' "
                        "OR foodname <> trim(foodname) OR instr(foodname, '''') > 0 "
                        "OR instr(foodname, '  ') > 0"),
              0);
    EXPECT_EQ(scalarInt("SELECT count(DISTINCT lower(foodname)) FROM food"), kFoodCount);
    EXPECT_EQ(scalarInt("SELECT count(*) FROM food WHERE foodname IN "
                        "('Cat fish, marine', 'Cat fish, fresh water', 'Crab, marine', "
                        "'Crab, fresh water')"),
              4);
    // Composed foods take the lowest free id from 0 up; the built-in ones leave 0 free.
    EXPECT_EQ(scalarInt("SELECT min(foodid) FROM food"), 1);
    EXPECT_EQ(scalarInt("SELECT max(foodid) FROM food"), kFoodCount);
}

TEST_F(FoodData, EveryFoodHasThirtyRowsThatDecodeToCodesOneToThirty) {
    // Decoded as every reader does: code = nutri_cd - srl_no + unit_cd.
    Query q(db_,
            "SELECT f.foodid, count(n.foodid), count(DISTINCT n.nutri_cd - n.srl_no + n.unit_cd),"
            "       min(n.nutri_cd - n.srl_no + n.unit_cd), max(n.nutri_cd - n.srl_no + n.unit_cd)"
            " FROM food f LEFT JOIN foodN1 n ON n.foodid = f.foodid GROUP BY f.foodid");
    int foods = 0;
    while (q.next()) {
        ++foods;
        SCOPED_TRACE("foodid " + std::to_string(q.integer(0)));
        EXPECT_EQ(q.integer(1), 30);
        EXPECT_EQ(q.integer(2), 30);
        EXPECT_EQ(q.integer(3), 1);
        EXPECT_EQ(q.integer(4), 30);
    }
    EXPECT_EQ(foods, kFoodCount);
    EXPECT_EQ(
        scalarInt("SELECT count(*) FROM foodN1 WHERE foodid NOT IN (SELECT foodid FROM food)"), 0);
}

TEST_F(FoodData, EveryNutrientRowCarriesItsUnitAsUserFoodsDo) {
    // The unit row, the unit text shown in the lists and the nutrient's own unit must agree,
    // and the rows look like a user food's: serial 9, no total.
    EXPECT_EQ(scalarInt("SELECT count(*) FROM foodN1 n"
                        " JOIN nutri t ON t.nutri_cd = n.nutri_cd - n.srl_no + n.unit_cd"
                        " JOIN unit u ON u.unitid = n.unit_cd"
                        " WHERE n.srl_no = 9 AND n.total_value = 0"
                        " AND u.UnitType = t.file_nm AND n.unit_tp = t.file_nm"),
              kFoodCount * 30);
}

TEST_F(FoodData, ValuesDecodeWithoutNoiseAndNeverBelowZero) {
    // Written with at most six decimals in the nutrient's unit: anything finer is float noise
    // that a conversion let through.
    Query q(db_, "SELECT foodid, nutri_cd - srl_no + unit_cd, nutri_val - nutri_cd FROM foodN1");
    int noisy = 0;
    int negative = 0;
    while (q.next()) {
        const double v = q.real(2);
        const double scaled = v * 1e6;
        if (std::fabs(scaled - std::round(scaled)) > 1e-3) {
            ++noisy;
            ADD_FAILURE() << "food " << q.integer(0) << " code " << q.integer(1) << ": " << v;
        }
        negative += v < 0 ? 1 : 0;
    }
    EXPECT_EQ(noisy, 0);
    EXPECT_EQ(negative, 0);
}

TEST_F(FoodData, NutrientsTheSourceLacksHoldZero) {
    EXPECT_EQ(scalarInt("SELECT count(*) FROM foodN1 WHERE nutri_cd - srl_no + unit_cd IN "
                        "(16, 19, 29, 30) AND nutri_val - nutri_cd <> 0"),
              0);
}

struct KnownValue {
    const char* food;
    int code;
    double value;
};

// IFCT 2017 figures per 100 g, in the nutrient's unit (mass in g, mg or mcg; energy kJ / 4.184).
const KnownValue kKnownValues[] = {
    {"Rice, raw, milled", 2, 7.94},
    {"Rice, raw, milled", 7, 356.36},  // 1491 kJ
    {"Rice, raw, milled", 1, 9.93},
    {"Rice, raw, milled", 12, 0.05},
    {"Rice, raw, milled", 17, 9.32},
    {"Milk, whole, Buffalo", 3, 6.58},
    {"Milk, whole, Buffalo", 8, 121},
    {"Milk, whole, Buffalo", 18, 2.37},
    {"Bajra", 10, 6.42},
    {"Bajra", 11, 28.23},
    {"Amaranth seed, black", 28, 16.46},
    {"Amaranth seed, black", 27, 1227},
    {"Amaranth seed, black", 25, 16},
    {"Corn oil", 3, 100.01},
    {"Coconut oil", 7, 884.32},  // 100 g fat at 37 kJ/g
    {"Coconut oil", 2, 0},
    // Vitamin B6 that the package gives in micrograms, converted to mg; the whole egg beside
    // it was right all along.
    {"Korka", 15, 0.316},
    {"Squid, hard shell", 15, 0.0415},
    {"Rohu", 15, 0.24},
    {"Egg, poultry, white, raw", 15, 0.00436},
    {"Egg, poultry, white, boiled", 15, 0.00437},
    {"Egg, poultry, whole, raw", 15, 0.16},
};

void PrintTo(const KnownValue& k, std::ostream* os) {
    *os << k.food << " code " << k.code << " = " << k.value;
}

class KnownFoodValue : public ReferenceDb, public ::testing::WithParamInterface<KnownValue> {};

TEST_P(KnownFoodValue, ReadsBackAsTheSourceGivesIt) {
    const KnownValue& k = GetParam();
    Query q(db_,
            "SELECT n.nutri_val - n.nutri_cd FROM food f JOIN foodN1 n ON n.foodid = f.foodid"
            " WHERE f.foodname = ? AND n.nutri_cd - n.srl_no + n.unit_cd = ?");
    q.bind({std::string(k.food), k.code});
    ASSERT_TRUE(q.next()) << k.food << " has no row for code " << k.code;
    EXPECT_NEAR(q.real(0), k.value, 1e-9);
    EXPECT_FALSE(q.next()) << "a second row for code " << k.code;
}

INSTANTIATE_TEST_SUITE_P(FoodData, KnownFoodValue, ::testing::ValuesIn(kKnownValues));

TEST_F(FoodData, EveryFoodHasANameInEachOfTheThirteenLanguages) {
    Query q(db_,
            "SELECT f.foodid, count(l.foodid), count(DISTINCT l.langid), min(l.langid),"
            "       max(l.langid) FROM food f LEFT JOIN lang l ON l.foodid = f.foodid"
            " GROUP BY f.foodid");
    while (q.next()) {
        SCOPED_TRACE("foodid " + std::to_string(q.integer(0)));
        EXPECT_EQ(q.integer(1), 13);
        EXPECT_EQ(q.integer(2), 13);
        EXPECT_EQ(q.integer(3), 1);
        EXPECT_EQ(q.integer(4), 13);
    }
    EXPECT_EQ(scalarInt("SELECT count(*) FROM lang l LEFT JOIN langcat c ON c.langid = l.langid"
                        " WHERE c.langid IS NULL OR c.langname = 'ENGLISH' OR l.srl_no <> 0"
                        " OR l.foodlangname IS NULL OR trim(l.foodlangname) = ''"
                        " OR instr(l.foodlangname, '''') > 0"),
              0);
}

TEST_F(FoodData, LanguageNamesFollowTheSourceAbbreviations) {
    const std::string sql =
        "SELECT l.foodlangname FROM lang l JOIN food f ON f.foodid = l.foodid"
        " JOIN langcat c ON c.langid = l.langid WHERE f.foodname = ? AND c.langname = ?";
    EXPECT_EQ(scalarText(sql, {std::string("Bajra"), std::string("Hindi")}), "Bajra");
    EXPECT_EQ(scalarText(sql, {std::string("Bajra"), std::string("Tamili")}), "Kambu");
    // "A., Kash. Baajra" names the food in two languages at once.
    EXPECT_EQ(scalarText(sql, {std::string("Bajra"), std::string("Assamese")}), "Baajra");
    EXPECT_EQ(scalarText(sql, {std::string("Bajra"), std::string("Kashmiri")}), "Baajra");
    EXPECT_EQ(scalarText(sql, {std::string("Bajra"), std::string("Others")}),
              "English: Pearl millet; Khasi: Krai; Nepali: Bajara; Urdu: Bajra");
    EXPECT_EQ(scalarText(sql, {std::string("Coconut oil"), std::string("Hindi")}), "Not Available");
    // A place of collection is no name.
    EXPECT_EQ(scalarText(sql, {std::string("Black snapper"), std::string("Others")}),
              "Not Available");
    EXPECT_EQ(scalarInt("SELECT count(*) FROM lang WHERE foodlangname LIKE '%Place of%'"), 0);
}

}  // namespace
}  // namespace refdata
