#pragma once

#include <QColor>
#include <QtGlobal>

namespace ui {

// Colours are platform colour values: red in the low byte, then green, then blue. Values
// with the high bit set name system colours (0x80000008 window text, 0x8000000F button face,
// 0x80000005 window background, ...), which follow the desktop's palette.
QColor colorFromValue(qint32 value);

}  // namespace ui
