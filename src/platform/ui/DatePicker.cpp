#include "ui/DatePicker.h"

#include <QDateEdit>
#include <QKeyEvent>
#include <QLineEdit>
#include <QtDebug>
#include <utility>

#include "ui/ControlSupport.h"
#include "ui/Form.h"
#include "ui/FormDetail.h"
#include "ui/KeyMap.h"

namespace ui {

namespace {

// Qt edits a date section by section, and takes a typed digit only where it replaces the
// selected section or extends the digits just typed into it: a digit typed where a click put
// the cursor would be refused. A section full of digits moves on to the next one by itself, so
// the separator typed after it would skip a section. Here a digit typed anew replaces the
// section under the cursor, and that separator is taken as said already: the date can be typed
// digit by digit, with or without its separators, as it is shown.
class DateEdit : public QDateEdit {
  public:
    explicit DateEdit(QWidget* parent) : QDateEdit(parent) {}

    // A key as a person presses it, for the person-side calls of the scripted host.
    bool typeKey(int qtKey, const QString& text) {
        QKeyEvent press(QEvent::KeyPress, qtKey, Qt::NoModifier, text);
        keyPressEvent(&press);
        return press.isAccepted();
    }
    bool hasSelection() const { return lineEdit()->hasSelectedText(); }
    // A change of the date by a key is told once Qt is done with the key, that is after it
    // has moved on to the next section: the change may give the field another format.
    bool holdsChange() {
        changeHeld_ = changeHeld_ || inKey_;
        return inKey_;
    }
    std::function<void()> heldChange;

  protected:
    void keyPressEvent(QKeyEvent* event) override {
        const QString text = event->text();
        const QChar typed = text.size() == 1 ? text.front() : QChar();
        if (typed.isPrint() && !typed.isLetterOrNumber()) {
            if (std::exchange(justMovedOn_, false)) {
                event->accept();
                return;
            }
            // Any separator moves on: the windows change the shown one while a date is typed.
            const QChar separator = separatorAfter(currentSectionIndex());
            if (!separator.isNull() && separator != typed) {
                QKeyEvent same(event->type(), separator.unicode(), event->modifiers(),
                               QString(separator));
                typeIntoSection(&same, false);
                event->setAccepted(same.isAccepted());
                return;
            }
        }
        typeIntoSection(event, typed.isDigit());
    }
    void mousePressEvent(QMouseEvent* event) override {
        typingSection_ = -1;
        justMovedOn_ = false;
        QDateEdit::mousePressEvent(event);
    }
    void focusInEvent(QFocusEvent* event) override {
        typingSection_ = -1;
        justMovedOn_ = false;
        QDateEdit::focusInEvent(event);
    }

  private:
    void typeIntoSection(QKeyEvent* event, bool digit) {
        if (digit && currentSectionIndex() != typingSection_) {
            setSelectedSection(currentSection());
        }
        const int before = currentSectionIndex();
        inKey_ = true;
        QDateEdit::keyPressEvent(event);
        inKey_ = false;
        typingSection_ = digit ? currentSectionIndex() : -1;
        justMovedOn_ = digit && currentSectionIndex() != before;
        if (std::exchange(changeHeld_, false) && heldChange) {
            heldChange();
        }
    }
    // The separator the format shows after the section; null after the last one.
    QChar separatorAfter(int section) const {
        const QString format = displayFormat();
        int seen = -1;
        for (int i = 0; i < format.size(); ++i) {
            if (format[i].isLetter() && (i == 0 || !format[i - 1].isLetter())) {
                ++seen;
            } else if (!format[i].isLetter() && seen == section) {
                return format[i];
            }
        }
        return {};
    }

    // The section the last key typed a digit into, -1 when the last key typed none.
    int typingSection_ = -1;
    bool justMovedOn_ = false;
    bool inKey_ = false;
    bool changeHeld_ = false;
};

// The Qt key for a key of the person-side calls; 0 for a key the date field does not answer.
int qtKeyFor(int keyCode, int keyAscii) {
    if (keyAscii > vbKeySpace) {
        return keyAscii >= '0' && keyAscii <= '9' ? Qt::Key_0 + (keyAscii - '0') : Qt::Key_unknown;
    }
    for (const int key : {Qt::Key_Up, Qt::Key_Down, Qt::Key_Left, Qt::Key_Right, Qt::Key_Home,
                          Qt::Key_End, Qt::Key_Backspace, Qt::Key_Delete}) {
        if (vbKeyCode(key) == keyCode) {
            return key;
        }
    }
    return 0;
}

}  // namespace

// ---- DatePicker ------------------------------------------------------------------------------

DatePicker::DatePicker(Form* form, const QString& name, int index)
    : Control(form, name, index), customFormat_(QStringLiteral("dd-MM-yyyy")) {
    auto* edit = new DateEdit(form);
    edit->setCalendarPopup(true);
    edit->setDateRange(QDate(1601, 1, 1), QDate(9999, 12, 31));
    edit->setDate(QDate::currentDate());
    edit->heldChange = [this] { detail::dispatchFromQt([this] { fire(Change); }); };
    QObject::connect(edit, &QDateEdit::dateChanged, edit, [this, edit](const QDate&) {
        if (settingFromCode_ || edit->holdsChange()) {
            return;
        }
        detail::dispatchFromQt([this] { fire(Change); });
    });
    attach(edit);
    applyFormat();
}

QDateEdit* DatePicker::dateEdit() const {
    return static_cast<QDateEdit*>(widget());
}

QDate DatePicker::Value() const {
    return dateEdit()->date();
}

void DatePicker::setValue(const QDate& date) {
    if (!date.isValid() || date < MinDate() || date > MaxDate()) {
        detail::invalidValue();
    }
    settingFromCode_ = true;
    dateEdit()->setDate(date);
    settingFromCode_ = false;
}

QString DatePicker::qtFormat() const {
    switch (format_) {
        case dtpLongDate:
            return QStringLiteral("dddd, d MMMM yyyy");
        case dtpTime:
            return QStringLiteral("HH:mm:ss");
        case dtpCustom:
            return customFormat_;
        default:
            return QStringLiteral("dd/MM/yyyy");
    }
}

void DatePicker::applyFormat() {
    const QString format = qtFormat();
    auto* edit = static_cast<DateEdit*>(dateEdit());
    if (edit->displayFormat() == format) {
        return;
    }
    // A format changed while a person types (the windows change it on Change) keeps the
    // section being typed, as long as the new format has the same sections.
    const int section = edit->currentSectionIndex();
    const bool wholeSection = edit->hasSelection();
    const int sections = edit->sectionCount();
    edit->setDisplayFormat(format);
    if (edit->sectionCount() == sections && section >= 0) {
        edit->setCurrentSectionIndex(section);
        if (wholeSection) {
            edit->setSelectedSection(edit->sectionAt(section));
        }
    }
}

bool DatePicker::keyAction(int keyCode, int, int keyAscii) {
    const int qtKey = qtKeyFor(keyCode, keyAscii);
    if (qtKey == 0) {
        return false;
    }
    const QString text = keyAscii >= vbKeySpace ? QString(QChar(keyAscii)) : QString();
    return static_cast<DateEdit*>(dateEdit())->typeKey(qtKey, text);
}

void DatePicker::setFormat(int format) {
    if (format < dtpLongDate || format > dtpCustom) {
        detail::invalidValue();
    }
    format_ = format;
    applyFormat();
}

void DatePicker::setCustomFormat(const QString& format) {
    customFormat_ = format;
    applyFormat();
}

QDate DatePicker::MinDate() const {
    return dateEdit()->minimumDate();
}

QDate DatePicker::MaxDate() const {
    return dateEdit()->maximumDate();
}

QString DatePicker::displayText() const {
    return dateEdit()->text();
}

bool DatePicker::setDate(const QDate& date) {
    if (!beginPerson()) {
        return false;
    }
    if (!date.isValid() || date < MinDate() || date > MaxDate()) {
        qWarning("ui: %s cannot show %s", qUtf8Printable(Name()),
                 qUtf8Printable(date.toString(Qt::ISODate)));
        return false;
    }
    if (date == Value()) {
        return true;
    }
    settingFromCode_ = true;
    dateEdit()->setDate(date);
    settingFromCode_ = false;
    fire(Change);
    return true;
}

}  // namespace ui
