#pragma once

#include "members/MemberEntry.h"
#include "ui/CommonDialog.h"
#include "ui/Controls.h"
#include "ui/Form.h"
#include "ui/ImageList.h"
#include "ui/ListView.h"

// The member register: a new member is typed on the entry tab and saved; every member is listed
// on the list tab, from which one is edited or removed and the list exported.
class frmUsr : public ui::FormOf<frmUsr> {
  public:
    frmUsr();

    // Refills the activity list and selects its first entry. Mode 1: every activity in
    // ascending order. Mode 2: the activity named in Tag first, then the others.
    void DispCmbActivity(int mode);
    // Refills the member list with every member.
    void MLst();
    // Edit and Delete are enabled exactly while the list holds a member.
    void ChkBtns();

    ui::TabControl SSTab1{this, QStringLiteral("SSTab1")};
    ui::ControlArray<ui::Label> lbl{this, QStringLiteral("lbl"), 0, 11};
    ui::ComboBox cmbPrefix{this, QStringLiteral("cmbPrefix")};
    ui::TextBox txtFirstN{this, QStringLiteral("txtFirstN")};
    ui::TextBox txtAddress{this, QStringLiteral("txtAddress")};
    ui::TextBox txtPhone{this, QStringLiteral("txtPhone")};
    ui::TextBox txtEMail{this, QStringLiteral("txtEMail")};
    ui::ComboBox cmbSex{this, QStringLiteral("cmbSex")};
    ui::TextBox txtAge{this, QStringLiteral("txtAge")};
    ui::ComboBox Combo1{this, QStringLiteral("Combo1")};
    ui::TextBox txtHeight{this, QStringLiteral("txtHeight")};
    ui::TextBox txtWeight{this, QStringLiteral("txtWeight")};
    ui::ComboBox txtCondition{this, QStringLiteral("txtCondition")};
    ui::ComboBox cmbActivity{this, QStringLiteral("cmbActivity")};
    ui::CommandButton cmdAddAct{this, QStringLiteral("cmdAddAct")};
    ui::CommandButton cmdAdd{this, QStringLiteral("cmdAdd")};
    ui::CommandButton cmdCancel{this, QStringLiteral("cmdCancel")};
    ui::ListView LViews{this, QStringLiteral("LViews")};
    ui::CommandButton cmdEdit{this, QStringLiteral("cmdEdit")};
    ui::CommandButton cmdDelete{this, QStringLiteral("cmdDelete")};
    ui::CommandButton cmdExport{this, QStringLiteral("cmdExport")};
    ui::CommandButton cmdClose{this, QStringLiteral("cmdClose")};
    ui::ImageList ImgLst = ui::ImageList::withSortArrows(QStringLiteral("ImgLst"));
    ui::CommonDialog cdlg{this, QStringLiteral("cdlg")};

  protected:
    void Form_Load() override;
    void Form_KeyDown(int& KeyCode, int Shift) override;

  private:
    void cmdClose_Click();
    void cmdCancel_Click();
    void cmdAdd_Click();
    void cmdAddAct_Click();
    void SSTab1_Click(int PreviousTab);
    void cmdEdit_Click();
    void LViews_DblClick();
    void cmdDelete_Click();
    void cmdExport_Click();
    void LViews_ColumnClick(ui::ColumnHeader& ColumnHeader);
    void txtPhone_Validate(bool& Cancel);
    void txtAge_Change();
    void cmbSex_Click();

    bool ValidateInput();
    // Whether the chosen activity suits the age: the refusal's message, empty when it does.
    QString CheckActivity();
    // Stores the entry as a new member; false when it was not stored (a duplicate, a failure).
    bool SaveUser();
    members::EntryFields Fields();
};
