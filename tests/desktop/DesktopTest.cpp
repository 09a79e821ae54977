// The program under the real Qt host, driven by real mouse and key events through Qt's own
// input path (the platform's windows, modality and stacking), as a person at the desktop
// drives it. The scripted host cannot see any of this.
#define QTEST_QPA_MOUSE_HANDLING

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <deque>
#include <functional>
#include <stdexcept>

#include "foods/frmfdN.h"
#include "frame/frmAus.h"
#include "frame/frmClose.h"
#include "frame/frmMain.h"
#include "frame/frmOpt.h"
#include "frame/frmProducts.h"
#include "frame/frmStrt.h"
#include "runtime/Error.h"
#include "support/ProgramFixture.h"
#include "ui/Controls.h"
#include "ui/ListView.h"
#include "ui/QtHost.h"

namespace {

// The real host, except that ending the program comes back to the test.
class DesktopHost : public ui::QtHost {
  public:
    [[noreturn]] void End() override {
        ended = true;
        throw ui::ProgramEnded{};
    }
    bool ended = false;
};

// Answers every message box that comes up (with its Escape button) and keeps its text; ends a
// modal window that a failed test left open, so that the test cannot hang.
class Desk : public QObject {
  public:
    Desk() {
        timer_.setInterval(10);
        connect(&timer_, &QTimer::timeout, this, [this] { look(); });
        timer_.start();
    }
    QStringList messages;
    // Runs inside the modal loop of the window that the next call opens.
    void whileModal(std::function<void()> act) { acts_.push_back(std::move(act)); }

  private:
    void look() {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            messages << box->text();
            box->escapeButton()->click();
            return;
        }
        if (!acts_.empty() && ui::detail::topModal() != nullptr) {
            // Outside this timer's own call, so that the timer goes on answering message
            // boxes while the act runs.
            QTimer::singleShot(0, this, [act = std::move(acts_.front())] {
                QPointer<ui::Form> modal = ui::detail::topModal();
                act();
                if (modal && modal->isFormLoaded() && modal->Visible()) {
                    ADD_FAILURE() << "the modal window " << modal->Name().toStdString()
                                  << " was left open";
                    ui::Unload(*modal);
                }
            });
            acts_.pop_front();
        }
    }
    QTimer timer_;
    std::deque<std::function<void()>> acts_;
};

void click(QWidget* widget, QPoint at = {}) {
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, at);
    QApplication::processEvents();
}

void key(QWidget* window, Qt::Key k) {
    QTest::keyClick(window->window()->windowHandle(), k);
    QApplication::processEvents();
}

// The main window's client area on the screen.
QRect clientOnScreen() {
    QWidget* area = frmMain::instance().mdiArea()->viewport();
    return {area->mapToGlobal(QPoint(0, 0)), area->size()};
}

// A window of its own with a frame and a title bar, which holds every input while it is up.
void expectModalDialog(ui::Form& form) {
    EXPECT_TRUE(form.isWindow());
    EXPECT_EQ(form.windowType(), Qt::Dialog);
    EXPECT_FALSE(form.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(form.windowModality(), Qt::ApplicationModal);
    EXPECT_EQ(QApplication::activeModalWidget(), &form);
}

class DesktopTest : public ProgramTest {
  protected:
    void SetUp() override {
        start();
        frmMain& main = frmMain::instance();
        main.setGeometry(40, 40, 900, 650);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    }
    static frmStrt& page() { return frmStrt::instance(); }

    DesktopHost qt;
    Desk desk;
};

TEST_F(DesktopTest, AboutIsAModalDialogOfItsOwnOverTheMainWindow) {
    bool checked = false;
    desk.whileModal([&] {
        frmAus& about = frmAus::instance();
        expectModalDialog(about);
        // CenterForm put it in the middle of the main window's client area.
        EXPECT_NEAR(about.frameGeometry().center().x(), clientOnScreen().center().x(), 2);
        EXPECT_NEAR(about.frameGeometry().center().y(), clientOnScreen().center().y(), 2);
        // The main window behind takes no click: no options window, no run-time error.
        click(page().Label11.widget());
        click(page().Text4[1].widget());
        EXPECT_FALSE(frmOpt::isLoaded());
        EXPECT_FALSE(frmProducts::isLoaded());
        key(&about, Qt::Key_Escape);
        checked = true;
    });
    frmMain::instance().mnuAbout.action()->trigger();
    EXPECT_TRUE(checked);
    EXPECT_FALSE(frmAus::isLoaded());
    EXPECT_EQ(desk.messages, QStringList());
    EXPECT_FALSE(qt.ended);
    // With the dialog gone the main window takes clicks again.
    click(page().Label11.widget());
    EXPECT_TRUE(frmOpt::isLoaded());
}

TEST_F(DesktopTest, ProductsOpenAsADialogWideEnoughForEveryColumn) {
    bool checked = false;
    desk.whileModal([&] {
        frmProducts& products = frmProducts::instance();
        expectModalDialog(products);
        QTreeWidget* list = products.ListView1.treeWidget();
        int columns = 0;
        for (int i = 0; i < list->columnCount(); ++i) {
            columns += list->columnWidth(i);
        }
        EXPECT_GE(list->viewport()->width(), columns);
        // Neither the Help menu nor the start page answers behind it.
        QTest::keyClick(frmMain::instance().windowHandle(), Qt::Key_H, Qt::AltModifier);
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
        click(page().Label11.widget());
        EXPECT_FALSE(frmOpt::isLoaded());
        key(&products, Qt::Key_Escape);
        checked = true;
    });
    click(page().Text4[1].widget());
    EXPECT_TRUE(checked);
    EXPECT_FALSE(frmProducts::isLoaded());
    EXPECT_EQ(desk.messages, QStringList());
}

TEST_F(DesktopTest, TheStartPageStaysBehindWhateverIsClickedOnIt) {
    click(page().Label11.widget());
    ASSERT_TRUE(frmOpt::isLoaded());
    QMdiSubWindow* options = frmOpt::instance().subWindow();
    ASSERT_NE(options, nullptr);
    QMdiArea* area = frmMain::instance().mdiArea();
    auto front = [area] { return area->subWindowList(QMdiArea::StackingOrder).constLast(); };
    ASSERT_EQ(front(), options);

    // The page's background, its title band, two texts on it, each where
    // the options window does not cover it.
    const QRect covered(options->mapToGlobal(QPoint(0, 0)), options->size());
    for (QWidget* target : {page().Shape2.widget(), page().Shape1.widget(),
                            page().lblNote[0].widget(), page().Text4[0].widget()}) {
        const QRect inside = target->rect().adjusted(2, 2, -2, -2);
        QPoint at = inside.topLeft();
        for (const QPoint corner : {inside.bottomLeft(), inside.topRight(), inside.bottomRight()}) {
            if (covered.contains(target->mapToGlobal(at))) {
                at = corner;
            }
        }
        ASSERT_FALSE(covered.contains(target->mapToGlobal(at))) << "the test clicks a hidden spot";
        click(target, at);
        EXPECT_EQ(front(), options);
        EXPECT_TRUE(options->isVisible());
    }
    EXPECT_EQ(desk.messages.filter(QStringLiteral("Run-time error")), QStringList());
}

TEST_F(DesktopTest, TheExitWindowIsADialogOverTheMainWindowAndCancelKeepsTheProgram) {
    bool checked = false;
    desk.whileModal([&] {
        frmClose& exit = frmClose::instance();
        expectModalDialog(exit);
        EXPECT_TRUE(clientOnScreen().contains(exit.frameGeometry().center()));
        click(exit.cmdCancel.widget());
        checked = true;
    });
    // The close button of the main window's frame.
    frmMain::instance().QWidget::close();
    EXPECT_TRUE(checked);
    EXPECT_FALSE(qt.ended);
    EXPECT_TRUE(frmMain::instance().Visible());
    EXPECT_FALSE(frmClose::isLoaded());
}

// A window of the program whose button fails in a way no handler expected.
class frmFault : public ui::FormOf<frmFault> {
  public:
    ui::CommandButton cmdFail{this, QStringLiteral("cmdFail")};
    ui::CommandButton cmdCrash{this, QStringLiteral("cmdCrash")};
    int clicks = 0;
    frmFault() {
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(cmdFail.widget());
        layout->addWidget(cmdCrash.widget());
        cmdFail.Click = [this] {
            ++clicks;
            throw rt::Error(3265, QStringLiteral("Item not found in this collection."),
                            QStringLiteral("frmFault"));
        };
        cmdCrash.Click = [] { throw std::runtime_error("vector::at"); };
    }
};

TEST_F(DesktopTest, AnErrorInAnEventIsLoggedAndShownAndTheProgramGoesOn) {
    frmFault& fault = frmFault::instance();
    fault.Show();
    // A modeless window that is not a child of the main window stands on its own too.
    EXPECT_TRUE(fault.isWindow());
    EXPECT_EQ(fault.windowType(), Qt::Window);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&fault));

    click(fault.cmdFail.widget());
    click(fault.cmdCrash.widget());
    click(fault.cmdFail.widget());

    EXPECT_FALSE(qt.ended);
    EXPECT_EQ(fault.clicks, 2);
    EXPECT_TRUE(frmFault::isLoaded());
    EXPECT_TRUE(frmMain::instance().Visible());
    EXPECT_EQ(desk.messages,
              (QStringList{QStringLiteral("Run-time error '3265':\n\nItem not found in this "
                                          "collection."),
                           QStringLiteral("Run-time error '51':\n\nvector::at"),
                           QStringLiteral("Run-time error '3265':\n\nItem not found in this "
                                          "collection.")}));
    QFile log(userDir() + QStringLiteral("/report.Log"));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QString records = QString::fromUtf8(log.readAll());
    EXPECT_EQ(records.count(QStringLiteral("An Error was raised on ")), 3);
    EXPECT_TRUE(
        records.contains(QStringLiteral("=====Error Number = 3265\r\n=====Error Desc = "
                                        "Item not found in this collection.\r\n=====Error "
                                        "Source = frmFault\r\n")));
    EXPECT_TRUE(
        records.contains(QStringLiteral("=====Error Number = 51\r\n=====Error Desc = "
                                        "vector::at\r\n=====Error Source = Kelvora\r\n")));
}

// The issue a person met: the food typed to in the list is the one whose nutrients are shown.
TEST_F(DesktopTest, FoodNutrientsFollowTheFoodTypedToInTheList) {
    click(page().Label4.widget());
    ASSERT_TRUE(frmfdN::isLoaded());
    frmfdN& f = frmfdN::instance();
    QTreeWidget* foods = f.LstView.treeWidget();
    click(foods->viewport(), foods->visualItemRect(foods->topLevelItem(1)).center());
    EXPECT_EQ(f.txtFood.Text(), QStringLiteral("Food : ") + foods->topLevelItem(1)->text(0));
    for (const char key : QByteArray("Rice")) {
        QTest::keyClick(f.window()->windowHandle(), key);
    }
    QApplication::processEvents();
    ASSERT_EQ(f.LstView.SelectedItem()->Text(), QStringLiteral("Rice bran oil"));
    EXPECT_EQ(f.txtFood.Text(), QStringLiteral("Food : Rice bran oil"));
    EXPECT_EQ(desk.messages, QStringList());
}

}  // namespace
