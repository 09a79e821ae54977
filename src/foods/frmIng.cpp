#include "foods/frmIng.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "db/Recordset.h"
#include "foods/ComposedFood.h"
#include "foods/ComposedFoodForms.h"
#include "foods/FoodList.h"
#include "frame/ErrorHandler.h"
#include "frame/core.h"
#include "frame/frmMain.h"
#include "listoutput/ExportButton.h"
#include "runtime/Convert.h"
#include "runtime/Error.h"
#include "ui/ColumnSort.h"
#include "ui/Constants.h"
#include "ui/Host.h"

using namespace core;

namespace {

const QString kGrams = QStringLiteral("Grams");
const QString kRefused = QStringLiteral("Please appropriate data in field.");

}  // namespace

frmIng::frmIng() : foods::UnitCallerWindow(QStringLiteral("ComposeOn")) {
    setCaption(QStringLiteral("Ingredients"));
    setKeyPreview(true);
    lbl[0].setCaption(QStringLiteral("&Food Name"));
    lbl[1].setCaption(QStringLiteral("&Quantity"));
    lbl[2].setCaption(QStringLiteral("&Unit"));
    lbl[4].setCaption(QStringLiteral("&Ingredients"));
    lbl[5].setCaption(QStringLiteral("&Category"));
    lbl[6].setCaption(QStringLiteral("&Language"));
    Label1.setCaption(QStringLiteral("Note: You can not add current food as a ingredient."));
    for (ui::ComboBox* combo : {&cmbCat, &cmbLang, &cmbUnit}) {
        combo->setStyle(ui::vbComboDropdownList);
    }
    LV.ColumnHeaders.Add(-1, QStringLiteral("a"), QStringLiteral("FOOD"), 5715);
    LV.ColumnHeaders.Add(-1, QStringLiteral("b"), QStringLiteral("TRANSLATION"), 2540);
    LV.ColumnHeaders.Add(-1, QStringLiteral("c"), QStringLiteral("CATEGORY"), 2540);
    LstView.ColumnHeaders.Add(-1, QStringLiteral("a"), QStringLiteral("INGREDIENTS"), 4940);
    LstView.ColumnHeaders.Add(-1, QStringLiteral("b"), QStringLiteral("TRANSLATION"), 2540);
    LstView.ColumnHeaders.Add(-1, QStringLiteral("c"), QStringLiteral("VALUE"), 2540);
    LstView.ColumnHeaders.Add(-1, QStringLiteral("d"), QStringLiteral("UNIT"), 2540);
    for (ui::ListView* list : {&LV, &LstView}) {
        list->setColumnHeaderIcons(&ImgLst);
        list->ColumnHeaders(QStringLiteral("a")).setIcon("down");
    }
    cmdUnit.setCaption(QStringLiteral("Unit"));
    cmdAdd.setCaption(QStringLiteral("&Save"));
    cmdCancel.setCaption(QStringLiteral("&Reset"));
    cmdDelete.setCaption(QStringLiteral("&Delete"));
    cmdExport.setCaption(QStringLiteral("&Export"));
    cmdClose.setCaption(QStringLiteral("&Close"));

    cmbCat.Click = [this] { cmbCat_Click(); };
    cmbLang.Click = [this] { cmbLang_Click(); };
    LV.Click = [this] { LV_Click(); };
    LV.ItemClick = [this](ui::ListItem&) { LV_Click(); };
    LV.KeyDown = [this](int& KeyCode, int Shift) { LV_KeyDown(KeyCode, Shift); };
    LV.ColumnClick = [this](ui::ColumnHeader& header) { LV_ColumnClick(header); };
    LstView.Click = [this] { EnableDelete(); };
    LstView.ColumnClick = [this](ui::ColumnHeader& header) { LstView_ColumnClick(header); };
    txtQuan.LostFocus = [this] { txtQuan_LostFocus(); };
    cmdAdd.Click = [this] { cmdAdd_Click(); };
    cmdCancel.Click = [this] { cmdCancel_Click(); };
    cmdDelete.Click = [this] { cmdDelete_Click(); };
    cmdUnit.Click = [this] { cmdUnit_Click(); };
    cmdExport.Click = [this] { cmdExport_Click(); };
    cmdClose.Click = [this] { cmdClose_Click(); };

    // The foods to choose from.
    auto* choice = new QGridLayout(Frame2.container());
    choice->addWidget(lbl[5].widget(), 0, 0);
    choice->addWidget(cmbCat.widget(), 0, 1);
    choice->addWidget(lbl[6].widget(), 0, 2);
    choice->addWidget(cmbLang.widget(), 0, 3);
    choice->addWidget(lbl[4].widget(), 1, 0, 1, 4);
    choice->addWidget(LV.widget(), 2, 0, 1, 4);
    choice->addWidget(Label1.widget(), 3, 0, 1, 4);
    choice->setColumnStretch(1, 1);
    choice->setColumnStretch(3, 1);
    // The entry of one ingredient.
    auto* entry = new QGridLayout(Frame1.container());
    entry->addWidget(lbl[0].widget(), 0, 0);
    entry->addWidget(cmbFoodName.widget(), 0, 1, 1, 2);
    entry->addWidget(lbl[1].widget(), 1, 0);
    entry->addWidget(txtQuan.widget(), 1, 1, 1, 2);
    entry->addWidget(lbl[2].widget(), 2, 0);
    entry->addWidget(cmbUnit.widget(), 2, 1);
    entry->addWidget(cmdUnit.widget(), 2, 2);
    entry->addWidget(cmdAdd.widget(), 3, 1);
    entry->addWidget(cmdCancel.widget(), 3, 2);
    entry->setRowStretch(4, 1);
    entry->setColumnStretch(1, 1);
    // The recipe.
    auto* recipe = new QGridLayout(Frame3.container());
    recipe->addWidget(LstView.widget(), 0, 0, 3, 1);
    recipe->addWidget(cmdExport.widget(), 0, 1);
    recipe->addWidget(cmdDelete.widget(), 1, 1);
    recipe->setRowStretch(2, 1);
    recipe->setColumnStretch(0, 1);

    // The food list takes the width the entry fields leave, for its columns.
    auto* top = new QHBoxLayout;
    top->addWidget(Frame2.widget(), 1);
    top->addWidget(Frame1.widget());
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(cmdClose.widget());
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 3);
    layout->addWidget(Frame3.widget(), 2);
    layout->addLayout(bottom);
    setWidth(13200);
    setHeight(9000);
}

void frmIng::Form_Load() {
    CheckRegistry();
    CenterForm(frmMain::instance(), *this);
    setCaption(QStringLiteral("Ingriedients for the food - ") + ComposedFood);
    ComposedFoodId = -1;
    const auto read = [this] {
        // A user food may bear the name of a composed food; the one with a recipe is meant.
        db::Recordset rs;
        rs.Open(QStringLiteral("SELECT foodid FROM food WHERE foodname = ? "
                               "ORDER BY foodid IN (SELECT itemid FROM item) DESC, foodid"),
                cn, {ComposedFood});
        ComposedFoodId = rs.EOF() ? -1 : rs[0].toLong();
    };
    frame::readOrTell(*this, QStringLiteral("The composed food"),
                      QStringLiteral("frmIng::Form_Load"), read);
    cmbFoodName.setText(QString());
    txtQuan.setText(QString());
    DispCatg();
    DispLang();
    ui::DoEvents();
    ListIngredients();
    EnableDelete();
    QString food = foods::SelectedFood(*this);
    Unitcombo(food);
}

void frmIng::Form_KeyDown(int& KeyCode, int /*Shift*/) {
    if (KeyCode == ui::vbKeyEscape) {
        ui::Unload(*this);
    }
}

int frmIng::IngredientId() const {
    const QString name = cmbFoodName.Text();
    if (pickedFoodId_ >= 0 && name == pickedFoodName_) {
        return pickedFoodId_;
    }
    return name.isEmpty() ? -1 : foods::FoodIdByName(name);
}

// ---- the unit list

void frmIng::Unitcombo(QString& food) {
    foods::FillUnitCombo(cmbUnit, food);
}

// ---- the food-choice list

void frmIng::DispCatg() {
    ListCategories(cmbCat);
}

void frmIng::DispLang() {
    ListLanguages(cmbLang);
}

void frmIng::cmbCat_Click() {
    ui::Hourglass wait;
    DispFoodList();
}

void frmIng::cmbLang_Click() {
    ui::Hourglass wait;
    DispFoodList();
    ListIngredients();
}

void frmIng::DispFoodList() {
    // Every food but the composed food itself.
    foods::FillFoodList(LV, cmbCat.Text(), cmbLang.Text(), ComposedFoodId);
    if (LV.ListItems.Count() > 0) {
        LV.setSelectedItem(&LV.ListItems(1));
    }
    // Save adds the food in the box: it is never one the list no longer shows as picked.
    const QString picked = cmbFoodName.Text();
    if (!foods::KeepPickedFood(LV, picked, picked == pickedFoodName_ ? pickedFoodId_ : -1)) {
        cmbFoodName.setText(QString());
        QString none;
        Unitcombo(none);
    }
}

bool frmIng::PickSelectedFood() {
    const ui::ListItem* item = LV.SelectedItem();
    if (item == nullptr) {
        return false;
    }
    pickedFoodId_ = item->Tag().toInt();
    pickedFoodName_ = item->Text();
    cmbFoodName.setText(pickedFoodName_);
    return true;
}

void frmIng::LV_Click() {
    if (PickSelectedFood()) {
        QString food = pickedFoodName_;
        Unitcombo(food);
    }
}

void frmIng::LV_KeyDown(int& KeyCode, int /*Shift*/) {
    if (KeyCode == ui::vbKeyReturn && PickSelectedFood()) {
        txtQuan.SetFocus();
    }
}

void frmIng::LV_ColumnClick(ui::ColumnHeader& ColumnHeader) {
    ui::SortOnColumnClick(LV, ColumnHeader);
}

// ---- the recipe

void frmIng::ListIngredients() {
    LstView.ListItems.Clear();
    if (ComposedFoodId < 0) {
        return;
    }
    const QString language = cmbLang.Text();
    const bool english = language == foods::kEnglish;
    const auto read = [&] {
        db::Recordset rs;
        rs.Open(QStringLiteral("SELECT item.foodid, food.foodname, item.qty, "
                               "(SELECT lang.foodlangname FROM lang JOIN langcat "
                               "ON langcat.langid = lang.langid WHERE lang.foodid = item.foodid "
                               "AND langcat.langname = ? ORDER BY lang.rowid LIMIT 1) "
                               "FROM item JOIN food ON food.foodid = item.foodid "
                               "WHERE item.itemid = ? ORDER BY item.srl_no, item.rowid"),
                cn, {language, ComposedFoodId});
        for (; !rs.EOF(); rs.MoveNext()) {
            ui::ListItem& line = LstView.ListItems.Add(rs[1].text());
            line.setSubItems(1, english ? QString() : rs[3].text());
            line.setSubItems(2, rs[2].text());
            line.setSubItems(3, kGrams);
            line.setTag(rs[0].text());
        }
    };
    frame::readOrTell(*this, QStringLiteral("The list of ingredients"),
                      QStringLiteral("frmIng::ListIngredients"), read);
}

int frmIng::IsIngredientListed() {
    int ingredient = -1;
    bool listed = false;
    // The recipe's rows decide, whatever the list happens to show.
    const auto read = [&] {
        ingredient = IngredientId();
        listed = ingredient >= 0 && ComposedFoodId >= 0 &&
                 foods::ComposedFoods(cn).hasIngredient(ComposedFoodId, ingredient);
    };
    if (!frame::readOrRefuse(QStringLiteral("The recipe"),
                             QStringLiteral("frmIng::IsIngredientListed"), read)) {
        return -1;
    }
    if (!listed) {
        return 0;
    }
    if (ui::ListItem* line = LstView.FindItem(QString::number(ingredient), ui::lvwTag)) {
        LstView.setSelectedItem(line);
    }
    return 1;
}

void frmIng::EnableDelete() {
    cmdDelete.setEnabled(LstView.ListItems.Count() > 0);
}

void frmIng::LstView_ColumnClick(ui::ColumnHeader& ColumnHeader) {
    // The names sort; the quantities and units do not.
    if (ColumnHeader.Key() == QLatin1String("a") || ColumnHeader.Key() == QLatin1String("b")) {
        ui::SortOnColumnClick(LstView, ColumnHeader);
    }
}

void frmIng::txtQuan_LostFocus() {
    const QString picture = QStringLiteral("00000.00");
    txtQuan.setText(rt::Format(rt::Trim(txtQuan.Text()), picture));
    const QString text = txtQuan.Text();
    if (text.isEmpty() || !rt::IsNumeric(text)) {
        return;
    }
    try {
        // Quantities are whole numbers of their unit.
        txtQuan.setText(rt::Format(static_cast<double>(rt::CInt(text)), picture));
    } catch (const rt::Error& error) {
        if (error.Number() == rt::err::Overflow) {
            ui::MsgBox(QStringLiteral("Too big number, enter between 0 and 30000"));
            txtQuan.SetFocus();
        }
    }
}

void frmIng::cmdAdd_Click() {
    const QString quantity = rt::Trim(txtQuan.Text());
    const QString food = cmbFoodName.Text();
    bool refused = quantity.isEmpty() || !rt::IsNumeric(quantity) || food.isEmpty();
    if (!refused) {
        const double value = rt::CDbl(quantity);
        refused = value > 30000 || value < 0;
    }
    if (refused) {
        ui::MsgBox(kRefused, ui::vbOKOnly | ui::vbInformation, QStringLiteral("Kelvora"));
        txtQuan.SetFocus();
        return;
    }
    if (food.contains(QLatin1Char('\''))) {
        ui::MsgBox(QStringLiteral("Do not enter '"));
        return;
    }
    const int listed = IsIngredientListed();
    if (listed < 0) {
        return;
    }
    if (listed == 1) {
        ui::MsgBox(
            QStringLiteral("This ingridients is already exist, If you want to edit, remove "
                           "it first and then add new"));
        return;
    }
    // The quantity in grams: as typed for "Grams", else times the serving unit's weight.
    int ingredient = -1;
    const QString unitName = cmbUnit.Text();
    int unitId = -1;
    double grams = -1;
    const auto read = [&] {
        ingredient = IngredientId();
        db::Recordset rs;
        rs.Open(
            QStringLiteral("SELECT unitid FROM unit WHERE UnitName = ? ORDER BY unitid LIMIT 1"),
            cn, {unitName});
        unitId = rs.EOF() ? -1 : rs[0].toLong();
        rs.Close();
        if (unitName == kGrams) {
            grams = rt::CDbl(quantity);
        } else {
            rs.Open(QStringLiteral("SELECT UnitSizeinGrams FROM FoodUnit WHERE UnitName = ? AND "
                                   "food = ? ORDER BY rowid LIMIT 1"),
                    cn, {unitName, food});
            if (!rs.EOF() && !rs[0].IsNull()) {
                grams = rs[0].toDouble() * rt::CDbl(quantity);
            }
        }
    };
    if (!frame::readOrRefuse(QStringLiteral("The units of the food"),
                             QStringLiteral("frmIng::cmdAdd_Click"), read)) {
        return;
    }
    // The window offers only foods of the catalogue and their units; a name typed over the
    // pick, or the composed food itself, has no place in the recipe.
    if (ingredient < 0 || unitId < 0 || grams < 0 || ComposedFoodId < 0 ||
        ingredient == ComposedFoodId) {
        ui::MsgBox(kRefused, ui::vbOKOnly | ui::vbInformation, QStringLiteral("Kelvora"));
        return;
    }
    const int composed = ComposedFoodId;
    if (!Write(QStringLiteral("The ingredient was not saved."),
               QStringLiteral("frmIng::cmdAdd_Click"), [&](foods::ComposedFoods& store) {
                   store.addIngredient(composed, ingredient, grams, unitId);
               })) {
        return;  // the entry stays, to be saved again
    }
    ListIngredients();
    cmdCancel_Click();
    EnableDelete();
}

void frmIng::cmdCancel_Click() {
    cmbFoodName.setText(QString());
    txtQuan.setText(QString());
    QString food = foods::SelectedFood(*this);
    Unitcombo(food);
}

void frmIng::cmdDelete_Click() {
    const ui::ListItem* line = LstView.SelectedItem();
    if (line == nullptr || ComposedFoodId < 0) {
        return;
    }
    const QString prompt = QStringLiteral("Do you want to remove ingredients '") + line->Text() +
                           QStringLiteral("' from food '") + ComposedFood + QStringLiteral("' ?");
    if (ui::MsgBox(prompt, ui::vbYesNoCancel | ui::vbInformation, QStringLiteral("Kelvora")) !=
        ui::vbYes) {
        return;
    }
    const int composed = ComposedFoodId;
    const int ingredient = line->Tag().toInt();
    Write(QStringLiteral("The ingredient was not removed."),
          QStringLiteral("frmIng::cmdDelete_Click"),
          [&](foods::ComposedFoods& store) { store.removeIngredient(composed, ingredient); });
    ui::DoEvents();
    ListIngredients();
    cmdCancel_Click();
    EnableDelete();
}

void frmIng::cmdUnit_Click() {
    ui::Hourglass wait;
    foods::ShowUnits(*this);
}

void frmIng::cmdExport_Click() {
    listoutput::ExportToHtml(cdlg, LstView, ComposedFood);
}

void frmIng::RewritePer100g() {
    if (ComposedFoodId < 0) {
        return;
    }
    const int composed = ComposedFoodId;
    Write(
        QStringLiteral("The values of the composed food were not rewritten."),
        QStringLiteral("frmIng::RewritePer100g"),
        [composed](foods::ComposedFoods& store) { store.recompute(composed); }, true);
}

bool frmIng::Write(const QString& what, const QString& source,
                   const std::function<void(foods::ComposedFoods&)>& change, bool followUp) {
    const bool written = foods::WriteAtOnce(what, source, change, [&](const rt::Error& error) {
        const bool toldAlready = followUp && error.Number() == lastFailure_;
        lastFailure_ = error.Number();
        return !toldAlready;
    });
    if (written) {
        lastFailure_ = 0;
    }
    return written;
}

void frmIng::cmdClose_Click() {
    RewritePer100g();
    ui::Unload(*this);
}
