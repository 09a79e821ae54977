#include "ui/ImageList.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace ui {

const QIcon* ImageList::picture(const QVariant& indexOrKey) const {
    if (!indexOrKey.isValid()) {
        return nullptr;
    }
    if (indexOrKey.typeId() == QMetaType::QString) {
        const QString key = indexOrKey.toString();
        for (const auto& [imageKey, image] : images_) {
            if (imageKey == key) {
                return &image;
            }
        }
        return nullptr;
    }
    bool ok = false;
    const int index = indexOrKey.toInt(&ok);
    if (!ok || index < 1 || index > static_cast<int>(images_.size())) {
        return nullptr;
    }
    return &images_[static_cast<std::size_t>(index - 1)].second;
}

namespace {

// A small solid triangle in the text colour of a header, pointing up or down: drawn rather
// than shipped as files.
QIcon sortArrow(bool up) {
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

}  // namespace

ImageList ImageList::withSortArrows(const QString&) {
    ImageList images;
    images.images_.emplace_back(QStringLiteral("up"), sortArrow(true));
    images.images_.emplace_back(QStringLiteral("down"), sortArrow(false));
    return images;
}

}  // namespace ui
