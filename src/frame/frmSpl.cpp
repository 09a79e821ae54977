#include "frame/frmSpl.h"

#include <QVBoxLayout>

#include "frame/DataFile.h"
#include "frame/core.h"
#include "frame/frmMain.h"
#include "runtime/App.h"
#include "ui/Host.h"

using namespace core;

frmSpl::frmSpl() {
    setCaption(QStringLiteral("Kelvora"));
    Label1[0].setCaption(QStringLiteral("Kelvora"));
    Label1[0].setFontSize(28);
    Label1[0].setFontBold(true);
    Label1[1].setCaption(QStringLiteral("Kelvora"));
    Label1[1].setFontSize(12);
    Label1[2].setCaption(QStringLiteral("Morvanta"));
    Label3.setCaption(ProductPageAddress());
    Label3.setFontUnderline(true);
    Label3.setForeColor(QColor(0, 0, 192));
    Label3.setToolTipText(QStringLiteral("The Kelvora product page"));
    Label3.Click = [this] { Label3_Click(); };

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 24, 24, 24);
    for (int i = 0; i <= 2; ++i) {
        Label1[i].setAlignment(2);
        layout->addWidget(Label1[i].widget());
    }
    Label3.setAlignment(2);
    layout->addWidget(Label3.widget());
    setWidth(6000);
    setHeight(3600);
}

void frmSpl::Form_Load() {
    Refresh();
    cn.Close();
    cmd = db::Command();
    if (PickedConnStr) {
        // A cancelled picker leaves no name: the opening fails and the question comes again.
        DataPath = PickedConnStr->isEmpty() ? QString() : frame::WorkingDataFile(*PickedConnStr);
    } else {
        DataPath = frame::WorkingDataFile(GetOption(QStringLiteral("data path"), QString()));
    }
    KeepOtherCopiesOff(DataPath);
    // The file name and the password go to the connection as values. A file that opens is the
    // one to open from now on. Its check goes on while the program comes up.
    cn.Open(DataPath, QString::fromLatin1(frame::kDatabasePassword), DataFileOptions());
    cmd.ActiveConnection = &cn;
    SaveOption(QStringLiteral("data path"), DataPath);
    cmd.CommandType = 1;
    ui::Unload(*this);
    frmMain& main = frmMain::instance();
    ui::DoEvents();
    main.Show();
}

void frmSpl::Label3_Click() {
    OpenDocument(ProductPage());
}
