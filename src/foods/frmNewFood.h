#pragma once

#include "ui/Controls.h"
#include "ui/Form.h"
#include "ui/ListView.h"

// The user foods window: adds a food of the user's own with its 30 nutrient values per 100 g
// and its name in 13 languages, lists the user foods of a category and removes one. Modal.
class frmNewFood : public ui::FormOf<frmNewFood> {
    Q_OBJECT

  public:
    frmNewFood();

    // Refills LV with the user foods of the category in cmbCat.
    void dispLV();

    ui::Label lblCat{this, QStringLiteral("lblCat")};
    ui::ComboBox cmbCat{this, QStringLiteral("cmbCat")};
    ui::Label lblFood{this, QStringLiteral("lblFood")};
    ui::TextBox Text2{this, QStringLiteral("Text2")};
    ui::Frame Frame1{this, QStringLiteral("Frame1")};
    ui::ControlArray<ui::Label> lblNutri{this, QStringLiteral("lblNutri"), 1, 30};
    ui::ControlArray<ui::TextBox> Text1{this, QStringLiteral("Text1"), 1, 30};
    ui::Frame Frame2{this, QStringLiteral("Frame2")};
    ui::ControlArray<ui::Label> lblLang{this, QStringLiteral("lblLang"), 1, 13};
    ui::ControlArray<ui::TextBox> Text3{this, QStringLiteral("Text3"), 1, 13};
    ui::ListView LV{this, QStringLiteral("LV")};
    ui::CommandButton Command1{this, QStringLiteral("Command1")};
    ui::CommandButton Command2{this, QStringLiteral("Command2")};
    ui::CommandButton Command3{this, QStringLiteral("Command3")};
    ui::CommandButton Command5{this, QStringLiteral("Command5")};

  protected:
    void Form_Load() override;
    void Form_KeyDown(int& KeyCode, int Shift) override;

  private:
    void DispCategory();
    // Writes the food checked by Save; false (after saying why) when nothing was written.
    bool SaveNutrients();
    // The food name, the nutrient fields and the language fields, in the order Save visits
    // them.
    QList<ui::TextBox*> AllBoxes();
    void ChkDelete();

    void cmbCat_Click();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command5_Click();
    void LV_ColumnClick(ui::ColumnHeader& ColumnHeader);
    void LV_DblClick();
};
