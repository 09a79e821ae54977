#include "Program.h"

#include <QApplication>
#include <QDir>
#include <cstdio>

#include "WhenPainted.h"
#include "Windows.h"
#include "frame/core.h"
#include "frame/frmMain.h"
#include "runtime/App.h"
#include "ui/Form.h"
#include "ui/FormDetail.h"
#include "ui/Host.h"
#include "ui/QtHost.h"

namespace kelvora {
namespace {

// The windows carry the program's icon from the moment the main window stands painted on,
// not before: decoding its eight sizes and handing every one of them to the window system,
// which Qt does twice for each window it makes, held the first paint up by some 12 ms. A
// window that comes up before then (a question at start-up, the file picker) takes it as it
// shows, before the window system maps it; the main window a moment after its first paint.
void giveProgramIcon() {
    if (QApplication::windowIcon().isNull()) {
        QApplication::setWindowIcon(programIcon());
    }
}

// Gives the icon to the first window that shows before the main window stands painted, and
// leaves the program's events alone once the icon is given.
class IconForEarlyWindows : public QObject {
  public:
    IconForEarlyWindows() { qApp->installEventFilter(this); }
    ~IconForEarlyWindows() override { qApp->removeEventFilter(this); }
    IconForEarlyWindows(const IconForEarlyWindows&) = delete;
    IconForEarlyWindows& operator=(const IconForEarlyWindows&) = delete;

    bool eventFilter(QObject* watched, QEvent* event) override {
        // Qt sends a window its show event before the window system maps it.
        if (event->type() == QEvent::Show && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow() &&
            !(frmMain::isLoaded() && watched == &frmMain::instance())) {
            giveProgramIcon();
        }
        if (!QApplication::windowIcon().isNull()) {
            qApp->removeEventFilter(this);
        }
        return false;
    }
};

// Once the main window stands painted on the screen, the windows get the program's icon and,
// when asked for, the program says so and ends as it always ends. The line goes out first:
// whoever waits for it times the start by it.
void afterFirstPaint() {
    const bool quitOnceShown = qEnvironmentVariableIsSet("KELVORA_QUIT_WHEN_SHOWN");
    kelvora::whenPainted(frmMain::instance(), [quitOnceShown] {
        ui::detail::dispatchFromQt([quitOnceShown] {
            const bool quit =
                quitOnceShown && frmMain::isLoaded() && frmMain::instance().isVisible();
            if (quit) {
                std::fputs("Kelvora: main window shown\n", stdout);
                std::fflush(stdout);
            }
            giveProgramIcon();
            if (quit) {
                rt::App::End();
            }
        });
    });
}

}  // namespace

QIcon programIcon() {
    QIcon icon;
    const QDir sizes(QStringLiteral(":/kelvora"));
    for (const QString& size : sizes.entryList(QDir::Dirs)) {
        icon.addFile(sizes.filePath(size + QStringLiteral("/apps/kelvora.png")));
    }
    return icon;
}

namespace {

// One run of the program, from Main to its end, whichever way it ends.
int runOnce() {
    int status = 0;
    try {
        // No error leaves the program: one that nothing below caught is logged and shown.
        try {
            core::Main();
        } catch (const ui::ProgramEnded&) {
            throw;
        } catch (...) {
            ui::detail::reportCaughtError();
            status = 1;
        }
        // Main returns with the main window up, or without it when start-up gave up. The
        // program goes on for as long as its main window is there.
        if (frmMain::isLoaded()) {
            afterFirstPaint();
        }
        while (frmMain::isLoaded()) {
            try {
                status = ui::QtHost::runMainLoop();
                break;
            } catch (const ui::ProgramEnded&) {
                throw;
            } catch (...) {
                ui::detail::reportCaughtError();
            }
        }
        ui::passOnEnd();
    } catch (const ui::ProgramEnded&) {
        status = 0;
    }
    return status;
}

}  // namespace

int runProgram() {
    const IconForEarlyWindows earlyWindows;
    connectWindows();
    for (;;) {
        const int status = runOnce();
        if (!closeForAnotherStart()) {
            return status;
        }
    }
}

void closeProgram() {
    ui::Forms::discardAll();
    core::ReleaseAll();
    ui::finishEnd();
}

bool closeForAnotherStart() {
    const bool again = core::StartAgain;
    const std::optional<QString> picked = core::PickedConnStr;
    closeProgram();
    if (again) {
        core::PickedConnStr = picked;
    }
    return again;
}

}  // namespace kelvora
