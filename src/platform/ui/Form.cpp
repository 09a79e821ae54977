// The form itself: made and destroyed, its caption, name and pointer, the controls and menus
// it holds, its close button and the events Qt gives it; and the Screen.

#include "ui/Form.h"

#include <QCloseEvent>
#include <QLayout>
#include <QMenuBar>
#include <QtDebug>
#include <algorithm>
#include <typeinfo>
#include <utility>

#include "ui/FormState.h"
#include "ui/Host.h"
#include "ui/MDIForm.h"
#include "ui/Menu.h"

namespace ui {

Form::Form(QWidget* parent) : QWidget(parent) {
    ensureQtHooks();
}

Form::~Form() {
    LayerState& s = state();
    if (busyHeld_) {
        detail::setBusy(false);
    }
    s.loaded.removeAll(this);
    if (defaultSlot_ != nullptr && *defaultSlot_ == this) {
        *defaultSlot_ = nullptr;
    }
    for (int i = s.modalStack.size() - 1; i >= 0; --i) {
        if (s.modalStack[i] == this) {
            s.modalStack.removeAt(i);
        }
    }
    // The controls are members of the window and are gone by now; a control that outlives it
    // (none should) must not reach back.
    for (Control* control : std::as_const(controls_)) {
        detail::unregisterControl(control);
    }
}

QString Form::Caption() const {
    return windowTitle();
}

void Form::setCaption(const QString& caption) {
    setWindowTitle(caption);
    if (subWindow_) {
        subWindow_->setWindowTitle(caption);
    }
}

void Form::setMousePointer(int pointer) {
    // Only a loaded form shows its pointer; every hourglass turned on is turned off once.
    const bool busy = isBusyPointer(pointer) && !isUnloaded();
    if (busy != busyHeld_) {
        busyHeld_ = busy;
        detail::setBusy(busy);
    }
}

Control* Form::ActiveControl() const {
    return detail::isAlive(active_) ? active_ : nullptr;
}

QString Form::Name() const {
    return detail::className(typeid(*this));
}

QMenuBar* Form::menuBar() {
    if (menuBar_ == nullptr) {
        menuBar_ = new QMenuBar(this);
        menuBar_->setNativeMenuBar(false);
        if (layout() != nullptr) {
            layout()->setMenuBar(menuBar_);
        }
    }
    return menuBar_;
}

void Form::menuShownOrHidden() {
    if (menuBar_ == nullptr) {
        return;
    }
    const bool any = std::any_of(menus_.cbegin(), menus_.cend(), [](const Menu* menu) {
        return menu->parentMenu() == nullptr && menu->Visible();
    });
    menuBar_->setVisible(any);
}

void Form::addControl(Control* control) {
    controls_.append(control);
    detail::registerControl(control);
}

void Form::removeControl(Control* control) {
    controls_.removeAll(control);
    if (active_ == control) {
        active_ = nullptr;
    }
}

void Form::addMenu(Menu* menu) {
    menus_.append(menu);
    if (menu->parentMenu() == nullptr) {
        menuBar()->addAction(menu->action());
        menuShownOrHidden();
    }
}

void Form::removeMenu(Menu* menu) {
    menus_.removeAll(menu);
    if (menuBar_ != nullptr && menu->action() != nullptr) {
        menuBar_->removeAction(menu->action());
    }
}

void Form::PopupMenu(Menu& menu) {
    ui::PopupMenu(menu);
}

bool Form::close() {
    if (!isFormLoaded() || !visible_) {
        qWarning("ui: closing %s ignored: it is not shown", qUtf8Printable(Name()));
        return false;
    }
    if (Form* top = detail::topModal(); top != nullptr && top != this) {
        qWarning("ui: closing %s ignored: %s is modal", qUtf8Printable(Name()),
                 qUtf8Printable(top->Name()));
        return false;
    }
    unloadWith(vbFormControlMenu);
    return true;
}

void Form::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (state_ != State::Loaded || !visible_ || inResize_) {
        return;
    }
    inResize_ = true;
    detail::dispatchFromQt([this] { fireResize(); });
    inResize_ = false;
}

void Form::closeEvent(QCloseEvent* event) {
    if (closingByLayer_ || state_ != State::Loaded) {
        event->accept();
        return;
    }
    event->ignore();
    QPointer<Form> self(this);
    detail::dispatchFromQt([this] {
        if (Form* top = detail::topModal(); top != nullptr && top != this) {
            return;
        }
        unloadWith(vbFormControlMenu);
    });
    if (self && state_ == State::Unloaded) {
        event->accept();
    }
}

// ---- Screen -----------------------------------------------------------------------------------

int Screen::MousePointer() {
    return state().screenPointer;
}

void Screen::setMousePointer(int pointer) {
    LayerState& s = state();
    const bool wasBusy = isBusyPointer(s.screenPointer);
    s.screenPointer = pointer;
    const bool busy = isBusyPointer(pointer);
    if (busy && !wasBusy) {
        detail::setBusy(true);
    } else if (!busy && wasBusy) {
        detail::setBusy(false);
    }
}

void Screen::resetMousePointer() {
    state().screenPointer = vbDefault;
}

}  // namespace ui
