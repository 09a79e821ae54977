#pragma once

#include "foods/UnitCaller.h"
#include "ui/CommonDialog.h"
#include "ui/Controls.h"
#include "ui/Form.h"
#include "ui/ImageList.h"
#include "ui/ListView.h"

namespace db {
class Recordset;
}

// The intake diary: what a member ate, one row per day and food, in grams. The food of a new
// entry is picked from a food list narrowed by category and shown in a language; its amount is
// typed in any serving unit of that food, whose units the units window keeps.
class frmDIn : public ui::FormOf<frmDIn>, public foods::UnitCallerWindow {
  public:
    frmDIn();

    // Refills the unit list with the serving units of `food` ("Default" ones first), then
    // "Grams", and selects the first. The units window calls it when it closes.
    void Unitcombo(QString& food) override;
    ui::ListView& UnitFoodList() override { return LView; }
    void UsInfo();
    void DispCat();
    void DispLan();
    void DispFoodNames();
    // Refills the diary of the member in cmbUser, in the order the header icons ask for.
    void UserIntakes();

    ui::ControlArray<ui::Label> lbl{this, QStringLiteral("lbl"), 0, 10};
    ui::ComboBox cmbUser{this, QStringLiteral("cmbUser")};
    ui::DatePicker DTP{this, QStringLiteral("DTP")};
    ui::TextBox txtFood{this, QStringLiteral("txtFood")};
    ui::TextBox txtQuan{this, QStringLiteral("txtQuan")};
    ui::ComboBox cmbUnit{this, QStringLiteral("cmbUnit")};
    ui::CommandButton cmdUnit{this, QStringLiteral("cmdUnit")};
    ui::CommandButton cmdAdd{this, QStringLiteral("cmdAdd")};
    ui::CommandButton cmdCancel{this, QStringLiteral("cmdCancel")};
    ui::ComboBox cmbCat{this, QStringLiteral("cmbCat")};
    ui::ComboBox cmbLang{this, QStringLiteral("cmbLang")};
    ui::ListView LView{this, QStringLiteral("LView")};
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
    void cmbUser_Click();
    void cmdAdd_Click();
    void cmdCancel_Click();
    void cmdDelete_Click();
    void cmdExport_Click();
    void cmdUnit_Click();
    void cmdClose_Click();
    void LstView_ColumnClick(ui::ColumnHeader& ColumnHeader);
    void LView_ColumnClick(ui::ColumnHeader& ColumnHeader);
    void LView_Click();
    void LView_KeyDown(int& KeyCode, int Shift);
    void txtQuan_LostFocus();

    // The diary header that carries an icon, by its key, and that icon: 1 descending, 2
    // ascending.
    struct SortedHeader {
        const ui::ColumnHeader* header;
        int icon;
    };
    SortedHeader FindSortedColumn() const;
    // The diary's cells as its headers place them (0 is the row's text), found by the headers'
    // keys, so that every handler finds its column wherever that stands.
    struct DiaryColumns {
        int date;
        int food;
        int translation;
        int quantity;
        int unit;
    };
    DiaryColumns Columns() const;
    // The diary's quantity order for the QUANTITY icon.
    static QString QuantityOrder(int icon);
    // Re-reads the diary ordered by quantity in the direction of the QUANTITY icon.
    void ReadByQuantity();
    // The diary rows of the member and language, in `order` (SQL, may be empty).
    void ReadDiary(const QString& order, bool keepListWhenEmpty);
    // Lists the rows of `rs`, each tagged with the userid they were read for.
    void AddDiaryRows(db::Recordset& rs, const QString& member);
    // The food picked in the food list; empty when none is selected.
    QString SelectedFood() const;
    // The units of the food picked in the food list, when one is.
    void UnitsOfPickedFood();
    // After a refill of the food list: the food in the box stays picked where the list shows
    // it; otherwise the box lets go of it.
    void KeepPickedFood();
    void TodayInPicker();
};
