#pragma once

#include <QString>

namespace ui {
class CommonDialog;
class ListView;
}  // namespace ui

namespace listoutput {

// What every Export button does: asks for an HTML file in the window's save dialog, writes the
// list view with its title and three title lines, and offers to open the file. Nothing is
// written or asked after a cancel; a failed export shows why and asks nothing.
void ExportToHtml(ui::CommonDialog& cdlg, ui::ListView& lvw, const QString& title,
                  const QString& titleUser = {}, const QString& titleFrom = {},
                  const QString& titleTo = {});

}  // namespace listoutput
