#include <QApplication>

#include "Windows.h"
#include "frame/core.h"
#include "frame/frmMain.h"
#include "ui/QtHost.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Kelvora"));
    QApplication::setApplicationName(QStringLiteral("Kelvora"));
    ui::QtHost host;
    kelvora::connectWindows();
    core::Main();
    // Main returns with the main window up, or without it when start-up gave up.
    if (!frmMain::isLoaded()) {
        return 0;
    }
    return QApplication::exec();
}
