#include "ui/DatePicker.h"

#include <QDateEdit>
#include <QFocusEvent>
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

// Whether the text has the shape of the numeric format, every digit in its place, yet names no
// day ("31-02-2026" under "dd-MM-yyyy"): Qt would quietly make another day of it.
bool namesNoDay(const QString& text, const QString& format) {
    if (text.size() != format.size()) {
        return false;
    }
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar f = format[i];
        if (f == QLatin1Char('d') || f == QLatin1Char('M') || f == QLatin1Char('y')) {
            if (!text[i].isDigit()) {
                return false;
            }
        } else if (f.isLetter() || text[i] != f) {
            return false;
        }
    }
    return !QDate::fromString(text, format).isValid();
}

// Where a section of the format stands and how many characters it takes ("dd-MM-yyyy", section
// 2: from 6, 4 characters); width 0 for a section the format does not have.
struct Span {
    qsizetype start = 0;
    qsizetype width = 0;
};
Span sectionSpan(const QString& format, int section) {
    int seen = -1;
    Span span;
    for (qsizetype i = 0; i < format.size(); ++i) {
        if (!format[i].isLetter()) {
            continue;
        }
        if (i == 0 || !format[i - 1].isLetter()) {
            ++seen;
            span.start = i;
        }
        if (seen == section) {
            ++span.width;
        } else if (seen > section) {
            break;
        }
    }
    if (seen < section) {
        return {};
    }
    return span;
}

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
    // has moved on to the next section: what the window does on it meets the field at rest.
    bool holdsChange() {
        changeHeld_ = changeHeld_ || inKey_;
        return inKey_;
    }
    std::function<void()> heldChange;
    // Told when the last section has been typed full and the text names no day.
    std::function<void()> typedNoDay;

    bool holdsNoDay() const { return namesNoDay(lineEdit()->text(), displayFormat()); }
    // The text that names no day, when the field holds one or was left holding one; the field
    // is back on the date it had before the typing. Empty when the field holds a date.
    QString takeNoDay() {
        QString typed = std::exchange(leftNoDay_, QString());
        if (holdsNoDay()) {
            typed = lineEdit()->text();
            restoreTypedFrom();
        }
        return typed;
    }
    // Code set the date: no typing is under way.
    void forgetTyping() { typedFrom_ = QDate(); }

  protected:
    QValidator::State validate(QString& input, int& pos) const override {
        if (namesNoDay(input, displayFormat())) {
            return QValidator::Intermediate;
        }
        return QDateEdit::validate(input, pos);
    }
    void fixup(QString& input) const override {
        if (!namesNoDay(input, displayFormat())) {
            QDateEdit::fixup(input);
        }
    }
    void keyPressEvent(QKeyEvent* event) override {
        const QString text = event->text();
        const QChar typed = text.size() == 1 ? text.front() : QChar();
        if (typed.isPrint() && !typed.isLetterOrNumber()) {
            if (std::exchange(justMovedOn_, false)) {
                event->accept();
                return;
            }
            // Any separator moves on, the one shown or another ("15/03/2024" where hyphens show).
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
        typedFrom_ = QDate();
        leftNoDay_.clear();
        QDateEdit::focusInEvent(event);
    }
    void focusOutEvent(QFocusEvent* event) override {
        if (holdsNoDay()) {
            const Qt::FocusReason reason = event->reason();
            if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) {
                // The person has not left the field (a message, another program, the
                // calendar): the typing waits as it stands.
                const QString typed = lineEdit()->text();
                QDateEdit::focusOutEvent(event);
                lineEdit()->setText(typed);
                return;
            }
            // The focus has moved on: the day goes back at once, the refusal is told as the
            // window hears of the move.
            leftNoDay_ = lineEdit()->text();
            restoreTypedFrom();
        }
        QDateEdit::focusOutEvent(event);
    }

  private:
    void typeIntoSection(QKeyEvent* event, bool digit) {
        if (digit && currentSectionIndex() != typingSection_) {
            setSelectedSection(currentSection());
        }
        if (digit && !typedFrom_.isValid()) {
            typedFrom_ = date();
        }
        const int before = currentSectionIndex();
        inKey_ = true;
        QDateEdit::keyPressEvent(event);
        inKey_ = false;
        typingSection_ = digit ? currentSectionIndex() : -1;
        justMovedOn_ = digit && currentSectionIndex() != before;
        if (digit && !justMovedOn_ && holdsNoDay() && sectionTypedFull(before) &&
            before + 1 < sectionCount()) {
            // Qt moves on only from a text that names a day; its own move would show its
            // date again in place of the text. Such a text is as long as the format.
            const Span next = sectionSpan(displayFormat(), before + 1);
            lineEdit()->setSelection(static_cast<int>(next.start), static_cast<int>(next.width));
            typingSection_ = -1;
            justMovedOn_ = true;
        }
        if (std::exchange(changeHeld_, false) && heldChange) {
            heldChange();
        }
        if (digit && before == sectionCount() - 1 && sectionTypedFull(before)) {
            if (holdsNoDay() && typedNoDay) {
                typedNoDay();
            }
            typedFrom_ = QDate();
        }
    }
    bool sectionTypedFull(int section) const {
        return sectionText(sectionAt(section)).size() ==
               sectionSpan(displayFormat(), section).width;
    }
    void restoreTypedFrom() {
        const QDate back = typedFrom_.isValid() ? typedFrom_ : date();
        typedFrom_ = QDate();
        setDate(back);
    }
    // The separator the format shows after the section; null after the last one.
    QChar separatorAfter(int section) const {
        const QString format = displayFormat();
        const Span span = sectionSpan(format, section);
        const qsizetype after = span.start + span.width;
        return span.width > 0 && after < format.size() ? format[after] : QChar();
    }

    // The section the last key typed a digit into, -1 when the last key typed none.
    int typingSection_ = -1;
    bool justMovedOn_ = false;
    bool inKey_ = false;
    bool changeHeld_ = false;
    // The date before the person began typing; invalid while no typing is under way.
    QDate typedFrom_;
    // The text that named no day when the focus moved on, till the window hears of the move.
    QString leftNoDay_;
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
    edit->typedNoDay = [this] { detail::dispatchFromQt([this] { refuseNoDay(); }); };
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
    static_cast<DateEdit*>(dateEdit())->forgetTyping();
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
    // A format changed while a person types keeps the section being typed, as long as the new
    // format has the same sections.
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

bool DatePicker::refuseNoDay() {
    const QString typed = static_cast<DateEdit*>(dateEdit())->takeNoDay();
    if (typed.isEmpty()) {
        return false;
    }
    tellNoDay(typed);
    return true;
}

void DatePicker::tellNoDay(const QString& typed) {
    MsgBox(QStringLiteral("%1 is no date. Type the date as %2.").arg(typed, qtFormat().toLower()),
           vbOKOnly | vbExclamation);
}

void DatePicker::leaving() {
    refuseNoDay();
}

bool DatePicker::handlesQtKey(int keyCode, int) const {
    return keyCode == vbKeyReturn && static_cast<DateEdit*>(dateEdit())->holdsNoDay();
}

bool DatePicker::keyAction(int keyCode, int, int keyAscii) {
    // Return on a text that names no day refuses it, instead of going to the default button.
    if (keyCode == vbKeyReturn) {
        return refuseNoDay();
    }
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

bool DatePicker::type(const QString& text) {
    const QString typed = text.trimmed();
    const QDate date = QDate::fromString(typed, qtFormat());
    if (namesNoDay(typed, qtFormat())) {
        if (!beginPerson()) {
            return false;
        }
        tellNoDay(typed);
        return true;
    }
    if (!date.isValid()) {
        if (canAct()) {
            qWarning("ui: %s does not take '%s'", qUtf8Printable(Name()), qUtf8Printable(text));
        }
        return false;
    }
    return setDate(date);
}

}  // namespace ui
