#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <memory>

#include "MemberFixture.h"
#include "frame/frmMain.h"
#include "members/frmAdAct.h"
#include "members/frmUE.h"
#include "members/frmUPrp.h"
#include "ui/QtHost.h"

// The member windows driven by Qt's own input: real clicks, keys and focus changes, offscreen.
namespace {

using members_test::MemberTest;

class RealInputHost : public ScriptedHost {
  public:
    bool realInput() const override { return true; }
};

class MemberQtTest : public MemberTest {
  protected:
    void SetUp() override {
        MemberTest::SetUp();
        real_ = std::make_unique<RealInputHost>();
        frmMain::instance().activateWindow();
        QApplication::processEvents();
    }
    void TearDown() override { real_.reset(); }

    // Brings the window to the front so that Qt gives it the keyboard.
    static bool focusable(ui::Form& form, QWidget* field) {
        QWidget* window = form.window();
        window->activateWindow();
        QApplication::processEvents();
        QTest::mouseClick(field, Qt::LeftButton);
        QApplication::processEvents();
        return QApplication::focusWidget() == field;
    }
    static void typeInto(QWidget* field, const QString& text) {
        QTest::mouseClick(field, Qt::LeftButton);
        QTest::keyClicks(field, text);
    }
    static void clickTab(ui::TabControl& tabs, int tab) {
        QTabBar* bar = tabs.tabWidget()->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(tab).center());
    }
    static void dblClickRow(ui::ListView& lvw, int index) {
        QTreeWidget* tree = lvw.treeWidget();
        QApplication::processEvents();
        const QPoint at(20, tree->visualItemRect(tree->topLevelItem(index - 1)).center().y());
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, at);
    }

    std::unique_ptr<RealInputHost> real_;
};

TEST_F(MemberQtTest, AMemberTypedAndSavedWithRealKeysAndClicks) {
    QTest::mouseClick(frmStrt::instance().lblPersonal.widget(), Qt::LeftButton);
    ASSERT_TRUE(frmUsr::isLoaded());
    frmUsr& f = frmUsr::instance();
    if (!focusable(f, f.txtFirstN.lineEdit())) {
        GTEST_SKIP() << "the platform gives no keyboard focus";
    }
    QTest::keyClicks(f.txtFirstN.lineEdit(), QStringLiteral("  Ravi Kumar "));
    typeInto(f.txtAge.lineEdit(), QStringLiteral("25.5"));
    typeInto(f.txtHeight.lineEdit(), QStringLiteral("172"));
    typeInto(f.txtWeight.lineEdit(), QStringLiteral("68"));
    // Leaving the age by the real focus change has rounded it.
    EXPECT_EQ(f.txtAge.Text(), QStringLiteral("26"));
    EXPECT_EQ(f.txtFirstN.Text(), QStringLiteral("Ravi Kumar"));
    QTest::mouseClick(f.cmdAdd.button(), Qt::LeftButton);
    EXPECT_EQ(value(QStringLiteral("SELECT FirstN || '/' || Age || '/' || gid FROM usr")).text(),
              QStringLiteral("Ravi Kumar/26/10"));

    // A telephone that is no number keeps the person in the field at the real focus change.
    typeInto(f.txtPhone.lineEdit(), QStringLiteral("1e308"));
    real_->expectMsgBox(QStringLiteral("Please enter numbers only."));
    QTest::mouseClick(f.txtEMail.lineEdit(), Qt::LeftButton);
    EXPECT_EQ(f.ActiveControl(), &f.txtPhone);
    for (int i = 0; i < 5; ++i) {
        QTest::keyClick(f.txtPhone.lineEdit(), Qt::Key_Backspace);
    }
    EXPECT_EQ(f.txtPhone.Text(), QString());

    // An age too big, and a real click on Save: the field's warning, then Save's own.
    typeInto(f.txtFirstN.lineEdit(), QStringLiteral("Asha"));
    typeInto(f.txtAge.lineEdit(), QStringLiteral("99999"));
    real_->expectMsgBox(QStringLiteral("Too big number, enter between 1 and 100"));
    real_->expectMsgBox(QStringLiteral("Some field contain too big number, enter it again."));
    QTest::mouseClick(f.cmdAdd.button(), Qt::LeftButton);
    real_->verify();
    EXPECT_EQ(f.ActiveControl(), &f.txtAge);
    EXPECT_EQ(value(QStringLiteral("SELECT count(*) FROM usr")), db::Variant(1));
    f.txtAge.lineEdit()->selectAll();
    QTest::keyClick(f.txtAge.lineEdit(), Qt::Key_Backspace);

    clickTab(f.SSTab1, 1);
    EXPECT_EQ(f.SSTab1.Tab(), 1);
    EXPECT_TRUE(f.cmdEdit.Enabled());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_FALSE(frmUsr::isLoaded());
}

TEST_F(MemberQtTest, WhatIsTypedAsSoonAsTheRegisterOpensIsTaken) {
    QTest::mouseClick(frmStrt::instance().lblPersonal.widget(), Qt::LeftButton);
    ASSERT_TRUE(frmUsr::isLoaded());
    frmUsr& f = frmUsr::instance();
    QWindow* window = f.window()->windowHandle();
    if (!focusable(f, f.txtFirstN.lineEdit())) {
        GTEST_SKIP() << "the platform gives no keyboard focus";
    }
    // Opened afresh, as a person finds it.
    ui::Unload(f);
    QTest::mouseClick(frmStrt::instance().lblPersonal.widget(), Qt::LeftButton);
    frmUsr& again = frmUsr::instance();
    for (const char key : QByteArray("Mrs\tAsha")) {
        QTest::keyClick(window, key);
    }
    EXPECT_EQ(again.cmbPrefix.Text(), QStringLiteral("Mrs."));
    EXPECT_EQ(again.txtFirstN.Text(), QStringLiteral("Asha"));
}

TEST_F(MemberQtTest, EditAndActivitiesFromARealDoubleClick) {
    storeMember(QStringLiteral("Mr."), QStringLiteral("Vikram"), 40);
    frmUsr& f = frmUsr::instance();
    f.Show();
    QApplication::processEvents();
    clickTab(f.SSTab1, 1);
    bool edited = false;
    real_->expectModal<frmUE>([&](frmUE& e) {
        ASSERT_TRUE(focusable(e, e.txtAge.lineEdit()));
        QTest::keyClick(e.txtAge.lineEdit(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(e.txtAge.lineEdit(), QStringLiteral("41"));
        real_->expectModal<frmAdAct>([](frmAdAct& a) {
            ASSERT_TRUE(focusable(a, a.txtName.lineEdit()));
            QTest::keyClicks(a.txtName.lineEdit(), QStringLiteral("Potter "));
            QTest::mouseClick(a.cmdOK.button(), Qt::LeftButton);
        });
        QTest::mouseClick(e.cmdAddAct.button(), Qt::LeftButton);
        EXPECT_EQ(e.cmbActivity.Text(), QStringLiteral("Potter"));
        QTest::mouseClick(e.cmdUpdate.button(), Qt::LeftButton);
        edited = true;
    });
    dblClickRow(f.LViews, 1);
    ASSERT_TRUE(edited);
    EXPECT_FALSE(frmUE::isLoaded());
    EXPECT_EQ(value(QStringLiteral("SELECT Age || '/' || Activity FROM usr")).text(),
              QStringLiteral("41/Potter"));
    EXPECT_EQ(value(QStringLiteral("SELECT ActivityType FROM usrcat WHERE activityname = "
                                   "'Potter'"))
                  .text(),
              QStringLiteral("Unemployed(Child)"));
    EXPECT_EQ(f.LViews.ListItems(1).SubItems(4), QStringLiteral("41"));
}

// The RDA window's Info button under the real host: a real modal dialog over the main window,
// closed by a real click.
TEST_F(MemberQtTest, TheMemberViewIsARealModalDialog) {
    const qint64 id =
        storeMember(QStringLiteral("Ms."), QStringLiteral("Meena"), 30, QStringLiteral("Female"));
    real_.reset();
    ui::QtHost qt;
    QString shown;
    bool modal = false;
    QTimer::singleShot(0, [&] {
        frmUPrp* view = frmUPrp::loadedInstance();
        ASSERT_NE(view, nullptr);
        shown = view->txtName.Text() + QLatin1Char('/') + view->txtBirth.Text();
        modal = view->isModal() && view->windowModality() == Qt::ApplicationModal;
        const QString folder = QStringLiteral(KELVORA_PROGRAM_DIR "/../screenshots");
        QDir().mkpath(folder);
        view->grab().save(folder + QStringLiteral("/member-view.png"));
        QTest::mouseClick(view->cmdOK.button(), Qt::LeftButton);
    });
    // Whatever happens above, the test does not wait for ever.
    QTimer::singleShot(5000, [] { ui::Unload<frmUPrp>(); });
    frmUPrp::ShowMember(id);
    EXPECT_FALSE(frmUPrp::isLoaded());
    EXPECT_TRUE(modal);
    EXPECT_EQ(shown, QStringLiteral("Meena/30 Years"));
}

}  // namespace
