#include "ui/Label.h"

#include <QLabel>
#include <QMouseEvent>

#include "runtime/Convert.h"
#include "ui/ControlSupport.h"
#include "ui/Form.h"
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

void Label::setAlignment(int alignment) {
    label()->setAlignment(detail::horizontalAlignment(alignment) | Qt::AlignVCenter);
}

void Label::setWordWrap(bool on) {
    label()->setWordWrap(on);
}

bool Label::click() {
    return personLeftClick(Click);
}

bool Label::mouseFromQt(QWidget* widget, QMouseEvent* event, int type) {
    Control::mouseFromQt(widget, event, type);
    if (!detail::isAlive(this) || event->button() != Qt::LeftButton) {
        return false;
    }
    if (type == QEvent::MouseButtonRelease &&
        label()->rect().contains(event->position().toPoint())) {
        fire(Click);
    }
    return false;
}

}  // namespace ui
