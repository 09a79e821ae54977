// The registry of loaded forms: loading (Form_Load) and the default instances, unloading with
// its events, the active form, and Forms, Unload and mainWindow over them.

#include "ui/Form.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <algorithm>

#include "ui/FormState.h"
#include "ui/MDIForm.h"

namespace ui {

// ---- loading and unloading --------------------------------------------------------------------

void Form::adoptDefaultSlot(Form** slot) {
    defaultSlot_ = slot;
    ownedByLayer_ = true;
    *slot = this;
}

void Form::destroyAfterFailedLoad() {
    if (defaultSlot_ != nullptr && *defaultSlot_ == this) {
        *defaultSlot_ = nullptr;
    }
    state().loaded.removeAll(this);
    state_ = State::Unloaded;
    delete this;
}

void Form::Load() {
    if (state_ != State::Constructed) {
        return;
    }
    state_ = State::Loading;
    state().loaded.append(this);
    if (auto* mdi = qobject_cast<MDIForm*>(this)) {
        state().mainWindow = mdi;
    }
    // Before Form_Load, which centres the window by its size.
    growToLayout(false);
    try {
        detail::EventScope scope;
        fireLoad();
    } catch (...) {
        if (state_ == State::Loading) {
            state().loaded.removeAll(this);
            state_ = State::Unloaded;
            if (state().mainWindow == this) {
                state().mainWindow = nullptr;
            }
        }
        throw;
    }
    if (state_ == State::Loading) {
        state_ = State::Loaded;
    }
}

bool Form::unloadWith(int unloadMode) {
    if (unloading_ || (state_ != State::Loaded && state_ != State::Loading)) {
        return false;
    }
    QPointer<Form> self(this);
    unloading_ = true;
    int cancel = 0;
    try {
        {
            detail::EventScope scope;
            fireQueryUnload(cancel, unloadMode);
        }
        if (self && cancel == 0 && state_ != State::Unloaded) {
            detail::EventScope scope;
            fireUnload(cancel);
        }
    } catch (...) {
        if (self) {
            unloading_ = false;
        }
        throw;
    }
    if (!self) {
        return true;
    }
    unloading_ = false;
    if (state_ == State::Unloaded) {
        return true;
    }
    if (cancel != 0) {
        return false;
    }
    finishUnload();
    return true;
}

void Form::finishUnload() {
    LayerState& s = state();
    state_ = State::Unloaded;
    visible_ = false;
    unloading_ = false;
    if (busyHeld_) {
        busyHeld_ = false;
        detail::setBusy(false);
    }
    s.loaded.removeAll(this);
    if (defaultSlot_ != nullptr && *defaultSlot_ == this) {
        *defaultSlot_ = nullptr;
    }
    if (s.mainWindow == this) {
        s.mainWindow = nullptr;
    }
    for (int i = s.modalStack.size() - 1; i >= 0; --i) {
        if (s.modalStack[i] == this) {
            s.modalStack.removeAt(i);
        }
    }
    active_ = nullptr;
    closingByLayer_ = true;
    if (QMdiSubWindow* sub = subWindow_.data()) {
        subWindow_ = nullptr;
        QMdiArea* area = sub->mdiArea();
        sub->setWidget(nullptr);
        setParent(nullptr);
        if (area != nullptr) {
            area->removeSubWindow(sub);
        }
        sub->hide();
        detail::deleteWhenIdle(sub);
    }
    QWidget::hide();
    closingByLayer_ = false;
    emit modalEnded();
    if (ownedByLayer_) {
        detail::deleteWhenIdle(this);
    }
}

// ---- Forms ------------------------------------------------------------------------------------

QList<Form*> Forms::loaded() {
    return state().loaded;
}

void Forms::discardAll() {
    LayerState& s = state();
    const QList<Form*> all = s.loaded;
    QList<QPointer<Form>> forms;
    for (Form* form : all) {
        forms.append(QPointer<Form>(form));
    }
    // Children first, so that the main window does not take them with it.
    std::stable_partition(forms.begin(), forms.end(),
                          [](const QPointer<Form>& f) { return !qobject_cast<MDIForm*>(f); });
    for (const QPointer<Form>& form : forms) {
        if (form && !form->isUnloaded()) {
            form->finishUnload();
        }
    }
    s.modalStack.clear();
    if (s.depth == 0) {
        detail::collectGarbage();
    }
}

void Unload(Form& form) {
    form.unloadWith(vbFormCode);
}

MDIForm* mainWindow() {
    MDIForm* main = state().mainWindow.data();
    return main != nullptr && !main->isUnloaded() ? main : nullptr;
}

}  // namespace ui
