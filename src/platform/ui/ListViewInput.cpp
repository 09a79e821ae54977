// What a person does to a list view: clicks on rows, headers and the empty part (by the
// scripted host and by Qt's mouse), the keys that move the selection, and typing the start of
// an item's text.

#include <QApplication>
#include <QMouseEvent>
#include <QTreeWidget>
#include <QtDebug>
#include <algorithm>

#include "ui/FormDetail.h"
#include "ui/ListViewRow.h"

namespace ui {

ListViewRow* ListView::selectedRow() const {
    ListItem* item = SelectedItem();
    return item != nullptr ? item->row_ : nullptr;
}

void ListView::personSelect(ListViewRow* row) {
    selectQuietly(row);
    static_cast<ListViewTree*>(treeWidget())->bringIntoView(row);
    fire(ItemClick, row->item);
}

bool ListView::personClick(ListViewRow* row, bool doubleClick) {
    typed_.clear();
    personSelect(row);
    if (!detail::isAlive(this)) {
        return true;
    }
    fire(Click);
    if (doubleClick && detail::isAlive(this)) {
        fire(DblClick);
    }
    return true;
}

void ListView::onQtItemClicked(ListViewRow* row, bool doubleClick) {
    detail::dispatchFromQt([this, row, doubleClick] {
        if (!takeFocusForQtClick()) {
            // The press has selected the row already; the click did not happen.
            if (selectionChanges_ == changesAtPress_) {
                selectQuietly(selectedAtPress_);
            }
            return;
        }
        if (doubleClick) {
            fire(DblClick);
            return;
        }
        if (lastQtButton_ != Qt::LeftButton) {
            return;
        }
        typed_.clear();
        personSelect(row);
        if (detail::isAlive(this)) {
            fire(Click);
        }
    });
}

void ListView::notePress() {
    changesAtPress_ = selectionChanges_;
    selectedAtPress_ = selectedRow();
}

void ListView::afterRelease() {
    // Code, or a click's ItemClick, had the selection since the press.
    if (!detail::isAlive(this) || selectionChanges_ != changesAtPress_) {
        return;
    }
    ListViewRow* row = selectedRow();
    if (row == nullptr || row == selectedAtPress_) {
        return;
    }
    detail::dispatchFromQt([this, row] {
        if (!takeFocusForQtClick()) {
            selectQuietly(selectedAtPress_);
            return;
        }
        typed_.clear();
        personSelect(row);
    });
}

bool ListView::mouseFromQt(QWidget* widget, QMouseEvent* event, int type) {
    if (widget != treeWidget()->viewport()) {
        return false;
    }
    lastQtButton_ = event->button();
    Control::mouseFromQt(widget, event, type);
    if (detail::isAlive(this) && type == QEvent::MouseButtonRelease &&
        event->button() == Qt::LeftButton &&
        treeWidget()->itemAt(event->position().toPoint()) == nullptr) {
        if (takeFocusForQtClick()) {
            fire(Click);
        }
    }
    return false;
}

ListViewRow* ListView::personRow(int index) {
    if (!beginPerson()) {
        return nullptr;
    }
    ListViewRow* row = rowAt(index - 1);
    if (row == nullptr) {
        qWarning("ui: %s has no item %d", qUtf8Printable(Name()), index);
    }
    return row;
}

ListViewRow* ListView::personRow(const QString& text) {
    if (!beginPerson()) {
        return nullptr;
    }
    ListViewRow* row = rowWithText(text);
    if (row == nullptr) {
        qWarning("ui: %s has no item '%s'", qUtf8Printable(Name()), qUtf8Printable(text));
    }
    return row;
}

bool ListView::clickItem(int index) {
    ListViewRow* row = personRow(index);
    return row != nullptr && personClick(row, false);
}

bool ListView::clickItem(const QString& text) {
    ListViewRow* row = personRow(text);
    return row != nullptr && personClick(row, false);
}

bool ListView::dblClickItem(int index) {
    ListViewRow* row = personRow(index);
    return row != nullptr && personClick(row, true);
}

bool ListView::dblClickItem(const QString& text) {
    ListViewRow* row = personRow(text);
    return row != nullptr && personClick(row, true);
}

bool ListView::clickHeader(int index) {
    if (!canAct()) {
        return refusePerson("header click");
    }
    if (index < 1 || index > ColumnHeaders.Count() || treeWidget()->isHeaderHidden()) {
        qWarning("ui: %s has no header %d to click", qUtf8Printable(Name()), index);
        return false;
    }
    fire(ColumnClick, ColumnHeaders(index));
    return true;
}

bool ListView::clickHeader(const QString& key) {
    ColumnHeader* header = ColumnHeaders.find(key);
    if (header == nullptr) {
        qWarning("ui: %s has no header '%s'", qUtf8Printable(Name()), qUtf8Printable(key));
        return false;
    }
    return clickHeader(header->Index());
}

bool ListView::clickEmpty() {
    if (!beginPerson()) {
        return false;
    }
    fire(Click);
    return true;
}

bool ListView::handlesQtKey(int keyCode, int keyAscii) const {
    if (keyAscii >= vbKeySpace && keyAscii != 0x7F) {
        return true;
    }
    switch (keyCode) {
        case vbKeyUp:
        case vbKeyDown:
        case vbKeyHome:
        case vbKeyEnd:
        case vbKeyPageUp:
        case vbKeyPageDown:
            return true;
        default:
            return false;
    }
}

bool ListView::keyAction(int keyCode, int, int keyAscii) {
    if (keyAscii >= vbKeySpace && keyAscii != 0x7F) {
        searchTyped(QChar(keyAscii));
        return true;
    }
    if (!handlesQtKey(keyCode, 0)) {
        return false;
    }
    typed_.clear();
    ensureSorted();
    const int count = ListItems.Count();
    if (count == 0) {
        return true;
    }
    ListItem* selected = SelectedItem();
    const int current =
        selected != nullptr ? treeWidget()->indexOfTopLevelItem(selected->row_) : -1;
    const int page = std::max(
        1, treeWidget()->viewport()->height() / std::max(1, treeWidget()->sizeHintForRow(0)) - 1);
    int target = current;
    switch (keyCode) {
        case vbKeyUp:
            target = current < 0 ? 0 : std::max(0, current - 1);
            break;
        case vbKeyDown:
            target = std::min(count - 1, current + 1);
            break;
        case vbKeyHome:
            target = 0;
            break;
        case vbKeyEnd:
            target = count - 1;
            break;
        case vbKeyPageUp:
            target = std::max(0, current - page);
            break;
        case vbKeyPageDown:
            target = std::min(count - 1, current + page);
            break;
        default:
            break;
    }
    if (target != current) {
        personSelect(static_cast<ListViewRow*>(treeWidget()->topLevelItem(target)));
    }
    return true;
}

void ListView::searchTyped(QChar typed) {
    // Characters typed in quick succession make one text to look for; after a pause a new
    // search begins. A new search, and the same letter typed again, look from the item after
    // the selected one, so that repeating a letter steps through the items that begin with it.
    const bool goesOn = !typed_.isEmpty() && lastTyped_.isValid() &&
                        !lastTyped_.hasExpired(QApplication::keyboardInputInterval());
    lastTyped_.start();
    typed_ = goesOn ? typed_ + typed : QString(typed);
    const bool oneLetter = typed_.count(typed, Qt::CaseInsensitive) == typed_.size();
    const QString wanted = oneLetter ? QString(typed) : typed_;
    ensureSorted();
    const int count = ListItems.Count();
    ListViewRow* selected = selectedRow();
    const int current = selected != nullptr ? treeWidget()->indexOfTopLevelItem(selected) : -1;
    const int start = current < 0 ? 0 : (oneLetter ? current + 1 : current);
    for (int i = 0; i < count; ++i) {
        ListViewRow* row = rowAtPosition((start + i) % count);
        if (row->item.text_.startsWith(wanted, Qt::CaseInsensitive)) {
            if (row != selected) {
                personSelect(row);
            }
            return;
        }
    }
}

}  // namespace ui
