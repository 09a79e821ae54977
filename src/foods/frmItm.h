#pragma once

#include "ui/CommonDialog.h"
#include "ui/Controls.h"
#include "ui/Form.h"
#include "ui/ImageList.h"
#include "ui/ListView.h"

// The catalogue of composed foods ("Composition"): every food with a recipe, with its owner
// and category and the ingredients of the selected one. New composed foods are entered on its
// first tab; the ingredient editor, the details editor and the dependants window open from it.
class frmItm : public ui::FormOf<frmItm> {
  public:
    frmItm();

    // Refills the list of composed foods, and the ingredients of its first line.
    void DispItemList();
    // Refills the ingredients of the selected composed food.
    void ListRef();
    // Sets NewFoodCid from the category chosen on the first tab.
    void Numb();
    // Rebuilds the nutrient rows of every composed food from its recipe, in one transaction.
    void updateFoodValuesper100gms();

    // The selected line's food (its foodid, -1 with no line selected) and name: what the
    // dependants window works on.
    int SelectedFoodId() const;
    QString SelectedFoodName() const;
    // The food handed to the details editor (with Tag, its name), set by Edit.
    int TagFoodId = -1;

    // The id of the composed food being created; -1 before the first save.
    int NewFoodId = -1;
    int NewFoodCid = 0;

    ui::TabControl stAB{this, QStringLiteral("stAB")};
    // 0 "I&tems", 1 "I&ngredients", 2 "Item &Name", 3 "C&omment", 4 "Cate&gory", 5 the note.
    ui::ControlArray<ui::Label> lbl{this, QStringLiteral("lbl"), 0, 5};
    ui::ListView LView{this, QStringLiteral("LView")};
    ui::TextBox txtFood{this, QStringLiteral("txtFood")};
    ui::ListView LstView{this, QStringLiteral("LstView")};
    ui::CommandButton cmdIng{this, QStringLiteral("cmdIng")};
    ui::CommandButton cmdDel{this, QStringLiteral("cmdDel")};
    ui::CommandButton cmdDetail{this, QStringLiteral("cmdDetail")};
    ui::CommandButton cmdMerge{this, QStringLiteral("cmdMerge")};
    ui::CommandButton cmdExport{this, QStringLiteral("cmdExport")};
    ui::TextBox txtName{this, QStringLiteral("txtName")};
    ui::TextBox txtComment{this, QStringLiteral("txtComment")};
    ui::ComboBox cmbCat{this, QStringLiteral("cmbCat")};
    ui::CommandButton cmdInsert{this, QStringLiteral("cmdInsert")};
    ui::CommandButton cmdCancel{this, QStringLiteral("cmdCancel")};
    ui::Frame Frame1{this, QStringLiteral("Frame1")};
    ui::CommandButton Command1{this, QStringLiteral("Command1")};
    ui::CommandButton Command2{this, QStringLiteral("Command2")};
    ui::CommonDialog cdlg{this, QStringLiteral("cdlg")};
    ui::ImageList ImgLst = ui::ImageList::withSortArrows(QStringLiteral("ImgLst"));

  protected:
    void Form_Load() override;
    void Form_KeyDown(int& KeyCode, int Shift) override;

  private:
    void LView_Click();
    void LView_KeyDown(int& KeyCode, int Shift);
    void LView_ColumnClick(ui::ColumnHeader& ColumnHeader);
    void LstView_ColumnClick(ui::ColumnHeader& ColumnHeader);
    void cmdDel_Click();
    void cmdDetail_Click();
    void cmdIng_Click();
    void cmdMerge_Click();
    void cmdExport_Click();
    void Command1_Click();
    void Command2_Click();
    void cmdInsert_Click();
    void cmdCancel_Click();
    void txtName_LostFocus();

    void DispCatList();
    void NextFoodId();
    // The selected line's OWNER text ("" with no line selected).
    QString SelectedOwner() const;
    // True when the selected line is a user food; for any other line, tells the person so.
    bool UserLineSelected(const QString& refusal);
};
