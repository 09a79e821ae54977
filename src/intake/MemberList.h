#pragma once

namespace ui {
class ComboBox;
}

namespace intake {

// The member list of the intake windows: the default member first and chosen (its Click runs),
// the other members by name, then "-" (no member) unless it stands first already. Returns how
// many other members there are; a failed read reaches the caller with the entries so far.
int ListMembers(ui::ComboBox& combo);

}  // namespace intake
