#include "ui/Menu.h"

#include <QAction>
#include <QMenu>
#include <QtDebug>

#include "ui/Form.h"
#include "ui/FormDetail.h"

namespace ui {

namespace {

detail::FormSite& site(Form* form) {
    return *form;
}

}  // namespace

Menu::Menu(Form* form, const QString& name, const QString& caption, int)
    : form_(form), name_(name) {
    build(caption);
    site(form_).addMenu(this);
}

Menu::Menu(Menu* parent, const QString& name, const QString& caption, int)
    : form_(parent->form_), parent_(parent), name_(name) {
    build(caption);
    parent_->addItem(this);
    site(form_).addMenu(this);
}

Menu::~Menu() {
    for (Menu* item : std::as_const(items_)) {
        item->parent_ = nullptr;
    }
    if (parent_ != nullptr) {
        parent_->removeItem(this);
    }
    site(form_).removeMenu(this);
    delete menu_;
    delete action_;
}

void Menu::build(const QString& caption) {
    action_ = new QAction();
    action_->setObjectName(name_);
    action_->setText(caption);
    action_->setSeparator(caption == QStringLiteral("-"));
    QObject::connect(action_, &QAction::triggered, action_, [this] {
        // A menu with items opens; only a leaf runs its Click from the action.
        if (menu_ == nullptr) {
            detail::dispatchFromQt([this] { choose(); });
        }
    });
}

QString Menu::Caption() const {
    return action_->text();
}

bool Menu::isSeparator() const {
    return Caption() == QStringLiteral("-");
}

bool Menu::Visible() const {
    return action_->isVisible();
}

QMenu* Menu::ensureQMenu() {
    if (menu_ == nullptr) {
        menu_ = new QMenu();
        menu_->setTitle(Caption());
        action_->setMenu(menu_);
        QObject::connect(menu_, &QMenu::aboutToShow, menu_, [this] {
            // A menu runs its Click as it opens, so that it can set up its items; a popup
            // shown from code does not.
            if (!(parent_ == nullptr && poppedUp_)) {
                detail::dispatchFromQt([this] { choose(); });
            }
        });
    }
    return menu_;
}

void Menu::addItem(Menu* item) {
    items_.append(item);
    ensureQMenu()->addAction(item->action());
}

void Menu::removeItem(Menu* item) {
    items_.removeAll(item);
    if (menu_ != nullptr && item->action() != nullptr) {
        menu_->removeAction(item->action());
    }
}

void Menu::setVisible(bool on) {
    action_->setVisible(on);
    if (parent_ == nullptr) {
        site(form_).menuShownOrHidden();
    }
}

Menu* Menu::item(const QString& name) const {
    for (Menu* item : items_) {
        if (item->Name() == name) {
            return item;
        }
        if (Menu* found = item->item(name)) {
            return found;
        }
    }
    return nullptr;
}

bool Menu::canAct() const {
    if (!form_->isFormLoaded() || !form_->Visible() || isSeparator()) {
        return false;
    }
    if (Form* top = detail::topModal(); top != nullptr && top != form_) {
        return false;
    }
    for (const Menu* m = this; m != nullptr; m = m->parent_) {
        const bool showingPopup = m->parent_ == nullptr && m->poppedUp_;
        if (!m->Visible() && !showingPopup) {
            return false;
        }
    }
    return true;
}

bool Menu::click() {
    if (!canAct()) {
        qWarning("ui: click on menu %s.%s ignored: it cannot be reached",
                 qUtf8Printable(form_->Name()), qUtf8Printable(name_));
        return false;
    }
    choose();
    return true;
}

void Menu::choose() {
    if (Click) {
        detail::EventScope scope;
        Click();
    }
}

}  // namespace ui
