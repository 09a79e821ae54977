#include "ui/Buttons.h"

#include <QPushButton>

#include "ui/ControlSupport.h"
#include "ui/Form.h"
#include "ui/FormDetail.h"

namespace ui {

// ---- CommandButton ---------------------------------------------------------------------------

CommandButton::CommandButton(Form* form, const QString& name, int index)
    : Control(form, name, index) {
    auto* button = new QPushButton(form);
    button->setAutoDefault(false);
    QObject::connect(button, &QPushButton::clicked, button, [this] { qtClick(Click); });
    attach(button);
}

QPushButton* CommandButton::button() const {
    return static_cast<QPushButton*>(widget());
}

void CommandButton::setCaption(const QString& caption) {
    button()->setText(caption);
}

bool CommandButton::isDefaultButton() const {
    return button()->isDefault();
}

void CommandButton::setDefault(bool on) {
    button()->setDefault(on);
}

bool CommandButton::click() {
    if (!beginPerson()) {
        return false;
    }
    fire(Click);
    return true;
}

bool CommandButton::keyAction(int keyCode, int, int) {
    if (keyCode == vbKeyReturn || keyCode == vbKeySpace) {
        fire(Click);
        return true;
    }
    return false;
}

}  // namespace ui
