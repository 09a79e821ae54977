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
// (WindowText, Text) greyed whatever its colour, so that a person sees it cannot be used;
// without greyWhenDisabled the colour stays.
void setPaletteColor(QWidget* widget, QPalette::ColorRole role, qint32 value,
                     bool greyWhenDisabled = true);
// The colour value a role of the widget's palette shows. The value last set is given back as
// it was set (a system colour as its own value) for as long as the widget shows it; before
// any was set, `unset` is, on the same terms. Otherwise the colour the widget shows.
qint32 shownColor(const QWidget* widget, QPalette::ColorRole role, qint32 unset);

// The character of a character code.
QString charText(int code);

}  // namespace ui::detail
