#include <sqlite3.h>

#include "intake/IntakeFixture.h"
#include "intake/RdaVsIntake.h"

namespace {

using namespace intake_test;
namespace report = intake::RdaVsIntake;

constexpr int kIron = 10;
constexpr int kB12 = 30;  // no delivered food holds any

class RdaVsIntakeRun : public IntakeTest {
  protected:
    void SetUp() override {
        IntakeTest::SetUp();
        asha = addMember(QStringLiteral("Asha"));
        addFood(9001, QStringLiteral("Test dal"),
                {{kProtein, 20}, {kFat, 5}, {kEnergy, 333.333}, {kCalcium, 12.345}});
        addFood(9002, QStringLiteral("Test milk"), {{kProtein, 3.2}, {kCalcium, 120}});
    }
    std::vector<report::NutrientTotal> run(const QDate& from, const QDate& to) {
        const auto totals = report::Run(core::cn, asha, from, to);
        EXPECT_TRUE(totals.has_value());
        return totals.value_or(std::vector<report::NutrientTotal>{});
    }
    static const report::NutrientTotal* find(const std::vector<report::NutrientTotal>& totals,
                                             const QString& name) {
        for (const auto& total : totals) {
            if (total.nutrient == name) {
                return &total;
            }
        }
        return nullptr;
    }
    static int scratchRows() { return count(QStringLiteral("SELECT COUNT(*) FROM SYSTABLE")); }

    qint32 asha = 0;
};

TEST(RdaVsIntakeRules, DayCountsIncludeBothEnds) {
    EXPECT_EQ(report::DayCount(QDate(2024, 3, 5), QDate(2024, 3, 5)), 1);
    EXPECT_EQ(report::DayCount(QDate(2024, 2, 28), QDate(2024, 3, 1)), 3);
    EXPECT_EQ(report::DayCount(QDate(2023, 2, 28), QDate(2023, 3, 1)), 2);
    EXPECT_EQ(report::DayCount(QDate(2023, 12, 31), QDate(2024, 1, 1)), 2);
}

TEST(RdaVsIntakeRules, CentsAsTheTextFormRoundsThem) {
    EXPECT_DOUBLE_EQ(report::Cents(1.005), 1.01);
    EXPECT_DOUBLE_EQ(report::Cents(2.675), 2.68);
    EXPECT_DOUBLE_EQ(report::Cents(-1.005), -1.01);
    EXPECT_DOUBLE_EQ(report::Cents(0.004), 0);
    EXPECT_DOUBLE_EQ(report::Cents(499.9995), 500);
    EXPECT_DOUBLE_EQ(report::Cents(1234.5678), 1234.57);
}

TEST(RdaVsIntakeRules, LinesClassByTheDifferenceAsShown) {
    auto line = report::Present({QStringLiteral("CALCIUM"), 600, 264.69}, 2);
    EXPECT_EQ(line.rda, QStringLiteral("1200.00"));
    EXPECT_EQ(line.intake, QStringLiteral("264.69"));
    EXPECT_EQ(line.difference, QStringLiteral("-935.31"));
    EXPECT_EQ(line.percent, QStringLiteral("-77.94%"));
    EXPECT_EQ(line.balance, report::Balance::Deficiency);

    line = report::Present({QStringLiteral("PROTEIN"), 55, 0}, 3);
    EXPECT_EQ(line.intake, QStringLiteral("0.00"));
    EXPECT_EQ(line.difference, QStringLiteral("-165.00"));
    EXPECT_EQ(line.percent, QStringLiteral("-100.00%"));

    line = report::Present({QStringLiteral("FAT"), 0, 10}, 2);
    EXPECT_EQ(line.rda, QStringLiteral("-"));
    EXPECT_EQ(line.difference, QStringLiteral("-"));
    EXPECT_EQ(line.percent, QStringLiteral("-"));
    EXPECT_EQ(line.balance, report::Balance::NotInRda);
    // An RDA that comes to less than half a cent over the range counts as none.
    EXPECT_EQ(report::Present({QStringLiteral("X"), 0.002, 1}, 2).rda, QStringLiteral("-"));

    line = report::Present({QStringLiteral("ZINC"), 10, 20}, 2);
    EXPECT_EQ(line.difference, QStringLiteral("0.00"));
    EXPECT_EQ(line.percent, QStringLiteral("0.00%"));
    EXPECT_EQ(line.balance, report::Balance::Even);

    line = report::Present({QStringLiteral("IRON"), 1, 5}, 1);
    EXPECT_EQ(line.difference, QStringLiteral("4.00"));
    EXPECT_EQ(line.percent, QStringLiteral("400.00%"));
    EXPECT_EQ(line.balance, report::Balance::MoreThanRda);

    // An intake nobody measured is compared with nothing.
    line = report::Present({QStringLiteral("VITAMIN B12"), 1, 0, {}, false}, 2);
    EXPECT_EQ((QStringList{line.rda, line.intake, line.difference, line.percent}),
              (QStringList{"2.00", "Not Available", "Not Available", "Not Available"}));
    EXPECT_EQ(line.balance, report::Balance::NotKnown);
}

TEST_F(RdaVsIntakeRun, SumsTheDaysOfTheRangeAsCalendarDaysWithTheGroupsRda) {
    eat(asha, QDate(2024, 1, 31), QStringLiteral("Test dal"), 150);
    eat(asha, QDate(2024, 2, 1), QStringLiteral("Test milk"), 200);
    eat(asha, QDate(2024, 2, 1), QStringLiteral("Test dal"), 50);
    // As text, 02-01-2024 lies between 01-02-2024 and 31-01-2024; as a day it does not.
    eat(asha, QDate(2024, 1, 2), QStringLiteral("Test dal"), 100);
    eat(asha, QDate(2024, 3, 1), QStringLiteral("Test milk"), 100);

    const auto totals = run(QDate(2024, 1, 31), QDate(2024, 2, 1));
    QStringList names;
    for (const auto& total : totals) {
        names << total.nutrient;
    }
    // The group's 14 nutrients and FAT, which it has no RDA for, by name.
    EXPECT_EQ(names.size(), 15);
    EXPECT_EQ(names.mid(0, 5),
              (QStringList{QStringLiteral("CALCIUM"), QStringLiteral("CAROTENE-B (VIT-A)"),
                           QStringLiteral("ENERGY"), QStringLiteral("FAT"),
                           QStringLiteral("FOLIC ACID")}));
    EXPECT_DOUBLE_EQ(find(totals, QStringLiteral("PROTEIN"))->intake, 46.4);
    EXPECT_DOUBLE_EQ(find(totals, QStringLiteral("PROTEIN"))->rda, 55);
    EXPECT_DOUBLE_EQ(find(totals, QStringLiteral("CALCIUM"))->intake, 264.69);
    EXPECT_DOUBLE_EQ(find(totals, QStringLiteral("ENERGY"))->intake, 666.67);
    EXPECT_DOUBLE_EQ(find(totals, QStringLiteral("FAT"))->intake, 10);
    EXPECT_DOUBLE_EQ(find(totals, QStringLiteral("FAT"))->rda, 0);
    EXPECT_DOUBLE_EQ(find(totals, QStringLiteral("ZINC"))->intake, 0);
    EXPECT_DOUBLE_EQ(find(totals, QStringLiteral("ZINC"))->rda, 10);
    EXPECT_EQ(scratchRows(), 0);
}

TEST_F(RdaVsIntakeRun, ANutrientNoFoodHoldsAboveZeroIsNotKnownUntilOneDoes) {
    eat(asha, QDate(2024, 5, 1), QStringLiteral("Test dal"), 100);
    const auto known = [&] {
        return find(run(QDate(2024, 5, 1), QDate(2024, 5, 1)), QStringLiteral("VITAMIN B12"))
            ->known;
    };
    EXPECT_FALSE(known());
    addFood(9004, QStringLiteral("Test liver"), {{kB12, 50}});
    EXPECT_TRUE(known());
}

TEST_F(RdaVsIntakeRun, EveryAdditionIsRoundedToCents) {
    addFood(9003, QStringLiteral("Trace"), {{kIron, 0.004}});
    for (int d = 1; d <= 3; ++d) {
        eat(asha, QDate(2024, 5, d), QStringLiteral("Trace"), 100);
    }
    // Three times 0.004: each addition rounds back to 0.00, where one sum would give 0.01.
    EXPECT_DOUBLE_EQ(
        find(run(QDate(2024, 5, 1), QDate(2024, 5, 3)), QStringLiteral("IRON"))->intake, 0);
}

TEST_F(RdaVsIntakeRun, NothingEatenInTheRangeGivesNoReport) {
    eat(asha, QDate(2024, 5, 1), QStringLiteral("Test dal"), 100);
    EXPECT_FALSE(report::Run(core::cn, asha, QDate(2024, 5, 2), QDate(2024, 5, 30)));
    // No member.
    EXPECT_FALSE(report::Run(core::cn, 0, QDate(2024, 5, 1), QDate(2024, 5, 1)));
    EXPECT_EQ(scratchRows(), 0);
}

TEST_F(RdaVsIntakeRun, RowsLeftInTheScratchTableDoNotCount) {
    core::cn.Execute(
        QStringLiteral("INSERT INTO SYSTABLE (NUTRIENTS, RDA, INTAKE) VALUES ('PROTEIN', 1, 500)"));
    eat(asha, QDate(2024, 5, 1), QStringLiteral("Test milk"), 100);
    EXPECT_DOUBLE_EQ(
        find(run(QDate(2024, 5, 1), QDate(2024, 5, 1)), QStringLiteral("PROTEIN"))->intake, 3.2);
    EXPECT_EQ(scratchRows(), 0);
    // With nothing left behind, a report only reads.
    const qint64 changes = sqlite3_total_changes64(core::cn.handle());
    run(QDate(2024, 5, 1), QDate(2024, 5, 1));
    EXPECT_EQ(sqlite3_total_changes64(core::cn.handle()), changes);
}

TEST_F(RdaVsIntakeRun, AGroupWithoutRdaRowsListsWhatWasEaten) {
    core::cn.Execute(QStringLiteral("UPDATE usr SET gid = 33 WHERE userid = ?"), {asha});
    ASSERT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM RDA WHERE gid = 33")), 0);
    eat(asha, QDate(2024, 5, 1), QStringLiteral("Test milk"), 100);
    const auto totals = run(QDate(2024, 5, 1), QDate(2024, 5, 1));
    ASSERT_EQ(totals.size(), 2U);
    EXPECT_EQ(totals[0].nutrient, QStringLiteral("CALCIUM"));
    EXPECT_DOUBLE_EQ(totals[0].rda, 0);
    EXPECT_DOUBLE_EQ(totals[1].intake, 3.2);
}

TEST_F(RdaVsIntakeRun, AFoodNameThatSeveralFoodsBearCountsTheLowestFoodid) {
    addFood(70102, QStringLiteral("Twin"), {{kProtein, 90}});
    addFood(70101, QStringLiteral("Twin"), {{kProtein, 10}});
    eat(asha, QDate(2024, 5, 1), QStringLiteral("twin"), 100);
    EXPECT_DOUBLE_EQ(
        find(run(QDate(2024, 5, 1), QDate(2024, 5, 1)), QStringLiteral("PROTEIN"))->intake, 10);
}

// The report matches and orders the names of nutrients as the data file compares them.
TEST_F(RdaVsIntakeRun, NamesMatchAndSortWithoutRegardToLetterCase) {
    core::cn.Execute(QStringLiteral(
        "INSERT INTO nutri (nutri_cd, nname, file_nm) VALUES (41, 'alpha', 'mg'), (42, 'Protein', "
        "'g')"));
    core::cn.Execute(QStringLiteral("INSERT INTO RDA (gid, nutri_cd, nutri_val, Unit) "
                                    "VALUES (?, 42, 7, 'g')"),
                     {kWomanGroup});
    addFood(9003, QStringLiteral("Lettered"), {{41, 10}, {kProtein, 1}});
    eat(asha, QDate(2024, 5, 1), QStringLiteral("Lettered"), 100);
    const auto totals = run(QDate(2024, 5, 1), QDate(2024, 5, 1));
    ASSERT_EQ(totals.size(), 15U);
    EXPECT_EQ(totals[0].nutrient, QStringLiteral("alpha"));
    EXPECT_EQ(totals[1].nutrient, QStringLiteral("CALCIUM"));
    // The group's later row, for "Protein", stands for PROTEIN.
    const auto* protein = find(totals, QStringLiteral("PROTEIN"));
    ASSERT_NE(protein, nullptr);
    EXPECT_DOUBLE_EQ(protein->rda, 7);
    EXPECT_DOUBLE_EQ(protein->intake, 1);
    EXPECT_EQ(find(totals, QStringLiteral("Protein")), nullptr);
}

}  // namespace
