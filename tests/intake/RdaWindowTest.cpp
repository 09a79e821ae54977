#include "foods/frmIdxN.h"
#include "frame/frmMain.h"
#include "frame/frmStrt.h"
#include "intake/IntakeFixture.h"
#include "intake/frmRda.h"
#include "members/frmUPrp.h"
#include "ui/Constants.h"

namespace {

using namespace intake_test;

class RdaWindowTest : public IntakeTest {
  protected:
    void SetUp() override {
        IntakeTest::SetUp();
        asha = beyond16Bits(addMember(QStringLiteral("Asha")));
        addMember(QStringLiteral("Meena"), QStringLiteral("Female"), 34, kWomanGroup,
                  QStringLiteral(" "), QStringLiteral(" "));
        // 240 months old: 20 years for the BMR.
        addMember(QStringLiteral("Ravi"), QStringLiteral("Male"), 240, kManGroup,
                  QStringLiteral("180"), QStringLiteral("81"), QStringLiteral("M"));
        setOption(QStringLiteral("Defter"), QStringLiteral("Asha"));
    }
    static frmRda& open() {
        frmStrt::instance().Label2.click();
        return frmRda::instance();
    }
    static bool measuresShown(const frmRda& f) {
        return f.Label1.Visible() && f.Label2.Visible() && f.Label4.Visible();
    }
    qint32 asha = 0;
};

TEST_F(RdaWindowTest, ShowsTheGroupsRdaWithBmrBmiAndStatus) {
    frmRda& f = open();
    EXPECT_EQ(entries(f.cmbName), (QStringList{QStringLiteral("Asha"), QStringLiteral("Meena"),
                                               QStringLiteral("Ravi"), QStringLiteral("-")}));
    ASSERT_EQ(f.LstView.ListItems.Count(), 14);
    EXPECT_EQ(f.LstView.rowTexts(1), (QStringList{QStringLiteral("CALCIUM"), QStringLiteral("600"),
                                                  QStringLiteral("mg")}));
    EXPECT_EQ(icons(f.LstView), (QList<int>{2, 0, 0}));
    EXPECT_EQ(f.Label1.Caption(), QStringLiteral("BMR : 1269.4"));  // 8.3 x 58 + 788
    EXPECT_EQ(f.Label2.Caption(), QStringLiteral("BMI : 22.66"));
    EXPECT_EQ(f.Label4.Caption(), QStringLiteral("NORMAL"));
    EXPECT_EQ(f.Label4.ForeColor(), rt::LongFromColor(QColor(0, 255, 0)));
    EXPECT_TRUE(f.Label4.FontBold());
    EXPECT_TRUE(f.cmdUInfo.Enabled());

    f.cmbName.choose(QStringLiteral("Ravi"));
    EXPECT_EQ(f.Label1.Caption(), QStringLiteral("BMR : 1819.5"));  // 14.5 x 81 + 645
    EXPECT_EQ(f.Label2.Caption(), QStringLiteral("BMI : 25."));
    EXPECT_EQ(f.Label4.Caption(), QStringLiteral("NORMAL"));

    // No figures of the member before stay on show.
    f.cmbName.choose(QStringLiteral("Meena"));
    EXPECT_EQ(f.LstView.ListItems.Count(), 14);
    EXPECT_EQ(f.Label1.Caption(), QStringLiteral("BMR : -"));
    EXPECT_EQ(f.Label2.Caption(), QStringLiteral("BMI : -"));
    EXPECT_EQ(f.Label4.Caption(), QString());
    EXPECT_FALSE(f.Label4.FontBold());

    f.cmbName.choose(QStringLiteral("-"));
    EXPECT_FALSE(measuresShown(f));
    EXPECT_EQ(f.LstView.ListItems.Count(), 0);
    EXPECT_FALSE(f.cmdUInfo.Enabled());

    f.cmbName.choose(QStringLiteral("Asha"));
    EXPECT_TRUE(measuresShown(f));
    core::cn.Execute(QStringLiteral("DELETE FROM usr WHERE FirstN = 'Asha'"));
    f.cmbName.choose(QStringLiteral("Asha"));
    EXPECT_FALSE(measuresShown(f));
    EXPECT_EQ(f.LstView.ListItems.Count(), 0);
    EXPECT_FALSE(f.cmdUInfo.Enabled());
}

// The BMI bands are for adults: a child's BMI shows without a word, also for an age in months.
TEST_F(RdaWindowTest, AChildsBmiShowsWithoutTheAdultStatus) {
    addMember(QStringLiteral("Anu"), QStringLiteral("Female"), 10, kWomanGroup,
              QStringLiteral("140"), QStringLiteral("30"));
    addMember(QStringLiteral("Kiran"), QStringLiteral("Male"), 215, kManGroup,
              QStringLiteral("170"), QStringLiteral("50"), QStringLiteral("M"));
    frmRda& f = open();
    f.cmbName.choose(QStringLiteral("Anu"));
    EXPECT_EQ(f.Label1.Caption(), QStringLiteral("BMR : -"));
    EXPECT_EQ(f.Label2.Caption(), QStringLiteral("BMI : 15.31"));
    EXPECT_TRUE(f.Label2.Visible());
    EXPECT_FALSE(f.Label4.Visible());
    EXPECT_EQ(f.Label4.Caption(), QString());
    f.cmbName.choose(QStringLiteral("Kiran"));  // 17 years and 11 months
    EXPECT_EQ(f.Label2.Caption(), QStringLiteral("BMI : 17.3"));
    EXPECT_FALSE(f.Label4.Visible());
    f.cmbName.choose(QStringLiteral("Asha"));
    EXPECT_TRUE(measuresShown(f));
    EXPECT_EQ(f.Label4.Caption(), QStringLiteral("NORMAL"));
}

TEST_F(RdaWindowTest, AnotherMemberIsListedInTheOrderChosen) {
    frmRda& f = open();
    f.LstView.clickHeader(2);
    EXPECT_EQ(icons(f.LstView), (QList<int>{0, 1, 0}));
    EXPECT_EQ(f.LstView.ListItems(1).Text(), QStringLiteral("CAROTENE-B (VIT-A)"));
    f.cmbName.choose(QStringLiteral("Ravi"));
    QStringList values = column(f.LstView, 1);
    for (int i = 1; i < values.size(); ++i) {
        EXPECT_GE(values[i - 1].toDouble(), values[i].toDouble());
    }
    f.LstView.clickHeader(2);
    EXPECT_EQ(icons(f.LstView), (QList<int>{0, 2, 0}));
    EXPECT_EQ(f.LstView.ListItems(1).SubItems(1), QStringLiteral("1"));

    // The list's own direction flips from ascending, whatever the icon.
    f.LstView.clickHeader(3);
    EXPECT_EQ(icons(f.LstView), (QList<int>{0, 0, 1}));
    f.cmbName.choose(QStringLiteral("Asha"));
    EXPECT_EQ(f.LstView.ListItems(1).SubItems(2), QStringLiteral("mg"));
    EXPECT_EQ(f.LstView.ListItems(14).SubItems(2), QStringLiteral("g"));
}

TEST_F(RdaWindowTest, NamesakesShowTheirOwnGroupAndParticulars) {
    const qint32 miss = addNamesake(QStringLiteral("Asha"), QStringLiteral("Miss"), 24);
    frmRda& f = open();
    EXPECT_EQ(entries(f.cmbName),
              (QStringList{"Asha (Mrs.)", "Asha (Miss)", "Meena", "Ravi", "-"}));
    auto energy = [&f] { return f.LstView.FindItem(QStringLiteral("ENERGY"))->SubItems(1); };
    EXPECT_EQ(energy(), QStringLiteral("1900"));
    f.cmbName.choose(QStringLiteral("Asha (Miss)"));
    EXPECT_EQ(energy(), QStringLiteral("2850"));  // women of heavy work
    host.expectModal<frmUPrp>([](frmUPrp& view) {
        EXPECT_EQ(view.txtPrefix.Text(), QStringLiteral("Miss"));
        view.cmdOK.click();
    });
    f.cmdUInfo.click();
    EXPECT_EQ(f.Tag(), QString::number(miss));
    // On paper too, as the list names her.
    EXPECT_TRUE(exportPage(f.cmdExport, QStringLiteral("rda.html"))
                    .contains(QStringLiteral("User : Asha (Miss)\r\n")));

    // An older file may hold two members of one prefix and name: their userids tell them apart.
    core::cn.Execute(QStringLiteral("UPDATE usr SET Prefix = 'Mrs.' WHERE userid = ?"), {miss});
    f.cmdClose.click();
    EXPECT_EQ(entries(open().cmbName).mid(0, 2),
              (QStringList{QStringLiteral("Asha (Mrs., no. %1)").arg(asha),
                           QStringLiteral("Asha (Mrs., no. %1)").arg(miss)}));
}

TEST_F(RdaWindowTest, OpensFromTheRdaMenuAndExportsTheMembersList) {
    host.expectPopupMenu(QStringLiteral("mnuHidden1")).choose(QStringLiteral("mnupopRda"));
    frmMain::instance().PopupMenu(frmMain::instance().mnuHidden1);
    ASSERT_TRUE(frmRda::isLoaded());
    frmRda& f = frmRda::instance();
    EXPECT_TRUE(f.Visible());
    host.expectModal<frmUPrp>([](frmUPrp& view) {
        EXPECT_EQ(view.txtName.Text(), QStringLiteral("Asha"));
        view.cmdOK.click();
    });
    f.cmdUInfo.click();
    EXPECT_EQ(f.Tag(), QString::number(asha));

    const QString html = exportPage(f.cmdExport, QStringLiteral("rda.html"));
    EXPECT_TRUE(html.contains(QStringLiteral("Recommanded Daily Allowances")));
    EXPECT_TRUE(html.contains(QStringLiteral("User : Asha")));
    EXPECT_TRUE(html.contains(QStringLiteral("VITAMIN B12")));

    f.LstView.dblClickItem(QStringLiteral("IRON"));
    ASSERT_TRUE(frmIdxN::isLoaded());
    EXPECT_TRUE(frmIdxN::instance().Visible());
    EXPECT_EQ(frmIdxN::instance().LstView.SelectedItem()->Text(), QStringLiteral("IRON"));
    EXPECT_EQ(frmIdxN::instance().SSTab1.TabCaption(0), QStringLiteral("SOURCE OF IRON"));
    f.pressKey(ui::vbKeyEscape);
    EXPECT_FALSE(frmRda::isLoaded());
}

}  // namespace
