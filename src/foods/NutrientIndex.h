#pragma once

#include <QString>

#include "db/Command.h"
#include "db/Connection.h"
#include "db/Recordset.h"
#include "foods/FoodList.h"

// The foods that carry a nutrient, as the nutrient index lists them.
namespace foods::NutrientIndex {

enum class Order { ByName, ValueAscending, ValueDescending };

// A statement with the values it binds.
struct Query {
    QString sql;
    db::Params params;
};

// The query of the foods that carry the nutrient named `nutrient`: one row for each nutrient
// row of a food whose real code is that nutrient's (a food holding two such rows comes twice),
// and only for foods whose category exists. Fields: foodname, cname, value (per 100 g; Null
// where the row holds none), unit_tp and, when `language` translates, foodlangname; a food
// without a name in that language is left out. ByName orders by food name; the value orders
// keep rows of equal value in the order the data file gives them. The nutrient rows are found
// through their index by real code, however many foods the file holds.
Query FoodSourcesQuery(const QString& nutrient, const QString& category, const QString& language,
                       Order order);

// Runs FoodSourcesQuery on cmd.
db::Recordset FoodSources(db::Command& cmd, const QString& nutrient, const QString& category,
                          const QString& language, Order order);

}  // namespace foods::NutrientIndex
