// Keys and focus in a window: the focus a window gives when it opens, moving the focus (with
// Validate and LostFocus), Tab, and the way of a key through KeyPreview, the active control
// and the default button.

#include "ui/Form.h"

#include <QPointer>
#include <QtDebug>
#include <utility>

#include "ui/FormState.h"
#include "ui/Host.h"
#include "ui/KeyMap.h"
#include "ui/MDIForm.h"

namespace ui {

namespace {

// What the keys and the focus ask of a control.
detail::ControlHooks& hooks(Control* control) {
    return *control;
}

}  // namespace

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
    for (Control* control : std::as_const(controls_)) {
        if (hooks(control).takesFocus() && control->TabStop() && control->canAct() &&
            !hooks(control).holdsControls()) {
            focusControl(control, false);
            return;
        }
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
        if (control == from ||
            (hooks(control).takesFocus() && control->TabStop() && control->canAct())) {
            order.append(control);
        }
    }
    if (order.isEmpty()) {
        return false;
    }
    int at = from != nullptr ? static_cast<int>(order.indexOf(from)) : -1;
    const int n = static_cast<int>(order.size());
    at = at < 0 ? (backwards ? n - 1 : 0) : (at + (backwards ? n - 1 : 1)) % n;
    return focusControl(order[at], true);
}

bool Form::focusControl(Control* target, bool byPerson) {
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
        hooks(from).leaving();
        if (!self || !detail::isAlive(target)) {
            return false;
        }
    }
    if (byPerson && from != nullptr && from->Validate) {
        bool cancel = false;
        detail::fire(from->Validate, cancel);
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
        detail::fire(from->LostFocus);
    }
    if (!self || !detail::isAlive(target) || active_ != target) {
        return false;
    }
    syncQtFocus(target);
    // A message box or modal window shown on the way takes the person's click away.
    return !byPerson || detail::interruptions() == before;
}

bool Form::keyToControl(Control* target, int keyCode, int shift, int keyAscii) {
    return dispatchKey(target, keyCode, shift, keyAscii, false);
}

Control* Form::defaultButton() const {
    for (Control* control : controls_) {
        if (hooks(control).isDefaultButton() && control->canAct()) {
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
        detail::fire(target->KeyDown, code, shift);
    }
    if (!here()) {
        return true;
    }
    if (code == 0 && keyCode != 0) {
        return true;  // swallowed
    }
    bool consumed = false;
    if (targetHere() && (!fromQt || hooks(target).handlesQtKey(code, keyAscii))) {
        consumed = hooks(target).keyAction(code, shift, keyAscii);
    }
    if (!consumed && here() && code == vbKeyReturn &&
        !(targetHere() && hooks(target).wantsReturn())) {
        if (Control* button = defaultButton()) {
            hooks(button).clickByKey();
            consumed = true;
        }
    }
    return consumed;
}

}  // namespace ui
