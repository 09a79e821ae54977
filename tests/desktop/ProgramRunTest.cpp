// The program as main() runs it, under the real host: it ends as a person ends it, and the end
// comes back to the program's top however deep the modal windows are.
#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QIcon>
#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include "Program.h"
#include "db/Connection.h"
#include "frame/DataFile.h"
#include "frame/core.h"
#include "frame/frmClose.h"
#include "frame/frmMain.h"
#include "runtime/App.h"
#include "support/DataFileTrouble.h"
#include "support/NoEarlyExit.h"
#include "support/ProgramFixture.h"
#include "ui/Form.h"
#include "ui/FormDetail.h"
#include "ui/Host.h"
#include "ui/QtHost.h"

namespace {

using ProgramRunTest = ProgramTest;

// The main window's close button opens the exit window, whose countdown ends the program from
// inside its modal loop: the program's top gets the end, closes the data file and returns.
TEST_F(ProgramRunTest, TheExitWindowEndsTheProgramBackAtItsTop) {
    const NoEarlyExit guard;
    ui::QtHost qt;
    bool closed = false;
    bool exitWindowUp = false;
    QTimer person;
    QObject::connect(&person, &QTimer::timeout, [&] {
        if (frmMain::isLoaded() && frmMain::instance().isVisible()) {
            person.stop();
            closed = true;
            frmMain::instance().QWidget::close();
        }
    });
    person.start(20);
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, [&] {
        exitWindowUp = exitWindowUp || (frmClose::isLoaded() &&
                                        ui::detail::topModal() == frmClose::loadedInstance());
    });
    look.start(5);
    const int status = kelvora::runProgram();
    EXPECT_TRUE(closed);
    EXPECT_TRUE(exitWindowUp);
    EXPECT_EQ(status, 0);
    EXPECT_FALSE(core::cn.IsOpen());
    EXPECT_FALSE(frmMain::isLoaded());
    EXPECT_FALSE(frmClose::isLoaded());
    EXPECT_TRUE(ui::Forms::loaded().isEmpty());
    EXPECT_FALSE(ui::programEnding());
    EXPECT_EQ(host.calls(), QStringList());
}

// The install check starts the program with KELVORA_QUIT_WHEN_SHOWN: it ends by itself once
// its main window is shown, and says so; the exit window is not asked. Its windows carry the
// program's icon.
TEST_F(ProgramRunTest, ForTheInstallCheckItEndsOnceItsMainWindowIsShown) {
    const NoEarlyExit guard;
    ui::QtHost qt;
    // As in a program just started: the icon comes with the main window's first paint.
    QApplication::setWindowIcon(QIcon());
    qputenv("KELVORA_QUIT_WHEN_SHOWN", "1");
    // Should it not end by itself, the test ends it rather than wait for ever.
    QTimer stop;
    stop.setSingleShot(true);
    QObject::connect(&stop, &QTimer::timeout,
                     [] { ui::detail::dispatchFromQt([] { rt::App::End(); }); });
    stop.start(10000);
    testing::internal::CaptureStdout();
    const int status = kelvora::runProgram();
    const std::string said = testing::internal::GetCapturedStdout();
    qunsetenv("KELVORA_QUIT_WHEN_SHOWN");
    EXPECT_EQ(status, 0);
    EXPECT_EQ(said, "Kelvora: main window shown\n");
    EXPECT_FALSE(frmMain::isLoaded());
    EXPECT_FALSE(core::cn.IsOpen());
    EXPECT_EQ(host.calls(), QStringList());
    EXPECT_EQ(QApplication::windowIcon().availableSizes(), kelvora::programIcon().availableSizes());
}

// A window that comes up before the main window stands painted, here the question about a data
// file another program holds, carries the icon from the moment it shows.
TEST_F(ProgramRunTest, AWindowBeforeTheMainWindowCarriesTheIcon) {
    const NoEarlyExit guard;
    ui::QtHost qt;
    QApplication::setWindowIcon(QIcon());
    db::Connection::setBusyTimeout(50);
    trouble::ExclusiveHolder other(dataFile());
    bool asked = false;
    QTimer person;
    QObject::connect(&person, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible()) {
            return;
        }
        person.stop();
        asked = true;
        EXPECT_FALSE(frmMain::isLoaded());
        EXPECT_EQ(box->windowIcon().availableSizes(), kelvora::programIcon().availableSizes());
        box->button(QMessageBox::Cancel)->click();
    });
    person.start(5);
    const int status = kelvora::runProgram();
    db::Connection::setBusyTimeout(5000);
    EXPECT_TRUE(asked);
    EXPECT_EQ(status, 0);
}

// A damaged file found once the main window is up: the person is asked, picks the template in
// the real file dialog, is told where the damaged file is kept, and the program comes up again
// on a fresh copy, all in one run of main().
TEST_F(ProgramRunTest, ADamagedFileFoundAfterTheStartLeadsToAFreshCopyInOneRun) {
    const NoEarlyExit guard;
    ui::QtHost qt;
    trouble::damageTable(dataFile(), "usr");
    QStringList seen;
    QTimer person;
    QObject::connect(&person, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal); box && box->isVisible()) {
            seen << box->text().section(QLatin1Char(' '), 0, 3);
            (box->button(QMessageBox::Yes) ? box->button(QMessageBox::Yes)
                                           : box->button(QMessageBox::Ok))
                ->click();
        } else if (auto* dialog = qobject_cast<QFileDialog*>(modal);
                   dialog && dialog->isVisible()) {
            seen << QStringLiteral("file dialog");
            // Typed, as a person does: a file selected before the dialog has read its folder
            // is not taken.
            dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(deliveredFile());
            static_cast<QDialog*>(dialog)->accept();
        } else if (seen.size() == 3 && frmMain::isLoaded() && frmMain::instance().isVisible()) {
            person.stop();
            ui::detail::dispatchFromQt([] { rt::App::End(); });
        }
    });
    person.start(10);
    const int status = kelvora::runProgram();
    EXPECT_EQ(status, 0);
    EXPECT_EQ(seen, (QStringList{QStringLiteral("The data file ") + dataFile(),
                                 QStringLiteral("file dialog"),
                                 QStringLiteral("The damaged data file")}));
    EXPECT_TRUE(QFileInfo::exists(dataFile() + QStringLiteral(".damaged")));
    db::Connection fresh;
    fresh.Open(dataFile(), QString::fromLatin1(frame::kDatabasePassword));
    EXPECT_TRUE(fresh.IsOpen());
}

// The icon is compiled in at every size the desktop's theme asks for, and painted: a shape on
// a clear ground, not an empty square.
TEST(ProgramIcon, IsPaintedAtTheThemeSizes) {
    const QIcon icon = kelvora::programIcon();
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size))) << size;
    }
    const QImage image = icon.pixmap(QSize(64, 64)).toImage();
    ASSERT_EQ(image.size(), QSize(64, 64));
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(image.pixel(32, 32)), 255);
    EXPECT_NE(image.pixel(32, 32), image.pixel(6, 32));
}

}  // namespace
