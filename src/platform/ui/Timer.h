#pragma once

#include <QString>
#include <functional>

class QTimer;

namespace ui {

class Form;

// ---------------------------------------------------------------------------------------------
// A timer. Under the real host it ticks by itself; under a test host only tick() fires it.
class Timer {
  public:
    Timer(Form* form, const QString& name, int index = -1);
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    // Milliseconds; 0 stops the timer.
    int Interval() const { return interval_; }
    void setInterval(int ms);
    void setEnabled(bool on);

    // The Timer event (a member cannot carry its class's name).
    std::function<void()> OnTimer;

    // Fires the Timer event as one tick would; false (nothing fired) when the timer is off or
    // its form is not loaded (an unloaded form's timers stop).
    bool tick();

  private:
    void apply();
    void onTimeout();
    Form* form_;
    int interval_ = 0;
    bool enabled_ = true;
    QTimer* timer_;
};

}  // namespace ui
