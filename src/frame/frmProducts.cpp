#include "frame/frmProducts.h"

#include <QVBoxLayout>

#include "db/Recordset.h"
#include "frame/ErrorHandler.h"
#include "frame/core.h"
#include "frame/frmMain.h"
#include "runtime/Error.h"
#include "ui/Constants.h"

using namespace core;

frmProducts::frmProducts() {
    setCaption(QStringLiteral("Products"));
    setKeyPreview(true);
    ListView1.ColumnHeaders.Add(-1, QStringLiteral("No"), QStringLiteral("No"), 882);
    ListView1.ColumnHeaders.Add(-1, QStringLiteral("Product"), QStringLiteral("Product"), 14111);
    ListView1.ColumnHeaders.Add(-1, QStringLiteral("Price"), QStringLiteral("Price"), 1940);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ListView1.widget());
    setWidth(17400);
    setHeight(4200);
}

void frmProducts::Form_Load() {
    CenterForm(frmMain::instance(), *this);
    ListIt();
}

void frmProducts::ListIt() {
    ListView1.ListItems.Clear();
    // The rows listed before an error stay.
    const auto read = [this] {
        db::Recordset rs;
        rs.Open(QStringLiteral("SELECT * FROM Products"), cn);
        while (!rs.EOF()) {
            ui::ListItem& item = ListView1.ListItems.Add(rs[QStringLiteral("No")].text());
            item.setSubItems(1, rs[QStringLiteral("Product")].text());
            item.setSubItems(2, rs[QStringLiteral("Price")].text());
            rs.MoveNext();
        }
    };
    frame::readOrTell(*this, QStringLiteral("The list of products"),
                      QStringLiteral("frmProducts::ListIt"), read);
}

void frmProducts::Form_KeyDown(int& KeyCode, int /*Shift*/) {
    if (KeyCode == ui::vbKeyEscape) {
        ui::Unload(*this);
    }
}
