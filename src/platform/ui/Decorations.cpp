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
