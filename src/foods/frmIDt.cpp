#include "foods/frmIDt.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "db/Recordset.h"
#include "foods/ComposedFood.h"
#include "foods/ComposedFoodForms.h"
#include "foods/frmItm.h"
#include "frame/ErrorHandler.h"
#include "frame/core.h"
#include "frame/frmMain.h"
#include "runtime/Convert.h"
#include "runtime/Error.h"
#include "ui/Constants.h"
#include "ui/Host.h"

using namespace core;

frmIDt::frmIDt() {
    setCaption(QStringLiteral("Item details"));
    setKeyPreview(true);
    const QStringList captions = {
        QStringLiteral("&Category"),        QStringLiteral("Item &Name"),
        QStringLiteral("&Price"),           QStringLiteral("&Edible portion"),
        QStringLiteral("&Standard weight"), QStringLiteral("I&mportance"),
        QStringLiteral("C&omment")};
    for (int i = 0; i <= 6; ++i) {
        lbl[i].setCaption(captions[i]);
    }
    cmbCat.setStyle(ui::vbComboDropdownList);
    cmbImp.setStyle(ui::vbComboDropdownList);
    cmdOK.setCaption(QStringLiteral("OK"));
    cmdCancel.setCaption(QStringLiteral("C&ancel"));

    cmdOK.Click = [this] { cmdOK_Click(); };
    cmdCancel.Click = [this] { cmdCancel_Click(); };
    txtName.LostFocus = [this] { txtName_LostFocus(); };
    txtComment.LostFocus = [this] { txtComment_LostFocus(); };
    for (ui::TextBox* box : {&txtPrice, &txtEdi, &txtWeight}) {
        box->LostFocus = [this, box] { NumberField_LostFocus(*box); };
    }

    auto* fields = new QGridLayout(Frame1.container());
    const QList<ui::Control*> controls = {&cmbCat,    &txtName, &txtPrice,  &txtEdi,
                                          &txtWeight, &cmbImp,  &txtComment};
    for (int i = 0; i < controls.size(); ++i) {
        fields->addWidget(lbl[i].widget(), i, 0);
        fields->addWidget(controls[i]->widget(), i, 1);
    }
    fields->setColumnStretch(1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK.widget());
    buttons->addWidget(cmdCancel.widget());
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Frame1.widget(), 1);
    layout->addLayout(buttons);
    setWidth(6600);
    setHeight(4800);
}

void frmIDt::Form_Load() {
    // An editor opened beside the catalogue stands over the main window, as the others do.
    CenterForm(frmMain::instance(), *this);
    SearchFood();
    dISPfOODCat();
}

void frmIDt::SearchFood() {
    const frmItm* catalogue = frmItm::loadedInstance();
    const int id = catalogue != nullptr ? catalogue->TagFoodId : -1;
    // What could be read before an error stays; the category list follows.
    const auto read = [&] {
        db::Recordset rs;
        rs.Open(QStringLiteral("SELECT food.*, cat.cname FROM food JOIN cat ON cat.cid = food.cid "
                               "WHERE food.foodid = ?"),
                cn, {id});
        if (rs.EOF()) {
            return;  // the food is gone: the fields stay empty and OK says so
        }
        EditFoodId = rs[QStringLiteral("foodid")].toLong();
        cmbCat.AddItem(rs[QStringLiteral("cname")].text(), 0);
        cmbCat.setListIndex(0);
        // Each box shows its own column; an empty column leaves only its own box empty.
        const QString imp = rs[QStringLiteral("imp")].text();
        const QStringList letters = {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")};
        if (!imp.isEmpty()) {
            cmbImp.AddItem(imp, 0);
            cmbImp.setListIndex(0);
            if (letters.contains(imp)) {
                for (const QString& letter : letters) {
                    if (letter != imp) {
                        cmbImp.AddItem(letter);
                    }
                }
            }
        }
        txtName.setText(rs[QStringLiteral("foodname")].text());
        txtPrice.setText(rs[QStringLiteral("Price")].text());
        txtEdi.setText(rs[QStringLiteral("edible")].text());
        txtWeight.setText(rs[QStringLiteral("stdweight")].text());
        txtComment.setText(rs[QStringLiteral("foodnote")].text());
    };
    frame::readOrTell(*this, QStringLiteral("The details of the food"),
                      QStringLiteral("frmIDt::SearchFood"), read);
}

void frmIDt::dISPfOODCat() {
    foods::AddFoodCategories(cmbCat);
}

void frmIDt::NumberField_LostFocus(ui::TextBox& box) {
    box.setText(rt::Trim(box.Text()));
    if (box.Text().isEmpty()) {
        return;
    }
    if (!rt::IsNumeric(box.Text())) {
        ui::MsgBox(QStringLiteral("Enter numbers only or leave the field blank"));
        box.SetFocus();
        return;
    }
    try {
        box.setText(QString::number(rt::CInt(box.Text())));
    } catch (const rt::Error& error) {
        if (!frame::isConversionError(error)) {
            throw;
        }
        ui::MsgBox(QStringLiteral("Too big number, enter between 0 and 30000"));
        box.SetFocus();
    }
}

void frmIDt::txtName_LostFocus() {
    txtName.setText(rt::Trim(txtName.Text()));
}

void frmIDt::txtComment_LostFocus() {
    txtComment.setText(rt::Trim(txtComment.Text()));
}

void frmIDt::cmdOK_Click() {
    const QString name = rt::Trim(txtName.Text());
    if (name.isEmpty() || cmbCat.Text().isEmpty()) {
        ui::MsgBox(QStringLiteral("eMPTY."));
        return;
    }
    if (name.contains(QLatin1Char('\'')) || txtComment.Text().contains(QLatin1Char('\''))) {
        ui::MsgBox(QStringLiteral("Do not enter '"));
        return;
    }
    const QList<ui::TextBox*> numbers = {&txtPrice, &txtEdi, &txtWeight};
    for (ui::TextBox* box : numbers) {
        if (rt::Trim(box->Text()).isEmpty()) {
            box->setText(QStringLiteral("0"));
        }
    }
    for (ui::TextBox* box : numbers) {
        if (!rt::IsNumeric(box->Text()) || rt::CDbl(box->Text()) < 0 ||
            rt::CDbl(box->Text()) > 30000) {
            ui::MsgBox(QStringLiteral("ENTERED NUMERIC VALUES ONLY."));
            return;
        }
    }
    // Windows find foods by name: a second food of the name would make one of them unreachable.
    int namesake = -1;
    if (!frame::readOrRefuse(QStringLiteral("The names of the foods"),
                             QStringLiteral("frmIDt::cmdOK_Click"),
                             [&] { namesake = foods::FoodIdByName(name, EditFoodId); })) {
        return;
    }
    if (namesake >= 0) {
        ui::MsgBox(QStringLiteral("THIS FOOD IS ALREADY EXIST."), ui::vbOKOnly | ui::vbInformation,
                   QStringLiteral("Kelvora"));
        return;
    }
    const bool written = foods::WriteAtOnce(
        QStringLiteral("The food was not saved."), QStringLiteral("frmIDt::cmdOK_Click"),
        [&](foods::ComposedFoods&) {
            // The food may have been removed in another window since this one opened: nothing is
            // written and the person is told, as for a category that is gone.
            db::Recordset rs;
            rs.Open(QStringLiteral("SELECT foodname FROM food WHERE foodid = ?"), cn, {EditFoodId});
            if (rs.EOF()) {
                rt::raise(rt::err::NoCurrentRecord,
                          QStringLiteral("This food is no longer in the data file."),
                          QStringLiteral("frmIDt"));
            }
            const QString oldName = rs[0].text();
            rs.Close();
            rs.Open(QStringLiteral("SELECT cid FROM cat WHERE cname = ?"), cn, {cmbCat.Text()});
            if (rs.EOF()) {
                rt::raise(rt::err::NoCurrentRecord,
                          QStringLiteral("The category '%1' is no longer in the data file.")
                              .arg(cmbCat.Text()),
                          QStringLiteral("frmIDt"));
            }
            const db::Variant cid = rs[QStringLiteral("cid")];
            rs.Close();
            cn.Execute(QStringLiteral("UPDATE food SET cid = ?, foodname = ?, Price = ?, "
                                      "edible = ?, stdweight = ?, imp = ?, foodnote = ? "
                                      "WHERE foodid = ?"),
                       {cid, name, rt::CDbl(txtPrice.Text()), rt::CDbl(txtEdi.Text()),
                        rt::CDbl(txtWeight.Text()), cmbImp.Text(), txtComment.Text(), EditFoodId});
            // The serving units and the diary name the food; they follow the new name unless
            // another food still bears the old one.
            if (!oldName.isEmpty() && oldName != name && foods::FoodIdByName(oldName) < 0) {
                cn.Execute(QStringLiteral("UPDATE FoodUnit SET food = ? WHERE food = ?"),
                           {name, oldName});
                cn.Execute(QStringLiteral("UPDATE dayin SET foodname = ? WHERE foodname = ?"),
                           {name, oldName});
            }
        });
    if (!written) {
        return;
    }
    if (frmItm* catalogue = frmItm::loadedInstance()) {
        catalogue->DispItemList();
    }
    ui::Unload(*this);
}

void frmIDt::cmdCancel_Click() {
    ui::Unload(*this);
}

void frmIDt::Form_KeyDown(int& KeyCode, int /*Shift*/) {
    if (KeyCode == ui::vbKeyEscape) {
        ui::Unload(*this);
    }
}
