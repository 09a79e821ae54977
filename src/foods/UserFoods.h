#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <array>
#include <optional>

namespace db {
class Connection;
}  // namespace db

namespace foods {

// One nutrient field of the user foods window: the label beside it and the name of the
// `nutri` row it is stored under (looked up without regard to letter case).
struct NutrientField {
    const char* label;
    const char* nname;
};

// The 30 nutrient fields in field order (1 to 30, alphabetical by label).
const std::array<NutrientField, 30>& NutrientFields();
// The 13 languages in which a user food is named, in field order (1 to 13).
const QStringList& UserFoodLanguages();

// The value of a nutrient field: the whole text read as a number; nothing when it is not one
// ("12abc", letters, a number beyond the range of a double).
std::optional<double> NutrientValue(const QString& text);

// A user food as the window hands it over. Nutrient texts are whole numbers as text
// ("12.345"); a language text "0" or blank means that no name is known.
struct NewUserFood {
    QString category;    // a cat.cname
    QString name;        // stored as typed
    QStringList values;  // 30 texts, in the order of NutrientFields()
    QStringList names;   // 13 texts, in the order of UserFoodLanguages()
};

// Adding the user's own foods (PrimeOrNot "U"). A user food goes, with every row that belongs
// to it and the recipes that use it, through ComposedFoods::removeUserFood.
class UserFoods {
  public:
    explicit UserFoods(db::Connection& cn) : cn_(cn) {}

    // Writes the food row (a fresh id, FreshFoodId), its 30 nutrient rows (serial 9, in the
    // nutrient offset form) and one name row per language, in one transaction, and gives the
    // new id. Raises rt::Error, with nothing written, when a row it relies on is missing (the
    // category, a nutrient, a nutrient's unit row, a language: the description names it),
    // when no 16-bit id is left above the highest one, when a value is not a number or is more
    // than 100 g can hold in its nutrient's unit (the description names the nutrient), or when
    // the data file refuses a write.
    qint16 Add(const NewUserFood& food);

  private:
    db::Connection& cn_;
};

}  // namespace foods
