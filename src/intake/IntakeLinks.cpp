#include "intake/IntakeLinks.h"

#include "members/frmUPrp.h"

namespace intake::links {

// The nutrient index is not in this build yet.

void ShowMemberView(qint32 userid) {
    frmUPrp::ShowMember(userid);
}

void ShowNutrientIndex(const ui::ListView& /*list*/) {}

}  // namespace intake::links
