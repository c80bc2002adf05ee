#pragma once
// The usage-notes window on Win32: one at a time, without owner, built afresh after each close.

#include <windows.h>

namespace wc {

class Win32Shell;

class Win32DescriptionWindow {
 public:
  explicit Win32DescriptionWindow(Win32Shell& shell) : shell_(shell) {}
  ~Win32DescriptionWindow();
  Win32DescriptionWindow(const Win32DescriptionWindow&) = delete;
  Win32DescriptionWindow& operator=(const Win32DescriptionWindow&) = delete;

  // Builds and shows the window when there is none; otherwise restores it when minimised,
  // else makes it the active window. False when it could not be built.
  bool Open();

  // nullptr while there is no window.
  HWND Handle() const { return window_; }
  HWND Label() const { return label_; }
  HFONT Font() const { return font_; }

 private:
  bool Build();
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  Win32Shell& shell_;
  HWND window_ = nullptr;
  HWND label_ = nullptr;
  // The label's own font, alive exactly as long as the window.
  HFONT font_ = nullptr;
};

}  // namespace wc
