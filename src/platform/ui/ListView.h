#pragma once

#include <QColor>
#include <QElapsedTimer>
#include <QHash>
#include <QIcon>
#include <QString>
#include <QVariant>
#include <functional>
#include <memory>
#include <vector>

#include "ui/Control.h"

class QTreeWidget;
class QTreeWidgetItem;

namespace ui {

class ImageList;
class ListViewTree;
class ListView;
class ListItem;
class ListViewRow;

// ---------------------------------------------------------------------------------------------
class ColumnHeader {
  public:
    const QString& Text() const { return text_; }
    const QString& Key() const { return key_; }
    // Twips; 0 hides the column. A shown column is never narrower than its header text with
    // room for a header image, whatever width it is given; the last column also takes the
    // room the list has left over, which its Width does not count.
    int Width() const;
    // The header image: an index or key of the list's ColumnHeaderIcons; 0 (or an empty
    // variant) for none.
    const QVariant& Icon() const { return icon_; }
    void setIcon(const QVariant& indexOrKey);
    void setIcon(int index) { setIcon(QVariant(index)); }
    void setIcon(const QString& key) { setIcon(QVariant(key)); }
    void setIcon(const char* key) { setIcon(QVariant(QString::fromUtf8(key))); }
    // The sub-item this column shows (0 for the item text).
    int SubItemIndex() const { return column_; }
    // The picture the header shows now (null when none).
    QIcon shownIcon() const;

  private:
    friend class ColumnHeaderCollection;
    friend class ListView;
    friend class ListViewRow;
    ColumnHeader(ListView* view, int column) : view_(view), column_(column) {}
    void setText(const QString& text);
    void setWidth(int twips);
    void setAlignment(int alignment);
    // 1-based place in the collection.
    int Index() const;
    QIcon resolveIcon(const QVariant& indexOrKey) const;
    // The width given in pixels, widened to the header's text and image.
    int leastPixels() const;
    void applyWidth();

    ListView* view_;
    int column_;
    int givenTwips_ = 0;
    // The column's own width: as given (at least leastPixels), or as a person dragged it.
    int pixels_ = 0;
    QString text_;
    QString key_;
    int alignment_ = lvwColumnLeft;
    QVariant icon_;
};

class ColumnHeaderCollection {
  public:
    // Appends (index -1) or inserts at the 1-based index. Width in twips, -1 for the default.
    ColumnHeader& Add(int index = -1, const QString& key = {}, const QString& text = {},
                      int width = -1, int alignment = lvwColumnLeft, const QVariant& icon = {});
    int Count() const { return static_cast<int>(headers_.size()); }
    // Error 35600 for an index out of bounds, 35601 for an unknown key.
    ColumnHeader& operator()(int index) const;
    ColumnHeader& operator()(const QString& key) const;

  private:
    friend class ListView;
    friend class ColumnHeader;
    friend class ListViewRow;
    explicit ColumnHeaderCollection(ListView* view) : view_(view) {}
    int indexOf(const ColumnHeader* header) const;
    ColumnHeader* find(const QString& key) const;
    ColumnHeader* byColumn(int column) const;
    ListView* view_;
    std::vector<std::unique_ptr<ColumnHeader>> headers_;
};

// ---------------------------------------------------------------------------------------------
// A sub-item's text lives in its row; the object a window holds to change the sub-item's colour
// is made the first time it is asked for, which most rows never are.
class ListSubItem {
  public:
    void setForeColor(qint32 color);

  private:
    friend class ListSubItemCollection;
    friend class ListViewRow;
    ListSubItem(ListItem* item, int index);
    ListItem* item_;
    int index_;
    qint32 foreColor_;
    bool hasColor_ = false;
};

class ListSubItemCollection {
  public:
    // The highest sub-item index that was set.
    int Count() const { return static_cast<int>(texts_.size()); }
    // 1-based; error 35600 outside 1..Count.
    ListSubItem& operator()(int index) const;

  private:
    friend class ListItem;
    friend class ListSubItem;
    friend class ListViewRow;
    friend class ListView;
    explicit ListSubItemCollection(ListItem* item) : item_(item) {}
    // The text of sub-item `index`, the sub-items up to it added empty.
    QString& ensure(int index);
    ListSubItem& handle(int index) const;
    // Null unless the sub-item's object was asked for.
    const ListSubItem* handleIfMade(int index) const;
    ListItem* item_;
    // Sub-item j's text at j-1: one block per row however many columns it fills.
    std::vector<QString> texts_;
    mutable std::vector<std::unique_ptr<ListSubItem>> handles_;
};

// A row of the list. A handle stays valid while the item is in the list.
class ListItem {
  public:
    const QString& Text() const { return text_; }
    void setText(const QString& text);
    // Sub-item j is shown in the column whose SubItemIndex is j (column j+1). Reading one that
    // was never set gives ""; error 380 for j < 1. Good until the row is given more sub-items.
    const QString& SubItems(int j) const;
    void setSubItems(int j, const QString& text);
    void setSubItems(int j, QString&& text);
    ListSubItemCollection& ListSubItems() { return subs_; }
    const ListSubItemCollection& ListSubItems() const { return subs_; }
    // The colour of the item text (the first column).
    qint32 ForeColor() const { return foreColor_; }
    void setForeColor(qint32 color);
    void setSelected(bool on);
    // 1-based place in display order (after sorting).
    int Index() const;
    const QString& Tag() const { return tag_; }
    void setTag(const QString& tag) { tag_ = tag; }
    void EnsureVisible();

  private:
    friend class ListViewRow;
    friend class ListItemCollection;
    friend class ListSubItem;
    friend class ListSubItemCollection;
    friend class ListView;
    ListItem(ListView* view, ListViewRow* row) : view_(view), row_(row), subs_(this) {}
    void changed(int column);

    ListView* view_;
    ListViewRow* row_;
    QString text_;
    QString tag_;
    qint32 foreColor_ = 0;
    bool hasColor_ = false;
    ListSubItemCollection subs_;
};

class ListItemCollection {
  public:
    // Appends; a sorted list puts the item in its place. The first item added to an empty list
    // becomes the selected item.
    ListItem& Add(const QString& text);
    int Count() const;
    void Clear();
    // 1-based, in display order. Error 35600 out of bounds.
    ListItem& operator()(int index) const;

  private:
    friend class ListView;
    friend class ListItem;
    explicit ListItemCollection(ListView* view) : view_(view) {}
    ListView* view_;
};

// ---------------------------------------------------------------------------------------------
// A list in report view (QTreeWidget).
class ListView : public Control {
  public:
    ListView(Form* form, const QString& name, int index = -1);
    ~ListView() override;

    ColumnHeaderCollection ColumnHeaders;
    ListItemCollection ListItems;

    void setColumnHeaderIcons(ImageList* images);

    // The selected item; null when none. Setting it selects (no events).
    ListItem* SelectedItem() const;
    void setSelectedItem(ListItem* item);
    // The first item from `start` (1-based, display order) whose text (where 0), or one of
    // whose sub-items (where 1), equals `text` ignoring case; with match 1 (partial), whose text
    // begins with it. Null when none.
    ListItem* FindItem(const QString& text, int where = lvwText, int start = 1,
                       int match = lvwWholeWord) const;

    // While Sorted, the list keeps itself in SortKey/SortOrder order, comparing texts without
    // regard to case; changing any of the three re-sorts at once.
    bool Sorted() const { return sorted_; }
    void setSorted(bool on);
    int SortKey() const { return sortKey_; }
    void setSortKey(int column);
    int SortOrder() const { return sortOrder_; }
    void setSortOrder(int order);

    void setGridLines(bool on);
    void setHideSelection(bool on) { hideSelection_ = on; }

    std::function<void(ColumnHeader& header)> ColumnClick;
    // Whenever a person makes an item the selected one: by a click (also on the item selected
    // already), the arrow, Home, End and Page keys, or by typing the start of its text. Never
    // when code selects an item.
    std::function<void(ListItem& item)> ItemClick;
    std::function<void()> Click;
    std::function<void()> DblClick;

    // ---- person-side
    // Selects the item (1-based display index, or the first whose text is `text`), then
    // ItemClick, then Click.
    bool clickItem(int index);
    bool clickItem(const QString& text);
    // As clickItem, then DblClick.
    bool dblClickItem(int index);
    bool dblClickItem(const QString& text);
    bool clickHeader(int index);
    bool clickHeader(const QString& key);
    // A click on the empty part of the list: Click, the selection unchanged.
    bool clickEmpty();

    // The widget, every row added so far handed over to it.
    QTreeWidget* treeWidget() const;
    // The texts of a row as shown, column by column in screen order (hidden columns left out).
    QStringList rowTexts(int index) const;

  protected:
    bool keyAction(int keyCode, int shift, int keyAscii) override;
    bool handlesQtKey(int keyCode, int keyAscii) const override;
    bool mouseFromQt(QWidget* widget, QMouseEvent* event, int type) override;

  private:
    friend class ListItem;
    friend class ListItemCollection;
    friend class ColumnHeader;
    friend class ColumnHeaderCollection;
    friend class ListViewRow;
    friend class ListSubItem;
    friend class ListSubItemCollection;
    friend class ListViewTree;

    // The widget, without first adding the rows held back.
    QTreeWidget* qtTree() const;
    // The rows, those held back included.
    int rowCount() const;
    // Rows added one after another are handed to the tree together (see ListViewSorting.cpp).
    bool holdBack(ListViewRow* row);
    void flushPending() const;
    void dropPending();

    // Keeping a sorted list in order (see ListViewSorting.cpp).
    void ensureSorted() const;
    void resort() const;
    void textChanging(ListViewRow* row, int column);
    void markUnsorted(ListViewRow* row, int column);
    void noteAdded(ListViewRow* row);
    int placeForNewRow(const ListViewRow& row);
    // Whether a new row of a sorted list is appended, to be sorted with all the others (or,
    // without the column, left) at the next read, rather than put into its place.
    bool appendsForFullSort();
    void postOrdering();
    bool ordersByColumn() const;
    bool isFresh(const ListViewRow& row) const;
    // Rows added since the last ordering, those removed since included.
    quint64 freshCount() const { return nextSeq_ - orderedSeq_; }
    int compareTexts(const ListViewRow& a, const ListViewRow& b) const;
    bool comesBefore(const ListViewRow& a, const ListViewRow& b) const;
    ListViewRow* rowAtPosition(int position) const;
    void numberRows(std::vector<int>* unplacedPositions) const;
    static int skipUnplaced(int placed, const std::vector<int>& unplacedPositions);
    void placeUnplaced() const;
    void forgetUnplaced() const;
    void leaveUnordered() const;
    void markOrdered() const;
    void keepSelection(const QList<QTreeWidgetItem*>& selected, QTreeWidgetItem* current) const;
    ListViewRow* rowAt(int index) const;  // 0-based display index
    ListViewRow* rowWithText(const QString& text) const;
    // The row a person's action is on; null (with a warning) when a person cannot act or
    // there is no such row.
    ListViewRow* personRow(int index);
    ListViewRow* personRow(const QString& text);
    void selectQuietly(ListViewRow* row);
    ListViewRow* selectedRow() const;
    // Selects the row a person moved to and tells the window (ItemClick).
    void personSelect(ListViewRow* row);
    // Typing: the next item whose text begins with what was typed in quick succession.
    void searchTyped(QChar typed);
    bool personClick(ListViewRow* row, bool doubleClick);
    void onQtItemClicked(ListViewRow* row, bool doubleClick);
    // A real press and release on the rows: a row that the mouse made the selected one without
    // a click on it (dragged to, right-clicked) is told as well; a refused click is undone.
    void notePress();
    void afterRelease();
    // Gives the last shown column the room the list has beyond the other columns, and the
    // others their own widths.
    void fitColumns();
    void columnResized(int column, int pixels);
    // Room for every shown column at its own width.
    int columnsWidth() const;

    ImageList* headerIcons_ = nullptr;
    bool sorted_ = false;
    int sortKey_ = 0;
    int sortOrder_ = lvwAscending;
    bool hideSelection_ = true;
    // Rows added and not yet handed to the tree, in the order of adding.
    mutable std::vector<ListViewRow*> pending_;
    // Rows to be moved into their places at the next read, unless all are sorted then.
    mutable std::vector<ListViewRow*> unplaced_;
    mutable bool resortAll_ = false;
    // The last seq given to a row added at the end of a sorted list, and what it was at the
    // last ordering: rows added since are "fresh".
    quint64 nextSeq_ = 0;
    mutable quint64 orderedSeq_ = 0;
    bool sortPosted_ = false;
    bool fittingColumns_ = false;
    Qt::MouseButton lastQtButton_ = Qt::LeftButton;
    // Counts the changes of the selection by code and by ItemClick, so that a release can tell
    // whether only the mouse moved it since the press.
    quint64 selectionChanges_ = 0;
    quint64 changesAtPress_ = 0;
    ListViewRow* selectedAtPress_ = nullptr;
    QString typed_;
    QElapsedTimer lastTyped_;
};

}  // namespace ui
