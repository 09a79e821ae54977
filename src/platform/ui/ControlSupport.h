#pragma once

// What the controls share in their implementation; private to the window layer.

#include <QPalette>
#include <QString>
#include <QtGlobal>

class QWidget;

namespace ui::detail {

// Error 380, invalid property value.
[[noreturn]] void invalidValue();

// Qt's horizontal alignment for vbLeftJustify, vbRightJustify and vbCenter.
Qt::Alignment horizontalAlignment(int alignment);

// Shows a colour value in a role of the widget's palette. A disabled control shows its text
// (WindowText, Text) greyed whatever its colour, so that a person sees it cannot be used.
void setPaletteColor(QWidget* widget, QPalette::ColorRole role, qint32 value);

// The character of a character code.
QString charText(int code);

}  // namespace ui::detail
