#include "ui/TextBoxes.h"

#include <QFile>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QStringDecoder>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <algorithm>

#include "runtime/Convert.h"
#include "ui/ControlSupport.h"
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
    applyMaxLength();
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
    applyMaxLength();
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

void TextBox::setMaxLength(int length) {
    if (length < 0) {
        detail::invalidValue();
    }
    maxLength_ = length;
    applyMaxLength();
}

void TextBox::applyMaxLength() {
    // What code put in stays whole; a person can only type up to the limit.
    if (QLineEdit* edit = lineEdit()) {
        const int length = static_cast<int>(edit->text().size());
        edit->setMaxLength(maxLength_ == 0 ? std::max(32767, length)
                                           : std::max(maxLength_, length));
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
    const int alignment = Alignment();
    const int borderStyle = BorderStyle();
    const qint32 foreColor = ForeColor();
    const qint32 backColor = BackColor();
    build(on);
    applyText(text);
    setLocked(locked);
    setAlignment(alignment);
    setPasswordChar(passwordChar_);
    setBorderStyle(borderStyle);
    applyColors(foreColor, backColor);
}

void TextBox::setPasswordChar(const QString& character) {
    passwordChar_ = character.left(1);
    if (QLineEdit* edit = lineEdit()) {
        edit->setEchoMode(passwordChar_.isEmpty() ? QLineEdit::Normal : QLineEdit::Password);
    }
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

QString TextBox::SelText() const {
    if (QLineEdit* edit = lineEdit()) {
        return edit->selectedText();
    }
    return plainTextEdit()->textCursor().selectedText().replace(QChar::ParagraphSeparator,
                                                                QLatin1Char('\n'));
}

void TextBox::setSelText(const QString& text) {
    const int start = SelStart();
    QString now = Text();
    now.replace(start, SelLength(), text);
    if (now == Text()) {
        return;
    }
    applyText(now);
    setSelStart(start + static_cast<int>(text.size()));
    fire(Change);
}

int TextBox::Alignment() const {
    if (QLineEdit* edit = lineEdit()) {
        return detail::alignmentOf(edit->alignment());
    }
    return detail::alignmentOf(plainTextEdit()->document()->defaultTextOption().alignment());
}

void TextBox::setAlignment(int alignment) {
    if (QLineEdit* edit = lineEdit()) {
        edit->setAlignment(detail::horizontalAlignment(alignment) | Qt::AlignVCenter);
    } else {
        QTextOption option = plainTextEdit()->document()->defaultTextOption();
        option.setAlignment(detail::horizontalAlignment(alignment));
        plainTextEdit()->document()->setDefaultTextOption(option);
    }
}

void TextBox::applyColors(qint32 foreColor, qint32 backColor) {
    detail::setPaletteColor(widget(), QPalette::Text, foreColor);
    detail::setPaletteColor(widget(), QPalette::Base, backColor);
}

qint32 TextBox::ForeColor() const {
    return detail::shownColor(widget(), QPalette::Text, vbWindowText);
}

void TextBox::setForeColor(qint32 color) {
    applyColors(color, BackColor());
}

void TextBox::setForeColor(const QColor& color) {
    setForeColor(rt::LongFromColor(color));
}

qint32 TextBox::BackColor() const {
    return detail::shownColor(widget(), QPalette::Base, vbWindowBackground);
}

void TextBox::setBackColor(qint32 color) {
    applyColors(ForeColor(), color);
}

void TextBox::setBackColor(const QColor& color) {
    setBackColor(rt::LongFromColor(color));
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
    QString value = maxLength_ > 0 ? text.left(maxLength_) : text;
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
    if (maxLength_ > 0 && now.size() > maxLength_ && now.size() > Text().size()) {
        return;  // full: the key does nothing
    }
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
    auto* edit = new QTextEdit(form);
    edit->setAcceptRichText(true);
    QObject::connect(edit, &QTextEdit::textChanged, edit, [this] {
        if (settingFromCode_) {
            return;
        }
        detail::dispatchFromQt([this] { fire(Change); });
    });
    attach(edit);
}

QTextEdit* RichTextBox::textEdit() const {
    return static_cast<QTextEdit*>(widget());
}

void RichTextBox::setContent(const std::function<void()>& apply) {
    settingFromCode_ = true;
    apply();
    settingFromCode_ = false;
    fire(Change);
}

QString RichTextBox::Text() const {
    return textEdit()->toPlainText();
}

void RichTextBox::setText(const QString& text) {
    QString value = text;
    value.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (value == Text()) {
        return;
    }
    setContent([&] { textEdit()->setPlainText(value); });
}

QString RichTextBox::TextRTF() const {
    return textEdit()->toHtml();
}

void RichTextBox::setTextRTF(const QString& html) {
    setContent([&] { textEdit()->setHtml(html); });
}

bool RichTextBox::Locked() const {
    return textEdit()->isReadOnly();
}

void RichTextBox::setLocked(bool on) {
    textEdit()->setReadOnly(on);
}

int RichTextBox::SelStart() const {
    return textEdit()->textCursor().selectionStart();
}

void RichTextBox::setSelStart(int start) {
    QTextCursor cursor = textEdit()->textCursor();
    cursor.setPosition(std::clamp(start, 0, static_cast<int>(Text().size())));
    textEdit()->setTextCursor(cursor);
}

int RichTextBox::SelLength() const {
    const QTextCursor cursor = textEdit()->textCursor();
    return cursor.selectionEnd() - cursor.selectionStart();
}

void RichTextBox::setSelLength(int length) {
    QTextCursor cursor = textEdit()->textCursor();
    const int start = cursor.selectionStart();
    cursor.setPosition(start);
    cursor.setPosition(std::clamp(start + length, start, static_cast<int>(Text().size())),
                       QTextCursor::KeepAnchor);
    textEdit()->setTextCursor(cursor);
}

QFont RichTextBox::textFont() const {
    return textEdit()->document()->defaultFont();
}

void RichTextBox::setTextFont(const QFont& font) {
    textEdit()->document()->setDefaultFont(font);
}

void RichTextBox::LoadFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        rt::raise(rt::err::PathFileAccessError);
    }
    const QByteArray bytes = file.readAll();
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError()) {
        text = QString::fromLatin1(bytes);
    }
    if (Qt::mightBeRichText(text)) {
        setContent([&] { textEdit()->setHtml(text); });
    } else {
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        setContent([&] { textEdit()->setPlainText(text); });
    }
}

bool RichTextBox::type(const QString& text) {
    if (!beginPerson()) {
        return false;
    }
    if (Locked()) {
        return refusePerson("typing into a locked box");
    }
    setText(text);
    return true;
}

}  // namespace ui
