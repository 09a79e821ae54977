#include "foods/frmOth.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "db/Recordset.h"
#include "foods/ComposedFood.h"
#include "foods/ComposedFoodForms.h"
#include "foods/frmItm.h"
#include "frame/ErrorHandler.h"
#include "frame/core.h"
#include "runtime/Error.h"
#include "ui/Constants.h"

using namespace core;

namespace {

int selectedFoodId() {
    const frmItm* catalogue = frmItm::loadedInstance();
    return catalogue != nullptr ? catalogue->SelectedFoodId() : -1;
}

QString selectedFoodName() {
    const frmItm* catalogue = frmItm::loadedInstance();
    return catalogue != nullptr ? catalogue->SelectedFoodName() : QString();
}

}  // namespace

frmOth::frmOth() {
    setCaption(QStringLiteral("Dependant(s)"));
    setKeyPreview(true);
    Label1.setWordWrap(true);
    List1.setFontName(QStringLiteral("Tahoma"));
    cmdUp.setCaption(QStringLiteral("&Update(s)"));
    cmdCancel.setCaption(QStringLiteral("&Cancel"));
    cmdUp.Click = [this] { cmdUp_Click(); };
    cmdCancel.Click = [this] { cmdCancel_Click(); };

    auto* frame = new QVBoxLayout(Frame1.container());
    frame->addWidget(Label1.widget());
    frame->addWidget(List1.widget(), 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdUp.widget());
    buttons->addWidget(cmdCancel.widget());
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Frame1.widget(), 1);
    layout->addLayout(buttons);
    setWidth(6000);
    setHeight(4200);
}

std::optional<bool> frmOth::DispNeedFood() {
    List1.Clear();
    const int id = selectedFoodId();
    bool read = true;
    if (id >= 0) {
        const auto listDependants = [this, id] {
            // A recipe that uses the food in two rows is listed twice.
            db::Recordset rs;
            rs.Open(QStringLiteral("SELECT food.foodname FROM item "
                                   "JOIN food ON food.foodid = item.itemid "
                                   "WHERE item.foodid = ? ORDER BY item.rowid"),
                    cn, {id});
            for (; !rs.EOF(); rs.MoveNext()) {
                List1.AddItem(rs[0].text());
            }
        };
        read = frame::readOrTell(*this, QStringLiteral("The foods that use this food"),
                                 QStringLiteral("frmOth::DispNeedFood"), listDependants);
    }
    if (!read) {
        // Half a list of dependants would pass for all of them.
        List1.Clear();
        cmdUp.setEnabled(false);
        return std::nullopt;
    }
    const bool found = List1.ListCount() > 0;
    cmdUp.setEnabled(found);
    return found;
}

void frmOth::Form_Load() {
    const QString name = selectedFoodName();
    if (OthDelete) {
        Label1.setCaption(QStringLiteral("&Following food(s) are using food'") + name +
                          QStringLiteral("'. Update all to correct it."));
        return;
    }
    DispNeedFood();
    Label1.setCaption(QStringLiteral("Following food(s) are depend(s) on the food '") + name +
                      QStringLiteral("'"));
}

void frmOth::Form_KeyDown(int& KeyCode, int /*Shift*/) {
    if (KeyCode == ui::vbKeyEscape) {
        ui::Unload(*this);
    }
}

void frmOth::UpdateFoods() {
    const int id = selectedFoodId();
    foods::WriteAtOnce(QStringLiteral("The dependant foods were not updated."),
                       QStringLiteral("frmOth::UpdateFoods"),
                       [id](foods::ComposedFoods& store) { store.updateDependants(id); });
}

void frmOth::DeleTEUpdateFooDs() {
    const int id = selectedFoodId();
    foods::WriteAtOnce(QStringLiteral("The food was not removed."),
                       QStringLiteral("frmOth::DeleTEUpdateFooDs"),
                       [id](foods::ComposedFoods& store) { store.removeUserFood(id); });
}

void frmOth::cmdUp_Click() {
    if (OthDelete) {
        DeleTEUpdateFooDs();
    } else {
        UpdateFoods();
    }
    ui::Unload(*this);
}

void frmOth::cmdCancel_Click() {
    ui::Unload(*this);
}
