// Where a window stands and how big it is: position and size in twips, the client area, the
// window state and border style; growing to what its layout asks for, and staying on screen.

#include "ui/Form.h"

#include <QLayout>
#include <QMdiSubWindow>
#include <QScreen>
#include <QStyle>
#include <algorithm>

#include "runtime/Error.h"
#include "ui/FormState.h"
#include "ui/Host.h"
#include "ui/MDIForm.h"

namespace ui {

QWidget* Form::frameWidget() const {
    if (subWindow_) {
        return subWindow_;
    }
    return const_cast<Form*>(this);
}

QPoint Form::origin() const {
    MDIForm* main = mainWindow();
    if (main == nullptr || main == this || mdiChild_ || subWindow_ ||
        (parentWidget() != nullptr && !isWindow())) {
        return {};
    }
    const QWidget* client = static_cast<const Form*>(main)->clientArea();
    return client->mapToGlobal(QPoint(0, 0));
}

int Form::Left() const {
    return pixelsToTwips(subWindow_ ? subWindow_->x() : frameGeometry().x() - origin().x());
}

int Form::Top() const {
    return pixelsToTwips(subWindow_ ? subWindow_->y() : frameGeometry().y() - origin().y());
}

int Form::Width() const {
    return pixelsToTwips(subWindow_ ? subWindow_->width() : frameGeometry().width());
}

int Form::Height() const {
    return pixelsToTwips(subWindow_ ? subWindow_->height() : frameGeometry().height());
}

void Form::setWidth(int twips) {
    Move(Left(), Top(), twips, Height());
}

void Form::setHeight(int twips) {
    Move(Left(), Top(), Width(), twips);
}

void Form::Move(int left, int top) {
    frameWidget()->move(origin() + QPoint(twipsToPixels(left), twipsToPixels(top)));
}

void Form::Move(int left, int top, int width, int height) {
    QWidget* frame = frameWidget();
    frame->move(origin() + QPoint(twipsToPixels(left), twipsToPixels(top)));
    int w = std::max(0, twipsToPixels(width));
    int h = std::max(0, twipsToPixels(height));
    if (!subWindow_) {
        // The outer size includes the window frame, which is known once the window is shown.
        w = std::max(0, w - (frameGeometry().width() - QWidget::width()));
        h = std::max(0, h - (frameGeometry().height() - QWidget::height()));
    }
    frame->resize(w, h);
}

int Form::ScaleWidth() const {
    return pixelsToTwips(clientArea()->width());
}

int Form::ScaleHeight() const {
    return pixelsToTwips(clientArea()->height());
}

void Form::setWindowState(int windowState) {
    Qt::WindowStates states = Qt::WindowNoState;
    if (windowState == vbMinimized) {
        states = Qt::WindowMinimized;
    } else if (windowState == vbMaximized) {
        states = Qt::WindowMaximized;
    }
    frameWidget()->setWindowState(states);
}

void Form::setBorderStyle(int style) {
    if (style < 0 || style > 5) {
        rt::raise(rt::err::InvalidPropertyValue);
    }
    borderStyle_ = style;
    applyBorderStyle();
}

void Form::applyBorderStyle() {
    QWidget* frame =
        subWindow_ ? static_cast<QWidget*>(subWindow_.data()) : (isWindow() ? this : nullptr);
    if (frame == nullptr) {
        return;
    }
    Qt::WindowFlags flags = frame->windowFlags();
    flags.setFlag(Qt::FramelessWindowHint, borderStyle_ == 0);
    if (!subWindow_) {
        // The window type is a value, not a set of bits: Qt::Tool shares its bits with
        // Qt::Window and Qt::Dialog, and clearing it as a flag would turn the window into a
        // child widget drawn inside its owner.
        const Qt::WindowType type = frame->windowType();
        const bool tool = borderStyle_ == 4 || borderStyle_ == 5;
        if (tool && type != Qt::Tool) {
            flags = (flags & ~Qt::WindowType_Mask) | Qt::Tool;
        } else if (!tool && type == Qt::Tool) {
            flags = (flags & ~Qt::WindowType_Mask) | Qt::Window;
        }
    }
    if (flags == frame->windowFlags()) {
        return;
    }
    // Changing the flags hides a window: show it again when it was shown.
    const bool shown = frame->isVisible();
    frame->setWindowFlags(flags);
    if (shown) {
        frame->show();
    }
}

void Form::keepOnScreen() {
    // Moving a maximised window would give it back its normal size.
    if (!host().realInput() || !isWindow() ||
        (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))) {
        return;
    }
    const QScreen* screen = mainWindow() != nullptr ? mainWindow()->screen() : this->screen();
    if (screen == nullptr) {
        return;
    }
    // A window placed partly off the screen (a wide one centred over a smaller main window)
    // is moved just far enough to be seen whole, as far as its size allows.
    const QRect room = screen->availableGeometry();
    const QRect frame = frameGeometry();
    const int x = std::max(room.left(), std::min(frame.x(), room.right() + 1 - frame.width()));
    const int y = std::max(room.top(), std::min(frame.y(), room.bottom() + 1 - frame.height()));
    if (x != frame.x() || y != frame.y()) {
        move(x, y);
    }
}

void Form::growToLayout(bool aboutCentre) {
    MDIForm* main = mainWindow();
    if (layout() == nullptr || main == this || borderStyle_ == 0) {
        return;
    }
    QSize frame;
    QSize room;
    if (mdiChild_ && main != nullptr) {
        // A child's size is that of its frame, which stands inside the main window.
        const QStyle* look = style();
        const int border = look->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, this);
        frame =
            QSize(2 * border, border + look->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this));
        room = static_cast<const Form*>(main)->clientArea()->size();
    } else if (const QScreen* screen = main != nullptr ? main->screen() : this->screen()) {
        // Room for the frame the window manager draws around it.
        constexpr int FrameAllowance = 48;
        room = screen->availableGeometry().size() - QSize(FrameAllowance, FrameAllowance);
    }
    const QSize wanted = (layout()->totalSizeHint() + frame).boundedTo(room);
    const QSize grown = size().expandedTo(wanted);
    if (grown == size()) {
        return;
    }
    if (aboutCentre && testAttribute(Qt::WA_Moved)) {
        QPoint at = pos() - QPoint((grown.width() - width()) / 2, (grown.height() - height()) / 2);
        if (mdiChild_) {
            at = QPoint(std::max(0, at.x()), std::max(0, at.y()));
        }
        move(at);
    }
    resize(grown);
}

}  // namespace ui
