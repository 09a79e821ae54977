#include "ui/Label.h"

#include <QLabel>
#include <QMouseEvent>

#include "runtime/Convert.h"
#include "ui/ControlSupport.h"
#include "ui/FormDetail.h"

namespace ui {

// ---- Label -----------------------------------------------------------------------------------

Label::Label(Form* form, const QString& name, int index) : Control(form, name, index) {
    auto* label = new QLabel(form);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    attach(label);
}

QLabel* Label::label() const {
    return static_cast<QLabel*>(widget());
}

namespace {
// Labels show "&&" as "&" and drop a single accelerator mark.
QString withoutMarks(const QString& caption) {
    QString shown;
    for (int i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&') && i + 1 < caption.size()) {
            ++i;
        }
        shown.append(caption[i]);
    }
    return shown;
}
}  // namespace

QString Label::Caption() const {
    // The caption as set, with its accelerator marks, for as long as the label shows it.
    const QString caption = label()->property("kelvoraCaption").toString();
    const QString shown = label()->text();
    return withoutMarks(caption) == shown ? caption : shown;
}

void Label::setCaption(const QString& caption) {
    label()->setProperty("kelvoraCaption", caption);
    label()->setText(withoutMarks(caption));
    if (autoSize_) {
        label()->adjustSize();
    }
}

qint32 Label::ForeColor() const {
    return detail::shownColor(label(), QPalette::WindowText, vbButtonText);
}

void Label::setForeColor(qint32 color) {
    detail::setPaletteColor(label(), QPalette::WindowText, color);
}

void Label::setForeColor(const QColor& color) {
    setForeColor(rt::LongFromColor(color));
}

qint32 Label::BackColor() const {
    return detail::shownColor(label(), QPalette::Window, vbButtonFace);
}

void Label::setBackColor(qint32 color) {
    detail::setPaletteColor(label(), QPalette::Window, color);
}

void Label::setBackColor(const QColor& color) {
    setBackColor(rt::LongFromColor(color));
}

int Label::BackStyle() const {
    return label()->autoFillBackground() ? 1 : 0;
}

void Label::setBackStyle(int style) {
    label()->setAutoFillBackground(style == 1);
}

int Label::Alignment() const {
    return detail::alignmentOf(label()->alignment());
}

void Label::setAlignment(int alignment) {
    label()->setAlignment(detail::horizontalAlignment(alignment) | Qt::AlignVCenter);
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

}  // namespace ui
