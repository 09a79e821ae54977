// Showing a window: modeless (an MDI child inside the main window, or a window of its own
// over it) or modal (a dialog run by the host), hiding it, and bringing it to the front.

#include "ui/Form.h"

#include <QLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <utility>

#include "runtime/Error.h"
#include "ui/FormState.h"
#include "ui/Host.h"
#include "ui/MDIForm.h"

namespace ui {

void Form::showWindow(bool modal) {
    // Qt focuses a control of a window that appears (the first in its own chain, a tab strip
    // say); the layer gives the focus itself once the window is up (giveInitialFocus).
    struct QtFocusIgnored {
        bool was = std::exchange(state().focusGuard, true);
        ~QtFocusIgnored() { state().focusGuard = was; }
    } ignored;
    visible_ = true;
    MDIForm* main = mainWindow();
    if (!grownForShow_) {
        grownForShow_ = true;
        growToLayout(true);
    }
    if (!modal && mdiChild_ && main != nullptr && main != this) {
        static_cast<Form*>(main)->placeChild(*this);
        return;
    }
    if (menuBar_ != nullptr && layout() != nullptr && layout()->menuBar() != menuBar_) {
        layout()->setMenuBar(menuBar_);
    }
    if (!isVisible()) {
        // Windows other than the main one are top-level windows of their own that stay above
        // it: a modal one is a dialog, and while it is up the main window takes no input.
        if (main != nullptr && main != this &&
            (parentWidget() == nullptr || parentWidget() == main)) {
            Qt::WindowType type = modal ? Qt::Dialog : Qt::Window;
            if (windowType() == Qt::Tool) {
                type = Qt::Tool;
            }
            const Qt::WindowFlags flags = (windowFlags() & ~Qt::WindowType_Mask) | type;
            if (parentWidget() != main || windowFlags() != flags) {
                // Reparenting forgets the position; a window its code placed keeps it.
                const bool placed = testAttribute(Qt::WA_Moved);
                const QPoint position = pos();
                setParent(main, flags);
                if (placed) {
                    move(position);
                }
            }
        }
        setWindowModality(modal ? Qt::ApplicationModal : Qt::NonModal);
        applyBorderStyle();
        keepOnScreen();
    }
    QWidget::show();
    if (host().realInput()) {
        raise();
        activateWindow();
    }
}

void Form::Show(int modal) {
    LayerState& s = state();
    if (state_ == State::Unloaded) {
        return;
    }
    if (state_ == State::Constructed) {
        Load();
        if (state_ == State::Unloaded) {
            return;
        }
    }
    QPointer<Form> self(this);
    if (modal != vbModeless) {
        if (mdiChild_) {
            rt::raise(rt::err::MdiChildModal);
        }
        if (visible_) {
            rt::raise(rt::err::FormAlreadyDisplayed);
        }
        detail::noteInterruption();
        showWindow(true);
        modal_ = true;
        s.modalStack.append(self);
        auto finish = [&] {
            s.modalStack.removeAll(self);
            if (self) {
                self->modal_ = false;
                self->setWindowModality(Qt::NonModal);
            }
        };
        try {
            giveInitialFocus();
            if (self && visible_ && isFormLoaded()) {
                detail::throughHost([this] { host().RunModal(*this); });
            }
        } catch (...) {
            finish();
            throw;
        }
        finish();
        return;
    }
    if (Form* top = detail::topModal(); top != nullptr && top != this) {
        rt::raise(rt::err::ModalFormDisplayed);
    }
    showWindow(false);
    if (self && visible_) {
        giveInitialFocus();
    }
}

void Form::Hide() {
    if (state_ == State::Constructed) {
        Load();
    }
    if (state_ == State::Unloaded || !visible_) {
        return;
    }
    visible_ = false;
    if (subWindow_) {
        subWindow_->hide();
    } else {
        closingByLayer_ = true;
        QWidget::hide();
        closingByLayer_ = false;
    }
    emit modalEnded();
}

void Form::Refresh() {
    if (visible_) {
        frameWidget()->repaint();
    }
}

void Form::SetFocus() {
    if (!isFormLoaded() || !visible_ || !isEnabled()) {
        rt::raise(rt::err::InvalidProcedureCall);
    }
    if (subWindow_ && subWindow_->mdiArea() != nullptr && host().realInput()) {
        subWindow_->mdiArea()->setActiveSubWindow(subWindow_);
    } else if (host().realInput()) {
        activateWindow();
    }
}

}  // namespace ui
