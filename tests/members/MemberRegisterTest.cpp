#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMdiArea>
#include <QPixmap>
#include <QTreeWidget>

#include "MemberFixture.h"
#include "frame/DataFile.h"
#include "frame/frmMain.h"
#include "members/frmAdAct.h"
#include "runtime/App.h"
#include "support/DataFileTrouble.h"

namespace {

using members_test::Entry;
using members_test::MemberTest;

using members_test::kTitle;
using members_test::kWarning;

class RegisterTest : public MemberTest {
  protected:
    // A refusal at Save: the message, nothing stored, the entries kept.
    void expectRefused(frmUsr& f, const Entry& e, const QString& message,
                       std::optional<int> buttons = std::nullopt, ui::Control* focus = nullptr) {
        const qint64 before = value(QStringLiteral("SELECT count(*) FROM usr")).integerValue();
        enter(f, e);
        host.expectMsgBox(message, buttons);
        f.cmdAdd.click();
        host.verify();
        EXPECT_EQ(value(QStringLiteral("SELECT count(*) FROM usr")).integerValue(), before)
            << message.toStdString();
        EXPECT_EQ(f.txtFirstN.Text(), e.name.trimmed());
        if (focus != nullptr) {
            EXPECT_EQ(f.ActiveControl(), focus) << message.toStdString();
        }
    }
};

TEST_F(RegisterTest, OpensFromTheStartPageReadyForANewMember) {
    frmUsr& f = openRegister();
    EXPECT_TRUE(f.Visible());
    EXPECT_TRUE(f.MDIChild());
    EXPECT_EQ(f.Caption(), QStringLiteral("Personal Information"));
    EXPECT_EQ(f.SSTab1.Tab(), 0);
    EXPECT_EQ(f.ActiveControl(), &f.cmbPrefix);  // past the tab strip, ready for typing
    EXPECT_EQ(entries(f.cmbPrefix), (QStringList{"Mr.", "Mrs.", "Miss", "Ms.", "Dr.", "Er."}));
    EXPECT_EQ(f.cmbSex.Text(), QStringLiteral("Male"));
    EXPECT_EQ(f.Combo1.Text(), QStringLiteral("Years"));
    EXPECT_EQ(f.txtCondition.Text(), QStringLiteral("--"));
    EXPECT_FALSE(f.txtCondition.Enabled());
    EXPECT_EQ(f.cmbActivity.ListCount(), 15);
    EXPECT_EQ(f.cmbActivity.Text(), QStringLiteral("Carpenter"));
    EXPECT_EQ(f.LViews.ColumnHeaders(1).shownIcon().isNull(), false);
    EXPECT_EQ(f.LViews.ColumnHeaders(12).Text(), QStringLiteral("System Tag "));
    EXPECT_EQ(f.LViews.ColumnHeaders(12).Width(), 0);
    EXPECT_FALSE(f.cmdEdit.Enabled());
    EXPECT_TRUE(f.cmdExport.Enabled());
    // A second click brings the same window to the front.
    frmStrt::instance().lblPersonal.click();
    EXPECT_EQ(&frmUsr::instance(), &f);
    EXPECT_EQ(frmMain::instance().mdiArea()->subWindowList().size(), 2);
}

TEST_F(RegisterTest, SaveStoresTheMemberWithBlanksAndGroupThenResets) {
    frmUsr& f = openRegister();
    Entry e;
    e.prefix = QStringLiteral("Mrs.");
    e.name = QStringLiteral("Asha Rao");
    e.sex = QStringLiteral("Female");
    e.age = QStringLiteral("29");
    e.condition = QStringLiteral("Pregnant");
    e.activity = QStringLiteral("Farm labourer");
    e.email = QStringLiteral("asha@example.in");
    save(f, e);

    db::Recordset rs;
    rs.Open(QStringLiteral("SELECT * FROM usr"), core::cn);
    ASSERT_FALSE(rs.EOF());
    EXPECT_EQ(rs["Prefix"].text(), QStringLiteral("Mrs."));
    EXPECT_EQ(rs["Address"].text(), QStringLiteral(" "));
    EXPECT_EQ(rs["Phone"].text(), QStringLiteral(" "));
    EXPECT_EQ(rs["EMail"].text(), QStringLiteral("asha@example.in"));
    EXPECT_EQ(rs["Age"], db::Variant(29));
    EXPECT_EQ(rs["period"].text(), QStringLiteral("Y"));
    EXPECT_EQ(rs["Cndition"].text(), QStringLiteral("Pregnant"));
    EXPECT_EQ(rs["gid"], db::Variant(30));
    const QString id = rs["userid"].text();

    ASSERT_EQ(f.LViews.ListItems.Count(), 1);
    EXPECT_EQ(f.LViews.rowTexts(1),
              (QStringList{"Mrs.", "Asha Rao", " ", "Female", "29", " ", "asha@example.in", "68",
                           "172", "Pregnant", "Farm labourer"}));
    EXPECT_EQ(f.LViews.ListItems(1).SubItems(11), id);
    // The entry tab is ready for the next member; the age unit stays.
    EXPECT_EQ(f.txtFirstN.Text(), QString());
    EXPECT_EQ(f.txtAge.Text(), QString());
    EXPECT_EQ(f.cmbSex.Text(), QStringLiteral("Male"));
    EXPECT_EQ(f.txtCondition.Text(), QStringLiteral("--"));
    EXPECT_EQ(f.cmbActivity.Text(), QStringLiteral("Carpenter"));
    EXPECT_FALSE(host.busy());
    EXPECT_GT(host.busyCount(), 0);
}

TEST_F(RegisterTest, AnAgeInMonthsFindsOnlyAGroupInMonths) {
    frmUsr& f = openRegister();
    Entry e;
    e.name = QStringLiteral("Baby Arjun");
    e.age = QStringLiteral("8");
    e.unit = QStringLiteral("Months");
    e.height = QStringLiteral("70");
    e.weight = QStringLiteral("8");
    e.activity = QStringLiteral("Child");
    save(f, e);
    EXPECT_EQ(value(QStringLiteral("SELECT period FROM usr")).text(), QStringLiteral("M"));
    EXPECT_EQ(value(QStringLiteral("SELECT gid FROM usr")), db::Variant(54));
    EXPECT_EQ(f.Combo1.Text(), QStringLiteral("Months"));
}

TEST_F(RegisterTest, TheSameNameNeedsAnotherPrefix) {
    frmUsr& f = openRegister();
    Entry e;
    save(f, e);
    e.prefix = QStringLiteral("Dr.");
    save(f, e);
    EXPECT_EQ(f.LViews.ListItems.Count(), 2);

    expectRefused(f, e, QStringLiteral("This name is already exist."),
                  ui::vbOKOnly | ui::vbInformation);
    EXPECT_EQ(f.LViews.ListItems.Count(), 2);
    // Corrected, the entry goes through and the tab is reset.
    f.txtFirstN.type(QStringLiteral("Ravi Shankar"));
    f.cmdAdd.click();
    EXPECT_EQ(f.LViews.ListItems.Count(), 3);
    EXPECT_EQ(f.txtFirstN.Text(), QString());
}

TEST_F(RegisterTest, SaveChecksTheFieldsInOrder) {
    frmUsr& f = openRegister();
    auto with = [](auto change) {
        Entry e;
        change(e);
        return e;
    };
    expectRefused(f, with([](Entry& e) { e.name = QStringLiteral("   "); }),
                  QStringLiteral("Please enter a Name"), kWarning, &f.txtFirstN);
    expectRefused(f, with([](Entry& e) { e.age.clear(); }), QStringLiteral("Enter age"),
                  ui::vbOKOnly, &f.txtAge);
    expectRefused(f, with([](Entry& e) { e.age = QStringLiteral("ten"); }),
                  QStringLiteral("Enter numbers only"), ui::vbOKOnly, &f.txtAge);
    for (const char* age : {"0", "101"}) {
        expectRefused(f, with([age](Entry& e) { e.age = QString::fromLatin1(age); }),
                      QStringLiteral("Please enter Age between 1 and 100"), kWarning, &f.txtAge);
    }
    expectRefused(f, with([](Entry& e) { e.weight.clear(); }),
                  QStringLiteral("Please enter weight"), kWarning, &f.txtWeight);
    for (const char* weight : {"heavy", "0,125"}) {
        expectRefused(f, with([weight](Entry& e) { e.weight = QString::fromLatin1(weight); }),
                      QStringLiteral("Please numbers only."), kWarning, &f.txtWeight);
    }
    expectRefused(f, with([](Entry& e) { e.height = QStringLiteral("1,72"); }),
                  QStringLiteral("Please numbers only."), kWarning, &f.txtHeight);
    for (const char* weight : {"0", "131"}) {
        expectRefused(f, with([weight](Entry& e) { e.weight = QString::fromLatin1(weight); }),
                      QStringLiteral("Please enter numbers between 1 and 130 only."), kWarning,
                      &f.txtWeight);
    }
    expectRefused(f, with([](Entry& e) { e.height.clear(); }),
                  QStringLiteral("Please enter height"), kWarning, &f.txtHeight);
    // 0.4 is rounded to 0 when the field is left.
    for (const char* height : {"0.4", "201"}) {
        expectRefused(f, with([height](Entry& e) { e.height = QString::fromLatin1(height); }),
                      QStringLiteral("Please enter numbers between 1 and 200 only."), kWarning,
                      &f.txtHeight);
    }
    expectRefused(f, with([](Entry& e) {
                      e.sex = QStringLiteral("Female");
                      e.age = QStringLiteral("10");
                      e.condition = QStringLiteral("Pregnant");
                      e.activity = QStringLiteral("Teenager");
                  }),
                  QStringLiteral("Please enter age between 15 and 45 for Preganent lady."),
                  kWarning);
    expectRefused(f, with([](Entry& e) {
                      e.age = QStringLiteral("5");
                      e.activity = QStringLiteral("Teenager");
                  }),
                  QStringLiteral("Please select a category for a child."), ui::vbOKOnly);
    expectRefused(f, with([](Entry& e) { e.age = QStringLiteral("12"); }),
                  QStringLiteral("Please select a category for teenager"), ui::vbOKOnly);
    expectRefused(f, with([](Entry& e) { e.name = QStringLiteral("D'Souza"); }),
                  QStringLiteral("Do not enter '"), ui::vbOKOnly);
    expectRefused(f, with([](Entry& e) { e.email = QStringLiteral("o'neil@example.in"); }),
                  QStringLiteral("Do not enter '"), ui::vbOKOnly);
    EXPECT_FALSE(host.busy());

    // What passes: 100 and 1, an empty telephone, a teenager of 17 at work, a girl of 10 with
    // a lactation condition (the condition rules ask nothing more of her).
    save(f, with([](Entry& e) { e.age = QStringLiteral("100"); }));
    save(f, with([](Entry& e) {
             e.prefix = QStringLiteral("Miss");
             e.age = QStringLiteral("1");
             e.activity = QStringLiteral("Child");
         }));
    save(f, with([](Entry& e) {
             e.prefix = QStringLiteral("Er.");
             e.age = QStringLiteral("17");
         }));
    save(f, with([](Entry& e) {
             e.prefix = QStringLiteral("Ms.");
             e.sex = QStringLiteral("Female");
             e.age = QStringLiteral("10");
             e.condition = QStringLiteral("Lactation (0-6 Months)");
             e.activity = QStringLiteral("Teenager");
         }));
    EXPECT_EQ(listColumn(f, 4), (QStringList{"100", "1", "17", "10"}));
}

TEST_F(RegisterTest, AnActivityWithoutItsRowIsRefused) {
    core::cn.Execute(QStringLiteral("DELETE FROM usrcat"));
    frmUsr& f = openRegister();
    EXPECT_EQ(f.cmbActivity.ListCount(), 0);
    enter(f, Entry());
    host.expectMsgBox(QStringLiteral("Please select an activity."));
    f.cmdAdd.click();
    EXPECT_EQ(value(QStringLiteral("SELECT count(*) FROM usr")), db::Variant(0));
}

TEST_F(RegisterTest, LeavingFieldsTidiesThem) {
    frmUsr& f = openRegister();
    f.txtFirstN.type(QStringLiteral("  Meena  "));
    f.txtAge.type(QStringLiteral("25.5"));
    f.txtWeight.type(QStringLiteral(" 007 "));
    f.txtHeight.type(QStringLiteral("24.5"));
    f.txtAddress.focus();
    EXPECT_EQ(f.txtFirstN.Text(), QStringLiteral("Meena"));
    EXPECT_EQ(f.txtAge.Text(), QStringLiteral("26"));
    EXPECT_EQ(f.txtWeight.Text(), QStringLiteral("7"));
    EXPECT_EQ(f.txtHeight.Text(), QStringLiteral("24"));

    // A number too big for the field: the warning, and the person stays in the field. Left for
    // Save, Save's own check follows and says why nothing is stored.
    const QList<std::pair<ui::TextBox*, QString>> overflows = {
        {&f.txtAge, QStringLiteral("Too big number, enter between 1 and 100")},
        {&f.txtWeight, QStringLiteral("Too big number, enter between 0 and 130")},
        {&f.txtHeight, QStringLiteral("Too big number, enter between 0 and 200")}};
    for (const auto& [box, warning] : overflows) {
        box->type(QStringLiteral("99999"));
        host.expectMsgBox(warning, ui::vbOKOnly, kTitle);
        f.txtAddress.focus();
        EXPECT_EQ(f.ActiveControl(), box);
        host.expectMsgBox(warning, ui::vbOKOnly, kTitle);
        host.expectMsgBox(QStringLiteral("Some field contain too big number, enter it again."),
                          ui::vbOKOnly, kTitle);
        EXPECT_FALSE(f.cmdAdd.click());
        EXPECT_EQ(f.ActiveControl(), box);
        box->type(QStringLiteral("50"));
    }
    EXPECT_EQ(value(QStringLiteral("SELECT count(*) FROM usr")), db::Variant(0));

    // A telephone that is not digits alone keeps the person in the field.
    f.txtPhone.type(QStringLiteral("12-34"));
    host.expectMsgBox(QStringLiteral("Please enter numbers only."),
                      ui::vbOKOnly | ui::vbInformation, kTitle);
    f.txtEMail.focus();
    EXPECT_EQ(f.ActiveControl(), &f.txtPhone);
    f.txtPhone.type(QStringLiteral("9845012345"));
    f.txtEMail.focus();
    EXPECT_EQ(f.ActiveControl(), &f.txtEMail);
    f.txtPhone.type(QStringLiteral("  "));
    f.txtEMail.focus();
    EXPECT_EQ(f.txtPhone.Text(), QString());
    EXPECT_EQ(f.ActiveControl(), &f.txtEMail);
}

TEST_F(RegisterTest, TheConditionListFollowsSexAndAge) {
    frmUsr& f = openRegister();
    f.cmbSex.choose(QStringLiteral("Female"));
    EXPECT_FALSE(f.txtCondition.Enabled());
    // Typed digit by digit: "2" is below 8 and closes the list, "25" opens it.
    f.txtAge.focus();
    f.txtAge.typeKeys(QStringLiteral("2"));
    EXPECT_FALSE(f.txtCondition.Enabled());
    f.txtAge.typeKeys(QStringLiteral("5"));
    EXPECT_TRUE(f.txtCondition.Enabled());
    f.txtCondition.choose(QStringLiteral("Lactation (6-12 Months)"));
    // By age the list opens from 8 to 50, by sex from 15 to 45; the last change decides.
    f.txtAge.type(QStringLiteral("48"));
    EXPECT_TRUE(f.txtCondition.Enabled());
    f.cmbSex.choose(QStringLiteral("Female"));
    EXPECT_FALSE(f.txtCondition.Enabled());
    EXPECT_EQ(f.txtCondition.Text(), QStringLiteral("Lactation (6-12 Months)"));
    f.txtAge.type(QStringLiteral("abc"));
    EXPECT_FALSE(f.txtCondition.Enabled());
    EXPECT_EQ(f.txtCondition.Text(), QStringLiteral("--"));
    f.txtAge.type(QStringLiteral("30"));
    f.txtCondition.choose(QStringLiteral("Pregnant"));
    f.cmbSex.choose(QStringLiteral("Male"));
    EXPECT_FALSE(f.txtCondition.Enabled());
    EXPECT_EQ(f.txtCondition.Text(), QStringLiteral("--"));

    f.cmdCancel.click();
    EXPECT_EQ(f.cmbSex.Text(), QStringLiteral("Male"));
    EXPECT_EQ(f.txtAge.Text(), QString());
    EXPECT_EQ(f.ActiveControl(), &f.cmbPrefix);
}

TEST_F(RegisterTest, AFailedInsertSaysSoAndKeepsTheEntries) {
    storeMember(QStringLiteral("Mr."), QStringLiteral("Vikram"), 40);
    core::cn.Execute(
        QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON usr "
                       "BEGIN SELECT RAISE(ABORT, 'the data file is locked'); END"));
    frmUsr& f = openRegister();
    Entry e;
    enter(f, e);
    host.expectMsgBox(QStringLiteral("The member was not saved.\nthe data file is locked"),
                      kWarning, kTitle);
    f.cmdAdd.click();
    EXPECT_EQ(f.txtFirstN.Text(), e.name);
    EXPECT_EQ(f.txtAge.Text(), e.age);
    EXPECT_EQ(listColumn(f, 1), QStringList{"Vikram"});
    EXPECT_FALSE(host.busy());
}

// A data file that cannot be written: the person reads why, and the log keeps the failure.
TEST_F(RegisterTest, ASaveOnAReadOnlyFileSaysWhyAndIsLogged) {
    trouble::makeReadOnly(core::cn, dataFile(), QString::fromLatin1(frame::kDatabasePassword));
    frmUsr& f = openRegister();
    Entry e;
    enter(f, e);
    host.expectMsgBox(QStringLiteral("The member was not saved.\nThe data file %1 cannot be "
                                     "written (it or its folder is read-only).")
                          .arg(dataFile()),
                      kWarning, kTitle);
    f.cmdAdd.click();
    EXPECT_EQ(f.txtFirstN.Text(), e.name);
    QFile log(userDir() + QStringLiteral("/report.Log"));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QStringList record = QString::fromUtf8(log.readAll()).split(QStringLiteral("\r\n"));
    EXPECT_EQ(record.value(1), QStringLiteral("=====Error Number = 3027"));
    EXPECT_EQ(record.value(3),
              QStringLiteral("=====Error Source = frmUsr::SaveUser (Kelvora data)"));
}

TEST_F(RegisterTest, TheListShowsEveryMemberAlsoWithEmptyColumns) {
    storeMember(QStringLiteral("Mr."), QStringLiteral("Vikram"), 40);
    core::cn.Execute(QStringLiteral("INSERT INTO usr (Prefix, FirstN) VALUES (NULL, 'Nobody')"));
    storeMember(QStringLiteral("Ms."), QStringLiteral("Meena"), 30, QStringLiteral("Female"));
    frmUsr& f = openRegister();
    EXPECT_EQ(listColumn(f, 1), (QStringList{"Vikram", "Nobody", "Meena"}));
    EXPECT_EQ(f.LViews.rowTexts(2),
              (QStringList{"", "Nobody", "", "", "", "", "", "", "", "", ""}));
    f.SSTab1.chooseTab(1);
    EXPECT_TRUE(f.cmdEdit.Enabled());
    EXPECT_TRUE(f.cmdDelete.Enabled());
}

TEST_F(RegisterTest, DeletingTheDefaultMemberTakesItsDiaryAndThePreference) {
    const qint64 asha =
        storeMember(QStringLiteral("Mrs."), QStringLiteral("Asha"), 30, QStringLiteral("Female"));
    const qint64 other =
        storeMember(QStringLiteral("Dr."), QStringLiteral("Asha"), 52, QStringLiteral("Female"));
    for (const qint64 id : {asha, other}) {
        eat(id, QDate(2024, 3, 1), QStringLiteral("Rice"), 100);
    }
    setOption(QStringLiteral("Defter"), QStringLiteral("Asha"));
    frmUsr& f = openRegister();
    f.SSTab1.chooseTab(1);
    // The stored name stands for the lowest userid of that name, not for her namesake.
    f.LViews.clickItem(2);
    host.expectMsgBox(QStringLiteral("Do you want to remove user  'Dr. Asha' ?")).answer(ui::vbNo);
    f.cmdDelete.click();
    f.LViews.clickItem(1);

    host.expectMsgBox(QStringLiteral("Do you want to remove this user ? This is default user."),
                      ui::vbYesNo | ui::vbQuestion, kTitle)
        .answer(ui::vbNo);
    f.cmdDelete.click();
    EXPECT_EQ(f.LViews.ListItems.Count(), 2);

    host.expectMsgBox(QStringLiteral("Do you want to remove this user ? This is default user."))
        .answer(ui::vbYes);
    f.cmdDelete.click();
    EXPECT_EQ(column(QStringLiteral("SELECT Prefix FROM usr")), QStringList{"Dr."});
    EXPECT_EQ(column(QStringLiteral("SELECT uid FROM dayin")), QStringList{QString::number(other)});
    EXPECT_EQ(option(QStringLiteral("Defter")), QStringLiteral("-"));
    EXPECT_EQ(listColumn(f, 0), QStringList{"Dr."});
    EXPECT_FALSE(host.busy());
}

TEST_F(RegisterTest, DeletingAnotherMemberLeavesThePreferenceAndTheLastOneTheButtons) {
    storeMember(QStringLiteral("Mr."), QStringLiteral("Vikram"), 40);
    setOption(QStringLiteral("Defter"), QStringLiteral("VIKRAM"));
    frmUsr& f = openRegister();
    f.SSTab1.chooseTab(1);
    host.expectMsgBox(QStringLiteral("Do you want to remove user  'Mr. Vikram' ?"))
        .answer(ui::vbYes);
    f.cmdDelete.click();
    EXPECT_EQ(f.LViews.ListItems.Count(), 0);
    EXPECT_FALSE(f.cmdEdit.Enabled());
    EXPECT_FALSE(f.cmdDelete.Enabled());
    EXPECT_TRUE(f.cmdExport.Enabled());
    EXPECT_EQ(option(QStringLiteral("Defter")), QStringLiteral("VIKRAM"));
}

TEST_F(RegisterTest, AFailedDeleteKeepsTheMemberAndItsDiary) {
    const qint64 id = storeMember(QStringLiteral("Mr."), QStringLiteral("Vikram"), 40);
    eat(id, QDate(2024, 3, 1), QStringLiteral("Rice"), 100);
    core::cn.Execute(
        QStringLiteral("CREATE TRIGGER keep BEFORE DELETE ON usr "
                       "BEGIN SELECT RAISE(ABORT, 'the data file is locked'); END"));
    frmUsr& f = openRegister();
    f.SSTab1.chooseTab(1);
    host.expectMsgBox(QStringLiteral("Do you want to remove user  'Mr. Vikram' ?"))
        .answer(ui::vbYes);
    host.expectMsgBox(QStringLiteral("The member was not removed.\nthe data file is locked"),
                      kWarning, kTitle);
    f.cmdDelete.click();
    EXPECT_EQ(value(QStringLiteral("SELECT count(*) FROM dayin")), db::Variant(1));
    EXPECT_EQ(f.LViews.ListItems.Count(), 1);
}

TEST_F(RegisterTest, HeaderClicksSortAsTextAndTheSortOutlivesRefills) {
    storeMember(QStringLiteral("Mr."), QStringLiteral("Vikram"), 25);
    storeMember(QStringLiteral("Dr."), QStringLiteral("Anil"), 100);
    storeMember(QStringLiteral("Ms."), QStringLiteral("Meena"), 9, QStringLiteral("Female"));
    frmUsr& f = openRegister();
    f.SSTab1.chooseTab(1);
    ui::ColumnHeaderCollection& headers = f.LViews.ColumnHeaders;
    auto icons = [&headers] {
        QStringList list;
        for (int i = 1; i <= 11; ++i) {
            const QString icon = headers(i).Icon().toString();
            list << (icon == QLatin1String("0") ? QString() : icon);
        }
        return list.join(QLatin1Char(','));
    };
    EXPECT_EQ(listColumn(f, 1), (QStringList{"Vikram", "Anil", "Meena"}));

    f.LViews.clickHeader(QStringLiteral("e"));
    EXPECT_EQ(listColumn(f, 4), (QStringList{"9", "25", "100"}));
    EXPECT_EQ(icons(), QStringLiteral(",,,,up,,,,,,"));
    f.LViews.clickHeader(QStringLiteral("e"));
    EXPECT_EQ(listColumn(f, 4), (QStringList{"100", "25", "9"}));
    EXPECT_EQ(icons(), QStringLiteral(",,,,down,,,,,,"));
    f.LViews.clickHeader(QStringLiteral("b"));
    EXPECT_EQ(listColumn(f, 1), (QStringList{"Vikram", "Meena", "Anil"}));
    EXPECT_EQ(icons(), QStringLiteral(",up,,,,,,,,,"));
    // The hidden header has no key: it reverses the direction of the column sorted so far.
    f.LViews.clickHeader(12);
    EXPECT_EQ(listColumn(f, 1), (QStringList{"Anil", "Meena", "Vikram"}));
    f.LViews.clickHeader(12);
    EXPECT_EQ(listColumn(f, 1), (QStringList{"Vikram", "Meena", "Anil"}));
    EXPECT_EQ(icons(), QStringLiteral(",up,,,,,,,,,"));

    // A new member takes its place in the sorted list; the headers stay as they are.
    f.SSTab1.chooseTab(0);
    Entry e;
    e.name = QStringLiteral("Kiran");
    save(f, e);
    EXPECT_EQ(listColumn(f, 1), (QStringList{"Vikram", "Meena", "Kiran", "Anil"}));
    EXPECT_EQ(icons(), QStringLiteral(",up,,,,,,,,,"));
}

TEST_F(RegisterTest, ExportWritesEveryColumnUnderTheTitleMembers) {
    const qint64 id = storeMember(QStringLiteral("Mr."), QStringLiteral("Vikram"), 40);
    frmUsr& f = openRegister();
    f.SSTab1.chooseTab(1);
    const QString file = programDir() + QStringLiteral("/members.html");
    host.expectSaveDialog().answer(file);
    host.expectMsgBox(
            QStringLiteral("Do you want to open the file '") + file + QStringLiteral("' ?"),
            ui::vbYesNo | ui::vbQuestion, kTitle)
        .answer(ui::vbNo);
    f.cmdExport.click();
    QFile page(file);
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QString html = QString::fromLatin1(page.readAll());
    EXPECT_TRUE(html.contains(QStringLiteral("Members")));
    EXPECT_TRUE(html.contains(QStringLiteral("System Tag ")));
    EXPECT_TRUE(
        html.contains(QStringLiteral("<td>") + QString::number(id) + QStringLiteral("</td>")));

    // Cancelled, nothing is asked; the next export still proposes the last file.
    host.expectSaveDialog().cancel();
    f.cmdExport.click();
    auto again = host.expectSaveDialog();
    f.cmdExport.click();
    EXPECT_EQ(again.request().FileName, file);
}

TEST_F(RegisterTest, EscapeAndCloseUnloadAndReopeningStartsAfresh) {
    frmUsr& f = openRegister();
    f.txtFirstN.type(QStringLiteral("Half typed"));
    f.pressKey(ui::vbKeyEscape);
    EXPECT_FALSE(frmUsr::isLoaded());
    frmUsr& again = openRegister();
    EXPECT_EQ(again.txtFirstN.Text(), QString());
    again.cmdClose.click();
    EXPECT_FALSE(frmUsr::isLoaded());
}

TEST_F(RegisterTest, ScreenshotOfTheMemberList) {
    struct Row {
        const char* prefix;
        const char* name;
        int age;
        const char* sex;
        const char* period;
        const char* condition;
        const char* activity;
    };
    const Row members[] = {
        {"Mr.", "Ravi Kumar", 34, "Male", "Y", "--", "Office worker"},
        {"Mrs.", "Asha Rao", 29, "Female", "Y", "Pregnant", "Farm labourer"},
        {"Miss", "Priya Nair", 12, "Female", "Y", "--", "Teenager"},
        {"Mr.", "Arjun Singh", 8, "Male", "M", "--", "Child"},
        {"Ms.", "Lakshmi Iyer", 31, "Female", "Y", "Lactation (0-6 Months)", "Teacher"},
        {"Dr.", "Mohan Das", 67, "Male", "Y", "--", "Retired"},
        {"Er.", "Farhan Ali", 41, "Male", "Y", "--", "Construction labourer"},
    };
    for (const Row& m : members) {
        storeMember(QString::fromLatin1(m.prefix), QString::fromLatin1(m.name), m.age,
                    QString::fromLatin1(m.sex), QString::fromLatin1(m.period),
                    QString::fromLatin1(m.condition), QString::fromLatin1(m.activity));
    }
    frmMain& main = frmMain::instance();
    main.resize(1700, 620);
    frmUsr& f = openRegister();
    f.SSTab1.chooseTab(1);
    f.Move(0, 0, 25200, 8100);
    QCoreApplication::processEvents();
    const QImage shot = main.grab().toImage();
    ASSERT_FALSE(shot.isNull());
    const QString folder = QStringLiteral(KELVORA_PROGRAM_DIR "/../screenshots");
    QDir().mkpath(folder);
    EXPECT_TRUE(shot.save(folder + QStringLiteral("/members.png")));
    EXPECT_EQ(f.LViews.ListItems.Count(), 7);
}

}  // namespace
