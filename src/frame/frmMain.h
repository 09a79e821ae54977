#pragma once

#include <functional>

#include "ui/CommonDialog.h"
#include "ui/ImageList.h"
#include "ui/MDIForm.h"
#include "ui/Menu.h"

// The main window: every other window is its child or a modal dialog over it. It owns the
// colour commands of the start page and guards its own closing with the exit window.
class frmMain : public ui::FormOf<frmMain, ui::MDIForm> {
  public:
    frmMain();

    ui::CommonDialog CommonDialog1{this, QStringLiteral("CommonDialog1")};
    ui::CommonDialog cdlg{this, QStringLiteral("cdlg")};

    ui::Menu mnuHidden{this, QStringLiteral("mnuHidden"), QStringLiteral("HiddenMenu")};
    ui::Menu mnuHidden1{this, QStringLiteral("mnuHidden1"), QStringLiteral("HiddenMenu1")};
    ui::Menu mnupopRda{&mnuHidden1, QStringLiteral("mnupopRda"), QStringLiteral("&RDA")};
    ui::Menu mymenu{this, QStringLiteral("mymenu"), QStringLiteral("Mymenu")};
    ui::Menu BackgroundColour{&mymenu, QStringLiteral("BackgroundColour"),
                              QStringLiteral("&Background Colour")};
    ui::Menu FontColour{&mymenu, QStringLiteral("FontColour"), QStringLiteral("&Font Colour")};
    ui::Menu PicMenu{this, QStringLiteral("PicMenu"), QStringLiteral("PicMenu")};
    ui::Menu PicBackground{&PicMenu, QStringLiteral("PicBackground"),
                           QStringLiteral("&Background Colour")};
    ui::Menu PicFontColour{&PicMenu, QStringLiteral("PicFontColour"),
                           QStringLiteral("&Font Colour")};
    ui::Menu mnuHelp{this, QStringLiteral("mnuHelp"), QStringLiteral("&Help")};
    ui::Menu mnuAbout{&mnuHelp, QStringLiteral("mnuAbout"), QStringLiteral("&About Kelvora")};

  protected:
    void MDIForm_Load() override;
    void MDIForm_Resize() override;
    void MDIForm_QueryUnload(int& Cancel, int UnloadMode) override;

  private:
    void BackgroundColour_Click();
    void FontColour_Click();
    void PicBackground_Click();
    void PicFontColour_Click();
    void mnuAbout_Click();
    void mnupopRda_Click();

    void ChangeColour(const QString& key, qint32 current, const std::function<void(qint32)>& apply);
};
