#include <QApplication>

#include "Program.h"
#include "ui/QtHost.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Kelvora"));
    QApplication::setApplicationName(QStringLiteral("Kelvora"));
    ui::QtHost host;
    return kelvora::runProgram();
}
