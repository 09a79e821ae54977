#pragma once

#include <QString>
#include <functional>

#include "ui/Control.h"

class QCheckBox;
class QPushButton;
class QRadioButton;

namespace ui {

// ---------------------------------------------------------------------------------------------
class CommandButton : public Control {
  public:
    CommandButton(Form* form, const QString& name, int index = -1);

    QString Caption() const;
    void setCaption(const QString& caption);
    // Return anywhere in the form (except on another button or a multi-line text box) clicks
    // the default button; Escape clicks the cancel button.
    bool Default() const;
    void setDefault(bool on);
    bool Cancel() const { return cancel_; }
    void setCancel(bool on) { cancel_ = on; }
    // Value = true from code clicks the button.
    void setValue(bool on);

    std::function<void()> Click;

    // person: focus (Validate of the control that had it may refuse), then Click.
    bool click();

    QPushButton* button() const;

  protected:
    bool keyAction(int keyCode, int shift, int keyAscii) override;
    bool wantsReturn() const override { return true; }
    bool isDefaultButton() const override { return Default(); }
    bool isCancelButton() const override { return cancel_; }
    void clickByKey() override { fire(Click); }

  private:
    bool cancel_ = false;
};

// ---------------------------------------------------------------------------------------------
// Value 0 unchecked, 1 checked, 2 grayed. Click fires whenever Value changes, by code too.
class CheckBox : public Control {
  public:
    CheckBox(Form* form, const QString& name, int index = -1);

    int Value() const;
    void setValue(int value);
    QString Caption() const;
    void setCaption(const QString& caption);

    std::function<void()> Click;

    // person: focus, toggle (grayed becomes checked... as a click turns it), Click.
    bool click();

    QCheckBox* checkBox() const;

  protected:
    bool keyAction(int keyCode, int shift, int keyAscii) override;

  private:
    void showValue(int value);
};

// ---------------------------------------------------------------------------------------------
// Option buttons with the same parent widget exclude each other. Click fires when one becomes
// selected, by code or by a person.
class OptionButton : public Control {
  public:
    OptionButton(Form* form, const QString& name, int index = -1);

    bool Value() const;
    void setValue(bool on);
    QString Caption() const;
    void setCaption(const QString& caption);

    std::function<void()> Click;

    bool click();

    QRadioButton* radioButton() const;

  private:
    void select(bool fireEvent);
};

}  // namespace ui
