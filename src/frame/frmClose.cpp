#include "frame/frmClose.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "frame/core.h"
#include "frame/frmMain.h"
#include "runtime/App.h"
#include "ui/Constants.h"

using namespace core;

frmClose::frmClose() {
    setCaption(QStringLiteral("End Program"));
    setKeyPreview(true);
    lbl[0].setCaption(QStringLiteral("Please wait . . ."));
    lbl[1].setCaption(QStringLiteral("To return, click 'Cancel'"));
    cmdCancel.setCaption(QStringLiteral("&Cancel"));
    Timer1.setInterval(1);
    Timer1.setEnabled(false);
    cmdCancel.Click = [this] { cmdCancel_Click(); };
    Timer1.OnTimer = [this] { Timer1_Timer(); };

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lbl[0].widget());
    layout->addWidget(ProgressBar1.widget());
    auto* row = new QHBoxLayout;
    row->addWidget(lbl[1].widget(), 1);
    row->addWidget(cmdCancel.widget());
    layout->addLayout(row);
    setWidth(5400);
    setHeight(1800);
}

void frmClose::Form_Load() {
    setMousePointer(ui::vbDefault);
    CenterForm(frmMain::instance(), *this);
    Timer1.setEnabled(true);
    ProgressBar1.setValue(0);
    ProgressBar1.setMin(0);
    ProgressBar1.setMax(50);
    firstTick_ = true;
}

void frmClose::Timer1_Timer() {
    if (firstTick_) {
        counter_ = 0;
    }
    if (counter_ >= 50) {
        Timer1.setEnabled(false);
        ui::Unload(*this);
        rt::App::End();
    }
    if (counter_ == 45) {
        Timer1.setInterval(100);
    }
    ProgressBar1.setValue(counter_);
    counter_ += 5;
    firstTick_ = false;
}

void frmClose::cmdCancel_Click() {
    cancelled_ = true;
    ExitCancel = true;
    ui::Unload(*this);
}

void frmClose::Form_KeyDown(int& KeyCode, int /*Shift*/) {
    if (KeyCode == ui::vbKeyEscape) {
        ui::Unload(*this);
    }
}

void frmClose::Form_Unload(int& /*Cancel*/) {
    if (cancelled_) {
        ProgressBar1.setValue(0);
        return;
    }
    // Leaving for good: every other window goes, then the data connection.
    for (ui::Form* form : ui::Forms::loaded()) {
        if (form != this && form != frmMain::loadedInstance()) {
            ui::Unload(*form);
        }
    }
    cn.Close();
    cmd = db::Command();
}
