#pragma once

#include <QHeaderView>
#include <QList>
#include <QStringList>
#include <QStyle>
#include <QVariant>

#include "ui/ListControls.h"
#include "ui/ListView.h"

// What a person reads off a window's lists, for the checks of every fixture that derives from
// it: the entries of a combo box, a column of a list view, the icons of its headers.
struct ListReading {
    static QStringList entries(const ui::ComboBox& combo) {
        QStringList list;
        for (int i = 0; i < combo.ListCount(); ++i) {
            list << combo.List(i);
        }
        return list;
    }

    // One column of a list, top to bottom (0 is the item text).
    static QStringList column(const ui::ListView& lvw, int j) {
        QStringList list;
        for (int i = 1; i <= lvw.ListItems.Count(); ++i) {
            const ui::ListItem& item = lvw.ListItems(i);
            list << (j == 0 ? item.Text() : item.SubItems(j));
        }
        return list;
    }

    // The icon of each header of a list, as an image number ("up" 1, "down" 2).
    static QList<int> icons(const ui::ListView& lvw) {
        QList<int> list;
        for (int i = 1; i <= lvw.ColumnHeaders.Count(); ++i) {
            const QVariant& icon = lvw.ColumnHeaders(i).Icon();
            if (icon.typeId() == QMetaType::QString) {
                list << (icon.toString() == QLatin1String("up")     ? 1
                         : icon.toString() == QLatin1String("down") ? 2
                                                                    : 0);
            } else {
                list << icon.toInt();
            }
        }
        return list;
    }

    // The width a header of the list needs to show its text whole beside a sort image.
    static int headerNeeds(const QHeaderView& header, const QString& text) {
        const QStyle* style = header.style();
        return header.fontMetrics().horizontalAdvance(text) +
               style->pixelMetric(QStyle::PM_SmallIconSize) +
               2 * style->pixelMetric(QStyle::PM_HeaderMargin) + 2;
    }
};
