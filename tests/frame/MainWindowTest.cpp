#include <optional>

#include "db/Recordset.h"
#include "frame/core.h"
#include "frame/frmClose.h"
#include "frame/frmMain.h"
#include "support/ProgramFixture.h"
#include "ui/Constants.h"

namespace {

class MainWindowTest : public ProgramTest {
  protected:
    void SetUp() override { start(); }

    // The colour commands live in popup menus of the main window; no colour means the person
    // cancels the colour dialog.
    void chooseColour(ui::Menu& menu, const QString& item, std::optional<qint32> colour) {
        host.expectPopupMenu(menu.Name()).choose(item);
        if (colour) {
            host.expectColorDialog().answer(*colour);
        } else {
            host.expectColorDialog().cancel();
        }
        frmMain::instance().PopupMenu(menu);
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
