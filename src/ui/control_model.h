#pragma once
// The operations the program's logic uses on the main window's controls, and the events
// the controls raise. The Win32 window and the in-memory model both implement it, and one
// contract suite holds them to the same rules.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "ui/controls.h"

namespace wc {

// A platform window as the portable code sees it: opaque, only passed back to the platform.
using NativeWindow = void*;

struct EventArgs {
  std::string_view text;  // File dropped: the dropped path(s)
  int x = 0;              // Left button pressed: where and with which keys; nobody uses them
  int y = 0;
  int keys = 0;
};

// Receives what the controls raise. Called on the user-interface thread only.
class EventSink {
 public:
  virtual ~EventSink() = default;

  // `control` is empty for an event of the window itself.
  virtual void Raise(WindowId window, std::optional<Control> control, Event event,
                     const EventArgs& args) = 0;

  // A text or a checked state changed, by the user or by the program. Never bound to a
  // handler; it lets state derived from the controls stay current without polling them.
  virtual void StateChanged(Control) {}

  // The window is about to lose its controls; whatever still uses them must let go now.
  virtual void WindowDestroying(WindowId) {}
};

class ControlModel {
 public:
  virtual ~ControlModel() = default;

  // Edit boxes. Setting replaces the whole text and raises Content changed exactly once,
  // before it returns, also when the text is unchanged.
  virtual std::string Text(Control box) const = 0;
  virtual void SetText(Control box, std::string_view text) = 0;
  // Adds to the end of the box's text without reading it back; raises Content changed once.
  virtual void AppendText(Control box, std::string_view text) = 0;
  virtual NativeWindow WindowHandle(Control box) const = 0;

  // Labels, buttons, check boxes, the group box, the transparent label.
  virtual std::string Caption(Control c) const = 0;
  virtual void SetCaption(Control c, std::string_view caption) = 0;

  // Check boxes: 1 when checked, else 0. Setting takes 1 as checked and any other value as
  // unchecked, and raises no event.
  virtual int Checked(Control box) const = 0;
  virtual void SetChecked(Control box, int checked) = 0;
  virtual bool Enabled(Control c) const = 0;

  // The progress bar. Values are limited to 0...32767 when set.
  virtual void SetProgressMaximum(Control bar, std::int32_t value) = 0;
  virtual void SetProgressPosition(Control bar, std::int32_t value) = 0;
  virtual std::int32_t ProgressMaximum(Control bar) const = 0;
  // The position the bar shows: the stored one brought into the bar's range.
  virtual std::int32_t ProgressShown(Control bar) const = 0;
};

// The platform bar holds 16-bit ranges; anything outside is limited before it is stored.
constexpr std::int32_t ClampProgress(std::int32_t value) {
  return value < 0 ? 0 : (value > 32767 ? 32767 : value);
}

}  // namespace wc
