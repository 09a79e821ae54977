#pragma once

#include <QString>
#include <QStringView>
#include <ranges>

namespace ui {

// The order of the lists that sort themselves: texts compared without regard to case.
inline int compareListTexts(QStringView a, QStringView b) noexcept {
    return a.compare(b, Qt::CaseInsensitive);
}

// The first of count positions for which pred is false, pred being true before it and false
// from it on; only the positions the search needs are asked about.
template <class Pred>
int partitionPoint(int count, Pred pred) {
    const auto positions = std::views::iota(0, count);
    return static_cast<int>(std::ranges::partition_point(positions, pred) - positions.begin());
}

}  // namespace ui
