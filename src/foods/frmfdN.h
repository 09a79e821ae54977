#pragma once

#include <QString>

#include "ui/CommonDialog.h"
#include "ui/Controls.h"
#include "ui/Form.h"
#include "ui/ImageList.h"
#include "ui/ListView.h"

// The food nutrients window: the foods of a category with their names in a language, and the
// nutrients per 100 g of the selected food. A child of the main window.
//
// To open it on a food: frmfdN::instance() (loads it), core::FindListItem on its LstView with
// the food's name and 0, then showlist(), then Show().
class frmfdN : public ui::FormOf<frmfdN> {
  public:
    frmfdN();

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
    void ShowNutrients();
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

    // The drill-down from a nutrient to the nutrient index (frmIdxN): load it, select the
    // nutrient in its LstView with core::FindListItem (match 0), run its ClickonListview and
    // show it. This is the one place where this window reaches the nutrient index.
    void ShowNutrientIndex(QString nutrient);
};
