#include "intake/MemberList.h"

#include "frame/core.h"
#include "ui/Controls.h"

namespace intake {

int ListMembers(ui::ComboBox& combo) {
    const QString noMember = QStringLiteral("-");
    core::FillList(combo, false, QStringLiteral("Defter"), noMember,
                   QStringLiteral("SELECT FIRSTN FROM usr WHERE FIRSTN <> ? ORDER BY FIRSTN ASC"),
                   QStringLiteral("FIRSTN"));
    const int others = combo.ListCount() - 1;
    if (combo.Text() != noMember) {
        combo.AddItem(noMember);
    }
    return others;
}

}  // namespace intake
