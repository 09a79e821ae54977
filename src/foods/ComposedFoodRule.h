#pragma once

#include <QString>
#include <QVector>
#include <array>

namespace foods {

// Amounts and values of composed foods are kept with two decimals ("###0.00").
double RoundAmount(double value);

// One nutrient row of an ingredient, decoded from the offset form.
struct IngredientNutrient {
    int code = 0;  // the real nutrient code, 1 to 30
    double valuePer100g = 0;
    QString unitText;  // the row's unit_tp
};

// The rule by which a composed food's nutrient values follow from its recipe: the amount of a
// nutrient in the whole recipe is the sum over the ingredients of value per 100 g x grams / 100,
// and the value per 100 g of the composed food is that amount x 100 / the recipe's grams. The
// result depends on the set of ingredients alone, never on the order in which they were added
// or removed.
class RecipeTotals {
  public:
    static constexpr int kCodes = 30;

    // Where a nutrient first came into the recipe: the unit row the ingredient's quantity was
    // entered in and the ingredient row's unit text. A composed food's new nutrient row is
    // written with these.
    struct Origin {
        int code = 0;
        int unitId = 0;
        QString unitText;
    };

    // An ingredient row of the recipe, counted once, whether or not it has nutrient rows.
    void addIngredient(double grams);
    // One nutrient row of the ingredient last added. Codes outside 1 to 30 have no place in the
    // recipe and are passed over.
    void addNutrient(const IngredientNutrient& nutrient, int unitId);

    int ingredients() const { return ingredients_; }
    double grams() const { return grams_; }
    // Whether an ingredient has a row for the nutrient.
    bool carries(int code) const;
    // The amount of the nutrient in the whole recipe, two decimals; 0 when no ingredient has it.
    double total(int code) const;
    // The value per 100 g, two decimals. A recipe of no weight holds no nutrient: 0.
    double per100g(int code) const;
    // The nutrients the ingredients carry, in the order they first appeared.
    const QVector<Origin>& origins() const { return origins_; }

  private:
    static bool valid(int code) { return code >= 1 && code <= kCodes; }

    int ingredients_ = 0;
    double grams_ = 0;
    double lastGrams_ = 0;
    std::array<double, kCodes + 1> sums_{};
    std::array<bool, kCodes + 1> seen_{};
    QVector<Origin> origins_;
};

}  // namespace foods
