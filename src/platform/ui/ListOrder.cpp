#include "ui/ListOrder.h"

#include <algorithm>

namespace ui {

int compareListTexts(QStringView a, QStringView b) noexcept {
    const qsizetype common = std::min(a.size(), b.size());
    const char16_t* left = a.utf16();
    const char16_t* right = b.utf16();
    for (qsizetype i = 0; i < common; ++i) {
        char16_t x = left[i];
        char16_t y = right[i];
        if (x == y) {
            continue;
        }
        if (x >= 0x80 || y >= 0x80) {
            // Beyond ASCII, case folding may join two code units into one character.
            return a.compare(b, Qt::CaseInsensitive);
        }
        if (x >= u'A' && x <= u'Z') {
            x += u'a' - u'A';
        }
        if (y >= u'A' && y <= u'Z') {
            y += u'a' - u'A';
        }
        if (x != y) {
            return x < y ? -1 : 1;
        }
    }
    if (a.size() == b.size()) {
        return 0;
    }
    return a.size() < b.size() ? -1 : 1;
}

}  // namespace ui
