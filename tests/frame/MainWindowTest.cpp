#include <optional>

#include "db/Recordset.h"
#include "frame/core.h"
#include "frame/frmClose.h"
#include "frame/frmMain.h"
#include "frame/frmStrt.h"
#include "support/ProgramFixture.h"
#include "ui/Constants.h"

namespace {

class MainWindowTest : public ProgramTest {
  protected:
    void SetUp() override { start(); }

    // The colour commands live in popup menus of the main window; no colour means the person
    // cancels the colour dialog.
    // Gives the colour the dialog opened on.
    qint32 chooseColour(ui::Menu& menu, const QString& item, std::optional<qint32> colour) {
        host.expectPopupMenu(menu.Name()).choose(item);
        auto dialog =
            colour ? host.expectColorDialog().answer(*colour) : host.expectColorDialog().cancel();
        frmMain::instance().PopupMenu(menu);
        return dialog.initial();
    }

    static QString stored(const QString& key) {
        db::Recordset rs;
        rs.Open(QStringLiteral("SELECT what FROM formats WHERE cat = ?"), core::cn, {key});
        return rs[QStringLiteral("what")].text();
    }
};

TEST_F(MainWindowTest, ColourCommandsStoreTheirRowAndSurviveARestart) {
    const QString before = stored(QStringLiteral("ForeColour"));
    chooseColour(frmMain::instance().mymenu, QStringLiteral("BackgroundColour"), 0x0000C0);
    chooseColour(frmMain::instance().PicMenu, QStringLiteral("PicFontColour"), 0x123456);
    EXPECT_EQ(stored(QStringLiteral("BackColour")), QStringLiteral("192"));
    EXPECT_EQ(stored(QStringLiteral("PicForeColour")), QString::number(0x123456));
    EXPECT_EQ(stored(QStringLiteral("ForeColour")), before);

    restart();
    EXPECT_EQ(stored(QStringLiteral("BackColour")), QStringLiteral("192"));
    EXPECT_EQ(stored(QStringLiteral("PicForeColour")), QString::number(0x123456));
}

TEST_F(MainWindowTest, CancelledColourDialogChangesNothing) {
    const QString before = stored(QStringLiteral("ForeColour"));
    chooseColour(frmMain::instance().mymenu, QStringLiteral("FontColour"), std::nullopt);
    EXPECT_EQ(stored(QStringLiteral("ForeColour")), before);
}

TEST_F(MainWindowTest, PicBackgroundOnlyStoresItsRow) {
    chooseColour(frmMain::instance().PicMenu, QStringLiteral("PicBackground"), 0x00FF00);
    EXPECT_EQ(stored(QStringLiteral("PicBackColour")), QString::number(0x00FF00));
}

TEST_F(MainWindowTest, TheColourDialogOpensOnTheColourItChanges) {
    frmMain& main = frmMain::instance();
    frmStrt& page = frmStrt::instance();
    const qint32 background = page.Shape2.BackColor();
    ASSERT_NE(background, 0);
    EXPECT_EQ(chooseColour(main.mymenu, QStringLiteral("BackgroundColour"), 0x0000C0), background);
    EXPECT_EQ(chooseColour(main.mymenu, QStringLiteral("BackgroundColour"), std::nullopt),
              0x0000C0);
    EXPECT_EQ(chooseColour(main.mymenu, QStringLiteral("FontColour"), 0x00A000),
              stored(QStringLiteral("ForeColour")).toInt());
    EXPECT_EQ(chooseColour(main.PicMenu, QStringLiteral("PicFontColour"), std::nullopt),
              page.lbl[0].ForeColor());
    core::cn.Execute(
        QStringLiteral("UPDATE formats SET what = '4660' WHERE cat = 'PicBackColour'"));
    EXPECT_EQ(chooseColour(main.PicMenu, QStringLiteral("PicBackground"), std::nullopt), 4660);
    // Each command starts from its own colour, not from the last one chosen.
    EXPECT_EQ(chooseColour(main.mymenu, QStringLiteral("FontColour"), std::nullopt), 0x00A000);
    EXPECT_EQ(chooseColour(main.mymenu, QStringLiteral("BackgroundColour"), std::nullopt),
              0x0000C0);
}

TEST_F(MainWindowTest, ClosingShowsTheExitWindowAndCancelKeepsTheProgram) {
    host.expectModal<frmClose>([](frmClose& f) {
        EXPECT_EQ(f.Caption(), QStringLiteral("End Program"));
        EXPECT_EQ(f.lbl[0].Caption(), QStringLiteral("Please wait . . ."));
        EXPECT_EQ(f.ProgressBar1.Max(), 50);
        f.Timer1.tick();
        f.Timer1.tick();
        EXPECT_EQ(f.ProgressBar1.Value(), 5);
        f.cmdCancel.click();
        EXPECT_EQ(f.ProgressBar1.Value(), 0);
    });
    frmMain::instance().close();
    EXPECT_TRUE(frmMain::isLoaded());
    EXPECT_TRUE(core::cn.IsOpen());
    EXPECT_FALSE(core::ExitCancel);

    // A second close shows the exit window again.
    host.expectModal<frmClose>([](frmClose& f) { f.cmdCancel.click(); });
    frmMain::instance().close();
    EXPECT_TRUE(frmMain::isLoaded());
}

TEST_F(MainWindowTest, TheExitWindowEndsTheProgramOnItsEleventhTick) {
    host.expectModal<frmClose>([](frmClose& f) {
        for (int i = 0; i < 10; ++i) {
            f.Timer1.tick();
            EXPECT_EQ(f.ProgressBar1.Value(), i * 5);
            EXPECT_EQ(f.Timer1.Interval(), i < 9 ? 1 : 100);
        }
        f.Timer1.tick();
    });
    expectProgramEnds([] { frmMain::instance().close(); });
    EXPECT_FALSE(core::cn.IsOpen());
}

TEST_F(MainWindowTest, EscapeInTheExitWindowEndsAtOnce) {
    host.expectModal<frmClose>([](frmClose& f) { f.pressKey(ui::vbKeyEscape); });
    expectProgramEnds([] { frmMain::instance().close(); });
    EXPECT_FALSE(core::cn.IsOpen());
}

}  // namespace
