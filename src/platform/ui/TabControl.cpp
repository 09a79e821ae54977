#include "ui/TabControl.h"

#include <QSignalBlocker>
#include <QTabWidget>
#include <QtDebug>
#include <algorithm>

#include "ui/ControlSupport.h"
#include "ui/Form.h"
#include "ui/FormDetail.h"

namespace ui {

// ---- TabControl ------------------------------------------------------------------------------

TabControl::TabControl(Form* form, const QString& name, int index) : Control(form, name, index) {
    auto* tabs = new QTabWidget(form);
    QObject::connect(tabs, &QTabWidget::currentChanged, tabs, [this](int tab) {
        if (tab < 0 || tab == current_) {
            return;
        }
        detail::dispatchFromQt([this, tab] {
            if (!takeFocusForQtClick()) {
                const QSignalBlocker blocker(tabWidget());
                tabWidget()->setCurrentIndex(current_);
                return;
            }
            const int previous = current_;
            current_ = tab;
            fire(Click, previous);
        });
    });
    attach(tabs);
}

QTabWidget* TabControl::tabWidget() const {
    return static_cast<QTabWidget*>(widget());
}

void TabControl::setTabs(int count) {
    if (count < 1) {
        detail::invalidValue();
    }
    QTabWidget* tabs = tabWidget();
    const QSignalBlocker blocker(tabs);
    while (tabs->count() < count) {
        tabs->addTab(new QWidget(), QStringLiteral("Tab %1").arg(tabs->count()));
    }
    while (tabs->count() > count) {
        QWidget* page = tabs->widget(tabs->count() - 1);
        tabs->removeTab(tabs->count() - 1);
        delete page;
    }
    if (current_ >= count) {
        current_ = count - 1;
    }
    tabs->setCurrentIndex(current_);
}

int TabControl::Tab() const {
    return std::max(0, tabWidget()->currentIndex());
}

void TabControl::checkTab(int tab) const {
    if (tab < 0 || tab >= tabWidget()->count()) {
        detail::invalidValue();
    }
}

void TabControl::switchTo(int tab) {
    {
        const QSignalBlocker blocker(tabWidget());
        tabWidget()->setCurrentIndex(tab);
    }
    const int previous = current_;
    current_ = tab;
    fire(Click, previous);
}

void TabControl::setTab(int tab) {
    checkTab(tab);
    if (tab != current_) {
        switchTo(tab);
    }
}

QString TabControl::TabCaption(int tab) const {
    checkTab(tab);
    return tabWidget()->tabText(tab);
}

void TabControl::setTabCaption(int tab, const QString& caption) {
    checkTab(tab);
    tabWidget()->setTabText(tab, caption);
}

QWidget* TabControl::page(int tab) const {
    checkTab(tab);
    return tabWidget()->widget(tab);
}

bool TabControl::chooseTab(int tab) {
    if (!beginPerson()) {
        return false;
    }
    if (tab < 0 || tab >= tabWidget()->count()) {
        qWarning("ui: %s: tab %d cannot be chosen", qUtf8Printable(Name()), tab);
        return false;
    }
    if (tab != current_) {
        switchTo(tab);
    }
    return true;
}

}  // namespace ui
