#include "intake/MemberList.h"

#include "frame/core.h"
#include "ui/Controls.h"

namespace intake {

int ListMembers(ui::ComboBox& combo) {
    const QString noMember = QStringLiteral("-");
    core::ChooseStoredOption(combo, QStringLiteral("Defter"), noMember);
    const int others = core::AppendOtherRows(
        combo, QStringLiteral("SELECT FIRSTN FROM usr WHERE FIRSTN <> ? ORDER BY FIRSTN ASC"),
        QStringLiteral("FIRSTN"));
    if (combo.Text() != noMember) {
        combo.AddItem(noMember);
    }
    return others;
}

}  // namespace intake
