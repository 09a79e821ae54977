#pragma once

namespace ui {

class ColumnHeader;
class ListView;

// The header click of every sortable list of the program. The list sorts itself by the texts
// of a column (numbers and dates sort as text, "10" before "9") and stays sorted, also while
// it is refilled. A click on a header with a key makes that column the sort column and clears
// the icon of every other keyed header; a header without a key leaves the sort column and the
// icons as they are. Then the direction, one value for the whole list, is reversed and the
// clicked header shows "up" (image 1) while descending or "down" (image 2) while ascending.
// So a list that was never clicked sorts descending on its first click, and the first click on
// another header reverses the direction the list had.
//
//   LstView.ColumnClick = [this](ui::ColumnHeader& h) { ui::SortOnColumnClick(LstView, h); };
//
// A window whose list sorts only some of its columns checks the header before calling.
void SortOnColumnClick(ListView& lvw, ColumnHeader& header);

}  // namespace ui
