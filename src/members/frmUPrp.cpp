#include "members/frmUPrp.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "db/Recordset.h"
#include "frame/ErrorHandler.h"
#include "frame/core.h"
#include "frame/frmMain.h"
#include "runtime/Error.h"
#include "ui/Constants.h"

using namespace core;

frmUPrp::frmUPrp() {
    setCaption(QStringLiteral("User Personal Information"));
    setKeyPreview(true);
    setBorderStyle(3);
    const QStringList captions = {
        QStringLiteral("Prefix"),    QStringLiteral("Full Name"), QStringLiteral("Address"),
        QStringLiteral("Telephone"), QStringLiteral("EMail"),     QStringLiteral("Sex"),
        QStringLiteral("Age"),       QStringLiteral("Height"),    QStringLiteral("Weight"),
        QStringLiteral("Condition"), QStringLiteral("Activity")};
    const QList<ui::TextBox*> boxes = {&txtPrefix, &txtName,      &txtAddress, &txtPhone,
                                       &txtEMail,  &txtSex,       &txtBirth,   &txtHeight,
                                       &txtWeight, &txtCondition, &txtAct};
    txtAddress.setMultiLine(true);
    auto* fields = new QGridLayout;
    for (int i = 0; i < boxes.size(); ++i) {
        lbl[i].setCaption(captions[i]);
        boxes[i]->setBackColor(ui::vbButtonFace);
        fields->addWidget(lbl[i].widget(), i, 0,
                          boxes[i] == &txtAddress ? Qt::AlignTop : Qt::Alignment());
        fields->addWidget(boxes[i]->widget(), i, 1);
    }
    // Room for an address of a few lines, no more.
    txtAddress.setHeight(570);
    txtAddress.widget()->setMaximumHeight(txtAddress.widget()->minimumHeight());
    fields->setColumnStretch(1, 1);
    cmdOK.setCaption(QStringLiteral("OK"));
    cmdOK.setDefault(true);
    cmdOK.Click = [this] { cmdOK_Click(); };

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK.widget());
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addStretch(1);
    layout->addLayout(buttons);
    setWidth(6000);
    setHeight(6300);
}

void frmUPrp::ShowMember(qint64 userid) {
    // Every opening shows the member it is asked for.
    ui::Unload<frmUPrp>();
    memberId_ = userid;
    frmUPrp& view = instance();
    view.Show(ui::vbModal);
}

void frmUPrp::Form_Load() {
    CenterForm(frmMain::instance(), *this);
    // No such member (no current record) shows empty boxes; a failed read keeps the boxes filled
    // so far.
    const auto read = [this] {
        db::Recordset rs;
        rs.Open(QStringLiteral("Select * from usr where userid = ?"), cn, {memberId_});
        rs.MoveFirst();
        // A column without a value leaves its box empty.
        auto text = [&rs](const char* column) { return rs[QLatin1String(column)].text(); };
        txtPrefix.setText(text("prefix"));
        txtName.setText(text("FIRSTN"));
        txtAddress.setText(text("address"));
        txtPhone.setText(text("phone"));
        txtEMail.setText(text("email"));
        const bool months = text("period").compare(QLatin1String("M"), Qt::CaseInsensitive) == 0;
        txtBirth.setText(text("Age") +
                         (months ? QStringLiteral(" Months") : QStringLiteral(" Years")));
        txtSex.setText(text("Sex"));
        txtHeight.setText(text("heigt"));
        txtWeight.setText(text("weigh"));
        txtCondition.setText(text("cndition"));
        txtAct.setText(text("Activity"));
    };
    frame::readOrTell(*this, QStringLiteral("The member's details"),
                      QStringLiteral("frmUPrp::Form_Load"), read);
}

void frmUPrp::Form_KeyDown(int& KeyCode, int /*Shift*/) {
    if (KeyCode == ui::vbKeyEscape) {
        ui::Unload(*this);
    }
}

void frmUPrp::cmdOK_Click() {
    ui::Unload(*this);
}
