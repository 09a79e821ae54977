#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "runtime/Error.h"
#include "support/PrintQt.h"
#include "support/ScriptedHost.h"
#include "ui/Controls.h"
#include "ui/MDIForm.h"
#include "ui/Menu.h"

using namespace ui;

namespace {

// Records what happened, in order, across the forms of a test.
QStringList events;

class frmPlain : public FormOf<frmPlain> {
  public:
    CommandButton cmdClose{this, "cmdClose"};
    CommandButton cmdHide{this, "cmdHide"};
    static inline int cancelQuery = 0;
    static inline int cancelUnload = 0;
    static inline int destroyed = 0;

    frmPlain() {
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(cmdClose.widget());
        layout->addWidget(cmdHide.widget());
        cmdClose.Click = [this] {
            Unload(*this);
            // The window goes on after Unload, as event procedures do.
            setTag(QStringLiteral("still here"));
            events << QStringLiteral("after unload: ") + Tag();
        };
        cmdHide.Click = [this] { Hide(); };
    }
    ~frmPlain() override { ++destroyed; }

  protected:
    void Form_Load() override { events << QStringLiteral("plain load"); }
    void Form_QueryUnload(int& Cancel, int UnloadMode) override {
        events << QStringLiteral("plain query %1").arg(UnloadMode);
        Cancel = cancelQuery;
    }
    void Form_Unload(int& Cancel) override {
        events << QStringLiteral("plain unload");
        Cancel = cancelUnload;
    }
};

// Unloads itself, lets events run and goes on using its members, as event procedures do.
class frmBusyClose : public FormOf<frmBusyClose> {
  public:
    CommandButton cmdClose{this, "cmdClose"};
    static inline int unloads = 0;
    frmBusyClose() {
        cmdClose.Click = [this] {
            Unload(*this);
            DoEvents();
            cmdClose.setCaption(QStringLiteral("closed"));
            events << QStringLiteral("caption ") + cmdClose.button()->text();
        };
    }

  protected:
    void Form_Unload(int&) override {
        ++unloads;
        Unload(*this);  // again, from inside its own Unload
    }
};

class frmSelfUnload : public FormOf<frmSelfUnload> {
  public:
    static inline bool busyInLoad = false;

  protected:
    void Form_Load() override {
        events << QStringLiteral("self load");
        if (busyInLoad) {
            setMousePointer(vbHourglass);
        }
        Unload(*this);
    }
};

class frmFailing : public FormOf<frmFailing> {
  public:
    static inline bool fail = true;
    static inline int destroyed = 0;
    ~frmFailing() override { ++destroyed; }

  protected:
    void Form_Load() override {
        if (fail) {
            rt::raise(rt::err::TypeMismatch);
        }
    }
};

class frmSelfReference : public FormOf<frmSelfReference> {
  public:
    frmSelfReference* seenInLoad = nullptr;

  protected:
    void Form_Load() override { seenInLoad = &frmSelfReference::instance(); }
};

// A dialog that hands its answer back through a public variable, as the windows do.
class frmAsk : public FormOf<frmAsk> {
  public:
    TextBox txtName{this, "txtName"};
    CommandButton cmdOK{this, "cmdOK"};
    static inline QString answer;

    frmAsk() {
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(txtName.widget());
        layout->addWidget(cmdOK.widget());
        cmdOK.Click = [this] {
            answer = txtName.Text();
            Unload(*this);
        };
    }

  protected:
    void Form_Load() override { events << QStringLiteral("ask load"); }
};

class frmCaller : public FormOf<frmCaller> {
  public:
    CommandButton cmdAsk{this, "cmdAsk"};
    Label lblAnswer{this, "lblAnswer"};

    frmCaller() {
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(cmdAsk.widget());
        layout->addWidget(lblAnswer.widget());
        cmdAsk.Click = [this] {
            frmAsk::instance().Show(vbModal);
            events << QStringLiteral("modal returned");
            lblAnswer.setCaption(frmAsk::answer);
        };
    }
};

class frmMain : public FormOf<frmMain, MDIForm> {
  public:
    static inline int cancelQuery = 0;
    Menu mnuWindow{this, "mnuWindow", "&Window"};
    Menu mnuWindowTile{&mnuWindow, "mnuWindowTile", "&Tile"};
    frmMain() {
        mnuWindowTile.Click = [] { events << QStringLiteral("tile"); };
    }

  protected:
    void MDIForm_Load() override { events << QStringLiteral("main load"); }
    void MDIForm_QueryUnload(int& Cancel, int UnloadMode) override {
        events << QStringLiteral("main query %1").arg(UnloadMode);
        Cancel = cancelQuery;
    }
};

template <int N>
class frmChild : public FormOf<frmChild<N>> {
  public:
    static inline int cancelQuery = 0;
    frmChild() {
        this->setMDIChild(true);
        this->setKeyPreview(true);
    }

  protected:
    void Form_KeyDown(int& KeyCode, int) override {
        events << QStringLiteral("child%1 key %2").arg(N).arg(KeyCode);
    }
    void Form_QueryUnload(int& Cancel, int UnloadMode) override {
        events << QStringLiteral("child%1 query %2").arg(N).arg(UnloadMode);
        Cancel = cancelQuery;
    }
    void Form_Unload(int&) override { events << QStringLiteral("child%1 unload").arg(N); }
};

class FormTest : public ::testing::Test {
  protected:
    void SetUp() override {
        events.clear();
        frmPlain::cancelQuery = 0;
        frmPlain::cancelUnload = 0;
        frmPlain::destroyed = 0;
        frmFailing::fail = true;
        frmFailing::destroyed = 0;
        frmAsk::answer.clear();
        frmMain::cancelQuery = 0;
        frmChild<1>::cancelQuery = 0;
        frmChild<2>::cancelQuery = 0;
    }
    ScriptedHost host;
};

TEST_F(FormTest, DefaultInstanceIsLoadedOnceAndFreshAfterUnload) {
    frmPlain& first = frmPlain::instance();
    EXPECT_EQ(&first, &frmPlain::instance());
    EXPECT_EQ(events, QStringList{"plain load"});
    EXPECT_TRUE(frmPlain::isLoaded());
    EXPECT_EQ(first.Name(), "frmPlain");

    QPointer<frmPlain> old(&first);
    Unload<frmPlain>();
    EXPECT_FALSE(frmPlain::isLoaded());
    EXPECT_FALSE(Forms::loaded().contains(old.data()));

    frmPlain& second = frmPlain::instance();
    EXPECT_NE(&second, old.data());
    EXPECT_EQ(events.count("plain load"), 2);

    // The unloaded object is deleted once no event procedure runs.
    host.DoEvents();
    EXPECT_TRUE(old.isNull());
    EXPECT_EQ(frmPlain::destroyed, 1);
}

TEST_F(FormTest, FormThatUnloadsItselfStaysValidUntilItsProcedureReturns) {
    frmPlain& form = frmPlain::instance();
    form.Show();
    QPointer<frmPlain> guard(&form);
    EXPECT_TRUE(form.cmdClose.click());
    EXPECT_FALSE(frmPlain::isLoaded());
    EXPECT_TRUE(events.contains("after unload: still here"));
    EXPECT_FALSE(guard.isNull());
    EXPECT_FALSE(form.Visible());
    host.DoEvents();
    EXPECT_TRUE(guard.isNull());
}

TEST_F(FormTest, DoEventsInsideAnEventProcedureDeletesNothingYet) {
    frmBusyClose::unloads = 0;
    frmBusyClose& form = frmBusyClose::instance();
    form.Show();
    QPointer<frmBusyClose> guard(&form);
    EXPECT_TRUE(form.cmdClose.click());
    EXPECT_EQ(events, QStringList{"caption closed"});
    EXPECT_EQ(frmBusyClose::unloads, 1);
    EXPECT_FALSE(guard.isNull());
    host.DoEvents();
    EXPECT_TRUE(guard.isNull());
}

TEST_F(FormTest, FormOwnedByItsCreatorIsUnloadedButNotDeleted) {
    {
        frmPlain own;
        own.Show();
        EXPECT_FALSE(frmPlain::isLoaded());  // not the default instance
        Unload(own);
        EXPECT_TRUE(own.isUnloaded());
        host.DoEvents();
        EXPECT_EQ(frmPlain::destroyed, 0);
    }
    EXPECT_EQ(frmPlain::destroyed, 1);
}

TEST_F(FormTest, WindowCloseButtonAsksQueryUnload) {
    frmPlain& form = frmPlain::instance();
    form.Show();
    frmPlain::cancelQuery = 1;
    static_cast<QWidget&>(form).close();
    EXPECT_TRUE(frmPlain::isLoaded());
    frmPlain::cancelQuery = 0;
    static_cast<QWidget&>(form).close();
    EXPECT_FALSE(frmPlain::isLoaded());
    EXPECT_EQ(events.count("plain query 0"), 2);
}

TEST_F(FormTest, ChildSubWindowCloseButtonUnloadsTheChild) {
    frmMain::instance().Show();
    frmChild<1>& child = frmChild<1>::instance();
    child.Show();
    QPointer<QMdiSubWindow> sub = child.subWindow();
    ASSERT_FALSE(sub.isNull());
    sub->close();
    EXPECT_FALSE(frmChild<1>::isLoaded());
    EXPECT_TRUE(events.contains("child1 query 0"));
    EXPECT_TRUE(frmMain::instance().mdiArea()->subWindowList().isEmpty());
    host.DoEvents();
    EXPECT_TRUE(sub.isNull());
}

TEST_F(FormTest, FormLoadFindsItsOwnDefaultInstance) {
    frmSelfReference& form = frmSelfReference::instance();
    EXPECT_EQ(form.seenInLoad, &form);
}

TEST_F(FormTest, FormThatUnloadsItselfInLoadNeverRunsModally) {
    // No modal run is scripted: one would fail the test.
    frmSelfUnload::instance().Show(vbModal);
    EXPECT_FALSE(frmSelfUnload::isLoaded());
    EXPECT_EQ(events, QStringList{"self load"});
    EXPECT_TRUE(host.calls().isEmpty());
}

TEST_F(FormTest, LoadErrorDestroysTheInstanceAndReachesTheCaller) {
    try {
        frmFailing::instance();
        FAIL() << "Form_Load's error did not reach the caller";
    } catch (const rt::Error& e) {
        EXPECT_EQ(e.Number(), rt::err::TypeMismatch);
    }
    EXPECT_FALSE(frmFailing::isLoaded());
    EXPECT_EQ(frmFailing::destroyed, 1);
    EXPECT_TRUE(Forms::loaded().isEmpty());

    frmFailing::fail = false;
    EXPECT_TRUE(frmFailing::instance().isFormLoaded());
}

TEST_F(FormTest, QueryUnloadOrUnloadCanKeepTheForm) {
    frmPlain& form = frmPlain::instance();
    form.Show();
    frmPlain::cancelQuery = 1;
    Unload(form);
    EXPECT_TRUE(frmPlain::isLoaded());
    EXPECT_TRUE(form.Visible());
    EXPECT_FALSE(events.contains("plain unload"));

    frmPlain::cancelQuery = 0;
    frmPlain::cancelUnload = 1;
    EXPECT_TRUE(form.close());
    EXPECT_TRUE(frmPlain::isLoaded());
    EXPECT_TRUE(events.contains("plain query 0"));  // the close button
    EXPECT_TRUE(events.contains("plain query 1"));  // Unload from code

    frmPlain::cancelUnload = 0;
    EXPECT_TRUE(form.close());
    EXPECT_FALSE(frmPlain::isLoaded());
    // Closing a window that is gone is nothing a person can do.
    EXPECT_FALSE(form.close());
}

TEST_F(FormTest, ModalWindowRunsThroughTheScriptAndTheCallerGoesOn) {
    frmCaller& caller = frmCaller::instance();
    caller.Show();
    host.expectModal<frmAsk>([](frmAsk& f) {
        EXPECT_TRUE(f.Visible());
        EXPECT_TRUE(f.isModal());
        EXPECT_TRUE(f.txtName.type(QStringLiteral("Cup")));
        EXPECT_TRUE(f.cmdOK.click());
    });
    events.clear();
    EXPECT_TRUE(caller.cmdAsk.click());
    EXPECT_EQ(caller.lblAnswer.Caption(), "Cup");
    EXPECT_FALSE(frmAsk::isLoaded());
    EXPECT_EQ(events, (QStringList{"ask load", "modal returned"}));
}

TEST_F(FormTest, ModalCallbackMustCloseTheWindow) {
    EXPECT_NONFATAL_FAILURE(
        {
            host.expectModal<frmAsk>([](frmAsk&) {});
            frmAsk::instance().Show(vbModal);
        },
        "was still shown");
    EXPECT_FALSE(frmAsk::isLoaded());
}

TEST_F(FormTest, HidingEndsTheModalRunButKeepsTheFormLoaded) {
    host.expectModal("frmPlain",
                     [](Form& f) { EXPECT_TRUE(static_cast<frmPlain&>(f).cmdHide.click()); });
    frmPlain::instance().Show(vbModal);
    EXPECT_TRUE(frmPlain::isLoaded());
    EXPECT_FALSE(frmPlain::instance().Visible());
}

TEST_F(FormTest, ModalShowOfAVisibleFormOrOfAChildIsAnError) {
    frmPlain::instance().Show();
    EXPECT_THROW(frmPlain::instance().Show(vbModal), rt::Error);
    frmMain::instance().Show();
    try {
        frmChild<1>::instance().Show(vbModal);
        FAIL() << "a child window ran modally";
    } catch (const rt::Error& e) {
        EXPECT_EQ(e.Number(), 403);
    }
}

TEST_F(FormTest, ChildWindowIsBroughtToFrontRatherThanDuplicated) {
    frmMain& main = frmMain::instance();
    main.Show();
    EXPECT_EQ(mainWindow(), &main);
    frmChild<1>& one = frmChild<1>::instance();
    one.Show();
    QMdiSubWindow* sub = one.subWindow();
    ASSERT_NE(sub, nullptr);
    frmChild<2>::instance().Show();
    EXPECT_EQ(main.ActiveForm(), &frmChild<2>::instance());

    one.Show();
    EXPECT_EQ(one.subWindow(), sub);
    EXPECT_EQ(main.mdiArea()->subWindowList().size(), 2);
    EXPECT_EQ(main.ActiveForm(), &one);
}

TEST_F(FormTest, ClosingTheMainWindowAsksEveryChildFirst) {
    frmMain& main = frmMain::instance();
    main.Show();
    frmChild<1>::instance().Show();
    frmChild<2>::instance().Show();

    frmChild<2>::cancelQuery = 1;
    events.clear();
    EXPECT_TRUE(main.close());
    EXPECT_EQ(events, (QStringList{"main query 0", "child1 query 4", "child2 query 4"}));
    EXPECT_TRUE(frmChild<1>::isLoaded());
    EXPECT_TRUE(frmMain::isLoaded());

    frmChild<2>::cancelQuery = 0;
    events.clear();
    EXPECT_TRUE(main.close());
    EXPECT_EQ(events, (QStringList{"main query 0", "child1 query 4", "child2 query 4",
                                   "child1 unload", "child2 unload"}));
    EXPECT_FALSE(frmChild<1>::isLoaded());
    EXPECT_FALSE(frmChild<2>::isLoaded());
    EXPECT_FALSE(frmMain::isLoaded());
    EXPECT_EQ(mainWindow(), nullptr);
}

TEST_F(FormTest, MainWindowCanRefuseToClose) {
    frmMain& main = frmMain::instance();
    main.Show();
    frmMain::cancelQuery = 1;
    EXPECT_TRUE(main.close());
    EXPECT_TRUE(frmMain::isLoaded());
    EXPECT_TRUE(main.Visible());
}

TEST_F(FormTest, MainWindowMenusAndKeysServeTheActiveChild) {
    frmMain& main = frmMain::instance();
    main.Show();
    frmChild<1>::instance().Show();
    events.clear();
    EXPECT_TRUE(main.mnuWindowTile.click());
    EXPECT_TRUE(main.pressKey(vbKeyF3));
    EXPECT_EQ(events, (QStringList{"tile", "child1 key 114"}));
}

TEST_F(FormTest, UnloadingTheChildInFrontBringsTheOneBehindForward) {
    frmMain::instance().Show();
    frmChild<1>::instance().Show();
    frmChild<2>::instance().Show();
    events.clear();
    Unload<frmChild<2>>();
    EXPECT_EQ(frmMain::instance().ActiveForm(), &frmChild<1>::instance());
    EXPECT_EQ(events, (QStringList{"child2 query 1", "child2 unload"}));
}

TEST_F(FormTest, MousePointerDrivesTheHostsHourglass) {
    frmPlain& form = frmPlain::instance();
    form.setMousePointer(vbHourglass);
    EXPECT_TRUE(host.busy());
    form.setMousePointer(vbHourglass);  // already on: no second turn
    EXPECT_EQ(host.busyCount(), 1);
    form.setMousePointer(vbDefault);
    EXPECT_FALSE(host.busy());

    Screen::setMousePointer(vbHourglass);
    form.setMousePointer(vbHourglass);
    EXPECT_EQ(host.busyCount(), 3);
    Unload(form);  // a window that goes takes its hourglass with it
    EXPECT_TRUE(host.busy());
    Screen::setMousePointer(vbDefault);
    EXPECT_FALSE(host.busy());
    EXPECT_EQ(host.busyHistory(), (QList<bool>{true, false, true, true, false, false}));
}

TEST_F(FormTest, HourglassLastsForItsScope) {
    {
        Hourglass wait;
        EXPECT_TRUE(host.busy());
        {
            Hourglass inner;
            EXPECT_TRUE(host.busy());
        }
        // The inner one puts back what was there: still busy.
        EXPECT_TRUE(host.busy());
        EXPECT_EQ(Screen::MousePointer(), vbHourglass);
    }
    EXPECT_FALSE(host.busy());
    EXPECT_EQ(Screen::MousePointer(), vbDefault);
}

TEST_F(FormTest, BorderlessChildHasNoTitleBar) {
    frmMain::instance().Show();
    frmChild<1>& child = frmChild<1>::instance();
    child.setBorderStyle(0);
    child.Show();
    ASSERT_NE(child.subWindow(), nullptr);
    EXPECT_TRUE(child.subWindow()->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(child.subWindow()->isVisible() || !frmMain::instance().isVisible());
    EXPECT_THROW(child.setBorderStyle(6), rt::Error);
}

TEST_F(FormTest, HourglassOfAFormThatUnloadsInItsLoadIsTurnedOff) {
    frmSelfUnload::busyInLoad = true;
    frmSelfUnload::instance();
    frmSelfUnload::busyInLoad = false;
    EXPECT_FALSE(host.busy());
    EXPECT_EQ(host.busyHistory(), (QList<bool>{true, false}));
}

TEST_F(FormTest, GeometryIsInTwips) {
    frmPlain& form = frmPlain::instance();
    form.Move(1500, 750, 6000, 4500);
    EXPECT_EQ(form.Left(), 1500);
    EXPECT_EQ(form.Top(), 750);
    EXPECT_EQ(form.Width(), 6000);
    EXPECT_EQ(form.Height(), 4500);
    EXPECT_EQ(form.ScaleWidth(), 6000);
    form.setCaption(QStringLiteral("Units"));
    EXPECT_EQ(form.Caption(), "Units");
}

}  // namespace
