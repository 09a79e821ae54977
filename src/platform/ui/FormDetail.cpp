// The layer's bookkeeping that ui/FormDetail.h declares: event procedures running, deleting
// what unloaded once none runs, errors that reach the top of an event, the controls alive and
// the widgets they own, the modal forms.

#include "ui/FormDetail.h"

#include <cxxabi.h>

#include <QCoreApplication>
#include <QTimer>
#include <QtDebug>
#include <cstdlib>
#include <memory>
#include <new>
#include <typeinfo>
#include <utility>

#include "runtime/App.h"
#include "runtime/Error.h"
#include "runtime/ErrorLog.h"
#include "ui/FormState.h"
#include "ui/Host.h"

namespace ui {

LayerState& state() {
    static LayerState s;
    return s;
}

bool isBusyPointer(int pointer) {
    return pointer == vbHourglass || pointer == vbArrowHourglass;
}

namespace {

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
        // Anything else is reported as the internal error it was taken for above.
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

}  // namespace ui
