#include <gtest/gtest.h>

#include "intake/BodyMeasures.h"
#include "support/PrintQt.h"

namespace {

namespace bm = intake::BodyMeasures;

TEST(BodyMeasures, BmrBandsByAgeAndSex) {
    struct Case {
        const char* sex;
        int age;
        std::optional<double> bmr;
    };
    const Case cases[] = {
        {"Male", 17, std::nullopt},      {"Male", 18, 14.5 * 70 + 645},
        {"Male", 30, 14.5 * 70 + 645},   {"Male", 31, 10.9 * 70 + 833},
        {"Male", 60, 10.9 * 70 + 833},   {"Male", 61, 12.8 * 70 + 463},
        {"Female", 18, 14.0 * 70 + 471}, {"Female", 31, 8.3 * 70 + 788},
        {"Female", 61, 10.0 * 70 + 565}, {"Female", 12, std::nullopt},
        {"male", 40, std::nullopt},      {"", 40, std::nullopt},
    };
    for (const Case& c : cases) {
        const std::optional<double> bmr = bm::Bmr(QString::fromLatin1(c.sex), c.age, 70);
        ASSERT_EQ(bmr.has_value(), c.bmr.has_value()) << c.sex << " " << c.age;
        if (bmr) {
            EXPECT_DOUBLE_EQ(*bmr, *c.bmr) << c.sex << " " << c.age;
        }
    }
}

TEST(BodyMeasures, AnAgeInMonthsCountsInWholeYears) {
    EXPECT_EQ(bm::AgeInYears(40, QStringLiteral("Y")), 40);
    EXPECT_EQ(bm::AgeInYears(215, QStringLiteral("M")), 17);
    EXPECT_EQ(bm::AgeInYears(216, QStringLiteral("M")), 18);
}

TEST(BodyMeasures, BmiBandsIncludeTheirUpperBound) {
    // 2 m tall: the BMI is a quarter of the weight, exactly.
    EXPECT_EQ(bm::StatusOf(*bm::Bmi(74, 200)).caption, QStringLiteral("UNDERN0URISHED"));
    EXPECT_EQ(bm::StatusOf(*bm::Bmi(74.04, 200)).caption, QStringLiteral("NORMAL"));
    EXPECT_EQ(bm::StatusOf(*bm::Bmi(100, 200)).caption, QStringLiteral("NORMAL"));
    EXPECT_EQ(bm::StatusOf(*bm::Bmi(120, 200)).caption, QStringLiteral("OVERWEIGHT"));
    EXPECT_EQ(bm::StatusOf(*bm::Bmi(120.04, 200)).caption, QStringLiteral("OBESE"));
    EXPECT_EQ(bm::StatusOf(18.5).colour, QColor(255, 128, 0));
    EXPECT_EQ(bm::StatusOf(25).colour, QColor(0, 255, 0));
    EXPECT_EQ(bm::StatusOf(30).colour, QColor(255, 53, 53));
    EXPECT_EQ(bm::StatusOf(31).colour, QColor(193, 0, 0));
    EXPECT_DOUBLE_EQ(*bm::Bmi(58, 160), 58 / (1.6 * 1.6));
    EXPECT_FALSE(bm::Bmi(58, 0));
    EXPECT_FALSE(bm::Bmi(0, 160));
}

}  // namespace
