#pragma once

#include <QString>
#include <functional>

#include "ui/Control.h"

class QTabWidget;

namespace ui {

// ---------------------------------------------------------------------------------------------
// Tabs: the form lays each tab's controls on page(i). Click(PreviousTab) fires whenever the
// current tab changes, by code or by a person.
class TabControl : public Control {
  public:
    TabControl(Form* form, const QString& name, int index = -1);

    void setTabs(int count);
    int Tab() const;
    // Error 380 for a tab that does not exist.
    void setTab(int tab);
    QString TabCaption(int tab) const;
    void setTabCaption(int tab, const QString& caption);
    QWidget* page(int tab) const;

    std::function<void(int PreviousTab)> Click;

    bool chooseTab(int tab);

    QTabWidget* tabWidget() const;

  protected:
    bool holdsControls() const override { return true; }

  private:
    void checkTab(int tab) const;
    void switchTo(int tab);
    // The tab the windows know as current: the previous tab of the next Click.
    int current_ = 0;
};

}  // namespace ui
