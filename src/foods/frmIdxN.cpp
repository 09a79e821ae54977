#include "foods/frmIdxN.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "db/Recordset.h"
#include "foods/FoodList.h"
#include "foods/NutrientIndex.h"
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
namespace sources = foods::NutrientIndex;

namespace {

const QString kNoItems = QStringLiteral("No items are available.");
const QString kNoInformation = QStringLiteral("Information is not available.");

// The sort image a header shows: 1 ("up", descending), 2 ("down", ascending) or 0 for none.
quint8 HeaderImage(const ui::ColumnHeader& header) {
    const QVariant& icon = header.Icon();
    if (icon.typeId() == QMetaType::QString) {
        const QString key = icon.toString();
        return key == QLatin1String("up") ? 1 : key == QLatin1String("down") ? 2 : 0;
    }
    const int image = icon.isValid() ? icon.toInt() : 0;
    return image == 1 || image == 2 ? static_cast<quint8>(image) : 0;
}

// Only `shown` carries an image, `image`.
void ShowOnly(ui::ListView& lvw, ui::ColumnHeader& shown, quint8 image) {
    for (int i = 1; i <= lvw.ColumnHeaders.Count(); ++i) {
        lvw.ColumnHeaders(i).setIcon(0);
    }
    shown.setIcon(static_cast<int>(image));
}

}  // namespace

frmIdxN::frmIdxN() {
    setMDIChild(true);
    setCaption(QStringLiteral("Source of nutrients"));
    setKeyPreview(true);

    LstView.setColumnHeaderIcons(&ImgLst);
    LstView.ColumnHeaders.Add(-1, QStringLiteral("a"), QStringLiteral("NUTRIENTS"), 4304, 0, 2);
    LView.setColumnHeaderIcons(&ImgLst);
    LView.ColumnHeaders.Add(-1, QStringLiteral("a"), QStringLiteral("FOODS"), 6174, 0, 2);
    LView.ColumnHeaders.Add(-1, QStringLiteral("b"), QStringLiteral("TRANSLATION"), 2540);
    LView.ColumnHeaders.Add(-1, QStringLiteral("c"), QStringLiteral("CATEGORY"), 2646);
    LView.ColumnHeaders.Add(-1, QStringLiteral("d"), QStringLiteral("VALUE"), 1482);
    LView.ColumnHeaders.Add(-1, QStringLiteral("e"), QStringLiteral("UNIT"), 1764);

    lbl[5].setCaption(QStringLiteral("&Category"));
    lbl[0].setCaption(QStringLiteral("&Food Category"));
    lbl[4].setCaption(QStringLiteral("&Language"));
    lbl[1].setCaption(QStringLiteral("You can find an information on the selected food."));
    lbl[2].setCaption(QStringLiteral("For more information goto "));
    lbl[3].setCaption(QStringLiteral("www.kelvora.in"));
    lbl[3].setFontUnderline(true);
    lbl[3].setForeColor(QColor(0, 0, 192));
    lbl[3].setMousePointer(ui::vbCustom);
    cmbCat.setStyle(2);
    cmbLang.setStyle(2);
    SSTab1.setTabs(2);
    RchBx.setText(kNoInformation);
    RchBx.setFontName(QStringLiteral("Tahoma"));
    RchBx.setFontSize(10);
    RchBx.setLocked(true);
    cmdExport.setCaption(QStringLiteral("E&xport"));
    cmdClose.setCaption(QStringLiteral("&Close"));

    LstView.Click = [this] { LstView_Click(); };
    LstView.ItemClick = [this](ui::ListItem& Item) { LstView_ItemClick(Item); };
    LstView.KeyDown = [this](int& KeyCode, int Shift) { LstView_KeyDown(KeyCode, Shift); };
    LstView.ColumnClick = [this](ui::ColumnHeader& header) { LstView_ColumnClick(header); };
    cmbCat.Click = [this] { cmbCat_Click(); };
    cmbLang.Click = [this] { cmbLang_Click(); };
    LView.ColumnClick = [this](ui::ColumnHeader& header) { LView_ColumnClick(header); };
    LView.DblClick = [this] { LView_DblClick(); };
    cmdExport.Click = [this] { cmdExport_Click(); };
    cmdClose.Click = [this] { cmdClose_Click(); };
    lbl.forEach([this](ui::Label& label) {
        const int index = label.Index();
        label.Click = [this, index] { lbl_Click(index); };
    });

    auto* nutrients = new QVBoxLayout;
    nutrients->addWidget(lbl[5].widget());
    nutrients->addWidget(LstView.widget(), 1);

    auto* sources = new QGridLayout(SSTab1.page(0));
    sources->addWidget(lbl[0].widget(), 0, 0);
    sources->addWidget(cmbCat.widget(), 0, 1);
    sources->addWidget(lbl[4].widget(), 0, 2);
    sources->addWidget(cmbLang.widget(), 0, 3);
    sources->addWidget(LView.widget(), 1, 0, 1, 4);
    sources->setColumnStretch(1, 1);
    sources->setColumnStretch(3, 1);
    sources->setRowStretch(1, 1);

    auto* link = new QHBoxLayout;
    link->addWidget(lbl[2].widget());
    link->addWidget(lbl[3].widget());
    link->addStretch(1);
    auto* information = new QVBoxLayout(SSTab1.page(1));
    information->addWidget(RchBx.widget(), 1);
    information->addWidget(lbl[1].widget());
    information->addLayout(link);

    auto* lists = new QHBoxLayout;
    lists->addLayout(nutrients);
    lists->addWidget(SSTab1.widget(), 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdExport.widget());
    buttons->addWidget(cmdClose.widget());
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lists, 1);
    layout->addLayout(buttons);
    LstView.setWidth(4600);
    setWidth(12900);
    setHeight(7500);
}

void frmIdxN::Form_Load() {
    ui::Hourglass wait;
    CheckRegistry();
    ListNutrients();
    const int count = LstView.ListItems.Count();
    if (count > 0) {
        // The second nutrient: protein, in the order of the nutrient codes.
        LstView.ListItems(count >= 2 ? 2 : 1).setSelected(true);
    }
    const QString nutrient = SelectedNutrient();
    SSTab1.setTabCaption(0, QStringLiteral("&SOURCE OF ") + nutrient);
    SSTab1.setTabCaption(1, QStringLiteral("&INFORMATION ON ") + nutrient);
    CenterForm(frmMain::instance(), *this);

    mLoading = true;
    DispLan();
    ListCategories();
    ListFoods();
    mSortIcon = 2;
    mLoading = false;
}

void frmIdxN::ListNutrients() {
    LstView.ListItems.Clear();
    // The nutrients read before an error stay.
    const auto read = [this] {
        cmd.CommandText = QStringLiteral("Select * from nutri order by nutri_cd");
        cmd.CommandType = db::Command::CmdText;
        db::Recordset rs = cmd.Execute();
        for (; !rs.EOF(); rs.MoveNext()) {
            LstView.ListItems.Add(rs[QStringLiteral("NNAME")].text());
        }
    };
    frame::readOrTell(*this, QStringLiteral("The list of nutrients"),
                      QStringLiteral("frmIdxN::ListNutrients"), read);
}

void frmIdxN::DispLan() {
    core::ListLanguages(cmbLang);
}

void frmIdxN::ListCategories() {
    core::ListCategories(cmbCat);
}

QString frmIdxN::SelectedNutrient() const {
    const ui::ListItem* item = LstView.SelectedItem();
    return item != nullptr ? item->Text() : QString();
}

void frmIdxN::ShowNutrient(QString nutrient) {
    frmIdxN& index = instance();
    int where = ui::lvwText;
    FindListItem(index.LstView, nutrient, where);
    index.ClickonListview();
    index.Show();
}

void frmIdxN::ClickonListview() {
    if (LstView.SelectedItem() == nullptr) {
        return;
    }
    ui::Hourglass wait;
    const QString nutrient = SelectedNutrient();
    SSTab1.setTabCaption(0, QStringLiteral("SOURCE OF ") + nutrient);
    SSTab1.setTabCaption(1, QStringLiteral("INFORMATION ON ") + nutrient);
    switch (HeaderImage(LView.ColumnHeaders(QStringLiteral("d")))) {
        case 1:
            RankFoods(2);
            break;
        case 2:
            RankFoods(1);
            break;
        default:
            ListFoods();
            break;
    }
}

void frmIdxN::ListFoods() {
    FillFoods(sources::Order::ByName);
}

void frmIdxN::RankFoods(quint8 order) {
    // The rows keep the order of the ranking.
    LView.setSorted(false);
    FillFoods(order == 2 ? sources::Order::ValueDescending : sources::Order::ValueAscending);
}

void frmIdxN::FillFoods(foods::NutrientIndex::Order order) {
    LView.ListItems.Clear();
    mFoodsListed = false;
    const QString language = cmbLang.Text();
    const bool translated = foods::Translates(language);
    // The foods listed before an error stay.
    const auto read = [&] {
        db::Recordset rs =
            sources::FoodSources(cmd, SelectedNutrient(), cmbCat.Text(), language, order);
        if (rs.EOF()) {
            LView.ListItems.Add(kNoItems);
        }
        for (; !rs.EOF(); rs.MoveNext()) {
            ui::ListItem& item = LView.ListItems.Add(rs[QStringLiteral("foodname")].text());
            mFoodsListed = true;
            if (translated) {
                item.setSubItems(1, rs[QStringLiteral("foodlangname")].text());
            }
            item.setSubItems(2, rs[QStringLiteral("cname")].text());
            // A row that holds no value shows none.
            const db::Variant value = rs[QStringLiteral("value")];
            item.setSubItems(3, value.IsNull()
                                    ? QString()
                                    : rt::Format(value.toDouble(), QStringLiteral("###0.00")));
            item.setSubItems(4, rs[QStringLiteral("unit_tp")].text());
        }
    };
    frame::readOrTell(*this, QStringLiteral("The foods that carry the nutrient"),
                      QStringLiteral("frmIdxN::FillFoods"), read);
    DispNote();
}

void frmIdxN::DispNote() {
    RchBx.setText(QString());
    const auto read = [this] {
        db::Recordset code;
        code.Open(QStringLiteral("Select nutri_cd from nutri where nname = ?"), cn,
                  {SelectedNutrient()});
        if (code.EOF()) {
            RchBx.setText(kNoInformation);
            return;
        }
        db::Recordset note;
        note.Open(QStringLiteral("Select * from notes where nutri_cd = ?"), cn,
                  {code[QStringLiteral("nutri_cd")]});
        if (note.EOF()) {
            RchBx.setText(kNoInformation);
            return;
        }
        RchBx.setText(note[QStringLiteral("note")].text());
    };
    frame::readOrTell(*this, QStringLiteral("The information on the nutrient"),
                      QStringLiteral("frmIdxN::DispNote"), read);
}

void frmIdxN::RelistForFilter() {
    ui::Hourglass wait;
    switch (HeaderImage(LView.ColumnHeaders(QStringLiteral("d")))) {
        case 2:
            RankFoods(1);
            mSortIcon = 2;
            break;
        case 1:
            RankFoods(2);
            mSortIcon = 1;
            break;
        default:
            ListFoods();
            LView.setSorted(false);
            break;
    }
}

void frmIdxN::cmbCat_Click() {
    RelistForFilter();
}

void frmIdxN::cmbLang_Click() {
    if (mLoading) {
        return;
    }
    RelistForFilter();
}

void frmIdxN::LstView_Click() {
    ClickonListview();
}

void frmIdxN::LstView_ItemClick(ui::ListItem& /*Item*/) {
    ClickonListview();
}

void frmIdxN::LstView_KeyDown(int& KeyCode, int /*Shift*/) {
    if (KeyCode == ui::vbKeyReturn) {
        LstView_Click();
    }
}

void frmIdxN::LstView_ColumnClick(ui::ColumnHeader& ColumnHeader) {
    if (ColumnHeader.Key() == QLatin1String("a")) {
        ui::SortOnColumnClick(LstView, ColumnHeader);
    }
}

void frmIdxN::LView_ColumnClick(ui::ColumnHeader& ColumnHeader) {
    const QString key = ColumnHeader.Key();
    if (key == QLatin1String("d")) {
        // The ranking runs the other way from the column sorted last.
        ui::Hourglass wait;
        ShowOnly(LView, ColumnHeader, mSortIcon);
        LView.setSorted(false);
        if (HeaderImage(ColumnHeader) == 2) {
            RankFoods(2);
            ColumnHeader.setIcon(1);
        } else if (HeaderImage(ColumnHeader) == 1) {
            RankFoods(1);
            ColumnHeader.setIcon(2);
        }
        mSortIcon = HeaderImage(ColumnHeader);
        return;
    }
    if (key == QLatin1String("a") || key == QLatin1String("b") || key == QLatin1String("c") ||
        key == QLatin1String("e")) {
        // Each click reverses the list's direction, whichever text column was sorted before.
        ui::SortOnColumnClick(LView, ColumnHeader);
        mSortIcon = HeaderImage(ColumnHeader);
    }
}

void frmIdxN::LView_DblClick() {
    // The notice that no food carries the nutrient is no food to open.
    const ui::ListItem* food = LView.SelectedItem();
    if (!mFoodsListed || food == nullptr) {
        return;
    }
    frame::openWindowOn(QStringLiteral("frmfdN"), food->Text()).SetFocus();
}

void frmIdxN::cmdExport_Click() {
    listoutput::ExportToHtml(cdlg, LView,
                             QStringLiteral("Source of Nutrient : ") + SelectedNutrient(),
                             QStringLiteral("Language : ") + cmbLang.Text(),
                             QStringLiteral("Category : ") + cmbCat.Text(), QString());
}

void frmIdxN::lbl_Click(int Index) {
    if (Index == 3) {
        ui::host().OpenWithDesktop(ProductPage());
    }
}

void frmIdxN::cmdClose_Click() {
    ui::Unload(*this);
}

void frmIdxN::Form_KeyDown(int& KeyCode, int /*Shift*/) {
    if (KeyCode == ui::vbKeyEscape) {
        ui::Unload(*this);
    }
}
