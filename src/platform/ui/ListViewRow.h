#pragma once

// The Qt side of a list view: the rows of its tree, which hold the items the windows see, the
// tree widget itself, and the checks the list view's collections share. Private to the list
// view's own files (ListView*.cpp); windows reach a list through ui/ListView.h only.

#include <QTreeWidget>
#include <QTreeWidgetItem>
#include <QVariant>

#include "runtime/Error.h"
#include "ui/Constants.h"
#include "ui/ListView.h"

namespace ui {

namespace listview {

[[noreturn]] inline void outOfBounds() {
    rt::raise(rt::err::IndexOutOfBounds);
}
[[noreturn]] inline void notFound() {
    rt::raise(rt::err::ElementNotFound);
}
[[noreturn]] inline void keyInUse() {
    rt::raise(rt::err::KeyNotUnique);
}

inline bool noIcon(const QVariant& indexOrKey) {
    if (!indexOrKey.isValid() || indexOrKey.isNull()) {
        return true;
    }
    if (indexOrKey.typeId() == QMetaType::QString) {
        return indexOrKey.toString().isEmpty();
    }
    return indexOrKey.toInt() == 0;
}

inline Qt::Alignment columnAlignment(int alignment) {
    switch (alignment) {
        case lvwColumnRight:
            return Qt::AlignRight | Qt::AlignVCenter;
        case lvwColumnCenter:
            return Qt::AlignHCenter | Qt::AlignVCenter;
        default:
            return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

}  // namespace listview

// A row of the tree: it holds the item the windows see, and answers Qt's questions about
// texts, colours and fonts from it.
class ListViewRow : public QTreeWidgetItem {
  public:
    explicit ListViewRow(ListView* owner) : QTreeWidgetItem(UserType), item(owner, this) {
        setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    }

    ListItem item;

    // Keeping a sorted list in order (see ListView::ensureSorted).
    quint64 seq = 0;        // the order of adding at the end of a sorted list; 0 for others
    quint64 before = 0;     // its place before the pending ordering, which ties keep
    bool unplaced = false;  // its text changed since then

    // Held back from the tree (ListView::holdBack): every other row of the list is in it.
    bool heldBack() const { return treeWidget() == nullptr; }

    // The text itself, not a copy: sorting compares texts many times over, and each copy costs
    // two atomic counts.
    const QString& columnText(int column) const {
        static const QString none;
        const QString* text = textIn(column);
        return text != nullptr ? *text : none;
    }

    QVariant data(int column, int role) const override;
    void setData(int column, int role, const QVariant& value) override;

    // Only a full sort asks. Rows with equal texts keep the order they had before it in either
    // direction: Qt sorts downwards by swapping the two rows it compares.
    bool operator<(const QTreeWidgetItem& other) const override;

    // The texts and colours live in the item and are read when the row is painted, so a
    // change needs a repaint only. Telling the model (emitDataChanged) for every sub-item set
    // made filling a list of thousands of rows three times slower.
    void changed();

  private:
    // Null for a column beyond the sub-items set.
    const QString* textIn(int column) const {
        if (column == 0) {
            return &item.text_;
        }
        if (column < 1 || column > item.subs_.Count()) {
            return nullptr;
        }
        return &item.subs_.texts_[static_cast<std::size_t>(column - 1)];
    }
    const ListSubItem* subItem(int column) const { return item.subs_.handleIfMade(column); }
};

// The tree of a list view. Qt selects the row under the mouse on a press and while the mouse is
// dragged, and reports a click only when the release is on the row pressed. A row brought into
// view moves the list up or down only, so that the columns a person scrolled to stay in view
// when code selects a row, sorts or fills the list again. The list asks for room for all its
// columns, and gives its last column what is left.
class ListViewTree : public QTreeWidget {
  public:
    ListViewTree(QWidget* parent, ListView* view);
    void detach() { view_ = nullptr; }
    // QTreeWidget::scrollToItem goes round the scrollTo below.
    void bringIntoView(QTreeWidgetItem* row) { scrollTo(indexFromItem(row), EnsureVisible); }

    void scrollTo(const QModelIndex& index, ScrollHint hint) override;
    QSize sizeHint() const override;

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    ListView* view_;
    int left_ = 0;
    bool rebounding_ = false;
};

}  // namespace ui
