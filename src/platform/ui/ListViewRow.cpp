// The list view's rows and tree widget: what Qt asks a row (texts, colours, alignment, the
// order of a full sort), and the tree's scrolling, size and mouse, handed on to the list view.

#include "ui/ListViewRow.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>

#include "ui/Colors.h"
#include "ui/ListOrder.h"

namespace ui {

using listview::columnAlignment;

// ---- ListViewRow -----------------------------------------------------------------------------

QVariant ListViewRow::data(int column, int role) const {
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
        case Qt::ToolTipRole:
            return column < 0 ? QVariant() : QVariant(columnText(column));
        case Qt::ForegroundRole: {
            if (column == 0 && item.hasColor_) {
                return QBrush(colorFromValue(item.foreColor_));
            }
            const ListSubItem* sub = subItem(column);
            if (sub != nullptr && sub->hasColor_) {
                return QBrush(colorFromValue(sub->foreColor_));
            }
            return {};
        }
        case Qt::TextAlignmentRole: {
            // The first column keeps its text to the left, whatever its header says.
            if (column == 0) {
                return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
            }
            const ColumnHeader* header = item.view_->ColumnHeaders.byColumn(column);
            return QVariant::fromValue(
                columnAlignment(header != nullptr ? header->alignment_ : lvwColumnLeft));
        }
        default:
            return QTreeWidgetItem::data(column, role);
    }
}

void ListViewRow::setData(int column, int role, const QVariant& value) {
    // The texts live in the item; the tree never edits them.
    if (role == Qt::DisplayRole || role == Qt::EditRole) {
        return;
    }
    QTreeWidgetItem::setData(column, role, value);
}

bool ListViewRow::operator<(const QTreeWidgetItem& other) const {
    const ListView& owner = *item.view_;
    const auto& row = static_cast<const ListViewRow&>(other);
    const int order =
        compareListTexts(columnText(owner.SortKey()), row.columnText(owner.SortKey()));
    if (order != 0) {
        return order < 0;
    }
    return owner.SortOrder() == lvwDescending ? before > row.before : before < row.before;
}

void ListViewRow::changed() {
    if (QTreeWidget* tree = treeWidget()) {
        tree->viewport()->update();
    }
}

// ---- ListViewTree ----------------------------------------------------------------------------

ListViewTree::ListViewTree(QWidget* parent, ListView* view) : QTreeWidget(parent), view_(view) {
    // A list emptied to be filled again loses its vertical scroll bar for a moment, which
    // narrows the range across; the columns come back to where they were.
    QScrollBar* across = horizontalScrollBar();
    connect(across, &QScrollBar::valueChanged, this, [this](int left) {
        if (!rebounding_) {
            left_ = left;
        }
    });
    connect(across, &QScrollBar::rangeChanged, this, [this, across](int, int maximum) {
        rebounding_ = true;
        across->setValue(std::min(left_, maximum));
        rebounding_ = false;
    });
}

void ListViewTree::scrollTo(const QModelIndex& index, ScrollHint hint) {
    QScrollBar* bar = horizontalScrollBar();
    const int left = bar->value();
    QTreeWidget::scrollTo(index, hint);
    bar->setValue(left);
}

QSize ListViewTree::sizeHint() const {
    // A few pixels over, so that a layout that rounds does not bring a scroll bar.
    constexpr int Slack = 4;
    QSize hint = QTreeWidget::sizeHint();
    if (view_ != nullptr) {
        hint.setWidth(view_->columnsWidth() + 2 * frameWidth() +
                      style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this) + Slack);
    }
    return hint;
}

void ListViewTree::mousePressEvent(QMouseEvent* event) {
    if (view_ != nullptr) {
        view_->notePress();
    }
    QTreeWidget::mousePressEvent(event);
}

void ListViewTree::mouseReleaseEvent(QMouseEvent* event) {
    QTreeWidget::mouseReleaseEvent(event);
    if (view_ != nullptr) {
        view_->afterRelease();
    }
}

void ListViewTree::resizeEvent(QResizeEvent* event) {
    QTreeWidget::resizeEvent(event);
    if (view_ != nullptr) {
        view_->fitColumns();
    }
}

}  // namespace ui
