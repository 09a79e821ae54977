#pragma once

#include "DataCopy.h"

namespace bench {

// The food table grown tenfold, for every benchmark that asks how the food windows and rules
// keep up with a person's own foods: nine copies of every delivered food as user foods, in the
// stored form (the food row, its nutrient rows in the offset form, its name in every language),
// 5,420 foods in all, and composed foods of 10 ingredients in chains of dishes made of dishes,
// rebuilt once so that their nutrient rows are there too.
class TenfoldData : public DataCopy {
  public:
    static constexpr int kDeliveredFoods = 542;
    static constexpr int kFoods = kDeliveredFoods * 10;
    static constexpr int kIngredients = 10;
    // The first dish's id; the dishes follow it one by one.
    static constexpr int kFirstDish = 6000;

    explicit TenfoldData(int dishes);
    int dishes() const { return dishes_; }

  private:
    int dishes_;
};

// The file with 1,000 or 2,000 composed foods, made at its first use and kept for the run.
TenfoldData& Tenfold(int dishes);

}  // namespace bench
