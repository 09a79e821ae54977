#pragma once

#include <QList>
#include <utility>

namespace foods {

// The order in which composed foods are recomputed: a composed food reads the values of the
// composed foods it is made of, so each comes after those. A composed food cannot hold itself,
// but a data file may hold foods made of one another; they cannot be ordered, so each of them
// still comes once, together, and they are named by cyclic(). Work and memory are linear in the
// foods and uses given.
class RecipeOrder {
  public:
    // The composed food `dish` is made of `ingredient` (one recipe row).
    void addUse(int dish, int ingredient) { uses_.append({dish, ingredient}); }

    // The foods of the list, each once, every one after the foods of the list it is made of,
    // directly or through others: each at its place in the list, or earlier where a food before
    // it is made of it. Uses of foods outside the list do not count.
    QList<int> order(const QList<int>& foods);
    // After order(): the foods of the list made of themselves through their ingredients, in the
    // order given.
    const QList<int>& cyclic() const { return cyclic_; }

  private:
    QList<std::pair<int, int>> uses_;
    QList<int> cyclic_;
};

}  // namespace foods
