#pragma once

#include <QList>
#include <QString>
#include <QStringList>

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
    // The names of the composed foods that the changes so far found made of themselves through
    // other composed foods (a cycle the data holds): each was recomputed once, from the values
    // its ingredients had, which cannot be exact.
    const QStringList& madeOfThemselves() const { return madeOfThemselves_; }

    // ---- writing
    // Brings the food's nutrient rows in step with its recipe: every row gets the amount of its
    // nutrient in the recipe and the value per 100 g (a nutrient no ingredient carries any more
    // keeps its row with 0); a nutrient that an ingredient brings and the food has no row for
    // gets one. A recipe left without ingredients goes back to its one placeholder row and
    // loses its nutrient rows.
    void recompute(int foodId);
    // Recomputes every composed food of the category "READY FOOD" from scratch, replacing its
    // nutrient rows, in one pass: a composed food used by another is done first, each once.
    // Recipes without ingredients are left as they are. Returns how many foods were rebuilt.
    int rebuildAll();

    // A new composed food: its food row (a user food), its placeholder recipe row and its name
    // "Not Available" in every language.
    void create(int foodId, int cid, const QString& name, const QString& note);
    // Adds the ingredient (grams, entered in unit row unitId): the placeholder row becomes the
    // first ingredient row, later ones get the next serial. The food and every food made of
    // it are recomputed.
    void addIngredient(int foodId, int ingredientId, double grams, int unitId);
    void removeIngredient(int foodId, int ingredientId);
    // Recomputes every composed food made of the food, directly or through other composed
    // foods, each once and after the composed foods it is made of.
    void updateDependants(int foodId);
    // Removes a user food with every row that belongs to it: its nutrient rows, names, own
    // recipe and serving units (those only while no other food bears its name, as they are
    // found by name). It goes out of every recipe first; each food made of it, directly or
    // through others, is recomputed from what remains (a recipe left empty goes back to its
    // placeholder). Only user foods are removed: false, with nothing changed, for any other.
    bool removeUserFood(int foodId);

  private:
    void writeRows(int foodId, const RecipeTotals& totals, bool keepRows);
    // The composed foods made of the food, directly or through others, in recompute order.
    // With throughFood the food itself counts in finding foods made of themselves (it stays);
    // without, it does not (it is going).
    QList<int> dependantsInOrder(int foodId, bool throughFood);
    void noteCycles(const QList<int>& foodIds);

    db::Connection& cn_;
    QStringList madeOfThemselves_;
};

}  // namespace foods
