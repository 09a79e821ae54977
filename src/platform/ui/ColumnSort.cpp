#include "ui/ColumnSort.h"

#include "ui/Constants.h"
#include "ui/ListView.h"

namespace ui {

void SortOnColumnClick(ListView& lvw, ColumnHeader& header) {
    lvw.setSorted(true);
    if (!header.Key().isEmpty()) {
        for (int i = 1; i <= lvw.ColumnHeaders.Count(); ++i) {
            ColumnHeader& other = lvw.ColumnHeaders(i);
            if (&other != &header && !other.Key().isEmpty()) {
                other.setIcon(0);
            }
        }
        lvw.setSortKey(header.SubItemIndex());
    }
    if (lvw.SortOrder() == lvwAscending) {
        lvw.setSortOrder(lvwDescending);
        header.setIcon("up");
    } else {
        lvw.setSortOrder(lvwAscending);
        header.setIcon("down");
    }
}

}  // namespace ui
