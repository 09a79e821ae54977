#include "members/frmAdAct.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "db/Connection.h"
#include "db/Recordset.h"
#include "frame/ErrorHandler.h"
#include "frame/core.h"
#include "frame/frmMain.h"
#include "members/MemberEntry.h"
#include "members/frmUE.h"
#include "members/frmUsr.h"
#include "runtime/Convert.h"
#include "runtime/Error.h"
#include "ui/Constants.h"
#include "ui/Host.h"

using namespace core;

frmAdAct::frmAdAct() {
    setCaption(QStringLiteral("New Activity"));
    setKeyPreview(true);
    setBorderStyle(3);
    lbl[0].setCaption(QStringLiteral("&Type"));
    lbl[1].setCaption(QStringLiteral("&Activity"));
    cmbType.setStyle(ui::vbComboDropdownList);
    Lv.ColumnHeaders.Add(-1, QStringLiteral("ACTIVITY"), QStringLiteral("ACTIVITY"), 5469);
    Lv.ColumnHeaders.Add(-1, QStringLiteral("TYPE"), QStringLiteral("TYPE"), 2893);
    Lv.setGridLines(true);
    cmdOK.setCaption(QStringLiteral("&Save"));
    cmdCancel.setCaption(QStringLiteral("&Cancel"));

    cmdOK.Click = [this] { cmdOK_Click(); };
    cmdCancel.Click = [this] { cmdCancel_Click(); };
    txtName.LostFocus = [this] { members::TrimOnLeave(txtName); };

    auto* fields = new QGridLayout;
    fields->addWidget(lbl[0].widget(), 0, 0);
    fields->addWidget(cmbType.widget(), 0, 1);
    fields->addWidget(lbl[1].widget(), 1, 0);
    fields->addWidget(txtName.widget(), 1, 1);
    fields->setColumnStretch(1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK.widget());
    buttons->addWidget(cmdCancel.widget());
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(Lv.widget(), 1);
    layout->addLayout(buttons);
    setWidth(9000);
    setHeight(6000);
}

void frmAdAct::Form_Load() {
    CenterForm(frmMain::instance(), *this);
    // A failed read ends the listing: the dialog opens with what could be listed.
    const auto read = [this] {
        db::Recordset rs;
        rs.Open(QStringLiteral("SElect distinct acttyp from grpmst"), cn);
        while (!rs.EOF()) {
            const QString type = rs[QStringLiteral("acttyp")].text();
            if (!type.isEmpty()) {
                cmbType.AddItem(type);
            }
            rs.MoveNext();
        }
        if (cmbType.ListCount() > 0) {
            cmbType.setListIndex(0);
        }
        DispAc();
        if (Lv.ListItems.Count() > 0) {
            Lv.ListItems(1).setSelected(true);
        }
    };
    frame::readOrTell(*this, QStringLiteral("The list of activities"),
                      QStringLiteral("frmAdAct::Form_Load"), read);
}

void frmAdAct::DispAc() {
    db::Recordset rs;
    rs.Open(QStringLiteral("Select * from usrcat order by activityname asc"), cn);
    while (!rs.EOF()) {
        ui::ListItem& item = Lv.ListItems.Add(rs[QStringLiteral("activityname")].text());
        item.setSubItems(1, rs[QStringLiteral("activitytype")].text());
        rs.MoveNext();
    }
}

void frmAdAct::Form_KeyDown(int& KeyCode, int /*Shift*/) {
    if (KeyCode == ui::vbKeyEscape) {
        ui::Unload(*this);
    }
}

void frmAdAct::cmdCancel_Click() {
    ui::Unload(*this);
}

void frmAdAct::cmdOK_Click() {
    ui::Hourglass wait;
    const QString name = rt::Trim(txtName.Text());
    const QString type = cmbType.Text();
    if (name.contains(QLatin1Char('\''))) {
        ui::Screen::setMousePointer(ui::vbDefault);
        ui::MsgBox(QStringLiteral("Do not enter '"));
        return;
    }
    if (name.isEmpty() || rt::Trim(type).isEmpty()) {
        ui::Screen::setMousePointer(ui::vbDefault);
        ui::MsgBox(QStringLiteral("You must enter data"));
        return;
    }
    try {
        db::Transaction transaction(cn);
        db::Recordset rs;
        rs.Open(QStringLiteral("SELECT activityname FROM usrcat WHERE activityname = ?"), cn,
                {name});
        if (!rs.EOF()) {
            ui::Screen::setMousePointer(ui::vbDefault);
            ui::MsgBox(QStringLiteral("This activity already exists."));
            return;
        }
        cn.Execute(QStringLiteral("insert into usrcat (activitytype, activityname) values (?, ?)"),
                   {type, name});
        transaction.Commit();
    } catch (const rt::Error& error) {
        frame::tellWriteFailure(QStringLiteral("The activity was not saved."), error,
                                QStringLiteral("frmAdAct::cmdOK_Click"));
        return;
    }
    if (ActFromUsr) {
        if (frmUsr* reg = frmUsr::loadedInstance()) {
            reg->setTag(name);
            reg->DispCmbActivity(2);
        }
    } else if (frmUE* editor = frmUE::loadedInstance()) {
        members::ListActivities(editor->cmbActivity, name);
        if (frmUsr* reg = frmUsr::loadedInstance()) {
            reg->DispCmbActivity(1);
        }
    }
    ui::Unload(*this);
}
