// A list view's columns: the headers (text, width, alignment, image) and their collection, and
// how the widths are shared out: every shown column at its own width, the last one given what
// the list has left over.

#include <QHeaderView>
#include <QStyle>
#include <QStyleOptionHeader>
#include <algorithm>

#include "ui/ControlSupport.h"
#include "ui/ImageList.h"
#include "ui/ListViewRow.h"

namespace ui {

using listview::columnAlignment;
using listview::keyInUse;
using listview::noIcon;
using listview::notFound;
using listview::outOfBounds;

namespace {

constexpr int DefaultColumnWidth = 1440;  // twips

}  // namespace

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
    const ImageList* images = view_->headerIcons_;
    if (images == nullptr) {
        rt::raise(rt::err::ImageListNotInitialized);
    }
    const QIcon* image = images->picture(indexOrKey);
    if (image == nullptr) {
        notFound();
    }
    return *image;
}

int ColumnHeader::Index() const {
    return view_->ColumnHeaders.indexOf(this) + 1;
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

// ---- ListView: the columns' widths and images ------------------------------------------------

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
        const QIcon* icon = images != nullptr ? images->picture(header->icon_) : nullptr;
        treeWidget()->headerItem()->setIcon(header->column_, icon != nullptr ? *icon : QIcon());
    }
}

}  // namespace ui
