#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "ui/control_model.h"

namespace wc::testing {

struct RaisedEvent {
  std::optional<Control> control;
  Event event;
  bool operator==(const RaisedEvent&) const = default;
};

// Keeps every event the controls raise; `onRaise` runs inside the raise, where a handler would.
class RecordingSink : public EventSink {
 public:
  void Raise(WindowId, std::optional<Control> control, Event event, const EventArgs&) override {
    events.push_back({control, event});
    if (onRaise) onRaise(control, event);
  }
  void StateChanged(Control control) override { stateChanges.push_back(control); }
  void WindowDestroying(WindowId) override { ++destroyed; }

  std::size_t Count(Control control, Event event) const {
    std::size_t n = 0;
    for (const RaisedEvent& e : events) n += (e.control == control && e.event == event);
    return n;
  }

  std::vector<RaisedEvent> events;
  std::vector<Control> stateChanges;
  int destroyed = 0;
  std::function<void(std::optional<Control>, Event)> onRaise;
};

}  // namespace wc::testing
