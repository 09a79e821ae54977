#include "foods/frmIdxN.h"
#include "frame/frmStrt.h"
#include "intake/IntakeFixture.h"
#include "intake/frmVRda.h"
#include "ui/Constants.h"

namespace {

using namespace intake_test;

class ReportWindowTest : public IntakeTest {
  protected:
    void SetUp() override {
        IntakeTest::SetUp();
        asha = addMember(QStringLiteral("Asha"));
        addMember(QStringLiteral("Meena"));
        setOption(QStringLiteral("Defter"), QStringLiteral("Asha"));
        addFood(9001, QStringLiteral("Test dal"),
                {{kProtein, 20}, {kFat, 5}, {kEnergy, 333.333}, {kCalcium, 12.345}});
    }
    static frmVRda& open() {
        frmStrt::instance().Label3.click();
        return frmVRda::instance();
    }
    static void range(frmVRda& f, const QDate& from, const QDate& to) {
        f.DTP.setDate(from);
        f.DTP1.setDate(to);
    }
    static QStringList counters(const frmVRda& f) {
        return {f.Label1[0].Caption(), f.Label1[1].Caption(), f.Label1[2].Caption()};
    }
    static QStringList countersOf(int deficiency, int notInRda, int more) {
        return {QStringLiteral("Deficiency. Total Nutrient(s) =  %1").arg(deficiency),
                QStringLiteral("Not in RDA, but intake. Total Nutrient(s) = %1").arg(notInRda),
                QStringLiteral("More than RDA. Total Nutrient(s) = %1").arg(more)};
    }
    qint32 asha = 0;
};

TEST_F(ReportWindowTest, AMonthOfIntakesAgainstTheRdaOfAsManyDays) {
    eat(asha, QDate(2024, 1, 31), QStringLiteral("Test dal"), 150);
    eat(asha, QDate(2024, 2, 1), QStringLiteral("Test dal"), 50);
    eat(asha, QDate(2024, 2, 29), QStringLiteral("Test dal"), 10000);
    eat(asha, QDate(2024, 3, 1), QStringLiteral("Test dal"), 100);  // the day after
    frmVRda& f = open();
    EXPECT_EQ(column(f.LstView, 0), QStringList{QStringLiteral("NO ITEMS FOUND.")});
    EXPECT_EQ(f.Label2.Caption(), QStringLiteral("No of day(s) = 1"));

    range(f, QDate(2024, 1, 31), QDate(2024, 2, 29));
    EXPECT_EQ(f.Label2.Caption(), QStringLiteral("No of day(s) = 30"));
    EXPECT_EQ(f.DTP.displayText(), QStringLiteral("31-01-2024"));
    f.cmdGo.click();
    ASSERT_EQ(f.LstView.ListItems.Count(), 15);
    // 30 days of 1900 kcal; 150, 50 and 10000 g of 333.333 kcal per 100 g, rounded at each step.
    const ui::ListItem* energy = f.LstView.FindItem(QStringLiteral("ENERGY"));
    EXPECT_EQ(f.LstView.rowTexts(energy->Index()),
              (QStringList{QStringLiteral("ENERGY"), QStringLiteral("57000.00"),
                           QStringLiteral("33999.97"), QStringLiteral("-23000.03"),
                           QStringLiteral("-40.35%"), QStringLiteral("kcal")}));
    EXPECT_EQ(energy->ForeColor(), 0x0000C0);
    const ui::ListItem* fat = f.LstView.FindItem(QStringLiteral("FAT"));
    EXPECT_EQ(f.LstView.rowTexts(fat->Index()),
              (QStringList{QStringLiteral("FAT"), QStringLiteral("-"), QStringLiteral("510.00"),
                           QStringLiteral("-"), QStringLiteral("-"), QStringLiteral("g")}));
    EXPECT_EQ(fat->ForeColor(), 0x008000);
    const ui::ListItem* protein = f.LstView.FindItem(QStringLiteral("PROTEIN"));
    EXPECT_EQ(f.LstView.rowTexts(protein->Index()).mid(1, 4),
              (QStringList{QStringLiteral("1650.00"), QStringLiteral("2040.00"),
                           QStringLiteral("390.00"), QStringLiteral("23.64%")}));
    // VITAMIN B12, which no food is known to hold, is no deficiency.
    EXPECT_EQ(counters(f), countersOf(12, 1, 1));
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM SYSTABLE")), 0);

    // Only NUTRIENT sorts.
    f.LstView.clickHeader(2);
    EXPECT_EQ(f.LstView.ListItems(1).Text(), QStringLiteral("CALCIUM"));
    f.LstView.clickHeader(1);
    EXPECT_EQ(icons(f.LstView), (QList<int>{1, 0, 0, 0, 0, 0}));
    EXPECT_EQ(f.LstView.ListItems(1).Text(), QStringLiteral("ZINC"));
    f.LstView.clickHeader(1);
    EXPECT_EQ(icons(f.LstView), (QList<int>{2, 0, 0, 0, 0, 0}));

    f.LstView.dblClickItem(QStringLiteral("FAT"));
    ASSERT_TRUE(frmIdxN::isLoaded());
    EXPECT_EQ(frmIdxN::instance().LstView.SelectedItem()->Text(), QStringLiteral("FAT"));

    // Another member resets the pickers and their day count; the list waits for Go, and its
    // export names the run that made it.
    f.cmbUser.choose(QStringLiteral("Meena"));
    EXPECT_EQ(f.Label2.Caption(), QStringLiteral("No of day(s) = 1"));
    EXPECT_EQ(f.LstView.ListItems.Count(), 15);
    const QString html = exportPage(f.cmdExport, QStringLiteral("report.html"));
    for (const char* text :
         {"RDA Vs. Intakes", "User : Asha", "From : 31-01-2024", "   To : 29-02-2024"}) {
        EXPECT_TRUE(html.contains(QString::fromLatin1(text))) << text;
    }
}

TEST_F(ReportWindowTest, EachNamesakeIsComparedWithHerOwnIntakesAndGroup) {
    const qint32 miss = addNamesake(QStringLiteral("Asha"), QStringLiteral("Miss"), 24);
    eat(asha, QDate::currentDate(), QStringLiteral("Test dal"), 100);
    eat(miss, QDate::currentDate(), QStringLiteral("Test dal"), 300);
    frmVRda& f = open();
    EXPECT_EQ(entries(f.cmbUser), (QStringList{"Asha (Mrs.)", "Asha (Miss)", "Meena", "-"}));
    auto energy = [&f] {
        return f.LstView.rowTexts(f.LstView.FindItem(QStringLiteral("ENERGY"))->Index()).mid(1, 2);
    };
    EXPECT_EQ(energy(), (QStringList{QStringLiteral("1900.00"), QStringLiteral("333.33")}));
    f.cmbUser.choose(QStringLiteral("Asha (Miss)"));
    f.cmdGo.click();
    // Her own group, of heavy work, and her own 300 g.
    EXPECT_EQ(energy(), (QStringList{QStringLiteral("2850.00"), QStringLiteral("1000.00")}));
    EXPECT_TRUE(exportPage(f.cmdExport, QStringLiteral("report.html"))
                    .contains(QStringLiteral("User : Asha (Miss)\r\n")));
}

// No delivered food holds any VITAMIN B12: what anyone ate of it is not known.
TEST_F(ReportWindowTest, WhatNoFoodIsKnownToHoldIsNotAvailableRatherThanLacking) {
    eat(asha, QDate::currentDate(), QStringLiteral("Egg, poultry, whole, raw"), 100);
    eat(asha, QDate::currentDate(), QStringLiteral("Milk, whole, Cow"), 200);
    frmVRda& f = open();
    const ui::ListItem* b12 = f.LstView.FindItem(QStringLiteral("VITAMIN B12"));
    ASSERT_NE(b12, nullptr);
    EXPECT_EQ(f.LstView.rowTexts(b12->Index()).mid(1, 4),
              (QStringList{"1.00", "Not Available", "Not Available", "Not Available"}));
    EXPECT_EQ(b12->ForeColor(), 0);
    // Thirteen of the group's fourteen fall short; CHLORIDE, CHOLINE and FOLIC FREE count nowhere.
    EXPECT_EQ(counters(f), countersOf(13, 13, 0));
    EXPECT_TRUE(exportPage(f.cmdExport, QStringLiteral("report.html"))
                    .contains(QStringLiteral("<td>VITAMIN B12</td>\r\n<td>1.00</td>\r\n"
                                             "<td>Not Available</td>")));
}

TEST_F(ReportWindowTest, ATypedDayThatDoesNotExistLeavesFromOnItsDate) {
    frmVRda& f = open();
    host.expectMsgBox(QStringLiteral("31-02-2026 is no date. Type the date as dd-mm-yyyy."),
                      ui::vbOKOnly | ui::vbExclamation, QStringLiteral("Kelvora"));
    f.DTP.typeKeys(QStringLiteral("31022026"));
    EXPECT_EQ(f.DTP.Value(), QDate::currentDate());
    EXPECT_EQ(f.DTP.displayText(), day(0));
    EXPECT_EQ(f.Label2.Caption(), QStringLiteral("No of day(s) = 1"));

    // Return refuses it too, and no report runs: this range would be refused as well.
    f.DTP1.setDate(QDate::currentDate().addDays(-1));
    f.DTP.pressKey(ui::vbKeyHome);
    f.DTP.typeKeys(QStringLiteral("3002"));
    host.expectMsgBox(QStringLiteral("30-02-") + day(0).right(4) +
                      QStringLiteral(" is no date. Type the date as dd-mm-yyyy."));
    f.DTP.pressKey(ui::vbKeyReturn);
    EXPECT_EQ(f.DTP.displayText(), day(0));
    EXPECT_EQ(f.Label2.Caption(), QStringLiteral("No of day(s) = 0"));
}

TEST_F(ReportWindowTest, AWrongRangeOrAFailedRunLeavesNoReport) {
    eat(asha, QDate::currentDate(), QStringLiteral("Test dal"), 100);
    frmVRda& f = open();
    ASSERT_EQ(f.LstView.ListItems.Count(), 15);
    f.DTP1.setDate(QDate::currentDate().addDays(-1));
    EXPECT_EQ(f.Label2.Caption(), QStringLiteral("No of day(s) = 0"));
    host.expectMsgBox(QStringLiteral("Please enter the correct date in from and to"),
                      ui::vbOKOnly | ui::vbExclamation, QStringLiteral("Kelvora"));
    f.cmdGo.click();
    EXPECT_EQ(f.LstView.ListItems.Count(), 0);
    EXPECT_EQ(counters(f), countersOf(0, 0, 0));
    EXPECT_EQ(f.Label2.Caption(), QStringLiteral("No of day(s) = "));

    f.DTP1.setDate(QDate::currentDate());
    core::cn.Execute(
        QStringLiteral("UPDATE foodN1 SET nutri_val = NULL WHERE foodid = 9001 "
                       "AND srl_no = 3"));
    host.expectMsgBox(QStringLiteral("The report could not be made: Invalid use of Null"));
    f.cmdGo.click();
    EXPECT_EQ(f.LstView.ListItems.Count(), 0);
    EXPECT_EQ(counters(f), countersOf(0, 0, 0));
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM SYSTABLE")), 0);

    core::cn.Execute(QStringLiteral("DELETE FROM foodN1 WHERE nutri_val IS NULL"));
    f.cmdGo.click();
    EXPECT_EQ(f.LstView.ListItems.Count(), 15);
}

TEST_F(ReportWindowTest, OpeningComparesTodayOnlyWhenThereIsSomeoneToCompare) {
    setOption(QStringLiteral("Defter"), QStringLiteral("-"));
    frmVRda& f = open();
    EXPECT_EQ(entries(f.cmbUser),
              (QStringList{QStringLiteral("-"), QStringLiteral("Asha"), QStringLiteral("Meena")}));
    EXPECT_EQ(column(f.LstView, 0), QStringList{QStringLiteral("NO ITEMS FOUND.")});
    f.LstView.dblClickItem(1);  // a notice is no nutrient
    EXPECT_FALSE(frmIdxN::isLoaded());
    f.cmdClose.click();

    core::cn.Execute(QStringLiteral("DELETE FROM usr WHERE FirstN = 'Meena'"));
    setOption(QStringLiteral("Defter"), QStringLiteral("Asha"));
    eat(asha, QDate::currentDate(), QStringLiteral("Test dal"), 100);
    frmVRda& alone = open();
    EXPECT_EQ(entries(alone.cmbUser), (QStringList{QStringLiteral("Asha"), QStringLiteral("-")}));
    EXPECT_EQ(alone.LstView.ListItems.Count(), 0);
}

}  // namespace
