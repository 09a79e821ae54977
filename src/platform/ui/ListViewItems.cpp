// A list view's items: the rows (ListItem) with their sub-items, and the collections a window
// adds and finds them through. A change of a sort text tells the sorting
// (ListViewSorting.cpp); a new row is held back or put in its place there.

#include <QSignalBlocker>
#include <algorithm>

#include "ui/ControlSupport.h"
#include "ui/ListViewRow.h"

namespace ui {

using listview::outOfBounds;

// ---- ListSubItem -----------------------------------------------------------------------------

ListSubItem::ListSubItem(ListItem* item, int index)
    : item_(item), index_(index), foreColor_(vbWindowText) {}

void ListSubItem::setForeColor(qint32 color) {
    foreColor_ = color;
    hasColor_ = true;
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

void ListItem::EnsureVisible() {
    view_->ensureSorted();
    static_cast<ListViewTree*>(view_->treeWidget())->bringIntoView(row_);
}

// ---- ListItemCollection ----------------------------------------------------------------------

ListItem& ListItemCollection::Add(const QString& text) {
    const bool first = view_->rowCount() == 0;
    auto* row = new ListViewRow(view_);
    row->item.text_ = text;
    if (!view_->holdBack(row)) {
        view_->flushPending();
        view_->qtTree()->insertTopLevelItem(view_->placeForNewRow(*row), row);
    }
    if (first) {
        view_->selectQuietly(row);
    }
    view_->noteAdded(row);
    return row->item;
}

int ListItemCollection::Count() const {
    return view_->treeWidget()->topLevelItemCount();
}

void ListItemCollection::Clear() {
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

ListItem& ListItemCollection::operator()(int index) const {
    ListViewRow* row = view_->rowAt(index - 1);
    if (row == nullptr) {
        outOfBounds();
    }
    return row->item;
}

}  // namespace ui
