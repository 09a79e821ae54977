#pragma once

// What the forms, the controls and the menus all run their event procedures with.

#include <functional>
#include <utility>

namespace ui::detail {

// Marks that an event procedure is running: what unloads while one runs is deleted only when
// none is, so that a window can unload itself from its own event procedure. The layer's own
// bookkeeping is in ui/FormDetail.h.
class EventScope {
  public:
    EventScope();
    ~EventScope();
    EventScope(const EventScope&) = delete;
    EventScope& operator=(const EventScope&) = delete;
};

// Runs a window's event procedure, when it has one.
template <class... Params, class... Args>
void fire(const std::function<void(Params...)>& handler, Args&&... args) {
    if (handler) {
        EventScope scope;
        handler(std::forward<Args>(args)...);
    }
}

}  // namespace ui::detail
