#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QEventLoop>
#include <QFile>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QThread>
#include <QVBoxLayout>
#include <random>

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
    CheckBox chkVeg{this, "chkVeg"};
    OptionButton optMale{this, "optMale"};
    OptionButton optFemale{this, "optFemale"};
    DatePicker dtpFrom{this, "dtpFrom"};
    TabControl SSTab1{this, "SSTab1"};
    TextBox txtOnTab1{this, "txtOnTab1"};
    Timer Timer1{this, "Timer1"};
    RichTextBox rtfMenu{this, "rtfMenu"};
    ProgressBar prgLoad{this, "prgLoad"};
    ControlArray<Label> Label1{this, "Label1", 0, 2};
    ControlArray<TextBox> Text1{this, "Text1", {1, 2, 30}};
    Image imgLogo{this, "imgLogo"};
    Line Line1{this, "Line1"};
    Shape Shape1{this, "Shape1"};
    static inline bool fillOnDropDown = false;

    frmAll() {
        auto* grid = new QGridLayout(this);
        int row = 0;
        for (Control* c : std::initializer_list<Control*>{
                 &txtName, &txtNotes, &cboUnit, &cboCat, &lstFoods, &chkVeg, &optMale, &optFemale,
                 &dtpFrom, &SSTab1, &rtfMenu, &prgLoad, &imgLogo, &Line1, &Shape1}) {
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
        cboUnit.Change = [this] { events << QStringLiteral("unit change ") + cboUnit.Text(); };
        cboUnit.DropDown = [this] {
            events << QStringLiteral("unit dropdown");
            if (fillOnDropDown && cboUnit.ListCount() == 0) {
                cboUnit.AddItem(QStringLiteral("Cup"));
                cboUnit.AddItem(QStringLiteral("Spoon"));
            }
        };
        cboCat.setStyle(vbComboDropdownList);
        cboCat.Click = [this] { events << QStringLiteral("cat click ") + cboCat.Text(); };
        lstFoods.Click = [this] {
            events << QStringLiteral("list click %1").arg(lstFoods.ListIndex());
        };
        lstFoods.DblClick = [] { events << QStringLiteral("list dblclick"); };
        chkVeg.Click = [this] { events << QStringLiteral("veg click %1").arg(chkVeg.Value()); };
        optMale.Click = [] { events << QStringLiteral("male click"); };
        optFemale.Click = [] { events << QStringLiteral("female click"); };
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
    void SetUp() override {
        events.clear();
        frmAll::fillOnDropDown = false;
    }
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

TEST_F(ControlsTest, MaxLengthLimitsTypingButNotCode) {
    frmAll& form = shown();
    form.txtName.setMaxLength(4);
    form.txtName.setText(QStringLiteral("Groundnut"));
    EXPECT_EQ(form.txtName.Text(), "Groundnut");
    EXPECT_TRUE(form.txtName.type(QStringLiteral("Groundnut")));
    EXPECT_EQ(form.txtName.Text(), "Grou");
    form.txtName.pressKey(vbKeyEnd);
    form.txtName.typeKeys(QStringLiteral("x"));
    EXPECT_EQ(form.txtName.Text(), "Grou");

    // Without a limit, long texts from code stay whole too.
    form.txtName.setMaxLength(0);
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
    form.Text1[2].setFontUnderline(true);
    EXPECT_TRUE(form.Text1[2].FontUnderline());
    // Looks survive the change to several lines.
    form.Text1[2].setMultiLine(true);
    EXPECT_EQ(form.Text1[2].plainTextEdit()->frameShape(), QFrame::NoFrame);
}

TEST_F(ControlsTest, SelectionProperties) {
    frmAll& form = shown();
    form.txtName.setText(QStringLiteral("brown rice"));
    form.txtName.setSelStart(0);
    form.txtName.setSelLength(5);
    EXPECT_EQ(form.txtName.SelText(), "brown");
    form.txtName.setSelText(QStringLiteral("red"));
    EXPECT_EQ(form.txtName.Text(), "red rice");
    EXPECT_EQ(form.txtName.SelStart(), 3);
    EXPECT_EQ(form.txtName.SelLength(), 0);
}

TEST_F(ControlsTest, MultiLineSwapKeepsTextAndPlace) {
    frmAll& form = shown();
    form.txtNotes.setText(QStringLiteral("first"));
    QWidget* before = form.txtNotes.widget();
    QWidget* parent = before->parentWidget();
    form.txtNotes.setMultiLine(true);
    ASSERT_NE(form.txtNotes.plainTextEdit(), nullptr);
    EXPECT_EQ(form.txtNotes.widget()->parentWidget(), parent);
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
    EXPECT_EQ(events, (QStringList{"unit dropdown", "unit click 0"}));
    EXPECT_FALSE(form.cboUnit.choose(QStringLiteral("Bowl")));
}

TEST_F(ControlsTest, ComboFilledWhenDroppedDownCanBeChosenFrom) {
    frmAll& form = shown();
    frmAll::fillOnDropDown = true;
    EXPECT_TRUE(form.cboUnit.choose(1));
    EXPECT_EQ(form.cboUnit.Text(), "Spoon");
    EXPECT_EQ(events, (QStringList{"unit dropdown", "unit click 1"}));
}

TEST_F(ControlsTest, TypingIntoAComboFiresChange) {
    frmAll& form = shown();
    form.cboUnit.AddItem(QStringLiteral("Cup"));
    form.cboUnit.setListIndex(0);
    events.clear();
    EXPECT_TRUE(form.cboUnit.type(QStringLiteral("Glass")));
    EXPECT_EQ(events, QStringList{"unit change Glass"});
    EXPECT_EQ(form.cboUnit.ListIndex(), -1);
    EXPECT_FALSE(form.cboCat.type(QStringLiteral("x")));
}

TEST_F(ControlsTest, DropdownListTextChoosesTheEntryIgnoringCase) {
    frmAll& form = shown();
    form.cboCat.AddItem(QStringLiteral("Cereals"));
    form.cboCat.AddItem(QStringLiteral("Pulses"));
    form.cboCat.setText(QStringLiteral("pulses"));
    EXPECT_EQ(form.cboCat.ListIndex(), 1);
    EXPECT_EQ(form.cboCat.Text(), "Pulses");
    EXPECT_EQ(events, QStringList{"cat click Pulses"});
    try {
        form.cboCat.setText(QStringLiteral("Fruit"));
        FAIL() << "a text without an entry was taken";
    } catch (const rt::Error& e) {
        EXPECT_EQ(e.Number(), 383);
    }
    EXPECT_EQ(form.cboCat.ListIndex(), 1);
}

TEST_F(ControlsTest, ComboEntriesDataAndRemoval) {
    frmAll& form = shown();
    form.cboCat.setSorted(true);
    form.cboCat.AddItem(QStringLiteral("pulses"));
    form.cboCat.setItemData(form.cboCat.NewIndex(), 20);
    form.cboCat.AddItem(QStringLiteral("Cereals"));
    form.cboCat.setItemData(form.cboCat.NewIndex(), 10);
    EXPECT_EQ(form.cboCat.List(0), "Cereals");
    EXPECT_EQ(form.cboCat.ItemData(1), 20);
    form.cboCat.setListIndex(1);
    form.cboCat.RemoveItem(1);
    EXPECT_EQ(form.cboCat.ListIndex(), -1);
    EXPECT_EQ(form.cboCat.ListCount(), 1);
    form.cboCat.Clear();
    EXPECT_EQ(form.cboCat.ListCount(), 0);
}

TEST_F(ControlsTest, ListBoxChoicesAndKeys) {
    frmAll& form = shown();
    form.lstFoods.AddItem(QStringLiteral("Rice"));
    form.lstFoods.AddItem(QStringLiteral("Wheat"));
    form.lstFoods.AddItem(QStringLiteral("Maize"));
    EXPECT_EQ(form.lstFoods.ListIndex(), -1);
    form.lstFoods.setListIndex(0);
    EXPECT_TRUE(form.lstFoods.dblClick(2));
    EXPECT_TRUE(form.lstFoods.pressKey(vbKeyUp));
    EXPECT_EQ(form.lstFoods.Text(), "Wheat");
    EXPECT_EQ(events,
              (QStringList{"list click 0", "list click 2", "list dblclick", "list click 1"}));
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

TEST_F(ControlsTest, CheckBoxClickFiresOnEveryChangeOfValue) {
    frmAll& form = shown();
    form.chkVeg.setValue(vbChecked);
    form.chkVeg.setValue(vbChecked);
    EXPECT_TRUE(form.chkVeg.click());
    form.chkVeg.setValue(vbGrayed);
    EXPECT_TRUE(form.chkVeg.click());
    EXPECT_EQ(events, (QStringList{"veg click 1", "veg click 0", "veg click 2", "veg click 1"}));
    EXPECT_THROW(form.chkVeg.setValue(3), rt::Error);
}

TEST_F(ControlsTest, OptionButtonsExcludeEachOther) {
    frmAll& form = shown();
    form.optMale.setValue(true);
    EXPECT_TRUE(form.optFemale.click());
    EXPECT_FALSE(form.optMale.Value());
    EXPECT_TRUE(form.optFemale.Value());
    form.optFemale.setValue(true);  // already chosen: no Click
    EXPECT_EQ(events, (QStringList{"male click", "female click"}));
}

TEST_F(ControlsTest, DatePickerChangeOnlyOnAPersonsEdit) {
    frmAll& form = shown();
    form.dtpFrom.setFormat(dtpCustom);
    form.dtpFrom.setCustomFormat(QStringLiteral("dd-MM-yyyy"));
    form.dtpFrom.setValue(QDate(2024, 1, 15));
    EXPECT_TRUE(events.isEmpty());
    EXPECT_EQ(form.dtpFrom.displayText(), "15-01-2024");

    EXPECT_TRUE(form.dtpFrom.setDate(QDate(2024, 2, 1)));
    EXPECT_TRUE(form.dtpFrom.type(QStringLiteral("03-02-2024")));
    EXPECT_TRUE(form.dtpFrom.setDate(QDate(2024, 2, 3)));  // the same date: no change
    host.expectMsgBox(QStringLiteral("31-02-2024 is no date. Type the date as dd-mm-yyyy."),
                      vbOKOnly | vbExclamation);
    EXPECT_TRUE(form.dtpFrom.type(QStringLiteral("31-02-2024")));
    EXPECT_EQ(events, (QStringList{"date change", "date change"}));
    EXPECT_EQ(form.dtpFrom.Value(), QDate(2024, 2, 3));

    form.dtpFrom.setMaxDate(QDate(2024, 12, 31));
    EXPECT_THROW(form.dtpFrom.setValue(QDate(2025, 1, 1)), rt::Error);
    EXPECT_FALSE(form.dtpFrom.setDate(QDate(2025, 1, 1)));
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
    form.SSTab1.setTabEnabled(1, false);
    EXPECT_FALSE(form.SSTab1.chooseTab(1));
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

TEST_F(ControlsTest, RichTextLoadsHtmlOrPlainText) {
    frmAll& form = shown();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString html = dir.filePath(QStringLiteral("menu.html"));
    QFile file(html);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<html><body><p>Breakfast: <b>idli</b></p></body></html>");
    file.close();
    form.rtfMenu.LoadFile(html);
    EXPECT_EQ(form.rtfMenu.Text(), "Breakfast: idli");

    const QString plain = dir.filePath(QStringLiteral("menu.txt"));
    QFile text(plain);
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("Lunch\r\nDinner <soup>");
    text.close();
    form.rtfMenu.LoadFile(plain);
    EXPECT_EQ(form.rtfMenu.Text(), "Lunch\nDinner <soup>");

    try {
        form.rtfMenu.LoadFile(dir.filePath(QStringLiteral("missing.doc")));
        FAIL() << "a missing file was read";
    } catch (const rt::Error& e) {
        EXPECT_EQ(e.Number(), 75);
    }
}

TEST_F(ControlsTest, ControlArraysUseTheWindowsIndexes) {
    frmAll& form = shown();
    EXPECT_EQ(form.Label1.LBound(), 0);
    EXPECT_EQ(form.Label1.UBound(), 2);
    EXPECT_EQ(form.Text1.Count(), 3);
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

TEST_F(ControlsTest, ControlArrayElementsCanBeAddedAtRunTime) {
    frmAll& form = shown();
    TextBox& added = form.Text1.Load(31);
    EXPECT_EQ(added.Index(), 31);
    EXPECT_EQ(form.Text1.UBound(), 31);
    EXPECT_THROW(form.Text1.Load(31), rt::Error);
    int count = 0;
    for (TextBox& box : form.Text1) {
        EXPECT_GE(box.Index(), 1);
        ++count;
    }
    EXPECT_EQ(count, 4);
    form.Text1.Unload(31);
    EXPECT_FALSE(form.Text1.exists(31));
}

TEST_F(ControlsTest, LabelClickComesAfterTheMouseEvents) {
    frmAll& form = shown();
    Label& label = form.Label1[0];
    label.MouseDown = [](int Button, int, float, float) {
        events << QStringLiteral("down %1").arg(Button);
    };
    label.MouseUp = [](int Button, int, float, float) {
        events << QStringLiteral("up %1").arg(Button);
    };
    EXPECT_TRUE(label.click());
    EXPECT_TRUE(label.rightClick());
    EXPECT_EQ(events, (QStringList{"down 1", "up 1", "label 0", "down 2", "up 2"}));
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

// A sorted combo or list box puts each new entry after the entries that equal it without
// regard to case, whatever code added, removed or renamed before.
template <class Box>
void checkSortedPlaces(Box& box, unsigned seed) {
    std::mt19937 random(seed);
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    const QStringList texts = {"",   "a", "A",      "b",      "B",  "ab",
                               "aB", "c", "\u00e4", "\u00c4", "10", "9"};
    box.Clear();
    box.setSorted(true);
    QStringList shown;
    for (int step = 0; step < 1500; ++step) {
        const int action = pick(10);
        const QString text = texts[pick(static_cast<int>(texts.size()))];
        if (action < 6 || shown.size() < 3) {
            // A binary search, as always: in a list that code put out of order, the place is
            // where the search ends.
            qsizetype place = 0;
            qsizetype end = shown.size();
            while (place < end) {
                const qsizetype middle = place + (end - place) / 2;
                if (QString::compare(shown[middle], text, Qt::CaseInsensitive) <= 0) {
                    place = middle + 1;
                } else {
                    end = middle;
                }
            }
            box.AddItem(text);
            ASSERT_EQ(box.NewIndex(), place) << "step " << step;
            shown.insert(place, text);
        } else if (action == 6) {
            const int index = pick(static_cast<int>(shown.size()) + 1);
            box.AddItem(text, index);
            shown.insert(index, text);
        } else if (action == 7) {
            const int index = pick(static_cast<int>(shown.size()));
            box.RemoveItem(index);
            shown.removeAt(index);
        } else if (action == 8) {
            const int index = pick(static_cast<int>(shown.size()));
            box.setList(index, text);
            shown[index] = text;
        } else if (shown.size() > 60) {
            box.Clear();
            shown.clear();
        }
        ASSERT_EQ(box.ListCount(), shown.size());
    }
    for (int i = 0; i < shown.size(); ++i) {
        EXPECT_EQ(box.List(i), shown[i]);
    }
}

TEST_F(ControlsTest, SortedComboAndListBoxesPlaceNewEntriesAfterTheirEquals) {
    frmAll& form = shown();
    checkSortedPlaces(form.cboCat, 7);
    checkSortedPlaces(form.lstFoods, 11);
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
    label.setForeColor(vbBlue);
    label.setBackColor(vbButtonFace);
    label.setBackStyle(1);
    EXPECT_EQ(label.label()->palette().color(QPalette::WindowText), QColor(Qt::blue));
    EXPECT_EQ(label.ForeColor(), vbBlue);
    EXPECT_EQ(label.BackColor(), vbButtonFace);  // a system colour keeps its own value
    label.label()->setText(QStringLiteral("Wheat"));
    paint(label.label(), QPalette::WindowText, QColor(0, 128, 0));
    paint(label.label(), QPalette::Window, QColor(1, 2, 3));
    label.label()->setAutoFillBackground(false);
    label.label()->setAlignment(Qt::AlignRight);
    EXPECT_EQ(label.Caption(), QStringLiteral("Wheat"));
    EXPECT_EQ(label.ForeColor(), 0x008000);
    EXPECT_EQ(label.BackColor(), 0x030201);
    EXPECT_EQ(label.BackStyle(), 0);
    EXPECT_EQ(label.Alignment(), vbRightJustify);

    TextBox& box = form.txtName;
    box.setForeColor(vbRed);
    paint(box.widget(), QPalette::Base, QColor(0, 0, 255));
    box.lineEdit()->setReadOnly(true);
    box.lineEdit()->setFrame(false);
    box.lineEdit()->setAlignment(Qt::AlignHCenter);
    EXPECT_EQ(box.ForeColor(), vbRed);
    EXPECT_EQ(box.BackColor(), 0xFF0000);
    EXPECT_TRUE(box.Locked());
    EXPECT_EQ(box.BorderStyle(), 0);
    EXPECT_EQ(box.Alignment(), vbCenter);
    // A box that becomes multi-line shows all of it again.
    box.setMultiLine(true);
    EXPECT_TRUE(box.MultiLine());
    EXPECT_TRUE(box.plainTextEdit()->isReadOnly());
    EXPECT_EQ(box.BackColor(), 0xFF0000);
    EXPECT_EQ(box.Alignment(), vbCenter);

    form.chkVeg.checkBox()->setCheckState(Qt::PartiallyChecked);
    EXPECT_EQ(form.chkVeg.Value(), vbGrayed);
    {
        const QSignalBlocker quiet(form.SSTab1.tabWidget());
        form.SSTab1.tabWidget()->setCurrentIndex(1);
    }
    EXPECT_EQ(form.SSTab1.Tab(), 1);
    paint(form.Shape1.widget(), QPalette::Window, QColor(255, 0, 0));
    EXPECT_EQ(form.Shape1.BackColor(), vbRed);
    static_cast<QFrame*>(form.Shape1.widget())->setFrameShape(QFrame::NoFrame);
    EXPECT_EQ(form.Shape1.BorderStyle(), 0);
    static_cast<QLabel*>(form.imgLogo.widget())->setScaledContents(true);
    EXPECT_TRUE(form.imgLogo.Stretch());
    form.cboCat.comboBox()->addItem(QStringLiteral("Pulses"), 7);
    EXPECT_EQ(form.cboCat.List(0), QStringLiteral("Pulses"));
    EXPECT_EQ(form.cboCat.ItemData(0), 7);
}

}  // namespace
