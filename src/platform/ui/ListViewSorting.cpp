// Keeping a sorted list view in order, and handing the rows added in a run to the tree.
//
// A sorted list is in order whenever code or a person reads it, as if it were sorted (stably,
// by the sort column's text without regard to case) at each read: rows with equal texts keep
// the order they had, and rows added since the last read count as coming after all others, in
// the order of adding. To spare a sort at each read of a fill loop, a new row goes straight
// into its place when it joins the tree; only rows whose sort text changed wait for the next
// read ("unplaced") and are then moved into their places one by one.

// Rows held back. Qt tells the view and the selection about every row that joins the tree,
// which costs many times what keeping the row does. Rows added one after another are therefore
// held back and handed over together at the next read of the list (anything but another Add or
// a change of the items just added), or, with a person at the screen, as soon as the filling
// code is done. The first row of an empty list goes in at once, as it becomes the selected one.
// A held-back row is placed as it would have been when added: at the end, or in a sorted list,
// in its place.

#include <QMetaObject>
#include <QTreeWidget>
#include <algorithm>

#include "ui/ControlSupport.h"
#include "ui/Host.h"
#include "ui/ListOrder.h"
#include "ui/ListViewRow.h"

namespace ui {

namespace {

// Rows whose place a sorted list works out one by one at the next read; with more, it sorts
// them all at once.
constexpr std::size_t MaxUnplacedRows = 32;

}  // namespace

void ListView::setSorted(bool on) {
    // Rows held back join the tree in the order they were added under, before it changes.
    flushPending();
    if (sorted_ && !on) {
        leaveUnordered();
    }
    sorted_ = on;
    if (on) {
        resort();
    }
}

void ListView::setSortKey(int column) {
    if (column < 0) {
        detail::invalidValue();
    }
    flushPending();
    sortKey_ = column;
    if (sorted_) {
        resort();
    }
}

void ListView::setSortOrder(int order) {
    if (order != lvwAscending && order != lvwDescending) {
        detail::invalidValue();
    }
    flushPending();
    sortOrder_ = order;
    if (sorted_) {
        resort();
    }
}

bool ListView::holdBack(ListViewRow* row) {
    if (rowCount() == 0) {
        return false;
    }
    if (sorted_ && !appendsForFullSort() && !unplaced_.empty()) {
        // Placed at once, among the rows that wait for their own places.
        return false;
    }
    pending_.push_back(row);
    postOrdering();
    return true;
}

void ListView::flushPending() const {
    if (pending_.empty()) {
        return;
    }
    std::vector<ListViewRow*> rows;
    rows.swap(pending_);
    QTreeWidget* tree = qtTree();
    // A fill that reads the list after every row hands over one row at a time.
    auto insert = [tree](int place, auto first, auto last) {
        if (last - first == 1) {
            tree->insertTopLevelItem(place, *first);
        } else {
            tree->insertTopLevelItems(place, QList<QTreeWidgetItem*>(first, last));
        }
    };
    if (!sorted_ || resortAll_ || !ordersByColumn()) {
        insert(tree->topLevelItemCount(), rows.begin(), rows.end());
    } else {
        // Each goes after every row in its place with an equal text, as placeForNewRow puts
        // it; no row waits for its place while rows are held back. Among themselves they keep
        // the order of their texts, equal texts in the order of adding.
        std::stable_sort(rows.begin(), rows.end(),
                         [this](const ListViewRow* a, const ListViewRow* b) {
                             return compareTexts(*a, *b) < 0;
                         });
        const int count = tree->topLevelItemCount();
        std::vector<int> places;
        places.reserve(rows.size());
        for (const ListViewRow* row : rows) {
            places.push_back(partitionPoint(
                count, [&](int j) { return compareTexts(*rowAtPosition(j), *row) <= 0; }));
        }
        // The rows that go to one place go in together, the last place first, so that the
        // places before it still hold.
        auto end = rows.size();
        while (end > 0) {
            auto begin = end - 1;
            while (begin > 0 && places[begin - 1] == places[end - 1]) {
                --begin;
            }
            insert(places[end - 1], rows.begin() + static_cast<std::ptrdiff_t>(begin),
                   rows.begin() + static_cast<std::ptrdiff_t>(end));
            end = begin;
        }
    }
    // The room stays for the next run of additions.
    rows.clear();
    pending_.swap(rows);
}

void ListView::dropPending() {
    for (ListViewRow* row : pending_) {
        delete row;
    }
    pending_.clear();
}

bool ListView::ordersByColumn() const {
    return sorted_ && sortKey_ < qtTree()->columnCount();
}

bool ListView::isFresh(const ListViewRow& row) const {
    return row.seq > orderedSeq_;
}

int ListView::compareTexts(const ListViewRow& a, const ListViewRow& b) const {
    const int order = compareListTexts(a.columnText(sortKey_), b.columnText(sortKey_));
    return sortOrder_ == lvwDescending ? -order : order;
}

bool ListView::comesBefore(const ListViewRow& a, const ListViewRow& b) const {
    const int order = compareTexts(a, b);
    return order != 0 ? order < 0 : a.before < b.before;
}

ListViewRow* ListView::rowAtPosition(int position) const {
    return static_cast<ListViewRow*>(qtTree()->topLevelItem(position));
}

void ListView::numberRows(std::vector<int>* unplacedPositions) const {
    // Rows added since the last read come after all others, in the order of adding.
    constexpr quint64 FreshRows = quint64(1) << 32;
    const int count = ListItems.Count();
    for (int i = 0; i < count; ++i) {
        ListViewRow* row = rowAtPosition(i);
        row->before = isFresh(*row) ? FreshRows + row->seq : static_cast<quint64>(i);
        if (unplacedPositions != nullptr && row->unplaced) {
            unplacedPositions->push_back(i);
        }
    }
}

bool ListView::appendsForFullSort() {
    if (resortAll_ || !ordersByColumn()) {
        resortAll_ = true;
        return true;
    }
    return false;
}

int ListView::placeForNewRow(const ListViewRow& row) {
    const int count = rowCount();
    if (!sorted_ || appendsForFullSort()) {
        return count;
    }
    // After every row in its place with an equal text: those were there before it.
    std::vector<int> unplaced;
    for (ListViewRow* other : unplaced_) {
        unplaced.push_back(treeWidget()->indexOfTopLevelItem(other));
    }
    std::sort(unplaced.begin(), unplaced.end());
    const int placedCount = count - static_cast<int>(unplaced.size());
    const int place = partitionPoint(placedCount, [&](int j) {
        return compareTexts(*rowAtPosition(skipUnplaced(j, unplaced)), row) <= 0;
    });
    return place == placedCount ? count : skipUnplaced(place, unplaced);
}

int ListView::skipUnplaced(int placed, const std::vector<int>& unplacedPositions) {
    int position = placed;
    for (const int unplaced : unplacedPositions) {
        if (unplaced > position) {
            break;
        }
        ++position;
    }
    return position;
}

void ListView::noteAdded(ListViewRow* row) {
    if (!sorted_) {
        return;
    }
    row->seq = ++nextSeq_;
    postOrdering();
}

void ListView::textChanging(ListViewRow* row, int column) {
    // Rows held back go to the places they had when added, found among the texts as they were
    // then; and no row waits for its place while rows are held back.
    if (!pending_.empty() && !row->heldBack() && sorted_ && column == sortKey_) {
        flushPending();
    }
}

void ListView::markUnsorted(ListViewRow* row, int column) {
    if (!sorted_ || column != sortKey_) {
        return;
    }
    if (row->heldBack()) {
        // Its place is found when it joins the tree.
        return;
    }
    if (!resortAll_ && !row->unplaced) {
        if (unplaced_.size() < MaxUnplacedRows && ordersByColumn()) {
            row->unplaced = true;
            unplaced_.push_back(row);
        } else {
            forgetUnplaced();
            resortAll_ = true;
        }
    }
    postOrdering();
}

void ListView::postOrdering() {
    // With a person at the screen, the list is put in order as soon as the filling code is
    // done; code and tests that read it are served at once through ensureSorted.
    if (!sortPosted_ && host().realInput()) {
        sortPosted_ = true;
        QMetaObject::invokeMethod(
            qtTree(),
            [this] {
                sortPosted_ = false;
                ensureSorted();
            },
            Qt::QueuedConnection);
    }
}

void ListView::forgetUnplaced() const {
    for (ListViewRow* row : unplaced_) {
        row->unplaced = false;
    }
    unplaced_.clear();
}

void ListView::ensureSorted() const {
    flushPending();
    if (resortAll_ || !ordersByColumn()) {
        resort();
        return;
    }
    if (!unplaced_.empty()) {
        placeUnplaced();
    }
    markOrdered();
}

void ListView::resort() const {
    flushPending();
    if (!ordersByColumn()) {
        leaveUnordered();
        return;
    }
    forgetUnplaced();
    resortAll_ = false;
    numberRows(nullptr);
    treeWidget()->sortItems(sortKey_,
                            sortOrder_ == lvwDescending ? Qt::DescendingOrder : Qt::AscendingOrder);
    markOrdered();
}

void ListView::markOrdered() const {
    orderedSeq_ = nextSeq_;
}

void ListView::placeUnplaced() const {
    std::vector<int> positions;
    numberRows(&positions);
    forgetUnplaced();
    // Each unplaced row goes after the rows in their places that come before it, and after the
    // other unplaced rows that come before it.
    struct Move {
        ListViewRow* row;
        int from;
        int to;
    };
    std::vector<Move> moves;
    const int placedCount = ListItems.Count() - static_cast<int>(positions.size());
    for (const int from : positions) {
        ListViewRow* row = rowAtPosition(from);
        const int to = partitionPoint(placedCount, [&](int j) {
            return comesBefore(*rowAtPosition(skipUnplaced(j, positions)), *row);
        });
        moves.push_back({row, from, to});
    }
    bool inPlace = true;
    for (Move& move : moves) {
        for (const Move& other : moves) {
            move.to += comesBefore(*other.row, *move.row) ? 1 : 0;
        }
        inPlace = inPlace && move.to == move.from;
    }
    if (inPlace) {
        return;
    }
    QTreeWidget* tree = treeWidget();
    const QList<QTreeWidgetItem*> selected = tree->selectedItems();
    QTreeWidgetItem* current = tree->currentItem();
    for (auto move = moves.rbegin(); move != moves.rend(); ++move) {
        tree->takeTopLevelItem(move->from);
    }
    std::sort(moves.begin(), moves.end(), [](const Move& a, const Move& b) { return a.to < b.to; });
    for (const Move& move : moves) {
        tree->insertTopLevelItem(move.to, move.row);
    }
    keepSelection(selected, current);
}

void ListView::leaveUnordered() const {
    flushPending();
    // A list that stops ordering itself (Sorted off, or no column to order by) stays as it was
    // before the rows added since the last read were placed: those at the end, in the order of
    // adding.
    forgetUnplaced();
    resortAll_ = false;
    std::vector<ListViewRow*> fresh;
    if (freshCount() > 0) {
        for (int i = 0; i < ListItems.Count(); ++i) {
            if (isFresh(*rowAtPosition(i))) {
                fresh.push_back(rowAtPosition(i));
            }
        }
    }
    markOrdered();
    if (fresh.empty()) {
        return;
    }
    QTreeWidget* tree = treeWidget();
    const QList<QTreeWidgetItem*> selected = tree->selectedItems();
    QTreeWidgetItem* current = tree->currentItem();
    std::sort(fresh.begin(), fresh.end(),
              [](const ListViewRow* a, const ListViewRow* b) { return a->seq < b->seq; });
    for (ListViewRow* row : fresh) {
        tree->takeTopLevelItem(tree->indexOfTopLevelItem(row));
        tree->addTopLevelItem(row);
    }
    keepSelection(selected, current);
}

void ListView::keepSelection(const QList<QTreeWidgetItem*>& selected,
                             QTreeWidgetItem* current) const {
    // Qt selects a neighbour of a current row that is taken out; the moves change nothing a
    // person chose.
    QTreeWidget* tree = treeWidget();
    tree->clearSelection();
    if (current != nullptr) {
        tree->setCurrentItem(current, 0, QItemSelectionModel::NoUpdate);
    } else {
        tree->selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    }
    for (QTreeWidgetItem* item : selected) {
        item->setSelected(true);
    }
}

}  // namespace ui
