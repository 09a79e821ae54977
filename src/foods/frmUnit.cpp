#include "foods/frmUnit.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "foods/ServingUnits.h"
#include "foods/UnitCaller.h"
#include "frame/ErrorHandler.h"
#include "frame/core.h"
#include "runtime/Convert.h"
#include "runtime/Error.h"
#include "ui/Constants.h"
#include "ui/Host.h"

using namespace core;

namespace {

const QString kTitle = QStringLiteral("Kelvora");

void Say(const QString& text) {
    ui::MsgBox(text, ui::vbOKOnly | ui::vbExclamation, kTitle);
}

}  // namespace

frmUnit::frmUnit() {
    setCaption(QStringLiteral("Units"));
    setKeyPreview(true);
    Label1.setCaption(QStringLiteral("Unit"));
    Label2.setCaption(QStringLiteral("Size in grams"));
    Label3.setCaption(QStringLiteral("Description"));
    Label4.setCaption(QStringLiteral("Set as default"));
    txtDescription.setMultiLine(true);
    cmdDefault.setStyle(ui::vbComboDropdownList);
    LV.ColumnHeaders.Add(-1, QStringLiteral("Unit"), QStringLiteral("Unit"), 1940);
    LV.ColumnHeaders.Add(-1, QStringLiteral("Equals to grams"), QStringLiteral("Equals to grams"),
                         2540);
    Command2.setCaption(QStringLiteral("&Save"));
    Command3.setCaption(QStringLiteral("&Delete"));
    Command1.setCaption(QStringLiteral("&Close"));

    Command2.Click = [this] { Command2_Click(); };
    Command3.Click = [this] { Command3_Click(); };
    Command1.Click = [this] { Command1_Click(); };

    auto* fields = new QGridLayout;
    fields->addWidget(Label1.widget(), 0, 0);
    fields->addWidget(txtUnitname.widget(), 0, 1);
    fields->addWidget(Label2.widget(), 1, 0);
    fields->addWidget(txtsizeingrams.widget(), 1, 1);
    fields->addWidget(Label4.widget(), 2, 0);
    fields->addWidget(cmdDefault.widget(), 2, 1);
    fields->addWidget(Label3.widget(), 3, 0, Qt::AlignTop);
    fields->addWidget(txtDescription.widget(), 3, 1);
    fields->setRowStretch(3, 1);
    auto* top = new QHBoxLayout;
    top->addLayout(fields, 1);
    top->addWidget(LV.widget(), 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Command2.widget());
    buttons->addWidget(Command3.widget());
    buttons->addWidget(Command1.widget());
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);
    setWidth(10200);
    setHeight(4800);
}

void frmUnit::Form_Load() {
    if (foods::UnitCallerWindow* caller = foods::FindUnitCaller(UnitCaller)) {
        food_ = foods::SelectedFood(*caller);
    }
    cmdDefault.Clear();
    cmdDefault.AddItem(QStringLiteral("Other"));
    cmdDefault.AddItem(QStringLiteral("Default"));
    cmdDefault.setListIndex(0);
    listshow(food_);
    ChkDelete();
}

void frmUnit::listshow(const QString& food) {
    LV.ListItems.Clear();
    // The units listed before an error stay.
    const auto read = [&] {
        for (const foods::ServingUnit& unit : foods::ServingUnits(cn).List(food)) {
            ui::ListItem& item = LV.ListItems.Add(unit.UnitName);
            item.setSubItems(1, QString::number(unit.UnitSizeinGrams));
        }
    };
    frame::readOrTell(*this, QStringLiteral("The units of the food"),
                      QStringLiteral("frmUnit::listshow"), read);
}

void frmUnit::ChkDelete() {
    Command3.setEnabled(LV.ListItems.Count() > 0);
}

void frmUnit::Command2_Click() {
    txtUnitname.setText(rt::Trim(txtUnitname.Text()));
    txtsizeingrams.setText(rt::Trim(txtsizeingrams.Text()));
    // The fields are checked in the order they stand; one message per Save.
    for (const ui::TextBox* box : {&txtUnitname, &txtsizeingrams, &txtDescription}) {
        if (box->Text().contains(QLatin1Char('\''))) {
            Say(QStringLiteral("Do not enter '"));
            return;
        }
    }
    const QString name = txtUnitname.Text();
    const QString size = txtsizeingrams.Text();
    if (name.isEmpty() || !rt::IsNumeric(size) || rt::Val(size) > 30000 || rt::Val(size) < 0) {
        Say(QStringLiteral("Some fields are empty"));
        return;
    }
    if (food_.isEmpty()) {
        Say(QStringLiteral("Please select a food."));
        return;
    }

    foods::ServingUnits units(cn);
    foods::ServingUnit unit{name, rt::CInt(rt::CDbl(size)), cmdDefault.Text()};
    bool demote = false;
    try {
        if (unit.status == QLatin1String("Default") && units.HasDefault(food_)) {
            switch (ui::MsgBox(QStringLiteral("There is already default category. Do you want to "
                                              "change it to normal and make this default ?"),
                               ui::vbYesNoCancel | ui::vbQuestion, kTitle)) {
                case ui::vbYes:
                    demote = true;
                    break;
                case ui::vbNo:
                    unit.status = QStringLiteral("Other");
                    break;
                default:
                    return;
            }
        }
        ui::Hourglass wait;
        units.Add(food_, unit, txtDescription.Text(), demote);
    } catch (const rt::Error& error) {
        frame::tellWriteFailure(QStringLiteral("The unit was not saved. "), error,
                                QStringLiteral("frmUnit::Command2_Click"));
        return;
    }
    listshow(food_);
    txtUnitname.setText(QString());
    txtsizeingrams.setText(QString());
    txtDescription.setText(QString());
    ChkDelete();
}

void frmUnit::Command3_Click() {
    const ui::ListItem* selected = LV.SelectedItem();
    if (selected == nullptr) {
        return;
    }
    try {
        ui::Hourglass wait;
        foods::ServingUnits(cn).Remove(food_, selected->Text());
    } catch (const rt::Error& error) {
        frame::tellWriteFailure(QStringLiteral("The unit was not removed. "), error,
                                QStringLiteral("frmUnit::Command3_Click"));
        return;
    }
    listshow(food_);
    ChkDelete();
    if (LV.ListItems.Count() > 0) {
        LV.ListItems(1).setSelected(true);
    }
}

void frmUnit::Command1_Click() {
    if (foods::UnitCallerWindow* caller = foods::FindUnitCaller(UnitCaller)) {
        QString food = foods::SelectedFood(*caller);
        caller->Unitcombo(food);
    }
    UnitCaller.clear();
    ui::Unload(*this);
}

void frmUnit::Form_KeyDown(int& KeyCode, int /*Shift*/) {
    // Escape leaves the caller's unit list as it was.
    if (KeyCode == ui::vbKeyEscape) {
        ui::Unload(*this);
    }
}

void frmUnit::Form_Unload(int& /*Cancel*/) {
    food_.clear();
}
