#pragma once

// The window layer's own state, which the files of Form share (Form*.cpp, FormDetail.cpp): the
// loaded forms, the active and modal ones, the controls alive, what waits to be deleted, the
// screen's pointer. Private to those files; the controls and windows never see it.

#include <QEvent>
#include <QHash>
#include <QList>
#include <QPointer>
#include <QSet>

#include "ui/Constants.h"
#include "ui/Control.h"
#include "ui/FormDetail.h"
#include "ui/MDIForm.h"

namespace ui {

namespace detail {

// The way in to a form's private members for Qt's input (FormQtInput.cpp) and for discard.

struct FormAccess {
    static bool moveFocus(Form& form, Control* target) { return form.focusControl(target, true); }
    static bool key(Form& form, Control* control, int keyCode, int shift, int keyAscii) {
        if (Form* top = topModal(); top != nullptr && top != &form) {
            return false;
        }
        if (control != nullptr && form.ActiveControl() != control &&
            !form.focusControl(control, true)) {
            return true;
        }
        return form.dispatchKey(control, keyCode, shift, keyAscii, true);
    }
    static void discard(Form& form) {
        if (!form.isUnloaded() && form.state_ != Form::State::Constructed) {
            form.finishUnload();
        }
    }
    static bool mouse(Control& control, QWidget* widget, QMouseEvent* event, QEvent::Type type) {
        detail::ControlHooks& hooks = control;
        return hooks.mouseFromQt(widget, event, static_cast<int>(type));
    }
};

}  // namespace detail

// The layer's own bookkeeping. Everything runs on the GUI thread.
struct LayerState {
    int depth = 0;
    bool collectScheduled = false;
    int interruptions = 0;
    QList<QPointer<QObject>> pending;
    QHash<const QWidget*, Control*> widgetControls;
    QSet<const Control*> aliveControls;
    QList<Form*> loaded;
    QPointer<Form> active;
    QList<QPointer<Form>> modalStack;
    QPointer<MDIForm> mainWindow;
    int screenPointer = vbDefault;
    bool focusGuard = false;
    Control* refusedTarget = nullptr;
};

LayerState& state();

bool isBusyPointer(int pointer);
// Gives the control Qt's focus, when a person is at the screen, without telling the layer.
void syncQtFocus(Control* control);
// Lets Qt's own focus changes, key presses and clicks reach the windows (FormQtInput.cpp).
void ensureQtHooks();

}  // namespace ui
