#include "listoutput/ExportButton.h"

#include <QDir>
#include <QStandardPaths>

#include "frame/core.h"
#include "listoutput/CLvwPrint.h"
#include "ui/CommonDialog.h"
#include "ui/Constants.h"
#include "ui/Host.h"

namespace listoutput {
namespace {

// Exports are the person's own files: they start in the documents folder, never in the program
// folder, which holds the delivered files (read-only once installed, gone with the build folder).
QString ExportFolder() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QDir(documents).exists() ? documents : QDir::homePath();
}

}  // namespace

void ExportToHtml(ui::CommonDialog& cdlg, ui::ListView& lvw, const QString& title,
                  const QString& titleUser, const QString& titleFrom, const QString& titleTo) {
    cdlg.CancelError = false;
    cdlg.Flags = 4;
    cdlg.Filter = QStringLiteral("HTML File (*.html)|*.html");
    cdlg.FilterIndex = 2;
    cdlg.DefaultExt = QStringLiteral(".html");
    cdlg.InitDir = ExportFolder();
    // A cancel empties the dialog's file name; the next export still proposes the last file.
    const QString lastFile = cdlg.FileName;
    cdlg.ShowSave();
    const QString fileName = cdlg.FileName;
    if (fileName.isEmpty()) {
        cdlg.FileName = lastFile;
        return;
    }
    CLvwPrint output;
    output.lvwToPrint = &lvw;
    if (output.ExportListView(2, fileName, 1, QStringLiteral("Arial"), title, titleUser, titleFrom,
                              titleTo, 12) != 0) {
        ui::MsgBox(output.LastErrorMsg(), ui::vbOKOnly | ui::vbExclamation,
                   QStringLiteral("Kelvora"));
        return;
    }
    core::OpenAnswer = ui::MsgBox(
        QStringLiteral("Do you want to open the file '") + fileName + QStringLiteral("' ?"),
        ui::vbYesNo | ui::vbQuestion, QStringLiteral("Kelvora"));
    if (core::OpenAnswer == ui::vbYes) {
        core::OpenDocument(fileName);
    }
}

}  // namespace listoutput
