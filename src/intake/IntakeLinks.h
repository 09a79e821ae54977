#pragma once

#include <QString>

namespace ui {
class ListView;
}

// The windows of other subsystems that the intake windows open, each in one place.
namespace intake::links {

// The read-only view of a member, modal over the RDA window.
void ShowMemberView(qint32 userid);

// The nutrient index, modeless, positioned on the nutrient selected in `list`; nothing for a
// list of fewer than two rows (a single row is a notice such as "NO ITEMS FOUND.").
void ShowNutrientIndex(const ui::ListView& list);

}  // namespace intake::links
