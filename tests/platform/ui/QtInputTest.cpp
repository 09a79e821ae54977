#include <gtest/gtest.h>

#include <QApplication>
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
    CommandButton cmdCancel{this, "cmdCancel"};
    ListView LstView{this, "LstView"};
    Timer Timer1{this, "Timer1"};
    static inline bool refuse = false;

    frmReal() {
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(txtName.widget());
        layout->addWidget(cmdOK.widget());
        layout->addWidget(cmdCancel.widget());
        layout->addWidget(LstView.widget());
        cmdCancel.setCancel(true);
        LstView.ColumnHeaders.Add(-1, QString(), QStringLiteral("Food"));
        for (const char* name : {"Rice", "Wheat", "Maize"}) {
            LstView.ListItems.Add(-1, QString(), QString::fromLatin1(name));
        }
        txtName.Validate = [](bool& Cancel) {
            events << QStringLiteral("validate");
            Cancel = refuse;
        };
        txtName.LostFocus = [] { events << QStringLiteral("name lost"); };
        txtName.Change = [this] { events << QStringLiteral("change ") + txtName.Text(); };
        txtName.KeyPress = [](int& KeyAscii) { KeyAscii = QChar(KeyAscii).toUpper().unicode(); };
        cmdOK.Click = [] { events << QStringLiteral("ok click"); };
        cmdCancel.Click = [] { events << QStringLiteral("cancel click"); };
        LstView.ItemClick = [](ListItem& item) { events << QStringLiteral("item ") + item.Text(); };
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

TEST_F(QtInputTest, RealKeysGoThroughKeyPressAndTheCancelButton) {
    if (!qtFocusOn(form->txtName.widget())) {
        GTEST_SKIP() << "the platform gives no keyboard focus";
    }
    sendKey(form->txtName.widget(), Qt::Key_A, QStringLiteral("a"));
    EXPECT_EQ(form->txtName.Text(), "A");
    sendKey(form->txtName.widget(), Qt::Key_Escape);
    EXPECT_EQ(events, (QStringList{"change A", "cancel click"}));
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

TEST_F(QtInputTest, TimersTickByThemselvesUnderARealHost) {
    form->Timer1.setInterval(1);
    QEventLoop loop;
    QTimer::singleShot(50, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_TRUE(events.contains("tick"));
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

}  // namespace
