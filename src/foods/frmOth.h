#pragma once

#include <optional>

#include "ui/Controls.h"
#include "ui/Form.h"

// The dependants window ("Dependant(s)"): the composed foods whose recipes use the food selected
// in the catalogue. In update mode (OthDelete False) Update(s) recomputes them from their
// ingredients as they now stand; in delete mode (OthDelete True) it takes the food out of their
// recipes and deletes it.
class frmOth : public ui::FormOf<frmOth> {
  public:
    frmOth();

    // Lists the dependants of the catalogue's selected food; true when there is one. No value
    // when they could not be read (the person has been told): nothing may be decided on them.
    std::optional<bool> DispNeedFood();
    void UpdateFoods();
    void DeleTEUpdateFooDs();

    ui::Frame Frame1{this, QStringLiteral("Frame1")};
    ui::Label Label1{this, QStringLiteral("Label1")};
    ui::ListBox List1{this, QStringLiteral("List1")};
    ui::CommandButton cmdUp{this, QStringLiteral("cmdUp")};
    ui::CommandButton cmdCancel{this, QStringLiteral("cmdCancel")};

  protected:
    void Form_Load() override;
    void Form_KeyDown(int& KeyCode, int Shift) override;

  private:
    void cmdUp_Click();
    void cmdCancel_Click();
};
