#pragma once
// Which handler serves which event: one row per bound event of a control or window. An event
// without a row does nothing.

#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "ui/control_model.h"

namespace wc {

struct App;
using Handler = void (*)(App&, const EventArgs&);

struct Binding {
  WindowId window;
  std::optional<Control> control;  // empty: the window itself
  Event event;
  Handler handler;
};

// The program's own table.
std::span<const Binding> ProgramBindings();

// Delivers the controls' events through a binding table, on the user-interface thread.
class EventRouter final : public EventSink {
 public:
  EventRouter(App& app, std::span<const Binding> table) : app_(app), table_(table) {}

  void Raise(WindowId window, std::optional<Control> control, Event event,
             const EventArgs& args) override;
  void StateChanged(Control control) override;
  void WindowDestroying(WindowId window) override;

  // For state that follows the controls without being an event handler.
  void OnStateChanged(std::function<void(Control)> listener);
  void OnWindowDestroying(std::function<void(WindowId)> listener);

 private:
  App& app_;
  std::span<const Binding> table_;
  std::vector<std::function<void(Control)>> stateListeners_;
  std::vector<std::function<void(WindowId)>> destroyListeners_;
};

}  // namespace wc
