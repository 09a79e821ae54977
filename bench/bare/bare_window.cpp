// The bare Qt program that Kelvora's start-up is measured against (bench/startup-compare): an
// empty main window of the size and state Kelvora's main window opens in, reported as shown at
// the moment Kelvora reports its own, and nothing else.
#include <QApplication>
#include <QMainWindow>
#include <cstdio>

#include "WhenPainted.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    // frmMain's own rule: 13500 by 9750 twips at 15 twips a pixel, then maximised.
    window.resize(900, 650);
    window.setWindowState(Qt::WindowMaximized);
    window.show();
    kelvora::whenPainted(window, [] {
        std::fputs("bare: main window shown\n", stdout);
        std::fflush(stdout);
        QCoreApplication::exit(0);
    });
    return QApplication::exec();
}
