#include "frame/frmAus.h"

#include <QVBoxLayout>

#include "frame/core.h"
#include "frame/frmMain.h"
#include "runtime/Settings.h"
#include "ui/Constants.h"
#include "ui/Host.h"

using namespace core;

frmAus::frmAus() {
    setCaption(QStringLiteral("About Morvanta"));
    setKeyPreview(true);
    Label2.setCaption(QStringLiteral("Kelvora"));
    Label2.setFontSize(20);
    Label2.setFontBold(true);
    // The link shows the address of the page it opens.
    Label3.setCaption(ProductPageAddress());
    Label3.setFontUnderline(true);
    Label3.setForeColor(QColor(0, 0, 192));
    Command1.setCaption(QStringLiteral("OK"));
    Command1.setDefault(true);
    Command1.Click = [this] { Command1_Click(); };
    Label3.Click = [this] { Label3_Click(); };

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label2.widget());
    layout->addWidget(Label3.widget());
    layout->addWidget(Line1.widget());
    layout->addWidget(Command1.widget(), 0, Qt::AlignRight);
    setWidth(5400);
    setHeight(2700);
}

void frmAus::Form_Load() {
    CenterForm(frmMain::instance(), *this);
}

void frmAus::Command1_Click() {
    ui::Unload(*this);
}

void frmAus::Form_KeyDown(int& KeyCode, int /*Shift*/) {
    if (KeyCode == ui::vbKeyEscape) {
        ui::Unload(*this);
    }
}

void frmAus::Label3_Click() {
    OpenDocument(ProductPage());
}

bool frmAus::GetKeyValue(qint32 /*root*/, const QString& keyPath, const QString& valueName,
                         QString& output) {
    const std::optional<QVariant> value = rt::ReadSettingValue(keyPath, valueName);
    if (!value) {
        output.clear();
        return false;
    }
    const QString text = value->toString();
    bool whole = false;
    const qint32 number = text.toInt(&whole);
    if (!whole) {
        output = text;
        return true;
    }
    // The number's four bytes, lowest first, without a trailing zero byte, written from the
    // last to the first.
    QByteArray bytes(4, '\0');
    for (int i = 0; i < 4; ++i) {
        bytes[i] = static_cast<char>((static_cast<quint32>(number) >> (8 * i)) & 0xFF);
    }
    if (bytes.endsWith('\0')) {
        bytes.chop(1);
    }
    output = QStringLiteral("&h");
    for (qsizetype i = bytes.size() - 1; i >= 0; --i) {
        output += QStringLiteral("%1")
                      .arg(static_cast<quint8>(bytes[i]), 2, 16, QLatin1Char('0'))
                      .toUpper();
    }
    return true;
}
