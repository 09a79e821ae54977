#include "ui/CommonDialog.h"

#include "runtime/Error.h"
#include "ui/FormDetail.h"
#include "ui/Host.h"

namespace ui {

CommonDialog::CommonDialog(Form*, const QString&, int) {}

namespace {
FileDialogRequest requestFrom(const CommonDialog& dialog) {
    FileDialogRequest request;
    request.Filter = dialog.Filter;
    request.FilterIndex = dialog.FilterIndex;
    request.DefaultExt = dialog.DefaultExt;
    request.InitDir = dialog.InitDir;
    request.FileName = dialog.FileName;
    request.Flags = dialog.Flags;
    return request;
}

template <class Ask>
auto askHost(Ask ask) {
    detail::noteInterruption();
    return detail::throughHost([&] { return ask(host()); });
}
}  // namespace

void CommonDialog::cancelled() {
    if (CancelError) {
        rt::raise(rt::err::CancelSelected);
    }
}

void CommonDialog::finishFile(const std::optional<QString>& chosen) {
    if (!chosen || chosen->isEmpty()) {
        // Windows test for an empty name after a cancel.
        FileName.clear();
        cancelled();
        return;
    }
    FileName = withDefaultExt(*chosen, DefaultExt);
}

void CommonDialog::ShowOpen() {
    finishFile(askHost([this](Host& h) { return h.OpenFileDialog(requestFrom(*this)); }));
}

void CommonDialog::ShowSave() {
    finishFile(askHost([this](Host& h) { return h.SaveFileDialog(requestFrom(*this)); }));
}

void CommonDialog::ShowColor() {
    const std::optional<qint32> chosen = askHost([this](Host& h) { return h.ColorDialog(Color); });
    if (!chosen) {
        cancelled();
        return;
    }
    Color = *chosen;
}

}  // namespace ui
