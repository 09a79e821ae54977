#pragma once

#include <QString>

// The food lists that windows fill by a category and a language.
namespace foods {

// The entries of the category and language lists that filter nothing.
inline const QString kAllFoods = QStringLiteral("ALL FOODS");
inline const QString kEnglish = QStringLiteral("ENGLISH");

// Whether a language shows a translation (every language but "ENGLISH", compared exactly).
bool Translates(const QString& language);
// Whether a category filters the foods (every category but "ALL FOODS", compared exactly).
bool Filters(const QString& category);

}  // namespace foods
