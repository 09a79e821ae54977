#include "ui/KeyMap.h"

#include <QKeyEvent>

#include "ui/Constants.h"

namespace ui {

int vbKeyCode(int qtKey) {
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) {
        return vbKeyA + (qtKey - Qt::Key_A);
    }
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) {
        return vbKey0 + (qtKey - Qt::Key_0);
    }
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12) {
        return vbKeyF1 + (qtKey - Qt::Key_F1);
    }
    switch (qtKey) {
        case Qt::Key_Backspace:
            return vbKeyBack;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return vbKeyTab;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return vbKeyReturn;
        case Qt::Key_Shift:
            return vbKeyShift;
        case Qt::Key_Control:
            return vbKeyControl;
        case Qt::Key_Alt:
            return vbKeyMenu;
        case Qt::Key_Escape:
            return vbKeyEscape;
        case Qt::Key_Space:
            return vbKeySpace;
        case Qt::Key_PageUp:
            return vbKeyPageUp;
        case Qt::Key_PageDown:
            return vbKeyPageDown;
        case Qt::Key_End:
            return vbKeyEnd;
        case Qt::Key_Home:
            return vbKeyHome;
        case Qt::Key_Left:
            return vbKeyLeft;
        case Qt::Key_Up:
            return vbKeyUp;
        case Qt::Key_Right:
            return vbKeyRight;
        case Qt::Key_Down:
            return vbKeyDown;
        case Qt::Key_Insert:
            return vbKeyInsert;
        case Qt::Key_Delete:
            return vbKeyDelete;
        case Qt::Key_Period:
        case Qt::Key_Greater:
            return 190;
        case Qt::Key_Comma:
        case Qt::Key_Less:
            return 188;
        case Qt::Key_Minus:
        case Qt::Key_Underscore:
            return 189;
        case Qt::Key_Slash:
        case Qt::Key_Question:
            return 191;
        default:
            return 0;
    }
}

int vbShiftState(Qt::KeyboardModifiers modifiers) {
    int shift = 0;
    if (modifiers & Qt::ShiftModifier) {
        shift |= vbShiftMask;
    }
    if (modifiers & Qt::ControlModifier) {
        shift |= vbCtrlMask;
    }
    if (modifiers & Qt::AltModifier) {
        shift |= vbAltMask;
    }
    return shift;
}

int vbKeyAscii(const QKeyEvent& event) {
    switch (event.key()) {
        case Qt::Key_Backspace:
            return vbKeyBack;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return vbKeyReturn;
        case Qt::Key_Escape:
            return vbKeyEscape;
        default:
            break;
    }
    const QString text = event.text();
    if (text.isEmpty()) {
        return 0;
    }
    const char32_t code = text.toUcs4().value(0);
    // Delete and the other keys that Qt reports with a control character type nothing.
    if (code == 0x7F || (code < 0x20 && !(event.modifiers() & Qt::ControlModifier))) {
        return 0;
    }
    return static_cast<int>(code);
}

int vbKeyAsciiFor(int keyCode, int shift) {
    const bool shifted = (shift & vbShiftMask) != 0;
    const bool control = (shift & vbCtrlMask) != 0;
    if (keyCode >= vbKeyA && keyCode <= vbKeyZ) {
        if (control) {
            return keyCode - vbKeyA + 1;
        }
        return shifted ? keyCode : keyCode + ('a' - 'A');
    }
    if (control) {
        return 0;
    }
    if (keyCode >= vbKey0 && keyCode <= vbKey9) {
        return shifted ? 0 : keyCode;
    }
    if (keyCode >= 96 && keyCode <= 105) {  // the number pad's digits
        return '0' + (keyCode - 96);
    }
    switch (keyCode) {
        case vbKeyBack:
        case vbKeyReturn:
        case vbKeyEscape:
        case vbKeySpace:
            return keyCode;
        case 190:
            return shifted ? '>' : '.';
        case 188:
            return shifted ? '<' : ',';
        case 189:
            return shifted ? '_' : '-';
        case 191:
            return shifted ? '?' : '/';
        default:
            return 0;
    }
}

int vbKeyCodeForChar(QChar ch, int* shift) {
    *shift = 0;
    const char16_t c = ch.unicode();
    if (c >= 'a' && c <= 'z') {
        return vbKeyA + (c - 'a');
    }
    if (c >= 'A' && c <= 'Z') {
        *shift = vbShiftMask;
        return vbKeyA + (c - 'A');
    }
    if (c >= '0' && c <= '9') {
        return vbKey0 + (c - '0');
    }
    switch (c) {
        case ' ':
            return vbKeySpace;
        case '\r':
        case '\n':
            return vbKeyReturn;
        case '\b':
            return vbKeyBack;
        case '.':
            return 190;
        case ',':
            return 188;
        case '-':
            return 189;
        case '/':
            return 191;
        default:
            // Characters without a key of their own still arrive as the character typed.
            return 0;
    }
}

}  // namespace ui
