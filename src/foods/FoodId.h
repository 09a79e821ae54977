#pragma once

#include <QtGlobal>

namespace db {
class Connection;
}  // namespace db

namespace foods {

// The id of a new food, user food and composed food alike: one above the highest id that any
// row naming a food by id carries (the food rows, their nutrient rows and names, the recipes
// and their ingredients), so that a new food never finds rows that a removed food left behind.
// The catalogue of composed foods never lists the food with id 1, so it is passed over. Only
// the indexes are read, never every row. Raises rt::Error (Overflow) when the highest id is
// already the largest 16-bit one, which the windows carry.
qint16 FreshFoodId(db::Connection& cn);

}  // namespace foods
