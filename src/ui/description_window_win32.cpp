#include "ui/description_window_win32.h"

#include <string>

#include "ui/description_window.h"
#include "ui/shell_win32.h"
#include "ui/trans_label_win32.h"

namespace wc {

namespace {

constexpr char kClassName[] = "WordCombinerDescription";

HFONT CreateNotesFont() {
  // A negative height asks for the character height, internal leading left out. Charset,
  // precision and pitch stay the platform's defaults; no face name lets it pick its own.
  return CreateFontA(-description::kFontCharacterHeight, 0, 0, 0, description::kFontWeight, FALSE,
                     FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                     PROOF_QUALITY, DEFAULT_PITCH | FF_DONTCARE, nullptr);
}

bool RegisterOnce(HINSTANCE instance, HICON icon, WNDPROC procedure) {
  WNDCLASSEXA existing = {};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExA(instance, kClassName, &existing)) return true;
  WNDCLASSEXA cls = {};
  cls.cbSize = sizeof cls;
  cls.lpfnWndProc = procedure;
  cls.hInstance = instance;
  cls.hIcon = icon;
  cls.hIconSm = icon;
  cls.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  cls.lpszClassName = kClassName;
  return RegisterClassExA(&cls) != 0;
}

}  // namespace

Win32DescriptionWindow::~Win32DescriptionWindow() {
  if (window_ != nullptr) DestroyWindow(window_);
  if (font_ != nullptr) DeleteObject(font_);
}

bool Win32DescriptionWindow::Open() {
  if (window_ == nullptr) return Build();
  // An open window stays as it is, where it is: it only comes back to the user.
  if (IsIconic(window_)) {
    ShowWindow(window_, SW_RESTORE);
  } else {
    SetForegroundWindow(window_);
  }
  return true;
}

bool Win32DescriptionWindow::Build() {
  HINSTANCE instance = shell_.Instance();
  if (!RegisterOnce(instance, shell_.Icon(), WindowProc)) return false;

  // Centred afresh every time, on the whole primary screen; the division truncates.
  const Point at = CentredOn(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                             description::kWindow.width, description::kWindow.height);
  const std::string title(description::kWindow.title);
  // No owner, not even the main window: either may be closed first, and this one has a
  // taskbar button of its own. The frame is fixed, and there is no maximise box.
  HWND window = CreateWindowExA(0, kClassName, title.c_str(),
                                WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, at.x,
                                at.y, description::kWindow.width, description::kWindow.height,
                                nullptr, nullptr, instance, this);
  if (window == nullptr) return false;
  RECT outer;
  GetWindowRect(window, &outer);
  if (outer.right - outer.left != description::kWindow.width ||
      outer.bottom - outer.top != description::kWindow.height) {
    SetWindowPos(window, nullptr, 0, 0, description::kWindow.width, description::kWindow.height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (shell_.Icon() != nullptr) {
    SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(shell_.Icon()));
    SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(shell_.Icon()));
  }

  font_ = CreateNotesFont();
  TransLabelLook look;
  look.color = RGB(0, 0, 0);
  // Wrapped to the label's width; what does not fit its height is cut off by the label's edge.
  look.format = DT_LEFT | DT_WORDBREAK | DT_NOPREFIX;
  look.font = font_;
  label_ = CreateTransLabel(instance, window, description::kNotes,
                            {description::kLabelLeft, description::kLabelTop,
                             description::kLabelLeft + description::kLabelWidth,
                             description::kLabelTop + description::kLabelHeight},
                            std::move(look));
  if (label_ == nullptr) {
    DestroyWindow(window);  // takes the font with it
    return false;
  }

  ShowWindow(window, SW_SHOWNORMAL);
  UpdateWindow(window);
  return true;
}

LRESULT CALLBACK Win32DescriptionWindow::WindowProc(HWND window, UINT message, WPARAM wParam,
                                                    LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<Win32DescriptionWindow*>(
        reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->window_ = window;
    // Counted among the program's windows from its first message to its last.
    self->shell_.AddTopLevel(window);
  }
  auto* self = reinterpret_cast<Win32DescriptionWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (self != nullptr && message == WM_NCDESTROY) {
    // The label is gone by now, so its font may go too.
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    self->window_ = nullptr;
    self->label_ = nullptr;
    if (self->font_ != nullptr) DeleteObject(self->font_);
    self->font_ = nullptr;
    self->shell_.RemoveTopLevel(window);
  }
  // Close, its button, its system menu and Esc (through the shell) all end here: nothing
  // refuses, so the window is destroyed with its label.
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace wc
