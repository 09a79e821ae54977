#pragma once

#include <QColor>
#include <QDate>
#include <QPixmap>
#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>
#include <optional>

#include "ui/Control.h"
#include "ui/ListOrder.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QCheckBox;
class QRadioButton;
class QComboBox;
class QListWidget;
class QGroupBox;
class QFrame;
class QProgressBar;
class QTimer;
class QDateEdit;
class QTabWidget;
class QTextEdit;

namespace ui {

// Colours are platform colour values: red in the low byte, then green, then blue. Values
// with the high bit set name system colours (0x80000008 window text, 0x8000000F button face,
// 0x80000005 window background, ...), which follow the desktop's palette.
QColor colorFromValue(qint32 value);

// A caption with the platform's accelerator mark '&' ("&Add"); a literal '&' is "&&", as in Qt.
// ---------------------------------------------------------------------------------------------
class Label : public Control {
  public:
    Label(Form* form, const QString& name, int index = -1);

    QString Caption() const;
    void setCaption(const QString& caption);
    qint32 ForeColor() const { return foreColor_; }
    void setForeColor(qint32 color);
    void setForeColor(const QColor& color);
    qint32 BackColor() const { return backColor_; }
    void setBackColor(qint32 color);
    void setBackColor(const QColor& color);
    // 0 transparent, 1 opaque (BackColor painted).
    int BackStyle() const { return backStyle_; }
    void setBackStyle(int style);
    int Alignment() const { return alignment_; }
    void setAlignment(int alignment);
    bool AutoSize() const { return autoSize_; }
    void setAutoSize(bool on);
    bool WordWrap() const;
    void setWordWrap(bool on);

    std::function<void()> Click;
    std::function<void()> DblClick;

    // person: MouseDown, MouseUp, Click (left button).
    bool click();
    bool dblClick();

    bool takesFocus() const override { return false; }
    QLabel* label() const;

  protected:
    bool mouseFromQt(QWidget* widget, QMouseEvent* event, int type) override;

  private:
    qint32 foreColor_;
    qint32 backColor_;
    int backStyle_ = 0;
    int alignment_ = vbLeftJustify;
    bool autoSize_ = false;
};

// ---------------------------------------------------------------------------------------------
// A text box: one line (QLineEdit) or, with MultiLine, several (QPlainTextEdit). Change fires on
// every change of the text, by code or by a person; setting Text to the text it has already
// changes nothing. MaxLength limits what a person types, never what code sets.
class TextBox : public Control {
  public:
    TextBox(Form* form, const QString& name, int index = -1);

    QString Text() const;
    void setText(const QString& text);
    bool Locked() const { return locked_; }
    void setLocked(bool on);
    int MaxLength() const { return maxLength_; }
    void setMaxLength(int length);
    // Swaps the single-line widget for a multi-line one (or back); the window sets it once,
    // before or after placing the widget.
    bool MultiLine() const { return multiLine_; }
    void setMultiLine(bool on);
    QString PasswordChar() const { return passwordChar_; }
    void setPasswordChar(const QString& character);
    int SelStart() const;
    void setSelStart(int start);
    int SelLength() const;
    void setSelLength(int length);
    QString SelText() const;
    void setSelText(const QString& text);
    int Alignment() const { return alignment_; }
    void setAlignment(int alignment);
    qint32 ForeColor() const { return foreColor_; }
    void setForeColor(qint32 color);
    void setForeColor(const QColor& color);
    qint32 BackColor() const { return backColor_; }
    void setBackColor(qint32 color);
    void setBackColor(const QColor& color);
    // 0 none, 1 fixed single (the frame).
    int BorderStyle() const { return borderStyle_; }
    void setBorderStyle(int style);

    std::function<void()> Change;
    std::function<void()> Click;

    // person: focus, then the whole text replaced by `text` (cut to MaxLength), Change. False
    // when the box is locked (the focus still moves).
    bool type(const QString& text);
    // person: a click into the box (focus, MouseDown/MouseUp, Click).
    bool click();
    // person: clears the text (select all, delete).
    bool clear();

    QLineEdit* lineEdit() const;
    QPlainTextEdit* plainTextEdit() const;

  protected:
    bool keyAction(int keyCode, int shift, int keyAscii) override;
    bool wantsReturn() const override { return multiLine_; }
    bool mouseFromQt(QWidget* widget, QMouseEvent* event, int type) override;

  private:
    void build();
    void applyText(const QString& text);
    void applyMaxLength();
    void applyColors();
    void insertTyped(const QString& text);
    void onQtEdited();

    bool multiLine_ = false;
    bool locked_ = false;
    bool applying_ = false;
    int maxLength_ = 0;
    int alignment_ = vbLeftJustify;
    int borderStyle_ = 1;
    QString passwordChar_;
    QString lastText_;
    qint32 foreColor_;
    qint32 backColor_;
};

// ---------------------------------------------------------------------------------------------
class CommandButton : public Control {
  public:
    CommandButton(Form* form, const QString& name, int index = -1);

    QString Caption() const;
    void setCaption(const QString& caption);
    // Return anywhere in the form (except on another button or a multi-line text box) clicks
    // the default button; Escape clicks the cancel button.
    bool Default() const { return default_; }
    void setDefault(bool on);
    bool Cancel() const { return cancel_; }
    void setCancel(bool on) { cancel_ = on; }
    // Value = true from code clicks the button.
    void setValue(bool on);

    std::function<void()> Click;

    // person: focus (Validate of the control that had it may refuse), then Click.
    bool click();

    QPushButton* button() const;

  protected:
    bool keyAction(int keyCode, int shift, int keyAscii) override;
    bool wantsReturn() const override { return true; }

  private:
    friend class Form;
    void fireClick() { fire(Click); }
    bool default_ = false;
    bool cancel_ = false;
};

// ---------------------------------------------------------------------------------------------
// Value 0 unchecked, 1 checked, 2 grayed. Click fires whenever Value changes, by code too.
class CheckBox : public Control {
  public:
    CheckBox(Form* form, const QString& name, int index = -1);

    int Value() const { return value_; }
    void setValue(int value);
    QString Caption() const;
    void setCaption(const QString& caption);

    std::function<void()> Click;

    // person: focus, toggle (grayed becomes checked... as a click turns it), Click.
    bool click();

    QCheckBox* checkBox() const;

  protected:
    bool keyAction(int keyCode, int shift, int keyAscii) override;

  private:
    void apply();
    int value_ = vbUnchecked;
};

// ---------------------------------------------------------------------------------------------
// Option buttons with the same parent widget exclude each other. Click fires when one becomes
// selected, by code or by a person.
class OptionButton : public Control {
  public:
    OptionButton(Form* form, const QString& name, int index = -1);

    bool Value() const;
    void setValue(bool on);
    QString Caption() const;
    void setCaption(const QString& caption);

    std::function<void()> Click;

    bool click();

    QRadioButton* radioButton() const;

  private:
    void select(bool fireEvent);
};

// ---------------------------------------------------------------------------------------------
// Style 0 (dropdown combo) and 1 (simple combo) have an editable text; style 2 (dropdown list)
// only chooses. Setting ListIndex from code to an entry fires Click, as a person's choice does,
// even when it is the index it has; -1 clears the choice without Click.
class ComboBox : public Control {
  public:
    ComboBox(Form* form, const QString& name, int index = -1);

    int Style() const { return style_; }
    void setStyle(int style);
    bool Sorted() const { return sorted_; }
    void setSorted(bool on) { sorted_ = on; }
    void Clear();
    // Inserts at `index` (or, when -1, at the end or the sorted place); NewIndex tells where.
    void AddItem(const QString& text, int index = -1);
    void RemoveItem(int index);
    QString List(int index) const;
    void setList(int index, const QString& text);
    int ListCount() const;
    int ListIndex() const;
    void setListIndex(int index);
    int NewIndex() const { return newIndex_; }
    qint32 ItemData(int index) const;
    void setItemData(int index, qint32 value);
    // Style 2: the chosen entry's text; setting it chooses the entry with that text (ignoring
    // case; error 383 when there is none). Editable styles: the edit text.
    QString Text() const;
    void setText(const QString& text);
    // The entry whose text equals `text` ignoring case, or -1.
    int findText(const QString& text) const;
    bool Locked() const { return locked_; }
    void setLocked(bool on);

    std::function<void()> Click;
    std::function<void()> Change;
    std::function<void()> DropDown;

    // person: drops the list down (DropDown), chooses the entry, Click. False when there is no
    // such entry after DropDown.
    bool choose(int index);
    bool choose(const QString& text);
    // person: types into the edit part (editable styles only), Change.
    bool type(const QString& text);
    bool dropDown();

    QComboBox* comboBox() const;

  protected:
    bool keyAction(int keyCode, int shift, int keyAscii) override;

  private:
    void checkIndex(int index, bool allowMinusOne) const;
    void selectQuietly(int index);
    void setEditTextQuietly(const QString& text);
    void fireDropDown();

    int style_ = vbComboDropdown;
    bool sorted_ = false;
    bool locked_ = false;
    int newIndex_ = -1;
    EntryTexts entryTexts_;
    QString lastEditText_;
};

// ---------------------------------------------------------------------------------------------
class ListBox : public Control {
  public:
    ListBox(Form* form, const QString& name, int index = -1);

    bool Sorted() const { return sorted_; }
    void setSorted(bool on) { sorted_ = on; }
    void Clear();
    void AddItem(const QString& text, int index = -1);
    void RemoveItem(int index);
    QString List(int index) const;
    void setList(int index, const QString& text);
    int ListCount() const;
    // Setting it to an entry fires Click; -1 clears the choice without Click.
    int ListIndex() const;
    void setListIndex(int index);
    int NewIndex() const { return newIndex_; }
    qint32 ItemData(int index) const;
    void setItemData(int index, qint32 value);
    QString Text() const;
    bool Selected(int index) const;
    void setSelected(int index, bool on);
    int TopIndex() const;

    std::function<void()> Click;
    std::function<void()> DblClick;

    bool choose(int index);
    bool choose(const QString& text);
    // person: double-click on the entry (chooses it first, Click, then DblClick); without an
    // index, on the chosen entry.
    bool dblClick(int index = -1);

    QListWidget* listWidget() const;

  protected:
    bool keyAction(int keyCode, int shift, int keyAscii) override;

  private:
    void checkIndex(int index, bool allowMinusOne) const;
    void selectQuietly(int index);
    bool sorted_ = false;
    int newIndex_ = -1;
    EntryTexts entryTexts_;
};

// ---------------------------------------------------------------------------------------------
// A frame groups controls; the form lays them out in container().
class Frame : public Control {
  public:
    Frame(Form* form, const QString& name, int index = -1);
    QString Caption() const;
    void setCaption(const QString& caption);
    QWidget* container() const { return widget(); }
    bool takesFocus() const override { return false; }
};

// Decorations without behaviour.
class Line : public Control {
  public:
    Line(Form* form, const QString& name, int index = -1);
    // Horizontal by default.
    void setVertical(bool on);
    bool takesFocus() const override { return false; }
};

class Shape : public Control {
  public:
    Shape(Form* form, const QString& name, int index = -1);
    qint32 BackColor() const { return backColor_; }
    void setBackColor(qint32 color);
    void setBackColor(const QColor& color);
    qint32 BorderColor() const { return borderColor_; }
    void setBorderColor(qint32 color);
    // 0 no border, 1 a solid line.
    int BorderStyle() const { return borderStyle_; }
    void setBorderStyle(int style);
    void setBorderColor(const QColor& color);
    bool takesFocus() const override { return false; }

  private:
    void apply();
    qint32 backColor_;
    qint32 borderColor_;
    int borderStyle_ = 1;
};

class Image : public Control {
  public:
    Image(Form* form, const QString& name, int index = -1);
    void setPicture(const QPixmap& picture);
    void LoadPicture(const QString& path);
    bool hasPicture() const;
    bool Stretch() const { return stretch_; }
    void setStretch(bool on);

    std::function<void()> Click;
    bool click();
    bool takesFocus() const override { return false; }

  protected:
    bool mouseFromQt(QWidget* widget, QMouseEvent* event, int type) override;

  private:
    bool stretch_ = false;
};

// ---------------------------------------------------------------------------------------------
class ProgressBar : public Control {
  public:
    ProgressBar(Form* form, const QString& name, int index = -1);
    int Min() const;
    void setMin(int value);
    int Max() const;
    void setMax(int value);
    int Value() const;
    // Error 380 outside Min..Max.
    void setValue(int value);
    bool takesFocus() const override { return false; }

    QProgressBar* progressBar() const;
};

// ---------------------------------------------------------------------------------------------
// A date picker. Change fires only when a person edits the date, never when code sets Value.
class DatePicker : public Control {
  public:
    DatePicker(Form* form, const QString& name, int index = -1);

    QDate Value() const;
    // Error 380 outside MinDate..MaxDate or for an invalid date.
    void setValue(const QDate& date);
    int Format() const { return format_; }
    void setFormat(int format);
    // Day-first pictures: "dd-MM-yyyy", "dd/MM/yyyy" (d, dd, M, MM, MMM, yy, yyyy).
    QString CustomFormat() const { return customFormat_; }
    void setCustomFormat(const QString& format);
    QDate MinDate() const;
    void setMinDate(const QDate& date);
    QDate MaxDate() const;
    void setMaxDate(const QDate& date);
    // The date as the picker shows it.
    QString displayText() const;

    std::function<void()> Change;

    // person: picks a date in the calendar, or types it in the shown format.
    bool setDate(const QDate& date);
    bool type(const QString& text);

    QDateEdit* dateEdit() const;

  private:
    void applyFormat();
    QString qtFormat() const;
    int format_ = dtpShortDate;
    QString customFormat_;
    bool settingFromCode_ = false;
};

// ---------------------------------------------------------------------------------------------
// Tabs: the form lays each tab's controls on page(i). Click(PreviousTab) fires whenever the
// current tab changes, by code or by a person.
class TabControl : public Control {
  public:
    TabControl(Form* form, const QString& name, int index = -1);

    int Tabs() const;
    void setTabs(int count);
    int Tab() const;
    // Error 380 for a tab that does not exist.
    void setTab(int tab);
    QString TabCaption(int tab) const;
    void setTabCaption(int tab, const QString& caption);
    bool TabEnabled(int tab) const;
    void setTabEnabled(int tab, bool on);
    QWidget* page(int tab) const;

    std::function<void(int PreviousTab)> Click;

    bool chooseTab(int tab);

    QTabWidget* tabWidget() const;

  private:
    void checkTab(int tab) const;
    void switchTo(int tab);
    int current_ = 0;
};

// ---------------------------------------------------------------------------------------------
// A rich text box. TextRTF takes rich text written as HTML (RTF itself is not read).
class RichTextBox : public Control {
  public:
    RichTextBox(Form* form, const QString& name, int index = -1);

    QString Text() const;
    void setText(const QString& text);
    QString TextRTF() const;
    void setTextRTF(const QString& html);
    bool Locked() const;
    void setLocked(bool on);
    int SelStart() const;
    void setSelStart(int start);
    int SelLength() const;
    void setSelLength(int length);
    // Reads the file as HTML when it looks like HTML, else as plain text. Error 75 when it
    // cannot be read.
    void LoadFile(const QString& path);

    std::function<void()> Change;

    bool type(const QString& text);

    QTextEdit* textEdit() const;

  protected:
    QFont textFont() const override;
    void setTextFont(const QFont& font) override;

  private:
    void setContent(const std::function<void()>& apply);
    bool settingFromCode_ = false;
};

// ---------------------------------------------------------------------------------------------
// A timer. Under the real host it ticks by itself; under a test host only tick() fires it.
class Timer {
  public:
    Timer(Form* form, const QString& name, int index = -1);
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    const QString& Name() const { return name_; }
    int Index() const { return index_; }
    // Milliseconds; 0 stops the timer.
    int Interval() const { return interval_; }
    void setInterval(int ms);
    bool Enabled() const { return enabled_; }
    void setEnabled(bool on);

    // The Timer event (a member cannot carry its class's name).
    std::function<void()> OnTimer;

    // Fires the Timer event as one tick would; false (nothing fired) when the timer is off or
    // its form is not loaded (an unloaded form's timers stop).
    bool tick();

  private:
    void apply();
    void onTimeout();
    Form* form_;
    QString name_;
    int index_;
    int interval_ = 0;
    bool enabled_ = true;
    QTimer* timer_;
};

}  // namespace ui
