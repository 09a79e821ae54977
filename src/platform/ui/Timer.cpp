#include "ui/Timer.h"

#include <QTimer>

#include "ui/ControlSupport.h"
#include "ui/Form.h"
#include "ui/FormDetail.h"
#include "ui/Host.h"

namespace ui {

// ---- Timer -----------------------------------------------------------------------------------

Timer::Timer(Form* form, const QString&, int) : form_(form), timer_(new QTimer(form)) {
    QObject::connect(timer_, &QTimer::timeout, timer_, [this] { onTimeout(); });
}

Timer::~Timer() {
    delete timer_;
}

void Timer::setInterval(int ms) {
    if (ms < 0) {
        detail::invalidValue();
    }
    interval_ = ms;
    apply();
}

void Timer::setEnabled(bool on) {
    enabled_ = on;
    apply();
}

void Timer::apply() {
    if (enabled_ && interval_ > 0) {
        timer_->start(interval_);
    } else {
        timer_->stop();
    }
}

void Timer::onTimeout() {
    // Under a test host only tick() fires the timer.
    if (!host().realInput()) {
        return;
    }
    detail::dispatchFromQt([this] { tick(); });
}

bool Timer::tick() {
    if (!enabled_ || interval_ <= 0 || form_ == nullptr || !form_->isFormLoaded()) {
        return false;
    }
    if (OnTimer) {
        detail::EventScope scope;
        OnTimer();
    }
    return true;
}

}  // namespace ui
