#include "foods/RecipeOrder.h"

#include <QHash>
#include <algorithm>
#include <vector>

namespace foods {

QList<int> RecipeOrder::order(const QList<int>& foods) {
    cyclic_.clear();
    // Each food once, known by its place in the list.
    QHash<int, int> place;
    QList<int> nodes;
    for (int food : foods) {
        if (!place.contains(food)) {
            place.insert(food, static_cast<int>(nodes.size()));
            nodes.append(food);
        }
    }
    const int count = static_cast<int>(nodes.size());

    // The ingredients of node v are made[first[v]] .. made[first[v + 1] - 1].
    std::vector<int> first(static_cast<size_t>(count) + 1, 0);
    std::vector<std::pair<int, int>> edges;
    std::vector<bool> holdsItself(static_cast<size_t>(count), false);
    for (const auto& [dish, ingredient] : uses_) {
        const auto d = place.constFind(dish);
        const auto i = place.constFind(ingredient);
        if (d == place.cend() || i == place.cend()) {
            continue;
        }
        if (*d == *i) {
            holdsItself[static_cast<size_t>(*d)] = true;
        }
        edges.emplace_back(*d, *i);
        ++first[static_cast<size_t>(*d) + 1];
    }
    for (size_t v = 0; v < static_cast<size_t>(count); ++v) {
        first[v + 1] += first[v];
    }
    std::vector<int> made(edges.size());
    std::vector<int> fill(first.begin(), first.end() - 1);
    for (const auto& [d, i] : edges) {
        made[static_cast<size_t>(fill[static_cast<size_t>(d)]++)] = i;
    }
    // A dish's ingredients are taken in the order of the list.
    for (size_t v = 0; v < static_cast<size_t>(count); ++v) {
        std::sort(made.begin() + first[v], made.begin() + first[v + 1]);
    }

    // Strongly connected components (Tarjan), walked with an explicit path instead of recursion
    // so that a long chain of dishes cannot exhaust the stack. A component is closed only after
    // every component it reaches, so components come out ingredients first; a component of
    // more than one food, or of a food that holds itself, is a cycle.
    constexpr int kUnseen = -1;
    std::vector<int> index(static_cast<size_t>(count), kUnseen);
    std::vector<int> low(static_cast<size_t>(count), 0);
    std::vector<int> next(static_cast<size_t>(count), 0);
    std::vector<bool> open(static_cast<size_t>(count), false);
    std::vector<int> pending;
    std::vector<int> path;
    std::vector<int> component;
    std::vector<int> inCycles;
    int counter = 0;
    QList<int> result;
    result.reserve(count);
    const auto enter = [&](int v) {
        const auto at = static_cast<size_t>(v);
        index[at] = low[at] = counter++;
        next[at] = first[at];
        pending.push_back(v);
        open[at] = true;
        path.push_back(v);
    };
    for (int root = 0; root < count; ++root) {
        if (index[static_cast<size_t>(root)] != kUnseen) {
            continue;
        }
        enter(root);
        while (!path.empty()) {
            const auto v = static_cast<size_t>(path.back());
            if (next[v] < first[v + 1]) {
                const int w = made[static_cast<size_t>(next[v]++)];
                if (index[static_cast<size_t>(w)] == kUnseen) {
                    enter(w);
                } else if (open[static_cast<size_t>(w)]) {
                    low[v] = std::min(low[v], index[static_cast<size_t>(w)]);
                }
                continue;
            }
            path.pop_back();
            if (!path.empty()) {
                const auto parent = static_cast<size_t>(path.back());
                low[parent] = std::min(low[parent], low[v]);
            }
            if (low[v] != index[v]) {
                continue;
            }
            component.clear();
            int w = kUnseen;
            do {
                w = pending.back();
                pending.pop_back();
                open[static_cast<size_t>(w)] = false;
                component.push_back(w);
            } while (static_cast<size_t>(w) != v);
            // Foods that cannot be ordered among themselves keep the order given.
            std::sort(component.begin(), component.end());
            const bool cycle = component.size() > 1 || holdsItself[v];
            for (int c : component) {
                result.append(nodes[c]);
                if (cycle) {
                    inCycles.push_back(c);
                }
            }
        }
    }
    std::sort(inCycles.begin(), inCycles.end());
    for (int c : inCycles) {
        cyclic_.append(nodes[c]);
    }
    return result;
}

}  // namespace foods
