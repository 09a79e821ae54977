// The delivered RDA groups, activities and allowances, read from the built data file. A
// member gets the group whose age band, age unit, sex, condition and activity type match
// (the activity's type is looked up first); a member without a group has no allowances at
// all, so every member the entry window lets through must find exactly one.

#include <map>
#include <string>
#include <vector>

#include "ReferenceDb.h"

namespace refdata {
namespace {

const std::string kChild = "Unemployed(Child)";
const std::string kTeen = "Unemployed(TeenAge)";

// The entry window's activity check. It reads the age as a bare number, whatever its unit,
// and compares the type texts exactly.
bool activitySuitsAge(int age, const std::string& type) {
    if (age >= 1 && age <= 9 && type != kChild) {
        return false;
    }
    if (type == kChild && (age < 1 || age > 9)) {
        return false;
    }
    if (type == kTeen && (age < 10 || age > 18)) {
        return false;
    }
    if (age >= 10 && age <= 18 && type != kTeen) {
        return age >= 16;  // 16 to 18 may have an adult activity
    }
    return true;
}

// Conditions the entry window lets a member keep: a man has none; the condition list is
// only open to a woman while her age reads 8 to 50, and a pregnancy outside 15 to 45 is
// refused on save.
std::vector<std::string> conditionsFor(const std::string& sex, int age) {
    std::vector<std::string> conditions = {"--"};
    if (sex != "Female") {
        return conditions;
    }
    if (age >= 15 && age <= 45) {
        conditions.push_back("Pregnant");
    }
    if (age >= 8 && age <= 50) {
        conditions.push_back("Lactation (0-6 Months)");
        conditions.push_back("Lactation (6-12 Months)");
    }
    return conditions;
}

class RdaData : public ReferenceDb {
  protected:
    // The group of a member as the member window finds it; -1 without one, -2 when the
    // answer is ambiguous.
    static int groupOf(int age, const std::string& unit, const std::string& sex,
                       const std::string& condition, const std::string& activity) {
        const std::string type =
            scalarText("SELECT ActivityType FROM usrcat WHERE activityname = ?", {activity});
        Query q(db_,
                "SELECT gid FROM grpmst WHERE ? >= minage AND ? <= maxage AND ageunit = ?"
                " AND sex = ? AND condition = ? AND ActTyp = ?");
        q.bind({age, age, unit, sex, condition, type});
        if (!q.next()) {
            return -1;
        }
        const int gid = q.integer(0);
        return q.next() ? -2 : gid;
    }

    static double allowance(int gid, int code) {
        return scalarReal("SELECT nutri_val FROM RDA WHERE gid = ? AND nutri_cd = ?", {gid, code});
    }

    static int rdaRows(int gid) {
        return scalarInt("SELECT count(*) FROM RDA WHERE gid = ?", {gid});
    }
};

TEST_F(RdaData, EveryMemberTheEntryAcceptsFindsExactlyOneGroup) {
    std::vector<std::pair<std::string, std::string>> activities;
    {
        Query q(db_, "SELECT activityname, ActivityType FROM usrcat");
        while (q.next()) {
            activities.emplace_back(q.text(0), q.text(1));
        }
    }
    ASSERT_FALSE(activities.empty());
    Query group(db_,
                "SELECT count(*), min(gid) FROM grpmst WHERE ? >= minage AND ? <= maxage"
                " AND ageunit = ? AND sex = ? AND condition = ? AND ActTyp = ?");
    int failures = 0;
    for (const char* unit : {"Y", "M"}) {
        for (int age = 1; age <= 100; ++age) {
            for (const char* sex : {"Male", "Female"}) {
                // Some activity must suit every age, or the member cannot be entered at all.
                int suitable = 0;
                for (const std::string& condition : conditionsFor(sex, age)) {
                    for (const auto& [activity, type] : activities) {
                        if (!activitySuitsAge(age, type)) {
                            continue;
                        }
                        ++suitable;
                        group.bind(
                            {age, age, std::string(unit), std::string(sex), condition, type});
                        ASSERT_TRUE(group.next());
                        if (group.integer(0) != 1 && ++failures <= 20) {
                            ADD_FAILURE()
                                << age << " " << unit << " " << sex << " " << condition << " "
                                << activity << ": " << group.integer(0) << " groups";
                        }
                    }
                }
                EXPECT_GT(suitable, 0) << "no activity for " << age << " " << unit;
            }
        }
    }
    EXPECT_EQ(failures, 0);
}

TEST_F(RdaData, AgeBandsOfOneKindNeverOverlap) {
    EXPECT_EQ(scalarInt("SELECT count(*) FROM grpmst a JOIN grpmst b ON a.gid < b.gid"
                        " AND a.ageunit = b.ageunit AND a.sex = b.sex"
                        " AND a.condition = b.condition AND a.ActTyp = b.ActTyp"
                        " AND a.minage <= b.maxage AND b.minage <= a.maxage"),
              0);
    EXPECT_EQ(scalarInt("SELECT count(*) FROM grpmst WHERE minage > maxage OR minage < 0"
                        " OR ageunit NOT IN ('Y', 'M') OR sex NOT IN ('Male', 'Female')"
                        " OR condition NOT IN ('--', 'Pregnant', 'Lactation (0-6 Months)',"
                        " 'Lactation (6-12 Months)')"),
              0);
}

TEST_F(RdaData, EveryActivityTypeHasAnActivityAndEveryActivityAGroup) {
    for (const char* type :
         {"Unemployed(Child)", "Unemployed(TeenAge)", "Sedentary", "Moderate", "Heavy"}) {
        EXPECT_GE(
            scalarInt("SELECT count(*) FROM usrcat WHERE ActivityType = ?", {std::string(type)}), 1)
            << type;
    }
    EXPECT_EQ(scalarInt("SELECT count(*) FROM (SELECT DISTINCT ActTyp FROM grpmst"
                        " WHERE ActTyp NOT IN (SELECT ActivityType FROM usrcat))"),
              0);
    EXPECT_EQ(scalarInt("SELECT count(*) FROM usrcat"
                        " WHERE ActivityType NOT IN (SELECT ActTyp FROM grpmst)"),
              0);
    // Activities are found by name and written between apostrophes.
    EXPECT_EQ(scalarInt("SELECT count(DISTINCT lower(activityname)) FROM usrcat"),
              scalarInt("SELECT count(*) FROM usrcat"));
    EXPECT_EQ(scalarInt("SELECT count(*) FROM usrcat WHERE instr(activityname, '''') > 0"
                        " OR activityname <> trim(activityname) OR activityname = ''"),
              0);
}

TEST_F(RdaData, AllowancesAreInTheNutrientsOwnUnitsOnePerNutrient) {
    // The reports compare intakes with allowances without converting either.
    EXPECT_EQ(scalarInt("SELECT count(*) FROM RDA r LEFT JOIN nutri n ON n.nutri_cd = r.nutri_cd"
                        " WHERE n.nutri_cd IS NULL OR r.Unit IS NOT n.file_nm"),
              0);
    EXPECT_EQ(scalarInt("SELECT count(*) FROM (SELECT gid, nutri_cd FROM RDA"
                        " GROUP BY gid, nutri_cd HAVING count(*) > 1)"),
              0);
    EXPECT_EQ(scalarInt("SELECT count(*) FROM RDA WHERE gid NOT IN (SELECT gid FROM grpmst)"), 0);
    // Visible fat is not the total fat that foods carry.
    EXPECT_EQ(scalarInt("SELECT count(*) FROM RDA WHERE nutri_cd = 3"), 0);
    // The intake report shows an allowance that rounds to 0.00 as missing.
    EXPECT_EQ(scalarInt("SELECT count(*) FROM RDA WHERE nutri_val IS NULL OR nutri_val < 0.01"), 0);
}

TEST_F(RdaData, AdultsTakeTheTableByWorkLevel) {
    const int man = groupOf(35, "Y", "Male", "--", "Office worker");
    ASSERT_GT(man, 0);
    EXPECT_DOUBLE_EQ(allowance(man, 7), 2320);
    EXPECT_DOUBLE_EQ(allowance(man, 2), 60);
    EXPECT_DOUBLE_EQ(allowance(man, 10), 17);
    EXPECT_DOUBLE_EQ(allowance(man, 11), 4800);  // retinol 600 x 8
    EXPECT_DOUBLE_EQ(allowance(man, 17), 200);   // folate on FOLIC ACID
    EXPECT_DOUBLE_EQ(allowance(man, 14), 16);    // niacin
    EXPECT_DOUBLE_EQ(allowance(man, 30), 1);

    const int heavy = groupOf(100, "Y", "Male", "--", "Stone cutter");
    ASSERT_GT(heavy, 0);
    EXPECT_DOUBLE_EQ(allowance(heavy, 7), 3490);
    EXPECT_DOUBLE_EQ(allowance(heavy, 12), 1.7);

    const int woman = groupOf(18, "Y", "Female", "--", "Farm labourer");
    ASSERT_GT(woman, 0);
    EXPECT_DOUBLE_EQ(allowance(woman, 7), 2230);
    EXPECT_DOUBLE_EQ(allowance(woman, 10), 21);
    EXPECT_DOUBLE_EQ(allowance(woman, 20), 310);
}

TEST_F(RdaData, ChildrenAndTeenagersTakeTheirAgeBand) {
    const int child = groupOf(9, "Y", "Female", "--", "Child");
    ASSERT_GT(child, 0);
    EXPECT_DOUBLE_EQ(allowance(child, 7), 1690);
    EXPECT_DOUBLE_EQ(allowance(child, 11), 4800);

    EXPECT_DOUBLE_EQ(allowance(groupOf(10, "Y", "Male", "--", "Teenager"), 7), 2190);
    EXPECT_DOUBLE_EQ(allowance(groupOf(10, "Y", "Female", "--", "Teenager"), 7), 2010);
    // An adolescent with an adult activity keeps the adolescent allowances; at 18 the
    // teenage activity still does.
    EXPECT_DOUBLE_EQ(allowance(groupOf(17, "Y", "Male", "--", "Heavy work"), 7), 3020);
    EXPECT_DOUBLE_EQ(allowance(groupOf(18, "Y", "Male", "--", "Teenager"), 7), 3020);
    EXPECT_DOUBLE_EQ(allowance(groupOf(18, "Y", "Male", "--", "Heavy work"), 7), 3490);
    // Folate and magnesium of girls 13 to 17 are missing from the table.
    const int girl = groupOf(14, "Y", "Female", "--", "Teenager");
    EXPECT_DOUBLE_EQ(allowance(girl, 17), -1.0);
    EXPECT_DOUBLE_EQ(allowance(girl, 20), -1.0);
}

TEST_F(RdaData, InfantsTakeDailyAmountsFromTheReferenceWeights) {
    const int young = groupOf(3, "M", "Male", "--", "Child");
    ASSERT_GT(young, 0);
    EXPECT_DOUBLE_EQ(allowance(young, 7), 496.8);  // 92 kcal/kg x 5.4 kg
    EXPECT_DOUBLE_EQ(allowance(young, 2), 6.26);   // 1.16 g/kg x 5.4 kg
    EXPECT_DOUBLE_EQ(allowance(young, 10), 0.25);  // 46 mcg/kg x 5.4 kg
    EXPECT_DOUBLE_EQ(allowance(young, 14), 3.83);  // 710 mcg/kg x 5.4 kg
    const int older = groupOf(8, "M", "Female", "--", "Child");
    ASSERT_GT(older, 0);
    EXPECT_DOUBLE_EQ(allowance(older, 7), 672);   // 80 kcal/kg x 8.4 kg
    EXPECT_DOUBLE_EQ(allowance(older, 2), 14.2);  // 1.69 g/kg x 8.4 kg
    EXPECT_DOUBLE_EQ(allowance(older, 10), 5);
    // A child whose age is given in months takes the allowance of that age.
    EXPECT_DOUBLE_EQ(allowance(groupOf(30, "M", "Male", "--", "Homemaker"), 7), 1060);
    EXPECT_DOUBLE_EQ(allowance(groupOf(60, "M", "Male", "--", "Homemaker"), 7), 1350);
    EXPECT_DOUBLE_EQ(allowance(groupOf(100, "M", "Male", "--", "Homemaker"), 7), 1690);
}

TEST_F(RdaData, PregnancyAndLactationAddTheIncrementsToTheWorkLevel) {
    const int sedentary = groupOf(28, "Y", "Female", "Pregnant", "Teacher");
    ASSERT_GT(sedentary, 0);
    EXPECT_DOUBLE_EQ(allowance(sedentary, 7), 2250);
    EXPECT_DOUBLE_EQ(allowance(sedentary, 2), 78);
    EXPECT_DOUBLE_EQ(allowance(sedentary, 11), 6400);
    EXPECT_DOUBLE_EQ(allowance(sedentary, 10), 35);

    const int moderate = groupOf(28, "Y", "Female", "Pregnant", "Carpenter");
    ASSERT_GT(moderate, 0);
    EXPECT_DOUBLE_EQ(allowance(moderate, 7), 2580);  // 2230 + 350
    EXPECT_DOUBLE_EQ(allowance(moderate, 12), 1.3);  // 1.1 + 0.2
    EXPECT_DOUBLE_EQ(allowance(moderate, 8), 1200);

    const int early = groupOf(30, "Y", "Female", "Lactation (0-6 Months)", "Mine worker");
    ASSERT_GT(early, 0);
    EXPECT_DOUBLE_EQ(allowance(early, 7), 3450);   // 2850 + 600
    EXPECT_DOUBLE_EQ(allowance(early, 2), 74);     // 55 + 19
    EXPECT_DOUBLE_EQ(allowance(early, 11), 7600);  // retinol 950 x 8
    const int late = groupOf(50, "Y", "Female", "Lactation (6-12 Months)", "Sedentary work");
    ASSERT_GT(late, 0);
    EXPECT_DOUBLE_EQ(allowance(late, 7), 2420);
    EXPECT_DOUBLE_EQ(allowance(late, 14), 15);

    // A pregnant teenager: the girl's allowance plus the increments.
    const int teen = groupOf(15, "Y", "Female", "Pregnant", "Teenager");
    ASSERT_GT(teen, 0);
    EXPECT_DOUBLE_EQ(allowance(teen, 7), 2680);  // 2330 + 350
}

TEST_F(RdaData, ConditionsThatContradictTheAgeGetAGroupWithoutAllowances) {
    // A pregnancy with an age in months is most likely a slip of the age unit; no
    // allowance is made up for it, and the group still exists so the member stays placed.
    const int months = groupOf(25, "M", "Female", "Pregnant", "Homemaker");
    ASSERT_GT(months, 0);
    EXPECT_EQ(rdaRows(months), 0);
    const int child = groupOf(9, "Y", "Female", "Lactation (0-6 Months)", "Child");
    ASSERT_GT(child, 0);
    EXPECT_EQ(rdaRows(child), 0);
    // Every group of a member without a condition has allowances.
    EXPECT_EQ(scalarInt("SELECT count(*) FROM grpmst WHERE condition = '--'"
                        " AND gid NOT IN (SELECT gid FROM RDA WHERE nutri_cd IN (2, 7))"),
              0);
}

}  // namespace
}  // namespace refdata
