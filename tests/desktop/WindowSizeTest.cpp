// The program's windows at the sizes they open with, under the real Qt host: what a person
// sees of their lists' headers and columns, and of the main window.
#define QTEST_QPA_MOUSE_HANDLING

#include <QApplication>
#include <QHeaderView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <functional>

#include "foods/frmIdxN.h"
#include "frame/frmMain.h"
#include "frame/frmStrt.h"
#include "intake/frmDIn.h"
#include "intake/frmRda.h"
#include "members/frmUsr.h"
#include "support/ListReading.h"
#include "support/ProgramFixture.h"
#include "ui/Controls.h"
#include "ui/FormDetail.h"
#include "ui/ListView.h"
#include "ui/QtHost.h"

namespace {

void click(QWidget* widget, QPoint at = {}) {
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, at);
    QApplication::processEvents();
}

void clickHeader(ui::ListView& list, int column) {
    QHeaderView* header = list.treeWidget()->header();
    click(header->viewport(),
          QPoint(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                 header->height() / 2));
}

// Every header of the window's lists shows its whole text; the columns of a list are in view
// unless they are more than the screen holds.
void expectListsShown(ui::Form& form, bool allColumnsInView = true) {
    SCOPED_TRACE(form.Name().toStdString());
    for (ui::Control* control : form.controls()) {
        auto* list = dynamic_cast<ui::ListView*>(control);
        if (list == nullptr) {
            continue;
        }
        QTreeWidget* tree = list->treeWidget();
        for (int i = 1; i <= list->ColumnHeaders.Count(); ++i) {
            const ui::ColumnHeader& column = list->ColumnHeaders(i);
            if (column.Width() > 0) {
                EXPECT_GE(tree->header()->sectionSize(column.SubItemIndex()),
                          ListReading::headerNeeds(*tree->header(), column.Text()))
                    << list->Name().toStdString() << " " << column.Text().toStdString();
            }
        }
        if (allColumnsInView) {
            EXPECT_LE(tree->header()->length(), tree->viewport()->width())
                << list->Name().toStdString();
        }
    }
}

class WindowSizeTest : public ProgramTest {
  protected:
    void SetUp() override {
        start();
        frmMain& main = frmMain::instance();
        openedMaximised = (main.windowState() & Qt::WindowMaximized) != 0;
        // Maximised on a stock desktop of 1280 x 900, below the window manager's title bar.
        main.setWindowState(Qt::WindowNoState);
        main.setGeometry(0, 24, 1280, 860);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    }
    static frmStrt& page() { return frmStrt::instance(); }
    // Runs act in the modal loop of the window that the next click opens, then closes it.
    void whileModal(std::function<void(ui::Form&)> act) {
        auto* poll = new QTimer(&frmMain::instance());
        poll->setInterval(10);
        QObject::connect(poll, &QTimer::timeout, poll, [poll, act = std::move(act)] {
            if (ui::Form* modal = ui::detail::topModal()) {
                poll->deleteLater();
                poll->stop();
                act(*modal);
                ui::Unload(*modal);
            }
        });
        poll->start();
    }

    ui::QtHost qt;
    bool openedMaximised = false;
};

TEST_F(WindowSizeTest, TheMainWindowOpensOverTheWholeScreenWithItsWindowsDownToItsFoot) {
    EXPECT_TRUE(openedMaximised);
    frmMain& main = frmMain::instance();
    EXPECT_EQ(main.mdiArea()->geometry().bottom(), main.rect().bottom());
}

TEST_F(WindowSizeTest, EveryListShowsEveryHeaderWholeAndItsColumnsWhereTheyFit) {
    for (ui::Label* link : {&page().lblPersonal, &page().Label1, &page().Label2, &page().Label3,
                            &page().Label4, &page().Label5, &page().Label6}) {
        click(link->widget());
    }
    for (ui::Form* form : ui::Forms::loaded()) {
        if (form->MDIChild() && form != &page()) {
            // The member register's eleven columns and the nutrient index's five beside the
            // nutrients are more than 1280 pixels.
            const QString name = form->Name();
            expectListsShown(*form,
                             name != QLatin1String("frmUsr") && name != QLatin1String("frmIdxN"));
        }
    }
    int modals = 0;
    auto check = [&modals](ui::Form& form) {
        expectListsShown(form);
        ++modals;
    };
    // The buttons as a person clicks them, whichever window covers them on the screen.
    whileModal(check);
    frmUsr::instance().cmdAddAct.click();
    whileModal(check);
    frmDIn::instance().cmdUnit.click();
    whileModal(check);
    page().Text4[1].click();
    whileModal(check);
    page().Label7.click();
    EXPECT_EQ(modals, 4);
}

TEST_F(WindowSizeTest, TheNutrientIndexShowsValueWhenItOpensAndAfterASort) {
    click(page().Label5.widget());
    frmIdxN& f = frmIdxN::instance();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
    QTreeWidget* foods = f.LView.treeWidget();
    QHeaderView* header = foods->header();
    const int value = f.LView.ColumnHeaders(QStringLiteral("d")).SubItemIndex();
    auto valueInView = [&] {
        const int left = header->sectionViewportPosition(value);
        return left >= 0 && left + header->sectionSize(value) <= foods->viewport()->width();
    };
    EXPECT_TRUE(valueInView());

    // Scrolled across by hand, the list stays there when it is ranked and sorted again.
    QScrollBar* across = foods->horizontalScrollBar();
    across->setValue(across->maximum());
    const int scrolled = across->value();
    clickHeader(f.LView, value);
    EXPECT_EQ(f.LView.ColumnHeaders(QStringLiteral("d")).Icon(), QVariant(1));
    EXPECT_EQ(across->value(), scrolled);
    EXPECT_TRUE(valueInView());
    clickHeader(f.LView, f.LView.ColumnHeaders(QStringLiteral("e")).SubItemIndex());
    EXPECT_EQ(across->value(), scrolled);
    EXPECT_TRUE(valueInView());
}

TEST_F(WindowSizeTest, AChildWindowGrowsWhenMaximisedOrResizedAndItsListWithIt) {
    click(page().Label2.widget());
    frmRda& f = frmRda::instance();
    QMdiSubWindow* frame = f.subWindow();
    ASSERT_NE(frame, nullptr);
    QWidget* list = f.LstView.widget();
    const QSize opened = list->size();

    frame->showMaximized();
    QApplication::processEvents();
    EXPECT_EQ(frame->size(), frmMain::instance().mdiArea()->viewport()->size());
    EXPECT_GT(list->width(), opened.width());
    EXPECT_GT(list->height(), opened.height());

    frame->showNormal();
    frame->resize(frame->size() + QSize(120, 90));
    QApplication::processEvents();
    EXPECT_EQ(list->size(), opened + QSize(120, 90));
}

}  // namespace
