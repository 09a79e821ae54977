#include "frame/frmOpt.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "db/Recordset.h"
#include "frame/DataFile.h"
#include "frame/ErrorHandler.h"
#include "frame/core.h"
#include "frame/frmMain.h"
#include "runtime/App.h"
#include "runtime/Error.h"
#include "ui/Constants.h"
#include "ui/Host.h"

using namespace core;

frmOpt::frmOpt() {
    setMDIChild(true);
    setCaption(QStringLiteral("Options"));
    setKeyPreview(true);
    SSTab1.setTabs(2);
    SSTab1.setTabCaption(0, QStringLiteral("&APPLICATION"));
    SSTab1.setTabCaption(1, QStringLiteral("&SYSTEM"));
    lbl[1].setCaption(QStringLiteral("Data &file"));
    lbl[2].setCaption(QStringLiteral("&User"));
    lbl[3].setCaption(QStringLiteral("&Language"));
    lbl[5].setCaption(QStringLiteral("&Category"));
    for (ui::ComboBox* combo : {&cmbLang, &cmbCat, &cmbUsr}) {
        combo->setStyle(2);
    }
    cmdBrowse.setCaption(QStringLiteral("&Browse"));
    cmdDefault.setCaption(QStringLiteral("Restore &Default"));
    cmdOK.setCaption(QStringLiteral("OK"));
    cmdOK.setDefault(true);
    cmdCancel.setCaption(QStringLiteral("Cancel"));

    cmdBrowse.Click = [this] { cmdBrowse_Click(); };
    cmdDefault.Click = [this] { cmdDefault_Click(); };
    cmdOK.Click = [this] { cmdOK_Click(); };
    cmdCancel.Click = [this] { cmdCancel_Click(); };

    // The preferences of everyday work on the first tab, the data file on the second.
    auto* application = new QGridLayout(SSTab1.page(0));
    application->addWidget(lbl[3].widget(), 0, 0);
    application->addWidget(cmbLang.widget(), 0, 1);
    application->addWidget(lbl[5].widget(), 1, 0);
    application->addWidget(cmbCat.widget(), 1, 1);
    application->addWidget(lbl[2].widget(), 2, 0);
    application->addWidget(cmbUsr.widget(), 2, 1);
    application->setColumnStretch(1, 1);
    application->setRowStretch(3, 1);
    auto* system = new QGridLayout(SSTab1.page(1));
    system->addWidget(lbl[1].widget(), 0, 0);
    system->addWidget(txtPath.widget(), 0, 1);
    system->addWidget(cmdBrowse.widget(), 0, 2);
    system->setColumnStretch(1, 1);
    system->setRowStretch(1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdDefault.widget());
    buttons->addStretch(1);
    buttons->addWidget(cmdOK.widget());
    buttons->addWidget(cmdCancel.widget());
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(SSTab1.widget(), 1);
    layout->addLayout(buttons);
    setWidth(7200);
    setHeight(3600);
}

void frmOpt::ListLanguage(bool isDefault) {
    ListLanguages(cmbLang, isDefault);
}

void frmOpt::ListCat(bool isDefault) {
    ListCategories(cmbCat, isDefault);
}

void frmOpt::ListU(bool isDefault) {
    // The default member is stored as a name, which stands for its lowest userid: only that
    // member of each name can be offered.
    frame::readOrTell(*this, QStringLiteral("The list of members"), QStringLiteral("frmOpt::ListU"),
                      [&] { ListMembers(cmbUsr, isDefault, true); });
}

void frmOpt::Form_Load() {
    ListLanguage(false);
    ListCat(false);
    ListU(false);
    txtPath.setText(DataPath);
    CenterForm(frmMain::instance(), *this);
}

void frmOpt::cmdBrowse_Click() {
    try {
        ShowDataFileDialog(Cdlg);
        if (Cdlg.FileName.isEmpty()) {
            return;
        }
        // The template is never worked in: it stands for the person's own file.
        if (frame::IsDeliveredDataFile(Cdlg.FileName)) {
            txtPath.setText(DefaultDataPath());
            return;
        }
        // Only a file that opens with the data file's password, and passes the check, can
        // become the data file. Looking at it writes nothing to it.
        db::Connection test;
        test.Open(Cdlg.FileName, QString::fromLatin1(frame::kDatabasePassword), {.readOnly = true});
        txtPath.setText(Cdlg.FileName);
    } catch (const rt::Error& error) {
        switch (error.Number()) {
            case rt::err::ProviderFailure:
            case rt::err::WrongPassword:
            case rt::err::DataFileDamaged:
                ui::MsgBox(QStringLiteral("Invalid data file. Data file path cannotbe changed"),
                           ui::vbOKOnly, rt::App::Title());
                break;
            case rt::err::DataFileInUse:
                ui::MsgBox(QStringLiteral("The data file ") + Cdlg.FileName +
                               QStringLiteral(" is in use by another program. Data file path "
                                              "cannot be changed now."),
                           ui::vbOKOnly | ui::vbExclamation, rt::App::Title());
                break;
            default:
                break;
        }
    }
}

void frmOpt::cmdDefault_Click() {
    cmbCat.Clear();
    cmbLang.Clear();
    cmbUsr.Clear();
    cmbLang.AddItem(QStringLiteral("ENGLISH"), 0);
    cmbLang.setListIndex(0);
    cmbCat.AddItem(QStringLiteral("ALL FOODS"), 0);
    cmbCat.setListIndex(0);
    cmbUsr.AddItem(QStringLiteral("-"), 0);
    cmbUsr.setListIndex(0);
    ListCat(true);
    ListLanguage(true);
    ListU(true);
    txtPath.setText(DefaultDataPath());
}

void frmOpt::cmdOK_Click() {
    const QString member = MemberName(cmbUsr);
    if (txtPath.Text() == DataPath) {
        SaveOption(QStringLiteral("ctb"), cmbCat.Text());
        SaveOption(QStringLiteral("data path"), txtPath.Text());
        SaveOption(QStringLiteral("language"), cmbLang.Text());
        SaveOption(QStringLiteral("Defter"), member);
        ui::Unload(*this);
        return;
    }
    const int answer = ui::MsgBox(
        QStringLiteral("Data file path is changed. It will take effect after restarting Kelvora"),
        ui::vbYesNo | ui::vbInformation, QStringLiteral("Kelvora"));
    if (answer == ui::vbYes) {
        // The default member belongs to the old data file.
        SaveOption(QStringLiteral("Defter"), QStringLiteral("-"));
        SaveOption(QStringLiteral("ctb"), cmbCat.Text());
        SaveOption(QStringLiteral("data path"), txtPath.Text());
        SaveOption(QStringLiteral("language"), cmbLang.Text());
        rt::App::End();
    }
    SaveOption(QStringLiteral("ctb"), cmbCat.Text());
    SaveOption(QStringLiteral("language"), cmbLang.Text());
    SaveOption(QStringLiteral("Defter"), member);
    ui::Unload(*this);
}

void frmOpt::cmdCancel_Click() {
    ui::Unload(*this);
}

void frmOpt::Form_KeyDown(int& KeyCode, int /*Shift*/) {
    if (KeyCode == ui::vbKeyEscape) {
        ui::Unload(*this);
    }
}
