#pragma once

#include <QIcon>
#include <QString>
#include <QVariant>
#include <memory>
#include <vector>

namespace ui {

class ListImage {
  public:
    ListImage(int index, QString key, QIcon picture)
        : index_(index), key_(std::move(key)), picture_(std::move(picture)) {}
    int Index() const { return index_; }
    const QString& Key() const { return key_; }
    const QIcon& Picture() const { return picture_; }

  private:
    friend class ListImageCollection;
    int index_;
    QString key_;
    QIcon picture_;
};

// The images of an image list, addressed by 1-based index or by key.
class ListImageCollection {
  public:
    // Inserts at `index` (1-based) or appends when -1. Error 35602 for a key in use.
    ListImage& Add(int index, const QString& key, const QIcon& picture);
    ListImage& Add(const QString& key, const QIcon& picture) { return Add(-1, key, picture); }
    int Count() const { return static_cast<int>(images_.size()); }
    void Clear() { images_.clear(); }
    void Remove(int index);
    // Error 35600 for an index out of bounds, 35601 for an unknown key.
    ListImage& operator()(int index) const;
    ListImage& operator()(const QString& key) const;
    // By an int (index) or a string (key) held in a variant; null when there is no such image.
    const ListImage* find(const QVariant& indexOrKey) const;

  private:
    void renumber();
    std::vector<std::unique_ptr<ListImage>> images_;
};

// An image list: the pictures list views show in headers and items.
class ImageList {
  public:
    explicit ImageList(QString name = {}) : name_(std::move(name)) {}
    ImageList(ImageList&&) = default;
    ImageList& operator=(ImageList&&) = default;

    const QString& Name() const { return name_; }

    ListImageCollection ListImages;

    // The sort images the windows put in list headers: "up" (image 1) and "down" (image 2).
    static ImageList withSortArrows(const QString& name = QStringLiteral("ImageList1"));
    void addSortArrows();
    // A small arrow pointing up or down, as used by addSortArrows.
    static QIcon sortArrow(bool up);

  private:
    QString name_;
};

}  // namespace ui
