#include "ui/Host.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QtDebug>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "runtime/App.h"
#include "ui/Form.h"
#include "ui/FormDetail.h"
#include "ui/Menu.h"

namespace ui {

int twipsToPixels(int twips) {
    return static_cast<int>(std::lround(static_cast<double>(twips) / TwipsPerPixel));
}

int pixelsToTwips(int pixels) {
    return pixels * TwipsPerPixel;
}

namespace {

// Until a host is set nothing may block: every question is answered as cancelled and every
// call is logged, so that a forgotten host shows up in the output instead of hanging.
class FallbackHost : public Host {
  public:
    int MsgBox(const QString& prompt, int buttons, const QString& title) override {
        qWarning("ui: message box without a host: [%s] %s", qUtf8Printable(title),
                 qUtf8Printable(prompt));
        switch (buttons & 7) {
            case vbOKOnly:
                return vbOK;
            case vbYesNo:
                return vbNo;
            case vbAbortRetryIgnore:
                return vbAbort;
            default:
                return vbCancel;
        }
    }
    std::optional<QString> OpenFileDialog(const FileDialogRequest&) override {
        qWarning("ui: open dialog without a host");
        return std::nullopt;
    }
    std::optional<QString> SaveFileDialog(const FileDialogRequest&) override {
        qWarning("ui: save dialog without a host");
        return std::nullopt;
    }
    std::optional<qint32> ColorDialog(qint32) override {
        qWarning("ui: colour dialog without a host");
        return std::nullopt;
    }
    void RunModal(Form& form) override {
        qWarning("ui: modal window %s without a host; it is unloaded", qUtf8Printable(form.Name()));
        Unload(form);
        if (form.Visible()) {
            form.Hide();
        }
    }
    void PopupMenu(Menu& menu) override {
        qWarning("ui: popup menu %s without a host", qUtf8Printable(menu.Name()));
    }
    void SetBusy(bool) override {}
    bool OpenWithDesktop(const QString& fileOrUrl) override {
        qWarning("ui: cannot open %s without a host", qUtf8Printable(fileOrUrl));
        return false;
    }
    void DoEvents() override { QCoreApplication::processEvents(); }
    [[noreturn]] void End() override {
        std::fflush(nullptr);
        std::exit(0);
    }
};

Host* currentHost = nullptr;

struct EndState {
    bool ending = false;
    // The loops running, innermost last.
    std::vector<detail::RunningLoop*> loops;
};

EndState& endState() {
    static EndState s;
    return s;
}

}  // namespace

void endProgram() {
    detail::noteEnd();
    throw ProgramEnded{};
}

bool programEnding() {
    return endState().ending;
}

void passOnEnd() {
    if (programEnding()) {
        throw ProgramEnded{};
    }
}

void finishEnd() {
    endState().ending = false;
}

namespace detail {

void noteEnd() {
    EndState& s = endState();
    if (s.ending) {
        return;
    }
    s.ending = true;
    // Innermost first; a loop told to stop returns once control comes back to it.
    const std::vector<RunningLoop*> loops = s.loops;
    for (auto it = loops.rbegin(); it != loops.rend(); ++it) {
        (*it)->stop_();
    }
}

RunningLoop::RunningLoop(std::function<void()> stop) : stop_(std::move(stop)) {
    endState().loops.push_back(this);
}

RunningLoop::~RunningLoop() {
    auto& loops = endState().loops;
    loops.erase(std::remove(loops.begin(), loops.end(), this), loops.end());
}

}  // namespace detail

Host& host() {
    static FallbackHost fallback;
    return currentHost != nullptr ? *currentHost : fallback;
}

void setHost(Host* newHost) {
    currentHost = newHost;
}

Host* installedHost() {
    return currentHost;
}

QList<QPair<QString, QString>> parseFilter(const QString& filter) {
    QList<QPair<QString, QString>> result;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        result.append({parts[i], parts[i + 1]});
    }
    // A trailing description without a pattern is taken as its own pattern list.
    if (parts.size() % 2 == 1 && !parts.last().isEmpty()) {
        result.append({parts.last(), parts.last()});
    }
    return result;
}

int selectedFilter(const FileDialogRequest& request) {
    const auto filters = parseFilter(request.Filter);
    if (request.FilterIndex >= 1 && request.FilterIndex <= filters.size()) {
        return request.FilterIndex - 1;
    }
    return 0;
}

QString withDefaultExt(const QString& path, const QString& defaultExt) {
    QString ext = defaultExt.trimmed();
    while (ext.startsWith(QLatin1Char('.'))) {
        ext.remove(0, 1);
    }
    if (path.isEmpty() || ext.isEmpty()) {
        return path;
    }
    const QString fileName = QFileInfo(path).fileName();
    if (fileName.isEmpty() || fileName.contains(QLatin1Char('.'))) {
        return path;
    }
    return path + QLatin1Char('.') + ext;
}

int MsgBox(const QString& prompt, int buttons, const QString& title) {
    detail::noteInterruption();
    return detail::throughHost(
        [&] { return host().MsgBox(prompt, buttons, title.isEmpty() ? rt::App::Title() : title); });
}

void DoEvents() {
    detail::throughHost([] { host().DoEvents(); });
}

void PopupMenu(Menu& menu) {
    detail::throughHost([&menu] { host().PopupMenu(menu); });
}

}  // namespace ui
