#pragma once

#include <QColor>
#include <QString>
#include <optional>

// A member's basal metabolic rate, body mass index and the word for that index, as the RDA
// window shows them.
namespace intake::BodyMeasures {

// The age the BMR bands take: in whole years, also for an age recorded in months ("M").
int AgeInYears(int age, const QString& period);

// The bands of the BMR and of the BMI status are for adults: 18 years and over.
bool IsAdult(int ageYears);

// kcal per day by sex ("Male" or "Female", exactly) and age in years; none below 18 years or for
// any other sex.
std::optional<double> Bmr(const QString& sex, int ageYears, double weightKg);

// Weight over the square of the height in metres; none without a positive weight and height.
std::optional<double> Bmi(double weightKg, double heightCm);

struct Status {
    QString caption;
    QColor colour;
};
// The band of a BMI, each upper bound included; for adults only (see IsAdult).
Status StatusOf(double bmi);

}  // namespace intake::BodyMeasures
