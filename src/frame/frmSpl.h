#pragma once

#include "ui/Controls.h"
#include "ui/Form.h"

// The splash window: shown modally by Main, it opens the data file and brings up the main
// window, then closes itself.
class frmSpl : public ui::FormOf<frmSpl> {
  public:
    frmSpl();

    ui::ControlArray<ui::Label> Label1{this, QStringLiteral("Label1"), 0, 2};
    ui::Label Label3{this, QStringLiteral("Label3")};

  protected:
    void Form_Load() override;

  private:
    void Label3_Click();
};
