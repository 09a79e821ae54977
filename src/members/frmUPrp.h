#pragma once

#include <QtGlobal>

#include "ui/Controls.h"
#include "ui/Form.h"

// User Personal Information: the stored particulars of one member, to read; nothing is saved.
class frmUPrp : public ui::FormOf<frmUPrp> {
    Q_OBJECT

  public:
    frmUPrp();

    // Shows the member with this userid modally over the main window and returns when the
    // window is closed. The RDA window's Info button opens the member view this way.
    static void ShowMember(qint64 userid);

    ui::ControlArray<ui::Label> lbl{this, QStringLiteral("lbl"), 0, 10};
    ui::TextBox txtPrefix{this, QStringLiteral("txtPrefix")};
    ui::TextBox txtName{this, QStringLiteral("txtName")};
    ui::TextBox txtAddress{this, QStringLiteral("txtAddress")};
    ui::TextBox txtPhone{this, QStringLiteral("txtPhone")};
    ui::TextBox txtEMail{this, QStringLiteral("txtEMail")};
    ui::TextBox txtSex{this, QStringLiteral("txtSex")};
    ui::TextBox txtBirth{this, QStringLiteral("txtBirth")};
    ui::TextBox txtHeight{this, QStringLiteral("txtHeight")};
    ui::TextBox txtWeight{this, QStringLiteral("txtWeight")};
    ui::TextBox txtCondition{this, QStringLiteral("txtCondition")};
    ui::TextBox txtAct{this, QStringLiteral("txtAct")};
    ui::CommandButton cmdOK{this, QStringLiteral("cmdOK")};

  protected:
    void Form_Load() override;
    void Form_KeyDown(int& KeyCode, int Shift) override;

  private:
    void cmdOK_Click();

    // The member to show, handed over by ShowMember before the window loads.
    inline static qint64 memberId_ = 0;
};
