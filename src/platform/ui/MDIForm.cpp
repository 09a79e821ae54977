#include "ui/MDIForm.h"

#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QVBoxLayout>

#include "ui/FormDetail.h"
#include "ui/Host.h"

namespace ui {

MDIForm::MDIForm(QWidget* parent) : Form(parent), area_(new QMdiArea(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(area_);
    area_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    area_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

MDIForm::~MDIForm() = default;

int MDIForm::ScaleWidth() const {
    return pixelsToTwips(area_->viewport()->width());
}

int MDIForm::ScaleHeight() const {
    return pixelsToTwips(area_->viewport()->height());
}

QWidget* MDIForm::clientArea() const {
    return area_->viewport();
}

Form* MDIForm::ActiveForm() const {
    // The child in front: the last visible sub-window in stacking order.
    const QList<QMdiSubWindow*> stack = area_->subWindowList(QMdiArea::StackingOrder);
    for (auto it = stack.crbegin(); it != stack.crend(); ++it) {
        auto* child = qobject_cast<Form*>((*it)->widget());
        if (child != nullptr && child->Visible() && child->isFormLoaded()) {
            return child;
        }
    }
    return nullptr;
}

void MDIForm::placeChild(Form& child) {
    QMdiSubWindow* sub = child.subWindow_.data();
    if (sub == nullptr) {
        const QRect requested = child.geometry();
        const bool placed = child.testAttribute(Qt::WA_Moved);
        const bool sized = child.testAttribute(Qt::WA_Resized);
        sub = area_->addSubWindow(&child);
        // The layer deletes the sub-window itself when the form unloads.
        sub->setAttribute(Qt::WA_DeleteOnClose, false);
        sub->setWindowTitle(child.windowTitle());
        child.subWindow_ = sub;
        connect(&child, &QObject::destroyed, sub, &QObject::deleteLater);
        if (sized) {
            sub->resize(requested.size());
        } else {
            sub->resize(sub->sizeHint());
        }
        if (placed) {
            sub->move(requested.topLeft());
        }
        child.applyBorderStyle();
        // The area raises a child when it is activated or clicked; every change of the
        // stacking comes by here, so that a child that stays behind is put back at once.
        sub->installEventFilter(this);
    }
    child.QWidget::show();
    if (sub->isMinimized()) {
        sub->showNormal();
    } else {
        sub->show();
    }
    sub->raise();
    area_->setActiveSubWindow(sub);
}

bool MDIForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ZOrderChange && qobject_cast<QMdiSubWindow*>(watched)) {
        keepBehind();
    }
    return Form::eventFilter(watched, event);
}

void MDIForm::keepBehind() {
    if (keepingBehind_) {
        return;
    }
    keepingBehind_ = true;
    const QList<QMdiSubWindow*> stack = area_->subWindowList(QMdiArea::StackingOrder);
    for (QMdiSubWindow* sub : stack) {
        auto* child = qobject_cast<Form*>(sub->widget());
        if (child != nullptr && child->staysBehind_ && sub != stack.constFirst()) {
            sub->lower();
        }
    }
    keepingBehind_ = false;
}

bool MDIForm::unloadWith(int unloadMode) {
    if (unloading_ || (state_ != State::Loaded && state_ != State::Loading)) {
        return false;
    }
    QPointer<Form> self(this);
    unloading_ = true;
    auto stop = [&] {
        if (self) {
            unloading_ = false;
        }
        return false;
    };
    try {
        int cancel = 0;
        {
            detail::EventScope scope;
            fireQueryUnload(cancel, unloadMode);
        }
        if (!self || cancel != 0) {
            return stop();
        }
        // Every child is asked first; only when none refuses do they go.
        QList<QPointer<Form>> kids;
        for (Form* form : Forms::loaded()) {
            if (form != this && form->MDIChild()) {
                kids.append(QPointer<Form>(form));
            }
        }
        for (const QPointer<Form>& kid : kids) {
            if (!kid || kid->isUnloaded()) {
                continue;
            }
            int kidCancel = 0;
            detail::EventScope scope;
            kid->fireQueryUnload(kidCancel, vbFormMDIForm);
            if (kidCancel != 0) {
                return stop();
            }
        }
        for (const QPointer<Form>& kid : kids) {
            if (!kid || kid->isUnloaded()) {
                continue;
            }
            int kidCancel = 0;
            {
                detail::EventScope scope;
                kid->fireUnload(kidCancel);
            }
            if (kidCancel != 0) {
                return stop();
            }
            if (kid && !kid->isUnloaded()) {
                kid->finishUnload();
            }
        }
        if (!self) {
            return true;
        }
        {
            detail::EventScope scope;
            fireUnload(cancel);
        }
        if (!self || cancel != 0) {
            return stop();
        }
    } catch (...) {
        stop();
        throw;
    }
    unloading_ = false;
    if (!isUnloaded()) {
        finishUnload();
    }
    return true;
}

void MDIForm::finishUnload() {
    const QList<Form*> all = Forms::loaded();
    for (Form* form : all) {
        if (form == this || form->isUnloaded()) {
            continue;
        }
        if (form->MDIChild() && form->subWindow_ && form->subWindow_->mdiArea() == area_) {
            // Children still in the area (the main window discarded without events) go with it.
            form->finishUnload();
        } else if (form->parentWidget() == this) {
            // Other windows only stood above this one; they stay loaded without it.
            const bool shown = form->isVisible();
            form->setParent(nullptr, form->windowFlags());
            if (shown) {
                form->QWidget::show();
            }
        }
    }
    Form::finishUnload();
}

}  // namespace ui
