#include <QApplication>

#include "Windows.h"
#include "frame/core.h"
#include "frame/frmMain.h"
#include "ui/Form.h"
#include "ui/QtHost.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Kelvora"));
    QApplication::setApplicationName(QStringLiteral("Kelvora"));
    ui::QtHost host;
    kelvora::connectWindows();
    // No error leaves main: one that nothing below caught is logged and shown.
    int status = 0;
    try {
        core::Main();
    } catch (...) {
        ui::detail::reportCaughtError();
        status = 1;
    }
    // Main returns with the main window up, or without it when start-up gave up. The program
    // goes on for as long as its main window is there.
    while (frmMain::isLoaded()) {
        try {
            return QApplication::exec();
        } catch (...) {
            ui::detail::reportCaughtError();
        }
    }
    return status;
}
