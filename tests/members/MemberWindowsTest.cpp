#include "MemberFixture.h"
#include "members/frmAdAct.h"
#include "members/frmUE.h"
#include "members/frmUPrp.h"

namespace {

using members_test::Entry;
using members_test::MemberTest;

using members_test::kTitle;
using members_test::kWarning;

// The edit window opened from the register's list on the member with the given name.
class EditTest : public MemberTest {
  protected:
    void edit(const QString& name, std::function<void(frmUE&)> act) {
        frmUsr& f = openRegister();
        f.SSTab1.chooseTab(1);
        host.expectModal<frmUE>(std::move(act));
        const ui::ListItem* row = f.LViews.FindItem(name, ui::lvwSubItem);
        ASSERT_NE(row, nullptr);
        f.LViews.dblClickItem(row->Index());
        host.verify();
    }
    static QString gid(qint64 id) {
        return value(QStringLiteral("SELECT gid FROM usr WHERE userid = ?"), {id}).text();
    }
};

TEST_F(EditTest, OpensOnTheSelectedMemberWithItsValuesFirst) {
    storeMember(QStringLiteral("Mr."), QStringLiteral("Vikram"), 40);
    storeMember(QStringLiteral("Mrs."), QStringLiteral("Asha"), 30, QStringLiteral("Female"),
                QStringLiteral("Y"), QStringLiteral("Lactation (0-6 Months)"),
                QStringLiteral("Teacher"));
    edit(QStringLiteral("Asha"), [](frmUE& f) {
        EXPECT_EQ(f.Caption(), QStringLiteral("User Update"));
        EXPECT_EQ(f.txtFirstN.Text(), QStringLiteral("Asha"));
        EXPECT_EQ(f.txtAddress.Text(), QStringLiteral(" "));
        EXPECT_EQ(f.txtAge.Text(), QStringLiteral("30"));
        EXPECT_EQ(entries(f.cmbPrefix), (QStringList{"Mrs.", "Mr.", "Miss", "Ms.", "Dr.", "Er."}));
        EXPECT_EQ(entries(f.cmbSex), (QStringList{"Female", "Male"}));
        EXPECT_EQ(entries(f.txtCondition), (QStringList{"Lactation (0-6 Months)", "Pregnant",
                                                        "Lactation (6-12 Months)", "--"}));
        EXPECT_TRUE(f.txtCondition.Enabled());
        const QStringList activities = entries(f.cmbActivity);
        ASSERT_EQ(activities.size(), 15);
        EXPECT_EQ(activities.mid(0, 4),
                  (QStringList{"Teacher", "Carpenter", "Child", "Construction labourer"}));
        // A man has no condition: "--" is chosen and the list closed.
        f.cmbSex.choose(QStringLiteral("Male"));
        EXPECT_EQ(f.txtCondition.Text(), QStringLiteral("--"));
        EXPECT_FALSE(f.txtCondition.Enabled());
        // By age this window offers conditions from 15 to 45 (the register from 8 to 50).
        f.cmbSex.choose(QStringLiteral("Female"));
        f.txtCondition.choose(QStringLiteral("Pregnant"));
        f.txtAge.type(QStringLiteral("12"));
        EXPECT_EQ(f.txtCondition.Text(), QStringLiteral("--"));
        EXPECT_FALSE(f.txtCondition.Enabled());
        f.txtAge.type(QStringLiteral("45"));
        EXPECT_TRUE(f.txtCondition.Enabled());
        f.pressKey(ui::vbKeyEscape);
    });
    EXPECT_FALSE(frmUE::isLoaded());
    EXPECT_EQ(value(QStringLiteral("SELECT Sex FROM usr WHERE FirstN = 'Asha'")).text(),
              QStringLiteral("Female"));
}

TEST_F(EditTest, UpdateChoosesTheGroupAgainByTheSameRule) {
    const qint64 man = storeMember(QStringLiteral("Mr."), QStringLiteral("Vikram"), 40);
    const qint64 baby =
        storeMember(QStringLiteral("Mr."), QStringLiteral("Arjun"), 8, QStringLiteral("Male"),
                    QStringLiteral("M"), QStringLiteral("--"), QStringLiteral("Child"));
    // The register's own choice of the stored members.
    core::cn.Execute(QStringLiteral("UPDATE usr SET gid = 8 WHERE userid = ?"), {man});

    edit(QStringLiteral("Vikram"), [](frmUE& f) {
        f.txtPhone.type(QStringLiteral("9876543210"));
        f.txtAge.type(QStringLiteral("17"));
        f.cmbActivity.choose(QStringLiteral("Stone cutter"));
        f.cmdUpdate.click();
    });
    EXPECT_FALSE(frmUE::isLoaded());
    EXPECT_EQ(gid(man), QStringLiteral("11"));
    EXPECT_EQ(value(QStringLiteral("SELECT Phone FROM usr WHERE userid = ?"), {man}).text(),
              QStringLiteral("9876543210"));
    EXPECT_EQ(
        frmUsr::instance().LViews.FindItem(QStringLiteral("Vikram"), ui::lvwSubItem)->SubItems(4),
        QStringLiteral("17"));

    // An age in months stays in months: 9 months is a group in months, never 9 years.
    edit(QStringLiteral("Arjun"), [](frmUE& f) {
        EXPECT_EQ(f.lbl[6].Caption(), QStringLiteral("&Age (Year)"));
        f.txtAge.type(QStringLiteral("9"));
        f.cmdUpdate.click();
    });
    EXPECT_EQ(value(QStringLiteral("SELECT period FROM usr WHERE userid = ?"), {baby}).text(),
              QStringLiteral("M"));
    EXPECT_EQ(gid(baby), QStringLiteral("54"));

    // A member that no group fits any more has no group, rather than the one it had.
    edit(QStringLiteral("Vikram"), [](frmUE& f) {
        f.txtAge.type(QStringLiteral("30"));
        f.cmbActivity.choose(QStringLiteral("Child"));
        f.cmdUpdate.click();
    });
    EXPECT_EQ(gid(man), QString());
}

TEST_F(EditTest, TheEditChecksLetAStoredMemberThroughAndRefuseTheRest) {
    const qint64 id = storeMember(QStringLiteral("Dr."), QStringLiteral("Mohan"), 88);
    edit(QStringLiteral("Mohan"), [this](frmUE& f) {
        // Every stored age can be edited, up to 100 as in the register.
        f.txtAge.type(QStringLiteral("101"));
        host.expectMsgBox(QStringLiteral("Please enter Age between 1 and 100"), kWarning, kTitle);
        f.cmdUpdate.click();
        EXPECT_EQ(f.ActiveControl(), &f.txtAge);
        f.txtAge.type(QStringLiteral("99999"));
        host.expectMsgBox(QStringLiteral("Too big number, enter between 1 and 100"), ui::vbOKOnly);
        f.cmdUpdate.click();
        f.txtAge.type(QStringLiteral("71"));
        f.txtHeight.type(QStringLiteral("0.4"));
        host.expectMsgBox(QStringLiteral("Please enter numbers between 1 and 200 only."));
        f.cmdUpdate.click();
        EXPECT_EQ(f.txtHeight.Text(), QStringLiteral("0"));
        f.txtPhone.type(QStringLiteral("12-34"));
        f.txtHeight.type(QString());
        // The telephone is checked at Update only.
        host.expectMsgBox(QStringLiteral("Please numbers only."), kWarning, kTitle);
        f.cmdUpdate.click();
        EXPECT_EQ(f.ActiveControl(), &f.txtPhone);
        f.txtPhone.type(QString());
        f.txtWeight.type(QString());
        f.txtFirstN.type(QStringLiteral("Mohan D'Cruz"));
        host.expectMsgBox(QStringLiteral("Do not enter '"), ui::vbOKOnly);
        f.cmdUpdate.click();
        f.txtFirstN.type(QStringLiteral("Mohan Das"));
        f.cmdUpdate.click();
    });
    db::Recordset rs;
    rs.Open(QStringLiteral("SELECT * FROM usr WHERE userid = ?"), core::cn, {id});
    EXPECT_EQ(rs["FirstN"].text(), QStringLiteral("Mohan Das"));
    EXPECT_EQ(rs["Age"], db::Variant(71));
    EXPECT_EQ(rs["Heigt"].text(), QStringLiteral(" "));
    EXPECT_EQ(rs["Weigh"].text(), QStringLiteral(" "));
    EXPECT_EQ(rs["gid"], db::Variant(8));
}

TEST_F(EditTest, AFailedUpdateSaysSoAndKeepsTheWindowOpen) {
    storeMember(QStringLiteral("Mr."), QStringLiteral("Vikram"), 40);
    core::cn.Execute(
        QStringLiteral("CREATE TRIGGER keep BEFORE UPDATE ON usr "
                       "BEGIN SELECT RAISE(ABORT, 'the data file is locked'); END"));
    edit(QStringLiteral("Vikram"), [this](frmUE& f) {
        f.txtAge.type(QStringLiteral("41"));
        host.expectMsgBox(QStringLiteral("The member was not saved.\nthe data file is locked"),
                          kWarning, kTitle);
        f.cmdUpdate.click();
        EXPECT_TRUE(f.Visible());
        EXPECT_EQ(f.txtAge.Text(), QStringLiteral("41"));
        f.cmdCancel.click();
    });
    EXPECT_EQ(value(QStringLiteral("SELECT Age FROM usr")), db::Variant(40));
    EXPECT_EQ(frmUsr::instance().LViews.ListItems(1).SubItems(4), QStringLiteral("40"));
}

TEST_F(EditTest, RefusesThePrefixAndNameOfAnotherMember) {
    storeMember(QStringLiteral("Mrs."), QStringLiteral("Asha"), 30, QStringLiteral("Female"));
    storeMember(QStringLiteral("Miss"), QStringLiteral("Asha"), 22, QStringLiteral("Female"));
    edit(QStringLiteral("Asha"), [this](frmUE& f) {
        f.cmbPrefix.choose(QStringLiteral("Miss"));
        f.txtAge.type(QStringLiteral("31"));
        host.expectMsgBox(QStringLiteral("This name is already exist."), ui::vbInformation, kTitle);
        f.cmdUpdate.click();
        EXPECT_TRUE(f.Visible());
        // Her own prefix and name are hers to keep.
        f.cmbPrefix.choose(QStringLiteral("Mrs."));
        f.cmdUpdate.click();
    });
    EXPECT_FALSE(frmUE::isLoaded());
    EXPECT_EQ(column(QStringLiteral("SELECT Prefix || ' ' || Age FROM usr ORDER BY userid")),
              (QStringList{"Mrs. 31", "Miss 22"}));
}

using ActivityTest = EditTest;

TEST_F(ActivityTest, ANewActivityFromTheRegisterStandsFirstAndChosen) {
    frmUsr& f = openRegister();
    host.expectModal<frmAdAct>([](frmAdAct& a) {
        EXPECT_TRUE(core::ActFromUsr);
        EXPECT_EQ(a.Caption(), QStringLiteral("New Activity"));
        EXPECT_EQ(entries(a.cmbType), (QStringList{"Unemployed(Child)", "Unemployed(TeenAge)",
                                                   "Sedentary", "Moderate", "Heavy"}));
        EXPECT_EQ(a.Lv.ListItems.Count(), 15);
        EXPECT_EQ(a.Lv.rowTexts(1), (QStringList{"Carpenter", "Moderate"}));
        a.cmbType.choose(QStringLiteral("Sedentary"));
        a.txtName.type(QStringLiteral("  Tailor  "));
        a.cmdOK.click();
    });
    f.cmdAddAct.click();
    EXPECT_FALSE(frmAdAct::isLoaded());
    EXPECT_EQ(value(QStringLiteral("SELECT ActivityType FROM usrcat WHERE activityname = ?"),
                    {QStringLiteral("Tailor")})
                  .text(),
              QStringLiteral("Sedentary"));
    const QStringList list = entries(f.cmbActivity);
    EXPECT_EQ(list.size(), 16);
    EXPECT_EQ(list.mid(0, 3), (QStringList{"Tailor", "Carpenter", "Child"}));
    EXPECT_EQ(f.cmbActivity.Text(), QStringLiteral("Tailor"));

    // A member can have it at once.
    Entry e;
    e.activity = QStringLiteral("Tailor");
    save(f, e);
    EXPECT_EQ(value(QStringLiteral("SELECT gid FROM usr")), db::Variant(8));
}

TEST_F(ActivityTest, ANewActivityFromTheEditorRefreshesBothLists) {
    storeMember(QStringLiteral("Mr."), QStringLiteral("Vikram"), 40);
    edit(QStringLiteral("Vikram"), [this](frmUE& f) {
        host.expectModal<frmAdAct>([](frmAdAct& a) {
            EXPECT_FALSE(core::ActFromUsr);
            a.cmbType.choose(QStringLiteral("Heavy"));
            a.txtName.type(QStringLiteral("Blacksmith"));
            a.cmdOK.click();
        });
        f.cmdAddAct.click();
        const QStringList list = entries(f.cmbActivity);
        EXPECT_EQ(list.mid(0, 3), (QStringList{"Blacksmith", "Carpenter", "Child"}));
        EXPECT_EQ(list.count(QStringLiteral("Office worker")), 1);
        EXPECT_EQ(f.cmbActivity.Text(), QStringLiteral("Blacksmith"));
        f.cmdUpdate.click();
    });
    EXPECT_EQ(value(QStringLiteral("SELECT gid FROM usr")), db::Variant(12));
    EXPECT_TRUE(entries(frmUsr::instance().cmbActivity).contains(QStringLiteral("Blacksmith")));
}

TEST_F(ActivityTest, NamesThatCannotBeStoredAreRefused) {
    frmUsr& f = openRegister();
    host.expectModal<frmAdAct>([this](frmAdAct& a) {
        a.txtName.type(QStringLiteral("   "));
        host.expectMsgBox(QStringLiteral("You must enter data"), ui::vbOKOnly, kTitle);
        a.cmdOK.click();
        a.txtName.type(QStringLiteral("Cook's help"));
        host.expectMsgBox(QStringLiteral("Do not enter '"), ui::vbOKOnly, kTitle);
        a.cmdOK.click();
        a.txtName.type(QStringLiteral("teacher"));
        host.expectMsgBox(QStringLiteral("This activity already exists."), ui::vbOKOnly, kTitle);
        a.cmdOK.click();
        EXPECT_TRUE(a.Visible());
        a.txtName.type(QStringLiteral("Weaver"));
        a.cmdCancel.click();
    });
    f.cmdAddAct.click();
    host.expectModal<frmAdAct>([](frmAdAct& a) {
        a.txtName.type(QStringLiteral("Weaver"));
        a.pressKey(ui::vbKeyEscape);
    });
    f.cmdAddAct.click();
    EXPECT_EQ(value(QStringLiteral("SELECT count(*) FROM usrcat")), db::Variant(15));
    EXPECT_FALSE(host.busy());
}

class MemberViewTest : public MemberTest {
  protected:
    static void expectBoxes(const frmUPrp& v, const QStringList& texts) {
        const QList<const ui::TextBox*> boxes = {
            &v.txtPrefix, &v.txtName,   &v.txtAddress, &v.txtPhone,     &v.txtEMail, &v.txtSex,
            &v.txtBirth,  &v.txtHeight, &v.txtWeight,  &v.txtCondition, &v.txtAct};
        QStringList shown;
        for (const ui::TextBox* box : boxes) {
            shown << box->Text();
        }
        EXPECT_EQ(shown, texts);
    }
};

TEST_F(MemberViewTest, ShowsTheStoredParticularsOfTheMemberAskedFor) {
    const qint64 asha =
        storeMember(QStringLiteral("Mrs."), QStringLiteral("Asha"), 29, QStringLiteral("Female"),
                    QStringLiteral("Y"), QStringLiteral("Pregnant"), QStringLiteral("Teacher"));
    const qint64 baby =
        storeMember(QStringLiteral("Mr."), QStringLiteral("Arjun"), 8, QStringLiteral("Male"),
                    QStringLiteral("M"), QStringLiteral("--"), QStringLiteral("Child"));
    host.expectModal<frmUPrp>([](frmUPrp& v) {
        EXPECT_EQ(v.Caption(), QStringLiteral("User Personal Information"));
        EXPECT_EQ(v.lbl[6].Caption(), QStringLiteral("Age"));
        expectBoxes(v, {"Mrs.", "Asha", " ", " ", " ", "Female", "29 Years", "160", "55",
                        "Pregnant", "Teacher"});
        // Typing changes nothing stored.
        v.txtName.type(QStringLiteral("Someone else"));
        v.cmdOK.click();
    });
    frmUPrp::ShowMember(asha);
    EXPECT_FALSE(frmUPrp::isLoaded());
    EXPECT_EQ(value(QStringLiteral("SELECT FirstN FROM usr WHERE userid = ?"), {asha}).text(),
              QStringLiteral("Asha"));

    host.expectModal<frmUPrp>([](frmUPrp& v) {
        EXPECT_EQ(v.txtName.Text(), QStringLiteral("Arjun"));
        EXPECT_EQ(v.txtBirth.Text(), QStringLiteral("8 Months"));
        v.pressKey(ui::vbKeyEscape);
    });
    frmUPrp::ShowMember(baby);
}

TEST_F(MemberViewTest, EmptyColumnsAndUnknownMembersLeaveBoxesEmpty) {
    core::cn.Execute(QStringLiteral("INSERT INTO usr (Prefix, FirstN) VALUES ('Ms.', 'Meena')"));
    const qint64 id = value(QStringLiteral("SELECT userid FROM usr")).integerValue();
    host.expectModal<frmUPrp>([](frmUPrp& v) {
        expectBoxes(v, {"Ms.", "Meena", "", "", "", "", " Years", "", "", "", ""});
        v.cmdOK.click();
    });
    frmUPrp::ShowMember(id);
    host.expectModal<frmUPrp>([](frmUPrp& v) {
        expectBoxes(v, {"", "", "", "", "", "", "", "", "", "", ""});
        v.cmdOK.click();
    });
    frmUPrp::ShowMember(id + 1);
}

}  // namespace
