// Qt's own input, when the host lets it drive the windows: focus changes, key presses and
// mouse clicks on controls that have no Qt signal for them, taken into the layer's key and
// focus handling as a person's own.

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include "ui/FormState.h"
#include "ui/Host.h"
#include "ui/KeyMap.h"

namespace ui {

namespace {

Form* formOfWidget(QWidget* widget) {
    for (QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
        if (auto* form = qobject_cast<Form*>(w)) {
            return form;
        }
    }
    return nullptr;
}

// Qt's own input, when the host lets it drive the windows: focus changes, key presses and
// clicks on controls that have no Qt signal for them.
class QtHooks : public QObject {
  public:
    QtHooks() {
        connect(qApp, &QApplication::focusChanged, this,
                [](QWidget*, QWidget* now) { onFocusChanged(now); });
        qApp->installEventFilter(this);
    }

    static void onFocusChanged(QWidget* now) {
        LayerState& s = state();
        if (s.focusGuard || !host().realInput()) {
            return;
        }
        Control* target = detail::controlOf(now);
        if (target == nullptr) {
            return;
        }
        Form& form = target->Parent();
        if (form.ActiveControl() == target || !form.isFormLoaded()) {
            return;
        }
        detail::dispatchFromQt([&] {
            if (detail::FormAccess::moveFocus(form, target)) {
                s.refusedTarget = nullptr;
            } else {
                s.refusedTarget = target;
                syncQtFocus(form.ActiveControl());
            }
        });
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (type != QEvent::KeyPress && type != QEvent::MouseButtonPress &&
            type != QEvent::MouseButtonRelease && type != QEvent::MouseButtonDblClick) {
            return false;
        }
        if (!watched->isWidgetType() || !host().realInput()) {
            return false;
        }
        auto* widget = static_cast<QWidget*>(watched);
        if (type == QEvent::KeyPress) {
            // A refused focus move stops only the click that caused it.
            state().refusedTarget = nullptr;
        } else if (type == QEvent::MouseButtonPress) {
            forgetEarlierRefusal(widget);
        }
        if (type == QEvent::KeyPress) {
            if (widget != QApplication::focusWidget()) {
                return false;  // the same event again, on its way to a parent
            }
            return onKey(widget, static_cast<QKeyEvent*>(event));
        }
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse == lastMouse_ && mouse->timestamp() == lastMouseTime_) {
            return false;  // propagated to a parent: the control under the pointer had it
        }
        Control* control = detail::controlOf(widget);
        if (control == nullptr || !detail::isAlive(control)) {
            return false;
        }
        lastMouse_ = mouse;
        lastMouseTime_ = mouse->timestamp();
        bool eat = false;
        detail::dispatchFromQt(
            [&] { eat = detail::FormAccess::mouse(*control, widget, mouse, type); });
        return eat;
    }

  private:
    // Qt moves the focus on a press before the press reaches this filter. A move refused for
    // the control pressed is this click's own and must still stop its release; any other was
    // refused earlier and stops nothing more.
    static void forgetEarlierRefusal(const QWidget* pressed) {
        LayerState& s = state();
        for (const QWidget* w = pressed; w != nullptr && s.refusedTarget != nullptr;
             w = w->parentWidget()) {
            if (detail::controlOf(w) == s.refusedTarget) {
                return;
            }
        }
        s.refusedTarget = nullptr;
    }

    static bool onKey(QWidget* widget, QKeyEvent* key) {
        Control* control = detail::controlOf(widget);
        Form* form = control != nullptr ? &control->Parent() : formOfWidget(widget);
        if (form == nullptr || !form->isFormLoaded()) {
            return false;
        }
        const int keyCode = vbKeyCode(key->key());
        const int shift = vbShiftState(key->modifiers());
        if (keyCode == vbKeyTab) {
            return false;  // Qt moves the focus; the focus hook runs the events
        }
        bool eat = false;
        detail::dispatchFromQt([&] {
            eat = detail::FormAccess::key(*form, control, keyCode, shift, vbKeyAscii(*key));
        });
        return eat;
    }

    const QMouseEvent* lastMouse_ = nullptr;
    quint64 lastMouseTime_ = 0;
};

}  // namespace

void ensureQtHooks() {
    static QtHooks* hooks = nullptr;
    if (hooks == nullptr && qApp != nullptr) {
        hooks = new QtHooks();
        hooks->setParent(qApp);
    }
}

}  // namespace ui
