#pragma once

#include <QFont>
#include <QMouseEvent>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>

#include "runtime/Error.h"
#include "ui/Constants.h"
#include "ui/Form.h"

namespace ui {

// What every control has: name and index, the common properties, the focus and key events,
// and the person-side calls every control answers. A control is a member of its form and is
// backed by one Qt widget, which the form places with layouts.
// What a person sees of a control (texts, colours, enabled, visible, checked, list entries,
// the choice) is read back from its widget, so that a value that never reached the screen
// cannot pass for one that did.
class Control {
  public:
    Control(Form* form, const QString& name, int index = -1);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const QString& Name() const { return name_; }
    // The index inside a control array; -1 for a control that is not in one.
    int Index() const { return index_; }
    Form& Parent() const { return *form_; }
    QWidget* widget() const { return widget_; }

    // The control's own settings (a control inside a hidden frame keeps Visible true).
    bool Enabled() const;
    void setEnabled(bool enabled);
    bool Visible() const;
    void setVisible(bool visible);
    const QString& Tag() const { return tag_; }
    void setTag(const QString& tag) { tag_ = tag; }
    QString ToolTipText() const;
    void setToolTipText(const QString& text);
    bool CausesValidation() const { return causesValidation_; }
    void setCausesValidation(bool on) { causesValidation_ = on; }
    // The initial focus goes to the focusable control with the lowest TabIndex; by default
    // controls are in the order they were made.
    int TabIndex() const { return tabIndex_; }
    void setTabIndex(int index) { tabIndex_ = index; }
    bool TabStop() const { return tabStop_; }
    void setTabStop(bool on);
    int MousePointer() const { return mousePointer_; }
    void setMousePointer(int pointer);
    // Geometry in twips, relative to the parent widget.
    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    void Move(int left, int top, int width, int height);
    void setWidth(int twips);
    void setHeight(int twips);
    // The font of the control's text. A size of 0 or less is error 380.
    bool FontBold() const;
    void setFontBold(bool on);
    bool FontUnderline() const;
    void setFontUnderline(bool on);
    bool FontItalic() const;
    void setFontItalic(bool on);
    double FontSize() const;
    void setFontSize(double points);
    QString FontName() const;
    void setFontName(const QString& family);

    // Moves the focus here (LostFocus of the control that had it, then GotFocus). Error 5
    // when the form is not shown or the control cannot take the focus.
    void SetFocus();
    void Refresh();

    std::function<void()> GotFocus;
    std::function<void()> LostFocus;
    std::function<void(bool& Cancel)> Validate;
    std::function<void(int& KeyCode, int Shift)> KeyDown;
    std::function<void(int& KeyCode, int Shift)> KeyUp;
    std::function<void(int& KeyAscii)> KeyPress;
    std::function<void(int Button, int Shift, float X, float Y)> MouseDown;
    std::function<void(int Button, int Shift, float X, float Y)> MouseUp;

    // ---- person-side. Each returns false, doing nothing, when a person could not do it now
    // (the control or its form disabled, hidden, or behind a modal window).
    bool focus();
    // Focus here, then the key (KeyDown, KeyPress for keys that type a character, the
    // control's own reaction, KeyUp).
    bool pressKey(int keyCode, int shift = 0);
    // Types the characters one at a time as key presses (KeyPress may change or drop them).
    bool typeKeys(const QString& text);
    // The right mouse button over the control: MouseDown and MouseUp with Button 2.
    bool rightClick();

    // Whether a person could reach the control now.
    bool canAct() const;
    virtual bool takesFocus() const { return true; }

  protected:
    friend class Form;
    friend struct detail::FormAccess;

    // Where the control keeps its text's font (a rich-text box keeps its document's).
    virtual QFont textFont() const;
    virtual void setTextFont(const QFont& font);

    // Gives the control its widget (derived constructors call it once).
    void attach(QWidget* widget);
    // Swaps the widget, keeping its place in the layout.
    void replaceWidget(QWidget* widget);
    // The control's own reaction to a key after the events; true when it used the key.
    virtual bool keyAction(int keyCode, int shift, int keyAscii);
    // The control's own reaction to the focus moving away, before its Validate and LostFocus
    // (a date field refuses a text that names no day).
    virtual void leaving() {}
    // A control that holds others (a tab strip): the focus of a window that opens passes over
    // it to the first control inside, where a person can type at once.
    virtual bool holdsControls() const { return false; }
    // Whether the control handles Return itself (a button, a multi-line text box), so that the
    // default button does not get it.
    virtual bool wantsReturn() const { return false; }
    // Whether the control is its form's default button, which Return anywhere in the form
    // clicks, or its cancel button, which Escape clicks; and that click.
    virtual bool isDefaultButton() const { return false; }
    virtual bool isCancelButton() const { return false; }
    virtual void clickByKey() {}
    // Keys of a real key press that the control handles itself instead of Qt (keyAscii is the
    // character the key types, 0 for none).
    virtual bool handlesQtKey(int /*keyCode*/, int /*keyAscii*/) const { return false; }
    // A real mouse event on the control's widget (or a child of it): MouseDown/MouseUp, and
    // for controls without a Qt signal for it, Click and DblClick. True to stop Qt's own
    // handling.
    virtual bool mouseFromQt(QWidget* widget, QMouseEvent* event, int type);
    // The first step of every person-side action: checks reachability, makes the form active
    // and moves the focus here (for controls that take it). False when the action must stop.
    bool beginPerson();
    bool refusePerson(const char* what) const;
    // Before a real click runs the control's Click: moves the focus here when Qt did not
    // (false when the move was refused, so that the click must not happen).
    bool takeFocusForQtClick();
    // A real click that Qt reported by a signal: runs click once the focus has moved here.
    void qtClick(const std::function<void()>& click);

    template <class... Params, class... Args>
    void fire(const std::function<void(Params...)>& handler, Args&&... args) {
        if (handler) {
            detail::EventScope scope;
            handler(std::forward<Args>(args)...);
        }
    }
    void fireMouse(const std::function<void(int, int, float, float)>& handler, int button,
                   int shift);
    // A person's left click on a control that does not take the focus: MouseDown, MouseUp,
    // then click (each only while the control still exists). False when a person could not.
    bool personLeftClick(const std::function<void()>& click);

  private:
    Form* form_;
    QString name_;
    int index_;
    QPointer<QWidget> widget_;
    // The widget as registered: the key to forget even after Qt deleted the widget with a
    // container that went first.
    const QWidget* registered_ = nullptr;
    QString tag_;
    bool causesValidation_ = true;
    bool tabStop_ = true;
    int tabIndex_ = 0;
    int mousePointer_ = vbDefault;
};

// A control array: elements addressed by the indexes the windows use (Label1(0..2),
// Text1(1..30)). Elements can be added at run time with Load.
template <class T>
class ControlArray {
  public:
    ControlArray(Form* form, const QString& name, int lowIndex, int highIndex)
        : form_(form), name_(name) {
        for (int i = lowIndex; i <= highIndex; ++i) {
            Load(i);
        }
    }
    ControlArray(Form* form, const QString& name, std::initializer_list<int> indexes)
        : form_(form), name_(name) {
        for (int i : indexes) {
            Load(i);
        }
    }

    // Error 340 for an index that has no element.
    T& operator[](int index) const {
        auto it = items_.find(index);
        if (it == items_.end()) {
            throw rt::Error(rt::err::ControlArrayElementMissing,
                            QStringLiteral("Control array element '%1' doesn't exist").arg(index));
        }
        return *it->second;
    }
    T& operator()(int index) const { return (*this)[index]; }
    bool exists(int index) const { return items_.count(index) != 0; }
    int Count() const { return static_cast<int>(items_.size()); }
    int LBound() const { return items_.empty() ? 0 : items_.begin()->first; }
    int UBound() const { return items_.empty() ? -1 : items_.rbegin()->first; }
    const QString& Name() const { return name_; }

    // Adds element `index` (error 360 when it exists already).
    T& Load(int index) {
        if (exists(index)) {
            rt::raise(rt::err::ObjectAlreadyLoaded);
        }
        auto item = std::make_unique<T>(form_, name_, index);
        T& ref = *item;
        items_.emplace(index, std::move(item));
        return ref;
    }
    void Unload(int index) { items_.erase(index); }

    // Runs f on every element in index order (to connect their events).
    template <class F>
    void forEach(F f) {
        for (auto& [index, item] : items_) {
            f(*item);
        }
    }

    class iterator {
      public:
        using Inner = typename std::map<int, std::unique_ptr<T>>::const_iterator;
        explicit iterator(Inner it) : it_(it) {}
        T& operator*() const { return *it_->second; }
        T* operator->() const { return it_->second.get(); }
        iterator& operator++() {
            ++it_;
            return *this;
        }
        bool operator==(const iterator& other) const { return it_ == other.it_; }
        bool operator!=(const iterator& other) const { return it_ != other.it_; }

      private:
        Inner it_;
    };
    iterator begin() const { return iterator(items_.begin()); }
    iterator end() const { return iterator(items_.end()); }

  private:
    Form* form_;
    QString name_;
    std::map<int, std::unique_ptr<T>> items_;
};

}  // namespace ui
