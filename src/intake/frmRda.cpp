#include "intake/frmRda.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "db/Recordset.h"
#include "frame/ErrorHandler.h"
#include "frame/core.h"
#include "frame/frmMain.h"
#include "intake/BodyMeasures.h"
#include "intake/IntakeLinks.h"
#include "listoutput/ExportButton.h"
#include "runtime/Convert.h"
#include "runtime/Error.h"
#include "ui/Constants.h"

using namespace core;

namespace {

const QString kNoMember = QStringLiteral("-");

// A stored measure as a whole number; none when it is empty, no number or too large.
std::optional<int> WholeNumber(const db::Variant& value) {
    try {
        if (value.IsNull() || !rt::IsNumeric(value.text())) {
            return std::nullopt;
        }
        return rt::CInt(value.text());
    } catch (const rt::Error& error) {
        if (!frame::isConversionError(error)) {
            throw;
        }
        return std::nullopt;
    }
}

}  // namespace

frmRda::frmRda() {
    setMDIChild(true);
    setCaption(QStringLiteral("Recommanded Daily Allowance"));
    setKeyPreview(true);
    lbl.setCaption(QStringLiteral("&Person"));
    cmbName.setStyle(2);
    Label1.setCaption(QStringLiteral("BMR :"));
    Label2.setCaption(QStringLiteral("BMI :"));
    for (ui::Label* label : {&Label1, &Label2, &Label4}) {
        label->setFontSize(10);
    }
    Label1.setFontBold(true);
    Label2.setFontBold(true);
    cmdExport.setCaption(QStringLiteral("E&xport"));
    cmdUInfo.setCaption(QStringLiteral("&Info"));
    cmdClose.setCaption(QStringLiteral("&Close"));

    LstView.ColumnHeaders.Add(-1, QStringLiteral("a"), QStringLiteral("NUTRIENT"), 7479);
    LstView.ColumnHeaders.Add(-1, QStringLiteral("b"), QStringLiteral("RDA"), 1765);
    LstView.ColumnHeaders.Add(-1, QStringLiteral("c"), QStringLiteral("UNIT"), 2011);
    LstView.setColumnHeaderIcons(&ImgLst);
    LstView.ColumnHeaders(1).setIcon(2);
    // The list is in the order its NUTRIENT icon shows from the start.
    LstView.setSorted(true);

    cmbName.Click = [this] { cmbName_Click(); };
    LstView.ColumnClick = [this](ui::ColumnHeader& header) { LstView_ColumnClick(header); };
    LstView.DblClick = [this] { LstView_DblClick(); };
    cmdExport.Click = [this] { cmdExport_Click(); };
    cmdUInfo.Click = [this] { cmdUInfo_Click(); };
    cmdClose.Click = [this] { cmdClose_Click(); };

    auto* member = new QHBoxLayout;
    member->addWidget(lbl.widget());
    member->addWidget(cmbName.widget(), 1);
    auto* measures = new QHBoxLayout;
    measures->addWidget(Label1.widget());
    measures->addSpacing(24);
    measures->addWidget(Label2.widget());
    measures->addSpacing(24);
    measures->addWidget(Label4.widget());
    measures->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdExport.widget());
    buttons->addWidget(cmdUInfo.widget());
    buttons->addStretch(1);
    buttons->addWidget(cmdClose.widget());
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(member);
    layout->addWidget(LstView.widget(), 1);
    layout->addLayout(measures);
    layout->addLayout(buttons);
    setWidth(11400);
    setHeight(7800);
}

void frmRda::Form_Load() {
    CheckRegistry();
    CenterForm(frmMain::instance(), *this);
    UDi();
}

void frmRda::UDi() {
    // The entries filled before an error stay.
    frame::readOrTell(*this, QStringLiteral("The list of members"), QStringLiteral("frmRda::UDi"),
                      [this] { ListMembers(cmbName); });
}

void frmRda::ClearMember() {
    cmdUInfo.setEnabled(false);
    LstView.ListItems.Clear();
    Label1.setVisible(false);
    Label2.setVisible(false);
    Label4.setVisible(false);
    Label4.setCaption(QString());
    Label4.setFontBold(false);
}

void frmRda::cmbName_Click() {
    if (cmbName.Text() == kNoMember) {
        ClearMember();
        return;
    }
    cmdUInfo.setEnabled(true);
    // After a failed read what was shown before stays.
    const auto read = [this] {
        db::Recordset rs;
        rs.Open(QStringLiteral("SELECT * FROM usr WHERE userid = ?"), cn, {MemberId(cmbName)});
        if (rs.EOF()) {
            // Removed while the window was open: nothing of the member before stays on show.
            mUserId = 0;
            mGroupId.reset();
            ClearMember();
            return;
        }
        mUserId = rs[QStringLiteral("userid")].toLong();
        const db::Variant group = rs[QStringLiteral("gid")];
        mGroupId = group.IsNull() ? std::nullopt : std::optional<qint32>(group.toLong());
        ListRef();
        std::optional<int> age = WholeNumber(rs[QStringLiteral("Age")]);
        if (age) {
            age = intake::BodyMeasures::AgeInYears(*age, rs[QStringLiteral("period")].text());
        }
        BmrBmi(WholeNumber(rs[QStringLiteral("weigh")]), WholeNumber(rs[QStringLiteral("heigt")]),
               rs[QStringLiteral("Sex")].text(), age);
    };
    frame::readOrTell(*this, QStringLiteral("The member's data"),
                      QStringLiteral("frmRda::cmbName_Click"), read);
}

void frmRda::BmrBmi(std::optional<int> weight, std::optional<int> height, const QString& sex,
                    std::optional<int> age) {
    namespace measures = intake::BodyMeasures;
    std::optional<double> bmr;
    if (weight && age) {
        bmr = measures::Bmr(sex, *age, *weight);
    }
    std::optional<double> bmi;
    if (weight && height) {
        bmi = measures::Bmi(*weight, *height);
    }
    const QString noFigure = QStringLiteral("-");
    const QString picture = QStringLiteral("###.##");
    Label1.setCaption(QStringLiteral("BMR : ") + (bmr ? rt::Format(*bmr, picture) : noFigure));
    Label2.setCaption(QStringLiteral("BMI : ") + (bmi ? rt::Format(*bmi, picture) : noFigure));
    // A child's BMI is not judged by the adult bands: the figure shows, the word does not.
    const bool judged = bmi && age && measures::IsAdult(*age);
    if (judged) {
        const measures::Status status = measures::StatusOf(*bmi);
        Label4.setCaption(status.caption);
        Label4.setForeColor(status.colour);
        Label4.setFontBold(true);
    } else {
        Label4.setCaption(QString());
        Label4.setFontBold(false);
    }
    Label1.setVisible(true);
    Label2.setVisible(true);
    Label4.setVisible(judged);
}

void frmRda::FillList(const QString& order) {
    LstView.ListItems.Clear();
    if (!mGroupId) {
        return;
    }
    // The rows listed before an error stay.
    const auto read = [&] {
        cmd.CommandText = QStringLiteral(
                              "SELECT nutri.nname, RDA.nutri_val, RDA.Unit FROM RDA, nutri "
                              "WHERE RDA.gid = ? AND nutri.nutri_cd = RDA.nutri_cd") +
                          order;
        db::Recordset rs = cmd.Execute({*mGroupId});
        while (!rs.EOF()) {
            ui::ListItem& item = LstView.ListItems.Add(rs[QStringLiteral("nname")].text());
            item.setSubItems(1, rs[QStringLiteral("nutri_val")].text());
            item.setSubItems(2, rs[QStringLiteral("Unit")].text());
            rs.MoveNext();
        }
    };
    frame::readOrTell(*this, QStringLiteral("The daily allowances"),
                      QStringLiteral("frmRda::FillList"), read);
}

void frmRda::ListRef() {
    if (LstView.ColumnHeaders(2).Icon().toInt() != 0) {
        ListRefCop();
        return;
    }
    FillList(QStringLiteral(" ORDER BY RDA.rowid"));
}

void frmRda::ListRefCop() {
    const bool ascending = LstView.ColumnHeaders(2).Icon().toInt() == 2;
    FillList(ascending ? QStringLiteral(" ORDER BY RDA.nutri_val ASC")
                       : QStringLiteral(" ORDER BY RDA.nutri_val DESC"));
}

int frmRda::FindSortedColumn() const {
    for (int i = 1; i <= 3; ++i) {
        const int image = LstView.ColumnHeaders(i).Icon().toInt();
        if (image != 0) {
            return image;
        }
    }
    return 0;
}

// NUTRIENT and UNIT are ordered by the list itself, whose one direction flips on every such
// click; RDA is ordered by value in the data file, in the direction of its icon.
void frmRda::LstView_ColumnClick(ui::ColumnHeader& ColumnHeader) {
    if (cmbName.Text() == kNoMember) {
        LstView.ListItems.Clear();
        return;
    }
    const int before = FindSortedColumn();
    for (int i = 1; i <= 3; ++i) {
        LstView.ColumnHeaders(i).setIcon(0);
    }
    ColumnHeader.setIcon(before == 1 ? 2 : 1);
    LstView.setSorted(true);
    if (ColumnHeader.Key() == QLatin1String("b")) {
        LstView.setSorted(false);
        ListRefCop();
        return;
    }
    LstView.setSortKey(ColumnHeader.Key() == QLatin1String("c") ? 2 : 0);
    LstView.setSortOrder(LstView.SortOrder() == ui::lvwAscending ? ui::lvwDescending
                                                                 : ui::lvwAscending);
}

void frmRda::LstView_DblClick() {
    intake::links::ShowNutrientIndex(LstView);
}

void frmRda::cmdExport_Click() {
    listoutput::ExportToHtml(cdlg, LstView, QStringLiteral("Recommanded Daily Allowances"),
                             QStringLiteral("User : ") + cmbName.Text());
}

void frmRda::cmdUInfo_Click() {
    if (rt::Trim(cmbName.Text()).isEmpty()) {
        return;
    }
    setTag(QString::number(mUserId));
    intake::links::ShowMemberView(mUserId);
}

void frmRda::cmdClose_Click() {
    ui::Unload(*this);
}

void frmRda::Form_KeyDown(int& KeyCode, int /*Shift*/) {
    if (KeyCode == ui::vbKeyEscape) {
        ui::Unload(*this);
    }
}
