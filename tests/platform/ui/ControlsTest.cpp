#include <gtest/gtest.h>

#include <QComboBox>
#include <QEventLoop>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QThread>
#include <QVBoxLayout>

#include "runtime/Error.h"
#include "support/PrintQt.h"
#include "support/ScriptedHost.h"
#include "ui/Controls.h"
#include "ui/ListView.h"

using namespace ui;

namespace {

QStringList events;

class frmAll : public FormOf<frmAll> {
  public:
    TextBox txtName{this, "txtName"};
    TextBox txtNotes{this, "txtNotes"};
    ComboBox cboUnit{this, "cboUnit"};
    ComboBox cboCat{this, "cboCat"};
    ListBox lstFoods{this, "lstFoods"};
    DatePicker dtpFrom{this, "dtpFrom"};
    TabControl SSTab1{this, "SSTab1"};
    TextBox txtOnTab1{this, "txtOnTab1"};
    Timer Timer1{this, "Timer1"};
    RichTextBox rtfMenu{this, "rtfMenu"};
    ProgressBar prgLoad{this, "prgLoad"};
    ControlArray<Label> Label1{this, "Label1", 0, 2};
    ControlArray<TextBox> Text1{this, "Text1", {1, 2, 30}};
    Line Line1{this, "Line1"};
    Shape Shape1{this, "Shape1"};

    frmAll() {
        auto* grid = new QGridLayout(this);
        int row = 0;
        for (Control* c : std::initializer_list<Control*>{&txtName, &txtNotes, &cboUnit, &cboCat,
                                                          &lstFoods, &dtpFrom, &SSTab1, &rtfMenu,
                                                          &prgLoad, &Line1, &Shape1}) {
            grid->addWidget(c->widget(), row++, 0);
        }
        Label1.forEach([&](Label& l) { grid->addWidget(l.widget(), row++, 0); });
        Text1.forEach([&](TextBox& t) { grid->addWidget(t.widget(), row++, 0); });
        SSTab1.setTabs(2);
        auto* page = new QVBoxLayout(SSTab1.page(1));
        page->addWidget(txtOnTab1.widget());

        txtName.Change = [] { events << QStringLiteral("name change"); };
        txtNotes.Change = [] { events << QStringLiteral("notes change"); };
        cboUnit.Click = [this] {
            events << QStringLiteral("unit click %1").arg(cboUnit.ListIndex());
        };
        cboCat.setStyle(vbComboDropdownList);
        cboCat.Click = [this] { events << QStringLiteral("cat click ") + cboCat.Text(); };
        lstFoods.Click = [this] {
            events << QStringLiteral("list click %1").arg(lstFoods.ListIndex());
        };
        dtpFrom.Change = [] { events << QStringLiteral("date change"); };
        SSTab1.Click = [this](int PreviousTab) {
            events << QStringLiteral("tab %1 -> %2").arg(PreviousTab).arg(SSTab1.Tab());
        };
        Timer1.OnTimer = [] { events << QStringLiteral("tick"); };
        Label1.forEach([](Label& l) {
            l.Click = [index = l.Index()] { events << QStringLiteral("label %1").arg(index); };
        });
    }
};

// A box declared before the tabs it sits on: the tabs, destroyed first, take its widget along.
class frmEarlyBox : public FormOf<frmEarlyBox> {
  public:
    TextBox txtEarly{this, "txtEarly"};
    TabControl tabs{this, "tabs"};
    frmEarlyBox() {
        tabs.setTabs(1);
        auto* page = new QVBoxLayout(tabs.page(0));
        page->addWidget(txtEarly.widget());
    }
};

class ControlsTest : public ::testing::Test {
  protected:
    void SetUp() override { events.clear(); }
    frmAll& shown() {
        frmAll& form = frmAll::instance();
        form.Show();
        events.clear();
        return form;
    }
    ScriptedHost host;
};

TEST_F(ControlsTest, TextChangeFiresOnEveryRealChange) {
    frmAll& form = shown();
    form.txtName.setText(QStringLiteral("Rice"));
    form.txtName.setText(QStringLiteral("Rice"));
    EXPECT_TRUE(form.txtName.type(QStringLiteral("Wheat")));
    EXPECT_TRUE(form.txtName.type(QStringLiteral("Wheat")));
    EXPECT_EQ(events, (QStringList{"name change", "name change"}));
    EXPECT_EQ(form.txtName.Text(), "Wheat");
}

TEST_F(ControlsTest, LongTextsFromCodeStayWhole) {
    frmAll& form = shown();
    const QString longText(40000, QLatin1Char('a'));
    form.txtName.setText(longText);
    EXPECT_EQ(form.txtName.Text().size(), 40000);
}

TEST_F(ControlsTest, LockedBoxTakesNoTyping) {
    frmAll& form = shown();
    form.txtName.setLocked(true);
    EXPECT_FALSE(form.txtName.type(QStringLiteral("x")));
    EXPECT_EQ(form.txtName.Text(), "");
    form.txtName.setText(QStringLiteral("code"));
    EXPECT_EQ(form.txtName.Text(), "code");
}

TEST_F(ControlsTest, TextBoxClickAndLooks) {
    frmAll& form = shown();
    form.Text1[2].Click = [] { events << QStringLiteral("text click"); };
    EXPECT_TRUE(form.Text1[2].click());
    EXPECT_EQ(form.ActiveControl(), &form.Text1[2]);
    EXPECT_EQ(events, QStringList{"text click"});
    form.Text1[2].setBorderStyle(0);
    EXPECT_FALSE(form.Text1[2].lineEdit()->hasFrame());
}

TEST_F(ControlsTest, MultiLineSwapKeepsTextAndPlace) {
    frmAll& form = shown();
    form.txtNotes.setText(QStringLiteral("first"));
    form.txtNotes.setLocked(true);
    form.txtNotes.setBorderStyle(0);
    form.txtNotes.setBackColor(vbRed);
    QWidget* before = form.txtNotes.widget();
    QWidget* parent = before->parentWidget();
    form.txtNotes.setMultiLine(true);
    auto* edit = qobject_cast<QPlainTextEdit*>(form.txtNotes.widget());
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->parentWidget(), parent);
    // The new widget looks as the old one did.
    EXPECT_TRUE(edit->isReadOnly());
    EXPECT_EQ(edit->frameShape(), QFrame::NoFrame);
    EXPECT_EQ(edit->palette().color(QPalette::Base), QColor(Qt::red));
    form.txtNotes.setLocked(false);
    EXPECT_GE(form.layout()->indexOf(form.txtNotes.widget()), 0);
    EXPECT_EQ(form.txtNotes.Text(), "first");
    form.txtNotes.setText(QStringLiteral("one\r\ntwo"));
    EXPECT_EQ(form.txtNotes.Text(), "one\ntwo");
    // Return makes a new line in a multi-line box.
    form.txtNotes.pressKey(vbKeyEnd);
    form.txtNotes.pressKey(vbKeyReturn);
    EXPECT_EQ(form.txtNotes.Text(), "one\ntwo\n");
}

TEST_F(ControlsTest, ComboListIndexFromCodeFiresClickLikeAPersonsChoice) {
    frmAll& form = shown();
    form.cboUnit.AddItem(QStringLiteral("Cup"));
    form.cboUnit.AddItem(QStringLiteral("Spoon"));
    EXPECT_EQ(form.cboUnit.ListIndex(), -1);  // adding chooses nothing
    EXPECT_EQ(form.cboUnit.Text(), "");
    form.cboUnit.setListIndex(1);
    form.cboUnit.setListIndex(1);
    form.cboUnit.setListIndex(-1);
    EXPECT_EQ(events, (QStringList{"unit click 1", "unit click 1"}));
    EXPECT_EQ(form.cboUnit.Text(), "");
    EXPECT_THROW(form.cboUnit.setListIndex(2), rt::Error);

    events.clear();
    EXPECT_TRUE(form.cboUnit.choose(QStringLiteral("Cup")));
    EXPECT_EQ(events, QStringList{"unit click 0"});
    EXPECT_FALSE(form.cboUnit.choose(QStringLiteral("Bowl")));
}

TEST_F(ControlsTest, ComboEntriesAndTheirData) {
    frmAll& form = shown();
    form.cboCat.AddItem(QStringLiteral("Pulses"));
    form.cboCat.setItemData(form.cboCat.NewIndex(), 20);
    form.cboCat.AddItem(QStringLiteral("Cereals"), 0);
    form.cboCat.setItemData(form.cboCat.NewIndex(), 10);
    EXPECT_EQ(form.cboCat.List(0), "Cereals");
    EXPECT_EQ(form.cboCat.ItemData(1), 20);
    EXPECT_EQ(form.cboCat.findText(QStringLiteral("pulses")), 1);
    form.cboCat.Clear();
    EXPECT_EQ(form.cboCat.ListCount(), 0);
    EXPECT_EQ(form.cboCat.Text(), "");
}

TEST_F(ControlsTest, ListBoxChoicesAndKeys) {
    frmAll& form = shown();
    form.lstFoods.AddItem(QStringLiteral("Rice"));
    form.lstFoods.AddItem(QStringLiteral("Wheat"));
    form.lstFoods.AddItem(QStringLiteral("Maize"));
    EXPECT_EQ(form.lstFoods.ListIndex(), -1);
    form.lstFoods.setListIndex(2);
    EXPECT_TRUE(form.lstFoods.pressKey(vbKeyUp));
    EXPECT_TRUE(form.lstFoods.pressKey(vbKeyHome));
    EXPECT_TRUE(form.lstFoods.pressKey(vbKeyHome));  // there already: no Click
    EXPECT_EQ(form.lstFoods.ListIndex(), 0);
    EXPECT_EQ(events, (QStringList{"list click 2", "list click 1", "list click 0"}));
}

TEST_F(ControlsTest, ComboKeysChooseEntries) {
    frmAll& form = shown();
    for (const char* name : {"Cereals", "Pulses", "Pickles"}) {
        form.cboCat.AddItem(QString::fromLatin1(name));
    }
    EXPECT_TRUE(form.cboCat.pressKey(vbKeyDown));
    EXPECT_TRUE(form.cboCat.pressKey(vbKeyP, vbShiftMask));
    EXPECT_TRUE(form.cboCat.pressKey(vbKeyP));
    EXPECT_TRUE(form.cboCat.pressKey(vbKeyDown));  // at the end: no change, no Click
    EXPECT_EQ(events, (QStringList{"cat click Cereals", "cat click Pulses", "cat click Pickles"}));
}

TEST_F(ControlsTest, DatePickerChangeOnlyOnAPersonsEdit) {
    frmAll& form = shown();
    form.dtpFrom.setFormat(dtpCustom);
    form.dtpFrom.setCustomFormat(QStringLiteral("dd-MM-yyyy"));
    form.dtpFrom.setValue(QDate(2024, 1, 15));
    EXPECT_TRUE(events.isEmpty());
    EXPECT_EQ(form.dtpFrom.displayText(), "15-01-2024");

    EXPECT_TRUE(form.dtpFrom.setDate(QDate(2024, 2, 1)));
    EXPECT_TRUE(form.dtpFrom.setDate(QDate(2024, 2, 3)));
    EXPECT_TRUE(form.dtpFrom.setDate(QDate(2024, 2, 3)));  // the same date: no change
    host.expectMsgBox(QStringLiteral("31-02-2024 is no date. Type the date as dd-mm-yyyy."),
                      vbOKOnly | vbExclamation);
    EXPECT_TRUE(form.dtpFrom.type(QStringLiteral("31-02-2024")));
    EXPECT_EQ(events, (QStringList{"date change", "date change"}));
    EXPECT_EQ(form.dtpFrom.Value(), QDate(2024, 2, 3));
    EXPECT_THROW(form.dtpFrom.setValue(QDate()), rt::Error);
}

TEST_F(ControlsTest, ADayThatDoesNotExistWaitsTillTheFieldIsLeftAndIsNeverAnotherDay) {
    frmAll& form = shown();
    form.dtpFrom.setFormat(dtpCustom);
    form.dtpFrom.setValue(QDate(2026, 12, 9));
    form.dtpFrom.typeKeys(QStringLiteral("3102"));
    EXPECT_EQ(form.dtpFrom.displayText(), QStringLiteral("31-02-2026"));
    host.expectMsgBox(QStringLiteral("31-02-2026 is no date. Type the date as dd-mm-yyyy."),
                      vbOKOnly | vbExclamation);
    form.txtName.focus();
    EXPECT_EQ(form.dtpFrom.Value(), QDate(2026, 12, 9));
    EXPECT_EQ(form.dtpFrom.displayText(), QStringLiteral("09-12-2026"));

    // On the way to a leap day the text names none for a moment.
    form.dtpFrom.pressKey(vbKeyHome);
    form.dtpFrom.typeKeys(QStringLiteral("29022028"));
    EXPECT_EQ(form.dtpFrom.Value(), QDate(2028, 2, 29));
    EXPECT_EQ(form.dtpFrom.displayText(), QStringLiteral("29-02-2028"));
}

TEST_F(ControlsTest, TabClickCarriesThePreviousTab) {
    frmAll& form = shown();
    EXPECT_FALSE(form.txtOnTab1.type(QStringLiteral("hidden")));
    form.SSTab1.setTab(1);
    EXPECT_TRUE(form.txtOnTab1.type(QStringLiteral("shown")));
    EXPECT_TRUE(form.SSTab1.chooseTab(0));
    EXPECT_FALSE(form.SSTab1.chooseTab(2));
    EXPECT_EQ(form.SSTab1.Tab(), 0);
    EXPECT_EQ(events, (QStringList{"tab 0 -> 1", "tab 1 -> 0"}));
    EXPECT_THROW(form.SSTab1.setTab(2), rt::Error);
}

TEST_F(ControlsTest, TimerTicksOnlyByHandUnderTheTestHost) {
    frmAll& form = shown();
    EXPECT_FALSE(form.Timer1.tick());  // no interval yet
    form.Timer1.setInterval(1);
    QThread::msleep(20);
    host.DoEvents();
    EXPECT_TRUE(events.isEmpty());
    EXPECT_TRUE(form.Timer1.tick());
    form.Timer1.setEnabled(false);
    EXPECT_FALSE(form.Timer1.tick());
    EXPECT_EQ(events, QStringList{"tick"});
    // An unloaded window's timer is stopped even before the window is deleted.
    form.Timer1.setEnabled(true);
    Unload(form);
    EXPECT_FALSE(form.Timer1.tick());
}

TEST_F(ControlsTest, ControlArraysUseTheWindowsIndexes) {
    frmAll& form = shown();
    QList<int> indexes;
    for (TextBox& box : form.Text1) {
        indexes << box.Index();
    }
    EXPECT_EQ(indexes, (QList<int>{1, 2, 30}));
    EXPECT_EQ(form.Text1[30].Index(), 30);
    EXPECT_EQ(form.Text1[30].Name(), "Text1");
    try {
        form.Text1[3];
        FAIL() << "a missing element was found";
    } catch (const rt::Error& e) {
        EXPECT_EQ(e.Number(), 340);
    }
    EXPECT_TRUE(form.Label1[2].click());
    EXPECT_EQ(events, QStringList{"label 2"});
}

TEST_F(ControlsTest, LabelClickComesAfterTheMouseEvents) {
    frmAll& form = shown();
    Label& label = form.Label1[0];
    label.MouseUp = [](int Button, int, float, float) {
        events << QStringLiteral("up %1").arg(Button);
    };
    EXPECT_TRUE(label.click());
    EXPECT_TRUE(label.rightClick());
    EXPECT_EQ(events, (QStringList{"up 1", "label 0", "up 2"}));
    label.setCaption(QStringLiteral("&Name && age"));
    EXPECT_EQ(label.Caption(), "&Name && age");
    EXPECT_EQ(label.label()->text(), "Name & age");
}

TEST_F(ControlsTest, ProgressBarKeepsToItsRange) {
    frmAll& form = shown();
    form.prgLoad.setMax(10);
    form.prgLoad.setValue(10);
    EXPECT_EQ(form.prgLoad.Value(), 10);
    EXPECT_THROW(form.prgLoad.setValue(11), rt::Error);
}

TEST_F(ControlsTest, ControlWhoseWidgetWentWithItsContainerIsForgotten) {
    frmEarlyBox::instance().Show();
    EXPECT_TRUE(frmEarlyBox::instance().txtEarly.type(QStringLiteral("x")));
    Unload<frmEarlyBox>();
    host.DoEvents();
    // New widgets may take the freed addresses; none of them may map to a control.
    std::vector<std::unique_ptr<QLineEdit>> fresh;
    for (int i = 0; i < 50; ++i) {
        fresh.push_back(std::make_unique<QLineEdit>());
        EXPECT_EQ(detail::controlOf(fresh.back().get()), nullptr);
    }
}

TEST_F(ControlsTest, WindowWithControlsRendersOffscreen) {
    frmAll& form = shown();
    form.txtName.setText(QStringLiteral("Rice"));
    form.cboCat.AddItem(QStringLiteral("Cereals"));
    form.lstFoods.AddItem(QStringLiteral("Wheat"));
    form.Label1[0].setCaption(QStringLiteral("Name"));
    form.Label1[0].setForeColor(vbBlue);
    form.Label1[0].setFontBold(true);
    form.resize(400, 900);
    const QPixmap picture = form.grab();
    EXPECT_FALSE(picture.isNull());
    EXPECT_GT(picture.width(), 0);
}

// What a control reports is what its widget shows, so that a value that never reached the
// screen cannot pass for one that did. The widgets are changed here behind the controls' backs.
TEST_F(ControlsTest, WhatAControlReportsIsWhatItsWidgetShows) {
    frmAll& form = shown();
    auto paint = [](QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
        QPalette palette = widget->palette();
        palette.setColor(role, colour);
        widget->setPalette(palette);
    };

    Label& label = form.Label1[0];
    label.setCaption(QStringLiteral("&Rice && beans"));
    EXPECT_EQ(label.label()->text(), QStringLiteral("Rice & beans"));
    EXPECT_EQ(label.Caption(), QStringLiteral("&Rice && beans"));
    label.setForeColor(vbButtonText);
    EXPECT_EQ(label.ForeColor(), vbButtonText);  // a system colour keeps its own value
    label.setForeColor(vbBlue);
    EXPECT_EQ(label.label()->palette().color(QPalette::WindowText), QColor(Qt::blue));
    EXPECT_EQ(label.ForeColor(), vbBlue);
    label.label()->setText(QStringLiteral("Wheat"));
    paint(label.label(), QPalette::WindowText, QColor(0, 128, 0));
    EXPECT_EQ(label.Caption(), QStringLiteral("Wheat"));
    EXPECT_EQ(label.ForeColor(), 0x008000);

    {
        const QSignalBlocker quiet(form.SSTab1.tabWidget());
        form.SSTab1.tabWidget()->setCurrentIndex(1);
    }
    EXPECT_EQ(form.SSTab1.Tab(), 1);
    paint(form.Shape1.widget(), QPalette::Window, QColor(255, 0, 0));
    EXPECT_EQ(form.Shape1.BackColor(), vbRed);
    form.cboCat.comboBox()->addItem(QStringLiteral("Pulses"), 7);
    EXPECT_EQ(form.cboCat.List(0), QStringLiteral("Pulses"));
    EXPECT_EQ(form.cboCat.ItemData(0), 7);
}

}  // namespace
