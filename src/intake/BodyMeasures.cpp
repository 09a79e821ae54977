#include "intake/BodyMeasures.h"

namespace intake::BodyMeasures {

int AgeInYears(int age, const QString& period) {
    if (period.compare(QLatin1String("M"), Qt::CaseInsensitive) == 0) {
        return age / 12;
    }
    return age;
}

bool IsAdult(int ageYears) {
    return ageYears >= 18;
}

std::optional<double> Bmr(const QString& sex, int ageYears, double weightKg) {
    struct Band {
        double factor;
        double offset;
    };
    // The three adult bands: 18 to 30, 31 to 60, 61 and over.
    auto band = [ageYears](const Band& young, const Band& middle,
                           const Band& old) -> std::optional<Band> {
        if (!IsAdult(ageYears)) {
            return std::nullopt;
        }
        if (ageYears <= 30) {
            return young;
        }
        if (ageYears >= 31 && ageYears <= 60) {
            return middle;
        }
        if (ageYears >= 61) {
            return old;
        }
        return std::nullopt;
    };
    std::optional<Band> chosen;
    if (sex == QLatin1String("Male")) {
        chosen = band({14.5, 645}, {10.9, 833}, {12.8, 463});
    } else if (sex == QLatin1String("Female")) {
        chosen = band({14, 471}, {8.3, 788}, {10, 565});
    }
    if (!chosen) {
        return std::nullopt;
    }
    return chosen->factor * weightKg + chosen->offset;
}

std::optional<double> Bmi(double weightKg, double heightCm) {
    if (weightKg <= 0 || heightCm <= 0) {
        return std::nullopt;
    }
    const double metres = heightCm / 100;
    return weightKg / (metres * metres);
}

Status StatusOf(double bmi) {
    if (bmi <= 18.5) {
        return {QStringLiteral("UNDERN0URISHED"), QColor(255, 128, 0)};
    }
    if (bmi <= 25) {
        return {QStringLiteral("NORMAL"), QColor(0, 255, 0)};
    }
    if (bmi <= 30) {
        return {QStringLiteral("OVERWEIGHT"), QColor(255, 53, 53)};
    }
    return {QStringLiteral("OBESE"), QColor(193, 0, 0)};
}

}  // namespace intake::BodyMeasures
