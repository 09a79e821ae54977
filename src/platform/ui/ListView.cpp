// The list view control: its widget, its look (icons, grid lines, headers shown), and reading
// its rows: by display index, by text, the selected one, FindItem, the texts a row shows. The
// columns, items, sorting and a person's input each have a file of their own beside this one.

#include "ui/ListView.h"
#include "ui/Form.h"

#include <QHeaderView>
#include <QTreeWidget>

#include "ui/FormDetail.h"
#include "ui/ImageList.h"
#include "ui/ListViewRow.h"

namespace ui {

using listview::outOfBounds;

ListView::ListView(Form* form, const QString& name, int index)
    : Control(form, name, index), ColumnHeaders(this), ListItems(this) {
    auto* tree = new ListViewTree(form, this);
    tree->setColumnCount(0);
    tree->setRootIsDecorated(false);
    tree->setItemsExpandable(false);
    tree->setUniformRowHeights(true);
    tree->setAllColumnsShowFocus(true);
    tree->setSelectionMode(QAbstractItemView::SingleSelection);
    tree->setSelectionBehavior(QAbstractItemView::SelectRows);
    tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tree->setSortingEnabled(false);
    tree->header()->setSortIndicatorShown(false);
    tree->header()->setSectionsClickable(true);
    tree->header()->setStretchLastSection(false);
    tree->header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QObject::connect(tree, &QTreeWidget::itemClicked, tree, [this](QTreeWidgetItem* item, int) {
        onQtItemClicked(static_cast<ListViewRow*>(item), false);
    });
    QObject::connect(tree, &QTreeWidget::itemDoubleClicked, tree,
                     [this](QTreeWidgetItem* item, int) {
                         onQtItemClicked(static_cast<ListViewRow*>(item), true);
                     });
    QObject::connect(tree->header(), &QHeaderView::sectionResized, tree,
                     [this](int column, int, int pixels) { columnResized(column, pixels); });
    QObject::connect(tree->header(), &QHeaderView::sectionClicked, tree, [this](int column) {
        detail::dispatchFromQt([this, column] {
            if (ColumnHeader* header = ColumnHeaders.byColumn(column); header && ColumnClick) {
                detail::EventScope scope;
                ColumnClick(*header);
            }
        });
    });
    attach(tree);
}

ListView::~ListView() {
    // The rows hold the items; they go before the collections that point into them.
    unplaced_.clear();
    dropPending();
    if (QTreeWidget* tree = qtTree()) {
        static_cast<ListViewTree*>(tree)->detach();
        tree->clear();
    }
}

QTreeWidget* ListView::treeWidget() const {
    flushPending();
    return qtTree();
}

QTreeWidget* ListView::qtTree() const {
    return static_cast<QTreeWidget*>(widget());
}

int ListView::rowCount() const {
    return qtTree()->topLevelItemCount() + static_cast<int>(pending_.size());
}

void ListView::setGridLines(bool on) {
    // A style sheet that draws the items takes over their selection too: without the second
    // rule the selected row shows its text in the highlight colour on no highlight at all.
    treeWidget()->setStyleSheet(
        on ? QStringLiteral("QTreeView::item { border-right: 1px solid palette(midlight); "
                            "border-bottom: 1px solid palette(midlight); } "
                            "QTreeView::item:selected { background: palette(highlight); "
                            "color: palette(highlighted-text); }")
           : QString());
}

ListViewRow* ListView::rowAt(int index) const {
    ensureSorted();
    if (index < 0 || index >= ListItems.Count()) {
        return nullptr;
    }
    return static_cast<ListViewRow*>(treeWidget()->topLevelItem(index));
}

ListViewRow* ListView::rowWithText(const QString& text) const {
    ensureSorted();
    const int count = ListItems.Count();
    for (int i = 0; i < count; ++i) {
        auto* row = static_cast<ListViewRow*>(treeWidget()->topLevelItem(i));
        if (row->item.text_ == text) {
            return row;
        }
    }
    return nullptr;
}

ListItem* ListView::SelectedItem() const {
    const QList<QTreeWidgetItem*> selected = treeWidget()->selectedItems();
    if (selected.isEmpty()) {
        return nullptr;
    }
    return &static_cast<ListViewRow*>(selected.first())->item;
}

void ListView::selectQuietly(ListViewRow* row) {
    ++selectionChanges_;
    QTreeWidget* tree = treeWidget();
    if (row == nullptr) {
        tree->clearSelection();
        return;
    }
    tree->setCurrentItem(row, 0, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void ListView::setSelectedItem(ListItem* item) {
    selectQuietly(item != nullptr ? item->row_ : nullptr);
}

ListItem* ListView::FindItem(const QString& text, int where, int start, int match) const {
    ensureSorted();
    const int count = ListItems.Count();
    if (count == 0) {
        return nullptr;
    }
    if (start < 1 || start > count) {
        outOfBounds();
    }
    auto matches = [&](const QString& candidate) {
        if (match == lvwPartial) {
            return candidate.startsWith(text, Qt::CaseInsensitive);
        }
        return QString::compare(candidate, text, Qt::CaseInsensitive) == 0;
    };
    for (int i = start - 1; i < count; ++i) {
        auto* row = static_cast<ListViewRow*>(treeWidget()->topLevelItem(i));
        const ListItem& item = row->item;
        bool found = false;
        if (where == lvwSubItem) {
            for (const QString& sub : item.subs_.texts_) {
                if (matches(sub)) {
                    found = true;
                    break;
                }
            }
        } else if (where == lvwTag) {
            found = matches(item.tag_);
        } else {
            found = matches(item.text_);
        }
        if (found) {
            return &row->item;
        }
    }
    return nullptr;
}

QStringList ListView::rowTexts(int index) const {
    QStringList texts;
    ListViewRow* row = rowAt(index - 1);
    if (row == nullptr) {
        return texts;
    }
    QTreeWidget* tree = treeWidget();
    for (int visual = 0; visual < tree->columnCount(); ++visual) {
        const int column = tree->header()->logicalIndex(visual);
        if (!tree->isColumnHidden(column)) {
            texts.append(row->columnText(column));
        }
    }
    return texts;
}

}  // namespace ui
