// The program as main() runs it, under the real host: it ends as a person ends it, and the end
// comes back to the program's top however deep the modal windows are.
#include <QTimer>
#include <QWidget>

#include "Program.h"
#include "db/Connection.h"
#include "frame/core.h"
#include "frame/frmClose.h"
#include "frame/frmMain.h"
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

}  // namespace
