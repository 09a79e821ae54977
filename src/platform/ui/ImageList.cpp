#include "ui/ImageList.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include "runtime/Error.h"

namespace ui {

namespace {
[[noreturn]] void outOfBounds() {
    rt::raise(rt::err::IndexOutOfBounds);
}
[[noreturn]] void notFound() {
    rt::raise(rt::err::ElementNotFound);
}
}  // namespace

ListImage& ListImageCollection::Add(int index, const QString& key, const QIcon& picture) {
    if (!key.isEmpty() && find(QVariant(key)) != nullptr) {
        rt::raise(rt::err::KeyNotUnique);
    }
    if (index == -1) {
        index = Count() + 1;
    }
    if (index < 1 || index > Count() + 1) {
        outOfBounds();
    }
    auto image = std::make_unique<ListImage>(index, key, picture);
    ListImage& ref = *image;
    images_.insert(images_.begin() + (index - 1), std::move(image));
    renumber();
    return ref;
}

void ListImageCollection::Remove(int index) {
    if (index < 1 || index > Count()) {
        outOfBounds();
    }
    images_.erase(images_.begin() + (index - 1));
    renumber();
}

void ListImageCollection::renumber() {
    for (std::size_t i = 0; i < images_.size(); ++i) {
        images_[i]->index_ = static_cast<int>(i) + 1;
    }
}

ListImage& ListImageCollection::operator()(int index) const {
    if (index < 1 || index > Count()) {
        outOfBounds();
    }
    return *images_[static_cast<std::size_t>(index - 1)];
}

ListImage& ListImageCollection::operator()(const QString& key) const {
    if (const ListImage* image = find(QVariant(key))) {
        return const_cast<ListImage&>(*image);
    }
    notFound();
}

const ListImage* ListImageCollection::find(const QVariant& indexOrKey) const {
    if (!indexOrKey.isValid()) {
        return nullptr;
    }
    if (indexOrKey.typeId() == QMetaType::QString) {
        const QString key = indexOrKey.toString();
        for (const auto& image : images_) {
            if (image->Key() == key) {
                return image.get();
            }
        }
        return nullptr;
    }
    bool ok = false;
    const int index = indexOrKey.toInt(&ok);
    if (!ok || index < 1 || index > Count()) {
        return nullptr;
    }
    return images_[static_cast<std::size_t>(index - 1)].get();
}

QIcon ImageList::sortArrow(bool up) {
    // Drawn rather than shipped as files: a small solid triangle in the text colour of a header.
    constexpr int size = 16;
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(64, 64, 64));
    QPainterPath path;
    if (up) {
        path.moveTo(8, 4);
        path.lineTo(13, 11);
        path.lineTo(3, 11);
    } else {
        path.moveTo(3, 5);
        path.lineTo(13, 5);
        path.lineTo(8, 12);
    }
    path.closeSubpath();
    painter.drawPath(path);
    painter.end();
    return QIcon(pixmap);
}

void ImageList::addSortArrows() {
    ListImages.Add(-1, QStringLiteral("up"), sortArrow(true));
    ListImages.Add(-1, QStringLiteral("down"), sortArrow(false));
}

ImageList ImageList::withSortArrows(const QString& name) {
    ImageList images(name);
    images.addSortArrows();
    return images;
}

}  // namespace ui
