#include "foods/frmUnit.h"
#include "frame/frmStrt.h"
#include "intake/IntakeFixture.h"
#include "intake/frmDIn.h"
#include "ui/Constants.h"

namespace {

using namespace intake_test;

class DiaryTest : public IntakeTest {
  protected:
    void SetUp() override {
        IntakeTest::SetUp();
        asha = beyond16Bits(addMember(QStringLiteral("Asha")));
        meena = addMember(QStringLiteral("Meena"));
        addMember(QStringLiteral("Vikram"), QStringLiteral("Male"), 45, kManGroup);
        setOption(QStringLiteral("Defter"), QStringLiteral("Asha"));
    }
    static frmDIn& open() {
        frmStrt::instance().Label1.click();
        return frmDIn::instance();
    }
    // A person picks the food, types the amount, chooses the unit and saves.
    static void save(frmDIn& f, const QString& food, const QString& amount,
                     const QString& unit = QStringLiteral("Grams")) {
        f.LView.clickItem(food);
        f.txtQuan.type(amount);
        f.cmbUnit.choose(unit);
        f.cmdAdd.click();
    }
    void expectWarning(const QString& text) {
        host.expectMsgBox(text, ui::vbOKOnly | ui::vbExclamation, QStringLiteral("Kelvora"));
    }
    qint32 asha = 0;
    qint32 meena = 0;
};

TEST_F(DiaryTest, OpensOnTheRememberedMemberWithTheDiaryInCalendarOrder) {
    for (const QDate& day : {QDate(2024, 3, 1), QDate(2023, 12, 31), QDate(2024, 2, 29),
                             QDate(2024, 1, 15), QDate(2024, 1, 1)}) {
        eat(asha, day, QStringLiteral("Bajra"), 100);
    }
    frmDIn& f = open();
    EXPECT_EQ(entries(f.cmbUser), (QStringList{QStringLiteral("Asha"), QStringLiteral("Meena"),
                                               QStringLiteral("Vikram"), QStringLiteral("-")}));
    const QStringList ascending = {QStringLiteral("31-12-2023"), QStringLiteral("01-01-2024"),
                                   QStringLiteral("15-01-2024"), QStringLiteral("29-02-2024"),
                                   QStringLiteral("01-03-2024")};
    EXPECT_EQ(column(f.LstView, 0), ascending);
    EXPECT_EQ(icons(f.LstView), (QList<int>{2, 0, 0, 0, 0}));
    EXPECT_TRUE(f.cmdDelete.Enabled());
    EXPECT_EQ(f.LView.ListItems.Count(), count(QStringLiteral("SELECT COUNT(*) FROM food")));
    EXPECT_EQ(f.LView.SelectedItem()->Text(), QStringLiteral("Agathi leaves"));

    f.LstView.clickHeader(1);
    QStringList descending = ascending;
    std::reverse(descending.begin(), descending.end());
    EXPECT_EQ(column(f.LstView, 0), descending);
    EXPECT_EQ(icons(f.LstView), (QList<int>{1, 0, 0, 0, 0}));
    f.LstView.clickHeader(1);
    EXPECT_EQ(column(f.LstView, 0), ascending);

    f.cmbUser.choose(QStringLiteral("-"));
    EXPECT_EQ(f.LstView.ListItems.Count(), 0);
    EXPECT_FALSE(f.cmdDelete.Enabled());
    f.pressKey(ui::vbKeyEscape);
    EXPECT_FALSE(frmDIn::isLoaded());

    setOption(QStringLiteral("Defter"), QStringLiteral("-"));
    EXPECT_EQ(entries(open().cmbUser),
              (QStringList{QStringLiteral("-"), QStringLiteral("Asha"), QStringLiteral("Meena"),
                           QStringLiteral("Vikram")}));
    EXPECT_FALSE(frmDIn::instance().cmdDelete.Enabled());
}

TEST_F(DiaryTest, SavesTheAmountInGramsOfTheFoodsOwnUnitOncePerDay) {
    addUnit(QStringLiteral("Bajra"), QStringLiteral("Plate"), 250, QStringLiteral("Other"));
    addUnit(QStringLiteral("Bajra"), QStringLiteral("Cup"), 150);
    addUnit(QStringLiteral("Barley"), QStringLiteral("Cup"), 200);
    frmDIn& f = open();
    f.LView.clickItem(QStringLiteral("Bajra"));
    EXPECT_EQ(f.txtFood.Text(), QStringLiteral("Bajra"));
    EXPECT_EQ(entries(f.cmbUnit), (QStringList{QStringLiteral("Cup"), QStringLiteral("Plate"),
                                               QStringLiteral("Grams")}));
    save(f, QStringLiteral("Bajra"), QStringLiteral("2"), QStringLiteral("Cup"));
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM dayin WHERE uid = 70000")), 1);
    EXPECT_EQ(f.LstView.rowTexts(1), (QStringList{day(0), QStringLiteral("Bajra"), QString(),
                                                  QStringLiteral("300"), QStringLiteral("Grams")}));
    // The entry starts again, with the units of the food still picked.
    EXPECT_EQ(f.txtFood.Text(), QString());
    EXPECT_EQ(f.txtQuan.Text(), QString());
    EXPECT_EQ(f.cmbUnit.Text(), QStringLiteral("Cup"));

    expectWarning(QStringLiteral("Duplicate record"));
    save(f, QStringLiteral("Bajra"), QStringLiteral("1"), QStringLiteral("Cup"));
    EXPECT_EQ(f.txtFood.Text(), QStringLiteral("Bajra"));
    EXPECT_EQ(f.txtQuan.Text(), QStringLiteral("00001.00"));

    f.DTP.setDate(QDate::currentDate().addDays(-1));
    EXPECT_EQ(f.DTP.displayText(), day(-1));
    f.cmdAdd.click();
    save(f, QStringLiteral("Barley"), QStringLiteral("0.5"), QStringLiteral("Cup"));
    EXPECT_EQ(f.DTP.displayText(), day(0));
    EXPECT_EQ(column(f.LstView, 0), (QStringList{day(-1), day(0), day(0)}));
    EXPECT_EQ(column(f.LstView, 3),
              (QStringList{QStringLiteral("150"), QStringLiteral("300"), QStringLiteral("100")}));
}

TEST_F(DiaryTest, TheUnitsWindowKeepsTheUnitsOfThePickedFood) {
    frmDIn& f = open();
    f.LView.clickItem(QStringLiteral("Ragi"));
    host.expectModal<frmUnit>([](frmUnit& units) {
        EXPECT_EQ(core::UnitCaller, QStringLiteral("IntakeOn"));
        EXPECT_EQ(units.CurrentFood(), QStringLiteral("Ragi"));
        units.txtUnitname.type(QStringLiteral("Bowl"));
        units.txtsizeingrams.type(QStringLiteral("250"));
        units.cmdDefault.choose(QStringLiteral("Default"));
        units.Command2.click();
        units.Command1.click();
    });
    f.cmdUnit.click();
    EXPECT_EQ(entries(f.cmbUnit), (QStringList{QStringLiteral("Bowl"), QStringLiteral("Grams")}));
    save(f, QStringLiteral("Ragi"), QStringLiteral("2"), QStringLiteral("Bowl"));
    EXPECT_EQ(column(f.LstView, 3), QStringList{QStringLiteral("500")});
}

TEST_F(DiaryTest, SaveRefusesBadEntriesAndSaysWhyItFails) {
    addFood(9001, QStringLiteral("Mother's dal"), {{kProtein, 20}});
    addUnit(QStringLiteral("Bajra"), QStringLiteral("Cup"), 150);
    setOption(QStringLiteral("Defter"), QStringLiteral("-"));
    frmDIn& f = open();
    expectWarning(QStringLiteral("No user selected"));
    f.cmdAdd.click();

    f.cmbUser.choose(QStringLiteral("Asha"));
    for (const QString& amount : {QString(), QStringLiteral("30000.01"), QStringLiteral("-1"),
                                  QStringLiteral("abc"), QStringLiteral("0,125")}) {
        expectWarning(QStringLiteral("Some fields are empty"));
        save(f, QStringLiteral("Bajra"), amount);
    }
    expectWarning(QStringLiteral("Do not enter '"));
    save(f, QStringLiteral("Mother's dal"), QStringLiteral("10"));
    save(f, QStringLiteral("Bajra"), QStringLiteral("30000"));
    save(f, QStringLiteral("Barley"), QStringLiteral("0"));
    EXPECT_EQ(column(f.LstView, 3), (QStringList{QStringLiteral("30000"), QStringLiteral("0")}));

    // The unit is removed by another window while it is chosen here.
    f.LView.clickItem(QStringLiteral("Bajra"));
    f.cmbUnit.choose(QStringLiteral("Cup"));
    core::cn.Execute(QStringLiteral("DELETE FROM FoodUnit"));
    expectWarning(QStringLiteral(
        "The intake could not be saved: the unit 'Cup' is not defined for 'Bajra'."));
    f.txtQuan.type(QStringLiteral("1"));
    f.cmdAdd.click();
    EXPECT_EQ(f.LstView.ListItems.Count(), 2);
}

TEST_F(DiaryTest, HeaderIconsChooseTheOrderAndRefillsKeepIt) {
    eat(asha, QDate(2024, 1, 2), QStringLiteral("Ragi"), 50);
    eat(asha, QDate(2024, 1, 1), QStringLiteral("Barley"), 300);
    eat(asha, QDate(2024, 1, 3), QStringLiteral("Bajra"), 120);
    eat(meena, QDate(2024, 1, 3), QStringLiteral("Bajra"), 80);
    eat(meena, QDate(2024, 1, 4), QStringLiteral("Ragi"), 90);
    frmDIn& f = open();
    f.LstView.clickHeader(4);
    EXPECT_EQ(icons(f.LstView), (QList<int>{0, 0, 0, 1, 0}));
    EXPECT_EQ(column(f.LstView, 3),
              (QStringList{QStringLiteral("300"), QStringLiteral("120"), QStringLiteral("50")}));
    f.cmbUser.choose(QStringLiteral("Meena"));
    EXPECT_EQ(column(f.LstView, 3), (QStringList{QStringLiteral("90"), QStringLiteral("80")}));
    f.LstView.clickHeader(4);
    EXPECT_EQ(icons(f.LstView), (QList<int>{0, 0, 0, 2, 0}));
    EXPECT_EQ(column(f.LstView, 3), (QStringList{QStringLiteral("80"), QStringLiteral("90")}));

    // The icon reverses what was shown; the list's own direction flips from ascending.
    f.LstView.clickHeader(2);
    EXPECT_EQ(icons(f.LstView), (QList<int>{0, 1, 0, 0, 0}));
    EXPECT_EQ(column(f.LstView, 1), (QStringList{QStringLiteral("Ragi"), QStringLiteral("Bajra")}));
    save(f, QStringLiteral("Wheat, semolina"), QStringLiteral("10"));
    EXPECT_EQ(column(f.LstView, 1), (QStringList{QStringLiteral("Wheat, semolina"),
                                                 QStringLiteral("Ragi"), QStringLiteral("Bajra")}));
    EXPECT_EQ(icons(f.LstView), (QList<int>{0, 1, 0, 0, 0}));

    // Food list: one direction for its three columns.
    f.LView.clickHeader(1);
    EXPECT_EQ(icons(f.LView), (QList<int>{1, 0, 0}));
    f.LView.clickHeader(3);
    EXPECT_EQ(icons(f.LView), (QList<int>{0, 0, 2}));
    EXPECT_EQ(f.LView.ListItems(1).SubItems(2), QStringLiteral("ANIMAL MEAT"));
}

TEST_F(DiaryTest, NamesakesAreToldApartAndEachKeepsHerOwnDiary) {
    const qint32 miss = addNamesake(QStringLiteral("Asha"), QStringLiteral("Miss"));
    eat(asha, QDate(2024, 1, 1), QStringLiteral("Bajra"), 100);
    frmDIn& f = open();
    // The remembered name stands for its lowest userid.
    EXPECT_EQ(entries(f.cmbUser),
              (QStringList{"Asha (Mrs.)", "Asha (Miss)", "Meena", "Vikram", "-"}));
    EXPECT_EQ(column(f.LstView, 3), QStringList{QStringLiteral("100")});

    f.cmbUser.choose(QStringLiteral("Asha (Miss)"));
    EXPECT_EQ(f.LstView.ListItems.Count(), 0);
    save(f, QStringLiteral("Bajra"), QStringLiteral("200"));
    EXPECT_EQ(column(f.LstView, 3), QStringList{QStringLiteral("200")});
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM dayin WHERE uid = ?"), {miss}), 1);
    // The page tells her from her namesake as the list does.
    const QString page = exportPage(f.cmdExport, QStringLiteral("diary.html"));
    EXPECT_TRUE(page.contains(QStringLiteral("User : Asha (Miss)\r\n")));

    f.LstView.clickItem(1);
    host.expectMsgBox(QStringLiteral("Do you want to delete ?"), ui::vbYesNo | ui::vbQuestion,
                      QStringLiteral("Kelvora"))
        .answer(ui::vbNo);
    f.cmdDelete.click();
    EXPECT_EQ(f.LstView.ListItems.Count(), 1);
    host.expectMsgBox(QStringLiteral("Do you want to delete ?")).answer(ui::vbYes);
    f.cmdDelete.click();
    EXPECT_EQ(f.LstView.ListItems.Count(), 0);
    EXPECT_FALSE(f.cmdDelete.Enabled());
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM dayin WHERE uid = ?"), {asha}), 1);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM dayin")), 1);
    f.cmbUser.choose(QStringLiteral("Asha (Mrs.)"));
    EXPECT_EQ(column(f.LstView, 3), QStringList{QStringLiteral("100")});
}

TEST_F(DiaryTest, QuantityIsFormattedOnLeavingAndKeysActOnTheWindow) {
    frmDIn& f = open();
    const QList<QPair<QString, QString>> cases = {
        {QStringLiteral("7"), QStringLiteral("00007.00")},
        {QStringLiteral(" 250.456 "), QStringLiteral("00250.46")},
        {QStringLiteral("45000"), QStringLiteral("45000.00")},
        {QStringLiteral(" abc "), QStringLiteral("abc")}};
    for (const auto& [typed, shown] : cases) {
        f.txtQuan.type(typed);
        f.DTP.focus();
        EXPECT_EQ(f.txtQuan.Text(), shown);
    }
    f.txtQuan.type(QStringLiteral("1e400"));
    expectWarning(QStringLiteral("Too big number, enter between 0 and 30000"));
    f.DTP.focus();
    EXPECT_EQ(f.ActiveControl(), &f.txtQuan);
    f.txtQuan.type(QStringLiteral("5"));

    f.pressKey(ui::vbKeyF2);
    EXPECT_EQ(f.ActiveControl(), &f.cmbUser);
    f.cmdClose.click();
    EXPECT_FALSE(frmDIn::isLoaded());
}

TEST_F(DiaryTest, TheFoodHighlightedByKeysAndTheDayTypedAreWhatIsSaved) {
    frmDIn& f = open();
    f.LView.clickItem(1);
    f.LView.typeKeys(QStringLiteral("Rice"));
    EXPECT_EQ(f.LView.SelectedItem()->Text(), QStringLiteral("Rice bran oil"));
    EXPECT_EQ(f.txtFood.Text(), QStringLiteral("Rice bran oil"));
    f.LView.pressKey(ui::vbKeyDown);
    const QString next = f.LView.SelectedItem()->Text();
    EXPECT_EQ(f.txtFood.Text(), next);

    // Digits typed into the day; it shows in the same form before and after.
    EXPECT_EQ(f.DTP.displayText(), day(0));
    f.DTP.typeKeys(QStringLiteral("15032024"));
    EXPECT_EQ(f.DTP.displayText(), QStringLiteral("15-03-2024"));
    f.txtQuan.type(QStringLiteral("40"));
    f.cmdAdd.click();
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM dayin WHERE foodname = ? AND idate = "
                                   "'15-03-2024'"),
                    {next}),
              1);
}

// What Save stores is what the window shows when another category refills the food list.
TEST_F(DiaryTest, ARefilledFoodListKeepsThePickedFoodOrTheBoxLetsGoOfIt) {
    frmDIn& f = open();
    f.LView.clickItem(1);
    f.LView.typeKeys(QStringLiteral("wheat"));
    f.cmbCat.choose(QStringLiteral("CEREALS AND MILLETS"));
    EXPECT_EQ(f.LView.SelectedItem()->Text(), QStringLiteral("Wheat flour, atta"));
    EXPECT_EQ(f.txtFood.Text(), QStringLiteral("Wheat flour, atta"));
    f.cmbCat.choose(QStringLiteral("GREEN LEAFY VEGETABLES"));
    EXPECT_EQ(f.LView.SelectedItem(), nullptr);
    EXPECT_EQ(f.txtFood.Text(), QString());
    f.txtQuan.type(QStringLiteral("100"));
    expectWarning(QStringLiteral("Some fields are empty"));
    f.cmdAdd.click();
}

// A column placed before FOOD moves every later header along.
TEST_F(DiaryTest, TheDiaryFindsItsColumnsByTheirKeysWhereverTheyStand) {
    eat(asha, QDate(2024, 1, 1), QStringLiteral("Barley"), 300);
    eat(asha, QDate(2024, 1, 2), QStringLiteral("Ragi"), 50);
    frmDIn& f = open();
    f.LstView.ColumnHeaders.Add(2, QStringLiteral("x"), QStringLiteral("NOTE"));
    f.LstView.clickHeader(QStringLiteral("d"));
    f.LstView.clickHeader(QStringLiteral("d"));
    EXPECT_EQ(column(f.LstView, 3), (QStringList{"50", "300"}));
    f.LstView.clickItem(1);
    host.expectMsgBox(QStringLiteral("Do you want to delete ?")).answer(ui::vbYes);
    f.cmdDelete.click();
    EXPECT_EQ(column(f.LstView, 1), QStringList{QStringLiteral("Barley")});
}

TEST_F(DiaryTest, AnotherLanguageNamesTheFoodsThatHaveANameInIt) {
    addFood(9102, QStringLiteral("Twin"), {{kProtein, 90}});
    addFood(9101, QStringLiteral("Twin"), {{kProtein, 10}});
    core::cn.Execute(
        QStringLiteral("INSERT INTO lang (foodid, langid, foodlangname) SELECT "
                       "foodid, langid, 'Jumla ' || foodid FROM food, langcat "
                       "WHERE foodid > 9100 AND langname = 'Hindi'"));
    eat(asha, QDate(2024, 1, 1), QStringLiteral("Twin"), 100);
    eat(asha, QDate(2024, 1, 2), QStringLiteral("Barley"), 100);
    addFood(9001, QStringLiteral("Nameless"), {{kProtein, 1}});  // no name in any language
    eat(asha, QDate(2024, 1, 3), QStringLiteral("Nameless"), 100);
    frmDIn& f = open();
    f.cmbLang.choose(QStringLiteral("Hindi"));
    EXPECT_EQ(f.LView.ListItems.Count(),
              count(QStringLiteral("SELECT COUNT(*) FROM lang JOIN langcat USING (langid) "
                                   "WHERE langname = 'Hindi'")));
    EXPECT_EQ(f.LView.FindItem(QStringLiteral("Barley"))->SubItems(1), QStringLiteral("Jau"));
    EXPECT_EQ(column(f.LstView, 2),
              (QStringList{QStringLiteral("Jumla 9101"), QStringLiteral("Jau")}));

    const QString html = exportPage(f.cmdExport, QStringLiteral("diary.html"));
    EXPECT_TRUE(html.contains(QStringLiteral("Daily Intakes")));
    EXPECT_TRUE(html.contains(QStringLiteral("User : Asha")));
    EXPECT_TRUE(html.contains(QStringLiteral("Jumla 9101")));
}

}  // namespace
