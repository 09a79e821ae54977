#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace db {
class Connection;
}  // namespace db

namespace foods {

// One serving unit of a food (a FoodUnit row).
struct ServingUnit {
    QString UnitName;
    int UnitSizeinGrams = 0;
    QString status;
};

// The serving units of the foods: FoodUnit, linked to a food by its name, and the unit master
// `unit`, which gets a row for every unit saved.
class ServingUnits {
  public:
    explicit ServingUnits(db::Connection& cn) : cn_(cn) {}

    // The food's units in the order of their rows.
    QList<ServingUnit> List(const QString& food) const;
    // What a unit combo of the food offers: its units, "Default" first ("order by status
    // ASC"), then the built-in "Grams".
    QStringList ComboEntries(const QString& food) const;
    // Whether the food has a unit marked "Default".
    bool HasDefault(const QString& food) const;

    // Stores a unit of the food, its row in the unit master (id max + 1) and, with
    // demoteDefault, turns the food's present "Default" unit into "Other", all in one
    // transaction: on failure nothing is written and the error goes to the caller.
    void Add(const QString& food, const ServingUnit& unit, const QString& description,
             bool demoteDefault);
    // Removes every unit of that name of the food; the unit master keeps its rows.
    void Remove(const QString& food, const QString& unitName);

  private:
    db::Connection& cn_;
};

}  // namespace foods
