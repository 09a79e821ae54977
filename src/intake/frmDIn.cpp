#include "intake/frmDIn.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHash>
#include <QVBoxLayout>
#include <bit>
#include <optional>

#include "db/Recordset.h"
#include "foods/FoodList.h"
#include "frame/ErrorHandler.h"
#include "frame/core.h"
#include "frame/frmMain.h"
#include "intake/DiaryEntry.h"
#include "intake/DiarySql.h"
#include "intake/IntakeLinks.h"
#include "listoutput/ExportButton.h"
#include "runtime/App.h"
#include "runtime/Convert.h"
#include "runtime/Error.h"
#include "ui/ColumnSort.h"
#include "ui/Constants.h"
#include "ui/Host.h"

using namespace core;

namespace {

const QString kNoMember = QStringLiteral("-");

// The keys of the diary's headers.
const QString kDateKey = QStringLiteral("a");
const QString kFoodKey = QStringLiteral("b");
const QString kTranslationKey = QStringLiteral("c");
const QString kQuantityKey = QStringLiteral("d");
const QString kUnitKey = QStringLiteral("e");

void Warn(const QString& message) {
    ui::MsgBox(message, ui::vbOKOnly | ui::vbExclamation);
}

// A cell of a row by the column's sub-item (0 is the row's text).
void SetCell(ui::ListItem& row, int column, const QString& text) {
    if (column == 0) {
        row.setText(text);
    } else {
        row.setSubItems(column, text);
    }
}

const QString& Cell(const ui::ListItem& row, int column) {
    return column == 0 ? row.Text() : row.SubItems(column);
}

}  // namespace

frmDIn::frmDIn() : foods::UnitCallerWindow(QStringLiteral("IntakeOn")) {
    setMDIChild(true);
    setCaption(QStringLiteral("Intakes"));
    setKeyPreview(true);

    const QStringList captions = {
        QStringLiteral("&Person"),
        QStringLiteral("D&ate"),
        QStringLiteral("(dd/mm/yyyy)"),
        QStringLiteral("F&ood"),
        QStringLiteral("(Select from the list only)"),
        QStringLiteral("&Quantity"),
        QStringLiteral("&Unit"),
        QStringLiteral("Cate&gory"),
        QStringLiteral("&Language"),
        QStringLiteral("&Foods"),
        QStringLiteral("&Intakes"),
    };
    for (int i = 0; i <= 10; ++i) {
        lbl[i].setCaption(captions[i]);
    }
    for (ui::ComboBox* combo : {&cmbUser, &cmbUnit, &cmbCat, &cmbLang}) {
        combo->setStyle(2);
    }
    DTP.setFormat(ui::dtpCustom);
    DTP.setCustomFormat(QStringLiteral("dd-MM-yyyy"));
    // The food always comes from the food list.
    txtFood.setLocked(true);
    cmdUnit.setCaption(QStringLiteral("Unit"));
    cmdAdd.setCaption(QStringLiteral("&Save"));
    cmdCancel.setCaption(QStringLiteral("Rese&t"));
    cmdClose.setCaption(QStringLiteral("&Close"));
    cmdDelete.setCaption(QStringLiteral("&Delete"));
    cmdExport.setCaption(QStringLiteral("E&xport"));

    LView.ColumnHeaders.Add(-1, QStringLiteral("a"), QStringLiteral("FOOD"), 5715);
    LView.ColumnHeaders.Add(-1, QStringLiteral("b"), QStringLiteral("TRANSLATION"), 2540);
    LView.ColumnHeaders.Add(-1, QStringLiteral("c"), QStringLiteral("CATEGORY"), 2540);
    LView.setColumnHeaderIcons(&ImgLst);
    LView.ColumnHeaders(QStringLiteral("a")).setIcon(2);
    // The list is in the order its FOOD icon shows from the start.
    LView.setSorted(true);

    LstView.ColumnHeaders.Add(-1, kDateKey, QStringLiteral("DATE"), 2540);
    LstView.ColumnHeaders.Add(-1, kFoodKey, QStringLiteral("FOOD"), 4304);
    LstView.ColumnHeaders.Add(-1, kTranslationKey, QStringLiteral("TRANSLATION"), 4304);
    LstView.ColumnHeaders.Add(-1, kQuantityKey, QStringLiteral("QUANTITY"), 1482);
    LstView.ColumnHeaders.Add(-1, kUnitKey, QStringLiteral("UNIT"), 2011);
    LstView.setColumnHeaderIcons(&ImgLst);
    LstView.ColumnHeaders(kDateKey).setIcon(2);

    cmbCat.Click = [this] { cmbCat_Click(); };
    cmbLang.Click = [this] { cmbLang_Click(); };
    cmbUser.Click = [this] { cmbUser_Click(); };
    cmdAdd.Click = [this] { cmdAdd_Click(); };
    cmdCancel.Click = [this] { cmdCancel_Click(); };
    cmdDelete.Click = [this] { cmdDelete_Click(); };
    cmdExport.Click = [this] { cmdExport_Click(); };
    cmdUnit.Click = [this] { cmdUnit_Click(); };
    cmdClose.Click = [this] { cmdClose_Click(); };
    LstView.ColumnClick = [this](ui::ColumnHeader& header) { LstView_ColumnClick(header); };
    LView.ColumnClick = [this](ui::ColumnHeader& header) { LView_ColumnClick(header); };
    // A click on a row fires ItemClick and Click; both pick the selected food.
    LView.ItemClick = [this](ui::ListItem&) { LView_Click(); };
    LView.Click = [this] { LView_Click(); };
    LView.KeyDown = [this](int& KeyCode, int Shift) { LView_KeyDown(KeyCode, Shift); };
    txtQuan.LostFocus = [this] { txtQuan_LostFocus(); };

    // The entry: member and day, then the food with its amount and unit.
    auto* entry = new QGridLayout;
    entry->addWidget(lbl[0].widget(), 0, 0);
    entry->addWidget(cmbUser.widget(), 0, 1);
    entry->addWidget(lbl[1].widget(), 0, 2);
    entry->addWidget(DTP.widget(), 0, 3);
    entry->addWidget(lbl[2].widget(), 0, 4, 1, 2);
    entry->addWidget(lbl[3].widget(), 1, 0);
    entry->addWidget(txtFood.widget(), 1, 1, 1, 3);
    entry->addWidget(lbl[4].widget(), 1, 4, 1, 2);
    entry->addWidget(lbl[5].widget(), 2, 0);
    entry->addWidget(txtQuan.widget(), 2, 1);
    entry->addWidget(lbl[6].widget(), 2, 2);
    entry->addWidget(cmbUnit.widget(), 2, 3);
    entry->addWidget(cmdUnit.widget(), 2, 4);
    entry->setColumnStretch(1, 2);
    entry->setColumnStretch(3, 2);
    entry->setColumnStretch(5, 1);
    auto* save = new QVBoxLayout;
    save->addWidget(cmdAdd.widget());
    save->addWidget(cmdCancel.widget());
    save->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addLayout(entry, 1);
    top->addSpacing(12);
    top->addLayout(save);

    auto* filter = new QHBoxLayout;
    filter->addWidget(lbl[9].widget());
    filter->addStretch(1);
    filter->addWidget(lbl[7].widget());
    filter->addWidget(cmbCat.widget(), 1);
    filter->addWidget(lbl[8].widget());
    filter->addWidget(cmbLang.widget(), 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdDelete.widget());
    buttons->addWidget(cmdExport.widget());
    buttons->addStretch(1);
    buttons->addWidget(cmdClose.widget());

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(filter);
    layout->addWidget(LView.widget(), 2);
    layout->addWidget(lbl[10].widget());
    layout->addWidget(LstView.widget(), 3);
    layout->addLayout(buttons);
    setWidth(12600);
    setHeight(8700);
}

// ---- filling the lists -----------------------------------------------------------------------

void frmDIn::Form_Load() {
    ui::Hourglass wait;
    CheckRegistry();
    CenterForm(frmMain::instance(), *this);
    DispCat();
    // Choosing the stored language lists the foods of the stored category in it.
    DispLan();
    UsInfo();
    TodayInPicker();
    ui::DoEvents();
    if (LView.ListItems.Count() > 0) {
        LView.setSelectedItem(&LView.ListItems(1));
        UnitsOfPickedFood();
    }
}

void frmDIn::UsInfo() {
    // After a failed read the stored member stays the first entry.
    frame::readOrTell(*this, QStringLiteral("The list of members"),
                      QStringLiteral("frmDIn::UsInfo"), [this] { ListMembers(cmbUser); });
    if (cmbUser.Text() == kNoMember) {
        cmdDelete.setEnabled(false);
    }
}

void frmDIn::DispCat() {
    ListCategories(cmbCat);
}

void frmDIn::DispLan() {
    ListLanguages(cmbLang);
}

void frmDIn::DispFoodNames() {
    foods::FillFoodList(LView, cmbCat.Text(), cmbLang.Text());
    KeepPickedFood();
}

void frmDIn::KeepPickedFood() {
    // Save stores the food in the box: it is never one the list no longer shows as picked.
    if (!foods::KeepPickedFood(LView, txtFood.Text())) {
        txtFood.setText(QString());
        QString none;
        Unitcombo(none);
    }
}

void frmDIn::Unitcombo(QString& food) {
    foods::FillUnitCombo(cmbUnit, food);
}

void frmDIn::UnitsOfPickedFood() {
    if (LView.SelectedItem() != nullptr) {
        QString food = SelectedFood();
        Unitcombo(food);
    }
}

// ---- the diary list ---------------------------------------------------------------------------

void frmDIn::UserIntakes() {
    // DATE and QUANTITY are ordered by the data file, the text columns by the list itself.
    const SortedHeader sorted = FindSortedColumn();
    const QString& key = sorted.header->Key();
    QString order;
    if (key == kDateKey) {
        order = QStringLiteral(" ORDER BY %1 %2, dayin.rowid")
                    .arg(intake::DiarySql::dayKey(),
                         sorted.icon == 1 ? QStringLiteral("DESC") : QStringLiteral("ASC"));
    } else if (key == kQuantityKey) {
        order = QuantityOrder(sorted.icon);
    }
    if (!frame::readOrTell(*this, QStringLiteral("The member's diary"),
                           QStringLiteral("frmDIn::UserIntakes"),
                           [&] { ReadDiary(order, false); })) {
        return;
    }
    cmdDelete.setEnabled(LstView.ListItems.Count() > 0);
    if (key != kDateKey && key != kQuantityKey) {
        // The list keeps its own direction.
        LstView.setSorted(true);
        LstView.setSortKey(sorted.header->SubItemIndex());
    }
}

void frmDIn::ReadDiary(const QString& order, bool keepListWhenEmpty) {
    const QString language = cmbLang.Text();
    const qint32 member = MemberId(cmbUser);
    QString sql;
    db::Params params{member};
    if (language == foods::kEnglish) {
        sql = QStringLiteral("SELECT dayin.* FROM dayin WHERE dayin.uid = ?");
    } else {
        sql = QStringLiteral(
                  "SELECT dayin.*, lang.foodlangname FROM dayin, lang, langcat "
                  "WHERE dayin.uid = ? "
                  "AND lang.foodid = %1 AND langcat.langname = ? "
                  "AND lang.langid = langcat.langid")
                  .arg(intake::DiarySql::foodOf());
        params.push_back(language);
    }
    db::Recordset rs;
    rs.Open(sql + order, cn, params);
    if (rs.EOF()) {
        if (!keepListWhenEmpty) {
            LstView.ListItems.Clear();
        }
        return;
    }
    LstView.ListItems.Clear();
    // Every row read is the member's.
    AddDiaryRows(rs, QString::number(member));
}

frmDIn::DiaryColumns frmDIn::Columns() const {
    const auto at = [this](const QString& key) {
        return LstView.ColumnHeaders(key).SubItemIndex();
    };
    return {at(kDateKey), at(kFoodKey), at(kTranslationKey), at(kQuantityKey), at(kUnitKey)};
}

void frmDIn::AddDiaryRows(db::Recordset& rs, const QString& member) {
    const DiaryColumns at = Columns();
    const db::Field day = rs.Fields("idate");
    const db::Field food = rs.Fields("foodname");
    const db::Field quantity = rs.Fields("quantity");
    const db::Field unit = rs.Fields("unit");
    std::optional<db::Field> translation;
    if (cmbLang.Text() != foods::kEnglish) {
        translation.emplace(rs.Fields("foodlangname"));
    }
    // Amounts repeat in a diary: each text is made once and shared by the rows that show it.
    QHash<quint64, QString> amounts;
    while (!rs.EOF()) {
        // A row is placed in a sorted list by its text as it is added.
        const QString dayText = day.Value().text();
        ui::ListItem& item = LstView.ListItems.Add(at.date == 0 ? dayText : QString());
        if (at.date != 0) {
            SetCell(item, at.date, dayText);
        }
        // Delete removes the row of the member it was read for.
        item.setTag(member);
        SetCell(item, at.food, food.Value().text());
        if (translation) {
            SetCell(item, at.translation, translation->Value().text());
        }
        const db::Variant amount = quantity.Value();
        if (amount.type() == db::Variant::Type::Double) {
            const auto bits = std::bit_cast<quint64>(amount.doubleValue());
            auto it = amounts.constFind(bits);
            if (it == amounts.constEnd()) {
                it = amounts.insert(bits, amount.text());
            }
            SetCell(item, at.quantity, *it);
        } else {
            SetCell(item, at.quantity, amount.text());
        }
        SetCell(item, at.unit, unit.Value().text());
        rs.MoveNext();
    }
}

QString frmDIn::QuantityOrder(int icon) {
    return icon == 2 ? QStringLiteral(" ORDER BY dayin.quantity ASC")
                     : QStringLiteral(" ORDER BY dayin.quantity DESC");
}

void frmDIn::ReadByQuantity() {
    const QString order = QuantityOrder(LstView.ColumnHeaders(kQuantityKey).Icon().toInt());
    if (!frame::readOrTell(*this, QStringLiteral("The member's diary"),
                           QStringLiteral("frmDIn::ReadByQuantity"),
                           [&] { ReadDiary(order, true); })) {
        return;
    }
    cmdDelete.setEnabled(LstView.ListItems.Count() > 0);
}

frmDIn::SortedHeader frmDIn::FindSortedColumn() const {
    for (int i = 1; i <= LstView.ColumnHeaders.Count(); ++i) {
        const ui::ColumnHeader& header = LstView.ColumnHeaders(i);
        if (const int icon = header.Icon().toInt(); icon != 0) {
            return {&header, icon};
        }
    }
    return {&LstView.ColumnHeaders(kDateKey), 2};
}

// The icon reverses the direction it showed before the click, whichever header is clicked.
void frmDIn::LstView_ColumnClick(ui::ColumnHeader& ColumnHeader) {
    // The diary's reads tell their own failures; anything else leaves the icons and rows as
    // far as they got.
    frame::passOver(QStringLiteral("frmDIn::LstView_ColumnClick"), [&] {
        LstView.setSorted(true);
        const int before = FindSortedColumn().icon;
        for (int i = 1; i <= LstView.ColumnHeaders.Count(); ++i) {
            LstView.ColumnHeaders(i).setIcon(0);
        }
        ColumnHeader.setIcon(before == 1 ? 2 : 1);
        const QString key = ColumnHeader.Key();
        if (key == kDateKey) {
            LstView.setSorted(false);
            UserIntakes();
            return;
        }
        if (key == kQuantityKey) {
            LstView.setSorted(false);
            ReadByQuantity();
            return;
        }
        LstView.setSortKey(ColumnHeader.SubItemIndex());
        LstView.setSortOrder(LstView.SortOrder() == ui::lvwAscending ? ui::lvwDescending
                                                                     : ui::lvwAscending);
    });
}

// ---- the food list ---------------------------------------------------------------------------

void frmDIn::LView_ColumnClick(ui::ColumnHeader& ColumnHeader) {
    ui::SortOnColumnClick(LView, ColumnHeader);
}

QString frmDIn::SelectedFood() const {
    const ui::ListItem* item = LView.SelectedItem();
    return item != nullptr ? item->Text() : QString();
}

void frmDIn::LView_Click() {
    if (LView.SelectedItem() != nullptr) {
        txtFood.setText(SelectedFood());
        UnitsOfPickedFood();
    }
}

void frmDIn::LView_KeyDown(int& KeyCode, int /*Shift*/) {
    if (KeyCode == ui::vbKeyReturn && LView.SelectedItem() != nullptr) {
        txtFood.setText(SelectedFood());
    }
}

void frmDIn::txtQuan_LostFocus() {
    const QString text = rt::Trim(txtQuan.Text());
    try {
        txtQuan.setText(rt::Format(rt::CDbl(text), QStringLiteral("00000.00")));
    } catch (const rt::Error& error) {
        // Empty text and text that is no number stay as typed.
        txtQuan.setText(text);
        if (error.Number() == rt::err::Overflow) {
            Warn(QStringLiteral("Too big number, enter between 0 and 30000"));
            txtQuan.SetFocus();
        }
    }
}

// ---- the entry -------------------------------------------------------------------------------

void frmDIn::TodayInPicker() {
    DTP.setValue(QDate::currentDate());
}

void frmDIn::cmbCat_Click() {
    ui::Hourglass wait;
    DispFoodNames();
}

void frmDIn::cmbLang_Click() {
    ui::Hourglass wait;
    DispFoodNames();
    if (cmbUser.ListCount() == 0) {
        // The window is loading: choosing the first member, next, lists that member's diary.
        cmdDelete.setEnabled(false);
        return;
    }
    UserIntakes();
}

void frmDIn::cmbUser_Click() {
    ui::Hourglass wait;
    TodayInPicker();
    txtQuan.setText(QString());
    if (cmbUser.Text() == kNoMember) {
        cmdDelete.setEnabled(false);
        LstView.ListItems.Clear();
        UnitsOfPickedFood();
        return;
    }
    UnitsOfPickedFood();
    cmdAdd.setEnabled(true);
    cmdCancel.setEnabled(true);
    UserIntakes();
}

void frmDIn::cmdAdd_Click() {
    ui::Hourglass wait;
    intake::DiaryEntry entry{std::nullopt, DTP.Value(), txtFood.Text(), txtQuan.Text(),
                             cmbUnit.Text()};
    if (cmbUser.Text() != kNoMember) {
        entry.member = MemberId(cmbUser);
    }
    using Outcome = intake::DiarySave::Outcome;
    const intake::DiarySave::Result result = intake::DiarySave::Save(cn, entry);
    const QString unsaved = QStringLiteral("The intake could not be saved: ");
    switch (result.outcome) {
        case Outcome::Saved:
            UserIntakes();
            cmdCancel_Click();
            return;
        case Outcome::NoMember:
            return Warn(QStringLiteral("No user selected"));
        case Outcome::Apostrophe:
            return Warn(QStringLiteral("Do not enter '"));
        case Outcome::FieldsEmpty:
            return Warn(QStringLiteral("Some fields are empty"));
        case Outcome::UnknownMember:
            return Warn(unsaved + QStringLiteral("the member '%1' is no longer in the register.")
                                      .arg(cmbUser.Text()));
        case Outcome::UnknownUnit:
            return Warn(unsaved + QStringLiteral("the unit '%1' is not defined for '%2'.")
                                      .arg(entry.unit, entry.food));
        case Outcome::Duplicate:
            return Warn(QStringLiteral("Duplicate record"));
        case Outcome::Failed:
            return frame::tellWriteFailure(unsaved, *result.error,
                                           QStringLiteral("frmDIn::cmdAdd_Click"));
    }
}

void frmDIn::cmdCancel_Click() {
    TodayInPicker();
    txtFood.setText(QString());
    txtQuan.setText(QString());
    UnitsOfPickedFood();
    if (LstView.ListItems.Count() > 0) {
        cmdDelete.setEnabled(true);
    }
}

void frmDIn::cmdDelete_Click() {
    if (ui::MsgBox(QStringLiteral("Do you want to delete ?"), ui::vbYesNo | ui::vbQuestion,
                   QStringLiteral("Kelvora")) != ui::vbYes) {
        return;
    }
    ui::Hourglass wait;
    const ui::ListItem* row = LstView.SelectedItem();
    if (row == nullptr) {
        return;
    }
    const DiaryColumns at = Columns();
    try {
        cn.Execute(QStringLiteral("DELETE FROM dayin WHERE uid = ? AND idate = ? AND foodname = ?"),
                   {row->Tag(), Cell(*row, at.date), Cell(*row, at.food)});
    } catch (const rt::Error& error) {
        frame::tellWriteFailure(QStringLiteral("The intake could not be deleted: "), error,
                                QStringLiteral("frmDIn::cmdDelete_Click"));
        return;
    }
    UserIntakes();
}

void frmDIn::cmdExport_Click() {
    listoutput::ExportToHtml(cdlg, LstView, QStringLiteral("Daily Intakes"),
                             QStringLiteral("User : ") + cmbUser.Text());
}

// No hourglass here: it would stay over the units window for as long as that is open.
void frmDIn::cmdUnit_Click() {
    foods::ShowUnits(*this);
}

void frmDIn::cmdClose_Click() {
    ui::Unload(*this);
}

void frmDIn::Form_KeyDown(int& KeyCode, int /*Shift*/) {
    if (KeyCode == ui::vbKeyEscape) {
        ui::Unload(*this);
    } else if (KeyCode == ui::vbKeyF2) {
        cmbUser.SetFocus();
    }
}
