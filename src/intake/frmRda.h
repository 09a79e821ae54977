#pragma once

#include <optional>

#include "ui/CommonDialog.h"
#include "ui/Controls.h"
#include "ui/Form.h"
#include "ui/ImageList.h"
#include "ui/ListView.h"

namespace db {
class Variant;
}

// A member's recommended daily allowances (the RDA of the member's group), with the member's
// BMR, BMI and the word for that BMI.
class frmRda : public ui::FormOf<frmRda> {
  public:
    frmRda();

    // Lists the RDA of the current group, by value when the RDA header is sorted.
    void ListRef();
    // Fills the member list and selects its first entry.
    void UDi();
    // Lists the RDA of the current group ordered by value, in the direction of the RDA header.
    void ListRefCop();

    ui::Label lbl{this, QStringLiteral("lbl")};
    ui::ComboBox cmbName{this, QStringLiteral("cmbName")};
    ui::Label Label1{this, QStringLiteral("Label1")};
    ui::Label Label2{this, QStringLiteral("Label2")};
    ui::Label Label4{this, QStringLiteral("Label4")};
    ui::ListView LstView{this, QStringLiteral("LstView")};
    ui::CommandButton cmdExport{this, QStringLiteral("cmdExport")};
    ui::CommandButton cmdUInfo{this, QStringLiteral("cmdUInfo")};
    ui::CommandButton cmdClose{this, QStringLiteral("cmdClose")};
    ui::CommonDialog cdlg{this, QStringLiteral("cdlg")};
    ui::ImageList ImgLst = ui::ImageList::withSortArrows(QStringLiteral("ImgLst"));

  protected:
    void Form_Load() override;
    void Form_KeyDown(int& KeyCode, int Shift) override;

  private:
    void cmbName_Click();
    void LstView_ColumnClick(ui::ColumnHeader& ColumnHeader);
    void LstView_DblClick();
    void cmdExport_Click();
    void cmdUInfo_Click();
    void cmdClose_Click();

    // Weight and height as whole numbers (none when not a number); the age in years.
    void BmrBmi(std::optional<int> weight, std::optional<int> height, const QString& sex,
                std::optional<int> age);
    // The icon of the header that carries one; 0 when none does.
    int FindSortedColumn() const;
    void FillList(const QString& order);
    // No member: no list and no figures.
    void ClearMember();

    qint32 mUserId = 0;
    std::optional<qint32> mGroupId;
};
