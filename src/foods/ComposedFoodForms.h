#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace ui {
class ColumnHeader;
class ComboBox;
class ListView;
}  // namespace ui

// What the composed-food windows share.
namespace foods {

// A click on a list header: a header whose key is among `sortable` makes its column the sort
// column, shows the sort image ("down" ascending, "up" descending) alone, and reverses the
// list's one direction; the list stays sorted for the life of the window. Other headers do
// nothing.
void SortOnHeader(ui::ListView& lvw, ui::ColumnHeader& header, const QStringList& sortable);

class ComposedFoods;

// Runs one change of the data file as one transaction, with the hourglass: either all of it is
// written, or nothing and the person is told why. True when it was written.
bool WriteAtOnce(const std::function<void(ComposedFoods& store)>& change);

// The id of the first food (by id) that bears the name, leaving out the food `except`; -1 when
// there is none or the data file cannot answer.
int FoodIdByName(const QString& name, int except = -1);

// Appends the categories a food can be given by hand: all but "READY FOOD" (the composed
// foods) and "ALL FOODS" (a filter), by name.
void AddFoodCategories(ui::ComboBox& combo);

// "System", "User" or "" for a food's PrimeOrNot.
QString OwnerText(const QString& primeOrNot);

}  // namespace foods
