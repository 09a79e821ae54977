#include "frame/frmMain.h"

#include "db/Recordset.h"
#include "frame/core.h"
#include "frame/frmAus.h"
#include "frame/frmClose.h"
#include "frame/frmStrt.h"
#include "runtime/App.h"
#include "runtime/Error.h"
#include "ui/Constants.h"
#include "ui/Host.h"

using namespace core;

frmMain::frmMain() {
    setCaption(QStringLiteral("Kelvora"));
    for (ui::Menu* menu : {&mnuHidden, &mnuHidden1, &mymenu, &PicMenu}) {
        menu->setVisible(false);
    }
    BackgroundColour.Click = [this] { BackgroundColour_Click(); };
    FontColour.Click = [this] { FontColour_Click(); };
    PicBackground.Click = [this] { PicBackground_Click(); };
    PicFontColour.Click = [this] { PicFontColour_Click(); };
    mnuAbout.Click = [this] { mnuAbout_Click(); };
    setWidth(13500);
    setHeight(9750);
}

void frmMain::MDIForm_Load() {
    try {
        frmStrt& page = frmStrt::instance();
        page.Refresh();
        page.Show();
    } catch (const rt::Error& error) {
        if (error.Number() == rt::err::MissingTable) {
            ui::MsgBox(QStringLiteral("Data file is damaged. Please contact your nearest product "
                                      "vendor. Application is now terminate."),
                       ui::vbCritical, QStringLiteral("Kelvora"));
            rt::App::End();
        }
    }
}

void frmMain::MDIForm_Resize() {
    if (frmStrt::isLoaded()) {
        frmStrt::instance().Sizer();
    }
}

void frmMain::MDIForm_QueryUnload(int& Cancel, int /*UnloadMode*/) {
    frmClose::instance().Show(ui::vbModal);
    if (ExitCancel) {
        Cancel = 1;
    } else {
        rt::App::End();
    }
    ExitCancel = false;
}

qint32 frmMain::ChooseColour() {
    CommonDialog1.CancelError = true;
    CommonDialog1.ShowColor();
    return CommonDialog1.Color;
}

void frmMain::StoreColour(const QString& key, qint32 colour) {
    cn.Execute(QStringLiteral("update formats set what = ? where cat = ?"),
               {QString::number(colour), key});
}

// The colour commands leave everything as it was on any error, a cancelled dialog included.
void frmMain::BackgroundColour_Click() {
    try {
        const qint32 colour = ChooseColour();
        frmStrt::instance().Shape2.setBackColor(colour);
        StoreColour(QStringLiteral("BackColour"), colour);
    } catch (const rt::Error&) {
    }
}

void frmMain::FontColour_Click() {
    try {
        const qint32 colour = ChooseColour();
        for (ui::Label* label : frmStrt::instance().PageLinks()) {
            label->setForeColor(colour);
        }
        StoreColour(QStringLiteral("ForeColour"), colour);
    } catch (const rt::Error&) {
    }
}

void frmMain::PicBackground_Click() {
    try {
        const qint32 colour = ChooseColour();
        StoreColour(QStringLiteral("PicBackColour"), colour);
    } catch (const rt::Error&) {
    }
}

void frmMain::PicFontColour_Click() {
    try {
        const qint32 colour = ChooseColour();
        for (ui::Label* label : frmStrt::instance().TitleLabels()) {
            label->setForeColor(colour);
        }
        StoreColour(QStringLiteral("PicForeColour"), colour);
    } catch (const rt::Error&) {
    }
}

void frmMain::mnuAbout_Click() {
    frmAus& about = frmAus::instance();
    about.Hide();
    about.Show(ui::vbModal);
}
