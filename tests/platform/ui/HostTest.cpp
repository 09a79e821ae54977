#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenuBar>

#include "runtime/App.h"
#include "runtime/Error.h"
#include "support/PrintQt.h"
#include "support/ScriptedHost.h"
#include "ui/CommonDialog.h"
#include "ui/Controls.h"
#include "ui/KeyMap.h"
#include "ui/Menu.h"
#include "ui/QtHost.h"

using namespace ui;

namespace {

class frmPicture : public FormOf<frmPicture> {
  public:
    Label lblPicture{this, "lblPicture"};
    CommonDialog CommonDialog1{this, "CommonDialog1"};
    Menu PicMenu{this, "PicMenu", "Picture"};
    Menu PicFontColour{&PicMenu, "PicFontColour", "Font colour..."};
    Menu PicSep{&PicMenu, "PicSep", "-"};
    Menu PicClear{&PicMenu, "PicClear", "Clear"};
    Menu mnuFile{this, "mnuFile", "&File"};
    Menu mnuFileExit{&mnuFile, "mnuFileExit", "E&xit"};
    QStringList clicks;

    frmPicture() {
        PicMenu.setVisible(false);
        lblPicture.MouseUp = [this](int Button, int, float, float) {
            if (Button == vbRightButton) {
                PopupMenu(PicMenu);
            }
        };
        PicFontColour.Click = [this] {
            clicks << QStringLiteral("colour");
            CommonDialog1.Color = lblPicture.ForeColor();
            CommonDialog1.ShowColor();
            lblPicture.setForeColor(CommonDialog1.Color);
        };
        PicClear.Click = [this] { clicks << QStringLiteral("clear"); };
        mnuFileExit.Click = [this] { clicks << QStringLiteral("exit"); };
    }
};

class ScriptedHostTest : public ::testing::Test {
  protected:
    ScriptedHost host;
};

TEST(ScriptedHostScript, FailsOnACallItWasNotToldToExpectAndAnswersCautiously) {
    int answer = 0;
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedHost host;
            answer = MsgBox(QStringLiteral("Delete the food?"), vbYesNo | vbQuestion);
        },
        "Unexpected call: MsgBox \"Delete the food?\" buttons=36");
    EXPECT_EQ(answer, vbNo);

    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedHost host;
            host.expectMsgBox(QStringLiteral("Saved"));
            answer = MsgBox(QStringLiteral("Save the changes?"), vbYesNoCancel);
            // The expectation is still there for the call that was meant.
            MsgBox(QStringLiteral("Saved"));
        },
        "expected: MsgBox \"Saved\"");
    EXPECT_EQ(answer, vbCancel);
}

TEST(ScriptedHostScript, ComparesButtonsAndTitleWhenGiven) {
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedHost host;
            host.expectMsgBox(QStringLiteral("Kelvora is already running"),
                              vbOKOnly | vbInformation, QStringLiteral("Kelvora"))
                .answer(vbOK);
            MsgBox(QStringLiteral("Kelvora is already running"), vbOKOnly | vbExclamation);
            MsgBox(QStringLiteral("Kelvora is already running"), vbOKOnly | vbInformation);
        },
        "Unexpected call");
    ScriptedHost host;
    host.expectMsgBox(QStringLiteral("Done")).answer(vbOK);
    EXPECT_EQ(MsgBox(QStringLiteral("Done"), vbInformation, QStringLiteral("Other")), vbOK);
}

TEST(ScriptedHostScript, FailsForExpectationsLeftUnmet) {
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedHost host;
            host.expectSaveDialog().answer(QStringLiteral("/tmp/x.html"));
        },
        "Expected call never came: SaveFileDialog");
}

TEST(ScriptedHostScript, InstallsItselfAndRestoresThePreviousHost) {
    Host* before = installedHost();
    {
        ScriptedHost outer;
        EXPECT_EQ(&host(), &outer);
        {
            ScriptedHost inner;
            EXPECT_EQ(&host(), &inner);
        }
        EXPECT_EQ(&host(), &outer);
    }
    EXPECT_EQ(installedHost(), before);
}

TEST_F(ScriptedHostTest, EndUnwindsToTheTest) {
    host.expectEnd();
    bool unwound = false;
    try {
        rt::App::End();
    } catch (const ProgramEnded&) {
        unwound = true;
    }
    EXPECT_TRUE(unwound);
    EXPECT_EQ(host.calls(), QStringList{"End"});
}

TEST_F(ScriptedHostTest, EndIsNotCaughtByTheProgramsErrorHandlers) {
    host.expectEnd();
    auto procedure = [] {
        try {
            rt::App::End();
        } catch (const std::exception&) {
            ADD_FAILURE() << "an error handler caught the end of the program";
        }
    };
    EXPECT_THROW(procedure(), ProgramEnded);
}

TEST_F(ScriptedHostTest, RecordsEveryCall) {
    host.expectMsgBox(QStringLiteral("One"));
    host.expectOpenWithDesktop(QStringLiteral("/tmp/list.html")).answer(false);
    MsgBox(QStringLiteral("One"));
    EXPECT_FALSE(host.OpenWithDesktop(QStringLiteral("/tmp/list.html")));
    EXPECT_EQ(host.calls(), (QStringList{"MsgBox \"One\" buttons=0 title=\"Kelvora\"",
                                         "OpenWithDesktop \"/tmp/list.html\""}));
}

TEST_F(ScriptedHostTest, PopupMenuChoiceRunsTheItemsClick) {
    frmPicture& form = frmPicture::instance();
    form.Show();
    host.expectPopupMenu(QStringLiteral("PicMenu")).choose(QStringLiteral("PicFontColour"));
    auto colour = host.expectColorDialog();
    colour.answer(0x0000FF);
    form.lblPicture.setForeColor(0x00FF00);
    EXPECT_TRUE(form.lblPicture.rightClick());
    EXPECT_EQ(form.clicks, QStringList{"colour"});
    EXPECT_EQ(colour.initial(), 0x00FF00);
    EXPECT_EQ(form.lblPicture.ForeColor(), 0x0000FF);
    // An item of a popup is out of reach while the popup is not showing.
    EXPECT_FALSE(form.PicClear.click());
}

TEST_F(ScriptedHostTest, ChoosingAHiddenPopupItemFails) {
    frmPicture& form = frmPicture::instance();
    form.Show();
    form.PicClear.setVisible(false);
    EXPECT_NONFATAL_FAILURE(
        {
            host.expectPopupMenu(QStringLiteral("PicMenu")).choose(QStringLiteral("PicClear"));
            form.PopupMenu(form.PicMenu);
        },
        "cannot be chosen");
    EXPECT_TRUE(form.clicks.isEmpty());
}

TEST_F(ScriptedHostTest, MenuBarItemsAreClickedByAPerson) {
    frmPicture& form = frmPicture::instance();
    EXPECT_FALSE(form.mnuFileExit.click());  // the window is not shown yet
    form.Show();
    EXPECT_TRUE(form.mnuFileExit.click());
    form.mnuFile.setVisible(false);
    EXPECT_FALSE(form.mnuFileExit.click());
    EXPECT_FALSE(form.PicSep.click());
    EXPECT_EQ(form.clicks, QStringList{"exit"});
}

TEST_F(ScriptedHostTest, MenuBarShowsOnlyWhenAVisibleMenuIsThere) {
    frmPicture& form = frmPicture::instance();
    form.Show();
    ASSERT_NE(form.menuBar(), nullptr);
    EXPECT_FALSE(form.menuBar()->isHidden());
    form.mnuFile.setVisible(false);
    EXPECT_TRUE(form.menuBar()->isHidden());  // only the popup menu is left
}

TEST_F(ScriptedHostTest, ModalExpectedByNameMustMatchTheWindow) {
    EXPECT_NONFATAL_FAILURE(
        {
            host.expectModal(QStringLiteral("frmUnit"), [](Form&) {});
            frmPicture::instance().Show(vbModal);
        },
        "Unexpected call: RunModal frmPicture");
    EXPECT_NONFATAL_FAILURE(host.verify(), "Expected call never came: RunModal frmUnit");
    // The window nobody expected was closed so that the caller could go on.
    EXPECT_FALSE(frmPicture::isLoaded());
}

TEST_F(ScriptedHostTest, SaveDialogRequestIsRecordedAndTheChoiceKept) {
    frmPicture& form = frmPicture::instance();
    CommonDialog& dialog = form.CommonDialog1;
    dialog.Filter = QStringLiteral("HTML File (*.html)|*.html|Text (*.txt)|*.txt");
    dialog.FilterIndex = 2;
    dialog.DefaultExt = QStringLiteral(".html");
    dialog.FileName = QStringLiteral("foods");
    auto save = host.expectSaveDialog();
    save.answer(QStringLiteral("/tmp/out/foods"));
    dialog.ShowSave();
    EXPECT_TRUE(save.called());
    EXPECT_EQ(save.request().Filter, dialog.Filter);
    EXPECT_EQ(save.request().FilterIndex, 2);
    EXPECT_EQ(save.request().FileName, "foods");
    EXPECT_EQ(dialog.FileName, "/tmp/out/foods.html");
}

TEST_F(ScriptedHostTest, CancelledDialogEmptiesTheNameOrRaisesWhenAsked) {
    CommonDialog dialog(nullptr, QStringLiteral("cdl"));
    dialog.FileName = QStringLiteral("/tmp/previous.html");
    host.expectOpenDialog().cancel();
    dialog.ShowOpen();
    EXPECT_EQ(dialog.FileName, "");

    dialog.CancelError = true;
    host.expectSaveDialog();
    try {
        dialog.ShowSave();
        FAIL() << "a cancelled dialog did not raise";
    } catch (const rt::Error& e) {
        EXPECT_EQ(e.Number(), rt::err::CancelSelected);
        EXPECT_EQ(e.Description(), "Cancel was selected.");
    }

    dialog.Color = 0x123456;
    host.expectColorDialog().cancel();
    EXPECT_THROW(dialog.ShowColor(), rt::Error);
    EXPECT_EQ(dialog.Color, 0x123456);
}

// ---- helpers shared by the hosts -------------------------------------------------------------

TEST(FileFilters, PairsOfDescriptionAndPattern) {
    const auto filters = parseFilter(QStringLiteral("HTML File (*.html)|*.html|All|*.*"));
    ASSERT_EQ(filters.size(), 2);
    EXPECT_EQ(filters[0].first, "HTML File (*.html)");
    EXPECT_EQ(filters[0].second, "*.html");
    EXPECT_EQ(filters[1].second, "*.*");
    EXPECT_TRUE(parseFilter(QString()).isEmpty());

    FileDialogRequest request;
    request.Filter = QStringLiteral("A|*.a|B|*.b");
    request.FilterIndex = 2;
    EXPECT_EQ(selectedFilter(request), 1);
    request.FilterIndex = 3;  // past the list: the first
    EXPECT_EQ(selectedFilter(request), 0);
    request.FilterIndex = 0;
    EXPECT_EQ(selectedFilter(request), 0);

    request.Filter = QStringLiteral("HTML File (*.html)|*.html|Web pages|*.htm;*.html");
    EXPECT_EQ(QtHost::qtFilters(request),
              (QStringList{"HTML File (*.html)", "Web pages (*.htm *.html)"}));
}

TEST(FileFilters, DefaultExtensionOnlyWhenTheNameHasNone) {
    EXPECT_EQ(withDefaultExt(QStringLiteral("/tmp/a"), QStringLiteral(".html")), "/tmp/a.html");
    EXPECT_EQ(withDefaultExt(QStringLiteral("/tmp/a"), QStringLiteral("html")), "/tmp/a.html");
    EXPECT_EQ(withDefaultExt(QStringLiteral("/tmp/a.txt"), QStringLiteral(".html")), "/tmp/a.txt");
    // A dot in a folder's name is not the file's extension.
    EXPECT_EQ(withDefaultExt(QStringLiteral("/tmp/v1.2/a"), QStringLiteral(".html")),
              "/tmp/v1.2/a.html");
    EXPECT_EQ(withDefaultExt(QString(), QStringLiteral(".html")), "");
    EXPECT_EQ(withDefaultExt(QStringLiteral("/tmp/a"), QString()), "/tmp/a");
}

TEST(Units, TwipsAndPixels) {
    EXPECT_EQ(twipsToPixels(1440), 96);
    EXPECT_EQ(twipsToPixels(7), 0);
    EXPECT_EQ(twipsToPixels(8), 1);
    EXPECT_EQ(twipsToPixels(-1500), -100);
    EXPECT_EQ(pixelsToTwips(96), 1440);
}

TEST(Keys, CodesAndCharacters) {
    EXPECT_EQ(vbKeyCode(Qt::Key_F2), vbKeyF2);
    EXPECT_EQ(vbKeyCode(Qt::Key_Escape), vbKeyEscape);
    EXPECT_EQ(vbKeyCode(Qt::Key_Enter), vbKeyReturn);
    EXPECT_EQ(vbKeyCode(Qt::Key_Q), 81);
    EXPECT_EQ(vbKeyAsciiFor(vbKeyA, 0), 'a');
    EXPECT_EQ(vbKeyAsciiFor(vbKeyA, vbShiftMask), 'A');
    EXPECT_EQ(vbKeyAsciiFor(vbKeyA, vbCtrlMask), 1);
    EXPECT_EQ(vbKeyAsciiFor(vbKeyF2, 0), 0);
    EXPECT_EQ(vbKeyAsciiFor(vbKeyReturn, 0), 13);
    int shift = 0;
    EXPECT_EQ(vbKeyCodeForChar(QLatin1Char('Q'), &shift), 81);
    EXPECT_EQ(shift, vbShiftMask);

    const QKeyEvent typed(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    EXPECT_EQ(vbKeyAscii(typed), 'a');
    const QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, QString(QChar(0x7F)));
    EXPECT_EQ(vbKeyAscii(del), 0);
    EXPECT_EQ(vbShiftState(Qt::ShiftModifier | Qt::ControlModifier), vbShiftMask | vbCtrlMask);
}

TEST(Colours, SystemColoursFollowThePalette) {
    EXPECT_EQ(colorFromValue(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(colorFromValue(vbButtonFace), QApplication::palette().color(QPalette::Button));
    EXPECT_EQ(colorFromValue(vbWindowText), QApplication::palette().color(QPalette::Text));
}

TEST(NoHost, FallbackAnswersWithoutBlocking) {
    ASSERT_EQ(installedHost(), nullptr);
    EXPECT_EQ(MsgBox(QStringLiteral("no host")), vbOK);
    EXPECT_EQ(MsgBox(QStringLiteral("no host"), vbYesNo), vbNo);
    EXPECT_FALSE(host().SaveFileDialog({}).has_value());
    EXPECT_FALSE(host().OpenWithDesktop(QStringLiteral("/nonexistent")));
}

}  // namespace
