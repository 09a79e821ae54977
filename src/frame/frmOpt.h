#pragma once

#include "ui/CommonDialog.h"
#include "ui/Controls.h"
#include "ui/Form.h"

// The options window: the data file, and the default language, food category and member.
class frmOpt : public ui::FormOf<frmOpt> {
    Q_OBJECT

  public:
    frmOpt();

    // Fill a preference list: the stored value first (unless isDefault: the caller has put
    // the first entry in place), then the other rows of the data file.
    void ListLanguage(bool isDefault);
    void ListCat(bool isDefault);
    void ListU(bool isDefault);

    ui::TabControl SSTab1{this, QStringLiteral("SSTab1")};
    ui::ControlArray<ui::Label> lbl{this, QStringLiteral("lbl"), {1, 2, 3, 5}};
    ui::TextBox txtPath{this, QStringLiteral("txtPath")};
    ui::CommandButton cmdBrowse{this, QStringLiteral("cmdBrowse")};
    ui::ComboBox cmbLang{this, QStringLiteral("cmbLang")};
    ui::ComboBox cmbCat{this, QStringLiteral("cmbCat")};
    ui::ComboBox cmbUsr{this, QStringLiteral("cmbUsr")};
    ui::CommandButton cmdDefault{this, QStringLiteral("cmdDefault")};
    ui::CommandButton cmdOK{this, QStringLiteral("cmdOK")};
    ui::CommandButton cmdCancel{this, QStringLiteral("cmdCancel")};
    ui::CommonDialog Cdlg{this, QStringLiteral("Cdlg")};

  protected:
    void Form_Load() override;
    void Form_KeyDown(int& KeyCode, int Shift) override;

  private:
    void cmdBrowse_Click();
    void cmdDefault_Click();
    void cmdOK_Click();
    void cmdCancel_Click();
};
