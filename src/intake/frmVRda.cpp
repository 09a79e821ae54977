#include "intake/frmVRda.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "frame/ErrorHandler.h"
#include "frame/core.h"
#include "frame/frmMain.h"
#include "intake/IntakeLinks.h"
#include "intake/RdaVsIntake.h"
#include "listoutput/ExportButton.h"
#include "runtime/Convert.h"
#include "runtime/Error.h"
#include "ui/ColumnSort.h"
#include "ui/Constants.h"
#include "ui/Host.h"

using namespace core;
namespace report = intake::RdaVsIntake;

namespace {

const QString kNoMember = QStringLiteral("-");
const QString kDayCount = QStringLiteral("No of day(s) = ");
// The row colours of the classes (platform colour values) and of the legend.
constexpr qint32 kDeficiency = 0x0000C0;
constexpr qint32 kNotInRda = 0x008000;
constexpr qint32 kMoreThanRda = 0x000000;

void Paint(ui::ListItem& item, qint32 colour) {
    item.setForeColor(colour);
    for (int j = 1; j <= item.ListSubItems().Count(); ++j) {
        item.ListSubItems()(j).setForeColor(colour);
    }
}

}  // namespace

frmVRda::frmVRda() {
    setMDIChild(true);
    setCaption(QStringLiteral("Daily intake Vs. RDA"));
    setKeyPreview(true);
    lbl[0].setCaption(QStringLiteral("&Intakes From"));
    lbl[1].setCaption(QStringLiteral("&To"));
    lbl[2].setCaption(QStringLiteral("&User"));
    cmbUser.setStyle(2);
    for (ui::DatePicker* picker : {&DTP, &DTP1}) {
        picker->setFormat(ui::dtpCustom);
        picker->setCustomFormat(QStringLiteral("dd-MM-yyyy"));
    }
    cmdGo.setCaption(QStringLiteral("&Go"));
    cmdGo.setDefault(true);
    cmdExport.setCaption(QStringLiteral("&Export"));
    cmdClose.setCaption(QStringLiteral("&Close"));
    Label2.setCaption(QStringLiteral("No of days - "));
    Label1[0].setCaption(QStringLiteral("Deficiancy"));
    Label1[1].setCaption(QStringLiteral("Not in RDA, but in Intake"));
    Label1[2].setCaption(QStringLiteral("More than RDA"));
    const qint32 legend[] = {kDeficiency, kNotInRda, kMoreThanRda};
    for (int i = 0; i <= 2; ++i) {
        Picture1[i].setBackColor(legend[i]);
        Picture1[i].widget()->setFixedSize(14, 14);
    }

    LstView.ColumnHeaders.Add(-1, QStringLiteral("a"), QStringLiteral("NUTRIENT"), 6174);
    LstView.ColumnHeaders.Add(-1, QStringLiteral("b"), QStringLiteral("RDA"), 2118,
                              ui::lvwColumnRight);
    LstView.ColumnHeaders.Add(-1, QStringLiteral("c"), QStringLiteral("INTAKE"), 2118,
                              ui::lvwColumnRight);
    LstView.ColumnHeaders.Add(-1, QStringLiteral("d"), QStringLiteral("DIFFERENCE"), 2646,
                              ui::lvwColumnRight);
    LstView.ColumnHeaders.Add(-1, QStringLiteral("e"), QStringLiteral("DIFFERENCE [IN %]"), 2646,
                              ui::lvwColumnRight);
    LstView.ColumnHeaders.Add(-1, QStringLiteral("f"), QStringLiteral("UNIT"), 2540);
    LstView.setColumnHeaderIcons(&ImgLst);
    LstView.ColumnHeaders(1).setIcon(2);

    cmbUser.Click = [this] { cmbUser_Click(); };
    DTP.Change = [this] { DTP_Change(); };
    DTP1.Change = [this] { DTP1_Change(); };
    cmdGo.Click = [this] { cmdGo_Click(); };
    cmdExport.Click = [this] { cmdExport_Click(); };
    cmdClose.Click = [this] { cmdClose_Click(); };
    LstView.ColumnClick = [this](ui::ColumnHeader& header) { LstView_ColumnClick(header); };
    LstView.DblClick = [this] { LstView_DblClick(); };

    auto* range = new QHBoxLayout(Frame1.container());
    range->addWidget(lbl[2].widget());
    range->addWidget(cmbUser.widget(), 2);
    range->addSpacing(12);
    range->addWidget(lbl[0].widget());
    range->addWidget(DTP.widget(), 1);
    range->addWidget(lbl[1].widget());
    range->addWidget(DTP1.widget(), 1);
    range->addSpacing(12);
    range->addWidget(cmdGo.widget());

    auto* legend_ = new QGridLayout;
    for (int i = 0; i <= 2; ++i) {
        legend_->addWidget(Picture1[i].widget(), i, 0);
        legend_->addWidget(Label1[i].widget(), i, 1);
    }
    legend_->setColumnStretch(1, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addStretch(1);
    auto* row = new QHBoxLayout;
    row->addWidget(cmdExport.widget());
    row->addWidget(cmdClose.widget());
    buttons->addLayout(row);
    auto* bottom = new QHBoxLayout;
    bottom->addLayout(legend_, 1);
    bottom->addLayout(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Frame1.widget());
    layout->addWidget(Label2.widget());
    layout->addWidget(LstView.widget(), 1);
    layout->addLayout(bottom);
    setWidth(13200);
    setHeight(8100);
}

void frmVRda::Form_Load() {
    CenterForm(frmMain::instance(), *this);
    CheckRegistry();
    ShowDayCount();
    UsrInfo();
}

void frmVRda::UsrInfo() {
    // The list shows no run yet; its export names the member and days on show.
    mRunFrom = DTP.Value();
    mRunTo = DTP1.Value();
    int others = 0;
    const auto read = [&] { others = ListMembers(cmbUser); };
    const bool listed = frame::readOrTell(*this, QStringLiteral("The list of members"),
                                          QStringLiteral("frmVRda::UsrInfo"), read);
    mRunUser = cmbUser.Text();
    if (!listed) {
        // The entries filled so far stay, and there is no run.
        return;
    }
    // With nobody besides the default member there is nothing to compare yet.
    if (others == 0) {
        return;
    }
    if (cmbUser.Text() == kNoMember) {
        LstView.ListItems.Add(QStringLiteral("No items found"));
    }
    Showdifference();
}

void frmVRda::cmbUser_Click() {
    for (ui::DatePicker* picker : {&DTP, &DTP1}) {
        picker->setValue(QDate::currentDate());
    }
    ShowDayCount();
}

void frmVRda::ShowDayCount() {
    Label2.setCaption(kDayCount + QString::number(report::DayCount(DTP.Value(), DTP1.Value())));
}

// The dates stay in the form they have at load: a date looks the same before and after the
// person changes it.
void frmVRda::DTP_Change() {
    ShowDayCount();
}

void frmVRda::DTP1_Change() {
    ShowDayCount();
}

void frmVRda::cmdGo_Click() {
    ui::Hourglass wait;
    Showdifference();
}

void frmVRda::ShowCounts(int deficiency, int notInRda, int moreThanRda) {
    Label1[0].setCaption(QStringLiteral("Deficiency. Total Nutrient(s) =  ") +
                         QString::number(deficiency));
    Label1[1].setCaption(QStringLiteral("Not in RDA, but intake. Total Nutrient(s) = ") +
                         QString::number(notInRda));
    Label1[2].setCaption(QStringLiteral("More than RDA. Total Nutrient(s) = ") +
                         QString::number(moreThanRda));
}

void frmVRda::Showdifference() {
    ShowCounts(0, 0, 0);
    const QDate from = DTP.Value();
    const QDate to = DTP1.Value();
    // The export names the member as the list does.
    mRunUser = cmbUser.Text();
    mRunFrom = from;
    mRunTo = to;
    try {
        if (to < from) {
            ui::MsgBox(QStringLiteral("Please enter the correct date in from and to"),
                       ui::vbOKOnly | ui::vbExclamation);
            LstView.ListItems.Clear();
            // A refused range has no count of days.
            Label2.setCaption(kDayCount);
            return;
        }
        const auto totals = report::Run(cn, MemberId(cmbUser), from, to);
        LstView.ListItems.Clear();
        if (!totals) {
            LstView.ListItems.Add(QStringLiteral("NO ITEMS FOUND."));
            return;
        }
        const int days = report::DayCount(from, to);
        int deficiency = 0;
        int notInRda = 0;
        int moreThanRda = 0;
        for (const report::NutrientTotal& total : *totals) {
            const report::ReportLine line = report::Present(total, days);
            ui::ListItem& item = LstView.ListItems.Add(total.nutrient);
            item.setSubItems(1, line.rda);
            item.setSubItems(2, line.intake);
            item.setSubItems(3, line.difference);
            item.setSubItems(4, line.percent);
            item.setSubItems(5, total.unit);
            switch (line.balance) {
                case report::Balance::NotInRda:
                    Paint(item, kNotInRda);
                    ++notInRda;
                    break;
                case report::Balance::Deficiency:
                    Paint(item, kDeficiency);
                    ++deficiency;
                    break;
                case report::Balance::MoreThanRda:
                    ++moreThanRda;
                    break;
                case report::Balance::Even:
                case report::Balance::NotKnown:
                    break;
            }
        }
        const int count = LstView.ListItems.Count();
        if (count > 0) {
            LstView.ListItems(count).setSelected(true);
        }
        ShowCounts(deficiency, notInRda, moreThanRda);
    } catch (const rt::Error& error) {
        // No half-made report stays.
        LstView.ListItems.Clear();
        ShowCounts(0, 0, 0);
        frame::tellWriteFailure(QStringLiteral("The report could not be made: "), error,
                                QStringLiteral("frmVRda::Showdifference"));
    }
}

// Only the nutrient names sort.
void frmVRda::LstView_ColumnClick(ui::ColumnHeader& ColumnHeader) {
    if (ColumnHeader.Key() == QLatin1String("a")) {
        ui::SortOnColumnClick(LstView, ColumnHeader);
    }
}

void frmVRda::LstView_DblClick() {
    intake::links::ShowNutrientIndex(LstView);
}

void frmVRda::cmdExport_Click() {
    listoutput::ExportToHtml(cdlg, LstView, QStringLiteral("RDA Vs. Intakes"),
                             QStringLiteral("User : ") + mRunUser,
                             QStringLiteral("From : ") + rt::DateText(mRunFrom),
                             QStringLiteral("   To : ") + rt::DateText(mRunTo));
}

void frmVRda::cmdClose_Click() {
    ui::Unload(*this);
}

void frmVRda::Form_KeyDown(int& KeyCode, int /*Shift*/) {
    if (KeyCode == ui::vbKeyEscape) {
        ui::Unload(*this);
    }
}
