// Keys and focus in a window: the focus a window gives when it opens, moving the focus (with
// Validate, LostFocus and GotFocus), Tab, and the way of a key through KeyPreview, the active
// control, and the default and cancel buttons.

#include "ui/Form.h"

#include <QPointer>
#include <QtDebug>
#include <algorithm>
#include <utility>

#include "ui/FormState.h"
#include "ui/Host.h"
#include "ui/KeyMap.h"
#include "ui/MDIForm.h"

namespace ui {

void syncQtFocus(Control* control) {
    LayerState& s = state();
    if (control == nullptr || control->widget() == nullptr || !host().realInput() || s.focusGuard) {
        return;
    }
    s.focusGuard = true;
    control->widget()->setFocus(Qt::OtherFocusReason);
    s.focusGuard = false;
}

void Form::giveInitialFocus() {
    if (!visible_) {
        return;
    }
    if (ActiveControl() != nullptr) {
        syncQtFocus(ActiveControl());
        return;
    }
    Control* first = nullptr;
    for (Control* control : std::as_const(controls_)) {
        if (!control->takesFocus() || !control->TabStop() || !control->canAct() ||
            control->holdsControls()) {
            continue;
        }
        if (first == nullptr || control->TabIndex() < first->TabIndex()) {
            first = control;
        }
    }
    if (first != nullptr) {
        moveFocus(first, false);
    }
}

bool Form::pressKey(int keyCode, int shift) {
    if (!isFormLoaded() || !visible_) {
        qWarning("ui: key on %s ignored: it is not shown", qUtf8Printable(Name()));
        return false;
    }
    if (Form* top = detail::topModal(); top != nullptr && top != this) {
        qWarning("ui: key on %s ignored: %s is modal", qUtf8Printable(Name()),
                 qUtf8Printable(top->Name()));
        return false;
    }
    // Keys go to the active child of the main window.
    if (auto* main = qobject_cast<MDIForm*>(this)) {
        if (Form* child = main->ActiveForm()) {
            return child->pressKey(keyCode, shift);
        }
    }
    activateForm(this);
    Control* target = ActiveControl();
    if (target != nullptr && !target->canAct()) {
        target = nullptr;
    }
    if (keyCode == vbKeyTab) {
        tabFrom(target, (shift & vbShiftMask) != 0);
        return true;
    }
    dispatchKey(target, keyCode, shift, vbKeyAsciiFor(keyCode, shift), false);
    return true;
}

bool Form::tabFrom(Control* from, bool backwards) {
    QList<Control*> order;
    for (Control* control : std::as_const(controls_)) {
        if (control == from || (control->takesFocus() && control->TabStop() && control->canAct())) {
            order.append(control);
        }
    }
    std::stable_sort(order.begin(), order.end(), [](const Control* a, const Control* b) {
        return a->TabIndex() < b->TabIndex();
    });
    if (order.isEmpty()) {
        return false;
    }
    int at = from != nullptr ? static_cast<int>(order.indexOf(from)) : -1;
    const int n = static_cast<int>(order.size());
    at = at < 0 ? (backwards ? n - 1 : 0) : (at + (backwards ? n - 1 : 1)) % n;
    return moveFocus(order[at], true);
}

bool Form::moveFocus(Control* target, bool byPerson) {
    if (target == nullptr || !detail::isAlive(target)) {
        return false;
    }
    if (target == ActiveControl()) {
        return true;
    }
    QPointer<Form> self(this);
    Control* from = ActiveControl();
    const int before = detail::interruptions();
    if (from != nullptr && detail::isAlive(from)) {
        from->leaving();
        if (!self || !detail::isAlive(target)) {
            return false;
        }
    }
    if (byPerson && from != nullptr && target->CausesValidation() && from->Validate) {
        bool cancel = false;
        from->fire(from->Validate, cancel);
        if (!self || !detail::isAlive(target)) {
            return false;
        }
        if (cancel) {
            syncQtFocus(ActiveControl());
            return false;
        }
    }
    active_ = target;
    if (from != nullptr && detail::isAlive(from)) {
        from->fire(from->LostFocus);
    }
    if (!self || !detail::isAlive(target) || active_ != target) {
        return false;
    }
    target->fire(target->GotFocus);
    if (!self || !detail::isAlive(target) || active_ != target) {
        return false;
    }
    syncQtFocus(target);
    // A message box or modal window shown on the way takes the person's click away.
    return !byPerson || detail::interruptions() == before;
}

Control* Form::buttonWith(bool defaultButton) const {
    for (Control* control : controls_) {
        const bool wanted = defaultButton ? control->isDefaultButton() : control->isCancelButton();
        if (wanted && control->canAct()) {
            return control;
        }
    }
    return nullptr;
}

bool Form::dispatchKey(Control* target, int keyCode, int shift, int keyAscii, bool fromQt) {
    QPointer<Form> self(this);
    auto here = [&] { return self && state_ == State::Loaded && visible_; };
    auto targetHere = [&] { return here() && target != nullptr && detail::isAlive(target); };
    int code = keyCode;
    if (code != 0 && keyPreview_) {
        detail::EventScope scope;
        Form_KeyDown(code, shift);
    }
    if (code != 0 && targetHere()) {
        target->fire(target->KeyDown, code, shift);
    }
    if (!here()) {
        return true;
    }
    if (code == 0 && keyCode != 0) {
        return true;  // swallowed
    }
    int ascii = keyAscii;
    if (ascii != 0) {
        if (keyPreview_) {
            detail::EventScope scope;
            Form_KeyPress(ascii);
        }
        if (ascii != 0 && targetHere()) {
            target->fire(target->KeyPress, ascii);
        }
        if (!here()) {
            return true;
        }
        if (ascii == 0) {
            return true;
        }
    }
    bool consumed = false;
    if (targetHere() && (!fromQt || ascii != keyAscii || target->handlesQtKey(code, ascii))) {
        consumed = target->keyAction(code, shift, ascii);
        if (fromQt && ascii != keyAscii) {
            consumed = true;  // the changed character was typed instead of Qt's
        }
    }
    if (!consumed && here()) {
        if (code == vbKeyEscape) {
            if (Control* button = buttonWith(false)) {
                button->clickByKey();
                consumed = true;
            }
        } else if (code == vbKeyReturn && !(targetHere() && target->wantsReturn())) {
            if (Control* button = buttonWith(true)) {
                button->clickByKey();
                consumed = true;
            }
        }
    }
    if (!fromQt) {
        keyUp(target, code, shift);
    }
    return consumed;
}

void Form::keyUp(Control* target, int keyCode, int shift) {
    QPointer<Form> self(this);
    int code = keyCode;
    if (code == 0 || !self || state_ != State::Loaded) {
        return;
    }
    if (keyPreview_) {
        detail::EventScope scope;
        Form_KeyUp(code, shift);
    }
    if (code != 0 && self && target != nullptr && detail::isAlive(target)) {
        target->fire(target->KeyUp, code, shift);
    }
}

}  // namespace ui
