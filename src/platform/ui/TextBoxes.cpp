#include "ui/TextBoxes.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <algorithm>

#include "ui/ControlSupport.h"
#include "ui/Form.h"
#include "ui/FormDetail.h"

namespace ui {

// ---- TextBox ---------------------------------------------------------------------------------

TextBox::TextBox(Form* form, const QString& name, int index) : Control(form, name, index) {
    build(false);
}

QLineEdit* TextBox::lineEdit() const {
    return qobject_cast<QLineEdit*>(widget());
}

QPlainTextEdit* TextBox::plainTextEdit() const {
    return qobject_cast<QPlainTextEdit*>(widget());
}

void TextBox::build(bool multiLine) {
    QWidget* built = nullptr;
    if (multiLine) {
        auto* edit = new QPlainTextEdit(&Parent());
        edit->setTabChangesFocus(true);
        QObject::connect(edit, &QPlainTextEdit::textChanged, edit, [this] {
            if (!applying_) {
                onQtEdited();
            }
        });
        built = edit;
    } else {
        auto* edit = new QLineEdit(&Parent());
        QObject::connect(edit, &QLineEdit::textEdited, edit, [this] { onQtEdited(); });
        built = edit;
    }
    if (widget() == nullptr) {
        attach(built);
    } else {
        replaceWidget(built);
    }
}

void TextBox::onQtEdited() {
    const QString now = Text();
    if (now == lastText_) {
        return;
    }
    lastText_ = now;
    detail::dispatchFromQt([this] { fire(Change); });
}

QString TextBox::Text() const {
    if (QLineEdit* edit = lineEdit()) {
        return edit->text();
    }
    return plainTextEdit()->toPlainText();
}

void TextBox::applyText(const QString& text) {
    applying_ = true;
    {
        const QSignalBlocker blocker(widget());
        if (QLineEdit* edit = lineEdit()) {
            edit->setMaxLength(std::max(32767, static_cast<int>(text.size())));
            edit->setText(text);
        } else {
            plainTextEdit()->setPlainText(text);
        }
    }
    applying_ = false;
    lastText_ = Text();
}

void TextBox::setText(const QString& text) {
    QString value = text;
    if (MultiLine()) {
        value.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    }
    if (value == Text()) {
        return;
    }
    applyText(value);
    fire(Change);
}

bool TextBox::Locked() const {
    if (QLineEdit* edit = lineEdit()) {
        return edit->isReadOnly();
    }
    return plainTextEdit()->isReadOnly();
}

void TextBox::setLocked(bool on) {
    if (QLineEdit* edit = lineEdit()) {
        edit->setReadOnly(on);
    } else {
        plainTextEdit()->setReadOnly(on);
    }
}

bool TextBox::MultiLine() const {
    return plainTextEdit() != nullptr;
}

void TextBox::setMultiLine(bool on) {
    if (on == MultiLine()) {
        return;
    }
    // The new widget shows what the old one did.
    const QString text = Text();
    const bool locked = Locked();
    const int borderStyle = BorderStyle();
    const qint32 backColor = BackColor();
    build(on);
    applyText(text);
    setLocked(locked);
    setBorderStyle(borderStyle);
    setBackColor(backColor);
}

int TextBox::SelStart() const {
    if (QLineEdit* edit = lineEdit()) {
        return edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
    }
    return plainTextEdit()->textCursor().selectionStart();
}

void TextBox::setSelStart(int start) {
    const int length = static_cast<int>(Text().size());
    start = std::clamp(start, 0, length);
    if (QLineEdit* edit = lineEdit()) {
        edit->setCursorPosition(start);
        edit->deselect();
    } else {
        QTextCursor cursor = plainTextEdit()->textCursor();
        cursor.setPosition(start);
        plainTextEdit()->setTextCursor(cursor);
    }
}

int TextBox::SelLength() const {
    if (QLineEdit* edit = lineEdit()) {
        return static_cast<int>(edit->selectedText().size());
    }
    const QTextCursor cursor = plainTextEdit()->textCursor();
    return cursor.selectionEnd() - cursor.selectionStart();
}

void TextBox::setSelLength(int length) {
    if (length < 0) {
        detail::invalidValue();
    }
    const int start = SelStart();
    const int total = static_cast<int>(Text().size());
    length = std::min(length, total - start);
    if (QLineEdit* edit = lineEdit()) {
        edit->setSelection(start, length);
    } else {
        QTextCursor cursor = plainTextEdit()->textCursor();
        cursor.setPosition(start);
        cursor.setPosition(start + length, QTextCursor::KeepAnchor);
        plainTextEdit()->setTextCursor(cursor);
    }
}

qint32 TextBox::BackColor() const {
    return detail::shownColor(widget(), QPalette::Base, vbWindowBackground);
}

void TextBox::setBackColor(qint32 color) {
    detail::setPaletteColor(widget(), QPalette::Base, color);
}

int TextBox::BorderStyle() const {
    if (QLineEdit* edit = lineEdit()) {
        return edit->hasFrame() ? 1 : 0;
    }
    return plainTextEdit()->frameShape() == QFrame::NoFrame ? 0 : 1;
}

void TextBox::setBorderStyle(int style) {
    if (style != 0 && style != 1) {
        detail::invalidValue();
    }
    if (QLineEdit* edit = lineEdit()) {
        edit->setFrame(style == 1);
    } else {
        plainTextEdit()->setFrameShape(style == 1 ? QFrame::StyledPanel : QFrame::NoFrame);
    }
}

bool TextBox::click() {
    return personLeftClick(Click);
}

bool TextBox::mouseFromQt(QWidget* widget, QMouseEvent* event, int type) {
    Control::mouseFromQt(widget, event, type);
    if (detail::isAlive(this) && type == QEvent::MouseButtonRelease &&
        event->button() == Qt::LeftButton && takeFocusForQtClick()) {
        fire(Click);
    }
    return false;
}

bool TextBox::type(const QString& text) {
    if (!beginPerson()) {
        return false;
    }
    if (Locked()) {
        return refusePerson("typing into a locked box");
    }
    QString value = text;
    if (MultiLine()) {
        value.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    } else {
        // One line holds no line breaks; a person cannot type them there.
        value.remove(QLatin1Char('\r')).remove(QLatin1Char('\n'));
    }
    if (value != Text()) {
        applyText(value);
        setSelStart(static_cast<int>(value.size()));
        fire(Change);
    }
    return true;
}

bool TextBox::clear() {
    return type(QString());
}

void TextBox::insertTyped(const QString& text) {
    if (Locked()) {
        return;
    }
    const int start = SelStart();
    QString now = Text();
    now.replace(start, SelLength(), text);
    applyText(now);
    setSelStart(start + static_cast<int>(text.size()));
    fire(Change);
}

bool TextBox::keyAction(int keyCode, int, int keyAscii) {
    const int start = SelStart();
    const int length = static_cast<int>(Text().size());
    switch (keyCode) {
        case vbKeyHome:
            setSelStart(0);
            return true;
        case vbKeyEnd:
            setSelStart(length);
            return true;
        case vbKeyLeft:
            setSelStart(start - 1);
            return true;
        case vbKeyRight:
            setSelStart(start + 1);
            return true;
        case vbKeyDelete:
            if (!Locked() && (SelLength() > 0 || start < length)) {
                if (SelLength() == 0) {
                    setSelLength(1);
                }
                insertTyped(QString());
            }
            return true;
        default:
            break;
    }
    if (keyAscii == vbKeyBack) {
        if (!Locked() && (SelLength() > 0 || start > 0)) {
            if (SelLength() == 0) {
                setSelStart(start - 1);
                setSelLength(1);
            }
            insertTyped(QString());
        }
        return true;
    }
    if (keyAscii == vbKeyReturn) {
        if (MultiLine()) {
            insertTyped(QStringLiteral("\n"));
            return true;
        }
        return false;
    }
    if (keyAscii >= 32 && keyAscii != 127) {
        insertTyped(detail::charText(keyAscii));
        return true;
    }
    return false;
}

// ---- RichTextBox -----------------------------------------------------------------------------

RichTextBox::RichTextBox(Form* form, const QString& name, int index) : Control(form, name, index) {
    attach(new QTextEdit(form));
}

QTextEdit* RichTextBox::textEdit() const {
    return static_cast<QTextEdit*>(widget());
}

QString RichTextBox::Text() const {
    return textEdit()->toPlainText();
}

void RichTextBox::setText(const QString& text) {
    QString value = text;
    value.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (value != Text()) {
        textEdit()->setPlainText(value);
    }
}

void RichTextBox::setLocked(bool on) {
    textEdit()->setReadOnly(on);
}

QFont RichTextBox::textFont() const {
    return textEdit()->document()->defaultFont();
}

void RichTextBox::setTextFont(const QFont& font) {
    textEdit()->document()->setDefaultFont(font);
}

}  // namespace ui
