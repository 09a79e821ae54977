#include "frame/WindowOpeners.h"
#include "frame/frmMain.h"
#include "runtime/Error.h"
#include "support/ProgramFixture.h"

namespace {

// Stand-ins for the windows of the subsystems above the frame.
class frmChild : public ui::FormOf<frmChild> {
  public:
    frmChild() { setMDIChild(true); }
    static inline int loads = 0;

  protected:
    void Form_Load() override { ++loads; }
};

class frmDialog : public ui::FormOf<frmDialog> {};

class WindowOpenersTest : public ProgramTest {
  protected:
    void SetUp() override {
        start();
        frmChild::loads = 0;
        frame::setOpener(QStringLiteral("frmChild"), frame::childOpener<frmChild>());
        frame::setOpener(QStringLiteral("frmDialog"), frame::modalOpener<frmDialog>());
    }
    void TearDown() override { frame::clearOpeners(); }
};

TEST_F(WindowOpenersTest, AChildOpensOnceWithTheHourglassAndComesForwardAfterwards) {
    ASSERT_TRUE(frame::hasOpener(QStringLiteral("frmChild")));
    const qsizetype before = host.busyHistory().size();
    frame::openWindow(QStringLiteral("frmChild"));
    ASSERT_TRUE(frmChild::isLoaded());
    EXPECT_TRUE(frmChild::instance().Visible());
    EXPECT_EQ(host.busyHistory().mid(before), (QList<bool>{true, false}));

    frame::openWindow(QStringLiteral("frmChild"));
    EXPECT_EQ(frmChild::loads, 1);
    EXPECT_TRUE(frmChild::instance().Visible());
}

TEST_F(WindowOpenersTest, ADialogOpensModallyAndAnUnknownNameIsReported) {
    bool shown = false;
    host.expectModal<frmDialog>([&](frmDialog& dialog) {
        shown = true;
        ui::Unload(dialog);
    });
    frame::openWindow(QStringLiteral("frmDialog"));
    EXPECT_TRUE(shown);

    EXPECT_FALSE(frame::hasOpener(QStringLiteral("frmNone")));
    try {
        frame::openWindow(QStringLiteral("frmNone"));
        ADD_FAILURE() << "an unknown window opened";
    } catch (const rt::Error& e) {
        EXPECT_EQ(e.Number(), rt::err::InvalidProcedureCall);
        EXPECT_TRUE(e.Description().contains(QStringLiteral("frmNone")));
    }
    EXPECT_TRUE(frmMain::isLoaded());
}

}  // namespace
