#pragma once

#include "ui/Form.h"
#include "ui/ListView.h"

// The products window: the list of what Kelvora's maker offers.
class frmProducts : public ui::FormOf<frmProducts> {
  public:
    frmProducts();

    void ListIt();

    ui::ListView ListView1{this, QStringLiteral("ListView1")};

  protected:
    void Form_Load() override;
    void Form_KeyDown(int& KeyCode, int Shift) override;
};
