#include "foods/FoodList.h"

namespace foods {

bool Translates(const QString& language) {
    return language != kEnglish;
}

bool Filters(const QString& category) {
    return category != kAllFoods;
}

}  // namespace foods
