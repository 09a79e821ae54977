#include "ui/Buttons.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

#include "ui/ControlSupport.h"
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

QString CommandButton::Caption() const {
    return button()->text();
}

void CommandButton::setCaption(const QString& caption) {
    button()->setText(caption);
}

bool CommandButton::Default() const {
    return button()->isDefault();
}

void CommandButton::setDefault(bool on) {
    button()->setDefault(on);
}

void CommandButton::setValue(bool on) {
    if (on) {
        fire(Click);
    }
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

// ---- CheckBox --------------------------------------------------------------------------------

namespace {
// A person's click turns a box on or off; only code grays it.
class TwoStateCheckBox : public QCheckBox {
  public:
    using QCheckBox::QCheckBox;
    // The state before the click being delivered.
    Qt::CheckState before = Qt::Unchecked;

  protected:
    void nextCheckState() override {
        before = checkState();
        setCheckState(before == Qt::Checked ? Qt::Unchecked : Qt::Checked);
    }
};

int valueOf(Qt::CheckState state) {
    switch (state) {
        case Qt::Checked:
            return vbChecked;
        case Qt::PartiallyChecked:
            return vbGrayed;
        default:
            return vbUnchecked;
    }
}
}  // namespace

CheckBox::CheckBox(Form* form, const QString& name, int index) : Control(form, name, index) {
    auto* box = new TwoStateCheckBox(form);
    QObject::connect(box, &QCheckBox::clicked, box, [this, box] {
        detail::dispatchFromQt([this, box] {
            if (!takeFocusForQtClick()) {
                showValue(valueOf(box->before));  // the click did not happen: undo what Qt did
                return;
            }
            if (box->checkState() != box->before) {
                fire(Click);
            }
        });
    });
    attach(box);
}

QCheckBox* CheckBox::checkBox() const {
    return static_cast<QCheckBox*>(widget());
}

int CheckBox::Value() const {
    return valueOf(checkBox()->checkState());
}

void CheckBox::showValue(int value) {
    const QSignalBlocker blocker(checkBox());
    checkBox()->setCheckState(value == vbChecked  ? Qt::Checked
                              : value == vbGrayed ? Qt::PartiallyChecked
                                                  : Qt::Unchecked);
}

void CheckBox::setValue(int value) {
    if (value < vbUnchecked || value > vbGrayed) {
        detail::invalidValue();
    }
    if (value == Value()) {
        return;
    }
    showValue(value);
    fire(Click);
}

QString CheckBox::Caption() const {
    return checkBox()->text();
}

void CheckBox::setCaption(const QString& caption) {
    checkBox()->setText(caption);
}

bool CheckBox::click() {
    if (!beginPerson()) {
        return false;
    }
    showValue(Value() == vbChecked ? vbUnchecked : vbChecked);
    fire(Click);
    return true;
}

bool CheckBox::keyAction(int keyCode, int, int) {
    if (keyCode != vbKeySpace) {
        return false;
    }
    showValue(Value() == vbChecked ? vbUnchecked : vbChecked);
    fire(Click);
    return true;
}

// ---- OptionButton ----------------------------------------------------------------------------

OptionButton::OptionButton(Form* form, const QString& name, int index)
    : Control(form, name, index) {
    auto* radio = new QRadioButton(form);
    QObject::connect(radio, &QRadioButton::toggled, radio, [this](bool on) {
        if (on) {
            qtClick(Click);
        }
    });
    attach(radio);
}

QRadioButton* OptionButton::radioButton() const {
    return static_cast<QRadioButton*>(widget());
}

bool OptionButton::Value() const {
    return radioButton()->isChecked();
}

void OptionButton::select(bool fireEvent) {
    if (Value()) {
        return;
    }
    {
        const QSignalBlocker blocker(radioButton());
        radioButton()->setChecked(true);
    }
    if (fireEvent) {
        fire(Click);
    }
}

void OptionButton::setValue(bool on) {
    if (on) {
        select(true);
        return;
    }
    const QSignalBlocker blocker(radioButton());
    radioButton()->setAutoExclusive(false);
    radioButton()->setChecked(false);
    radioButton()->setAutoExclusive(true);
}

QString OptionButton::Caption() const {
    return radioButton()->text();
}

void OptionButton::setCaption(const QString& caption) {
    radioButton()->setText(caption);
}

bool OptionButton::click() {
    if (!beginPerson()) {
        return false;
    }
    select(true);
    return true;
}

}  // namespace ui
