#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

namespace ui {

// The order of the lists that sort themselves (list views, combo boxes, list boxes): texts
// compared without regard to case, as QString::compare with Qt::CaseInsensitive does. Plain
// ASCII, the usual case, is compared without the general case folding; the result is the same.
int compareListTexts(QStringView a, QStringView b) noexcept;

// The place for text among count entries in that order: after the equal ones. textAt(i) gives
// entry i; only the entries the search compares with are read.
template <class TextAt>
int sortedPlace(int count, TextAt textAt, const QString& text) {
    int low = 0;
    int high = count;
    while (low < high) {
        const int mid = low + (high - low) / 2;
        if (compareListTexts(textAt(mid), text) <= 0) {
            low = mid + 1;
        } else {
            high = mid;
        }
    }
    return low;
}

// The texts of a combo box's or list box's entries in the widget's order, kept beside the
// widget only to find a sorted entry's place. Asking the widget for a text hands it over as a
// variant, which made that search cost more than the insertion itself.
class EntryTexts {
  public:
    int sortedPlace(const QString& text) const {
        return ui::sortedPlace(
            static_cast<int>(texts_.size()), [this](int i) -> const QString& { return texts_[i]; },
            text);
    }
    void insert(int index, const QString& text) { texts_.insert(index, text); }
    void remove(int index) { texts_.removeAt(index); }
    void set(int index, const QString& text) { texts_[index] = text; }
    void clear() { texts_.clear(); }

  private:
    QStringList texts_;
};

}  // namespace ui
