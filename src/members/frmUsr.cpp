#include "members/frmUsr.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <functional>

#include "db/Connection.h"
#include "db/Recordset.h"
#include "frame/ErrorHandler.h"
#include "frame/core.h"
#include "frame/frmMain.h"
#include "listoutput/ExportButton.h"
#include "members/RdaGroup.h"
#include "members/frmAdAct.h"
#include "members/frmUE.h"
#include "runtime/Convert.h"
#include "runtime/Error.h"
#include "ui/ColumnSort.h"
#include "ui/Constants.h"
#include "ui/Host.h"

using namespace core;

namespace {

const QString kTitle = QStringLiteral("Kelvora");

// Runs one step of Reset, which goes on whatever an earlier step raised.
void step(const std::function<void()>& f) {
    frame::passOver(QStringLiteral("frmUsr::cmdCancel_Click"), f);
}

}  // namespace

frmUsr::frmUsr() {
    setMDIChild(true);
    setCaption(QStringLiteral("Personal Information"));
    setKeyPreview(true);

    SSTab1.setTabs(2);
    SSTab1.setTabCaption(0, QStringLiteral("PERS&ON"));
    SSTab1.setTabCaption(1, QStringLiteral("VIE&W"));
    const QStringList captions = {QStringLiteral("&Prefix"),      QStringLiteral("&Full Name"),
                                  QStringLiteral("Add&ress"),     QStringLiteral("Te&lephone"),
                                  QStringLiteral("E&Mail"),       QStringLiteral("S&ex"),
                                  QStringLiteral("&Age"),         QStringLiteral("&Height(Cms)"),
                                  QStringLiteral("Wei&ght(Kgs)"), QStringLiteral("C&ondition"),
                                  QStringLiteral("Acti&vity"),    QStringLiteral("List of &users")};
    for (int i = 0; i < captions.size(); ++i) {
        lbl[i].setCaption(captions[i]);
    }
    for (ui::ComboBox* combo : {&cmbPrefix, &cmbSex, &Combo1, &txtCondition, &cmbActivity}) {
        combo->setStyle(ui::vbComboDropdownList);
    }
    Combo1.AddItem(QStringLiteral("Years"));
    Combo1.AddItem(QStringLiteral("Months"));
    cmdAddAct.setCaption(QStringLiteral(". . ."));
    cmdAddAct.setToolTipText(QStringLiteral("New activity"));
    cmdAddAct.widget()->setMaximumWidth(40);
    cmdAdd.setCaption(QStringLiteral("&Save"));
    cmdCancel.setCaption(QStringLiteral("Rese&t"));
    cmdEdit.setCaption(QStringLiteral("Ed&it"));
    cmdDelete.setCaption(QStringLiteral("&Delete"));
    cmdExport.setCaption(QStringLiteral("E&xport"));
    cmdClose.setCaption(QStringLiteral("C&lose"));

    struct Column {
        const char* key;
        const char* header;
        int width;
    };
    const Column columns[] = {
        {"a", "PREFIX", 706},     {"b", "NAME", 5891},     {"c", "ADDRESS", 2540},
        {"d", "SEX", 1305},       {"e", "AGE", 1129},      {"f", "PHONE", 1834},
        {"g", "EMAIL", 2540},     {"h", "WEIGHT", 1305},   {"i", "HEIGHT", 1305},
        {"j", "CONDITION", 2540}, {"k", "ACTIVITY", 2540}, {"", "System Tag ", 0}};
    for (const Column& column : columns) {
        LViews.ColumnHeaders.Add(-1, QString::fromLatin1(column.key),
                                 QString::fromLatin1(column.header), column.width);
    }
    LViews.setColumnHeaderIcons(&ImgLst);
    LViews.ColumnHeaders(1).setIcon(2);
    LViews.setGridLines(true);
    LViews.setHideSelection(false);

    cmdClose.Click = [this] { cmdClose_Click(); };
    cmdCancel.Click = [this] { cmdCancel_Click(); };
    cmdAdd.Click = [this] { cmdAdd_Click(); };
    cmdAddAct.Click = [this] { cmdAddAct_Click(); };
    SSTab1.Click = [this](int PreviousTab) { SSTab1_Click(PreviousTab); };
    cmdEdit.Click = [this] { cmdEdit_Click(); };
    LViews.DblClick = [this] { LViews_DblClick(); };
    cmdDelete.Click = [this] { cmdDelete_Click(); };
    cmdExport.Click = [this] { cmdExport_Click(); };
    LViews.ColumnClick = [this](ui::ColumnHeader& header) { LViews_ColumnClick(header); };
    members::TidyOnLeave(Fields(), &cmdAdd, [this] { ValidateInput(); });
    txtPhone.Validate = [this](bool& Cancel) { txtPhone_Validate(Cancel); };
    txtAge.Change = [this] { txtAge_Change(); };
    cmbSex.Click = [this] { cmbSex_Click(); };

    // The entry tab: the person in the left column, age, body and work in the right one.
    auto* entry = new QGridLayout(SSTab1.page(0));
    entry->setHorizontalSpacing(12);
    auto place = [entry](ui::Label& label, QWidget* field, int row, int column) {
        entry->addWidget(label.widget(), row, column);
        entry->addWidget(field, row, column + 1);
    };
    place(lbl[0], cmbPrefix.widget(), 0, 0);
    place(lbl[1], txtFirstN.widget(), 1, 0);
    place(lbl[2], txtAddress.widget(), 2, 0);
    place(lbl[3], txtPhone.widget(), 3, 0);
    place(lbl[4], txtEMail.widget(), 4, 0);
    place(lbl[5], cmbSex.widget(), 5, 0);
    auto* age = new QHBoxLayout;
    age->addWidget(txtAge.widget(), 1);
    age->addWidget(Combo1.widget(), 1);
    entry->addWidget(lbl[6].widget(), 0, 2);
    entry->addLayout(age, 0, 3);
    place(lbl[7], txtHeight.widget(), 1, 2);
    place(lbl[8], txtWeight.widget(), 2, 2);
    place(lbl[9], txtCondition.widget(), 3, 2);
    auto* activity = new QHBoxLayout;
    activity->addWidget(cmbActivity.widget(), 1);
    activity->addWidget(cmdAddAct.widget());
    entry->addWidget(lbl[10].widget(), 4, 2);
    entry->addLayout(activity, 4, 3);
    entry->setColumnStretch(1, 3);
    entry->setColumnStretch(3, 2);
    entry->setRowStretch(6, 1);
    auto* entryButtons = new QHBoxLayout;
    entryButtons->addStretch(1);
    entryButtons->addWidget(cmdAdd.widget());
    entryButtons->addWidget(cmdCancel.widget());
    entry->addLayout(entryButtons, 7, 0, 1, 4);

    auto* list = new QVBoxLayout(SSTab1.page(1));
    list->addWidget(lbl[11].widget());
    list->addWidget(LViews.widget(), 1);
    auto* listButtons = new QHBoxLayout;
    listButtons->addStretch(1);
    listButtons->addWidget(cmdEdit.widget());
    listButtons->addWidget(cmdDelete.widget());
    listButtons->addWidget(cmdExport.widget());
    list->addLayout(listButtons);

    auto* closeRow = new QHBoxLayout;
    closeRow->addStretch(1);
    closeRow->addWidget(cmdClose.widget());
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(SSTab1.widget(), 1);
    layout->addLayout(closeRow);
    setWidth(11400);
    setHeight(6600);
}

members::EntryFields frmUsr::Fields() {
    return {cmbPrefix, txtFirstN, txtAddress, txtPhone,     txtEMail,   cmbSex,
            txtAge,    txtHeight, txtWeight,  txtCondition, cmbActivity};
}

void frmUsr::Form_Load() {
    Combo1.setListIndex(0);
    CenterForm(frmMain::instance(), *this);
    // Reset also lists the activities.
    cmdCancel_Click();
    MLst();
    ChkBtns();
    setMousePointer(ui::vbDefault);
}

void frmUsr::Form_KeyDown(int& KeyCode, int /*Shift*/) {
    if (KeyCode == ui::vbKeyEscape) {
        ui::Unload(*this);
    }
}

void frmUsr::cmdClose_Click() {
    ui::Unload(*this);
}

void frmUsr::cmdCancel_Click() {
    step([this] {
        cmbPrefix.Clear();
        for (const QString& prefix : members::kPrefixes) {
            cmbPrefix.AddItem(prefix);
        }
        cmbPrefix.setListIndex(0);
    });
    // Not possible while the window is still loading.
    if (Visible()) {
        step([this] { cmbPrefix.SetFocus(); });
    }
    txtFirstN.setText(QString());
    txtAddress.setText(QString());
    step([this] {
        cmbSex.Clear();
        cmbSex.AddItem(QStringLiteral("Male"));
        cmbSex.AddItem(QStringLiteral("Female"));
        cmbSex.setListIndex(0);
    });
    for (ui::TextBox* box : {&txtAge, &txtPhone, &txtEMail, &txtWeight, &txtHeight}) {
        step([box] { box->setText(QString()); });
    }
    step([this] {
        txtCondition.Clear();
        for (const QString& condition : members::kConditions) {
            txtCondition.AddItem(condition);
        }
        txtCondition.setListIndex(0);
    });
    DispCmbActivity(1);
}

void frmUsr::DispCmbActivity(int mode) {
    members::ListActivities(cmbActivity, mode == 2 ? std::optional<QString>(Tag()) : std::nullopt);
}

void frmUsr::MLst() {
    ui::Hourglass wait;
    LViews.ListItems.Clear();
    const auto read = [this] {
        // The columns in the order of the list's columns.
        db::Recordset rs;
        rs.Open(QStringLiteral("SELECT Prefix, FirstN, Address, Sex, Age, Phone, EMail, Weigh, "
                               "Heigt, Cndition, Activity, userid FROM usr ORDER BY userid"),
                cn);
        while (!rs.EOF()) {
            ui::ListItem& item = LViews.ListItems.Add(rs[0].text());
            for (int i = 1; i <= 11; ++i) {
                item.setSubItems(i, rs[i].text());
            }
            rs.MoveNext();
        }
    };
    frame::readOrTell(*this, QStringLiteral("The list of members"), QStringLiteral("frmUsr::MLst"),
                      read);
}

void frmUsr::ChkBtns() {
    const bool any = LViews.ListItems.Count() >= 1;
    cmdEdit.setEnabled(any);
    cmdDelete.setEnabled(any);
}

void frmUsr::SSTab1_Click(int PreviousTab) {
    if (PreviousTab == 0) {
        ChkBtns();
    }
}

void frmUsr::cmdAdd_Click() {
    ui::Hourglass wait;
    if (ValidateInput()) {
        return;
    }
    if (!SaveUser()) {
        return;
    }
    MLst();
    cmdCancel_Click();
}

bool frmUsr::SaveUser() {
    const QString prefix = cmbPrefix.Text();
    const QString name = txtFirstN.Text();
    try {
        db::Transaction transaction(cn);
        if (members::RefuseTakenName(prefix, name)) {
            return false;
        }
        const QString period =
            Combo1.Text() == QLatin1String("Years") ? QStringLiteral("Y") : QStringLiteral("M");
        using members::OrBlank;
        cn.Execute(
            QStringLiteral("INSERT INTO usr (Prefix, FirstN, Address, Phone, EMail, Sex, Age, "
                           "period, Heigt, Weigh, Cndition, Activity) "
                           "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
            {prefix, name, OrBlank(txtAddress.Text()), OrBlank(txtPhone.Text()),
             OrBlank(txtEMail.Text()), OrBlank(cmbSex.Text()), rt::CInt(txtAge.Text()), period,
             OrBlank(txtHeight.Text()), OrBlank(txtWeight.Text()), OrBlank(txtCondition.Text()),
             cmbActivity.Text()});
        db::Recordset added;
        added.Open(QStringLiteral("SELECT last_insert_rowid() AS userid"), cn);
        members::RdaGroup::Assign(cn, added[QStringLiteral("userid")].integerValue());
        transaction.Commit();
    } catch (const rt::Error& error) {
        frame::tellWriteFailure(QStringLiteral("The member was not saved."), error,
                                QStringLiteral("frmUsr::SaveUser"));
        return false;
    }
    return true;
}

bool frmUsr::ValidateInput() {
    return members::RefuseEntry(Fields(), members::EntryWindow::Register,
                                [this] { return CheckActivity(); });
}

QString frmUsr::CheckActivity() {
    db::Recordset rs;
    rs.Open(QStringLiteral("Select ActivityType from usrcat where activityname = ? order by rowid"),
            cn, {cmbActivity.Text()});
    if (rs.EOF()) {
        return QStringLiteral("Please select an activity.");
    }
    return members::ActivityRefusal(rt::Val(txtAge.Text()),
                                    rs[QStringLiteral("activitytype")].text());
}

void frmUsr::txtPhone_Validate(bool& Cancel) {
    const QString phone = rt::Trim(txtPhone.Text());
    if (phone.isEmpty()) {
        txtPhone.setText(QString());
    } else if (!members::IsTelephone(phone)) {
        ui::MsgBox(QStringLiteral("Please enter numbers only."), ui::vbInformation, kTitle);
        Cancel = true;
    }
}

// By age the conditions are for women of 8 to 50; "--" stands first.
void frmUsr::txtAge_Change() {
    members::ConditionOnAge(Fields(), 8, 50, 0);
}

void frmUsr::cmbSex_Click() {
    members::ConditionOnSex(Fields(), 0);
}

void frmUsr::cmdEdit_Click() {
    if (LViews.SelectedItem() == nullptr) {
        return;
    }
    frmUE& editor = frmUE::instance();
    editor.Show(ui::vbModal);
}

void frmUsr::LViews_DblClick() {
    if (LViews.ListItems.Count() >= 1) {
        cmdEdit_Click();
    }
}

void frmUsr::cmdDelete_Click() {
    if (ui::ListItem* row = LViews.SelectedItem()) {
        const QString prefix = row->Text();
        const QString name = row->SubItems(1);
        bool whole = false;
        const qint64 userid = row->SubItems(11).toLongLong(&whole);
        // Of the members of one name, the stored name stands for the one with the lowest userid.
        const bool isDefault = GetOption(QStringLiteral("Defter"), QStringLiteral("-")) == name &&
                               whole && DefaultMember() == userid;
        const QString question =
            isDefault ? QStringLiteral("Do you want to remove this user ? This is default user.")
                      : QStringLiteral("Do you want to remove user  '") + prefix +
                            QLatin1Char(' ') + name + QStringLiteral("' ?");
        if (ui::MsgBox(question, ui::vbYesNo | ui::vbQuestion, kTitle) == ui::vbYes) {
            ui::Hourglass wait;
            bool removed = false;
            try {
                if (!whole) {
                    rt::raise(rt::err::TypeMismatch);
                }
                db::Transaction transaction(cn);
                cn.Execute(QStringLiteral("DELETE FROM dayin WHERE uid = ?"), {userid});
                cn.Execute(QStringLiteral("DELETE FROM usr WHERE userid = ?"), {userid});
                transaction.Commit();
                removed = true;
            } catch (const rt::Error& error) {
                frame::tellWriteFailure(QStringLiteral("The member was not removed."), error,
                                        QStringLiteral("frmUsr::cmdDelete_Click"));
            }
            if (removed) {
                MLst();
                if (isDefault) {
                    SaveOption(QStringLiteral("Defter"), QStringLiteral("-"));
                }
            }
        }
    }
    ChkBtns();
}

void frmUsr::cmdExport_Click() {
    listoutput::ExportToHtml(cdlg, LViews, QStringLiteral("Members"));
}

void frmUsr::LViews_ColumnClick(ui::ColumnHeader& ColumnHeader) {
    ui::SortOnColumnClick(LViews, ColumnHeader);
}

void frmUsr::cmdAddAct_Click() {
    ActFromUsr = true;
    frmAdAct& activities = frmAdAct::instance();
    activities.Show(ui::vbModal);
}
