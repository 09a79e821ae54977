#pragma once

#include <QList>
#include <QString>
#include <functional>

class QAction;
class QMenu;

namespace ui {

class Form;

// A menu item. Top-level menus belong to a form: visible ones appear in its menu bar, an
// invisible one is a popup menu shown with PopupMenu. Items belong to a parent menu. A caption
// of "-" makes a separator.
//   Menu mnuFile{this, "mnuFile", "&File"};
//   Menu mnuFileExit{&mnuFile, "mnuFileExit", "E&xit"};
class Menu {
  public:
    Menu(Form* form, const QString& name, const QString& caption = {}, int index = -1);
    Menu(Menu* parent, const QString& name, const QString& caption = {}, int index = -1);
    ~Menu();
    Menu(const Menu&) = delete;
    Menu& operator=(const Menu&) = delete;

    const QString& Name() const { return name_; }
    bool Visible() const;
    void setVisible(bool on);

    Menu* parentMenu() const { return parent_; }
    // The item with that name among this menu's items (at any depth); null when none.
    Menu* item(const QString& name) const;

    std::function<void()> Click;

    // person: clicks the item. False when it cannot be reached: it or a menu above it is
    // invisible, its form is not shown, or it belongs to a popup menu that is not showing.
    bool click();

    QAction* action() const { return action_; }
    // The drop-down of a menu with items (made when the first item is added).
    QMenu* qmenu() const { return menu_; }
    // Marks a popup menu as showing while the host runs it (person clicks reach its items).
    void setPoppedUp(bool on) { poppedUp_ = on; }
    // Whether a person could click the item now.
    bool canAct() const;
    // Runs Click for an item chosen from a showing popup (the host calls it).
    void choose();

  private:
    QString Caption() const;
    bool isSeparator() const;
    void build(const QString& caption);
    void addItem(Menu* item);
    void removeItem(Menu* item);
    QMenu* ensureQMenu();

    Form* form_;
    Menu* parent_ = nullptr;
    QString name_;
    bool poppedUp_ = false;
    QList<Menu*> items_;
    QAction* action_ = nullptr;
    QMenu* menu_ = nullptr;
};

}  // namespace ui
