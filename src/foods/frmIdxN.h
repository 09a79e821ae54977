#pragma once

#include <QString>
#include <QtGlobal>

#include "foods/NutrientIndex.h"
#include "ui/CommonDialog.h"
#include "ui/Controls.h"
#include "ui/Form.h"
#include "ui/ImageList.h"
#include "ui/ListView.h"

// The nutrient index ("Source of nutrients"): the 30 nutrients and, for the selected one, the
// foods that carry it, by name or ranked by value, filtered by category and shown with their
// names in a chosen language; a second tab holds the information on the nutrient.
class frmIdxN : public ui::FormOf<frmIdxN> {
  public:
    frmIdxN();

    // How other windows open the index on a nutrient: loads it, selects the nutrient in
    // LstView with FindListItem (match on the text), lists its foods with ClickonListview and
    // shows the window modeless.
    static void ShowNutrient(QString nutrient);

    // Fills cmbLang: the remembered language first and chosen, then the others by name.
    void DispLan();
    // Lists the foods of the nutrient selected in LstView, keeping the ranking the VALUE
    // header shows, and captions the tabs with its name.
    void ClickonListview();
    // Shows the information on the selected nutrient.
    void DispNote();

    ui::ImageList ImgLst = ui::ImageList::withSortArrows(QStringLiteral("ImgLst"));
    ui::ListView LstView{this, QStringLiteral("LstView")};
    ui::ControlArray<ui::Label> lbl{this, QStringLiteral("lbl"), 0, 5};
    ui::TabControl SSTab1{this, QStringLiteral("SSTab1")};
    ui::ComboBox cmbCat{this, QStringLiteral("cmbCat")};
    ui::ComboBox cmbLang{this, QStringLiteral("cmbLang")};
    ui::ListView LView{this, QStringLiteral("LView")};
    ui::RichTextBox RchBx{this, QStringLiteral("RchBx")};
    ui::CommandButton cmdExport{this, QStringLiteral("cmdExport")};
    ui::CommandButton cmdClose{this, QStringLiteral("cmdClose")};
    ui::CommonDialog cdlg{this, QStringLiteral("cdlg")};

  protected:
    void Form_Load() override;
    void Form_KeyDown(int& KeyCode, int Shift) override;

  private:
    void ListNutrients();
    void ListCategories();
    void ListFoods();
    // order 1 lists the smallest value first, 2 the largest.
    void RankFoods(quint8 order);
    void FillFoods(foods::NutrientIndex::Order order);
    // The foods again after a filter changed, in the order the VALUE header shows.
    void RelistForFilter();
    QString SelectedNutrient() const;

    void LstView_Click();
    void LstView_ItemClick(ui::ListItem& Item);
    void LstView_KeyDown(int& KeyCode, int Shift);
    void LstView_ColumnClick(ui::ColumnHeader& ColumnHeader);
    void cmbCat_Click();
    void cmbLang_Click();
    void LView_ColumnClick(ui::ColumnHeader& ColumnHeader);
    void LView_DblClick();
    void cmdExport_Click();
    void cmdClose_Click();
    void lbl_Click(int Index);

    // The header image the foods list sorted by last; the next sorted column starts from it.
    quint8 mSortIcon = 2;
    // Set while Form_Load fills the lists: choosing the language then lists nothing.
    bool mLoading = false;
    // Whether the foods list holds foods (not only the notice that there are none).
    bool mFoodsListed = false;
};
