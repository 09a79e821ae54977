#pragma once

#include <QIcon>
#include <QString>
#include <QVariant>
#include <utility>
#include <vector>

namespace ui {

// An image list: the pictures list views show in their headers, addressed by 1-based index or
// by key.
class ImageList {
  public:
    // The sort images the windows put in list headers: "up" (image 1) and "down" (image 2).
    static ImageList withSortArrows(const QString& name = QStringLiteral("ImageList1"));

    // The picture of an index (an int) or a key (a string) held in a variant; null when there
    // is no such image.
    const QIcon* picture(const QVariant& indexOrKey) const;

  private:
    std::vector<std::pair<QString, QIcon>> images_;
};

}  // namespace ui
