#pragma once

// The window layer's own bookkeeping: which controls and forms exist, which event procedures
// run, which window is modal, and how events that Qt delivers reach the windows. Private to
// the layer (and to the test host, which tidies up after a script); windows never need it.

#include <QString>
#include <functional>
#include <type_traits>
#include <typeinfo>

#include "ui/EventScope.h"
#include "ui/Host.h"

class QObject;
class QWidget;

namespace ui {

class Control;
class Form;

namespace detail {

int eventDepth();
// Deletes the object once no event procedure runs (see EventScope).
void deleteWhenIdle(QObject* object);
// Deletes what is waiting when no event procedure runs; returns how many were deleted.
int collectGarbage();
// Counts message boxes and modal windows shown: a person's click that a message box
// interrupted (in a LostFocus, say) does not reach its button.
int interruptions();
void noteInterruption();
// Runs an event that Qt delivered (a real click, key, tick): an error that escapes the
// window's own handling is reported (reportCaughtError) and the program goes on. The end of
// the program is no error: it goes on to the top (see ui::endProgram).
void dispatchFromQt(const std::function<void()>& procedure);
// Called in a catch block, for an error that reached the top of an event or of the program:
// appends it to report.Log in the program folder and, under a host that shows windows, shows
// it as "Run-time error 'n':".
void reportCaughtError();
// The controls and forms the layer knows, for mapping Qt's widgets back to them.
Control* controlOf(const QWidget* widget);
bool isAlive(const Control* control);
// The form whose modal run is innermost, if any.
Form* topModal();
// Bookkeeping the controls report to.
void registerWidget(const QWidget* widget, Control* control);
void unregisterWidget(const QWidget* widget, const Control* control);
void registerControl(const Control* control);
void unregisterControl(const Control* control);
// True (once) when a real click is aimed at a control whose focus move was just refused.
bool takeRefused(const Control* control);
void setBusy(bool on);
// Unloads a form without running any of its events (a test host tidying up after a script).
void discard(Form& form);
// A class's name without namespaces or template arguments ("frmUsr").
QString className(const std::type_info& type);

// ---- the end of the program (ui::endProgram)
// Marks the program as ending and stops the event loops that run; once is enough.
void noteEnd();
// Runs a call of the host that may run an event loop, so that the end of the program goes on
// through it: ProgramEnded is thrown before the call while the program is ending, and after it
// when the program came to its end during the call.
template <class Call>
auto throughHost(Call call) {
    passOnEnd();
    if constexpr (std::is_void_v<decltype(call())>) {
        call();
        passOnEnd();
    } else {
        auto answer = call();
        passOnEnd();
        return answer;
    }
}
// While it lives, the end of the program stops the event loop it stands for: `stop` makes the
// loop return. The real host holds one around every loop it runs.
class RunningLoop {
  public:
    explicit RunningLoop(std::function<void()> stop);
    ~RunningLoop();
    RunningLoop(const RunningLoop&) = delete;
    RunningLoop& operator=(const RunningLoop&) = delete;

  private:
    friend void noteEnd();
    std::function<void()> stop_;
};

}  // namespace detail
}  // namespace ui
