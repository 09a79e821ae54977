#include "foods/frmfdN.h"

#include <QHBoxLayout>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <utility>

#include "db/Recordset.h"
#include "foods/FoodList.h"
#include "foods/NutrientOffset.h"
#include "frame/ErrorHandler.h"
#include "frame/WindowOpeners.h"
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

// The food and count lines while no food is shown.
const QString kNoFood = QStringLiteral("Food :");
const QString kNoTotal = QStringLiteral("Total : ");

// An amount as the nutrient list shows it: rounded to two decimals, without the zeros the
// rounding leaves at the end (12.5 for 12.50, 3 for 3.00, 0 for 0.00).
QString AmountText(double value) {
    QString text = rt::Format(value, QStringLiteral("###0.00"));
    if (text.contains(QLatin1Char('.'))) {
        while (text.endsWith(QLatin1Char('0'))) {
            text.chop(1);
        }
        if (text.endsWith(QLatin1Char('.'))) {
            text.chop(1);
        }
    }
    return text;
}

}  // namespace

frmfdN::frmfdN() {
    setMDIChild(true);
    setCaption(QStringLiteral("Food Nutrion"));
    setKeyPreview(true);
    lbl[0].setCaption(QStringLiteral("Food &Category"));
    lbl[1].setCaption(QStringLiteral("&Foods"));
    lbl[2].setCaption(QStringLiteral("&Language"));
    lbl[4].setCaption(QStringLiteral("&Nutrients"));
    cmbCat.setStyle(ui::vbComboDropdownList);
    cmbLang.setStyle(ui::vbComboDropdownList);
    cmdGo.setCaption(QStringLiteral("&Go"));
    cmdExport.setCaption(QStringLiteral("E&xport"));
    cmdClose.setCaption(QStringLiteral("&Close"));
    txtFood.setText(kNoFood);
    txtTotal.setText(kNoTotal);
    txtFood.setLocked(true);
    txtTotal.setLocked(true);

    struct Column {
        const char* key;
        const char* header;
        int width;
    };
    const Column foods[] = {
        {"a", "FOOD NAME [IN ENGLISH]", 5715}, {"b", "TRANSLATION", 3422}, {"c", "CATEGORY", 2540}};
    const Column nutrients[] = {
        {"a", "NUTRIENT NAME", 5362}, {"b", "VALUE", 2011}, {"c", "UNIT", 2011}};
    for (const Column& c : foods) {
        LstView.ColumnHeaders.Add(-1, QString::fromLatin1(c.key), QString::fromLatin1(c.header),
                                  c.width);
    }
    for (const Column& c : nutrients) {
        LView.ColumnHeaders.Add(-1, QString::fromLatin1(c.key), QString::fromLatin1(c.header),
                                c.width);
    }
    // Both lists start in the order their "down" icon promises. The focus frame marks the
    // current cell only: a frame around the whole row has the list lay out all its rows each
    // time the current row changes, which made showing a food take half as long again.
    for (ui::ListView* list : {&LstView, &LView}) {
        list->treeWidget()->setAllColumnsShowFocus(false);
        list->setColumnHeaderIcons(&ImgLst);
        list->ColumnHeaders(QStringLiteral("a")).setIcon("down");
        list->setSorted(true);
    }

    cmbCat.Click = [this] { cmbCat_Click(); };
    cmbLang.Click = [this] { cmbLang_Click(); };
    cmdGo.Click = [this] { cmdGo_Click(); };
    LstView.Click = [this] { LstView_Click(); };
    LstView.ItemClick = [this](ui::ListItem& Item) { LstView_ItemClick(Item); };
    LstView.KeyDown = [this](int& KeyCode, int Shift) { LstView_KeyDown(KeyCode, Shift); };
    LstView.ColumnClick = [this](ui::ColumnHeader& header) { LstView_ColumnClick(header); };
    LView.ColumnClick = [this](ui::ColumnHeader& header) { LView_ColumnClick(header); };
    LView.DblClick = [this] { LView_DblClick(); };
    cmdExport.Click = [this] { cmdExport_Click(); };
    cmdClose.Click = [this] { cmdClose_Click(); };

    auto* filters = new QHBoxLayout;
    filters->addWidget(lbl[0].widget());
    filters->addWidget(cmbCat.widget(), 2);
    filters->addSpacing(12);
    filters->addWidget(lbl[2].widget());
    filters->addWidget(cmbLang.widget(), 1);
    filters->addWidget(cmdGo.widget());
    // The foods above their nutrients, each list as wide as its columns want, so that the
    // window fits the main window at its first size.
    auto* lists = new QVBoxLayout;
    lists->addWidget(lbl[1].widget());
    lists->addWidget(LstView.widget(), 2);
    lists->addWidget(lbl[4].widget());
    lists->addWidget(LView.widget(), 3);
    auto* lines = new QHBoxLayout;
    lines->addWidget(txtFood.widget(), 3);
    lines->addWidget(txtTotal.widget(), 1);
    lines->addWidget(cmdExport.widget());
    lines->addWidget(cmdClose.widget());
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addLayout(lists, 1);
    layout->addLayout(lines);
    setWidth(13200);
    setHeight(8700);
}

void frmfdN::Form_Load() {
    ui::Hourglass wait;
    CheckRegistry();
    DispCategory();
    DispLang();
    if (cmbCat.ListCount() > 0) {
        cmbCat.setListIndex(0);
    }
    cmdGo_Click();
    CenterForm(frmMain::instance(), *this);
    if (cmbLang.ListCount() > 0) {
        cmbLang.setListIndex(0);
    }
    if (LstView.ListItems.Count() > 0) {
        LstView.ListItems(1).setSelected(true);
        LstView_Click();
    }
}

void frmfdN::DispCategory() {
    ListCategories(cmbCat);
}

void frmfdN::DispLang() {
    ListLanguages(cmbLang);
}

void frmfdN::ShowFoods() {
    // Each entry carries its food's id, so that a food is shown by its own rows even when
    // another food bears the same name.
    foods::FillFoodList(LstView, cmbCat.Text(), cmbLang.Text());
    // After a refill the first food of the list is the selected one.
    if (LstView.ListItems.Count() > 0) {
        LstView.ListItems(1).setSelected(true);
    }
    LstView_Click();
}

void frmfdN::ShowNutrients(const ui::ListItem& food) {
    LView.ListItems.Clear();
    // One row per nutrient row of the food; a single row without a serial when it has none, and
    // none at all when the food is gone.
    static const QString sql =
        QStringLiteral(
            "SELECT nutri.nname, foodN1.nutri_val, foodN1.nutri_cd, foodN1.unit_tp, "
            "foodN1.rowid FROM food LEFT JOIN foodN1 ON foodN1.foodid = food.foodid "
            "LEFT JOIN nutri ON nutri.nutri_cd = ") +
        foods::NutrientOffset::realCodeSql() +
        QStringLiteral(" WHERE food.foodid = ? ORDER BY foodN1.rowid");
    // The nutrients listed before an error stay.
    const auto read = [&] {
        db::Recordset rs;
        rs.Open(sql, cn, {food.Tag().toLongLong()});
        if (rs.EOF()) {
            return;
        }
        if (rs[4].IsNull()) {
            txtTotal.setText(QStringLiteral("Total : 0"));
            return;
        }
        for (; !rs.EOF(); rs.MoveNext()) {
            // A row whose nutrient is unknown ends the list where it stands.
            const db::Variant name = rs[0];
            if (name.IsNull()) {
                return;
            }
            const double value =
                foods::NutrientOffset::value(rs[1].toDouble(), static_cast<int>(rs[2].toLong()));
            ui::ListItem& item = LView.ListItems.Add(name.toString());
            item.setSubItems(1, AmountText(value));
            item.setSubItems(2, rs[3].text());
        }
        // As after any fill, the first entry (in the list's order) is the selected one.
        LView.ListItems(1).setSelected(true);
        txtTotal.setText(QStringLiteral("Total : ") + QString::number(LView.ListItems.Count()));
    };
    frame::readOrTell(*this, QStringLiteral("The nutrients of the food"),
                      QStringLiteral("frmfdN::ShowNutrients"), read);
}

void frmfdN::ShowFood(QString food) {
    frmfdN& nutrients = instance();
    int where = ui::lvwText;
    FindListItem(nutrients.LstView, food, where);
    nutrients.showlist();
    nutrients.Show();
}

void frmfdN::ShowAnyFood(QString food) {
    frmfdN& nutrients = instance();
    // A food that the window's own filters hide is looked for among all foods, then in
    // English, rather than leaving another food's nutrients on show under this one's click.
    auto choose = [&](ui::ComboBox& combo, const QString& entry) {
        const int index = combo.findText(entry);
        if (nutrients.LstView.FindItem(food) == nullptr && index >= 0) {
            combo.setListIndex(index);
        }
    };
    choose(nutrients.cmbCat, foods::kAllFoods);
    choose(nutrients.cmbLang, foods::kEnglish);
    ShowFood(std::move(food));
}

void frmfdN::showlist() {
    ui::Hourglass wait;
    const ui::ListItem* food = LstView.SelectedItem();
    if (food == nullptr) {
        // The lines name no food the list does not show.
        LView.ListItems.Clear();
        txtFood.setText(kNoFood);
        txtTotal.setText(kNoTotal);
        return;
    }
    ShowNutrients(*food);
    txtFood.setText(QStringLiteral("Food : ") + food->Text());
}

void frmfdN::cmbCat_Click() {
    cmdGo_Click();
}

void frmfdN::cmbLang_Click() {
    cmdGo_Click();
}

void frmfdN::cmdGo_Click() {
    ui::Hourglass wait;
    LView.ListItems.Clear();
    ui::DoEvents();
    ShowFoods();
}

void frmfdN::LstView_Click() {
    showlist();
}

void frmfdN::LstView_ItemClick(ui::ListItem& /*Item*/) {
    showlist();
}

void frmfdN::LstView_KeyDown(int& KeyCode, int /*Shift*/) {
    if (KeyCode == ui::vbKeyReturn) {
        LstView_Click();
    }
}

void frmfdN::LstView_ColumnClick(ui::ColumnHeader& ColumnHeader) {
    ui::SortOnColumnClick(LstView, ColumnHeader);
}

void frmfdN::LView_ColumnClick(ui::ColumnHeader& ColumnHeader) {
    ui::SortOnColumnClick(LView, ColumnHeader);
}

void frmfdN::LView_DblClick() {
    // A list of one entry is never drilled.
    const ui::ListItem* nutrient = LView.SelectedItem();
    if (LView.ListItems.Count() >= 2 && nutrient != nullptr) {
        ShowNutrientIndex(nutrient->Text());
    }
}

void frmfdN::ShowNutrientIndex(QString nutrient) {
    frame::openWindowOn(QStringLiteral("frmIdxN"), nutrient).SetFocus();
}

void frmfdN::cmdExport_Click() {
    // Without a selected food the empty nutrient list goes out under an empty title.
    const ui::ListItem* food = LstView.SelectedItem();
    listoutput::ExportToHtml(
        cdlg, LView, food != nullptr ? QStringLiteral("Food : ") + food->Text() : QString(),
        QStringLiteral("Language : ") + cmbLang.Text(),
        food != nullptr ? QStringLiteral("Category : ") + food->SubItems(2) : QString());
}

void frmfdN::cmdClose_Click() {
    ui::Unload(*this);
}

void frmfdN::Form_KeyDown(int& KeyCode, int /*Shift*/) {
    if (KeyCode == ui::vbKeyEscape) {
        ui::Unload(*this);
    }
}
