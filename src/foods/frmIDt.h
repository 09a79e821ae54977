#pragma once

#include "ui/Controls.h"
#include "ui/Form.h"

// The details editor ("Item details") of one user food: category, name, price, edible portion,
// standard weight, importance and comment. The catalogue's Edit opens it, modeless.
class frmIDt : public ui::FormOf<frmIDt> {
  public:
    frmIDt();

    // Fills the fields with the food the catalogue handed over.
    void SearchFood();
    // Appends the categories a food may be moved to.
    void dISPfOODCat();

    // The food being edited (-1 when it could not be read): what OK writes.
    int EditFoodId = -1;

    ui::Frame Frame1{this, QStringLiteral("Frame1")};
    // 0 "&Category", 1 "Item &Name", 2 "&Price", 3 "&Edible portion", 4 "&Standard weight",
    // 5 "I&mportance", 6 "C&omment".
    ui::ControlArray<ui::Label> lbl{this, QStringLiteral("lbl"), 0, 6};
    ui::ComboBox cmbCat{this, QStringLiteral("cmbCat")};
    ui::TextBox txtName{this, QStringLiteral("txtName")};
    ui::TextBox txtPrice{this, QStringLiteral("txtPrice")};
    ui::TextBox txtEdi{this, QStringLiteral("txtEdi")};
    ui::TextBox txtWeight{this, QStringLiteral("txtWeight")};
    ui::ComboBox cmbImp{this, QStringLiteral("cmbImp")};
    ui::TextBox txtComment{this, QStringLiteral("txtComment")};
    ui::CommandButton cmdOK{this, QStringLiteral("cmdOK")};
    ui::CommandButton cmdCancel{this, QStringLiteral("cmdCancel")};

  protected:
    void Form_Load() override;
    void Form_KeyDown(int& KeyCode, int Shift) override;

  private:
    void cmdOK_Click();
    void cmdCancel_Click();
    void txtName_LostFocus();
    void txtComment_LostFocus();
    // The check of the three number boxes when they lose the focus.
    void NumberField_LostFocus(ui::TextBox& box);
};
