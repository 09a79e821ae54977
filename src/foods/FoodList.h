#pragma once

#include <QString>

namespace ui {
class ListView;
}  // namespace ui

// The food lists that windows fill by a category and a language.
namespace foods {

// The entries of the category and language lists that filter nothing.
inline const QString kAllFoods = QStringLiteral("ALL FOODS");
inline const QString kEnglish = QStringLiteral("ENGLISH");

// Whether a language shows a translation (every language but "ENGLISH", compared exactly).
bool Translates(const QString& language);
// Whether a category filters the foods (every category but "ALL FOODS", compared exactly).
bool Filters(const QString& category);

// Refills a food list of the columns FOOD, TRANSLATION and CATEGORY with the foods of the
// category (only foods whose category exists), each entry tagged with its food id, since names
// need not be unique. With a language that translates, only the foods named in it are listed,
// with that name. A category and a language both chosen list the foods by name, otherwise they
// come by id. The food `except` is left out. An error ends the filling; the entries added so
// far stay, and the list's window tells the person (frame::readOrTell).
void FillFoodList(ui::ListView& lvw, const QString& category, const QString& language,
                  int except = -1);

// After a refill of a food list from which a person picks a food into a box of its window:
// selects the row of the food in the box (of food `id` where one is given, else the first of
// that name), scrolls it into view and gives true. Where the list does not show that food, no
// row stays selected and it gives false: the box is to let go of the food, so that what is
// saved is what the window shows. A box without a food leaves the selection as the fill made
// it.
bool KeepPickedFood(ui::ListView& lvw, const QString& picked, int id = -1);

}  // namespace foods
