#pragma once

#include <QList>
#include <QString>

#include "foods/ComposedFoodRule.h"

namespace db {
class Connection;
}

namespace foods {

// The composed foods of the data file: their recipes in `item` (an ingredient row per food
// used, or one placeholder row while there is none) and the nutrient rows in `foodN1` that
// follow from the recipe. An ingredient row counts only while its food exists.
//
// Every change of a recipe ends in recompute(), the one place where a composed food's nutrient
// rows are written, so that adding, removing, updating dependants and rebuilding all leave the
// same values. The writes here belong to the caller's transaction: each window runs one change
// as one transaction.
class ComposedFoods {
  public:
    explicit ComposedFoods(db::Connection& cn) : cn_(cn) {}

    // ---- reading
    // The recipe of a composed food with the nutrient rows of its ingredients.
    RecipeTotals recipe(int foodId) const;
    // Whether the recipe holds a row of that ingredient.
    bool hasIngredient(int foodId, int ingredientId) const;
    // The composed foods whose recipes use the food, each once, in the order of their rows.
    QList<int> dependants(int foodId) const;
    // The lowest food id that nothing in the data file uses yet. The catalogue never lists the
    // food with id 1, so a new composed food never gets it.
    int nextFoodId() const;

    // ---- writing
    // Brings the food's nutrient rows in step with its recipe: every row gets the amount of its
    // nutrient in the recipe and the value per 100 g (a nutrient no ingredient carries any more
    // keeps its row with 0); a nutrient that an ingredient brings and the food has no row for
    // gets one. A recipe left without ingredients goes back to its one placeholder row and
    // loses its nutrient rows.
    void recompute(int foodId);
    // Recomputes every composed food of the category "READY FOOD" from scratch, replacing its
    // nutrient rows; a composed food used by another is done first. Recipes without
    // ingredients are left as they are. Returns how many foods were rebuilt.
    int rebuildAll();

    // A new composed food: its food row (a user food), its placeholder recipe row and its name
    // "Not Available" in every language.
    void create(int foodId, int cid, const QString& name, const QString& note);
    // Adds the ingredient (grams, entered in unit row unitId): the placeholder row becomes the
    // first ingredient row, later ones get the next serial.
    void addIngredient(int foodId, int ingredientId, double grams, int unitId);
    void removeIngredient(int foodId, int ingredientId);
    // Recomputes every composed food that uses the food.
    void updateDependants(int foodId);
    // Takes the food out of every recipe (each dependant recomputed from what remains, or back
    // to its placeholder) and deletes the food with its nutrient rows, names and own recipe.
    // Only user foods are removed: false, with nothing changed, for any other.
    bool removeUserFood(int foodId);

  private:
    void writeRows(int foodId, const RecipeTotals& totals, bool keepRows);

    db::Connection& cn_;
};

}  // namespace foods
