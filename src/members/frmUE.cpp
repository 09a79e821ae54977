#include "members/frmUE.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "db/Connection.h"
#include "db/Recordset.h"
#include "frame/ErrorHandler.h"
#include "frame/core.h"
#include "frame/frmMain.h"
#include "members/RdaGroup.h"
#include "members/frmAdAct.h"
#include "members/frmUsr.h"
#include "runtime/Convert.h"
#include "runtime/Error.h"
#include "ui/Constants.h"
#include "ui/Host.h"
#include "ui/ListView.h"

using namespace core;

frmUE::frmUE() {
    setCaption(QStringLiteral("User Update"));
    setKeyPreview(true);
    setBorderStyle(3);
    const QStringList captions = {QStringLiteral("&Prefix"),      QStringLiteral("&Full Name"),
                                  QStringLiteral("A&ddress"),     QStringLiteral("&Telephone"),
                                  QStringLiteral("&EMail"),       QStringLiteral("&Sex"),
                                  QStringLiteral("&Age (Year)"),  QStringLiteral("&Height(Cms)"),
                                  QStringLiteral("&Weight(Kgs)"), QStringLiteral("C&ondition"),
                                  QStringLiteral("Acti&vity")};
    for (int i = 0; i < captions.size(); ++i) {
        lbl[i].setCaption(captions[i]);
    }
    for (ui::ComboBox* combo : {&cmbPrefix, &cmbSex, &txtCondition, &cmbActivity}) {
        combo->setStyle(ui::vbComboDropdownList);
    }
    cmdAddAct.setCaption(QStringLiteral(". . ."));
    cmdAddAct.setToolTipText(QStringLiteral("New activity"));
    cmdAddAct.widget()->setMaximumWidth(40);
    cmdUpdate.setCaption(QStringLiteral("&Update"));
    cmdCancel.setCaption(QStringLiteral("&Cancel"));

    cmdUpdate.Click = [this] { cmdUpdate_Click(); };
    cmdCancel.Click = [this] { cmdCancel_Click(); };
    cmdAddAct.Click = [this] { cmdAddAct_Click(); };
    members::TidyOnLeave(Fields());
    txtAge.Change = [this] { txtAge_Change(); };
    cmbSex.Click = [this] { cmbSex_Click(); };

    auto* fields = new QGridLayout(Frame1.container());
    const QList<QWidget*> widgets = {cmbPrefix.widget(),   txtFirstN.widget(), txtAddress.widget(),
                                     txtPhone.widget(),    txtEMail.widget(),  cmbSex.widget(),
                                     txtAge.widget(),      txtHeight.widget(), txtWeight.widget(),
                                     txtCondition.widget()};
    for (int i = 0; i < widgets.size(); ++i) {
        fields->addWidget(lbl[i].widget(), i, 0);
        fields->addWidget(widgets[i], i, 1);
    }
    auto* activity = new QHBoxLayout;
    activity->addWidget(cmbActivity.widget(), 1);
    activity->addWidget(cmdAddAct.widget());
    fields->addWidget(lbl[10].widget(), 10, 0);
    fields->addLayout(activity, 10, 1);
    fields->setColumnStretch(1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdUpdate.widget());
    buttons->addWidget(cmdCancel.widget());
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Frame1.widget(), 1);
    layout->addLayout(buttons);
    setWidth(6600);
    setHeight(6900);
}

void frmUE::Form_Load() {
    CenterForm(frmMain::instance(), *this);
    const frmUsr* reg = frmUsr::loadedInstance();
    const ui::ListItem* row = reg != nullptr ? reg->LViews.SelectedItem() : nullptr;
    if (row == nullptr) {
        return;
    }
    txtFirstN.setText(row->SubItems(1));
    txtAddress.setText(row->SubItems(2));
    txtAge.setText(row->SubItems(4));
    txtPhone.setText(row->SubItems(5));
    txtEMail.setText(row->SubItems(6));
    txtWeight.setText(row->SubItems(7));
    txtHeight.setText(row->SubItems(8));
    mUserId = row->SubItems(11).toLongLong();

    const QString prefix = row->Text();
    cmbPrefix.Clear();
    cmbPrefix.AddItem(prefix);
    cmbPrefix.setListIndex(0);
    if (members::kPrefixes.contains(prefix)) {
        for (const QString& other : members::kPrefixes) {
            if (other != prefix) {
                cmbPrefix.AddItem(other);
            }
        }
    }

    const QString sex = row->SubItems(3);
    cmbSex.Clear();
    cmbSex.AddItem(sex);
    if (sex == QLatin1String("Male")) {
        cmbSex.AddItem(QStringLiteral("Female"));
    } else if (sex == QLatin1String("Female")) {
        cmbSex.AddItem(QStringLiteral("Male"));
    }

    // "--" stands first for a member without a condition, last for the others.
    const QString condition = row->SubItems(9);
    txtCondition.Clear();
    txtCondition.AddItem(condition);
    txtCondition.setListIndex(0);
    if (members::kConditions.contains(condition)) {
        for (const QString& other : members::kConditions.mid(1)) {
            if (other != condition) {
                txtCondition.AddItem(other);
            }
        }
        if (condition == QLatin1String("--")) {
            setTag(QStringLiteral("0"));
        } else {
            txtCondition.AddItem(QStringLiteral("--"));
            setTag(QStringLiteral("3"));
        }
    }
    cmbSex.setListIndex(0);

    members::ListActivities(cmbActivity, row->SubItems(10));
}

void frmUE::Form_KeyDown(int& KeyCode, int /*Shift*/) {
    if (KeyCode == ui::vbKeyEscape) {
        ui::Unload(*this);
    }
}

void frmUE::cmdCancel_Click() {
    ui::Unload(*this);
}

void frmUE::cmdAddAct_Click() {
    ActFromUsr = false;
    frmAdAct& activities = frmAdAct::instance();
    activities.Show(ui::vbModal);
}

members::EntryFields frmUE::Fields() {
    return {cmbPrefix, txtFirstN, txtAddress, txtPhone,     txtEMail,   cmbSex,
            txtAge,    txtHeight, txtWeight,  txtCondition, cmbActivity};
}

bool frmUE::ValidateInput() {
    return members::RefuseEntry(Fields(), members::EntryWindow::Edit);
}

void frmUE::cmdUpdate_Click() {
    ui::Hourglass wait;
    if (ValidateInput()) {
        return;
    }
    using members::OrBlank;
    try {
        db::Transaction transaction(cn);
        if (members::RefuseTakenName(cmbPrefix.Text(), txtFirstN.Text(), mUserId)) {
            return;
        }
        const qint64 changed = cn.Execute(
            QStringLiteral("UPDATE usr SET Prefix = ?, FirstN = ?, Address = ?, Sex = ?, Age = ?, "
                           "Phone = ?, EMail = ?, Weigh = ?, Heigt = ?, Cndition = ?, "
                           "Activity = ? WHERE userid = ?"),
            {cmbPrefix.Text(), txtFirstN.Text(), OrBlank(txtAddress.Text()), cmbSex.Text(),
             rt::CInt(txtAge.Text()), OrBlank(txtPhone.Text()), OrBlank(txtEMail.Text()),
             OrBlank(txtWeight.Text()), OrBlank(txtHeight.Text()), txtCondition.Text(),
             cmbActivity.Text(), mUserId});
        if (changed == 0) {
            rt::raise(rt::err::NoCurrentRecord);
        }
        members::RdaGroup::Assign(cn, mUserId);
        transaction.Commit();
    } catch (const rt::Error& error) {
        frame::tellWriteFailure(QStringLiteral("The member was not saved."), error,
                                QStringLiteral("frmUE::cmdUpdate_Click"));
        return;
    }
    if (frmUsr* reg = frmUsr::loadedInstance()) {
        reg->MLst();
    }
    ui::Unload(*this);
}

std::optional<int> frmUE::NoConditionAt() const {
    // Tag holds where "--" stands; a condition the window does not know has none to go back to.
    bool known = false;
    const int position = Tag().toInt(&known);
    return known ? std::optional(position) : std::nullopt;
}

void frmUE::txtAge_Change() {
    members::ConditionOnAge(Fields(), 15, 45, NoConditionAt());
}

void frmUE::cmbSex_Click() {
    members::ConditionOnSex(Fields(), NoConditionAt());
}
