#include "ui/ControlSupport.h"

#include <QApplication>
#include <QByteArray>
#include <QVariant>
#include <QWidget>

#include "runtime/Convert.h"
#include "runtime/Error.h"
#include "ui/Colors.h"
#include "ui/Constants.h"

namespace ui::detail {

void invalidValue() {
    rt::raise(rt::err::InvalidPropertyValue);
}

Qt::Alignment horizontalAlignment(int alignment) {
    switch (alignment) {
        case vbRightJustify:
            return Qt::AlignRight;
        case vbCenter:
            return Qt::AlignHCenter;
        default:
            return Qt::AlignLeft;
    }
}

namespace {
// The colour value last set for a role, kept with the widget.
QByteArray colorKey(QPalette::ColorRole role) {
    return QByteArrayLiteral("kelvoraColor") + QByteArray::number(static_cast<int>(role));
}
}  // namespace

void setPaletteColor(QWidget* widget, QPalette::ColorRole role, qint32 value,
                     bool greyWhenDisabled) {
    widget->setProperty(colorKey(role).constData(), value);
    QPalette palette = widget->palette();
    const QColor color = colorFromValue(value);
    if (greyWhenDisabled && (role == QPalette::WindowText || role == QPalette::Text)) {
        // A disabled control shows its text greyed whatever its colour, so that a person sees
        // it cannot be used; where the desktop's palette has no grey for it, its dark shade
        // serves.
        palette.setColor(QPalette::Active, role, color);
        palette.setColor(QPalette::Inactive, role, color);
        const QPalette desktop = QApplication::palette();
        QColor grey = desktop.color(QPalette::Disabled, role);
        if (grey == desktop.color(QPalette::Active, role)) {
            grey = desktop.color(QPalette::Dark);
        }
        palette.setColor(QPalette::Disabled, role, grey);
    } else {
        palette.setColor(role, color);
    }
    widget->setPalette(palette);
}

qint32 shownColor(const QWidget* widget, QPalette::ColorRole role, qint32 unset) {
    const QColor shown = widget->palette().color(QPalette::Active, role);
    const QVariant set = widget->property(colorKey(role).constData());
    const qint32 value = set.isValid() ? set.toInt() : unset;
    if (colorFromValue(value).rgb() == shown.rgb()) {
        return value;
    }
    return rt::LongFromColor(shown);
}

QString charText(int code) {
    const auto ch = static_cast<char32_t>(code);
    return QString::fromUcs4(&ch, 1);
}

}  // namespace ui::detail
