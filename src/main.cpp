#include <QApplication>

#include "Program.h"
#include "ui/QtHost.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Kelvora"));
    QApplication::setApplicationName(QStringLiteral("Kelvora"));
    // The desktop entry's name: where the desktop takes the icon from its entry (Wayland).
    QApplication::setDesktopFileName(QStringLiteral("kelvora"));
    ui::QtHost host;
    return kelvora::runProgram();
}
