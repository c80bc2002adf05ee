#pragma once
// A label without a background of its own: what lies behind it shows through. It reports the
// left mouse button going down, not its release.

#include <windows.h>

#include <functional>
#include <string_view>

namespace wc {

struct TransLabelLook {
  COLORREF color = RGB(0, 0, 0);
  UINT format = DT_LEFT | DT_NOPREFIX;  // DrawText flags
  HFONT font = nullptr;                 // nullptr: the default GUI font; not owned
  // x and y within the label, keys: 1 Ctrl, 2 Shift, 4 Alt, added up.
  std::function<void(int x, int y, int keys)> onLeftButtonDown;
};

// nullptr when the window cannot be created.
HWND CreateTransLabel(HINSTANCE instance, HWND parent, std::string_view text, RECT place,
                      TransLabelLook look);

}  // namespace wc
