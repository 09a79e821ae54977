#include "ui/QtHost.h"

#include <QApplication>
#include <QColorDialog>
#include <QCursor>
#include <QDesktopServices>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QUrl>

#include "runtime/App.h"
#include "runtime/Convert.h"
#include "ui/Form.h"
#include "ui/FormDetail.h"
#include "ui/Menu.h"

namespace ui {

QtHost::QtHost() : previous_(installedHost()) {
    setHost(this);
    rt::App::setEndHandler([] { host().End(); });
}

QtHost::~QtHost() {
    while (busyDepth_ > 0) {
        SetBusy(false);
    }
    setHost(previous_);
    if (previous_ == nullptr) {
        rt::App::setEndHandler({});
    }
}

int QtHost::MsgBox(const QString& prompt, int buttons, const QString& title) {
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(title);
    // The program's texts are plain ("BMI < 18.5" is not markup).
    box.setTextFormat(Qt::PlainText);
    box.setText(prompt);
    switch (buttons & 0x70) {
        case vbCritical:
            box.setIcon(QMessageBox::Critical);
            break;
        case vbQuestion:
            box.setIcon(QMessageBox::Question);
            break;
        case vbExclamation:
            box.setIcon(QMessageBox::Warning);
            break;
        case vbInformation:
            box.setIcon(QMessageBox::Information);
            break;
        default:
            box.setIcon(QMessageBox::NoIcon);
            break;
    }
    struct Choice {
        QMessageBox::StandardButton button;
        int answer;
    };
    QList<Choice> choices;
    switch (buttons & 7) {
        case vbOKCancel:
            choices = {{QMessageBox::Ok, vbOK}, {QMessageBox::Cancel, vbCancel}};
            break;
        case vbAbortRetryIgnore:
            choices = {{QMessageBox::Abort, vbAbort},
                       {QMessageBox::Retry, vbRetry},
                       {QMessageBox::Ignore, vbIgnore}};
            break;
        case vbYesNoCancel:
            choices = {{QMessageBox::Yes, vbYes},
                       {QMessageBox::No, vbNo},
                       {QMessageBox::Cancel, vbCancel}};
            break;
        case vbYesNo:
            choices = {{QMessageBox::Yes, vbYes}, {QMessageBox::No, vbNo}};
            break;
        case vbRetryCancel:
            choices = {{QMessageBox::Retry, vbRetry}, {QMessageBox::Cancel, vbCancel}};
            break;
        default:
            choices = {{QMessageBox::Ok, vbOK}};
            break;
    }
    QMessageBox::StandardButtons standard;
    for (const Choice& choice : choices) {
        standard |= choice.button;
    }
    box.setStandardButtons(standard);
    const int defaultIndex = (buttons & 0x300) >> 8;
    if (defaultIndex < choices.size()) {
        box.setDefaultButton(choices[defaultIndex].button);
    }
    // Escape and the close button answer Cancel where there is one, else the last button
    // (No, or OK alone).
    QMessageBox::StandardButton escape = choices.last().button;
    for (const Choice& choice : choices) {
        if (choice.answer == vbCancel) {
            escape = choice.button;
        }
    }
    box.setEscapeButton(escape);
    {
        detail::RunningLoop running([&box] { box.done(QDialog::Rejected); });
        box.exec();
    }
    const auto clicked = box.standardButton(box.clickedButton());
    for (const Choice& choice : choices) {
        if (choice.button == clicked) {
            return choice.answer;
        }
    }
    for (const Choice& choice : choices) {
        if (choice.button == escape) {
            return choice.answer;
        }
    }
    return vbCancel;
}

QStringList QtHost::qtFilters(const FileDialogRequest& request) {
    QStringList filters;
    for (const auto& [description, patterns] : parseFilter(request.Filter)) {
        const QString qtPatterns =
            patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts).join(QLatin1Char(' '));
        // "HTML File (*.html)" already names its patterns; Qt reads them from the last
        // parentheses.
        if (description.trimmed().endsWith(QLatin1Char(')'))) {
            filters.append(description.trimmed());
        } else {
            filters.append(QStringLiteral("%1 (%2)").arg(description.trimmed(), qtPatterns));
        }
    }
    return filters;
}

std::optional<QString> QtHost::fileDialog(const FileDialogRequest& request, bool save) {
    QFileDialog dialog(QApplication::activeWindow());
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    const QStringList filters = qtFilters(request);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        dialog.selectNameFilter(filters.value(selectedFilter(request)));
    }
    QString ext = request.DefaultExt;
    while (ext.startsWith(QLatin1Char('.'))) {
        ext.remove(0, 1);
    }
    if (!ext.isEmpty()) {
        dialog.setDefaultSuffix(ext);
    }
    // A proposed file with its folder (the file of the last export, say) opens in that folder;
    // the initial folder serves a bare name or none.
    const QFileInfo proposed(request.FileName);
    if (!request.FileName.isEmpty() && proposed.isAbsolute() && proposed.dir().exists()) {
        dialog.setDirectory(proposed.absolutePath());
    } else if (!request.InitDir.isEmpty() && QDir(request.InitDir).exists()) {
        dialog.setDirectory(request.InitDir);
    }
    if (!request.FileName.isEmpty()) {
        dialog.selectFile(proposed.fileName());
    }
    // Overwriting an existing file is always confirmed, whatever the flags ask: a silent
    // overwrite loses the file.
    int result = QDialog::Rejected;
    {
        detail::RunningLoop running([&dialog] { dialog.reject(); });
        result = dialog.exec();
    }
    if (result != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return withDefaultExt(dialog.selectedFiles().constFirst(), request.DefaultExt);
}

std::optional<QString> QtHost::OpenFileDialog(const FileDialogRequest& request) {
    return fileDialog(request, false);
}

std::optional<QString> QtHost::SaveFileDialog(const FileDialogRequest& request) {
    return fileDialog(request, true);
}

std::optional<qint32> QtHost::ColorDialog(qint32 initial) {
    QColorDialog dialog(rt::ColorFromLong(initial), QApplication::activeWindow());
    int result = QDialog::Rejected;
    {
        detail::RunningLoop running([&dialog] { dialog.reject(); });
        result = dialog.exec();
    }
    const QColor chosen = dialog.selectedColor();
    if (result != QDialog::Accepted || !chosen.isValid()) {
        return std::nullopt;
    }
    return rt::LongFromColor(chosen);
}

void QtHost::RunModal(Form& form) {
    QPointer<Form> guard(&form);
    if (!form.isFormLoaded() || !form.Visible()) {
        return;
    }
    QEventLoop loop;
    QObject::connect(&form, &Form::modalEnded, &loop, &QEventLoop::quit);
    QObject::connect(&form, &QObject::destroyed, &loop, &QEventLoop::quit);
    // The busy pointer of the caller must not hide the window's own pointer.
    const int suspended = busyDepth_;
    for (int i = 0; i < suspended; ++i) {
        QApplication::restoreOverrideCursor();
    }
    {
        detail::RunningLoop running([&loop] { loop.quit(); });
        loop.exec(QEventLoop::DialogExec);
    }
    for (int i = 0; i < suspended; ++i) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
}

void QtHost::PopupMenu(Menu& menu) {
    QMenu* popup = menu.qmenu();
    if (popup == nullptr) {
        return;
    }
    menu.setPoppedUp(true);
    {
        detail::RunningLoop running([popup] { popup->close(); });
        popup->exec(QCursor::pos());
    }
    menu.setPoppedUp(false);
}

void QtHost::SetBusy(bool busy) {
    if (busy) {
        ++busyDepth_;
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else if (busyDepth_ > 0) {
        --busyDepth_;
        QApplication::restoreOverrideCursor();
    }
}

bool QtHost::OpenWithDesktop(const QString& fileOrUrl) {
    const QString target = fileOrUrl.trimmed();
    const bool address = target.contains(QStringLiteral("://")) ||
                         target.startsWith(QStringLiteral("mailto:"), Qt::CaseInsensitive) ||
                         target.startsWith(QStringLiteral("www."), Qt::CaseInsensitive);
    QUrl url;
    if (address) {
        url = QUrl::fromUserInput(target);
    } else {
        const QFileInfo file(target);
        if (!file.exists()) {
            return false;
        }
        url = QUrl::fromLocalFile(file.absoluteFilePath());
    }
    if (!url.isValid() || (url.isLocalFile() && !QFileInfo::exists(url.toLocalFile()))) {
        return false;
    }
    return QDesktopServices::openUrl(url);
}

void QtHost::DoEvents() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void QtHost::End() {
    endProgram();
}

int QtHost::runMainLoop() {
    passOnEnd();
    int status = 0;
    {
        // Only the end stops it: quitting would ask the windows to close first.
        detail::RunningLoop running([] { QCoreApplication::exit(0); });
        status = QApplication::exec();
    }
    passOnEnd();
    return status;
}

}  // namespace ui
