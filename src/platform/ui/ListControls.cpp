#include "ui/ListControls.h"

#include <QAbstractItemModel>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>
#include <QtDebug>
#include <algorithm>

#include "ui/ControlSupport.h"
#include "ui/Form.h"
#include "ui/FormDetail.h"

namespace ui {

// ---- ListControl -----------------------------------------------------------------------------

ListControl::ListControl(Form* form, const QString& name, int index) : Control(form, name, index) {}

void ListControl::attachList(QWidget* widget, QAbstractItemModel* model) {
    model_ = model;
    attach(widget);
}

void ListControl::checkIndex(int index, bool allowMinusOne) const {
    if ((index == -1 && allowMinusOne) || (index >= 0 && index < ListCount())) {
        return;
    }
    detail::invalidValue();
}

void ListControl::Clear() {
    clearEntries();
    newIndex_ = -1;
}

void ListControl::AddItem(const QString& text, int index) {
    if (index < -1 || index > ListCount()) {
        detail::invalidValue();
    }
    const int place = index == -1 ? ListCount() : index;
    insertEntry(place, text);
    newIndex_ = place;
}

QString ListControl::List(int index) const {
    if (index < 0 || index >= ListCount()) {
        return {};
    }
    return model_->index(index, 0).data(Qt::DisplayRole).toString();
}

int ListControl::ListCount() const {
    return model_->rowCount();
}

void ListControl::setListIndex(int index) {
    checkIndex(index, true);
    selectQuietly(index);
    if (index >= 0) {
        fire(Click);
    }
}

qint32 ListControl::ItemData(int index) const {
    checkIndex(index, false);
    return model_->index(index, 0).data(Qt::UserRole).toInt();
}

void ListControl::setItemData(int index, qint32 value) {
    checkIndex(index, false);
    model_->setData(model_->index(index, 0), value, Qt::UserRole);
}

int ListControl::findText(const QString& text) const {
    for (int i = 0; i < ListCount(); ++i) {
        if (QString::compare(List(i), text, Qt::CaseInsensitive) == 0) {
            return i;
        }
    }
    return -1;
}

bool ListControl::chooseEntry(int index) {
    if (!detail::isAlive(this) || index < 0 || index >= ListCount()) {
        qWarning("ui: %s has no entry %d", qUtf8Printable(Name()), index);
        return false;
    }
    selectQuietly(index);
    fire(Click);
    return true;
}

bool ListControl::moveChoiceByKey(int keyCode, bool homeAndEnd) {
    const int count = ListCount();
    int target = 0;
    switch (keyCode) {
        case vbKeyUp:
            target = std::max(0, ListIndex() - 1);
            break;
        case vbKeyDown:
            target = std::min(count - 1, ListIndex() + 1);
            break;
        case vbKeyHome:
            if (!homeAndEnd) {
                return false;
            }
            target = 0;
            break;
        case vbKeyEnd:
            if (!homeAndEnd) {
                return false;
            }
            target = count - 1;
            break;
        default:
            return false;
    }
    if (count > 0 && target >= 0 && target != ListIndex()) {
        selectQuietly(target);
        fire(Click);
    }
    return true;
}

// ---- ComboBox --------------------------------------------------------------------------------

ComboBox::ComboBox(Form* form, const QString& name, int index) : ListControl(form, name, index) {
    auto* combo = new QComboBox(form);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    QObject::connect(combo, &QComboBox::activated, combo, [this](int) { qtClick(Click); });
    attachList(combo, combo->model());
    setStyle(vbComboDropdown);
}

QComboBox* ComboBox::comboBox() const {
    return static_cast<QComboBox*>(widget());
}

void ComboBox::setStyle(int style) {
    if (style < vbComboDropdown || style > vbComboDropdownList) {
        detail::invalidValue();
    }
    style_ = style;
    QComboBox* combo = comboBox();
    const QSignalBlocker blocker(combo);
    // The edit part that a list no longer needs is deleted later; as the combo's focus proxy it
    // would take the combo's focus with it.
    if (QLineEdit* dropped = combo->lineEdit(); dropped && style == vbComboDropdownList) {
        dropped->setFocusProxy(nullptr);
    }
    combo->setEditable(style != vbComboDropdownList);
    if (combo->isEditable()) {
        combo->setCompleter(nullptr);
    }
}

void ComboBox::selectQuietly(int index) {
    QComboBox* combo = comboBox();
    const QSignalBlocker blocker(combo);
    combo->setCurrentIndex(index);
    if (index == -1 && combo->isEditable()) {
        combo->setEditText(QString());
    }
}

void ComboBox::clearEntries() {
    QComboBox* combo = comboBox();
    const QSignalBlocker blocker(combo);
    combo->clear();
    if (combo->isEditable()) {
        combo->setEditText(QString());
    }
}

void ComboBox::insertEntry(int place, const QString& text) {
    QComboBox* combo = comboBox();
    // Adding never chooses an entry, whatever Qt does with a first entry.
    const int chosen = combo->currentIndex();
    const QString editText = combo->currentText();
    const QSignalBlocker blocker(combo);
    combo->insertItem(place, text);
    const int stillChosen = chosen < 0 ? -1 : (place <= chosen ? chosen + 1 : chosen);
    if (combo->currentIndex() != stillChosen) {
        combo->setCurrentIndex(stillChosen);
    }
    if (combo->isEditable() && combo->currentText() != editText) {
        combo->setEditText(editText);
    }
}

int ComboBox::ListIndex() const {
    return comboBox()->currentIndex();
}

QString ComboBox::Text() const {
    if (style_ == vbComboDropdownList) {
        return List(ListIndex());
    }
    return comboBox()->currentText();
}

bool ComboBox::choose(int index) {
    return beginPerson() && chooseEntry(index);
}

bool ComboBox::choose(const QString& text) {
    if (!beginPerson()) {
        return false;
    }
    const int index = detail::isAlive(this) ? findText(text) : -1;
    if (index < 0) {
        qWarning("ui: %s has no entry '%s'", qUtf8Printable(Name()), qUtf8Printable(text));
        return false;
    }
    return chooseEntry(index);
}

bool ComboBox::keyAction(int keyCode, int, int keyAscii) {
    if (moveChoiceByKey(keyCode, style_ == vbComboDropdownList)) {
        return true;
    }
    if (keyAscii < 32 && keyAscii != vbKeyBack) {
        return false;
    }
    if (style_ == vbComboDropdownList) {
        // A letter chooses the next entry that begins with it.
        const QString letter = detail::charText(keyAscii);
        const int count = ListCount();
        for (int step = 1; step <= count; ++step) {
            const int i = (ListIndex() + step + count) % count;
            if (List(i).startsWith(letter, Qt::CaseInsensitive)) {
                if (i != ListIndex()) {
                    selectQuietly(i);
                    fire(Click);
                }
                break;
            }
        }
        return true;
    }
    QString text = Text();
    if (keyAscii == vbKeyBack) {
        text.chop(1);
    } else {
        text.append(detail::charText(keyAscii));
    }
    QComboBox* combo = comboBox();
    const QSignalBlocker blocker(combo);
    combo->setCurrentIndex(-1);
    combo->setEditText(text);
    return true;
}

// ---- ListBox ---------------------------------------------------------------------------------

ListBox::ListBox(Form* form, const QString& name, int index) : ListControl(form, name, index) {
    auto* list = new QListWidget(form);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    QObject::connect(list, &QListWidget::itemSelectionChanged, list, [this] {
        if (ListIndex() >= 0) {
            qtClick(Click);
        }
    });
    attachList(list, list->model());
}

QListWidget* ListBox::listWidget() const {
    return static_cast<QListWidget*>(widget());
}

void ListBox::clearEntries() {
    const QSignalBlocker blocker(listWidget());
    listWidget()->clear();
}

void ListBox::insertEntry(int place, const QString& text) {
    const QSignalBlocker blocker(listWidget());
    listWidget()->insertItem(place, text);
}

int ListBox::ListIndex() const {
    const QList<QListWidgetItem*> selected = listWidget()->selectedItems();
    return selected.isEmpty() ? -1 : listWidget()->row(selected.first());
}

void ListBox::selectQuietly(int index) {
    QListWidget* list = listWidget();
    const QSignalBlocker blocker(list);
    if (index < 0) {
        list->clearSelection();
        return;
    }
    list->setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
    list->scrollToItem(list->item(index));
}

bool ListBox::keyAction(int keyCode, int, int) {
    return moveChoiceByKey(keyCode, true);
}

}  // namespace ui
