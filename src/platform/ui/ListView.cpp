#include "ui/ListView.h"

#include <QApplication>
#include <QHeaderView>
#include <QMetaObject>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionHeader>
#include <QTreeWidget>
#include <QtDebug>
#include <algorithm>

#include "runtime/Convert.h"
#include "ui/Colors.h"
#include "ui/ControlSupport.h"
#include "ui/FormDetail.h"
#include "ui/Host.h"
#include "ui/ImageList.h"
#include "ui/ListOrder.h"

namespace ui {

namespace {

constexpr int DefaultColumnWidth = 1440;  // twips

// Rows whose place a sorted list works out one by one at the next read; with more, it sorts
// them all at once.
constexpr std::size_t MaxUnplacedRows = 32;
// New rows that a sorted list puts into their places while nobody reads it; those added after
// them are appended and sorted all at once at the next read, which is quicker for a long fill.
constexpr quint64 MaxRowsPlacedUnread = 64;

[[noreturn]] void outOfBounds() {
    rt::raise(rt::err::IndexOutOfBounds);
}
[[noreturn]] void notFound() {
    rt::raise(rt::err::ElementNotFound);
}
[[noreturn]] void keyInUse() {
    rt::raise(rt::err::KeyNotUnique);
}

bool noIcon(const QVariant& indexOrKey) {
    if (!indexOrKey.isValid() || indexOrKey.isNull()) {
        return true;
    }
    if (indexOrKey.typeId() == QMetaType::QString) {
        return indexOrKey.toString().isEmpty();
    }
    return indexOrKey.toInt() == 0;
}

Qt::Alignment columnAlignment(int alignment) {
    switch (alignment) {
        case lvwColumnRight:
            return Qt::AlignRight | Qt::AlignVCenter;
        case lvwColumnCenter:
            return Qt::AlignHCenter | Qt::AlignVCenter;
        default:
            return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

}  // namespace

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
    bool unplaced = false;  // its text changed, or it was put at a given index, since then

    // Held back from the tree (ListView::holdBack): every other row of the list is in it.
    bool heldBack() const { return treeWidget() == nullptr; }

    QString columnText(int column) const {
        const QString* text = textIn(column);
        return text != nullptr ? *text : QString();
    }
    // The same without a copy, for the comparisons of sorting.
    QStringView columnView(int column) const {
        const QString* text = textIn(column);
        return text != nullptr ? QStringView(*text) : QStringView();
    }

    QVariant data(int column, int role) const override {
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
            case Qt::FontRole: {
                const ListSubItem* sub = subItem(column);
                const bool bold = column == 0 ? item.bold_ : (sub != nullptr && sub->bold_);
                if (!bold || treeWidget() == nullptr) {
                    return {};
                }
                QFont font = treeWidget()->font();
                font.setBold(true);
                return font;
            }
            case Qt::TextAlignmentRole: {
                // The first column keeps its text to the left, whatever its header says.
                if (column == 0) {
                    return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
                }
                const ColumnHeader* header = item.view_->ColumnHeaders.byColumn(column);
                return QVariant::fromValue(
                    columnAlignment(header != nullptr ? header->Alignment() : lvwColumnLeft));
            }
            case Qt::DecorationRole:
                if (column == 0 && !noIcon(item.smallIcon_)) {
                    return item.view_->iconFor(item.view_->SmallIcons(), item.smallIcon_);
                }
                return {};
            default:
                return QTreeWidgetItem::data(column, role);
        }
    }

    void setData(int column, int role, const QVariant& value) override {
        // The texts live in the item; the tree never edits them.
        if (role == Qt::DisplayRole || role == Qt::EditRole) {
            return;
        }
        QTreeWidgetItem::setData(column, role, value);
    }

    // Only a full sort asks. Rows with equal texts keep the order they had before it in either
    // direction: Qt sorts downwards by swapping the two rows it compares.
    bool operator<(const QTreeWidgetItem& other) const override {
        const ListView& owner = *item.view_;
        const auto& row = static_cast<const ListViewRow&>(other);
        const int order =
            compareListTexts(columnView(owner.SortKey()), row.columnView(owner.SortKey()));
        if (order != 0) {
            return order < 0;
        }
        return owner.SortOrder() == lvwDescending ? before > row.before : before < row.before;
    }

    // The texts and colours live in the item and are read when the row is painted, so a
    // change needs a repaint only. Telling the model (emitDataChanged) for every sub-item set
    // made filling a list of thousands of rows three times slower.
    void changed() {
        if (QTreeWidget* tree = treeWidget()) {
            tree->viewport()->update();
        }
    }

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
    ListViewTree(QWidget* parent, ListView* view) : QTreeWidget(parent), view_(view) {
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
    void detach() { view_ = nullptr; }
    // QTreeWidget::scrollToItem goes round the scrollTo below.
    void bringIntoView(QTreeWidgetItem* row) { scrollTo(indexFromItem(row), EnsureVisible); }

    void scrollTo(const QModelIndex& index, ScrollHint hint) override {
        QScrollBar* bar = horizontalScrollBar();
        const int left = bar->value();
        QTreeWidget::scrollTo(index, hint);
        bar->setValue(left);
    }

    QSize sizeHint() const override {
        // A few pixels over, so that a layout that rounds does not bring a scroll bar.
        constexpr int Slack = 4;
        QSize hint = QTreeWidget::sizeHint();
        if (view_ != nullptr) {
            hint.setWidth(view_->columnsWidth() + 2 * frameWidth() +
                          style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this) + Slack);
        }
        return hint;
    }

  protected:
    void mousePressEvent(QMouseEvent* event) override {
        if (view_ != nullptr) {
            view_->notePress();
        }
        QTreeWidget::mousePressEvent(event);
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        QTreeWidget::mouseReleaseEvent(event);
        if (view_ != nullptr) {
            view_->afterRelease();
        }
    }
    void resizeEvent(QResizeEvent* event) override {
        QTreeWidget::resizeEvent(event);
        if (view_ != nullptr) {
            view_->fitColumns();
        }
    }

  private:
    ListView* view_;
    int left_ = 0;
    bool rebounding_ = false;
};

// ---- ColumnHeader ----------------------------------------------------------------------------

void ColumnHeader::setText(const QString& text) {
    text_ = text;
    view_->treeWidget()->headerItem()->setText(column_, text);
    applyWidth();
}

int ColumnHeader::Width() const {
    if (view_->treeWidget()->isColumnHidden(column_)) {
        return 0;
    }
    return pixelsToTwips(pixels_);
}

void ColumnHeader::setWidth(int twips) {
    QTreeWidget* tree = view_->treeWidget();
    givenTwips_ = std::max(0, twips);
    tree->setColumnHidden(column_, twips <= 0);
    pixels_ = 0;
    applyWidth();
}

int ColumnHeader::leastPixels() const {
    // Room for the sort image whether the header shows one now or not, so that the columns
    // do not jump when a click moves it.
    const QHeaderView* header = view_->qtTree()->header();
    const QStyle* style = header->style();
    QStyleOptionHeader option;
    option.initFrom(header);
    option.text = text_;
    const int text =
        style->sizeFromContents(QStyle::CT_HeaderSection, &option, QSize(), header).width();
    const int image = style->pixelMetric(QStyle::PM_SmallIconSize, &option, header) +
                      style->pixelMetric(QStyle::PM_HeaderMargin, &option, header);
    return std::max(twipsToPixels(givenTwips_), text + image);
}

void ColumnHeader::applyWidth() {
    if (view_->qtTree()->isColumnHidden(column_)) {
        return;
    }
    pixels_ = std::max(pixels_, leastPixels());
    view_->fitColumns();
}

void ColumnHeader::setAlignment(int alignment) {
    if (alignment < lvwColumnLeft || alignment > lvwColumnCenter) {
        detail::invalidValue();
    }
    alignment_ = alignment;
    view_->treeWidget()->headerItem()->setTextAlignment(column_, columnAlignment(alignment));
    view_->treeWidget()->viewport()->update();
}

void ColumnHeader::setIcon(const QVariant& indexOrKey) {
    const QIcon icon = resolveIcon(indexOrKey);
    icon_ = indexOrKey;
    view_->treeWidget()->headerItem()->setIcon(column_, icon);
}

QIcon ColumnHeader::resolveIcon(const QVariant& indexOrKey) const {
    if (noIcon(indexOrKey)) {
        return {};
    }
    ImageList* images = view_->ColumnHeaderIcons();
    if (images == nullptr) {
        rt::raise(rt::err::ImageListNotInitialized);
    }
    const ListImage* image = images->ListImages.find(indexOrKey);
    if (image == nullptr) {
        notFound();
    }
    return image->Picture();
}

int ColumnHeader::Index() const {
    return view_->ColumnHeaders.indexOf(this) + 1;
}

int ColumnHeader::Position() const {
    return view_->treeWidget()->header()->visualIndex(column_) + 1;
}

QIcon ColumnHeader::shownIcon() const {
    return view_->treeWidget()->headerItem()->icon(column_);
}

// ---- ColumnHeaderCollection ------------------------------------------------------------------

ColumnHeader& ColumnHeaderCollection::Add(int index, const QString& key, const QString& text,
                                          int width, int alignment, const QVariant& icon) {
    if (!key.isEmpty() && find(key) != nullptr) {
        keyInUse();
    }
    const int count = Count();
    if (index != -1 && (index < 1 || index > count + 1)) {
        outOfBounds();
    }
    QTreeWidget* tree = view_->treeWidget();
    const int column = tree->columnCount();
    tree->setColumnCount(column + 1);
    auto header = std::unique_ptr<ColumnHeader>(new ColumnHeader(view_, column));
    ColumnHeader& ref = *header;
    ref.key_ = key;
    const int place = index == -1 ? count : index - 1;
    headers_.insert(headers_.begin() + place, std::move(header));
    if (place != count) {
        tree->header()->moveSection(tree->header()->visualIndex(column), place);
    }
    ref.setText(text);
    ref.setWidth(width < 0 ? DefaultColumnWidth : width);
    ref.setAlignment(alignment);
    if (!noIcon(icon)) {
        ref.setIcon(icon);
    }
    return ref;
}

void ColumnHeaderCollection::Clear() {
    headers_.clear();
    QTreeWidget* tree = view_->treeWidget();
    tree->setColumnCount(0);
}

void ColumnHeaderCollection::Remove(int index) {
    if (index < 1 || index > Count()) {
        outOfBounds();
    }
    // Qt cannot take a column out of the middle: it is hidden, and the sub-items keep their
    // places.
    const int column = headers_[static_cast<std::size_t>(index - 1)]->column_;
    view_->treeWidget()->setColumnHidden(column, true);
    headers_.erase(headers_.begin() + (index - 1));
    view_->fitColumns();
}

ColumnHeader& ColumnHeaderCollection::operator()(int index) const {
    if (index < 1 || index > Count()) {
        outOfBounds();
    }
    return *headers_[static_cast<std::size_t>(index - 1)];
}

ColumnHeader& ColumnHeaderCollection::operator()(const QString& key) const {
    ColumnHeader* header = find(key);
    if (header == nullptr) {
        notFound();
    }
    return *header;
}

ColumnHeader* ColumnHeaderCollection::find(const QString& key) const {
    for (const auto& header : headers_) {
        if (!key.isEmpty() && header->Key() == key) {
            return header.get();
        }
    }
    return nullptr;
}

ColumnHeader* ColumnHeaderCollection::byColumn(int column) const {
    for (const auto& header : headers_) {
        if (header->column_ == column) {
            return header.get();
        }
    }
    return nullptr;
}

int ColumnHeaderCollection::indexOf(const ColumnHeader* header) const {
    for (std::size_t i = 0; i < headers_.size(); ++i) {
        if (headers_[i].get() == header) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

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

QString ListItem::SubItems(int j) const {
    if (j < 1) {
        detail::invalidValue();
    }
    if (j > subs_.Count()) {
        return {};
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

// ---- ListView --------------------------------------------------------------------------------

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
    ListItems.keys_.clear();
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

void ListView::fitColumns() {
    QTreeWidget* tree = qtTree();
    if (fittingColumns_ || tree == nullptr) {
        return;
    }
    fittingColumns_ = true;
    QHeaderView* header = tree->header();
    auto give = [header](const ColumnHeader& column, int pixels) {
        if (header->sectionSize(column.column_) != pixels) {
            header->resizeSection(column.column_, pixels);
        }
    };
    const ColumnHeader* last = nullptr;
    int others = 0;
    for (int visual = 0; visual < header->count(); ++visual) {
        const int column = header->logicalIndex(visual);
        const ColumnHeader* shown = ColumnHeaders.byColumn(column);
        if (shown == nullptr || header->isSectionHidden(column)) {
            continue;
        }
        if (last != nullptr) {
            give(*last, last->pixels_);
            others += last->pixels_;
        }
        last = shown;
    }
    if (last != nullptr) {
        give(*last, std::max(last->pixels_, tree->viewport()->width() - others));
    }
    fittingColumns_ = false;
}

void ListView::columnResized(int column, int pixels) {
    // A column a person drags keeps the width it was given by the drag.
    if (fittingColumns_) {
        return;
    }
    if (ColumnHeader* header = ColumnHeaders.byColumn(column); header != nullptr && pixels > 0) {
        header->pixels_ = pixels;
    }
    fitColumns();
}

int ListView::columnsWidth() const {
    int width = 0;
    for (const auto& header : ColumnHeaders.headers_) {
        if (!qtTree()->isColumnHidden(header->column_)) {
            width += header->pixels_;
        }
    }
    return width;
}

void ListView::setColumnHeaderIcons(ImageList* images) {
    headerIcons_ = images;
    // Headers show their image from the new list, or none when it has no such image.
    for (const auto& header : ColumnHeaders.headers_) {
        const QIcon icon = iconFor(images, header->icon_);
        treeWidget()->headerItem()->setIcon(header->column_, icon);
    }
}

void ListView::setSmallIcons(ImageList* images) {
    smallIcons_ = images;
    treeWidget()->viewport()->update();
}

QIcon ListView::iconFor(ImageList* images, const QVariant& indexOrKey) const {
    if (images == nullptr) {
        return {};
    }
    const ListImage* image = images->ListImages.find(indexOrKey);
    return image != nullptr ? image->Picture() : QIcon();
}

bool ListView::GridLines() const {
    return !treeWidget()->styleSheet().isEmpty();
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

bool ListView::HideColumnHeaders() const {
    return treeWidget()->isHeaderHidden();
}

void ListView::setHideColumnHeaders(bool on) {
    treeWidget()->setHeaderHidden(on);
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

// ---- keeping a sorted list in order
//
// A sorted list is in order whenever code or a person reads it, as if it were sorted (stably,
// by the sort column's text without regard to case) at each read: rows with equal texts keep
// the order they had, and rows added since the last read count as coming after all others, in
// the order of adding. To spare a sort at each read of a fill loop, a new row goes straight
// into its place when it joins the tree; only rows whose sort text changed, or that were put at a
// given index, wait for the next read ("unplaced") and are then moved into their places one by one.

// ---- rows held back
//
// Qt tells the view and the selection about every row that joins the tree, which costs many
// times what keeping the row does. Rows added one after another are therefore held back and
// handed over together at the next read of the list (anything but another Add or a change of
// the items just added), or, with a person at the screen, as soon as the filling code is done.
// The first row of an empty list goes in at once, as it becomes the selected one. A held-back
// row is placed as it would have been when added: at the end, or in a sorted list, in its place.

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
    const int order = compareListTexts(a.columnView(sortKey_), b.columnView(sortKey_));
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
    if (resortAll_ || !ordersByColumn() || freshCount() >= MaxRowsPlacedUnread) {
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

void ListView::noteAdded(ListViewRow* row, bool atIndex) {
    if (!sorted_) {
        return;
    }
    if (atIndex) {
        // Its place was given: like a changed row, it finds its own at the next read.
        markUnsorted(row, -1);
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
    if (!sorted_ || (column >= 0 && column != sortKey_)) {
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

bool ListView::rightClickItem(int index) {
    ListViewRow* row = personRow(index);
    if (row == nullptr) {
        return false;
    }
    // As on the screen: the press selects the row, the release tells it when it is a new one.
    const bool moved = row != selectedRow();
    selectQuietly(row);
    fireMouse(MouseDown, vbRightButton, 0);
    if (detail::isAlive(this)) {
        fireMouse(MouseUp, vbRightButton, 0);
    }
    if (moved && detail::isAlive(this)) {
        personSelect(row);
    }
    return true;
}

bool ListView::clickHeader(int index) {
    if (!canAct()) {
        return refusePerson("header click");
    }
    if (index < 1 || index > ColumnHeaders.Count() || treeWidget()->isHeaderHidden()) {
        qWarning("ui: %s has no header %d to click", qUtf8Printable(Name()), index);
        return false;
    }
    activateForm(&Parent());
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
