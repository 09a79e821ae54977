#include "ui/Decorations.h"

#include <QFile>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPalette>
#include <QPixmap>
#include <QProgressBar>
#include <algorithm>

#include "runtime/Convert.h"
#include "ui/Colors.h"
#include "ui/ControlSupport.h"
#include "ui/FormDetail.h"

namespace ui {

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

Shape::Shape(Form* form, const QString& name, int index) : Control(form, name, index) {
    auto* frame = new QFrame(form);
    frame->setFrameShape(QFrame::Box);
    frame->setAutoFillBackground(true);
    attach(frame);
    setBackColor(vbButtonFace);
    setBorderColor(vbWindowText);
}

QFrame* Shape::frame() const {
    return static_cast<QFrame*>(widget());
}

int Shape::BorderStyle() const {
    return frame()->frameShape() == QFrame::NoFrame ? 0 : 1;
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

qint32 Shape::BorderColor() const {
    return detail::shownColor(frame(), QPalette::WindowText, vbWindowText);
}

void Shape::setBorderColor(qint32 color) {
    // The border is no text: it keeps its colour when the shape is disabled.
    detail::setPaletteColor(frame(), QPalette::WindowText, color, false);
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

bool Image::Stretch() const {
    return static_cast<QLabel*>(widget())->hasScaledContents();
}

void Image::setStretch(bool on) {
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
