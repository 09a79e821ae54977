#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QDir>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "runtime/App.h"
#include "support/NoEarlyExit.h"
#include "support/PrintQt.h"
#include "support/ScriptedHost.h"
#include "ui/Controls.h"
#include "ui/ListView.h"
#include "ui/QtHost.h"

using namespace ui;

// Real input from Qt (focus changes, key presses, clicks on the widgets) must run the same
// events, in the same order, as the person-side calls. These tests let Qt's input through.
namespace {

QStringList events;

class RealInputHost : public ScriptedHost {
  public:
    bool realInput() const override { return true; }
};

class frmReal : public FormOf<frmReal> {
  public:
    TextBox txtName{this, "txtName"};
    CommandButton cmdOK{this, "cmdOK"};
    ListView LstView{this, "LstView"};
    DatePicker DTP{this, "DTP"};
    Timer Timer1{this, "Timer1"};
    static inline bool refuse = false;

    frmReal() {
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(txtName.widget());
        layout->addWidget(cmdOK.widget());
        layout->addWidget(LstView.widget());
        layout->addWidget(DTP.widget());
        cmdOK.setDefault(true);
        LstView.ColumnHeaders.Add(-1, QString(), QStringLiteral("Food"));
        for (const char* name : {"Rice", "Wheat", "Maize"}) {
            LstView.ListItems.Add(QString::fromLatin1(name));
        }
        txtName.Validate = [](bool& Cancel) {
            events << QStringLiteral("validate");
            Cancel = refuse;
        };
        txtName.LostFocus = [] { events << QStringLiteral("name lost"); };
        txtName.Change = [this] { events << QStringLiteral("change ") + txtName.Text(); };
        cmdOK.Click = [] { events << QStringLiteral("ok click"); };
        LstView.ItemClick = [](ListItem& item) { events << QStringLiteral("item ") + item.Text(); };
        LstView.Click = [] { events << QStringLiteral("list click"); };
        // A date the person changed is shown with slashes: the typing goes on in the new form.
        DTP.setFormat(dtpCustom);
        DTP.setValue(QDate(2026, 12, 9));
        DTP.Change = [this] { DTP.setCustomFormat(QStringLiteral("dd/MM/yyyy")); };
        Timer1.OnTimer = [] { events << QStringLiteral("tick"); };
    }
};

void sendKey(QWidget* target, Qt::Key key, const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &release);
}

class QtInputTest : public ::testing::Test {
  protected:
    void SetUp() override {
        events.clear();
        frmReal::refuse = false;
        form = &frmReal::instance();
        form->Show();
        form->activateWindow();
        QApplication::processEvents();
        events.clear();
    }
    // Qt's focus follows the window's activation, which the offscreen platform may do late.
    bool qtFocusOn(QWidget* widget) {
        widget->setFocus(Qt::MouseFocusReason);
        QApplication::processEvents();
        return QApplication::focusWidget() == widget;
    }
    RealInputHost host;
    frmReal* form = nullptr;
};

TEST_F(QtInputTest, RealFocusChangeRunsValidateAndLostFocus) {
    if (!qtFocusOn(form->txtName.widget())) {
        GTEST_SKIP() << "the platform gives no keyboard focus";
    }
    events.clear();
    ASSERT_TRUE(qtFocusOn(form->cmdOK.widget()));
    EXPECT_EQ(form->ActiveControl(), &form->cmdOK);
    EXPECT_EQ(events, (QStringList{"validate", "name lost"}));
}

TEST_F(QtInputTest, RefusedValidationStopsTheRealClick) {
    if (!qtFocusOn(form->txtName.widget())) {
        GTEST_SKIP() << "the platform gives no keyboard focus";
    }
    frmReal::refuse = true;
    events.clear();
    qtFocusOn(form->cmdOK.widget());
    form->cmdOK.button()->click();
    EXPECT_EQ(form->ActiveControl(), &form->txtName);
    EXPECT_EQ(events, QStringList{"validate"});
    frmReal::refuse = false;
    form->cmdOK.button()->click();
    EXPECT_EQ(events, (QStringList{"validate", "validate", "name lost", "ok click"}));
}

TEST_F(QtInputTest, ARefusalDoesNotEatALaterClick) {
    if (!qtFocusOn(form->txtName.widget())) {
        GTEST_SKIP() << "the platform gives no keyboard focus";
    }
    frmReal::refuse = true;
    qtFocusOn(form->cmdOK.widget());  // refused, and no click follows (the focus came by Tab)
    frmReal::refuse = false;
    // The person clicks somewhere else on the window first, then the button is pressed.
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(1, 1), QPointF(1, 1), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(1, 1), QPointF(1, 1), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(form, &release);
    events.clear();
    form->cmdOK.button()->click();
    EXPECT_EQ(events, (QStringList{"validate", "name lost", "ok click"}));
}

// Qt moves the focus on the press, before the layer sees the press: the refusal is the click's
// own, so the release must neither ask again nor click.
TEST_F(QtInputTest, ARealClickOnAnotherControlIsRefusedOnce) {
    if (!qtFocusOn(form->txtName.widget())) {
        GTEST_SKIP() << "the platform gives no keyboard focus";
    }
    frmReal::refuse = true;
    events.clear();
    QTest::mouseClick(form->cmdOK.button(), Qt::LeftButton);
    EXPECT_EQ(events, QStringList{"validate"});
    EXPECT_EQ(form->ActiveControl(), &form->txtName);
}

TEST_F(QtInputTest, RealKeysTypeAndReturnClicksTheDefaultButton) {
    if (!qtFocusOn(form->txtName.widget())) {
        GTEST_SKIP() << "the platform gives no keyboard focus";
    }
    sendKey(form->txtName.widget(), Qt::Key_A, QStringLiteral("a"));
    EXPECT_EQ(form->txtName.Text(), "a");
    sendKey(form->txtName.widget(), Qt::Key_Return, QStringLiteral("\r"));
    EXPECT_EQ(events, (QStringList{"change a", "ok click"}));
}

TEST_F(QtInputTest, RealArrowKeysInAListFireItemClick) {
    if (!qtFocusOn(form->LstView.widget())) {
        GTEST_SKIP() << "the platform gives no keyboard focus";
    }
    events.clear();
    sendKey(form->LstView.treeWidget(), Qt::Key_Down);
    EXPECT_EQ(form->LstView.SelectedItem()->Text(), "Wheat");
    EXPECT_EQ(events, QStringList{"item Wheat"});
}

void sendMouse(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButtons held) {
    QMouseEvent event(type, at, target->mapToGlobal(at),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held,
                      Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

QPoint rowCentre(ListView& list, int index) {
    QTreeWidget* tree = list.treeWidget();
    return tree->visualItemRect(tree->topLevelItem(index - 1)).center();
}

TEST_F(QtInputTest, EveryRowAPersonSelectsInAListFiresItemClickOnce) {
    QTreeWidget* tree = form->LstView.treeWidget();
    if (!qtFocusOn(tree)) {
        GTEST_SKIP() << "the platform gives no keyboard focus";
    }
    events.clear();
    sendKey(tree, Qt::Key_M, QStringLiteral("m"));
    // Pressed on Rice, dragged to Wheat and let go there: no click, Wheat is selected.
    sendMouse(tree->viewport(), QEvent::MouseButtonPress, rowCentre(form->LstView, 1),
              Qt::LeftButton);
    sendMouse(tree->viewport(), QEvent::MouseMove, rowCentre(form->LstView, 2), Qt::LeftButton);
    sendMouse(tree->viewport(), QEvent::MouseButtonRelease, rowCentre(form->LstView, 2),
              Qt::NoButton);
    EXPECT_EQ(form->LstView.SelectedItem()->Text(), "Wheat");
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, rowCentre(form->LstView, 3));
    QTest::mouseClick(tree->viewport(), Qt::RightButton, {}, rowCentre(form->LstView, 1));
    EXPECT_EQ(events,
              (QStringList{"item Maize", "item Wheat", "item Maize", "list click", "item Rice"}));
}

TEST_F(QtInputTest, ARefusedRealClickOnAListLeavesItsSelection) {
    if (!qtFocusOn(form->txtName.widget())) {
        GTEST_SKIP() << "the platform gives no keyboard focus";
    }
    frmReal::refuse = true;
    events.clear();
    QTreeWidget* tree = form->LstView.treeWidget();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, rowCentre(form->LstView, 2));
    EXPECT_EQ(events, QStringList{"validate"});
    EXPECT_EQ(form->LstView.SelectedItem()->Text(), "Rice");
}

TEST_F(QtInputTest, ADateIsTypedDigitByDigitWhereTheClickPutTheCursor) {
    QWidget* date = form->DTP.widget();
    if (!qtFocusOn(date)) {
        GTEST_SKIP() << "the platform gives no keyboard focus";
    }
    // The cursor inside the day, nothing selected; the shown separator changes on the way.
    QTest::mouseClick(date, Qt::LeftButton, {},
                      QPoint(date->fontMetrics().horizontalAdvance('0') + 4, date->height() / 2));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("15-03-2024"));
    EXPECT_EQ(form->DTP.Value(), QDate(2024, 3, 15));
    EXPECT_EQ(form->DTP.displayText(), QStringLiteral("15/03/2024"));
}

TEST_F(QtInputTest, ADayThatDoesNotExistIsRefusedWhenAClickLeavesTheField) {
    auto* field = form->DTP.widget()->findChild<QLineEdit*>();
    if (!qtFocusOn(form->DTP.widget())) {
        GTEST_SKIP() << "the platform gives no keyboard focus";
    }
    QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(4, field->height() / 2));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("3102"));
    EXPECT_EQ(form->DTP.displayText(), QStringLiteral("31/02/2026"));
    events.clear();
    host.expectMsgBox(QStringLiteral("31/02/2026 is no date. Type the date as dd/mm/yyyy."),
                      vbOKOnly | vbExclamation);
    QTest::mouseClick(form->cmdOK.button(), Qt::LeftButton);
    EXPECT_EQ(form->DTP.Value(), QDate(2026, 12, 9));
    EXPECT_EQ(form->DTP.displayText(), QStringLiteral("09/12/2026"));
    // The message took the click away from the button.
    EXPECT_EQ(events, QStringList{});
}

TEST_F(QtInputTest, RowsAddedByCodeReachTheScreenWhenTheCodeIsDone) {
    for (int i = 1; i <= 40; ++i) {
        form->LstView.ListItems.Add(QStringLiteral("Food %1").arg(i));
    }
    // The widget as Qt paints it, not read through the list (which would hand the rows over).
    auto* tree = static_cast<QTreeWidget*>(form->LstView.widget());
    QApplication::processEvents();
    ASSERT_EQ(tree->topLevelItemCount(), 43);
    QTreeWidgetItem* row = tree->topLevelItem(5);
    tree->scrollToItem(row);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(row).center());
    EXPECT_TRUE(events.contains(QStringLiteral("item Food 3"))) << events.join(u',').toStdString();
}

TEST_F(QtInputTest, TimersTickByThemselvesUnderARealHost) {
    form->Timer1.setInterval(1);
    QEventLoop loop;
    QTimer::singleShot(50, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_TRUE(events.contains("tick"));
}

TEST_F(QtInputTest, AListComboKeepsTheFocusWhenItsEditPartGoes) {
    // A combo is made editable and turned into a list by its style; the edit part it no
    // longer needs is deleted later, when the combo may have the focus already.
    ComboBox cmbList{form, "cmbList"};
    cmbList.setStyle(vbComboDropdownList);
    form->layout()->addWidget(cmbList.widget());
    if (!qtFocusOn(cmbList.widget())) {
        GTEST_SKIP() << "the platform gives no keyboard focus";
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(QApplication::focusWidget(), cmbList.widget());
}

TEST(QtHostTest, ModalRunEndsWhenTheFormUnloads) {
    QtHost qtHost;
    frmReal& form = frmReal::instance();
    QTimer::singleShot(0, &form, [&form] { Unload(form); });
    form.Show(vbModal);
    EXPECT_FALSE(frmReal::isLoaded());
    Forms::discardAll();
}

TEST(QtHostTest, BusyCallsNest) {
    QtHost qtHost;
    qtHost.SetBusy(true);
    qtHost.SetBusy(true);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    qtHost.SetBusy(false);
    EXPECT_NE(QApplication::overrideCursor(), nullptr);
    qtHost.SetBusy(false);
    qtHost.SetBusy(false);  // one too many is ignored
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_FALSE(qtHost.OpenWithDesktop(QStringLiteral("/nonexistent/kelvora.html")));
}

// The dialog holds the file of the last export: it opens in that file's folder with its name
// proposed, wherever the initial folder points.
TEST(QtHostTest, TheSaveDialogProposesTheFileInItsOwnFolder) {
    QtHost qtHost;
    QTemporaryDir programFolder;
    QTemporaryDir exports;
    FileDialogRequest request;
    request.Filter = QStringLiteral("HTML File (*.html)|*.html");
    request.InitDir = programFolder.path();
    request.FileName = exports.path() + QStringLiteral("/members.html");
    QString folder;
    QStringList proposed;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            folder = dialog->directory().absolutePath();
            proposed = dialog->selectedFiles();
            dialog->reject();
        }
    });
    poll.start(10);
    EXPECT_EQ(qtHost.SaveFileDialog(request), std::nullopt);
    EXPECT_EQ(folder, QDir(exports.path()).absolutePath());
    EXPECT_EQ(proposed, QStringList{QDir(exports.path()).absoluteFilePath("members.html")});
}

// A window that opens another modally from its timer; the inner one asks a question and ends
// the program while the question is up: three event loops, one inside the other.
class frmOuter : public FormOf<frmOuter> {
  public:
    Timer Timer1{this, "Timer1"};
    frmOuter();
};

class frmInner : public FormOf<frmInner> {
  public:
    Timer Timer1{this, "Timer1"};
    Timer Timer2{this, "Timer2"};
    frmInner() {
        Timer1.setInterval(5);
        Timer1.OnTimer = [this] {
            Timer1.setEnabled(false);
            events << QStringLiteral("asking");
            MsgBox(QStringLiteral("Go on?"), vbYesNo);
            events << QStringLiteral("answered");
        };
        // A timer does not tick again while its own tick runs: another one ends the program.
        Timer2.setInterval(50);
        Timer2.OnTimer = [] {
            events << QStringLiteral("ending");
            rt::App::End();
        };
    }
};

frmOuter::frmOuter() {
    Timer1.setInterval(5);
    Timer1.OnTimer = [this] {
        Timer1.setEnabled(false);
        events << QStringLiteral("opening");
        frmInner::instance().Show(vbModal);
        events << QStringLiteral("inner closed");
    };
}

TEST(QtHostTest, EndFromNestedModalLoopsUnwindsThroughEachToTheTop) {
    const NoEarlyExit guard;
    QtHost qtHost;
    events.clear();
    bool ended = false;
    try {
        frmOuter::instance().Show(vbModal);
    } catch (const ProgramEnded&) {
        ended = true;
    }
    EXPECT_TRUE(ended);
    EXPECT_TRUE(programEnding());
    // Nothing after End ran: not the code after the question, nor after the inner window.
    EXPECT_EQ(events, (QStringList{"opening", "asking", "ending"}));
    EXPECT_EQ(detail::topModal(), nullptr);
    // Until the top closes the program nothing shows and no event procedure runs, though the
    // windows and their timers are still there.
    EXPECT_THROW(MsgBox(QStringLiteral("More?")), ProgramEnded);
    ASSERT_TRUE(frmInner::isLoaded());
    QTest::qWait(120);
    EXPECT_EQ(events.size(), 3);
    Forms::discardAll();
    finishEnd();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    // The next run starts afresh.
    QTimer::singleShot(0, [] { Unload<frmReal>(); });
    frmReal::instance().Show(vbModal);
    EXPECT_FALSE(frmReal::isLoaded());
}

}  // namespace
