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

// Once the main window stands painted on the screen, the program says so and ends as it always
// ends. The line goes out at once: whoever waits for it times the start by it.
void quitOnceShown() {
    kelvora::whenPainted(frmMain::instance(), [] {
        ui::detail::dispatchFromQt([] {
            if (frmMain::isLoaded() && frmMain::instance().isVisible()) {
                std::fputs("Kelvora: main window shown\n", stdout);
                std::fflush(stdout);
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

int runProgram() {
    QApplication::setWindowIcon(programIcon());
    connectWindows();
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
        if (frmMain::isLoaded() && qEnvironmentVariableIsSet("KELVORA_QUIT_WHEN_SHOWN")) {
            quitOnceShown();
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
    closeProgram();
    return status;
}

void closeProgram() {
    ui::Forms::discardAll();
    core::ReleaseAll();
    ui::finishEnd();
}

}  // namespace kelvora
