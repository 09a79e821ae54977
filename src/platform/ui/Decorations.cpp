#include "ui/Decorations.h"

#include <QFrame>
#include <QGroupBox>
#include <QPalette>
#include <QProgressBar>
#include <algorithm>

#include "runtime/Convert.h"
#include "ui/Colors.h"
#include "ui/ControlSupport.h"
#include "ui/Form.h"
#include "ui/FormDetail.h"

namespace ui {

// ---- Frame, Line, Shape -----------------------------------------------------------------------

Frame::Frame(Form* form, const QString& name, int index) : Control(form, name, index) {
    attach(new QGroupBox(form));
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

Shape::Shape(Form* form, const QString& name, int index) : Control(form, name, index) {
    auto* frame = new QFrame(form);
    frame->setFrameShape(QFrame::Box);
    frame->setAutoFillBackground(true);
    attach(frame);
    setBackColor(vbButtonFace);
    // The border is no text: it keeps its colour when the shape is disabled.
    detail::setPaletteColor(frame, QPalette::WindowText, vbWindowText, false);
}

QFrame* Shape::frame() const {
    return static_cast<QFrame*>(widget());
}

void Shape::setBorderStyle(int style) {
    frame()->setFrameShape(style == 0 ? QFrame::NoFrame : QFrame::Box);
}

qint32 Shape::BackColor() const {
    return detail::shownColor(frame(), QPalette::Window, vbButtonFace);
}

void Shape::setBackColor(qint32 color) {
    detail::setPaletteColor(frame(), QPalette::Window, color, false);
}

void Shape::setBackColor(const QColor& color) {
    setBackColor(rt::LongFromColor(color));
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
        detail::invalidValue();
    }
    progressBar()->setMinimum(value);
}

int ProgressBar::Max() const {
    return progressBar()->maximum();
}

void ProgressBar::setMax(int value) {
    if (value < Min()) {
        detail::invalidValue();
    }
    progressBar()->setMaximum(value);
}

int ProgressBar::Value() const {
    return std::max(progressBar()->value(), Min());
}

void ProgressBar::setValue(int value) {
    if (value < Min() || value > Max()) {
        detail::invalidValue();
    }
    progressBar()->setValue(value);
}

}  // namespace ui
