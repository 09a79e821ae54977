#include "ui/Form.h"

#include <cxxabi.h>

#include <QApplication>
#include <QCloseEvent>
#include <QHash>
#include <QKeyEvent>
#include <QLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QSet>
#include <QStyle>
#include <QTimer>
#include <QtDebug>
#include <algorithm>
#include <cstdlib>
#include <memory>
#include <new>
#include <typeinfo>
#include <utility>

#include "runtime/App.h"
#include "runtime/Error.h"
#include "runtime/ErrorLog.h"
#include "ui/Control.h"
#include "ui/FormDetail.h"
#include "ui/Host.h"
#include "ui/KeyMap.h"
#include "ui/MDIForm.h"
#include "ui/Menu.h"

namespace ui {

namespace detail {

// ---- the hooks' way in ------------------------------------------------------------------------

struct FormAccess {
    static bool moveFocus(Form& form, Control* target) { return form.moveFocus(target, true); }
    static bool key(Form& form, Control* control, int keyCode, int shift, int keyAscii) {
        if (Form* top = topModal(); top != nullptr && top != &form) {
            return false;
        }
        if (control != nullptr && form.ActiveControl() != control &&
            !form.moveFocus(control, true)) {
            return true;
        }
        return form.dispatchKey(control, keyCode, shift, keyAscii, true);
    }
    static void keyUp(Form& form, Control* control, int keyCode, int shift) {
        form.keyUp(control, keyCode, shift);
    }
    static void discard(Form& form) {
        if (!form.isUnloaded() && form.state_ != Form::State::Constructed) {
            form.finishUnload();
        }
    }
    static bool mouse(Control& control, QWidget* widget, QMouseEvent* event, QEvent::Type type) {
        return control.mouseFromQt(widget, event, static_cast<int>(type));
    }
};

}  // namespace detail

namespace {

// The layer's own bookkeeping. Everything runs on the GUI thread.
struct LayerState {
    int depth = 0;
    bool collectScheduled = false;
    int interruptions = 0;
    QList<QPointer<QObject>> pending;
    QHash<const QWidget*, Control*> widgetControls;
    QSet<const Control*> aliveControls;
    QList<Form*> loaded;
    QPointer<Form> active;
    QList<QPointer<Form>> modalStack;
    QPointer<MDIForm> mainWindow;
    int screenPointer = vbDefault;
    bool focusGuard = false;
    Control* refusedTarget = nullptr;
};

LayerState& state() {
    static LayerState s;
    return s;
}

bool isBusyPointer(int pointer) {
    return pointer == vbHourglass || pointer == vbArrowHourglass;
}

void scheduleCollect() {
    LayerState& s = state();
    if (s.collectScheduled || s.pending.isEmpty() || QCoreApplication::instance() == nullptr) {
        return;
    }
    s.collectScheduled = true;
    QTimer::singleShot(0, QCoreApplication::instance(), [] {
        state().collectScheduled = false;
        detail::collectGarbage();
    });
}

}  // namespace

QString detail::className(const std::type_info& type) {
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> raw(
        abi::__cxa_demangle(type.name(), nullptr, nullptr, &status), std::free);
    QString name = QString::fromLatin1(status == 0 && raw ? raw.get() : type.name());
    const int templateStart = name.indexOf(QLatin1Char('<'));
    if (templateStart >= 0) {
        name.truncate(templateStart);
    }
    const int scope = name.lastIndexOf(QLatin1String("::"));
    return scope >= 0 ? name.mid(scope + 2) : name;
}

namespace {

Form* formOfWidget(QWidget* widget) {
    for (QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
        if (auto* form = qobject_cast<Form*>(w)) {
            return form;
        }
    }
    return nullptr;
}

void syncQtFocus(Control* control) {
    LayerState& s = state();
    if (control == nullptr || control->widget() == nullptr || !host().realInput() || s.focusGuard) {
        return;
    }
    s.focusGuard = true;
    control->widget()->setFocus(Qt::OtherFocusReason);
    s.focusGuard = false;
}

// Qt's own input, when the host lets it drive the windows: focus changes, key presses and
// clicks on controls that have no Qt signal for them.
class QtHooks : public QObject {
  public:
    QtHooks() {
        connect(qApp, &QApplication::focusChanged, this,
                [](QWidget*, QWidget* now) { onFocusChanged(now); });
        qApp->installEventFilter(this);
    }

    static void onFocusChanged(QWidget* now) {
        LayerState& s = state();
        if (s.focusGuard || !host().realInput()) {
            return;
        }
        Control* target = detail::controlOf(now);
        if (target == nullptr) {
            return;
        }
        Form& form = target->Parent();
        if (form.ActiveControl() == target || !form.isFormLoaded()) {
            return;
        }
        detail::dispatchFromQt([&] {
            if (detail::FormAccess::moveFocus(form, target)) {
                s.refusedTarget = nullptr;
            } else {
                s.refusedTarget = target;
                syncQtFocus(form.ActiveControl());
            }
        });
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (type != QEvent::KeyPress && type != QEvent::KeyRelease &&
            type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease &&
            type != QEvent::MouseButtonDblClick) {
            return false;
        }
        if (!watched->isWidgetType() || !host().realInput()) {
            return false;
        }
        auto* widget = static_cast<QWidget*>(watched);
        if (type == QEvent::KeyPress) {
            // A refused focus move stops only the click that caused it.
            state().refusedTarget = nullptr;
        } else if (type == QEvent::MouseButtonPress) {
            forgetEarlierRefusal(widget);
        }
        if (type == QEvent::KeyPress || type == QEvent::KeyRelease) {
            if (widget != QApplication::focusWidget()) {
                return false;  // the same event again, on its way to a parent
            }
            return onKey(widget, static_cast<QKeyEvent*>(event), type == QEvent::KeyPress);
        }
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse == lastMouse_ && mouse->timestamp() == lastMouseTime_) {
            return false;  // propagated to a parent: the control under the pointer had it
        }
        Control* control = detail::controlOf(widget);
        if (control == nullptr || !detail::isAlive(control)) {
            return false;
        }
        lastMouse_ = mouse;
        lastMouseTime_ = mouse->timestamp();
        bool eat = false;
        detail::dispatchFromQt(
            [&] { eat = detail::FormAccess::mouse(*control, widget, mouse, type); });
        return eat;
    }

  private:
    // Qt moves the focus on a press before the press reaches this filter. A move refused for
    // the control pressed is this click's own and must still stop its release; any other was
    // refused earlier and stops nothing more.
    static void forgetEarlierRefusal(const QWidget* pressed) {
        LayerState& s = state();
        for (const QWidget* w = pressed; w != nullptr && s.refusedTarget != nullptr;
             w = w->parentWidget()) {
            if (detail::controlOf(w) == s.refusedTarget) {
                return;
            }
        }
        s.refusedTarget = nullptr;
    }

    static bool onKey(QWidget* widget, QKeyEvent* key, bool press) {
        Control* control = detail::controlOf(widget);
        Form* form = control != nullptr ? &control->Parent() : formOfWidget(widget);
        if (form == nullptr || !form->isFormLoaded()) {
            return false;
        }
        const int keyCode = vbKeyCode(key->key());
        const int shift = vbShiftState(key->modifiers());
        if (keyCode == vbKeyTab) {
            return false;  // Qt moves the focus; the focus hook runs the events
        }
        bool eat = false;
        detail::dispatchFromQt([&] {
            if (press) {
                eat = detail::FormAccess::key(*form, control, keyCode, shift, vbKeyAscii(*key));
            } else {
                detail::FormAccess::keyUp(*form, control, keyCode, shift);
            }
        });
        return eat;
    }

    const QMouseEvent* lastMouse_ = nullptr;
    quint64 lastMouseTime_ = 0;
};

void ensureQtHooks() {
    static QtHooks* hooks = nullptr;
    if (hooks == nullptr && qApp != nullptr) {
        hooks = new QtHooks();
        hooks->setParent(qApp);
    }
}

}  // namespace

// ---- detail -----------------------------------------------------------------------------------

namespace detail {

EventScope::EventScope() {
    ++state().depth;
}

EventScope::~EventScope() {
    if (--state().depth == 0) {
        scheduleCollect();
    }
}

int eventDepth() {
    return state().depth;
}

void deleteWhenIdle(QObject* object) {
    if (object == nullptr) {
        return;
    }
    state().pending.append(QPointer<QObject>(object));
    if (state().depth == 0) {
        scheduleCollect();
    }
}

int collectGarbage() {
    LayerState& s = state();
    if (s.depth > 0) {
        return 0;
    }
    int deleted = 0;
    while (!s.pending.isEmpty()) {
        const QList<QPointer<QObject>> batch = std::exchange(s.pending, {});
        for (const QPointer<QObject>& object : batch) {
            if (object) {
                delete object.data();
                ++deleted;
            }
        }
    }
    return deleted;
}

int interruptions() {
    return state().interruptions;
}

void noteInterruption() {
    ++state().interruptions;
}

void dispatchFromQt(const std::function<void()>& procedure) {
    if (programEnding()) {
        return;  // no event procedure runs once the program is ending
    }
    EventScope scope;
    try {
        procedure();
    } catch (const ProgramEnded&) {
        // Qt's code below cannot be unwound through: the loop that delivered the event stops,
        // and the call that ran it goes on with the end (ui::endProgram).
        noteEnd();
    } catch (...) {
        reportCaughtError();
    }
}

void reportCaughtError() {
    long number = rt::err::InternalError;
    QString description = rt::defaultDescription(rt::err::InternalError);
    QString source;
    try {
        throw;
    } catch (const rt::Error& e) {
        number = e.Number();
        description = e.Description();
        source = e.Source();
    } catch (const std::bad_alloc&) {
        number = rt::err::OutOfMemory;
        description = rt::defaultDescription(rt::err::OutOfMemory);
    } catch (const std::exception& e) {
        description = QString::fromLocal8Bit(e.what());
    } catch (...) {
    }
    // An error that no handler of the window caught is kept in the log and shown; the person
    // goes on from where the event left the windows, as after any failed action.
    rt::AppendErrorRecord(rt::App::dataFolder(), number, description,
                          source.isEmpty() ? rt::App::Title() : source);
    const QString message =
        QStringLiteral("Run-time error '%1':\n\n%2").arg(number).arg(description);
    qWarning("ui: %s", qUtf8Printable(message));
    if (host().realInput()) {
        try {
            MsgBox(message, vbCritical);
        } catch (...) {
            // Nothing is left to tell the person with.
        }
    }
}

Control* controlOf(const QWidget* widget) {
    const LayerState& s = state();
    for (const QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
        auto it = s.widgetControls.constFind(w);
        if (it != s.widgetControls.constEnd()) {
            return it.value();
        }
        if (qobject_cast<const Form*>(w) != nullptr) {
            return nullptr;
        }
    }
    return nullptr;
}

bool isAlive(const Control* control) {
    return control != nullptr && state().aliveControls.contains(control);
}

Form* topModal() {
    LayerState& s = state();
    while (!s.modalStack.isEmpty() && s.modalStack.last().isNull()) {
        s.modalStack.removeLast();
    }
    return s.modalStack.isEmpty() ? nullptr : s.modalStack.last().data();
}

void registerWidget(const QWidget* widget, Control* control) {
    state().widgetControls.insert(widget, control);
}

void unregisterWidget(const QWidget* widget, const Control* control) {
    auto& map = state().widgetControls;
    auto it = map.find(widget);
    if (it != map.end() && it.value() == control) {
        map.erase(it);
    }
}

void registerControl(const Control* control) {
    state().aliveControls.insert(control);
}

void unregisterControl(const Control* control) {
    LayerState& s = state();
    s.aliveControls.remove(control);
    if (s.refusedTarget == control) {
        s.refusedTarget = nullptr;
    }
}

bool takeRefused(const Control* control) {
    LayerState& s = state();
    if (s.refusedTarget != nullptr && s.refusedTarget == control) {
        s.refusedTarget = nullptr;
        return true;
    }
    return false;
}

void setBusy(bool on) {
    host().SetBusy(on);
}

void discard(Form& form) {
    FormAccess::discard(form);
}

}  // namespace detail

// ---- activation -------------------------------------------------------------------------------

void activateForm(Form* form) {
    LayerState& s = state();
    if (form == nullptr || s.active == form || form->isUnloaded()) {
        return;
    }
    QPointer<Form> previous = s.active;
    s.active = form;
    if (previous && previous->isFormLoaded()) {
        detail::EventScope scope;
        previous->Form_Deactivate();
    }
    if (s.active == form) {
        detail::EventScope scope;
        form->fireActivate();
    }
}

// ---- Form -------------------------------------------------------------------------------------

Form::Form(QWidget* parent) : QWidget(parent) {
    ensureQtHooks();
}

Form::~Form() {
    LayerState& s = state();
    if (busyHeld_) {
        detail::setBusy(false);
    }
    s.loaded.removeAll(this);
    if (defaultSlot_ != nullptr && *defaultSlot_ == this) {
        *defaultSlot_ = nullptr;
    }
    for (int i = s.modalStack.size() - 1; i >= 0; --i) {
        if (s.modalStack[i] == this) {
            s.modalStack.removeAt(i);
        }
    }
    if (s.active == this) {
        s.active = nullptr;
    }
    // The controls are members of the window and are gone by now; a control that outlives it
    // (none should) must not reach back.
    for (Control* control : std::as_const(controls_)) {
        detail::unregisterControl(control);
    }
}

QString Form::Caption() const {
    return windowTitle();
}

void Form::setCaption(const QString& caption) {
    setWindowTitle(caption);
    if (subWindow_) {
        subWindow_->setWindowTitle(caption);
    }
}

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

void Form::setLeft(int twips) {
    Move(twips, Top());
}

void Form::setTop(int twips) {
    Move(Left(), twips);
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

void Form::setMousePointer(int pointer) {
    mousePointer_ = pointer;
    // Only a loaded form shows its pointer; every hourglass turned on is turned off once.
    const bool busy = isBusyPointer(pointer) && !isUnloaded();
    if (busy != busyHeld_) {
        busyHeld_ = busy;
        detail::setBusy(busy);
    }
}

Control* Form::ActiveControl() const {
    return detail::isAlive(active_) ? active_ : nullptr;
}

QString Form::Name() const {
    return name_.isEmpty() ? detail::className(typeid(*this)) : name_;
}

int Form::WindowState() const {
    const Qt::WindowStates states = frameWidget()->windowState();
    if (states & Qt::WindowMinimized) {
        return vbMinimized;
    }
    if (states & Qt::WindowMaximized) {
        return vbMaximized;
    }
    return vbNormal;
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

QMenuBar* Form::menuBar() {
    if (menuBar_ == nullptr) {
        menuBar_ = new QMenuBar(this);
        menuBar_->setNativeMenuBar(false);
        if (layout() != nullptr) {
            layout()->setMenuBar(menuBar_);
        }
    }
    return menuBar_;
}

void Form::updateMenuBar() {
    if (menuBar_ == nullptr) {
        return;
    }
    const bool any = std::any_of(menus_.cbegin(), menus_.cend(), [](const Menu* menu) {
        return menu->parentMenu() == nullptr && menu->Visible();
    });
    menuBar_->setVisible(any);
}

void Form::registerControl(Control* control) {
    controls_.append(control);
    detail::registerControl(control);
}

void Form::unregisterControl(Control* control) {
    controls_.removeAll(control);
    if (active_ == control) {
        active_ = nullptr;
    }
}

void Form::registerMenu(Menu* menu) {
    menus_.append(menu);
    if (menu->parentMenu() == nullptr) {
        menuBar()->addAction(menu->action());
        updateMenuBar();
    }
}

void Form::unregisterMenu(Menu* menu) {
    menus_.removeAll(menu);
    if (menuBar_ != nullptr && menu->action() != nullptr) {
        menuBar_->removeAction(menu->action());
    }
}

void Form::adoptDefaultSlot(Form** slot) {
    defaultSlot_ = slot;
    ownedByLayer_ = true;
    *slot = this;
}

void Form::destroyAfterFailedLoad() {
    if (defaultSlot_ != nullptr && *defaultSlot_ == this) {
        *defaultSlot_ = nullptr;
    }
    state().loaded.removeAll(this);
    state_ = State::Unloaded;
    delete this;
}

void Form::Load() {
    if (state_ != State::Constructed) {
        return;
    }
    state_ = State::Loading;
    state().loaded.append(this);
    if (auto* mdi = qobject_cast<MDIForm*>(this)) {
        state().mainWindow = mdi;
    }
    // Before Form_Load, which centres the window by its size.
    growToLayout(false);
    try {
        detail::EventScope scope;
        fireLoad();
    } catch (...) {
        if (state_ == State::Loading) {
            state().loaded.removeAll(this);
            state_ = State::Unloaded;
            if (state().mainWindow == this) {
                state().mainWindow = nullptr;
            }
        }
        throw;
    }
    if (state_ == State::Loading) {
        state_ = State::Loaded;
    }
}

void Form::showWindow(bool modal) {
    // Qt focuses a control of a window that appears (the first in its own chain, a tab strip
    // say); the layer gives the focus itself once the window is up (giveInitialFocus).
    struct QtFocusIgnored {
        bool was = std::exchange(state().focusGuard, true);
        ~QtFocusIgnored() { state().focusGuard = was; }
    } ignored;
    visible_ = true;
    MDIForm* main = mainWindow();
    if (!grownForShow_) {
        grownForShow_ = true;
        growToLayout(true);
    }
    if (!modal && mdiChild_ && main != nullptr && main != this) {
        main->place(*this);
        return;
    }
    if (menuBar_ != nullptr && layout() != nullptr && layout()->menuBar() != menuBar_) {
        layout()->setMenuBar(menuBar_);
    }
    if (!isVisible()) {
        // Windows other than the main one are top-level windows of their own that stay above
        // it: a modal one is a dialog, and while it is up the main window takes no input.
        if (main != nullptr && main != this &&
            (parentWidget() == nullptr || parentWidget() == main)) {
            Qt::WindowType type = modal ? Qt::Dialog : Qt::Window;
            if (windowType() == Qt::Tool) {
                type = Qt::Tool;
            }
            const Qt::WindowFlags flags = (windowFlags() & ~Qt::WindowType_Mask) | type;
            if (parentWidget() != main || windowFlags() != flags) {
                // Reparenting forgets the position; a window its code placed keeps it.
                const bool placed = testAttribute(Qt::WA_Moved);
                const QPoint position = pos();
                setParent(main, flags);
                if (placed) {
                    move(position);
                }
            }
        }
        setWindowModality(modal ? Qt::ApplicationModal : Qt::NonModal);
        applyBorderStyle();
        keepOnScreen();
    }
    QWidget::show();
    if (host().realInput()) {
        raise();
        activateWindow();
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

void Form::giveInitialFocus() {
    if (!visible_) {
        return;
    }
    if (ActiveControl() != nullptr) {
        syncQtFocus(ActiveControl());
        return;
    }
    Control* first = nullptr;
    for (Control* control : std::as_const(controls_)) {
        if (!control->takesFocus() || !control->TabStop() || !control->canAct() ||
            control->holdsControls()) {
            continue;
        }
        if (first == nullptr || control->TabIndex() < first->TabIndex()) {
            first = control;
        }
    }
    if (first != nullptr) {
        moveFocus(first, false);
    }
}

void Form::Show(int modal) {
    LayerState& s = state();
    if (state_ == State::Unloaded) {
        return;
    }
    if (state_ == State::Constructed) {
        Load();
        if (state_ == State::Unloaded) {
            return;
        }
    }
    QPointer<Form> self(this);
    if (modal != vbModeless) {
        if (mdiChild_) {
            rt::raise(rt::err::MdiChildModal);
        }
        if (visible_) {
            rt::raise(rt::err::FormAlreadyDisplayed);
        }
        QPointer<Form> previous = s.active;
        detail::noteInterruption();
        showWindow(true);
        modal_ = true;
        s.modalStack.append(self);
        auto finish = [&] {
            s.modalStack.removeAll(self);
            if (self) {
                self->modal_ = false;
                self->setWindowModality(Qt::NonModal);
            }
        };
        try {
            activateForm(this);
            if (self && visible_) {
                giveInitialFocus();
            }
            if (self && visible_ && isFormLoaded()) {
                detail::throughHost([this] { host().RunModal(*this); });
            }
        } catch (...) {
            finish();
            throw;
        }
        finish();
        // The window under a modal one becomes active again when it closes.
        if (previous && previous != self && previous->isFormLoaded() && previous->visible_) {
            activateForm(previous);
        }
        return;
    }
    if (Form* top = detail::topModal(); top != nullptr && top != this) {
        rt::raise(rt::err::ModalFormDisplayed);
    }
    showWindow(false);
    if (!self) {
        return;
    }
    activateForm(this);
    if (self && visible_) {
        giveInitialFocus();
    }
}

void Form::Hide() {
    if (state_ == State::Constructed) {
        Load();
    }
    if (state_ == State::Unloaded || !visible_) {
        return;
    }
    visible_ = false;
    if (subWindow_) {
        subWindow_->hide();
    } else {
        closingByLayer_ = true;
        QWidget::hide();
        closingByLayer_ = false;
    }
    if (state().active == this) {
        state().active = nullptr;
    }
    emit modalEnded();
}

void Form::Refresh() {
    if (visible_) {
        frameWidget()->repaint();
    }
}

void Form::ZOrder(int position) {
    if (position == 0) {
        frameWidget()->raise();
    } else {
        frameWidget()->lower();
    }
}

void Form::SetFocus() {
    if (!isFormLoaded() || !visible_ || !isEnabled()) {
        rt::raise(rt::err::InvalidProcedureCall);
    }
    if (subWindow_ && subWindow_->mdiArea() != nullptr && host().realInput()) {
        subWindow_->mdiArea()->setActiveSubWindow(subWindow_);
    } else if (host().realInput()) {
        activateWindow();
    }
    activateForm(this);
}

void Form::PopupMenu(Menu& menu) {
    ui::PopupMenu(menu);
}

bool Form::close() {
    if (!isFormLoaded() || !visible_) {
        qWarning("ui: closing %s ignored: it is not shown", qUtf8Printable(Name()));
        return false;
    }
    if (Form* top = detail::topModal(); top != nullptr && top != this) {
        qWarning("ui: closing %s ignored: %s is modal", qUtf8Printable(Name()),
                 qUtf8Printable(top->Name()));
        return false;
    }
    unloadWith(vbFormControlMenu);
    return true;
}

bool Form::pressKey(int keyCode, int shift) {
    if (!isFormLoaded() || !visible_) {
        qWarning("ui: key on %s ignored: it is not shown", qUtf8Printable(Name()));
        return false;
    }
    if (Form* top = detail::topModal(); top != nullptr && top != this) {
        qWarning("ui: key on %s ignored: %s is modal", qUtf8Printable(Name()),
                 qUtf8Printable(top->Name()));
        return false;
    }
    // Keys go to the active child of the main window.
    if (auto* main = qobject_cast<MDIForm*>(this)) {
        if (Form* child = main->ActiveForm()) {
            return child->pressKey(keyCode, shift);
        }
    }
    activateForm(this);
    Control* target = ActiveControl();
    if (target != nullptr && !target->canAct()) {
        target = nullptr;
    }
    if (keyCode == vbKeyTab) {
        tabFrom(target, (shift & vbShiftMask) != 0);
        return true;
    }
    dispatchKey(target, keyCode, shift, vbKeyAsciiFor(keyCode, shift), false);
    return true;
}

bool Form::tabFrom(Control* from, bool backwards) {
    QList<Control*> order;
    for (Control* control : std::as_const(controls_)) {
        if (control == from || (control->takesFocus() && control->TabStop() && control->canAct())) {
            order.append(control);
        }
    }
    std::stable_sort(order.begin(), order.end(), [](const Control* a, const Control* b) {
        return a->TabIndex() < b->TabIndex();
    });
    if (order.isEmpty()) {
        return false;
    }
    int at = from != nullptr ? static_cast<int>(order.indexOf(from)) : -1;
    const int n = static_cast<int>(order.size());
    at = at < 0 ? (backwards ? n - 1 : 0) : (at + (backwards ? n - 1 : 1)) % n;
    return moveFocus(order[at], true);
}

bool Form::moveFocus(Control* target, bool byPerson) {
    if (target == nullptr || !detail::isAlive(target)) {
        return false;
    }
    if (target == ActiveControl()) {
        return true;
    }
    QPointer<Form> self(this);
    Control* from = ActiveControl();
    const int before = detail::interruptions();
    if (byPerson && from != nullptr && target->CausesValidation() && from->Validate) {
        bool cancel = false;
        from->fire(from->Validate, cancel);
        if (!self || !detail::isAlive(target)) {
            return false;
        }
        if (cancel) {
            syncQtFocus(ActiveControl());
            return false;
        }
    }
    active_ = target;
    if (from != nullptr && detail::isAlive(from)) {
        from->fire(from->LostFocus);
    }
    if (!self || !detail::isAlive(target) || active_ != target) {
        return false;
    }
    target->fire(target->GotFocus);
    if (!self || !detail::isAlive(target) || active_ != target) {
        return false;
    }
    syncQtFocus(target);
    // A message box or modal window shown on the way takes the person's click away.
    return !byPerson || detail::interruptions() == before;
}

Control* Form::buttonWith(bool defaultButton) const {
    for (Control* control : controls_) {
        const bool wanted = defaultButton ? control->isDefaultButton() : control->isCancelButton();
        if (wanted && control->canAct()) {
            return control;
        }
    }
    return nullptr;
}

bool Form::dispatchKey(Control* target, int keyCode, int shift, int keyAscii, bool fromQt) {
    QPointer<Form> self(this);
    auto here = [&] { return self && state_ == State::Loaded && visible_; };
    auto targetHere = [&] { return here() && target != nullptr && detail::isAlive(target); };
    int code = keyCode;
    if (code != 0 && keyPreview_) {
        detail::EventScope scope;
        Form_KeyDown(code, shift);
    }
    if (code != 0 && targetHere()) {
        target->fire(target->KeyDown, code, shift);
    }
    if (!here()) {
        return true;
    }
    if (code == 0 && keyCode != 0) {
        return true;  // swallowed
    }
    int ascii = keyAscii;
    if (ascii != 0) {
        if (keyPreview_) {
            detail::EventScope scope;
            Form_KeyPress(ascii);
        }
        if (ascii != 0 && targetHere()) {
            target->fire(target->KeyPress, ascii);
        }
        if (!here()) {
            return true;
        }
        if (ascii == 0) {
            return true;
        }
    }
    bool consumed = false;
    if (targetHere() && (!fromQt || ascii != keyAscii || target->handlesQtKey(code, ascii))) {
        consumed = target->keyAction(code, shift, ascii);
        if (fromQt && ascii != keyAscii) {
            consumed = true;  // the changed character was typed instead of Qt's
        }
    }
    if (!consumed && here()) {
        if (code == vbKeyEscape) {
            if (Control* button = buttonWith(false)) {
                button->clickByKey();
                consumed = true;
            }
        } else if (code == vbKeyReturn && !(targetHere() && target->wantsReturn())) {
            if (Control* button = buttonWith(true)) {
                button->clickByKey();
                consumed = true;
            }
        }
    }
    if (!fromQt) {
        keyUp(target, code, shift);
    }
    return consumed;
}

void Form::keyUp(Control* target, int keyCode, int shift) {
    QPointer<Form> self(this);
    int code = keyCode;
    if (code == 0 || !self || state_ != State::Loaded) {
        return;
    }
    if (keyPreview_) {
        detail::EventScope scope;
        Form_KeyUp(code, shift);
    }
    if (code != 0 && self && target != nullptr && detail::isAlive(target)) {
        target->fire(target->KeyUp, code, shift);
    }
}

bool Form::unloadWith(int unloadMode) {
    if (unloading_ || (state_ != State::Loaded && state_ != State::Loading)) {
        return false;
    }
    QPointer<Form> self(this);
    unloading_ = true;
    int cancel = 0;
    try {
        {
            detail::EventScope scope;
            fireQueryUnload(cancel, unloadMode);
        }
        if (self && cancel == 0 && state_ != State::Unloaded) {
            detail::EventScope scope;
            fireUnload(cancel);
        }
    } catch (...) {
        if (self) {
            unloading_ = false;
        }
        throw;
    }
    if (!self) {
        return true;
    }
    unloading_ = false;
    if (state_ == State::Unloaded) {
        return true;
    }
    if (cancel != 0) {
        return false;
    }
    finishUnload();
    return true;
}

void Form::finishUnload() {
    LayerState& s = state();
    state_ = State::Unloaded;
    visible_ = false;
    unloading_ = false;
    if (busyHeld_) {
        busyHeld_ = false;
        detail::setBusy(false);
    }
    mousePointer_ = vbDefault;
    s.loaded.removeAll(this);
    if (defaultSlot_ != nullptr && *defaultSlot_ == this) {
        *defaultSlot_ = nullptr;
    }
    if (s.mainWindow == this) {
        s.mainWindow = nullptr;
    }
    for (int i = s.modalStack.size() - 1; i >= 0; --i) {
        if (s.modalStack[i] == this) {
            s.modalStack.removeAt(i);
        }
    }
    active_ = nullptr;
    const bool wasActive = s.active == this;
    if (wasActive) {
        s.active = nullptr;
    }
    closingByLayer_ = true;
    if (QMdiSubWindow* sub = subWindow_.data()) {
        subWindow_ = nullptr;
        QMdiArea* area = sub->mdiArea();
        sub->setWidget(nullptr);
        setParent(nullptr);
        if (area != nullptr) {
            area->removeSubWindow(sub);
        }
        sub->hide();
        detail::deleteWhenIdle(sub);
    }
    QWidget::hide();
    closingByLayer_ = false;
    emit modalEnded();
    // The child behind an active child that closes comes to the front and is activated.
    if (wasActive) {
        if (MDIForm* main = mainWindow()) {
            if (Form* next = main->ActiveForm()) {
                activateForm(next);
            }
        }
    }
    if (ownedByLayer_) {
        detail::deleteWhenIdle(this);
    }
}

void Form::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (state_ != State::Loaded || !visible_ || inResize_) {
        return;
    }
    inResize_ = true;
    detail::dispatchFromQt([this] { fireResize(); });
    inResize_ = false;
}

void Form::closeEvent(QCloseEvent* event) {
    if (closingByLayer_ || state_ != State::Loaded) {
        event->accept();
        return;
    }
    event->ignore();
    QPointer<Form> self(this);
    detail::dispatchFromQt([this] {
        if (Form* top = detail::topModal(); top != nullptr && top != this) {
            return;
        }
        unloadWith(vbFormControlMenu);
    });
    if (self && state_ == State::Unloaded) {
        event->accept();
    }
}

void Form::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || !host().realInput() ||
        state_ != State::Loaded || !visible_ || !isActiveWindow() || subWindow_) {
        return;
    }
    detail::dispatchFromQt([this] {
        auto* mdi = qobject_cast<MDIForm*>(this);
        Form* child = mdi != nullptr ? mdi->ActiveForm() : nullptr;
        activateForm(child != nullptr ? child : this);
    });
}

// ---- Forms, Screen ----------------------------------------------------------------------------

QList<Form*> Forms::loaded() {
    return state().loaded;
}

void Forms::UnloadAll() {
    // Children first: the main window would ask them again with its own unload mode.
    QList<QPointer<Form>> forms;
    const QList<Form*> all = state().loaded;
    for (auto it = all.crbegin(); it != all.crend(); ++it) {
        forms.append(QPointer<Form>(*it));
    }
    std::stable_partition(forms.begin(), forms.end(),
                          [](const QPointer<Form>& f) { return !qobject_cast<MDIForm*>(f); });
    for (const QPointer<Form>& form : forms) {
        if (form && (form->isFormLoaded() || form->state_ == Form::State::Loading)) {
            Unload(*form);
        }
    }
}

void Forms::discardAll() {
    LayerState& s = state();
    const QList<Form*> all = s.loaded;
    QList<QPointer<Form>> forms;
    for (Form* form : all) {
        forms.append(QPointer<Form>(form));
    }
    // Children first, so that the main window does not take them with it.
    std::stable_partition(forms.begin(), forms.end(),
                          [](const QPointer<Form>& f) { return !qobject_cast<MDIForm*>(f); });
    for (const QPointer<Form>& form : forms) {
        if (form && !form->isUnloaded()) {
            form->finishUnload();
        }
    }
    s.modalStack.clear();
    s.active = nullptr;
    if (s.depth == 0) {
        detail::collectGarbage();
    }
}

Form* Forms::active() {
    return state().active;
}

int Screen::MousePointer() {
    return state().screenPointer;
}

void Screen::setMousePointer(int pointer) {
    LayerState& s = state();
    const bool wasBusy = isBusyPointer(s.screenPointer);
    s.screenPointer = pointer;
    const bool busy = isBusyPointer(pointer);
    if (busy && !wasBusy) {
        detail::setBusy(true);
    } else if (!busy && wasBusy) {
        detail::setBusy(false);
    }
}

Control* Screen::ActiveControl() {
    Form* form = Forms::active();
    return form != nullptr ? form->ActiveControl() : nullptr;
}

void Screen::resetMousePointer() {
    state().screenPointer = vbDefault;
}

void Unload(Form& form) {
    form.unloadWith(vbFormCode);
}

// ---- MDIForm ----------------------------------------------------------------------------------

MDIForm* mainWindow() {
    MDIForm* main = state().mainWindow.data();
    return main != nullptr && !main->isUnloaded() ? main : nullptr;
}

}  // namespace ui
