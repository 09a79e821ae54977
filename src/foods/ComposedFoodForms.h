#pragma once

#include <QString>
#include <functional>

namespace rt {
class Error;
}
namespace ui {
class ComboBox;
}  // namespace ui

// What the composed-food windows share.
namespace foods {

class ComposedFoods;

// Runs one change of the data file as one transaction, with the hourglass: either all of it is
// written, or nothing, and then the failure is logged under source and the person is told why.
// Another program holding the file, or a new row's key already taken, is told as the
// composed-food windows always told it: "Data file is used by another user at this time.";
// every other cause as frame::tellWriteFailure tells it, after `what` ("The ingredient was not
// saved."). `tell`, when given, decides whether a failure is told at all. True when the change
// was written; the person is also told of composed foods that it found made of themselves.
bool WriteAtOnce(const QString& what, const QString& source,
                 const std::function<void(ComposedFoods& store)>& change,
                 const std::function<bool(const rt::Error&)>& tell = {});

// The id of the first food (by id) that bears the name, leaving out the food `except`; -1 when
// there is none. A failed read raises: "none" must not stand for "unknown".
int FoodIdByName(const QString& name, int except = -1);

// Appends the categories a food can be given by hand: all but "READY FOOD" (the composed
// foods) and "ALL FOODS" (a filter), by name. A failed read is told in the combo's window.
void AddFoodCategories(ui::ComboBox& combo);

// "System", "User" or "" for a food's PrimeOrNot.
QString OwnerText(const QString& primeOrNot);

}  // namespace foods
