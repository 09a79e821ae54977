#include <gtest/gtest.h>

#include <QVBoxLayout>

#include "runtime/Error.h"
#include "support/PrintQt.h"
#include "support/ScriptedHost.h"
#include "ui/Controls.h"

using namespace ui;

namespace {

QStringList events;

// A small entry window: a name box with validation, a quantity box, OK (default), Cancel, a
// button that starts disabled and a frame that hides its button.
class frmEntry : public FormOf<frmEntry> {
  public:
    TextBox txtName{this, "txtName"};
    TextBox txtQty{this, "txtQty"};
    CommandButton cmdOK{this, "cmdOK"};
    CommandButton cmdCancel{this, "cmdCancel"};
    CommandButton cmdOff{this, "cmdOff"};
    Frame fraHidden{this, "fraHidden"};
    CommandButton cmdInFrame{this, "cmdInFrame"};
    static inline bool refuseEmptyName = false;
    static inline bool warnInLostFocus = false;
    static inline bool focusInLoad = false;
    static inline bool swallowF2 = false;

    frmEntry() {
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(txtName.widget());
        layout->addWidget(txtQty.widget());
        layout->addWidget(cmdOK.widget());
        layout->addWidget(cmdCancel.widget());
        layout->addWidget(cmdOff.widget());
        layout->addWidget(fraHidden.widget());
        auto* inner = new QVBoxLayout(fraHidden.container());
        inner->addWidget(cmdInFrame.widget());
        fraHidden.setVisible(false);
        cmdOff.setEnabled(false);
        cmdOK.setDefault(true);

        txtName.LostFocus = [this] {
            events << QStringLiteral("name lost");
            if (warnInLostFocus && txtName.Text().isEmpty()) {
                MsgBox(QStringLiteral("Enter a name"));
            }
        };
        txtName.Validate = [this](bool& Cancel) {
            events << QStringLiteral("name validate");
            Cancel = refuseEmptyName && txtName.Text().isEmpty();
        };
        txtName.KeyDown = [](int& KeyCode, int) {
            events << QStringLiteral("name keydown %1").arg(KeyCode);
        };
        txtQty.LostFocus = [] { events << QStringLiteral("qty lost"); };
        cmdOK.Click = [] { events << QStringLiteral("ok click"); };
        cmdCancel.Click = [] { events << QStringLiteral("cancel click"); };
        cmdOff.Click = [] { events << QStringLiteral("off click"); };
        cmdInFrame.Click = [] { events << QStringLiteral("frame click"); };
    }

  protected:
    void Form_Load() override {
        if (focusInLoad) {
            txtQty.SetFocus();
        }
    }
    void Form_KeyDown(int& KeyCode, int Shift) override {
        events << QStringLiteral("form keydown %1/%2").arg(KeyCode).arg(Shift);
        if (swallowF2 && KeyCode == vbKeyF2) {
            KeyCode = 0;
        }
    }
};

class frmDialog : public FormOf<frmDialog> {};

class FocusKeyTest : public ::testing::Test {
  protected:
    void SetUp() override {
        events.clear();
        frmEntry::refuseEmptyName = false;
        frmEntry::warnInLostFocus = false;
        frmEntry::focusInLoad = false;
        frmEntry::swallowF2 = false;
    }
    frmEntry& shown() {
        frmEntry& form = frmEntry::instance();
        form.Show();
        events.clear();
        return form;
    }
    ScriptedHost host;
};

TEST_F(FocusKeyTest, FirstControlGetsTheFocusWhenTheWindowShows) {
    frmEntry& form = frmEntry::instance();
    EXPECT_EQ(form.ActiveControl(), nullptr);
    form.Show();
    EXPECT_EQ(form.ActiveControl(), &form.txtName);
}

TEST_F(FocusKeyTest, ControlWithoutTabStopIsPassedOver) {
    frmEntry& form = frmEntry::instance();
    form.txtName.setTabStop(false);
    form.Show();
    EXPECT_EQ(form.ActiveControl(), &form.txtQty);
    EXPECT_TRUE(form.pressKey(vbKeyTab));
    EXPECT_EQ(form.ActiveControl(), &form.cmdOK);
}

TEST_F(FocusKeyTest, LostFocusOfTheBoxRunsBeforeTheButtonsClick) {
    frmEntry& form = shown();
    EXPECT_TRUE(form.txtName.type(QStringLiteral("Rice")));
    EXPECT_TRUE(form.cmdOK.click());
    EXPECT_EQ(events, (QStringList{"name validate", "name lost", "ok click"}));
    EXPECT_EQ(form.ActiveControl(), &form.cmdOK);
}

TEST_F(FocusKeyTest, RefusedValidationKeepsTheFocusAndStopsTheClick) {
    frmEntry& form = shown();
    frmEntry::refuseEmptyName = true;
    EXPECT_FALSE(form.cmdOK.click());
    EXPECT_EQ(events, QStringList{"name validate"});
    EXPECT_EQ(form.ActiveControl(), &form.txtName);
}

TEST_F(FocusKeyTest, MessageBoxInLostFocusTakesTheClickAway) {
    frmEntry& form = shown();
    frmEntry::warnInLostFocus = true;
    host.expectMsgBox(QStringLiteral("Enter a name"), vbOKOnly, QStringLiteral("Kelvora"));
    EXPECT_FALSE(form.cmdOK.click());
    EXPECT_FALSE(events.contains("ok click"));
}

TEST_F(FocusKeyTest, SetFocusFromCodeSkipsValidation) {
    frmEntry& form = shown();
    frmEntry::refuseEmptyName = true;
    form.txtQty.SetFocus();
    EXPECT_EQ(events, QStringList{"name lost"});
    EXPECT_EQ(form.ActiveControl(), &form.txtQty);
}

TEST_F(FocusKeyTest, SetFocusIsAnErrorWhereAPersonCouldNotPutIt) {
    frmEntry::focusInLoad = true;
    try {
        frmEntry::instance();
        FAIL() << "SetFocus in Form_Load succeeded";
    } catch (const rt::Error& e) {
        EXPECT_EQ(e.Number(), 5);
    }
    frmEntry::focusInLoad = false;
    frmEntry& form = shown();
    EXPECT_THROW(form.cmdOff.SetFocus(), rt::Error);
    EXPECT_THROW(form.cmdInFrame.SetFocus(), rt::Error);
    EXPECT_EQ(form.ActiveControl(), &form.txtName);
}

TEST_F(FocusKeyTest, PersonCannotUseWhatIsDisabledOrHidden) {
    frmEntry& form = shown();
    EXPECT_FALSE(form.cmdOff.click());
    EXPECT_FALSE(form.cmdInFrame.click());
    form.txtQty.setVisible(false);
    EXPECT_FALSE(form.txtQty.type(QStringLiteral("3")));
    EXPECT_TRUE(events.isEmpty());
    EXPECT_EQ(form.txtQty.Text(), "");

    form.fraHidden.setVisible(true);
    form.cmdOff.setEnabled(true);
    EXPECT_TRUE(form.cmdInFrame.click());
    EXPECT_TRUE(form.cmdOff.click());

    form.Hide();
    EXPECT_FALSE(form.cmdOff.click());
}

TEST_F(FocusKeyTest, KeyPreviewLetsTheFormSeeKeysFirst) {
    frmEntry& form = shown();
    form.setKeyPreview(true);
    EXPECT_TRUE(form.pressKey(vbKeyF2, vbShiftMask));
    EXPECT_EQ(events, (QStringList{"form keydown 113/1", "name keydown 113"}));

    events.clear();
    frmEntry::swallowF2 = true;
    EXPECT_TRUE(form.pressKey(vbKeyF2));
    EXPECT_EQ(events, QStringList{"form keydown 113/0"});

    events.clear();
    form.setKeyPreview(false);
    EXPECT_TRUE(form.pressKey(vbKeyF2));
    EXPECT_EQ(events, QStringList{"name keydown 113"});
}

TEST_F(FocusKeyTest, ReturnClicksTheDefaultButton) {
    frmEntry& form = shown();
    EXPECT_TRUE(form.txtName.pressKey(vbKeyReturn));
    EXPECT_EQ(events, (QStringList{"name keydown 13", "ok click"}));
    // The focus stays where it was.
    EXPECT_EQ(form.ActiveControl(), &form.txtName);

    // Return on another button clicks that button, not the default one.
    events.clear();
    form.cmdCancel.focus();
    events.clear();
    EXPECT_TRUE(form.pressKey(vbKeyReturn));
    EXPECT_EQ(events, QStringList{"cancel click"});
}

TEST_F(FocusKeyTest, TypedKeysEditTheText) {
    frmEntry& form = shown();
    EXPECT_TRUE(form.txtName.typeKeys(QStringLiteral("rice")));
    EXPECT_TRUE(form.txtName.pressKey(vbKeyBack));
    EXPECT_TRUE(form.txtName.pressKey(vbKeyHome));
    EXPECT_TRUE(form.txtName.pressKey(vbKeyDelete));
    EXPECT_EQ(form.txtName.Text(), "ic");
}

TEST_F(FocusKeyTest, TabMovesInTheOrderOfMakingWithValidation) {
    frmEntry& form = shown();
    EXPECT_TRUE(form.pressKey(vbKeyTab));
    EXPECT_EQ(form.ActiveControl(), &form.txtQty);
    EXPECT_TRUE(form.pressKey(vbKeyTab, vbShiftMask));
    EXPECT_EQ(form.ActiveControl(), &form.txtName);

    frmEntry::refuseEmptyName = true;
    form.pressKey(vbKeyTab);
    EXPECT_EQ(form.ActiveControl(), &form.txtName);
}

TEST_F(FocusKeyTest, WindowsBehindAModalOneCannotBeUsed) {
    frmEntry& form = shown();
    host.expectModal<frmDialog>([&form](frmDialog& dialog) {
        EXPECT_FALSE(form.cmdCancel.click());
        EXPECT_FALSE(form.pressKey(vbKeyEscape));
        EXPECT_TRUE(dialog.close());
    });
    frmDialog::instance().Show(vbModal);
    EXPECT_FALSE(events.contains("cancel click"));
    EXPECT_TRUE(form.cmdCancel.click());
}

}  // namespace
