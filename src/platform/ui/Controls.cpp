#include "ui/Controls.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPalette>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStringDecoder>
#include <QTabWidget>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>
#include <QtDebug>

#include "runtime/Convert.h"
#include "ui/Host.h"

namespace ui {

namespace {

[[noreturn]] void invalidValue() {
    rt::raise(rt::err::InvalidPropertyValue);
}

Qt::Alignment horizontalAlignment(int alignment) {
    switch (alignment) {
        case vbRightJustify:
            return Qt::AlignRight;
        case vbCenter:
            return Qt::AlignHCenter;
        default:
            return Qt::AlignLeft;
    }
}

void setPaletteColor(QWidget* widget, QPalette::ColorRole role, qint32 value) {
    QPalette palette = widget->palette();
    const QColor color = colorFromValue(value);
    if (role == QPalette::WindowText || role == QPalette::Text) {
        // A disabled control shows its text greyed whatever its colour, so that a person sees
        // it cannot be used; where the desktop's palette has no grey for it, its dark shade
        // serves.
        palette.setColor(QPalette::Active, role, color);
        palette.setColor(QPalette::Inactive, role, color);
        const QPalette desktop = QApplication::palette();
        QColor grey = desktop.color(QPalette::Disabled, role);
        if (grey == desktop.color(QPalette::Active, role)) {
            grey = desktop.color(QPalette::Dark);
        }
        palette.setColor(QPalette::Disabled, role, grey);
    } else {
        palette.setColor(role, color);
    }
    widget->setPalette(palette);
}

QString charText(int code) {
    const auto ch = static_cast<char32_t>(code);
    return QString::fromUcs4(&ch, 1);
}

}  // namespace

QColor colorFromValue(qint32 value) {
    if (value >= 0) {
        return rt::ColorFromLong(value);
    }
    const QPalette palette = QApplication::palette();
    switch (value & 0xFF) {
        case 0x04:
            return palette.color(QPalette::Window);
        case 0x05:
            return palette.color(QPalette::Base);
        case 0x07:
            return palette.color(QPalette::WindowText);
        case 0x08:
            return palette.color(QPalette::Text);
        case 0x0D:
            return palette.color(QPalette::Highlight);
        case 0x0E:
            return palette.color(QPalette::HighlightedText);
        case 0x0F:
            return palette.color(QPalette::Button);
        case 0x10:
            return palette.color(QPalette::Dark);
        case 0x11:
            return palette.color(QPalette::Disabled, QPalette::Text);
        case 0x12:
            return palette.color(QPalette::ButtonText);
        case 0x14:
            return palette.color(QPalette::Light);
        case 0x17:
            return palette.color(QPalette::ToolTipText);
        case 0x18:
            return palette.color(QPalette::ToolTipBase);
        default:
            return palette.color(QPalette::Window);
    }
}

// ---- Label -----------------------------------------------------------------------------------

Label::Label(Form* form, const QString& name, int index)
    : Control(form, name, index), foreColor_(vbButtonText), backColor_(vbButtonFace) {
    auto* label = new QLabel(form);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    attach(label);
}

QLabel* Label::label() const {
    return static_cast<QLabel*>(widget());
}

QString Label::Caption() const {
    // The text as set, with its accelerator marks.
    return label()->property("kelvoraCaption").toString();
}

void Label::setCaption(const QString& caption) {
    label()->setProperty("kelvoraCaption", caption);
    // Labels show "&&" as "&" and drop a single accelerator mark.
    QString shown;
    for (int i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&') && i + 1 < caption.size()) {
            ++i;
        }
        shown.append(caption[i]);
    }
    label()->setText(shown);
    if (autoSize_) {
        label()->adjustSize();
    }
}

void Label::setForeColor(qint32 color) {
    foreColor_ = color;
    setPaletteColor(label(), QPalette::WindowText, color);
}

void Label::setForeColor(const QColor& color) {
    setForeColor(rt::LongFromColor(color));
}

void Label::setBackColor(qint32 color) {
    backColor_ = color;
    setPaletteColor(label(), QPalette::Window, color);
    label()->setAutoFillBackground(backStyle_ == 1);
}

void Label::setBackColor(const QColor& color) {
    setBackColor(rt::LongFromColor(color));
}

void Label::setBackStyle(int style) {
    backStyle_ = style;
    label()->setAutoFillBackground(style == 1);
}

void Label::setAlignment(int alignment) {
    alignment_ = alignment;
    label()->setAlignment(horizontalAlignment(alignment) | Qt::AlignVCenter);
}

void Label::setAutoSize(bool on) {
    autoSize_ = on;
    if (on) {
        label()->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
        label()->adjustSize();
    }
}

bool Label::WordWrap() const {
    return label()->wordWrap();
}

void Label::setWordWrap(bool on) {
    label()->setWordWrap(on);
}

bool Label::click() {
    return personLeftClick(Click);
}

bool Label::dblClick() {
    if (!click()) {
        return false;
    }
    if (detail::isAlive(this)) {
        fire(DblClick);
    }
    return true;
}

bool Label::mouseFromQt(QWidget* widget, QMouseEvent* event, int type) {
    Control::mouseFromQt(widget, event, type);
    if (!detail::isAlive(this) || event->button() != Qt::LeftButton) {
        return false;
    }
    if (type == QEvent::MouseButtonRelease &&
        label()->rect().contains(event->position().toPoint())) {
        activateForm(&Parent());
        fire(Click);
    } else if (type == QEvent::MouseButtonDblClick) {
        fire(DblClick);
    }
    return false;
}

// ---- TextBox ---------------------------------------------------------------------------------

TextBox::TextBox(Form* form, const QString& name, int index)
    : Control(form, name, index), foreColor_(vbWindowText), backColor_(vbWindowBackground) {
    build();
}

QLineEdit* TextBox::lineEdit() const {
    return qobject_cast<QLineEdit*>(widget());
}

QPlainTextEdit* TextBox::plainTextEdit() const {
    return qobject_cast<QPlainTextEdit*>(widget());
}

void TextBox::build() {
    QWidget* built = nullptr;
    if (multiLine_) {
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
    if (multiLine_) {
        value.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    }
    if (value == Text()) {
        return;
    }
    applyText(value);
    fire(Change);
}

void TextBox::setLocked(bool on) {
    locked_ = on;
    if (QLineEdit* edit = lineEdit()) {
        edit->setReadOnly(on);
    } else {
        plainTextEdit()->setReadOnly(on);
    }
}

void TextBox::setMaxLength(int length) {
    if (length < 0) {
        invalidValue();
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

void TextBox::setMultiLine(bool on) {
    if (on == multiLine_) {
        return;
    }
    const QString text = Text();
    multiLine_ = on;
    build();
    applyText(text);
    setLocked(locked_);
    setAlignment(alignment_);
    setPasswordChar(passwordChar_);
    setBorderStyle(borderStyle_);
    applyColors();
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
        invalidValue();
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

void TextBox::setAlignment(int alignment) {
    alignment_ = alignment;
    if (QLineEdit* edit = lineEdit()) {
        edit->setAlignment(horizontalAlignment(alignment) | Qt::AlignVCenter);
    } else {
        QTextOption option = plainTextEdit()->document()->defaultTextOption();
        option.setAlignment(horizontalAlignment(alignment));
        plainTextEdit()->document()->setDefaultTextOption(option);
    }
}

void TextBox::applyColors() {
    setPaletteColor(widget(), QPalette::Text, foreColor_);
    setPaletteColor(widget(), QPalette::Base, backColor_);
}

void TextBox::setForeColor(qint32 color) {
    foreColor_ = color;
    applyColors();
}

void TextBox::setForeColor(const QColor& color) {
    setForeColor(rt::LongFromColor(color));
}

void TextBox::setBackColor(qint32 color) {
    backColor_ = color;
    applyColors();
}

void TextBox::setBackColor(const QColor& color) {
    setBackColor(rt::LongFromColor(color));
}

void TextBox::setBorderStyle(int style) {
    if (style != 0 && style != 1) {
        invalidValue();
    }
    borderStyle_ = style;
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
    if (locked_) {
        return refusePerson("typing into a locked box");
    }
    QString value = maxLength_ > 0 ? text.left(maxLength_) : text;
    if (multiLine_) {
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
    if (locked_) {
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
            if (!locked_ && (SelLength() > 0 || start < length)) {
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
        if (!locked_ && (SelLength() > 0 || start > 0)) {
            if (SelLength() == 0) {
                setSelStart(start - 1);
                setSelLength(1);
            }
            insertTyped(QString());
        }
        return true;
    }
    if (keyAscii == vbKeyReturn) {
        if (multiLine_) {
            insertTyped(QStringLiteral("\n"));
            return true;
        }
        return false;
    }
    if (keyAscii >= 32 && keyAscii != 127) {
        insertTyped(charText(keyAscii));
        return true;
    }
    return false;
}

// ---- CommandButton ---------------------------------------------------------------------------

CommandButton::CommandButton(Form* form, const QString& name, int index)
    : Control(form, name, index) {
    auto* button = new QPushButton(form);
    button->setAutoDefault(false);
    QObject::connect(button, &QPushButton::clicked, button, [this] {
        detail::dispatchFromQt([this] {
            if (takeFocusForQtClick()) {
                fire(Click);
            }
        });
    });
    attach(button);
}

QPushButton* CommandButton::button() const {
    return static_cast<QPushButton*>(widget());
}

QString CommandButton::Caption() const {
    return button()->text();
}

void CommandButton::setCaption(const QString& caption) {
    button()->setText(caption);
}

void CommandButton::setDefault(bool on) {
    default_ = on;
    button()->setDefault(on);
}

void CommandButton::setValue(bool on) {
    if (on) {
        fire(Click);
    }
}

bool CommandButton::click() {
    if (!beginPerson()) {
        return false;
    }
    fire(Click);
    return true;
}

bool CommandButton::keyAction(int keyCode, int, int) {
    if (keyCode == vbKeyReturn || keyCode == vbKeySpace) {
        fire(Click);
        return true;
    }
    return false;
}

// ---- CheckBox --------------------------------------------------------------------------------

namespace {
// A person's click turns a box on or off; only code grays it.
class TwoStateCheckBox : public QCheckBox {
  public:
    using QCheckBox::QCheckBox;

  protected:
    void nextCheckState() override {
        setCheckState(checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
    }
};
}  // namespace

CheckBox::CheckBox(Form* form, const QString& name, int index) : Control(form, name, index) {
    auto* box = new TwoStateCheckBox(form);
    QObject::connect(box, &QCheckBox::clicked, box, [this] {
        detail::dispatchFromQt([this] {
            if (!takeFocusForQtClick()) {
                apply();  // the click did not happen: undo what Qt did
                return;
            }
            const int now = checkBox()->checkState() == Qt::Checked ? vbChecked : vbUnchecked;
            if (now != value_) {
                value_ = now;
                fire(Click);
            }
        });
    });
    attach(box);
}

QCheckBox* CheckBox::checkBox() const {
    return static_cast<QCheckBox*>(widget());
}

void CheckBox::apply() {
    const QSignalBlocker blocker(checkBox());
    checkBox()->setCheckState(value_ == vbChecked  ? Qt::Checked
                              : value_ == vbGrayed ? Qt::PartiallyChecked
                                                   : Qt::Unchecked);
}

void CheckBox::setValue(int value) {
    if (value < vbUnchecked || value > vbGrayed) {
        invalidValue();
    }
    if (value == value_) {
        return;
    }
    value_ = value;
    apply();
    fire(Click);
}

QString CheckBox::Caption() const {
    return checkBox()->text();
}

void CheckBox::setCaption(const QString& caption) {
    checkBox()->setText(caption);
}

bool CheckBox::click() {
    if (!beginPerson()) {
        return false;
    }
    value_ = value_ == vbChecked ? vbUnchecked : vbChecked;
    apply();
    fire(Click);
    return true;
}

bool CheckBox::keyAction(int keyCode, int, int) {
    if (keyCode != vbKeySpace) {
        return false;
    }
    value_ = value_ == vbChecked ? vbUnchecked : vbChecked;
    apply();
    fire(Click);
    return true;
}

// ---- OptionButton ----------------------------------------------------------------------------

OptionButton::OptionButton(Form* form, const QString& name, int index)
    : Control(form, name, index) {
    auto* radio = new QRadioButton(form);
    QObject::connect(radio, &QRadioButton::toggled, radio, [this](bool on) {
        if (!on) {
            return;
        }
        detail::dispatchFromQt([this] {
            if (takeFocusForQtClick()) {
                fire(Click);
            }
        });
    });
    attach(radio);
}

QRadioButton* OptionButton::radioButton() const {
    return static_cast<QRadioButton*>(widget());
}

bool OptionButton::Value() const {
    return radioButton()->isChecked();
}

void OptionButton::select(bool fireEvent) {
    if (Value()) {
        return;
    }
    {
        const QSignalBlocker blocker(radioButton());
        radioButton()->setChecked(true);
    }
    if (fireEvent) {
        fire(Click);
    }
}

void OptionButton::setValue(bool on) {
    if (on) {
        select(true);
        return;
    }
    const QSignalBlocker blocker(radioButton());
    radioButton()->setAutoExclusive(false);
    radioButton()->setChecked(false);
    radioButton()->setAutoExclusive(true);
}

QString OptionButton::Caption() const {
    return radioButton()->text();
}

void OptionButton::setCaption(const QString& caption) {
    radioButton()->setText(caption);
}

bool OptionButton::click() {
    if (!beginPerson()) {
        return false;
    }
    select(true);
    return true;
}

// ---- ComboBox --------------------------------------------------------------------------------

namespace {
class DropDownCombo : public QComboBox {
  public:
    using QComboBox::QComboBox;
    std::function<void()> beforePopup;

    void showPopup() override {
        if (beforePopup) {
            beforePopup();
        }
        QComboBox::showPopup();
    }
};
}  // namespace

ComboBox::ComboBox(Form* form, const QString& name, int index) : Control(form, name, index) {
    auto* combo = new DropDownCombo(form);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->beforePopup = [this] { detail::dispatchFromQt([this] { fireDropDown(); }); };
    QObject::connect(combo, &QComboBox::activated, combo, [this](int) {
        detail::dispatchFromQt([this] {
            if (takeFocusForQtClick()) {
                lastEditText_ = comboBox()->currentText();
                fire(Click);
            }
        });
    });
    attach(combo);
    setStyle(vbComboDropdown);
}

QComboBox* ComboBox::comboBox() const {
    return static_cast<QComboBox*>(widget());
}

void ComboBox::setStyle(int style) {
    if (style < vbComboDropdown || style > vbComboDropdownList) {
        invalidValue();
    }
    style_ = style;
    QComboBox* combo = comboBox();
    const QSignalBlocker blocker(combo);
    combo->setEditable(style != vbComboDropdownList);
    if (QLineEdit* edit = combo->lineEdit()) {
        combo->setCompleter(nullptr);
        edit->setReadOnly(locked_);
        QObject::connect(edit, &QLineEdit::textEdited, edit, [this](const QString& text) {
            if (text == lastEditText_) {
                return;
            }
            lastEditText_ = text;
            detail::dispatchFromQt([this] { fire(Change); });
        });
    }
}

void ComboBox::setLocked(bool on) {
    locked_ = on;
    if (QLineEdit* edit = comboBox()->lineEdit()) {
        edit->setReadOnly(on);
    }
}

void ComboBox::fireDropDown() {
    fire(DropDown);
}

void ComboBox::checkIndex(int index, bool allowMinusOne) const {
    if ((index == -1 && allowMinusOne) || (index >= 0 && index < ListCount())) {
        return;
    }
    invalidValue();
}

void ComboBox::selectQuietly(int index) {
    QComboBox* combo = comboBox();
    const QSignalBlocker blocker(combo);
    combo->setCurrentIndex(index);
    if (index == -1 && combo->isEditable()) {
        combo->setEditText(QString());
    }
    lastEditText_ = combo->currentText();
}

void ComboBox::setEditTextQuietly(const QString& text) {
    QComboBox* combo = comboBox();
    const QSignalBlocker blocker(combo);
    combo->setEditText(text);
    lastEditText_ = text;
}

void ComboBox::Clear() {
    QComboBox* combo = comboBox();
    const QSignalBlocker blocker(combo);
    combo->clear();
    entryTexts_.clear();
    if (combo->isEditable()) {
        combo->setEditText(QString());
    }
    lastEditText_.clear();
    newIndex_ = -1;
}

void ComboBox::AddItem(const QString& text, int index) {
    if (index < -1 || index > ListCount()) {
        invalidValue();
    }
    QComboBox* combo = comboBox();
    int place = index;
    if (place == -1) {
        if (sorted_) {
            place = entryTexts_.sortedPlace(text);
        } else {
            place = combo->count();
        }
    }
    // Adding never chooses an entry, whatever Qt does with a first entry.
    const int chosen = combo->currentIndex();
    const QString editText = combo->currentText();
    const QSignalBlocker blocker(combo);
    combo->insertItem(place, text);
    entryTexts_.insert(place, text);
    const int stillChosen = chosen < 0 ? -1 : (place <= chosen ? chosen + 1 : chosen);
    if (combo->currentIndex() != stillChosen) {
        combo->setCurrentIndex(stillChosen);
    }
    if (combo->isEditable() && combo->currentText() != editText) {
        combo->setEditText(editText);
    }
    newIndex_ = place;
}

void ComboBox::RemoveItem(int index) {
    checkIndex(index, false);
    QComboBox* combo = comboBox();
    const int chosen = combo->currentIndex();
    const QString editText = combo->currentText();
    const QSignalBlocker blocker(combo);
    combo->removeItem(index);
    entryTexts_.remove(index);
    if (chosen == index) {
        combo->setCurrentIndex(-1);
        if (combo->isEditable()) {
            combo->setEditText(editText);
        }
    }
}

QString ComboBox::List(int index) const {
    if (index < 0 || index >= ListCount()) {
        return {};
    }
    return comboBox()->itemText(index);
}

void ComboBox::setList(int index, const QString& text) {
    checkIndex(index, false);
    const QSignalBlocker blocker(comboBox());
    comboBox()->setItemText(index, text);
    entryTexts_.set(index, text);
}

int ComboBox::ListCount() const {
    return comboBox()->count();
}

int ComboBox::ListIndex() const {
    return comboBox()->currentIndex();
}

void ComboBox::setListIndex(int index) {
    checkIndex(index, true);
    selectQuietly(index);
    if (index >= 0) {
        fire(Click);
    }
}

qint32 ComboBox::ItemData(int index) const {
    checkIndex(index, false);
    return comboBox()->itemData(index, Qt::UserRole).toInt();
}

void ComboBox::setItemData(int index, qint32 value) {
    checkIndex(index, false);
    comboBox()->setItemData(index, value, Qt::UserRole);
}

int ComboBox::findText(const QString& text) const {
    for (int i = 0; i < ListCount(); ++i) {
        if (QString::compare(comboBox()->itemText(i), text, Qt::CaseInsensitive) == 0) {
            return i;
        }
    }
    return -1;
}

QString ComboBox::Text() const {
    if (style_ == vbComboDropdownList) {
        const int index = ListIndex();
        return index >= 0 ? comboBox()->itemText(index) : QString();
    }
    return comboBox()->currentText();
}

void ComboBox::setText(const QString& text) {
    if (style_ == vbComboDropdownList) {
        if (text.isEmpty()) {
            selectQuietly(-1);
            return;
        }
        const int index = findText(text);
        if (index < 0) {
            rt::raise(rt::err::TextReadOnly);
        }
        setListIndex(index);
        return;
    }
    if (text == Text()) {
        return;
    }
    {
        QComboBox* combo = comboBox();
        const QSignalBlocker blocker(combo);
        combo->setCurrentIndex(findText(text));
        combo->setEditText(text);
        lastEditText_ = text;
    }
    fire(Change);
}

bool ComboBox::dropDown() {
    if (!beginPerson()) {
        return false;
    }
    fireDropDown();
    return true;
}

bool ComboBox::choose(int index) {
    if (!beginPerson()) {
        return false;
    }
    if (locked_) {
        return refusePerson("choosing in a locked combo box");
    }
    fireDropDown();
    if (!detail::isAlive(this) || index < 0 || index >= ListCount()) {
        qWarning("ui: %s has no entry %d", qUtf8Printable(Name()), index);
        return false;
    }
    selectQuietly(index);
    fire(Click);
    return true;
}

bool ComboBox::choose(const QString& text) {
    if (!beginPerson()) {
        return false;
    }
    if (locked_) {
        return refusePerson("choosing in a locked combo box");
    }
    fireDropDown();
    const int index = detail::isAlive(this) ? findText(text) : -1;
    if (index < 0) {
        qWarning("ui: %s has no entry '%s'", qUtf8Printable(Name()), qUtf8Printable(text));
        return false;
    }
    selectQuietly(index);
    fire(Click);
    return true;
}

bool ComboBox::type(const QString& text) {
    if (!beginPerson()) {
        return false;
    }
    if (style_ == vbComboDropdownList || locked_) {
        return refusePerson("typing into a combo box without an edit part");
    }
    if (text == Text()) {
        return true;
    }
    {
        QComboBox* combo = comboBox();
        const QSignalBlocker blocker(combo);
        combo->setCurrentIndex(-1);
        combo->setEditText(text);
        lastEditText_ = text;
    }
    fire(Change);
    return true;
}

bool ComboBox::keyAction(int keyCode, int, int keyAscii) {
    const int count = ListCount();
    int target = -2;
    switch (keyCode) {
        case vbKeyUp:
            target = std::max(0, ListIndex() - 1);
            break;
        case vbKeyDown:
            target = std::min(count - 1, ListIndex() + 1);
            break;
        case vbKeyHome:
            target = style_ == vbComboDropdownList ? 0 : -2;
            break;
        case vbKeyEnd:
            target = style_ == vbComboDropdownList ? count - 1 : -2;
            break;
        default:
            break;
    }
    if (target != -2) {
        if (!locked_ && count > 0 && target >= 0 && target != ListIndex()) {
            selectQuietly(target);
            fire(Click);
        }
        return true;
    }
    if (keyAscii < 32 && keyAscii != vbKeyBack) {
        return false;
    }
    if (style_ == vbComboDropdownList) {
        // A letter chooses the next entry that begins with it.
        const QString letter = charText(keyAscii);
        for (int step = 1; step <= count; ++step) {
            const int i = (ListIndex() + step + count) % count;
            if (comboBox()->itemText(i).startsWith(letter, Qt::CaseInsensitive)) {
                if (i != ListIndex() && !locked_) {
                    selectQuietly(i);
                    fire(Click);
                }
                break;
            }
        }
        return true;
    }
    if (locked_) {
        return true;
    }
    QString text = Text();
    if (keyAscii == vbKeyBack) {
        text.chop(1);
    } else {
        text.append(charText(keyAscii));
    }
    {
        QComboBox* combo = comboBox();
        const QSignalBlocker blocker(combo);
        combo->setCurrentIndex(-1);
        combo->setEditText(text);
        lastEditText_ = text;
    }
    fire(Change);
    return true;
}

// ---- ListBox ---------------------------------------------------------------------------------

ListBox::ListBox(Form* form, const QString& name, int index) : Control(form, name, index) {
    auto* list = new QListWidget(form);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    QObject::connect(list, &QListWidget::itemSelectionChanged, list, [this] {
        if (ListIndex() < 0) {
            return;
        }
        detail::dispatchFromQt([this] {
            if (takeFocusForQtClick()) {
                fire(Click);
            }
        });
    });
    QObject::connect(list, &QListWidget::itemDoubleClicked, list, [this](QListWidgetItem*) {
        detail::dispatchFromQt([this] { fire(DblClick); });
    });
    attach(list);
}

QListWidget* ListBox::listWidget() const {
    return static_cast<QListWidget*>(widget());
}

void ListBox::checkIndex(int index, bool allowMinusOne) const {
    if ((index == -1 && allowMinusOne) || (index >= 0 && index < ListCount())) {
        return;
    }
    invalidValue();
}

void ListBox::Clear() {
    const QSignalBlocker blocker(listWidget());
    listWidget()->clear();
    entryTexts_.clear();
    newIndex_ = -1;
}

void ListBox::AddItem(const QString& text, int index) {
    if (index < -1 || index > ListCount()) {
        invalidValue();
    }
    int place = index;
    if (place == -1) {
        if (sorted_) {
            place = entryTexts_.sortedPlace(text);
        } else {
            place = ListCount();
        }
    }
    const QSignalBlocker blocker(listWidget());
    listWidget()->insertItem(place, text);
    entryTexts_.insert(place, text);
    newIndex_ = place;
}

void ListBox::RemoveItem(int index) {
    checkIndex(index, false);
    const QSignalBlocker blocker(listWidget());
    delete listWidget()->takeItem(index);
    entryTexts_.remove(index);
}

QString ListBox::List(int index) const {
    if (index < 0 || index >= ListCount()) {
        return {};
    }
    return listWidget()->item(index)->text();
}

void ListBox::setList(int index, const QString& text) {
    checkIndex(index, false);
    listWidget()->item(index)->setText(text);
    entryTexts_.set(index, text);
}

int ListBox::ListCount() const {
    return listWidget()->count();
}

int ListBox::ListIndex() const {
    const QList<QListWidgetItem*> selected = listWidget()->selectedItems();
    return selected.isEmpty() ? -1 : listWidget()->row(selected.first());
}

void ListBox::selectQuietly(int index) {
    QListWidget* list = listWidget();
    const QSignalBlocker blocker(list);
    if (index < 0) {
        list->clearSelection();
        return;
    }
    list->setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
    list->scrollToItem(list->item(index));
}

void ListBox::setListIndex(int index) {
    checkIndex(index, true);
    selectQuietly(index);
    if (index >= 0) {
        fire(Click);
    }
}

qint32 ListBox::ItemData(int index) const {
    checkIndex(index, false);
    return listWidget()->item(index)->data(Qt::UserRole).toInt();
}

void ListBox::setItemData(int index, qint32 value) {
    checkIndex(index, false);
    listWidget()->item(index)->setData(Qt::UserRole, value);
}

QString ListBox::Text() const {
    return List(ListIndex());
}

bool ListBox::Selected(int index) const {
    checkIndex(index, false);
    return listWidget()->item(index)->isSelected();
}

void ListBox::setSelected(int index, bool on) {
    checkIndex(index, false);
    if (on) {
        setListIndex(index);
    } else if (ListIndex() == index) {
        selectQuietly(-1);
    }
}

int ListBox::TopIndex() const {
    QListWidgetItem* top = listWidget()->itemAt(0, 0);
    return top != nullptr ? listWidget()->row(top) : 0;
}

bool ListBox::choose(int index) {
    if (!beginPerson()) {
        return false;
    }
    if (index < 0 || index >= ListCount()) {
        qWarning("ui: %s has no entry %d", qUtf8Printable(Name()), index);
        return false;
    }
    selectQuietly(index);
    fire(Click);
    return true;
}

bool ListBox::choose(const QString& text) {
    for (int i = 0; i < ListCount(); ++i) {
        if (List(i) == text) {
            return choose(i);
        }
    }
    qWarning("ui: %s has no entry '%s'", qUtf8Printable(Name()), qUtf8Printable(text));
    return false;
}

bool ListBox::dblClick(int index) {
    if (index >= 0) {
        if (!choose(index)) {
            return false;
        }
    } else if (!beginPerson()) {
        return false;
    }
    if (detail::isAlive(this)) {
        fire(DblClick);
    }
    return true;
}

bool ListBox::keyAction(int keyCode, int, int) {
    const int count = ListCount();
    int target = -1;
    switch (keyCode) {
        case vbKeyUp:
            target = std::max(0, ListIndex() - 1);
            break;
        case vbKeyDown:
            target = std::min(count - 1, ListIndex() + 1);
            break;
        case vbKeyHome:
            target = 0;
            break;
        case vbKeyEnd:
            target = count - 1;
            break;
        default:
            return false;
    }
    if (count > 0 && target != ListIndex()) {
        selectQuietly(target);
        fire(Click);
    }
    return true;
}

// ---- Frame, Line, Shape, Image -----------------------------------------------------------------

Frame::Frame(Form* form, const QString& name, int index) : Control(form, name, index) {
    attach(new QGroupBox(form));
}

QString Frame::Caption() const {
    return static_cast<QGroupBox*>(widget())->title();
}

void Frame::setCaption(const QString& caption) {
    static_cast<QGroupBox*>(widget())->setTitle(caption);
}

Line::Line(Form* form, const QString& name, int index) : Control(form, name, index) {
    auto* line = new QFrame(form);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    attach(line);
}

void Line::setVertical(bool on) {
    static_cast<QFrame*>(widget())->setFrameShape(on ? QFrame::VLine : QFrame::HLine);
}

Shape::Shape(Form* form, const QString& name, int index)
    : Control(form, name, index), backColor_(vbButtonFace), borderColor_(vbWindowText) {
    auto* frame = new QFrame(form);
    frame->setFrameShape(QFrame::Box);
    attach(frame);
    apply();
}

void Shape::apply() {
    QFrame* frame = static_cast<QFrame*>(widget());
    QPalette palette = frame->palette();
    palette.setColor(QPalette::Window, colorFromValue(backColor_));
    palette.setColor(QPalette::WindowText, colorFromValue(borderColor_));
    frame->setPalette(palette);
    frame->setAutoFillBackground(true);
    frame->setFrameShape(borderStyle_ == 0 ? QFrame::NoFrame : QFrame::Box);
}

void Shape::setBorderStyle(int style) {
    borderStyle_ = style;
    apply();
}

void Shape::setBackColor(qint32 color) {
    backColor_ = color;
    apply();
}

void Shape::setBackColor(const QColor& color) {
    setBackColor(rt::LongFromColor(color));
}

void Shape::setBorderColor(qint32 color) {
    borderColor_ = color;
    apply();
}

void Shape::setBorderColor(const QColor& color) {
    setBorderColor(rt::LongFromColor(color));
}

Image::Image(Form* form, const QString& name, int index) : Control(form, name, index) {
    auto* label = new QLabel(form);
    label->setAlignment(Qt::AlignCenter);
    attach(label);
}

void Image::setPicture(const QPixmap& picture) {
    static_cast<QLabel*>(widget())->setPixmap(picture);
}

void Image::LoadPicture(const QString& path) {
    if (!QFile::exists(path)) {
        rt::raise(rt::err::FileNotFound);
    }
    QPixmap picture;
    if (!picture.load(path)) {
        rt::raise(rt::err::InvalidPicture);
    }
    setPicture(picture);
}

bool Image::hasPicture() const {
    return !static_cast<QLabel*>(widget())->pixmap().isNull();
}

void Image::setStretch(bool on) {
    stretch_ = on;
    static_cast<QLabel*>(widget())->setScaledContents(on);
}

bool Image::click() {
    return personLeftClick(Click);
}

bool Image::mouseFromQt(QWidget* widget, QMouseEvent* event, int type) {
    Control::mouseFromQt(widget, event, type);
    if (detail::isAlive(this) && type == QEvent::MouseButtonRelease &&
        event->button() == Qt::LeftButton) {
        fire(Click);
    }
    return false;
}

// ---- ProgressBar -----------------------------------------------------------------------------

ProgressBar::ProgressBar(Form* form, const QString& name, int index) : Control(form, name, index) {
    auto* bar = new QProgressBar(form);
    bar->setRange(0, 100);
    bar->setValue(0);
    bar->setTextVisible(false);
    attach(bar);
}

QProgressBar* ProgressBar::progressBar() const {
    return static_cast<QProgressBar*>(widget());
}

int ProgressBar::Min() const {
    return progressBar()->minimum();
}

void ProgressBar::setMin(int value) {
    if (value > Max()) {
        invalidValue();
    }
    progressBar()->setMinimum(value);
}

int ProgressBar::Max() const {
    return progressBar()->maximum();
}

void ProgressBar::setMax(int value) {
    if (value < Min()) {
        invalidValue();
    }
    progressBar()->setMaximum(value);
}

int ProgressBar::Value() const {
    return std::max(progressBar()->value(), Min());
}

void ProgressBar::setValue(int value) {
    if (value < Min() || value > Max()) {
        invalidValue();
    }
    progressBar()->setValue(value);
}

// ---- DatePicker ------------------------------------------------------------------------------

DatePicker::DatePicker(Form* form, const QString& name, int index)
    : Control(form, name, index), customFormat_(QStringLiteral("dd-MM-yyyy")) {
    auto* edit = new QDateEdit(form);
    edit->setCalendarPopup(true);
    edit->setDateRange(QDate(1601, 1, 1), QDate(9999, 12, 31));
    edit->setDate(QDate::currentDate());
    QObject::connect(edit, &QDateEdit::dateChanged, edit, [this](const QDate&) {
        if (settingFromCode_) {
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
        invalidValue();
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
    dateEdit()->setDisplayFormat(qtFormat());
}

void DatePicker::setFormat(int format) {
    if (format < dtpLongDate || format > dtpCustom) {
        invalidValue();
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

void DatePicker::setMinDate(const QDate& date) {
    if (!date.isValid() || date > MaxDate()) {
        invalidValue();
    }
    settingFromCode_ = true;
    dateEdit()->setMinimumDate(date);
    settingFromCode_ = false;
}

QDate DatePicker::MaxDate() const {
    return dateEdit()->maximumDate();
}

void DatePicker::setMaxDate(const QDate& date) {
    if (!date.isValid() || date < MinDate()) {
        invalidValue();
    }
    settingFromCode_ = true;
    dateEdit()->setMaximumDate(date);
    settingFromCode_ = false;
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
    const QDate date = QDate::fromString(text.trimmed(), qtFormat());
    if (!date.isValid()) {
        if (canAct()) {
            qWarning("ui: %s does not take '%s'", qUtf8Printable(Name()), qUtf8Printable(text));
        }
        return false;
    }
    return setDate(date);
}

// ---- TabControl ------------------------------------------------------------------------------

TabControl::TabControl(Form* form, const QString& name, int index) : Control(form, name, index) {
    auto* tabs = new QTabWidget(form);
    QObject::connect(tabs, &QTabWidget::currentChanged, tabs, [this](int tab) {
        if (tab < 0 || tab == current_) {
            return;
        }
        detail::dispatchFromQt([this, tab] {
            if (!takeFocusForQtClick()) {
                const QSignalBlocker blocker(tabWidget());
                tabWidget()->setCurrentIndex(current_);
                return;
            }
            const int previous = current_;
            current_ = tab;
            fire(Click, previous);
        });
    });
    attach(tabs);
}

QTabWidget* TabControl::tabWidget() const {
    return static_cast<QTabWidget*>(widget());
}

int TabControl::Tabs() const {
    return tabWidget()->count();
}

void TabControl::setTabs(int count) {
    if (count < 1) {
        invalidValue();
    }
    QTabWidget* tabs = tabWidget();
    const QSignalBlocker blocker(tabs);
    while (tabs->count() < count) {
        tabs->addTab(new QWidget(), QStringLiteral("Tab %1").arg(tabs->count()));
    }
    while (tabs->count() > count) {
        QWidget* page = tabs->widget(tabs->count() - 1);
        tabs->removeTab(tabs->count() - 1);
        delete page;
    }
    if (current_ >= count) {
        current_ = count - 1;
    }
    tabs->setCurrentIndex(current_);
}

int TabControl::Tab() const {
    return current_;
}

void TabControl::checkTab(int tab) const {
    if (tab < 0 || tab >= Tabs()) {
        invalidValue();
    }
}

void TabControl::switchTo(int tab) {
    {
        const QSignalBlocker blocker(tabWidget());
        tabWidget()->setCurrentIndex(tab);
    }
    const int previous = current_;
    current_ = tab;
    fire(Click, previous);
}

void TabControl::setTab(int tab) {
    checkTab(tab);
    if (tab != current_) {
        switchTo(tab);
    }
}

QString TabControl::TabCaption(int tab) const {
    checkTab(tab);
    return tabWidget()->tabText(tab);
}

void TabControl::setTabCaption(int tab, const QString& caption) {
    checkTab(tab);
    tabWidget()->setTabText(tab, caption);
}

bool TabControl::TabEnabled(int tab) const {
    checkTab(tab);
    return tabWidget()->isTabEnabled(tab);
}

void TabControl::setTabEnabled(int tab, bool on) {
    checkTab(tab);
    const QSignalBlocker blocker(tabWidget());
    tabWidget()->setTabEnabled(tab, on);
    // Qt moves away from a tab that is turned off; the current tab stays as it was.
    tabWidget()->setCurrentIndex(current_);
}

QWidget* TabControl::page(int tab) const {
    checkTab(tab);
    return tabWidget()->widget(tab);
}

bool TabControl::chooseTab(int tab) {
    if (!beginPerson()) {
        return false;
    }
    if (tab < 0 || tab >= Tabs() || !tabWidget()->isTabEnabled(tab)) {
        qWarning("ui: %s: tab %d cannot be chosen", qUtf8Printable(Name()), tab);
        return false;
    }
    if (tab != current_) {
        switchTo(tab);
    }
    return true;
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

// ---- Timer -----------------------------------------------------------------------------------

Timer::Timer(Form* form, const QString& name, int index)
    : form_(form), name_(name), index_(index), timer_(new QTimer(form)) {
    QObject::connect(timer_, &QTimer::timeout, timer_, [this] { onTimeout(); });
}

Timer::~Timer() {
    delete timer_;
}

void Timer::setInterval(int ms) {
    if (ms < 0) {
        invalidValue();
    }
    interval_ = ms;
    apply();
}

void Timer::setEnabled(bool on) {
    enabled_ = on;
    apply();
}

void Timer::apply() {
    if (enabled_ && interval_ > 0) {
        timer_->start(interval_);
    } else {
        timer_->stop();
    }
}

void Timer::onTimeout() {
    // Under a test host only tick() fires the timer.
    if (!host().realInput()) {
        return;
    }
    detail::dispatchFromQt([this] { tick(); });
}

bool Timer::tick() {
    if (!enabled_ || interval_ <= 0 || form_ == nullptr || !form_->isFormLoaded()) {
        return false;
    }
    if (OnTimer) {
        detail::EventScope scope;
        OnTimer();
    }
    return true;
}

}  // namespace ui
