#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QMdiArea>
#include <QPixmap>
#include <algorithm>

#include "db/Recordset.h"
#include "frame/core.h"
#include "frame/frmMain.h"
#include "frame/frmOpt.h"
#include "frame/frmProducts.h"
#include "frame/frmStrt.h"
#include "runtime/App.h"
#include "support/ProgramFixture.h"
#include "ui/Constants.h"
#include "ui/Controls.h"

namespace {

class StartPageTest : public ProgramTest {
  protected:
    void SetUp() override { start(); }
    static frmStrt& page() { return frmStrt::instance(); }
};

TEST_F(StartPageTest, FillsTheMainWindowAndFollowsItsSize) {
    frmMain& main = frmMain::instance();
    EXPECT_TRUE(page().Visible());
    EXPECT_EQ(page().Left(), 0);
    EXPECT_EQ(page().Top(), 0);
    EXPECT_NEAR(page().Width(), main.ScaleWidth(), 15);
    EXPECT_NEAR(page().Height(), main.ScaleHeight(), 15);

    main.resize(1000, 700);
    EXPECT_NEAR(page().Width(), main.ScaleWidth(), 15);
    EXPECT_NEAR(page().Height(), main.ScaleHeight(), 15);
}

TEST_F(StartPageTest, LinksCarryTheirCaptionsAndTips) {
    EXPECT_EQ(page().lblPersonal.Caption(), QStringLiteral("PERSONAL INFORMATION"));
    EXPECT_EQ(page().lblPersonal.ToolTipText(), QStringLiteral("Get personal information [F2]"));
    EXPECT_EQ(page().Label2.Caption(), QStringLiteral("RECOMMANDED DIETARY ALLOWANCE (RDA)"));
    EXPECT_EQ(page().Label2.ToolTipText(),
              QStringLiteral("Check your Recommanded daily allowances [F4]"));
    EXPECT_EQ(page().Label10.ToolTipText(), QStringLiteral("Food Menu for common diesease"));
    EXPECT_EQ(page().Label6.ToolTipText(), QStringLiteral("Make your food item [F8]"));
    EXPECT_EQ(page().Text4[1].Text(), QStringLiteral("Products"));
}

TEST_F(StartPageTest, ColoursChosenInThePopupMenusStayAfterARestart) {
    host.expectPopupMenu(QStringLiteral("mymenu")).choose(QStringLiteral("FontColour"));
    host.expectColorDialog().answer(0x0000C0);
    page().Shape2.rightClick();
    EXPECT_EQ(page().Label4.ForeColor(), 0x0000C0);
    EXPECT_EQ(page().Label10.ForeColor(), 0x0000C0);

    host.expectPopupMenu(QStringLiteral("PicMenu")).choose(QStringLiteral("PicFontColour"));
    host.expectColorDialog().answer(0x00FFFF);
    page().Shape1.rightClick();
    EXPECT_EQ(page().lbl[0].ForeColor(), 0x00FFFF);
    EXPECT_EQ(page().Label9.ForeColor(), 0x00FFFF);
    EXPECT_EQ(page().Label4.ForeColor(), 0x0000C0);

    host.expectPopupMenu(QStringLiteral("mymenu")).choose(QStringLiteral("BackgroundColour"));
    host.expectColorDialog().answer(0xE0F0F0);
    page().Shape2.rightClick();
    EXPECT_EQ(page().Shape2.BackColor(), 0xE0F0F0);

    restart();
    EXPECT_EQ(page().lblPersonal.ForeColor(), 0x0000C0);
    EXPECT_EQ(page().Label7.ForeColor(), 0x00FFFF);
    EXPECT_EQ(page().Shape2.BackColor(), 0xE0F0F0);
}

TEST_F(StartPageTest, ThePicBackgroundColourIsOnlyStored) {
    const qint32 before = page().Shape1.BackColor();
    host.expectPopupMenu(QStringLiteral("PicMenu")).choose(QStringLiteral("PicBackground"));
    host.expectColorDialog().answer(0x00FF00);
    page().Shape1.rightClick();
    EXPECT_EQ(page().Shape1.BackColor(), before);
    db::Recordset rs;
    rs.Open(QStringLiteral("SELECT what FROM formats WHERE cat = 'PicBackColour'"), core::cn);
    EXPECT_EQ(rs[QStringLiteral("what")].text(), QString::number(0x00FF00));
}

TEST_F(StartPageTest, AMissingColourRowLeavesThePagesOwnColour) {
    core::cn.Execute(QStringLiteral("DELETE FROM formats WHERE cat = 'ForeColour'"));
    const qint32 designed = frmStrt().Label4.ForeColor();
    restart();
    EXPECT_EQ(page().Label4.ForeColor(), designed);
}

TEST_F(StartPageTest, OptionsLinkOpensOneOptionsWindow) {
    page().Label11.click();
    ASSERT_TRUE(frmOpt::isLoaded());
    EXPECT_TRUE(frmOpt::instance().Visible());
    frmOpt* first = &frmOpt::instance();
    page().Label11.click();
    EXPECT_EQ(&frmOpt::instance(), first);
    EXPECT_EQ(frmMain::instance().mdiArea()->subWindowList().size(), 2);
}

TEST_F(StartPageTest, ProductsOpenModallyWithTheirRows) {
    host.expectModal<frmProducts>([](frmProducts& f) {
        ASSERT_EQ(f.ListView1.ListItems.Count(), 4);
        EXPECT_EQ(f.ListView1.rowTexts(1),
                  (QStringList{QStringLiteral("1"),
                               QStringLiteral("Kelvora Desktop, single-user licence with the "
                                              "Indian food composition tables"),
                               QStringLiteral("Rs. 4500")}));
        EXPECT_NEAR(f.ListView1.ColumnHeaders(2).Width(), 14111, 15);
        f.pressKey(ui::vbKeyEscape);
    });
    page().Text4[1].click();
    // The other text box of the pair is no link.
    page().Text4[0].click();
}

TEST_F(StartPageTest, AnEmptyProductsTableOpensAnEmptyList) {
    core::cn.Execute(QStringLiteral("DELETE FROM Products"));
    host.expectModal<frmProducts>([](frmProducts& f) {
        EXPECT_EQ(f.ListView1.ListItems.Count(), 0);
        f.close();
    });
    page().Text4[1].click();
}

TEST_F(StartPageTest, DocumentLinksOpenWithTheDesktopOrSayWhyNot) {
    const QString menu = programDir() + QStringLiteral("/fmenu.doc");
    const QString products = programDir() + QStringLiteral("/kelvora.html");
    host.expectOpenWithDesktop(menu).answer(true);
    page().Label10.click();
    host.expectOpenWithDesktop(products).answer(true);
    page().Label9.click();
    // Nothing on the desktop opens them: the person is told which file it was.
    host.expectOpenWithDesktop(menu).answer(false);
    host.expectMsgBox(QStringLiteral("There is no program on this computer that can open ") + menu +
                          QStringLiteral("."),
                      ui::vbOKOnly | ui::vbExclamation, QStringLiteral("Kelvora"))
        .answer(ui::vbOK);
    page().Label10.click();
    host.expectOpenWithDesktop(products).answer(false);
    host.expectMsgBox(QStringLiteral("There is no program on this computer that can open ") +
                      products + QStringLiteral("."));
    page().Label9.click();
}

// The label as the main window shows it.
QImage shotOf(ui::Control& control) {
    frmMain& main = frmMain::instance();
    main.resize(1100, 720);
    QCoreApplication::processEvents();
    QWidget* widget = control.widget();
    return main.grab(QRect(widget->mapTo(&main, QPoint(0, 0)), widget->size())).toImage();
}

// How many pixels of the label show its text colour.
int pixelsInColour(ui::Label& label) {
    const QImage shot = shotOf(label);
    const QColor colour = ui::colorFromValue(label.ForeColor());
    int count = 0;
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x) {
            count += shot.pixelColor(x, y) == colour ? 1 : 0;
        }
    }
    return count;
}

TEST_F(StartPageTest, EveryLinkIsThereInItsColour) {
    for (ui::Label* link : page().PageLinks()) {
        EXPECT_TRUE(link->Enabled()) << link->Name().toStdString();
        EXPECT_GT(pixelsInColour(*link), 0) << link->Name().toStdString();
    }
    EXPECT_GT(pixelsInColour(page().Label11), 0);
}

}  // namespace
