#include "foods/frmItm.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "db/Recordset.h"
#include "foods/ComposedFood.h"
#include "foods/ComposedFoodForms.h"
#include "foods/FoodId.h"
#include "foods/frmIDt.h"
#include "foods/frmIng.h"
#include "foods/frmOth.h"
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

frmItm::frmItm() {
    setMDIChild(true);
    setCaption(QStringLiteral("Composition"));
    setKeyPreview(true);
    stAB.setTabs(2);
    stAB.setTabCaption(0, QStringLiteral("&ITEM"));
    stAB.setTabCaption(1, QStringLiteral("ITEM &BROWSER"));
    const QStringList captions = {QStringLiteral("I&tems"),
                                  QStringLiteral("I&ngredients"),
                                  QStringLiteral("Item &Name"),
                                  QStringLiteral("C&omment"),
                                  QStringLiteral("Cate&gory"),
                                  QStringLiteral("Save the new item first; then add its "
                                                 "ingredients with the Ingredients button "
                                                 "of the item browser.")};
    for (int i = 0; i <= 5; ++i) {
        lbl[i].setCaption(captions[i]);
    }
    lbl[5].setWordWrap(true);

    LView.ColumnHeaders.Add(-1, QStringLiteral("a"), QStringLiteral("ITEM"), 3069);
    LView.ColumnHeaders.Add(-1, QStringLiteral("b"), QStringLiteral("OWNER"), 1834);
    LView.ColumnHeaders.Add(-1, QStringLiteral("c"), QStringLiteral("CATEGORY"), 2540);
    LstView.ColumnHeaders.Add(-1, QStringLiteral("a"), QStringLiteral("FOOD NAME [english]"), 4833);
    LstView.ColumnHeaders.Add(-1, QStringLiteral("b"), QStringLiteral("QUANTITY"), 1589);
    LstView.ColumnHeaders.Add(-1, QStringLiteral("c"), QStringLiteral("UNIT"), 2187);
    for (ui::ListView* list : {&LView, &LstView}) {
        list->setColumnHeaderIcons(&ImgLst);
        list->ColumnHeaders(QStringLiteral("a")).setIcon("down");
    }
    txtFood.setLocked(true);
    txtFood.setBorderStyle(0);
    txtFood.setTabStop(false);
    cmbCat.setStyle(ui::vbComboDropdownList);
    cmdIng.setCaption(QStringLiteral("Ing&redients"));
    cmdDel.setCaption(QStringLiteral("&Delete"));
    cmdDetail.setCaption(QStringLiteral("&Edit"));
    cmdMerge.setCaption(QStringLiteral("Depend&ant(s)"));
    cmdExport.setCaption(QStringLiteral("E&xport"));
    cmdInsert.setCaption(QStringLiteral("&Save"));
    cmdCancel.setCaption(QStringLiteral("&Clear"));
    Command1.setCaption(QStringLiteral("Cl&ose"));
    Command2.setCaption(QStringLiteral("Command2"));

    LView.Click = [this] { LView_Click(); };
    LView.ItemClick = [this](ui::ListItem&) { LView_Click(); };
    LView.KeyDown = [this](int& KeyCode, int Shift) { LView_KeyDown(KeyCode, Shift); };
    LView.DblClick = [this] { cmdIng_Click(); };
    LView.ColumnClick = [this](ui::ColumnHeader& header) { LView_ColumnClick(header); };
    LstView.ColumnClick = [this](ui::ColumnHeader& header) { LstView_ColumnClick(header); };
    cmdDel.Click = [this] { cmdDel_Click(); };
    cmdDetail.Click = [this] { cmdDetail_Click(); };
    cmdIng.Click = [this] { cmdIng_Click(); };
    cmdMerge.Click = [this] { cmdMerge_Click(); };
    cmdExport.Click = [this] { cmdExport_Click(); };
    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this] { Command2_Click(); };
    cmdInsert.Click = [this] { cmdInsert_Click(); };
    cmdCancel.Click = [this] { cmdCancel_Click(); };
    txtName.LostFocus = [this] { txtName_LostFocus(); };

    // "&ITEM": the entry of a new composed food.
    auto* entry = new QGridLayout(stAB.page(0));
    entry->addWidget(lbl[2].widget(), 0, 0);
    entry->addWidget(txtName.widget(), 0, 1, 1, 2);
    entry->addWidget(lbl[3].widget(), 1, 0);
    entry->addWidget(txtComment.widget(), 1, 1, 1, 2);
    entry->addWidget(lbl[4].widget(), 2, 0);
    entry->addWidget(cmbCat.widget(), 2, 1, 1, 2);
    auto* entryButtons = new QHBoxLayout;
    entryButtons->addStretch(1);
    entryButtons->addWidget(cmdInsert.widget());
    entryButtons->addWidget(cmdCancel.widget());
    entry->addLayout(entryButtons, 3, 1, 1, 2);
    (new QVBoxLayout(Frame1.container()))->addWidget(lbl[5].widget());
    entry->addWidget(Frame1.widget(), 4, 0, 1, 3);
    entry->setColumnStretch(1, 1);
    entry->setRowStretch(5, 1);

    // "ITEM &BROWSER": the catalogue and the ingredients of its selected line.
    auto* lists = new QVBoxLayout;
    lists->addWidget(lbl[0].widget());
    lists->addWidget(LView.widget(), 3);
    lists->addWidget(lbl[1].widget());
    lists->addWidget(txtFood.widget());
    lists->addWidget(LstView.widget(), 2);
    auto* browserButtons = new QVBoxLayout;
    for (ui::CommandButton* button : {&cmdIng, &cmdDetail, &cmdDel, &cmdMerge, &cmdExport}) {
        browserButtons->addWidget(button->widget());
    }
    browserButtons->addStretch(1);
    auto* browser = new QHBoxLayout(stAB.page(1));
    browser->addLayout(lists, 1);
    browser->addLayout(browserButtons);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(Command2.widget());
    bottom->addStretch(1);
    bottom->addWidget(Command1.widget());
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(stAB.widget(), 1);
    layout->addLayout(bottom);
    setWidth(11400);
    setHeight(8400);
    stAB.setTab(1);
}

int frmItm::SelectedFoodId() const {
    const ui::ListItem* item = LView.SelectedItem();
    return item != nullptr ? item->Tag().toInt() : -1;
}

QString frmItm::SelectedFoodName() const {
    const ui::ListItem* item = LView.SelectedItem();
    return item != nullptr ? item->Text() : QString();
}

QString frmItm::SelectedOwner() const {
    const ui::ListItem* item = LView.SelectedItem();
    return item != nullptr ? item->SubItems(1) : QString();
}

void frmItm::Form_Load() {
    CenterForm(frmMain::instance(), *this);
    DispItemList();
    DispCatList();
    Command2.setVisible(false);
    Command2.setEnabled(false);
}

void frmItm::Form_KeyDown(int& KeyCode, int /*Shift*/) {
    if (KeyCode == ui::vbKeyEscape) {
        ui::Unload(*this);
    }
}

void frmItm::DispItemList() {
    LView.ListItems.Clear();
    // The lines listed before an error stay.
    const auto read = [this] {
        // The food with id 1 is never a composed food of this list.
        db::Recordset rs;
        rs.Open(QStringLiteral("SELECT food.foodid, food.foodname, food.PrimeOrNot, cat.cname "
                               "FROM (SELECT DISTINCT itemid FROM item WHERE itemid <> 1) AS c "
                               "JOIN food ON food.foodid = c.itemid "
                               "JOIN cat ON cat.cid = food.cid ORDER BY c.itemid"),
                cn);
        for (; !rs.EOF(); rs.MoveNext()) {
            ui::ListItem& line = LView.ListItems.Add(rs[1].text());
            line.setSubItems(1, foods::OwnerText(rs[2].text()));
            line.setSubItems(2, rs[3].text());
            line.setTag(rs[0].text());
        }
    };
    frame::readOrTell(*this, QStringLiteral("The list of composed foods"),
                      QStringLiteral("frmItm::DispItemList"), read);
    // The ingredients shown are always those of the selected line (the first after a refill).
    ListRef();
    txtFood.setText(QStringLiteral("Item : ") + SelectedFoodName());
}

void frmItm::ListRef() {
    LstView.ListItems.Clear();
    const int id = SelectedFoodId();
    if (id < 0) {
        return;
    }
    const auto read = [this, id] {
        // The placeholder row and a row whose food is gone show no line; a unit that is gone
        // leaves UNIT empty.
        db::Recordset rs;
        rs.Open(QStringLiteral("SELECT food.foodname, item.qty, unit.UnitName FROM item "
                               "JOIN food ON food.foodid = item.foodid "
                               "LEFT JOIN unit ON unit.unitid = item.unitid "
                               "WHERE item.itemid = ? ORDER BY item.srl_no, item.rowid"),
                cn, {id});
        for (; !rs.EOF(); rs.MoveNext()) {
            ui::ListItem& line = LstView.ListItems.Add(rs[0].text());
            line.setSubItems(1, rs[1].text());
            line.setSubItems(2, rs[2].text());
        }
    };
    frame::readOrTell(*this, QStringLiteral("The ingredients of the food"),
                      QStringLiteral("frmItm::ListRef"), read);
}

void frmItm::LView_Click() {
    ui::Hourglass wait;
    ListRef();
    txtFood.setText(QStringLiteral("Item : ") + SelectedFoodName());
}

void frmItm::LView_KeyDown(int& KeyCode, int /*Shift*/) {
    if (KeyCode == ui::vbKeyReturn) {
        LView_Click();
    }
}

void frmItm::LView_ColumnClick(ui::ColumnHeader& ColumnHeader) {
    ui::SortOnColumnClick(LView, ColumnHeader);
}

void frmItm::LstView_ColumnClick(ui::ColumnHeader& ColumnHeader) {
    // Only the food names sort.
    if (ColumnHeader.Key() == QLatin1String("a")) {
        ui::SortOnColumnClick(LstView, ColumnHeader);
    }
}

bool frmItm::UserLineSelected(const QString& refusal) {
    if (SelectedFoodId() < 0) {
        return false;
    }
    if (SelectedOwner() != QLatin1String("User")) {
        ui::MsgBox(refusal, ui::vbOKOnly | ui::vbInformation, QStringLiteral("Kelvora"));
        return false;
    }
    return true;
}

void frmItm::cmdDel_Click() {
    // Only the user's own foods can go.
    if (!UserLineSelected(QStringLiteral("System items cannot delete."))) {
        return;
    }
    const int id = SelectedFoodId();
    // The dependants window reads the mode when it loads, which the question below does.
    OthDelete = true;
    const std::optional<bool> needed = frmOth::instance().DispNeedFood();
    if (!needed) {
        // Whether dishes use the food is not known: it stays.
        ui::Unload<frmOth>();
        OthDelete = false;
        return;
    }
    if (*needed) {
        frmOth::instance().Show(ui::vbModal);
        DispItemList();
        return;
    }
    ui::Unload<frmOth>();
    OthDelete = false;
    if (ui::MsgBox(QStringLiteral("Do you want to remove this fooditem?"),
                   ui::vbYesNo | ui::vbQuestion, QStringLiteral("Kelvora")) != ui::vbYes) {
        return;
    }
    foods::WriteAtOnce(QStringLiteral("The food was not removed."),
                       QStringLiteral("frmItm::cmdDel_Click"),
                       [id](foods::ComposedFoods& store) { store.removeUserFood(id); });
    DispItemList();
}

void frmItm::cmdDetail_Click() {
    if (!UserLineSelected(QStringLiteral("Sysem item is not editable."))) {
        return;
    }
    ui::Hourglass wait;
    setTag(SelectedFoodName());
    TagFoodId = SelectedFoodId();
    frmIDt::instance().Show();
}

void frmItm::cmdIng_Click() {
    if (!UserLineSelected(QStringLiteral("System item can not editable"))) {
        return;
    }
    ui::Hourglass wait;
    ComposedFood = SelectedFoodName();
    frmIng::instance().Show(ui::vbModal);
}

void frmItm::cmdMerge_Click() {
    if (SelectedFoodId() < 0) {
        return;
    }
    OthDelete = false;
    frmOth::instance().Show(ui::vbModal);
}

void frmItm::cmdExport_Click() {
    listoutput::ExportToHtml(cdlg, LView, QStringLiteral("Members"));
}

void frmItm::Command1_Click() {
    ui::Unload(*this);
}

void frmItm::Command2_Click() {
    updateFoodValuesper100gms();
}

void frmItm::updateFoodValuesper100gms() {
    foods::WriteAtOnce(QStringLiteral("The composed foods were not recomputed."),
                       QStringLiteral("frmItm::updateFoodValuesper100gms"),
                       [](foods::ComposedFoods& store) { store.rebuildAll(); });
}

// ---- the "&ITEM" tab: a new composed food

void frmItm::DispCatList() {
    cmbCat.Clear();
    cmbCat.AddItem(QStringLiteral("READY FOOD"));
    cmbCat.setListIndex(0);
    foods::AddFoodCategories(cmbCat);
    cmbCat.setListIndex(0);
}

void frmItm::NextFoodId() {
    NewFoodId = foods::FreshFoodId(cn);
}

void frmItm::Numb() {
    db::Recordset rs;
    rs.Open(QStringLiteral("SELECT cid FROM cat WHERE cname = ?"), cn, {cmbCat.Text()});
    NewFoodCid = rs[QStringLiteral("cid")].toInt();
}

void frmItm::cmdInsert_Click() {
    const QString name = rt::Trim(txtName.Text());
    if (cmbCat.Text().isEmpty() || name.isEmpty()) {
        ui::MsgBox(QStringLiteral("EMPTY"));
        return;
    }
    if (name.contains(QLatin1Char('\'')) || txtComment.Text().contains(QLatin1Char('\''))) {
        ui::MsgBox(QStringLiteral("Do not enter '"));
        return;
    }
    int namesake = -1;
    if (!frame::readOrRefuse(QStringLiteral("The names of the foods"),
                             QStringLiteral("frmItm::cmdInsert_Click"),
                             [&] { namesake = foods::FoodIdByName(name); })) {
        return;
    }
    if (namesake >= 0) {
        ui::MsgBox(QStringLiteral("THIS FOOD IS ALREADY EXIST."), ui::vbOKOnly | ui::vbInformation,
                   QStringLiteral("Kelvora"));
        return;
    }
    const bool created = foods::WriteAtOnce(
        QStringLiteral("The food was not saved."), QStringLiteral("frmItm::cmdInsert_Click"),
        [&](foods::ComposedFoods& store) {
            NextFoodId();
            Numb();
            store.create(NewFoodId, NewFoodCid, name, txtComment.Text());
        });
    if (!created) {
        return;
    }
    if (ui::MsgBox(QStringLiteral("Do you want to enter Ingredients now."),
                   ui::vbYesNo | ui::vbInformation, QStringLiteral("Kelvora")) == ui::vbYes) {
        ComposedFood = name;
        frmIng::instance().Show(ui::vbModal);
    }
    DispItemList();
    cmdCancel_Click();
}

void frmItm::cmdCancel_Click() {
    DispCatList();
    txtName.setText(QString());
    txtComment.setText(QString());
    // With another tab in front the name box waits there.
    frame::passOver(QStringLiteral("frmItm::cmdCancel_Click"), [this] { txtName.SetFocus(); });
}

void frmItm::txtName_LostFocus() {
    txtName.setText(rt::Trim(txtName.Text()));
}
