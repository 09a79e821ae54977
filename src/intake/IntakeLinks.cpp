#include "intake/IntakeLinks.h"

#include "foods/frmIdxN.h"
#include "members/frmUPrp.h"
#include "ui/ListView.h"

namespace intake::links {

void ShowMemberView(qint32 userid) {
    frmUPrp::ShowMember(userid);
}

void ShowNutrientIndex(const ui::ListView& list) {
    const ui::ListItem* item = list.SelectedItem();
    if (list.ListItems.Count() < 2 || item == nullptr) {
        return;
    }
    frmIdxN::ShowNutrient(item->Text());
}

}  // namespace intake::links
