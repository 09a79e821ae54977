#pragma once

#include <QStringList>

#include "ui/Constants.h"
#include "ui/ListView.h"

namespace core {

// How every sortable list sorts on a header click. The list sorts itself from then on (also
// while it is refilled). A header whose key is in `keys` becomes the sort column and the only
// keyed header with an icon; the one direction of the list flips: descending shows "up",
// ascending "down". A header without a listed key keeps the sort column as it was.
inline void SortByColumn(ui::ListView& lvw, ui::ColumnHeader& header, const QStringList& keys) {
    lvw.setSorted(true);
    if (keys.contains(header.Key())) {
        lvw.setSortKey(header.SubItemIndex());
        for (int i = 1; i <= lvw.ColumnHeaders.Count(); ++i) {
            ui::ColumnHeader& other = lvw.ColumnHeaders(i);
            if (keys.contains(other.Key())) {
                other.setIcon(0);
            }
        }
    }
    if (lvw.SortOrder() == ui::lvwAscending) {
        lvw.setSortOrder(ui::lvwDescending);
        header.setIcon("up");
    } else {
        lvw.setSortOrder(ui::lvwAscending);
        header.setIcon("down");
    }
}

}  // namespace core
