#pragma once

#include <QChar>
#include <Qt>

class QKeyEvent;

namespace ui {

// Key codes of the windows' key events (vbKeyReturn, vbKeyF2, ...) for Qt's keys; 0 for keys
// that have none.
int vbKeyCode(int qtKey);
// The Shift argument (vbShiftMask | vbCtrlMask | vbAltMask) for Qt's modifiers.
int vbShiftState(Qt::KeyboardModifiers modifiers);
// The KeyAscii of a real key press: the character it types, 0 when it types none.
int vbKeyAscii(const QKeyEvent& event);
// The character a key code types with the given Shift state, as a person pressing it would
// (letters lower case unless shifted, digits, Back, Return, Escape, Space); 0 for none.
int vbKeyAsciiFor(int keyCode, int shift);
// The key code that types a character, and whether Shift is needed for it.
int vbKeyCodeForChar(QChar ch, int* shift);

}  // namespace ui
