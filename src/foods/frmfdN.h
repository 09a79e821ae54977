#pragma once

#include <QString>

#include "ui/CommonDialog.h"
#include "ui/Controls.h"
#include "ui/Form.h"
#include "ui/ImageList.h"
#include "ui/ListView.h"

// The food nutrients window: the foods of a category with their names in a language, and the
// nutrients per 100 g of the selected food. A child of the main window.
class frmfdN : public ui::FormOf<frmfdN> {
  public:
    frmfdN();

    // How other windows open it on a food: loads it, selects the food in LstView with
    // FindListItem (match on the text, the English name), shows its nutrients with showlist
    // and shows the window modeless. A food the window's filters hide is not found; the
    // nutrients of the food selected before stay on show.
    static void ShowFood(QString food);
    // How the nutrient index opens it on a food: as ShowFood, but a food that the window's
    // filters hide is looked for among all foods, then under its English name.
    static void ShowAnyFood(QString food);

    // Shows the nutrients of the food selected in LstView and its name in the food line.
    void showlist();
    // Fills cmbLang: the stored language first, the others after it by name.
    void DispLang();

    ui::ControlArray<ui::Label> lbl{this, QStringLiteral("lbl"), {0, 1, 2, 4}};
    ui::ComboBox cmbCat{this, QStringLiteral("cmbCat")};
    ui::ComboBox cmbLang{this, QStringLiteral("cmbLang")};
    ui::CommandButton cmdGo{this, QStringLiteral("cmdGo")};
    ui::ListView LstView{this, QStringLiteral("LstView")};
    ui::ListView LView{this, QStringLiteral("LView")};
    ui::TextBox txtFood{this, QStringLiteral("txtFood")};
    ui::TextBox txtTotal{this, QStringLiteral("txtTotal")};
    ui::CommandButton cmdExport{this, QStringLiteral("cmdExport")};
    ui::CommandButton cmdClose{this, QStringLiteral("cmdClose")};
    ui::CommonDialog cdlg{this, QStringLiteral("cdlg")};
    ui::ImageList ImgLst = ui::ImageList::withSortArrows(QStringLiteral("ImgLst"));

  protected:
    void Form_Load() override;
    void Form_KeyDown(int& KeyCode, int Shift) override;

  private:
    void ShowFoods();
    // The nutrient list of the food (LstView's selected one), and its count.
    void ShowNutrients(const ui::ListItem& food);
    void DispCategory();

    void cmbCat_Click();
    void cmbLang_Click();
    void cmdGo_Click();
    void LstView_Click();
    void LstView_ItemClick(ui::ListItem& Item);
    void LstView_KeyDown(int& KeyCode, int Shift);
    void LstView_ColumnClick(ui::ColumnHeader& ColumnHeader);
    void LView_ColumnClick(ui::ColumnHeader& ColumnHeader);
    void LView_DblClick();
    void cmdExport_Click();
    void cmdClose_Click();

    // The drill-down from a nutrient to the nutrient index, which gets the focus.
    void ShowNutrientIndex(QString nutrient);
};
