#include "ui/Colors.h"

#include <QApplication>
#include <QPalette>

#include "runtime/Convert.h"

namespace ui {

QColor colorFromValue(qint32 value) {
    if (value >= 0) {
        return rt::ColorFromLong(value);
    }
    const QPalette palette = QApplication::palette();
    switch (value & 0xFF) {
        case 0x04:
            return palette.color(QPalette::Window);
        case 0x05:
            return palette.color(QPalette::Base);
        case 0x07:
            return palette.color(QPalette::WindowText);
        case 0x08:
            return palette.color(QPalette::Text);
        case 0x0D:
            return palette.color(QPalette::Highlight);
        case 0x0E:
            return palette.color(QPalette::HighlightedText);
        case 0x0F:
            return palette.color(QPalette::Button);
        case 0x10:
            return palette.color(QPalette::Dark);
        case 0x11:
            return palette.color(QPalette::Disabled, QPalette::Text);
        case 0x12:
            return palette.color(QPalette::ButtonText);
        case 0x14:
            return palette.color(QPalette::Light);
        case 0x17:
            return palette.color(QPalette::ToolTipText);
        case 0x18:
            return palette.color(QPalette::ToolTipBase);
        default:
            return palette.color(QPalette::Window);
    }
}

}  // namespace ui
