#pragma once

#include "ui/Controls.h"
#include "ui/Form.h"

// The exit window: a short progress bar, then the program ends; Cancel returns to it.
class frmClose : public ui::FormOf<frmClose> {
  public:
    frmClose();

    ui::ControlArray<ui::Label> lbl{this, QStringLiteral("lbl"), 0, 1};
    ui::CommandButton cmdCancel{this, QStringLiteral("cmdCancel")};
    ui::ProgressBar ProgressBar1{this, QStringLiteral("ProgressBar1")};
    ui::Timer Timer1{this, QStringLiteral("Timer1")};

  protected:
    void Form_Load() override;
    void Form_KeyDown(int& KeyCode, int Shift) override;
    void Form_Unload(int& Cancel) override;

  private:
    void cmdCancel_Click();
    void Timer1_Timer();

    bool cancelled_ = false;
    bool firstTick_ = false;
    int counter_ = 0;
};
