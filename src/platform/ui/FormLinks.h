#pragma once

// What a form and the controls and menus on it know of each other: two small interfaces, so
// that the form is built on no control's insides and a control on none of the form's. Form and
// Control are their only implementations; the windows never reach them.

class QMouseEvent;
class QWidget;

namespace ui {

class Control;
class Menu;

namespace detail {

// The form as the controls and menus on it reach it: they join and leave it, and the focus and
// the keys of a person go to a control through it.
class FormSite {
  public:
    virtual void addControl(Control* control) = 0;
    virtual void removeControl(Control* control) = 0;
    virtual void addMenu(Menu* menu) = 0;
    virtual void removeMenu(Menu* menu) = 0;
    // A top-level menu was shown or hidden: the menu bar shows while a visible one is there.
    virtual void menuShownOrHidden() = 0;
    // Moves the focus to the control. A person's move runs Validate of the control that loses
    // the focus first; false when the move was refused or interrupted, so that the action that
    // moved it must not happen.
    virtual bool focusControl(Control* target, bool byPerson) = 0;
    // Tab from the control: the next one that can take the focus (the one before, backwards).
    virtual bool tabFrom(Control* from, bool backwards) = 0;
    // A key a person pressed on the control; true when the form or the control used it.
    virtual bool keyToControl(Control* target, int keyCode, int shift, int keyAscii) = 0;

  protected:
    ~FormSite() = default;
};

// A control as the keys, the focus and the mouse of its form reach it; each kind of control
// answers for itself.
class ControlHooks {
  public:
    // Whether a person can put the focus there (not on a label, a frame or a shape).
    virtual bool takesFocus() const = 0;
    // A control that holds others (a tab strip): the focus of a window that opens passes over
    // it to the first control inside, where a person can type at once.
    virtual bool holdsControls() const = 0;
    // Whether the control handles Return itself (a button, a multi-line text box), so that the
    // default button does not get it.
    virtual bool wantsReturn() const = 0;
    // Whether the control is its form's default button, which Return anywhere in the form
    // clicks; and that click.
    virtual bool isDefaultButton() const = 0;
    virtual void clickByKey() = 0;
    // Keys of a real key press that the control handles itself instead of Qt (keyAscii is the
    // character the key types, 0 for none).
    virtual bool handlesQtKey(int keyCode, int keyAscii) const = 0;
    // The control's own reaction to a key after its events; true when it used the key.
    virtual bool keyAction(int keyCode, int shift, int keyAscii) = 0;
    // The control's own reaction to the focus moving away, before its Validate and LostFocus
    // (a date field refuses a text that names no day).
    virtual void leaving() = 0;
    // A real mouse event on the control's widget (or a child of it): MouseUp, and for
    // controls without a Qt signal for it, Click and DblClick. True to stop Qt's own handling.
    virtual bool mouseFromQt(QWidget* widget, QMouseEvent* event, int type) = 0;

  protected:
    ~ControlHooks() = default;
};

}  // namespace detail
}  // namespace ui
