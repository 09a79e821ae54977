#include "intake/IntakeLinks.h"

#include "foods/frmIdxN.h"
#include "frame/core.h"
#include "members/frmUPrp.h"
#include "ui/Constants.h"
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
    frmIdxN& index = frmIdxN::instance();
    QString nutrient = item->Text();
    int where = ui::lvwText;
    core::FindListItem(index.LstView, nutrient, where);
    index.ClickonListview();
    index.Show();
}

}  // namespace intake::links
