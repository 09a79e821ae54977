#include "frame/frmMain.h"

#include "db/Recordset.h"
#include "frame/ErrorHandler.h"
#include "frame/WindowOpeners.h"
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
    mnupopRda.Click = [this] { mnupopRda_Click(); };
    // The size it comes back to from the full screen, on which it opens to give its windows
    // room for all their columns.
    setWidth(13500);
    setHeight(9750);
    setWindowState(ui::vbMaximized);
}

void frmMain::MDIForm_Load() {
    try {
        frmStrt& page = frmStrt::instance();
        page.Refresh();
        page.Show();
    } catch (const rt::Error& error) {
        // Otherwise the main window stands without its start page; the log keeps why.
        frame::logError(error, QStringLiteral("frmMain::MDIForm_Load"));
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

// Asks for a colour, starting from the current one, shows it where it belongs and stores it
// under key. A cancelled dialog changes nothing; a colour the data file does not take is told,
// and shows only until the program ends.
void frmMain::ChangeColour(const QString& key, qint32 current,
                           const std::function<void(qint32)>& apply) {
    try {
        CommonDialog1.CancelError = true;
        CommonDialog1.Color = current;
        CommonDialog1.ShowColor();
        const qint32 colour = CommonDialog1.Color;
        apply(colour);
        cn.Execute(QStringLiteral("update formats set what = ? where cat = ?"),
                   {QString::number(colour), key});
    } catch (const rt::Error& error) {
        // A cancelled dialog is the person's choice.
        if (error.Number() != rt::err::CancelSelected) {
            frame::tellWriteFailure(QStringLiteral("The colour was not stored."), error,
                                    QStringLiteral("frmMain::ChangeColour"));
        }
    }
}

void frmMain::BackgroundColour_Click() {
    frmStrt& page = frmStrt::instance();
    ChangeColour(QStringLiteral("BackColour"), page.Shape2.BackColor(),
                 [&page](qint32 colour) { page.Shape2.setBackColor(colour); });
}

void frmMain::FontColour_Click() {
    ChangeColour(QStringLiteral("ForeColour"), frmStrt::instance().lblPersonal.ForeColor(),
                 [](qint32 colour) {
                     for (ui::Label* label : frmStrt::instance().PageLinks()) {
                         label->setForeColor(colour);
                     }
                 });
}

// No surface shows this colour; it is only kept, and the dialog starts from the kept one.
void frmMain::PicBackground_Click() {
    std::optional<qint32> stored;
    frame::readOrTell(*this, QStringLiteral("The stored colour"),
                      QStringLiteral("frmMain::PicBackground_Click"),
                      [&] { stored = frmStrt::StoredColour(QStringLiteral("PicBackColour")); });
    const qint32 current = stored.value_or(CommonDialog1.Color);
    ChangeColour(QStringLiteral("PicBackColour"), current, [](qint32) {});
}

void frmMain::PicFontColour_Click() {
    ChangeColour(QStringLiteral("PicForeColour"), frmStrt::instance().lbl[0].ForeColor(),
                 [](qint32 colour) {
                     for (ui::Label* label : frmStrt::instance().TitleLabels()) {
                         label->setForeColor(colour);
                     }
                 });
}

void frmMain::mnuAbout_Click() {
    frmAus& about = frmAus::instance();
    about.Hide();
    about.Show(ui::vbModal);
}

void frmMain::mnupopRda_Click() {
    frame::openWindow(QStringLiteral("frmRda"));
}
