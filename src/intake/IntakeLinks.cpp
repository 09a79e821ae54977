#include "intake/IntakeLinks.h"

#include "members/frmUPrp.h"

namespace intake::links {

// The units window and the nutrient index are not in this build yet.

void OpenUnitsWindow() {}

void ShowMemberView(qint32 userid) {
    frmUPrp::ShowMember(userid);
}

void ShowNutrientIndex(const ui::ListView& /*list*/) {}

}  // namespace intake::links
