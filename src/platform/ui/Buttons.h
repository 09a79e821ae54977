#pragma once

#include <QString>
#include <functional>

#include "ui/Control.h"

class QPushButton;

namespace ui {

// ---------------------------------------------------------------------------------------------
class CommandButton : public Control {
  public:
    CommandButton(Form* form, const QString& name, int index = -1);

    void setCaption(const QString& caption);
    // Return anywhere in the form (except on another button or a multi-line text box) clicks
    // the default button.
    void setDefault(bool on);

    std::function<void()> Click;

    // person: focus (Validate of the control that had it may refuse), then Click.
    bool click();

    QPushButton* button() const;

  protected:
    bool keyAction(int keyCode, int shift, int keyAscii) override;
    bool wantsReturn() const override { return true; }
    bool isDefaultButton() const override;
    void clickByKey() override { fire(Click); }
};

}  // namespace ui
