#pragma once

#include <optional>

#include "members/MemberEntry.h"
#include "ui/Controls.h"
#include "ui/Form.h"

// The member editor: the member of the row selected in the register's list, every field but
// the age unit, checked and written back; the member's RDA group is chosen again.
class frmUE : public ui::FormOf<frmUE> {
  public:
    frmUE();

    ui::Frame Frame1{this, QStringLiteral("Frame1")};
    ui::ControlArray<ui::Label> lbl{this, QStringLiteral("lbl"), 0, 10};
    ui::ComboBox cmbPrefix{this, QStringLiteral("cmbPrefix")};
    ui::TextBox txtFirstN{this, QStringLiteral("txtFirstN")};
    ui::TextBox txtAddress{this, QStringLiteral("txtAddress")};
    ui::TextBox txtPhone{this, QStringLiteral("txtPhone")};
    ui::TextBox txtEMail{this, QStringLiteral("txtEMail")};
    ui::ComboBox cmbSex{this, QStringLiteral("cmbSex")};
    ui::TextBox txtAge{this, QStringLiteral("txtAge")};
    ui::TextBox txtHeight{this, QStringLiteral("txtHeight")};
    ui::TextBox txtWeight{this, QStringLiteral("txtWeight")};
    ui::ComboBox txtCondition{this, QStringLiteral("txtCondition")};
    ui::ComboBox cmbActivity{this, QStringLiteral("cmbActivity")};
    ui::CommandButton cmdAddAct{this, QStringLiteral("cmdAddAct")};
    ui::CommandButton cmdUpdate{this, QStringLiteral("cmdUpdate")};
    ui::CommandButton cmdCancel{this, QStringLiteral("cmdCancel")};

  protected:
    void Form_Load() override;
    void Form_KeyDown(int& KeyCode, int Shift) override;

  private:
    void cmdUpdate_Click();
    void cmdCancel_Click();
    void cmdAddAct_Click();
    void txtAge_Change();
    void cmbSex_Click();

    bool ValidateInput();
    members::EntryFields Fields();
    // Where "--" stands in the condition list (kept in Tag), when the window knows.
    std::optional<int> NoConditionAt() const;

    // The member being edited.
    qint64 mUserId = 0;
};
