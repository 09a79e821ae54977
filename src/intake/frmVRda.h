#pragma once

#include <QDate>

#include "ui/CommonDialog.h"
#include "ui/Controls.h"
#include "ui/Form.h"
#include "ui/ImageList.h"
#include "ui/ListView.h"

// A member's intakes over a range of days against the RDA of the member's group for as many
// days, each nutrient classed as deficiency, more than RDA, or eaten without an RDA.
class frmVRda : public ui::FormOf<frmVRda> {
  public:
    frmVRda();

    // Computes and shows the report for the member in cmbUser from DTP to DTP1.
    void Showdifference();
    // Fills the member list, then runs the report.
    void UsrInfo();

    ui::Frame Frame1{this, QStringLiteral("Frame1")};
    ui::ControlArray<ui::Label> lbl{this, QStringLiteral("lbl"), 0, 2};
    ui::ComboBox cmbUser{this, QStringLiteral("cmbUser")};
    ui::DatePicker DTP{this, QStringLiteral("DTP")};
    ui::DatePicker DTP1{this, QStringLiteral("DTP1")};
    ui::CommandButton cmdGo{this, QStringLiteral("cmdGo")};
    ui::ListView LstView{this, QStringLiteral("LstView")};
    ui::Label Label2{this, QStringLiteral("Label2")};
    ui::ControlArray<ui::Shape> Picture1{this, QStringLiteral("Picture1"), 0, 2};
    ui::ControlArray<ui::Label> Label1{this, QStringLiteral("Label1"), 0, 2};
    ui::CommandButton cmdExport{this, QStringLiteral("cmdExport")};
    ui::CommandButton cmdClose{this, QStringLiteral("cmdClose")};
    ui::CommonDialog cdlg{this, QStringLiteral("cdlg")};
    ui::ImageList ImgLst = ui::ImageList::withSortArrows(QStringLiteral("ImgLst"));

  protected:
    void Form_Load() override;
    void Form_KeyDown(int& KeyCode, int Shift) override;

  private:
    void cmbUser_Click();
    void DTP_Change();
    void DTP1_Change();
    void cmdGo_Click();
    void cmdExport_Click();
    void cmdClose_Click();
    void LstView_ColumnClick(ui::ColumnHeader& ColumnHeader);
    void LstView_DblClick();

    void ShowDayCount();
    void ShowCounts(int deficiency, int notInRda, int moreThanRda);

    // The member and the days of the run that made the list, for its export.
    QString mRunUser;
    QDate mRunFrom;
    QDate mRunTo;
};
