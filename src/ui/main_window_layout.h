#pragma once
// The main window as data: its settings, where each control sits, and the focus order.

#include <array>
#include <optional>
#include <string_view>

#include "ui/controls.h"

namespace wc {

struct WindowSettings {
  std::string_view title;
  int width;  // outer size, frame and title bar included
  int height;
};

inline constexpr WindowSettings kMainWindow = {"青禾词语组合器 V1.0", 525, 638};

struct ControlPlace {
  Control control;
  int left;  // from the client area of the parent
  int top;
  int width;
  int height;
  bool multiline = false;              // edit boxes: several lines, vertical scroll bar
  std::optional<Control> parent = {};  // empty: the window itself
};

// Every control that has a window, in the order the window builds them. The drop targets
// are not here: they are never drawn.
extern const std::array<ControlPlace, 28> kMainWindowPlaces;

// Controls stacked above the box they lie on, each above the control in the pair's second.
struct StackedPair {
  Control above;
  Control below;
};
extern const std::array<StackedPair, 8> kStacking;

// The order in which Tab moves the focus, and wraps from the last to the first.
extern const std::array<Control, 18> kFocusOrder;

// Where a window of the given outer size sits centred on a screen: the division truncates.
struct Point {
  int x;
  int y;
};
constexpr Point CentredOn(int screenWidth, int screenHeight, int width, int height) {
  return {(screenWidth - width) / 2, (screenHeight - height) / 2};
}

}  // namespace wc
