#include "foods/frmNewFood.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <utility>

#include "db/Recordset.h"
#include "foods/ComposedFood.h"
#include "foods/ComposedFoodForms.h"
#include "foods/FoodList.h"
#include "foods/UserFoods.h"
#include "foods/frmfdN.h"
#include "frame/ErrorHandler.h"
#include "frame/core.h"
#include "frame/frmMain.h"
#include "runtime/Convert.h"
#include "runtime/Error.h"
#include "ui/Constants.h"
#include "ui/Host.h"

using namespace core;

namespace {

const QString kTitle = QStringLiteral("Kelvora");

void Say(const QString& text) {
    ui::MsgBox(text, ui::vbOKOnly | ui::vbExclamation, kTitle);
}

// The number a text starts with (0 when it starts with none); a number too large to read is
// not a negative one.
bool StartsNegative(const QString& text) {
    try {
        return rt::Val(text) < 0;
    } catch (const rt::Error& error) {
        if (!frame::isConversionError(error)) {
            throw;
        }
        return false;
    }
}

}  // namespace

frmNewFood::frmNewFood() {
    setCaption(QStringLiteral("New Food"));
    setKeyPreview(true);
    lblCat.setCaption(QStringLiteral("Category"));
    lblFood.setCaption(QStringLiteral("Food"));
    cmbCat.setStyle(ui::vbComboDropdownList);
    Frame1.setCaption(QStringLiteral("Nutrients"));
    Frame2.setCaption(QStringLiteral("Language"));
    const auto& fields = foods::NutrientFields();
    for (int i = 1; i <= 30; ++i) {
        lblNutri[i].setCaption(QString::fromLatin1(fields[static_cast<size_t>(i - 1)].label));
    }
    const QStringList& languages = foods::UserFoodLanguages();
    for (int j = 1; j <= 13; ++j) {
        lblLang[j].setCaption(languages[j - 1]);
    }
    LV.ColumnHeaders.Add(-1, QStringLiteral("a"), QStringLiteral("Food"), 2540);
    LV.ColumnHeaders.Add(-1, QStringLiteral("b"), QStringLiteral("Category"), 2540);
    Command1.setCaption(QStringLiteral("Save"));
    Command2.setCaption(QStringLiteral("Clear All"));
    Command3.setCaption(QStringLiteral("&Delete"));
    Command5.setCaption(QStringLiteral("&Close"));

    cmbCat.Click = [this] { cmbCat_Click(); };
    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this] { Command2_Click(); };
    Command3.Click = [this] { Command3_Click(); };
    Command5.Click = [this] { Command5_Click(); };
    LV.ColumnClick = [this](ui::ColumnHeader& header) { LV_ColumnClick(header); };
    LV.DblClick = [this] { LV_DblClick(); };

    // The nutrients in three columns of ten, the languages in two, each field beside its label.
    auto* nutrients = new QGridLayout(Frame1.container());
    for (int i = 1; i <= 30; ++i) {
        const int row = (i - 1) % 10;
        const int column = (i - 1) / 10 * 2;
        nutrients->addWidget(lblNutri[i].widget(), row, column);
        nutrients->addWidget(Text1[i].widget(), row, column + 1);
        Text1[i].widget()->setMaximumWidth(90);
    }
    auto* names = new QGridLayout(Frame2.container());
    for (int j = 1; j <= 13; ++j) {
        const int row = (j - 1) % 7;
        const int column = (j - 1) / 7 * 2;
        names->addWidget(lblLang[j].widget(), row, column);
        names->addWidget(Text3[j].widget(), row, column + 1);
    }
    auto* food = new QGridLayout;
    food->addWidget(lblCat.widget(), 0, 0);
    food->addWidget(cmbCat.widget(), 0, 1);
    food->addWidget(lblFood.widget(), 1, 0);
    food->addWidget(Text2.widget(), 1, 1);
    auto* entry = new QVBoxLayout;
    entry->addLayout(food);
    entry->addWidget(Frame1.widget());
    entry->addWidget(Frame2.widget());
    entry->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addLayout(entry, 3);
    top->addWidget(LV.widget(), 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (ui::CommandButton* button : {&Command1, &Command2, &Command3, &Command5}) {
        buttons->addWidget(button->widget());
    }
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);
    setWidth(13500);
    setHeight(9000);
}

QList<ui::TextBox*> frmNewFood::AllBoxes() {
    QList<ui::TextBox*> boxes{&Text2};
    Text1.forEach([&](ui::TextBox& box) { boxes.append(&box); });
    Text3.forEach([&](ui::TextBox& box) { boxes.append(&box); });
    return boxes;
}

void frmNewFood::Form_Load() {
    ui::Hourglass wait;
    DispCategory();
    dispLV();
    ChkDelete();
    CenterForm(frmMain::instance(), *this);
}

void frmNewFood::DispCategory() {
    // Choosing the first entry lists its user foods.
    ListCategories(cmbCat);
}

void frmNewFood::cmbCat_Click() {
    dispLV();
}

void frmNewFood::dispLV() {
    ui::Hourglass wait;
    LV.ListItems.Clear();
    // The foods listed before an error stay.
    const auto read = [this] {
        db::Recordset rs;
        if (cmbCat.Text() == foods::kAllFoods) {
            rs.Open(QStringLiteral("SELECT food.foodid, food.foodname, cat.cname FROM food, cat "
                                   "WHERE food.cid = cat.cid AND PrimeOrNot = 'U'"),
                    cn);
        } else {
            rs.Open(QStringLiteral("SELECT food.foodid, food.foodname, cat.cname FROM food, cat "
                                   "WHERE cat.cname = ? AND food.cid = cat.cid AND "
                                   "PrimeOrNot = 'U' ORDER BY food.foodname"),
                    cn, {cmbCat.Text()});
        }
        for (; !rs.EOF(); rs.MoveNext()) {
            // Each entry knows its own food: names are not unique.
            ui::ListItem& item = LV.ListItems.Add(rs[1].text());
            item.setSubItems(1, rs[2].text());
            item.setTag(rs[0].text());
        }
    };
    frame::readOrTell(*this, QStringLiteral("The list of user foods"),
                      QStringLiteral("frmNewFood::dispLV"), read);
}

void frmNewFood::ChkDelete() {
    Command3.setEnabled(LV.ListItems.Count() > 0);
}

void frmNewFood::Command1_Click() {
    if (cmbCat.Text() == foods::kAllFoods) {
        Say(QStringLiteral("Please select category of food"));
        return;
    }
    if (rt::Trim(Text2.Text()).isEmpty()) {
        Say(QStringLiteral("Food name should not be empty."));
        return;
    }
    // Other windows find a food by its name inside their statements.
    if (Text2.Text().contains(QLatin1Char('\''))) {
        Say(QStringLiteral("Do not enter '"));
        return;
    }
    const auto& fields = foods::NutrientFields();
    for (ui::TextBox* box : AllBoxes()) {
        if (rt::Trim(box->Text()).isEmpty()) {
            box->setText(QStringLiteral("0"));
        }
        if (StartsNegative(box->Text())) {
            Say(QStringLiteral("There are minus figures. Please correct it."));
            return;
        }
        if (box->Name() == Text1.Name() && !foods::NutrientValue(box->Text())) {
            Say(QStringLiteral("The value of %1 is not a number. Please correct it.")
                    .arg(QString::fromLatin1(fields[static_cast<size_t>(box->Index() - 1)].label)));
            return;
        }
    }
    if (!SaveNutrients()) {
        return;
    }
    Command2_Click();
    ChkDelete();
}

bool frmNewFood::SaveNutrients() {
    foods::NewUserFood food{cmbCat.Text(), Text2.Text(), {}, {}};
    Text1.forEach([&](ui::TextBox& box) { food.values.append(box.Text()); });
    Text3.forEach([&](ui::TextBox& box) { food.names.append(box.Text()); });
    try {
        ui::Hourglass wait;
        foods::UserFoods(cn).Add(food);
    } catch (const rt::Error& error) {
        frame::tellWriteFailure(QStringLiteral("The food was not saved. "), error,
                                QStringLiteral("frmNewFood::SaveNutrients"));
        return false;
    }
    dispLV();
    return true;
}

void frmNewFood::Command2_Click() {
    for (ui::TextBox* box : AllBoxes()) {
        box->setText(QString());
    }
}

void frmNewFood::Command3_Click() {
    const ui::ListItem* selected = LV.SelectedItem();
    if (selected == nullptr) {
        return;
    }
    if (ui::MsgBox(QStringLiteral("Do you want to remove this food '") + selected->Text() +
                       QStringLiteral("' ?"),
                   ui::vbYesNo | ui::vbQuestion, kTitle) != ui::vbYes) {
        return;
    }
    // The recipes that use the food lose it and are recomputed, as in the catalogue.
    const int id = selected->Tag().toInt();
    foods::WriteAtOnce(QStringLiteral("The food was not removed."),
                       QStringLiteral("frmNewFood::Command3_Click"),
                       [id](foods::ComposedFoods& store) { store.removeUserFood(id); });
    dispLV();
    ChkDelete();
}

void frmNewFood::Command5_Click() {
    ui::Unload(*this);
}

void frmNewFood::Form_KeyDown(int& KeyCode, int /*Shift*/) {
    if (KeyCode == ui::vbKeyEscape) {
        ui::Unload(*this);
    }
}

void frmNewFood::LV_ColumnClick(ui::ColumnHeader& ColumnHeader) {
    if (ColumnHeader.Key() != QLatin1String("a")) {
        return;
    }
    LV.setSortKey(0);
    LV.setSorted(true);
    LV.setSortOrder(LV.SortOrder() == ui::lvwAscending ? ui::lvwDescending : ui::lvwAscending);
}

void frmNewFood::LV_DblClick() {
    const ui::ListItem* selected = LV.SelectedItem();
    if (LV.ListItems.Count() < 2 || selected == nullptr) {
        return;
    }
    // The nutrients window is a child of the main window, which this modal window would keep
    // out of reach: this window closes and the nutrients window comes up on the food.
    QString food = selected->Text();
    ui::Unload(*this);
    frmfdN::ShowFood(std::move(food));
}
