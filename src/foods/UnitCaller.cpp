#include "foods/UnitCaller.h"

#include <QHash>

#include "foods/ServingUnits.h"
#include "foods/frmUnit.h"
#include "frame/ErrorHandler.h"
#include "frame/core.h"
#include "frame/frmMain.h"
#include "runtime/Error.h"
#include "ui/Constants.h"
#include "ui/Host.h"
#include "ui/ListControls.h"
#include "ui/ListView.h"

namespace foods {
namespace {

QHash<QString, UnitCallerWindow*>& callers() {
    static QHash<QString, UnitCallerWindow*> map;
    return map;
}

}  // namespace

UnitCallerWindow::UnitCallerWindow(QString mode) : mode_(std::move(mode)) {
    callers().insert(mode_, this);
}

UnitCallerWindow::~UnitCallerWindow() {
    auto it = callers().find(mode_);
    if (it != callers().end() && it.value() == this) {
        callers().erase(it);
    }
}

UnitCallerWindow* FindUnitCaller(const QString& mode) {
    return callers().value(mode, nullptr);
}

void FillUnitCombo(ui::ComboBox& combo, const QString& food) {
    // Every food has "Grams", also one whose units cannot be read.
    QStringList entries = {QStringLiteral("Grams")};
    frame::readOrTell(combo.Parent(), QStringLiteral("The units of the food"),
                      QStringLiteral("foods::FillUnitCombo"),
                      [&] { entries = ServingUnits(core::cn).ComboEntries(food); });
    combo.Clear();
    for (const QString& entry : entries) {
        combo.AddItem(entry);
    }
    combo.setListIndex(0);
}

QString SelectedFood(UnitCallerWindow& caller) {
    const ui::ListItem* item = caller.UnitFoodList().SelectedItem();
    return item != nullptr ? item->Text() : QString();
}

bool CheckFoodSelected(ui::ListView& foodList) {
    if (foodList.SelectedItem() != nullptr) {
        return true;
    }
    ui::MsgBox(QStringLiteral("Please select a food."), ui::vbOKOnly | ui::vbExclamation,
               QStringLiteral("Kelvora"));
    return false;
}

void ShowUnits(UnitCallerWindow& caller) {
    if (!CheckFoodSelected(caller.UnitFoodList())) {
        return;
    }
    core::UnitCaller = caller.UnitCallerMode();
    frmUnit& units = frmUnit::instance();
    core::CenterForm(frmMain::instance(), units);
    units.Show(ui::vbModal);
}

}  // namespace foods
