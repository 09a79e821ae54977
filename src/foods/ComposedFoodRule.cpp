#include "foods/ComposedFoodRule.h"

#include "runtime/Convert.h"

namespace foods {

double RoundAmount(double value) {
    // The same rounding as every amount the windows show, so that a stored value and its shown
    // text never disagree.
    return rt::CDbl(rt::Format(value, QStringLiteral("###0.00")));
}

void RecipeTotals::addIngredient(double grams) {
    ++ingredients_;
    grams_ += grams;
    lastGrams_ = grams;
}

void RecipeTotals::addNutrient(const IngredientNutrient& nutrient, int unitId) {
    if (!valid(nutrient.code)) {
        return;
    }
    sums_[nutrient.code] += nutrient.valuePer100g * lastGrams_ / 100.0;
    if (!seen_[nutrient.code]) {
        seen_[nutrient.code] = true;
        origins_.append({nutrient.code, unitId, nutrient.unitText});
    }
}

bool RecipeTotals::carries(int code) const {
    return valid(code) && seen_[code];
}

double RecipeTotals::total(int code) const {
    return carries(code) ? RoundAmount(sums_[code]) : 0.0;
}

double RecipeTotals::per100g(int code) const {
    if (!carries(code) || grams_ <= 0) {
        return 0.0;
    }
    return RoundAmount(total(code) * 100.0 / grams_);
}

}  // namespace foods
