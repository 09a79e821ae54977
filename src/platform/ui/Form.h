#pragma once

#include <QList>
#include <QMdiSubWindow>
#include <QPointer>
#include <QString>
#include <QWidget>

#include "ui/Constants.h"
#include "ui/FormLinks.h"

class QMenuBar;

namespace ui {

class Control;
class Menu;
class MDIForm;
class Form;

// Unloads a form: QueryUnload and Unload run (either may cancel, and the form stays); then the
// form is hidden, taken out of the main window, forgotten as its type's default instance and
// deleted once no event procedure is running any more (the code that called Unload, often the
// form's own event procedure, goes on safely). Does nothing for a form that is not loaded.
void Unload(Form& form);

namespace detail {
struct FormAccess;
}  // namespace detail

// A window of the program. Properties use the units of the windows' code (twips for sizes);
// the event procedures are virtual members that a window overrides; person-side calls (close,
// pressKey) act as a person would. Its controls and menus reach it as a detail::FormSite,
// and it reaches them through their public calls and detail::ControlHooks.
class Form : public QWidget, public detail::FormSite {
    Q_OBJECT

  public:
    explicit Form(QWidget* parent = nullptr);
    ~Form() override;

    // ---- properties
    QString Caption() const;
    void setCaption(const QString& caption);
    const QString& Tag() const { return tag_; }
    void setTag(const QString& tag) { tag_ = tag; }
    // Outer position and size in twips (the sub-window's for a form inside the main window).
    // Left and Top count from the main window's client area, also for a window that stands
    // over it as a top-level window of its own (a dialog); without a main window, from the
    // screen.
    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    void setWidth(int twips);
    void setHeight(int twips);
    // The client area in twips.
    virtual int ScaleWidth() const;
    virtual int ScaleHeight() const;
    // Shown (Show sets it, Hide and Unload clear it).
    bool Visible() const { return visible_; }
    void setMousePointer(int pointer);
    void setKeyPreview(bool on) { keyPreview_ = on; }
    Control* ActiveControl() const;
    // The window's class name ("frmUsr").
    QString Name() const;
    bool MDIChild() const { return mdiChild_; }
    // 0 none (no title bar or frame), 1 fixed single, 2 sizable (the default), 3 fixed dialog,
    // 4 fixed tool window, 5 sizable tool window.
    void setBorderStyle(int style);
    void setWindowState(int state);

    // ---- operations
    // Loads the form when it is not loaded yet. Modeless: shows it (an MDI child inside the
    // main window, brought to the front when shown already). Modal: runs it through the host
    // and returns when it is hidden or unloaded.
    void Show(int modal = vbModeless);
    void Hide();
    void Move(int left, int top);
    void Move(int left, int top, int width, int height);
    void Refresh();
    void SetFocus();
    void PopupMenu(Menu& menu);

    // ---- person-side
    // The window's close button: QueryUnload (UnloadMode 0), then Unload. False when the
    // window was not shown.
    bool close();
    // A key pressed while the window has the focus: goes to the form first when KeyPreview
    // is on, then to the active control.
    bool pressKey(int keyCode, int shift = 0);

    // ---- state
    bool isFormLoaded() const { return state_ == State::Loaded; }
    bool isUnloaded() const { return state_ == State::Unloaded; }
    bool isModal() const { return modal_; }
    QList<Control*> controls() const { return controls_; }
    QMdiSubWindow* subWindow() const { return subWindow_; }
    // The bar that shows the form's visible top-level menus (made on first use).
    QMenuBar* menuBar();

  signals:
    // The form was hidden or unloaded: a modal run of it is over.
    void modalEnded();

  protected:
    virtual void Form_Load() {}
    virtual void Form_Resize() {}
    virtual void Form_KeyDown(int& /*KeyCode*/, int /*Shift*/) {}
    virtual void Form_QueryUnload(int& /*Cancel*/, int /*UnloadMode*/) {}
    virtual void Form_Unload(int& /*Cancel*/) {}

    // Set by the window's constructor: the form lives inside the main window.
    void setMDIChild(bool on) { mdiChild_ = on; }
    // Set by the constructor of a child that fills the main window (a start page): it stays
    // behind every other child, whatever a person clicks on it.
    void setStaysBehind(bool on) { staysBehind_ = on; }

    // The main window routes these to its own event procedures.
    virtual void fireLoad() { Form_Load(); }
    virtual void fireResize() { Form_Resize(); }
    virtual void fireQueryUnload(int& cancel, int mode) { Form_QueryUnload(cancel, mode); }
    virtual void fireUnload(int& cancel) { Form_Unload(cancel); }
    // Runs the unload with its events; false when cancelled.
    virtual bool unloadWith(int unloadMode);
    // Hides, detaches and forgets the form without events.
    virtual void finishUnload();
    virtual QWidget* clientArea() const { return const_cast<Form*>(this); }
    // Shows a child form inside this window; only the main window holds children.
    virtual void placeChild(Form& /*child*/) {}

    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    enum class State { Constructed, Loading, Loaded, Unloaded };

    template <class T, class Base>
    friend class FormOf;
    friend class MDIForm;
    friend class Forms;
    friend struct detail::FormAccess;
    friend void Unload(Form& form);

    // Runs Form_Load when the form is not loaded yet.
    void Load();
    // detail::FormSite
    void addControl(Control* control) override;
    void removeControl(Control* control) override;
    void addMenu(Menu* menu) override;
    void removeMenu(Menu* menu) override;
    void menuShownOrHidden() override;
    bool focusControl(Control* target, bool byPerson) override;
    // Tab: the next control that can take the focus, in the order they were made.
    bool tabFrom(Control* from, bool backwards) override;
    bool keyToControl(Control* target, int keyCode, int shift, int keyAscii) override;

    void adoptDefaultSlot(Form** slot);
    void destroyAfterFailedLoad();
    void showWindow(bool modal);
    void applyBorderStyle();
    // Where Left and Top count from, in screen pixels: a window that stands over the main
    // window counts from the main window's client area, as its children do, so that a window
    // placed by its Form_Load (CenterForm) appears over the main window; others from the
    // origin of their parent or the screen.
    QPoint origin() const;
    // Moves a top-level window that would stand partly off the screen back onto it.
    void keepOnScreen();
    // Widens and heightens the size the window's constructor gave to what its layout asks for
    // (every list's columns, every text), as far as the main window or the screen has room.
    // Once Form_Load has filled the lists it grows about its centre, where Form_Load put it.
    void growToLayout(bool aboutCentre);
    void giveInitialFocus();
    QWidget* frameWidget() const;

    // The key pipeline shared by person-side calls and real key presses. Returns true when the
    // key was consumed (by an event procedure or by the default button).
    // Real key presses (fromQt) leave to Qt what Qt does itself (typing, moving in a list).
    bool dispatchKey(Control* target, int keyCode, int shift, int keyAscii, bool fromQt);
    // The default button that a person could click now; null when none.
    Control* defaultButton() const;

    State state_ = State::Constructed;
    bool visible_ = false;
    bool modal_ = false;
    bool unloading_ = false;
    bool closingByLayer_ = false;
    bool ownedByLayer_ = false;
    bool keyPreview_ = false;
    bool mdiChild_ = false;
    bool staysBehind_ = false;
    bool inResize_ = false;
    bool grownForShow_ = false;
    bool busyHeld_ = false;
    int borderStyle_ = 2;
    Form** defaultSlot_ = nullptr;
    QString tag_;
    QList<Control*> controls_;
    QList<Menu*> menus_;
    Control* active_ = nullptr;
    QMenuBar* menuBar_ = nullptr;
    QPointer<QMdiSubWindow> subWindow_;
};

// Every form type has one default instance: made and loaded on first use, destroyed by
// Unload; the next use makes a fresh one.
//   class frmUnit : public ui::FormOf<frmUnit> { ... };
//   frmUnit::instance().Show(vbModal);
template <class T, class Base = Form>
class FormOf : public Base {
  public:
    using Base::Base;

    // The default instance, made and loaded when there is none. It is registered before its
    // Form_Load runs, so that Form_Load reaching its own default instance finds this object.
    // When Form_Load fails, the instance is destroyed and the error goes to the caller.
    static T& instance() {
        if (slot_ != nullptr) {
            return static_cast<T&>(*slot_);
        }
        T* form = new T();
        form->adoptDefaultSlot(&slot_);
        try {
            form->Load();
        } catch (...) {
            form->destroyAfterFailedLoad();
            throw;
        }
        return *form;
    }
    static bool isLoaded() { return slot_ != nullptr; }
    // The default instance when there is one; never loads.
    static T* loadedInstance() { return static_cast<T*>(slot_); }

  private:
    inline static Form* slot_ = nullptr;
};

template <class T>
void Unload() {
    if (T* form = T::loadedInstance()) {
        Unload(*form);
    }
}

template <class T>
T& Load() {
    return T::instance();
}

// The loaded forms.
class Forms {
  public:
    // In the order they were loaded.
    static QList<Form*> loaded();
    // Unloads and deletes every form without running any event (test tear-down, End).
    static void discardAll();
};

// The hourglass for as long as the object lives (Screen.MousePointer 11); the pointer that was
// there before comes back after.
class Hourglass;

// The screen: the global mouse pointer.
class Screen {
  public:
    static int MousePointer();
    static void setMousePointer(int pointer);
    // Forgets the pointer without telling the host (a fresh test host starts idle).
    static void resetMousePointer();
};

class Hourglass {
  public:
    Hourglass() : previous_(Screen::MousePointer()) { Screen::setMousePointer(vbHourglass); }
    ~Hourglass() { Screen::setMousePointer(previous_); }
    Hourglass(const Hourglass&) = delete;
    Hourglass& operator=(const Hourglass&) = delete;

  private:
    int previous_;
};

}  // namespace ui
