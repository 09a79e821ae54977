#pragma once

#include "ui/Controls.h"
#include "ui/Form.h"
#include "ui/ListView.h"

// New Activity: adds an activity of one of the RDA groups' activity types, and hands it to the
// activity list of the window that opened it (the register or the member editor, as
// ActFromUsr says).
class frmAdAct : public ui::FormOf<frmAdAct> {
    Q_OBJECT

  public:
    frmAdAct();

    // Lists the stored activities.
    void DispAc();

    ui::ControlArray<ui::Label> lbl{this, QStringLiteral("lbl"), 0, 1};
    ui::ComboBox cmbType{this, QStringLiteral("cmbType")};
    ui::TextBox txtName{this, QStringLiteral("txtName")};
    ui::ListView Lv{this, QStringLiteral("Lv")};
    ui::CommandButton cmdOK{this, QStringLiteral("cmdOK")};
    ui::CommandButton cmdCancel{this, QStringLiteral("cmdCancel")};

  protected:
    void Form_Load() override;
    void Form_KeyDown(int& KeyCode, int Shift) override;

  private:
    void cmdOK_Click();
    void cmdCancel_Click();
};
