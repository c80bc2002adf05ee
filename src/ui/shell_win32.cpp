#include "ui/shell_win32.h"

#include <commctrl.h>

#include <algorithm>

#include "ui/description_window_win32.h"
#include "ui/main_window_win32.h"
#include "ui/skin_win32.h"

namespace wc {

namespace {

constexpr char kDispatchClass[] = "WordCombinerDispatch";
constexpr UINT kRunPosted = WM_APP + 1;
constexpr int kIconResource = 1;

LRESULT CALLBACK DispatchProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kRunPosted) {
    auto* dispatcher = reinterpret_cast<QueueDispatcher*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (dispatcher != nullptr) dispatcher->RunPending();
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

Win32Dispatcher::Win32Dispatcher(HINSTANCE instance) {
  WNDCLASSEXA cls = {};
  cls.cbSize = sizeof cls;
  if (!GetClassInfoExA(instance, kDispatchClass, &cls)) {
    cls = {};
    cls.cbSize = sizeof cls;
    cls.lpfnWndProc = DispatchProc;
    cls.hInstance = instance;
    cls.lpszClassName = kDispatchClass;
    RegisterClassExA(&cls);
  }
  // A message-only window: never shown, never counted among the program's windows.
  window_ = CreateWindowExA(0, kDispatchClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance,
                            nullptr);
  SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

Win32Dispatcher::~Win32Dispatcher() {
  if (window_ != nullptr) {
    SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }
  Discard();
}

void Win32Dispatcher::Wake() {
  PostMessageA(window_, kRunPosted, 0, 0);
}

Win32Shell::Win32Shell(HINSTANCE instance) : instance_(instance), dispatcher_(instance) {
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&controls);
  // One 128 x 128 picture serves as large and small icon alike.
  icon_ = static_cast<HICON>(
      LoadImageA(instance, MAKEINTRESOURCEA(kIconResource), IMAGE_ICON, 128, 128, LR_DEFAULTCOLOR));
}

Win32Shell::~Win32Shell() {
  main_.reset();
  description_.reset();
  // The skin serves the thread, not this shell; whoever applied it takes it away again.
  if (skinApplied_) wc::ApplySkin(0);
  if (icon_ != nullptr) DestroyIcon(icon_);
}

ControlModel* Win32Shell::CreateMainWindow(EventSink& sink) {
  main_ = Win32MainWindow::Create(*this, sink);
  return main_.get();
}

void Win32Shell::ApplySkin(int style) {
  wc::ApplySkin(style);
  skinApplied_ = SkinScheme() != 0;
}

void Win32Shell::ShowMainWindow() {
  if (main_) main_->Show();
}

bool Win32Shell::AttachDropTarget(Control dropTarget, NativeWindow window) {
  return main_ && main_->AttachDropTarget(dropTarget, static_cast<HWND>(window));
}

bool Win32Shell::OpenDescriptionWindow() {
  if (!description_) description_ = std::make_unique<Win32DescriptionWindow>(*this);
  return description_->Open();
}

void Win32Shell::RunEventLoop() {
  if (topLevel_.empty()) return;
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (PreTranslate(message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

void Win32Shell::AddTopLevel(HWND window) {
  if (std::find(topLevel_.begin(), topLevel_.end(), window) == topLevel_.end()) {
    topLevel_.push_back(window);
  }
}

void Win32Shell::RemoveTopLevel(HWND window) {
  const auto it = std::find(topLevel_.begin(), topLevel_.end(), window);
  if (it == topLevel_.end()) return;
  topLevel_.erase(it);
  if (topLevel_.empty()) PostQuitMessage(0);
}

bool Win32Shell::PreTranslate(const MSG& message) {
  if (message.message != WM_KEYDOWN || message.hwnd == nullptr) return false;
  HWND root = GetAncestor(message.hwnd, GA_ROOT);
  if (std::find(topLevel_.begin(), topLevel_.end(), root) == topLevel_.end()) return false;
  const bool isMain = main_ && root == main_->Handle();
  switch (message.wParam) {
    case VK_ESCAPE:
      // No control of ours wants Esc: it closes the window as its close button does.
      SendMessageA(root, WM_SYSCOMMAND, SC_CLOSE, 0);
      return true;
    case VK_TAB:
      if (!isMain) return false;
      main_->MoveFocus(GetKeyState(VK_SHIFT) < 0);
      return true;
    case VK_RETURN:
      // Enter is a line break in a multi-line box and nothing anywhere else.
      return !(isMain && main_->IsMultilineEdit(message.hwnd));
    default:
      return false;
  }
}

}  // namespace wc
