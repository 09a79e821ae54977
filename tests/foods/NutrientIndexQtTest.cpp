#include <QApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QTest>
#include <QTreeWidget>

#include "foods/frmIdxN.h"
#include "foods/frmfdN.h"
#include "frame/frmMain.h"
#include "frame/frmStrt.h"
#include "support/ProgramFixture.h"
#include "ui/QtHost.h"

namespace {

// The nutrient index under the real host: the start page's link, a header and the keys
// reach the window as Qt's own mouse and key events.
class NutrientIndexQtTest : public ProgramTest {
  protected:
    static void clickHeader(ui::ListView& lvw, int column) {
        QHeaderView* header = lvw.treeWidget()->header();
        const QPoint middle(
            header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
            header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, middle);
    }
    static QList<double> values(const ui::ListView& lvw) {
        QList<double> all;
        for (int i = 1; i <= lvw.ListItems.Count(); ++i) {
            all.append(lvw.ListItems(i).SubItems(3).toDouble());
        }
        return all;
    }
};

TEST_F(NutrientIndexQtTest, RanksAndFollowsTheNutrientWithRealInput) {
    start();
    ui::QtHost qtHost;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frmMain::instance()));
    QTest::mouseClick(frmStrt::instance().Label5.widget(), Qt::LeftButton);
    ASSERT_TRUE(frmIdxN::isLoaded());
    frmIdxN& f = frmIdxN::instance();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
    EXPECT_TRUE(f.Visible());
    EXPECT_EQ(f.LstView.SelectedItem()->Text(), QStringLiteral("PROTEIN"));

    clickHeader(f.LView, 3);
    QList<double> ranked = values(f.LView);
    ASSERT_GT(ranked.size(), 500);
    EXPECT_TRUE(std::is_sorted(ranked.rbegin(), ranked.rend()));
    EXPECT_EQ(f.LView.ColumnHeaders(QStringLiteral("d")).Icon(), QVariant(1));

    // The next nutrient by the arrow key, still ranked largest first.
    f.LstView.treeWidget()->setFocus();
    QCoreApplication::processEvents();
    if (QApplication::focusWidget() != f.LstView.treeWidget()) {
        GTEST_SKIP() << "the platform gives no keyboard focus";
    }
    QTest::keyClick(f.LstView.treeWidget(), Qt::Key_Down);
    EXPECT_EQ(f.LstView.SelectedItem()->Text(), QStringLiteral("FAT"));
    EXPECT_EQ(f.SSTab1.TabCaption(0), QStringLiteral("SOURCE OF FAT"));
    ranked = values(f.LView);
    EXPECT_TRUE(std::is_sorted(ranked.rbegin(), ranked.rend()));
    EXPECT_GT(ranked.first(), 90.0);

    QTest::keyClick(f.LstView.treeWidget(), Qt::Key_Escape);
    QCoreApplication::processEvents();
    EXPECT_FALSE(frmIdxN::isLoaded());

    // Opened again, a double-click on a food shows its nutrients.
    QTest::mouseClick(frmStrt::instance().Label5.widget(), Qt::LeftButton);
    frmIdxN& again = frmIdxN::instance();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&again));
    QTreeWidget* foods = again.LView.treeWidget();
    const QRect third = foods->visualItemRect(foods->topLevelItem(2));
    const QPoint row(third.left() + 20, third.center().y());
    // As a mouse does it: a click, then the second press comes as a double-click.
    QTest::mouseClick(foods->viewport(), Qt::LeftButton, Qt::NoModifier, row);
    for (QEvent::Type type : {QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, row, foods->viewport()->mapToGlobal(row), Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(foods->viewport(), &event);
    }
    ASSERT_TRUE(frmfdN::isLoaded());
    EXPECT_TRUE(frmfdN::instance().Visible());
    EXPECT_EQ(frmfdN::instance().txtFood.Text(),
              QStringLiteral("Food : ") + again.LView.ListItems(3).Text());
}

}  // namespace
