#include "ui/Control.h"

#include <QLayout>
#include <QMouseEvent>
#include <QtDebug>

#include "ui/Form.h"
#include "ui/FormDetail.h"
#include "ui/KeyMap.h"

namespace ui {

Control::Control(Form* form, const QString& name, int index)
    : form_(form), name_(name), index_(index) {
    Q_ASSERT(form != nullptr);
    site().addControl(this);
}

detail::FormSite& Control::site() const {
    return *form_;
}

Control::~Control() {
    detail::unregisterControl(this);
    site().removeControl(this);
    if (registered_ != nullptr) {
        detail::unregisterWidget(registered_, this);
    }
    delete widget_.data();
}

void Control::attach(QWidget* widget) {
    widget_ = widget;
    registered_ = widget;
    detail::registerWidget(widget, this);
    // A container that goes first takes the widget with it: forget it at once then.
    QObject::connect(widget, &QObject::destroyed,
                     [this, widget] { detail::unregisterWidget(widget, this); });
    widget->setObjectName(index_ >= 0 ? QStringLiteral("%1_%2").arg(name_).arg(index_) : name_);
    if (!takesFocus()) {
        widget->setFocusPolicy(Qt::NoFocus);
    }
}

void Control::replaceWidget(QWidget* widget) {
    QWidget* old = widget_;
    if (old == nullptr) {
        attach(widget);
        return;
    }
    QWidget* parent = old->parentWidget();
    bool placed = false;
    if (parent != nullptr && parent->layout() != nullptr) {
        if (QLayoutItem* item =
                parent->layout()->replaceWidget(old, widget, Qt::FindChildrenRecursively)) {
            delete item;
            placed = true;
        }
    }
    if (!placed) {
        widget->setParent(parent);
        widget->setGeometry(old->geometry());
    }
    widget->setEnabled(!old->testAttribute(Qt::WA_ForceDisabled));
    widget->setToolTip(old->toolTip());
    widget->setSizePolicy(old->sizePolicy());
    if (old->isHidden() && old->testAttribute(Qt::WA_WState_ExplicitShowHide)) {
        widget->hide();
    } else if (parent != nullptr && parent->isVisible()) {
        widget->show();
    }
    detail::unregisterWidget(old, this);
    widget_ = nullptr;
    registered_ = nullptr;
    delete old;
    attach(widget);
}

bool Control::Enabled() const {
    return !widget_->testAttribute(Qt::WA_ForceDisabled);
}

void Control::setEnabled(bool enabled) {
    widget_->setEnabled(enabled);
}

bool Control::Visible() const {
    return !widget_->isHidden();
}

void Control::setVisible(bool visible) {
    widget_->setVisible(visible);
}

QString Control::ToolTipText() const {
    return widget_->toolTip();
}

void Control::setToolTipText(const QString& text) {
    widget_->setToolTip(text);
}

void Control::setTabStop(bool on) {
    tabStop_ = on;
    if (takesFocus()) {
        widget_->setFocusPolicy(on ? Qt::StrongFocus : Qt::ClickFocus);
    }
}

void Control::setMousePointer(int pointer) {
    switch (pointer) {
        case vbDefault:
            widget_->unsetCursor();
            break;
        case vbArrow:
            widget_->setCursor(Qt::ArrowCursor);
            break;
        case vbCrosshair:
            widget_->setCursor(Qt::CrossCursor);
            break;
        case vbIbeam:
            widget_->setCursor(Qt::IBeamCursor);
            break;
        case vbHourglass:
            widget_->setCursor(Qt::WaitCursor);
            break;
        case vbArrowHourglass:
            widget_->setCursor(Qt::BusyCursor);
            break;
        case vbCustom:
            widget_->setCursor(Qt::PointingHandCursor);
            break;
        default:
            widget_->unsetCursor();
            break;
    }
}

void Control::setWidth(int twips) {
    const int pixels = twipsToPixels(twips);
    widget_->resize(pixels, widget_->height());
    widget_->setMinimumWidth(pixels);
}

void Control::setHeight(int twips) {
    const int pixels = twipsToPixels(twips);
    widget_->resize(widget_->width(), pixels);
    widget_->setMinimumHeight(pixels);
}

bool Control::personLeftClick(const std::function<void()>& click) {
    if (!beginPerson()) {
        return false;
    }
    fireMouse(MouseUp, vbLeftButton, 0);
    if (detail::isAlive(this)) {
        fire(click);
    }
    return true;
}

QFont Control::textFont() const {
    return widget_->font();
}

void Control::setTextFont(const QFont& font) {
    widget_->setFont(font);
}

bool Control::FontBold() const {
    return textFont().bold();
}

void Control::setFontBold(bool on) {
    QFont font = textFont();
    font.setBold(on);
    setTextFont(font);
}

void Control::setFontUnderline(bool on) {
    QFont font = textFont();
    font.setUnderline(on);
    setTextFont(font);
}

void Control::setFontSize(double points) {
    if (!(points > 0)) {
        rt::raise(rt::err::InvalidPropertyValue);
    }
    QFont font = textFont();
    font.setPointSizeF(points);
    setTextFont(font);
}

void Control::setFontName(const QString& family) {
    QFont font = textFont();
    font.setFamily(family);
    setTextFont(font);
}

void Control::SetFocus() {
    if (!form_->isFormLoaded() || !form_->Visible() || !takesFocus() || !widget_->isEnabled() ||
        !widget_->isVisibleTo(form_)) {
        rt::raise(rt::err::InvalidProcedureCall);
    }
    site().focusControl(this, false);
}

bool Control::canAct() const {
    if (!detail::isAlive(this) || widget_ == nullptr) {
        return false;
    }
    if (!form_->isFormLoaded() || !form_->Visible()) {
        return false;
    }
    if (Form* top = detail::topModal(); top != nullptr && top != form_) {
        return false;
    }
    return widget_->isEnabled() && widget_->isVisibleTo(form_);
}

bool Control::refusePerson(const char* what) const {
    QString why;
    if (!form_->isFormLoaded() || !form_->Visible()) {
        why = QStringLiteral("its form is not shown");
    } else if (Form* top = detail::topModal(); top != nullptr && top != form_) {
        why = QStringLiteral("%1 is modal").arg(top->Name());
    } else if (!widget_->isEnabled()) {
        why = QStringLiteral("it is disabled");
    } else if (!widget_->isVisibleTo(form_)) {
        why = QStringLiteral("it is not visible");
    } else {
        why = QStringLiteral("it cannot do that now");
    }
    qWarning("ui: %s on %s.%s ignored: %s", what, qUtf8Printable(form_->Name()),
             qUtf8Printable(widget_ ? widget_->objectName() : name_), qUtf8Printable(why));
    return false;
}

bool Control::beginPerson() {
    if (!canAct()) {
        return refusePerson("a person's action");
    }
    if (takesFocus()) {
        return site().focusControl(this, true);
    }
    return true;
}

bool Control::takeFocusForQtClick() {
    if (detail::takeRefused(this)) {
        return false;
    }
    if (!takesFocus() || form_->ActiveControl() == this) {
        return true;
    }
    return site().focusControl(this, true);
}

void Control::qtClick(const std::function<void()>& click) {
    detail::dispatchFromQt([this, &click] {
        if (takeFocusForQtClick()) {
            fire(click);
        }
    });
}

bool Control::focus() {
    if (!takesFocus()) {
        return refusePerson("focus");
    }
    return beginPerson();
}

bool Control::pressKey(int keyCode, int shift) {
    if (!beginPerson()) {
        return false;
    }
    if (keyCode == vbKeyTab) {
        site().tabFrom(this, (shift & vbShiftMask) != 0);
        return true;
    }
    site().keyToControl(this, keyCode, shift, vbKeyAsciiFor(keyCode, shift));
    return true;
}

bool Control::typeKeys(const QString& text) {
    if (!beginPerson()) {
        return false;
    }
    for (const QChar ch : text) {
        if (!detail::isAlive(this) || !canAct()) {
            return false;
        }
        int shift = 0;
        const int keyCode = vbKeyCodeForChar(ch, &shift);
        site().keyToControl(this, keyCode, shift, ch.unicode());
    }
    return true;
}

bool Control::rightClick() {
    if (!canAct()) {
        return refusePerson("right click");
    }
    fireMouse(MouseUp, vbRightButton, 0);
    return true;
}

void Control::fireMouse(const std::function<void(int, int, float, float)>& handler, int button,
                        int shift) {
    if (handler) {
        detail::EventScope scope;
        handler(button, shift, 0.0F, 0.0F);
    }
}

bool Control::keyAction(int, int, int) {
    return false;
}

bool Control::mouseFromQt(QWidget*, QMouseEvent* event, int type) {
    int button = 0;
    switch (event->button()) {
        case Qt::LeftButton:
            button = vbLeftButton;
            break;
        case Qt::RightButton:
            button = vbRightButton;
            break;
        case Qt::MiddleButton:
            button = vbMiddleButton;
            break;
        default:
            return false;
    }
    const QPointF at = event->position();
    const float x = static_cast<float>(at.x() * TwipsPerPixel);
    const float y = static_cast<float>(at.y() * TwipsPerPixel);
    const int shift = vbShiftState(event->modifiers());
    if (type == QEvent::MouseButtonRelease && MouseUp) {
        detail::EventScope scope;
        MouseUp(button, shift, x, y);
    }
    return false;
}

}  // namespace ui
