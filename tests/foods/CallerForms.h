#pragma once

#include <QVBoxLayout>

#include "foods/UnitCaller.h"
#include "support/ListReading.h"
#include "ui/Constants.h"
#include "ui/Controls.h"
#include "ui/Form.h"
#include "ui/ListView.h"

namespace foods_test {

// A window that opens the units window, as the intake diary and the ingredient editor do: a
// food list, a unit combo refilled by Unitcombo, and a Unit button.
class CallerForm : public ui::Form, public foods::UnitCallerWindow {
  public:
    explicit CallerForm(const QString& mode) : foods::UnitCallerWindow(mode) {
        LView.ColumnHeaders.Add(-1, QString(), QStringLiteral("Food"));
        for (const char* food : {"Bajra", "Barley"}) {
            LView.ListItems.Add(QString::fromLatin1(food));
        }
        cmbUnit.setStyle(ui::vbComboDropdownList);
        cmdUnit.Click = [this] { foods::ShowUnits(*this); };
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(LView.widget());
        layout->addWidget(cmbUnit.widget());
        layout->addWidget(cmdUnit.widget());
    }
    ui::ListView& UnitFoodList() override { return LView; }
    void Unitcombo(QString& food) override {
        calls << food;
        foods::FillUnitCombo(cmbUnit, food);
    }
    QStringList units() const { return ListReading::entries(cmbUnit); }

    ui::ListView LView{this, QStringLiteral("LView")};
    ui::ComboBox cmbUnit{this, QStringLiteral("cmbUnit")};
    ui::CommandButton cmdUnit{this, QStringLiteral("cmdUnit")};
    QStringList calls;
};

class frmDiary : public ui::FormOf<frmDiary, CallerForm> {
  public:
    frmDiary() : FormOf(QStringLiteral("IntakeOn")) {}
};

class frmRecipe : public ui::FormOf<frmRecipe, CallerForm> {
  public:
    frmRecipe() : FormOf(QStringLiteral("ComposeOn")) {}
};

}  // namespace foods_test
