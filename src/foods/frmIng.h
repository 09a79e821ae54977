#pragma once

#include <functional>

#include "foods/UnitCaller.h"
#include "ui/CommonDialog.h"
#include "ui/Controls.h"
#include "ui/Form.h"
#include "ui/ImageList.h"
#include "ui/ListView.h"

namespace foods {
class ComposedFoods;
}

// The ingredient editor of the composed food named in ComposedFood: its recipe, a list of foods
// to choose an ingredient from (by category and language), the quantity in any serving unit of
// the chosen food, and Save and Delete, after which the composed food's nutrient values are in
// step with its recipe.
class frmIng : public ui::FormOf<frmIng>, public foods::UnitCallerWindow {
  public:
    frmIng();

    // The units window works on the food selected in LV and, closed with its Close button,
    // calls Unitcombo back with it.
    ui::ListView& UnitFoodList() override { return LV; }
    // Fills the unit list with the food's serving units, the default first, then "Grams".
    void Unitcombo(QString& food) override;
    void DispCatg();
    void DispLang();
    void DispFoodList();
    void ListIngredients();
    // 1 when the recipe already holds the food named in the food name box (that line is then
    // selected), else 0; -1 when the recipe could not be read (the person has been told).
    int IsIngredientListed();
    void EnableDelete();

    // The composed food's id, read when the window loads; -1 when no food bears the name.
    int ComposedFoodId = -1;

    ui::Frame Frame1{this, QStringLiteral("Frame1")};
    ui::Frame Frame2{this, QStringLiteral("Frame2")};
    ui::Frame Frame3{this, QStringLiteral("Frame3")};
    ui::ControlArray<ui::Label> lbl{this, QStringLiteral("lbl"), {0, 1, 2, 4, 5, 6}};
    ui::ComboBox cmbCat{this, QStringLiteral("cmbCat")};
    ui::ComboBox cmbLang{this, QStringLiteral("cmbLang")};
    ui::ListView LV{this, QStringLiteral("LV")};
    ui::Label Label1{this, QStringLiteral("Label1")};
    ui::TextBox cmbFoodName{this, QStringLiteral("cmbFoodName")};
    ui::TextBox txtQuan{this, QStringLiteral("txtQuan")};
    ui::ComboBox cmbUnit{this, QStringLiteral("cmbUnit")};
    ui::CommandButton cmdUnit{this, QStringLiteral("cmdUnit")};
    ui::CommandButton cmdAdd{this, QStringLiteral("cmdAdd")};
    ui::CommandButton cmdCancel{this, QStringLiteral("cmdCancel")};
    ui::ListView LstView{this, QStringLiteral("LstView")};
    ui::CommandButton cmdDelete{this, QStringLiteral("cmdDelete")};
    ui::CommandButton cmdExport{this, QStringLiteral("cmdExport")};
    ui::CommandButton cmdClose{this, QStringLiteral("cmdClose")};
    ui::CommonDialog cdlg{this, QStringLiteral("cdlg")};
    ui::ImageList ImgLst = ui::ImageList::withSortArrows(QStringLiteral("ImgLst"));

  protected:
    void Form_Load() override;
    void Form_KeyDown(int& KeyCode, int Shift) override;

  private:
    void cmbCat_Click();
    void cmbLang_Click();
    void LV_Click();
    void LV_KeyDown(int& KeyCode, int Shift);
    void LV_ColumnClick(ui::ColumnHeader& ColumnHeader);
    void LstView_ColumnClick(ui::ColumnHeader& ColumnHeader);
    void txtQuan_LostFocus();
    void cmdAdd_Click();
    void cmdCancel_Click();
    void cmdDelete_Click();
    void cmdUnit_Click();
    void cmdExport_Click();
    void cmdClose_Click();

    // Closing: the values are brought in step once more, in case the recipe's foods changed
    // while the window was open.
    void RewritePer100g();
    // Runs one of the window's writes (foods::WriteAtOnce). A follow-up, the close's rewrite,
    // that fails as the write before it did is only logged: the person has just been told, and
    // nothing was written since.
    bool Write(const QString& what, const QString& source,
               const std::function<void(foods::ComposedFoods&)>& change, bool followUp = false);
    // The food named in the food name box: the one picked in LV while the box shows its name
    // (names need not be unique), else the first food of that name; -1 when there is none.
    int IngredientId() const;
    // Takes the food selected in LV into the food name box; false when none is selected.
    bool PickSelectedFood();

    int pickedFoodId_ = -1;
    QString pickedFoodName_;
    // The error number of the last write's failure; 0 when that write went through.
    long lastFailure_ = 0;
};
