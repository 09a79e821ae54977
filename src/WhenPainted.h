#pragma once

#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <functional>
#include <utility>

namespace kelvora {

// Calls then() once the shown top-level `window` stands painted on the screen: after the first
// expose of its native window (Qt paints a widget window while it handles that expose), or at
// once when that expose has come already. The program's "main window shown" and the bare Qt
// window that start-up is measured against stop at this same moment. Header-only and Qt-only,
// so that the bare program shares it without linking the program.
inline void whenPainted(QWidget& window, std::function<void()> then) {
    class FirstExpose : public QObject {
      public:
        FirstExpose(QWindow* watched, std::function<void()> call)
            : QObject(watched), call_(std::move(call)) {
            watched->installEventFilter(this);
        }
        bool eventFilter(QObject* watched, QEvent* event) override {
            if (event->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed()) {
                watched->removeEventFilter(this);
                // Queued, so that it comes after the painting this expose sets off.
                QTimer::singleShot(0, watched, std::move(call_));
                deleteLater();
            }
            return false;
        }

      private:
        std::function<void()> call_;
    };
    QWindow* native = window.windowHandle();
    if (native == nullptr || native->isExposed()) {
        QTimer::singleShot(0, &window, std::move(then));
        return;
    }
    new FirstExpose(native, std::move(then));
}

}  // namespace kelvora
