// A list view's items: the rows (ListItem) with their sub-items, and the collections a window
// adds, finds and removes them through. A change of a sort text tells the sorting
// (ListViewSorting.cpp); a new row is held back or put in its place there.

#include <QSignalBlocker>
#include <algorithm>

#include "runtime/Convert.h"
#include "ui/ControlSupport.h"
#include "ui/ListViewRow.h"

namespace ui {

using listview::keyInUse;
using listview::notFound;
using listview::outOfBounds;

// ---- ListSubItem -----------------------------------------------------------------------------

ListSubItem::ListSubItem(ListItem* item, int index)
    : item_(item), index_(index), foreColor_(vbWindowText) {}

const QString& ListSubItem::Text() const {
    return item_->subs_.texts_[static_cast<std::size_t>(index_ - 1)];
}

void ListSubItem::setText(const QString& text) {
    item_->view_->textChanging(item_->row_, index_);
    item_->subs_.texts_[static_cast<std::size_t>(index_ - 1)] = text;
    item_->changed(index_);
}

void ListSubItem::setForeColor(qint32 color) {
    foreColor_ = color;
    hasColor_ = true;
    item_->changed(-1);
}

void ListSubItem::setForeColor(const QColor& color) {
    setForeColor(rt::LongFromColor(color));
}

void ListSubItem::setBold(bool on) {
    bold_ = on;
    item_->changed(-1);
}

ListSubItem& ListSubItemCollection::operator()(int index) const {
    if (index < 1 || index > Count()) {
        outOfBounds();
    }
    return handle(index);
}

QString& ListSubItemCollection::ensure(int index) {
    if (Count() < index) {
        if (texts_.empty()) {
            // A row mostly fills every column: room for them all at once.
            texts_.reserve(static_cast<std::size_t>(
                std::max(index, item_->view_->qtTree()->columnCount() - 1)));
        }
        texts_.resize(static_cast<std::size_t>(index));
    }
    return texts_[static_cast<std::size_t>(index - 1)];
}

ListSubItem& ListSubItemCollection::handle(int index) const {
    const auto slot = static_cast<std::size_t>(index - 1);
    if (handles_.size() <= slot) {
        handles_.resize(slot + 1);
    }
    if (!handles_[slot]) {
        handles_[slot] = std::unique_ptr<ListSubItem>(new ListSubItem(item_, index));
    }
    return *handles_[slot];
}

const ListSubItem* ListSubItemCollection::handleIfMade(int index) const {
    if (index < 1 || static_cast<std::size_t>(index) > handles_.size()) {
        return nullptr;
    }
    return handles_[static_cast<std::size_t>(index - 1)].get();
}

ListSubItem& ListSubItemCollection::Add(int index, const QString&, const QString& text) {
    if (index == -1) {
        index = Count() + 1;
    }
    if (index < 1) {
        outOfBounds();
    }
    ensure(index);
    ListSubItem& sub = handle(index);
    sub.setText(text);
    return sub;
}

// ---- ListItem --------------------------------------------------------------------------------

void ListItem::changed(int column) {
    row_->changed();
    if (column >= 0) {
        view_->markUnsorted(row_, column);
    }
}

void ListItem::setText(const QString& text) {
    view_->textChanging(row_, 0);
    text_ = text;
    changed(0);
}

const QString& ListItem::SubItems(int j) const {
    if (j < 1) {
        detail::invalidValue();
    }
    if (j > subs_.Count()) {
        static const QString never;
        return never;
    }
    return subs_.texts_[static_cast<std::size_t>(j - 1)];
}

void ListItem::setSubItems(int j, const QString& text) {
    setSubItems(j, QString(text));
}

void ListItem::setSubItems(int j, QString&& text) {
    if (j < 1) {
        detail::invalidValue();
    }
    view_->textChanging(row_, j);
    subs_.ensure(j) = std::move(text);
    changed(j);
}

void ListItem::setForeColor(qint32 color) {
    foreColor_ = color;
    hasColor_ = true;
    changed(-1);
}

void ListItem::setForeColor(const QColor& color) {
    setForeColor(rt::LongFromColor(color));
}

void ListItem::setBold(bool on) {
    bold_ = on;
    changed(-1);
}

bool ListItem::Selected() const {
    return row_->isSelected();
}

void ListItem::setSelected(bool on) {
    if (on) {
        view_->selectQuietly(row_);
    } else {
        ++view_->selectionChanges_;
        row_->setSelected(false);
    }
}

int ListItem::Index() const {
    view_->ensureSorted();
    return view_->treeWidget()->indexOfTopLevelItem(row_) + 1;
}

void ListItem::setSmallIcon(const QVariant& indexOrKey) {
    smallIcon_ = indexOrKey;
    changed(-1);
}

void ListItem::EnsureVisible() {
    view_->ensureSorted();
    static_cast<ListViewTree*>(view_->treeWidget())->bringIntoView(row_);
}

// ---- ListItemCollection ----------------------------------------------------------------------

ListItem& ListItemCollection::Add(int index, const QString& key, const QString& text) {
    if (!key.isEmpty() && keys_.contains(key)) {
        keyInUse();
    }
    const int count = view_->rowCount();
    if (index != -1 && (index < 1 || index > count + 1)) {
        outOfBounds();
    }
    auto* row = new ListViewRow(view_);
    row->item.text_ = text;
    row->item.key_ = key;
    const bool atIndex = index != -1 && index != count + 1;
    if (atIndex) {
        view_->ensureSorted();
        view_->qtTree()->insertTopLevelItem(index - 1, row);
    } else if (!view_->holdBack(row)) {
        view_->flushPending();
        view_->qtTree()->insertTopLevelItem(view_->placeForNewRow(*row), row);
    }
    if (!key.isEmpty()) {
        keys_.insert(key, row);
    }
    if (count == 0) {
        view_->selectQuietly(row);
    }
    view_->noteAdded(row, atIndex);
    return row->item;
}

int ListItemCollection::Count() const {
    return view_->treeWidget()->topLevelItemCount();
}

void ListItemCollection::Clear() {
    keys_.clear();
    view_->unplaced_.clear();
    view_->resortAll_ = false;
    view_->dropPending();
    ++view_->selectionChanges_;
    view_->typed_.clear();
    QTreeWidget* tree = view_->qtTree();
    // Qt first tells the view that the selection and the current row go, and the view lays out
    // every row that is about to go to repaint them; the reset that follows repaints anyway.
    const QSignalBlocker quiet(tree->selectionModel());
    tree->clear();
}

void ListItemCollection::Remove(int index) {
    ListViewRow* row = view_->rowAt(index - 1);
    if (row == nullptr) {
        outOfBounds();
    }
    removeRow(row);
}

void ListItemCollection::Remove(const QString& key) {
    ListViewRow* row = keys_.value(key, nullptr);
    if (row == nullptr) {
        notFound();
    }
    removeRow(row);
}

void ListItemCollection::removeRow(ListViewRow* row) {
    view_->flushPending();
    // Qt would select the neighbour of a removed selected row; the list has no selection then.
    const bool wasSelected = row->isSelected();
    ++view_->selectionChanges_;
    keys_.remove(row->item.key_);
    std::erase(view_->unplaced_, row);
    delete row;
    if (wasSelected) {
        view_->treeWidget()->clearSelection();
    }
}

ListItem& ListItemCollection::operator()(int index) const {
    ListViewRow* row = view_->rowAt(index - 1);
    if (row == nullptr) {
        outOfBounds();
    }
    return row->item;
}

ListItem& ListItemCollection::operator()(const QString& key) const {
    ListItem* item = find(key);
    if (item == nullptr) {
        notFound();
    }
    return *item;
}

ListItem* ListItemCollection::find(const QString& key) const {
    ListViewRow* row = keys_.value(key, nullptr);
    return row != nullptr ? &row->item : nullptr;
}

}  // namespace ui
