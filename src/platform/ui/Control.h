#pragma once

#include <QFont>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>

#include "runtime/Error.h"
#include "ui/Constants.h"
#include "ui/EventScope.h"
#include "ui/FormLinks.h"

namespace ui {

class Form;

// What every control has: name and index, the common properties, the focus and key events,
// and the person-side calls every control answers. A control is a member of its form and is
// backed by one Qt widget, which the form places with layouts. It reaches its form through the
// form's public calls and detail::FormSite; the form reaches it through detail::ControlHooks.
// What a person sees of a control (texts, colours, enabled, visible, checked, list entries,
// the choice) is read back from its widget, so that a value that never reached the screen
// cannot pass for one that did.
class Control : public detail::ControlHooks {
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
    QString ToolTipText() const;
    void setToolTipText(const QString& text);
    // Tab and the focus a window gives when it opens go through the controls in the order
    // they were made, passing over those without TabStop.
    bool TabStop() const { return tabStop_; }
    void setTabStop(bool on);
    void setMousePointer(int pointer);
    // Sizes in twips.
    void setWidth(int twips);
    void setHeight(int twips);
    // The font of the control's text. A size of 0 or less is error 380.
    bool FontBold() const;
    void setFontBold(bool on);
    void setFontUnderline(bool on);
    void setFontSize(double points);
    void setFontName(const QString& family);

    // Moves the focus here (LostFocus of the control that had it). Error 5 when the form is
    // not shown or the control cannot take the focus.
    void SetFocus();

    std::function<void()> LostFocus;
    std::function<void(bool& Cancel)> Validate;
    std::function<void(int& KeyCode, int Shift)> KeyDown;
    std::function<void(int Button, int Shift, float X, float Y)> MouseUp;

    // ---- person-side. Each returns false, doing nothing, when a person could not do it now
    // (the control or its form disabled, hidden, or behind a modal window).
    bool focus();
    // Focus here, then the key (KeyDown, then the control's own reaction).
    bool pressKey(int keyCode, int shift = 0);
    // Types the characters one at a time as key presses.
    bool typeKeys(const QString& text);
    // The right mouse button over the control: MouseUp with Button 2.
    bool rightClick();

    // Whether a person could reach the control now.
    bool canAct() const;

  protected:
    // Where the control keeps its text's font (a rich-text box keeps its document's).
    virtual QFont textFont() const;
    virtual void setTextFont(const QFont& font);

    // Gives the control its widget (derived constructors call it once).
    void attach(QWidget* widget);
    // Swaps the widget, keeping its place in the layout.
    void replaceWidget(QWidget* widget);
    // What the form asks of its controls (detail::ControlHooks): by default a control takes the
    // focus, uses no key, holds no others and is no default button.
    bool takesFocus() const override { return true; }
    bool keyAction(int keyCode, int shift, int keyAscii) override;
    void leaving() override {}
    bool holdsControls() const override { return false; }
    bool wantsReturn() const override { return false; }
    bool isDefaultButton() const override { return false; }
    void clickByKey() override {}
    bool handlesQtKey(int /*keyCode*/, int /*keyAscii*/) const override { return false; }
    bool mouseFromQt(QWidget* widget, QMouseEvent* event, int type) override;
    // The first step of every person-side action: checks reachability and moves the focus here
    // (for controls that take it). False when the action must stop.
    bool beginPerson();
    bool refusePerson(const char* what) const;
    // Before a real click runs the control's Click: moves the focus here when Qt did not
    // (false when the move was refused, so that the click must not happen).
    bool takeFocusForQtClick();
    // A real click that Qt reported by a signal: runs click once the focus has moved here.
    void qtClick(const std::function<void()>& click);

    template <class... Params, class... Args>
    void fire(const std::function<void(Params...)>& handler, Args&&... args) {
        detail::fire(handler, std::forward<Args>(args)...);
    }
    void fireMouse(const std::function<void(int, int, float, float)>& handler, int button,
                   int shift);
    // A person's left click on a control that does not take the focus: MouseUp, then click
    // (while the control still exists). False when a person could not.
    bool personLeftClick(const std::function<void()>& click);

  private:
    detail::FormSite& site() const;

    Form* form_;
    QString name_;
    int index_;
    QPointer<QWidget> widget_;
    // The widget as registered: the key to forget even after Qt deleted the widget with a
    // container that went first.
    const QWidget* registered_ = nullptr;
    bool tabStop_ = true;
};

// A control array: elements addressed by the indexes the windows use (Label1(0..2),
// Text1(1..30)).
template <class T>
class ControlArray {
  public:
    ControlArray(Form* form, const QString& name, int lowIndex, int highIndex)
        : form_(form), name_(name) {
        for (int i = lowIndex; i <= highIndex; ++i) {
            add(i);
        }
    }
    ControlArray(Form* form, const QString& name, std::initializer_list<int> indexes)
        : form_(form), name_(name) {
        for (int i : indexes) {
            add(i);
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
    const QString& Name() const { return name_; }

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
    void add(int index) { items_.emplace(index, std::make_unique<T>(form_, name_, index)); }

    Form* form_;
    QString name_;
    std::map<int, std::unique_ptr<T>> items_;
};

}  // namespace ui
