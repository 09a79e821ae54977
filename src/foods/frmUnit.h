#pragma once

#include "ui/Controls.h"
#include "ui/Form.h"
#include "ui/ListView.h"

// The units window: the serving units of one food, the food selected in the window that
// opened it (see foods::UnitCallerWindow). A modal dialog; Close has the caller refill its
// unit combo, Escape does not.
class frmUnit : public ui::FormOf<frmUnit> {
    Q_OBJECT

  public:
    frmUnit();

    // Lists the food's units: name and grams, in the order of their rows.
    void listshow(const QString& food);

    // The food whose units the window shows, fixed when it loads.
    const QString& CurrentFood() const { return food_; }

    ui::Label Label1{this, QStringLiteral("Label1")};
    ui::TextBox txtUnitname{this, QStringLiteral("txtUnitname")};
    ui::Label Label2{this, QStringLiteral("Label2")};
    ui::TextBox txtsizeingrams{this, QStringLiteral("txtsizeingrams")};
    ui::Label Label3{this, QStringLiteral("Label3")};
    ui::TextBox txtDescription{this, QStringLiteral("txtDescription")};
    ui::Label Label4{this, QStringLiteral("Label4")};
    ui::ComboBox cmdDefault{this, QStringLiteral("cmdDefault")};
    ui::ListView LV{this, QStringLiteral("LV")};
    ui::CommandButton Command2{this, QStringLiteral("Command2")};
    ui::CommandButton Command3{this, QStringLiteral("Command3")};
    ui::CommandButton Command1{this, QStringLiteral("Command1")};

  protected:
    void Form_Load() override;
    void Form_KeyDown(int& KeyCode, int Shift) override;
    void Form_Unload(int& Cancel) override;

  private:
    void Command2_Click();
    void Command3_Click();
    void Command1_Click();
    // Delete is enabled exactly when the list holds a unit.
    void ChkDelete();

    QString food_;
};
