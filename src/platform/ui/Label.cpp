#include "ui/Label.h"

#include <QLabel>
#include <QMouseEvent>

#include "runtime/Convert.h"
#include "ui/ControlSupport.h"
#include "ui/FormDetail.h"

namespace ui {

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
    detail::setPaletteColor(label(), QPalette::WindowText, color);
}

void Label::setForeColor(const QColor& color) {
    setForeColor(rt::LongFromColor(color));
}

void Label::setBackColor(qint32 color) {
    backColor_ = color;
    detail::setPaletteColor(label(), QPalette::Window, color);
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
