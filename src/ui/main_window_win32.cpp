#include "ui/main_window_win32.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "ui/main_window_layout.h"
#include "ui/shell_win32.h"
#include "ui/trans_label_win32.h"

namespace wc {

namespace {

constexpr char kClassName[] = "WordCombinerMain";
constexpr int kFirstControlId = 100;
constexpr UINT_PTR kCountFilterId = 1;
constexpr WPARAM kEndOfText = 0x7FFFFFFF;  // any index past the end selects the end

// Wine's edit box spends some 40 microseconds on every line it takes in, so a word file of a
// million lines set at once would leave the window without an answer for most of a minute.
// A text longer than kFillAtOnce goes in slices from a timer, whose messages come only when no
// input and no painting waits, about kFillBudget of work at a time. Each append also costs the
// box time in proportion to all the text it holds (about 10 ms a megabyte under Wine), so a
// slice is at least 1/kFillShare of what the box holds: that cost then stays a small part of
// the whole, and the box answers at least every second or so even near 20 MB.
constexpr std::size_t kFillAtOnce = 256 * 1024;
constexpr std::size_t kFillSlice = 16 * 1024;
constexpr std::size_t kFillShare = 48;
constexpr auto kFillBudget = std::chrono::milliseconds(50);
constexpr UINT_PTR kFillTimerId = 1;
constexpr UINT kFinishFillMessage = WM_APP + 1;  // wParam: the box's index

// Where the slice of `text` that starts at `from` ends: after kFillSlice bytes or 1/kFillShare
// of what comes before, whichever is more, just after a byte below 0x40 (a line end, as a
// rule), which the code page never pairs with another, so that the slices come out as the
// whole text would; never between a CR and its LF.
std::size_t SliceEnd(std::string_view text, std::size_t from) {
  std::size_t at = std::min(from + std::max(kFillSlice, from / kFillShare), text.size());
  while (at < text.size() && static_cast<unsigned char>(text[at - 1]) >= 0x40) ++at;
  if (at < text.size() && text[at - 1] == '\r' && text[at] == '\n') ++at;
  return at;
}

// Puts `text` after the last character of an edit box.
void AppendToEnd(HWND edit, const std::string& text) {
  SendMessageA(edit, EM_SETSEL, kEndOfText, kEndOfText);
  SendMessageA(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}

int IdOf(Control c) {
  return kFirstControlId + static_cast<int>(Index(c));
}

std::optional<int> ColumnOfDropTarget(Control target) {
  for (int column = 0; column < kColumnCount; ++column) {
    if (kColumns[column].dropTarget == target) return column;
  }
  return std::nullopt;
}

struct ClassAndStyle {
  const char* className;
  DWORD style;
  DWORD exStyle;
};

ClassAndStyle WindowClassFor(const ControlPlace& place) {
  constexpr DWORD kChild = WS_CHILD | WS_CLIPSIBLINGS;
  switch (KindOf(place.control)) {
    case ControlKind::EditBox:
      if (place.multiline) {
        return {"EDIT",
                kChild | WS_TABSTOP | WS_VSCROLL | ES_LEFT | ES_MULTILINE | ES_AUTOVSCROLL |
                    ES_WANTRETURN,
                WS_EX_CLIENTEDGE};
      }
      return {"EDIT", kChild | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case ControlKind::Label:
      return {"STATIC", kChild | SS_LEFT | SS_NOPREFIX | SS_CENTERIMAGE, 0};
    case ControlKind::GroupBox:
      return {"BUTTON", kChild | BS_GROUPBOX | BS_LEFT, 0};
    case ControlKind::Button:
      return {"BUTTON", kChild | WS_TABSTOP | BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | BS_MULTILINE,
              0};
    case ControlKind::CheckBox:
      return {"BUTTON", kChild | WS_TABSTOP | BS_AUTOCHECKBOX | BS_LEFT | BS_VCENTER | BS_MULTILINE,
              0};
    case ControlKind::ProcessBar:
      return {PROGRESS_CLASSA, kChild | PBS_SMOOTH, WS_EX_STATICEDGE};
    case ControlKind::TransLabel:
    case ControlKind::DropTarget:
      break;
  }
  return {nullptr, 0, 0};
}

// Typed characters of the count box: digits and the minus sign only. Control characters
// pass, so Backspace and the clipboard keys work; pasted text never comes through here.
LRESULT CALLBACK CountFilterProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                 DWORD_PTR) {
  if (message == WM_CHAR && wParam >= 32 && !(wParam >= '0' && wParam <= '9') && wParam != '-') {
    return 0;
  }
  // A single-line box outside a dialog would beep on Enter.
  if (message == WM_CHAR && wParam == '\r') return 0;
  return DefSubclassProc(window, message, wParam, lParam);
}

std::string WindowText(HWND window) {
  const int length = GetWindowTextLengthA(window);  // may overstate for double-byte text
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const int copied = GetWindowTextA(window, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(std::max(copied, 0)));
  return text;
}

}  // namespace

std::unique_ptr<Win32MainWindow> Win32MainWindow::Create(Win32Shell& shell, EventSink& sink) {
  std::unique_ptr<Win32MainWindow> window(new Win32MainWindow(shell, sink));
  if (!window->Build()) return nullptr;
  return window;
}

Win32MainWindow::~Win32MainWindow() {
  if (window_ != nullptr) DestroyWindow(window_);
}

bool Win32MainWindow::Build() {
  HINSTANCE instance = shell_.Instance();
  WNDCLASSEXA existing = {};
  existing.cbSize = sizeof existing;
  if (!GetClassInfoExA(instance, kClassName, &existing)) {
    WNDCLASSEXA cls = {};
    cls.cbSize = sizeof cls;
    cls.lpfnWndProc = WindowProc;
    cls.hInstance = instance;
    cls.hIcon = shell_.Icon();
    cls.hIconSm = shell_.Icon();
    cls.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    cls.lpszClassName = kClassName;
    if (!RegisterClassExA(&cls)) return false;
  }

  const Point at = CentredOn(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                             kMainWindow.width, kMainWindow.height);
  const std::string title(kMainWindow.title);
  window_ =
      CreateWindowExA(0, kClassName, title.c_str(),
                      // No WS_CLIPCHILDREN: the group box draws no background
                      // of its own, so the window must paint under it.
                      WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, at.x, at.y,
                      kMainWindow.width, kMainWindow.height, nullptr, nullptr, instance, this);
  if (window_ == nullptr) return false;
  RECT outer;
  GetWindowRect(window_, &outer);
  if (outer.right - outer.left != kMainWindow.width ||
      outer.bottom - outer.top != kMainWindow.height) {
    SetWindowPos(window_, nullptr, 0, 0, kMainWindow.width, kMainWindow.height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (shell_.Icon() != nullptr) {
    SendMessageA(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(shell_.Icon()));
    SendMessageA(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(shell_.Icon()));
  }
  shell_.AddTopLevel(window_);
  for (int column = 0; column < kColumnCount; ++column) {
    const Control self = kColumns[column].dropTarget;
    dropTargets_[column] = Win32DropTarget::Create([this, self](std::string_view argument) {
      sink_.Raise(WindowId::主窗口, self, Event::FileDropped, {.text = argument});
    });
  }
  return CreateControls();
}

bool Win32MainWindow::CreateControls() {
  HINSTANCE instance = shell_.Instance();
  HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  for (const ControlPlace& place : kMainWindowPlaces) {
    const InitialState& initial = kInitialStates[Index(place.control)];
    const std::string text(initial.text);
    HWND parent = place.parent ? ControlWindow(*place.parent) : window_;
    HWND control = nullptr;
    if (KindOf(place.control) == ControlKind::TransLabel) {
      TransLabelLook look;
      look.color = RGB(0, 128, 0);
      look.format = DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX;
      const Control self = place.control;
      look.onLeftButtonDown = [this, self](int x, int y, int keys) {
        sink_.Raise(WindowId::主窗口, self, Event::LeftButtonPressed,
                    {.text = {}, .x = x, .y = y, .keys = keys});
      };
      control = CreateTransLabel(
          instance, parent, text,
          {place.left, place.top, place.left + place.width, place.top + place.height},
          std::move(look));
    } else {
      const ClassAndStyle cls = WindowClassFor(place);
      control = CreateWindowExA(
          cls.exStyle, cls.className, text.c_str(), cls.style | (initial.enabled ? 0 : WS_DISABLED),
          place.left, place.top, place.width, place.height, parent,
          reinterpret_cast<HMENU>(static_cast<INT_PTR>(IdOf(place.control))), instance, nullptr);
    }
    if (control == nullptr) return false;
    controls_[Index(place.control)] = control;
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);

    switch (KindOf(place.control)) {
      case ControlKind::EditBox:
        SendMessageA(control, EM_SETLIMITTEXT, 0, 0);  // no limit of its own
        break;
      case ControlKind::CheckBox:
        SendMessageA(control, BM_SETCHECK, initial.checked ? BST_CHECKED : BST_UNCHECKED, 0);
        break;
      case ControlKind::ProcessBar:
        SendMessageA(control, PBM_SETRANGE32, 0, progressMaximum_);
        SendMessageA(control, PBM_SETPOS, 0, 0);
        break;
      default:
        break;
    }
  }
  if (!SetWindowSubclass(ControlWindow(Control::编辑框_输出条数), CountFilterProc, kCountFilterId,
                         0)) {
    return false;
  }
  for (const StackedPair& pair : kStacking) {
    SetWindowPos(ControlWindow(pair.above), HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  for (HWND control : controls_) {
    if (control != nullptr) ShowWindow(control, SW_SHOWNA);
  }
  lastFocus_ = ControlWindow(kFocusOrder.front());
  return true;
}

void Win32MainWindow::Show() {
  ShowWindow(window_, SW_SHOWNORMAL);
  UpdateWindow(window_);
}

LRESULT CALLBACK Win32MainWindow::WindowProc(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<Win32MainWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  if (self->window_ == nullptr) self->window_ = window;
  return self->OnMessage(message, wParam, lParam);
}

LRESULT Win32MainWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(reinterpret_cast<HWND>(lParam), HIWORD(wParam));
      return 0;
    case WM_ACTIVATE:
      // Come back to the control that had the focus, as a dialog does.
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus != nullptr && IsChild(window_, focus)) lastFocus_ = focus;
      } else if (lastFocus_ != nullptr && IsWindow(lastFocus_)) {
        SetFocus(lastFocus_);
        return 0;
      }
      break;
    case WM_SYSCOMMAND:
      // The frame is fixed: no maximise and no sizing, whoever asks (a double click on the
      // title bar, a keyboard shortcut, another program).
      if ((wParam & 0xFFF0) == SC_MAXIMIZE || (wParam & 0xFFF0) == SC_SIZE) return 0;
      break;
    case kFinishFillMessage: {
      if (wParam >= kControlCount) break;
      const auto box = static_cast<Control>(wParam);
      FillSlices(box, std::nullopt);
      NotifyContentChanged(box);
      return 0;
    }
    case WM_TIMER:
      if (wParam != kFillTimerId) break;
      FillSomeOfEach();
      return 0;
    case WM_DESTROY:
      KillTimer(window_, kFillTimerId);
      for (auto& fill : fills_) fill.reset();
      // The boxes still exist here; OLE must let go of them before it is ended.
      for (auto& target : dropTargets_) {
        if (target) target->Revoke();
      }
      sink_.WindowDestroying(WindowId::主窗口);
      break;
    case WM_NCDESTROY: {
      HWND gone = window_;
      window_ = nullptr;
      controls_.fill(nullptr);
      SetWindowLongPtrA(gone, GWLP_USERDATA, 0);
      shell_.RemoveTopLevel(gone);
      return DefWindowProcA(gone, message, wParam, lParam);
    }
    default:
      break;
  }
  return DefWindowProcA(window_, message, wParam, lParam);
}

void Win32MainWindow::OnCommand(HWND from, int notification) {
  const std::optional<Control> control = ControlOf(from);
  if (!control) return;
  switch (KindOf(*control)) {
    case ControlKind::EditBox:
      if (notification == EN_CHANGE && !settingText_) {
        // The user changed a box that is still taking in a long text, in the part it holds:
        // the rest goes in first, so that the change applies to the whole text. Not inside
        // the box's own notice, though: the box is still in the middle of the user's change.
        if (fills_[Index(*control)] && !deliveringOwnNotice_) {
          PostMessageA(window_, kFinishFillMessage, Index(*control), 0);
          break;
        }
        NotifyContentChanged(*control);
      }
      break;
    case ControlKind::CheckBox:
      if (notification == BN_CLICKED) {
        sink_.StateChanged(*control);
        sink_.Raise(WindowId::主窗口, *control, Event::Clicked, {});
      }
      break;
    case ControlKind::Button:
      if (notification == BN_CLICKED) sink_.Raise(WindowId::主窗口, *control, Event::Clicked, {});
      break;
    default:
      break;
  }
}

void Win32MainWindow::NotifyContentChanged(Control box) {
  sink_.StateChanged(box);
  sink_.Raise(WindowId::主窗口, box, Event::ContentChanged, {});
}

std::optional<Control> Win32MainWindow::ControlOf(HWND window) const {
  if (window == nullptr) return std::nullopt;
  for (std::size_t i = 0; i < kControlCount; ++i) {
    if (controls_[i] == window) return static_cast<Control>(i);
  }
  return std::nullopt;
}

std::string Win32MainWindow::Text(Control box) const {
  if (const std::optional<Fill>& fill = fills_[Index(box)]) return fill->text;
  return WindowText(ControlWindow(box));
}

void Win32MainWindow::SetText(Control box, std::string_view text) {
  HWND edit = ControlWindow(box);
  if (edit == nullptr) return;  // the window is gone
  fills_[Index(box)].reset();
  settingText_ = true;
  if (text.size() > kFillAtOnce) {
    StartFill(box, edit, text);
  } else {
    SetWindowTextA(edit, std::string(text).c_str());
  }
  settingText_ = false;
  // The one change notice of this setting, delivered as the box would deliver its own.
  DeliverOwnNotice(box, edit);
}

void Win32MainWindow::AppendText(Control box, std::string_view text) {
  HWND edit = ControlWindow(box);
  if (edit == nullptr) return;
  if (fills_[Index(box)]) FillSlices(box, std::nullopt);
  settingText_ = true;
  AppendToEnd(edit, std::string(text));
  settingText_ = false;
  DeliverOwnNotice(box, edit);
}

void Win32MainWindow::DeliverOwnNotice(Control box, HWND edit) {
  deliveringOwnNotice_ = true;
  SendMessageA(window_, WM_COMMAND, MAKEWPARAM(IdOf(box), EN_CHANGE),
               reinterpret_cast<LPARAM>(edit));
  deliveringOwnNotice_ = false;
}

void Win32MainWindow::StartFill(Control box, HWND edit, std::string_view text) {
  Fill fill{std::string(text), SliceEnd(text, 0)};
  // The start at once, so that the user sees the box fill from its top.
  SetWindowTextA(edit, fill.text.substr(0, fill.shown).c_str());
  fills_[Index(box)] = std::move(fill);
  SetTimer(window_, kFillTimerId, USER_TIMER_MINIMUM, nullptr);
}

// Appends slices of the box's fill until the fill is done or `budget` is spent. What the user
// sees stays where it was: the caret, the selection and the first line shown.
void Win32MainWindow::FillSlices(Control box, std::optional<std::chrono::milliseconds> budget) {
  std::optional<Fill>& fill = fills_[Index(box)];
  HWND edit = ControlWindow(box);
  if (!fill || edit == nullptr) return;
  DWORD selectionStart = 0;
  DWORD selectionEnd = 0;
  SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&selectionStart),
               reinterpret_cast<LPARAM>(&selectionEnd));
  const LRESULT firstShown = SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0);
  SendMessageA(edit, WM_SETREDRAW, FALSE, 0);
  const bool wasSetting = settingText_;
  settingText_ = true;
  const auto start = std::chrono::steady_clock::now();
  do {
    const std::size_t end = SliceEnd(fill->text, fill->shown);
    AppendToEnd(edit, fill->text.substr(fill->shown, end - fill->shown));
    fill->shown = end;
  } while (fill->shown < fill->text.size() &&
           (!budget || std::chrono::steady_clock::now() - start < *budget));
  settingText_ = wasSetting;
  SendMessageA(edit, EM_SETSEL, selectionStart, selectionEnd);
  SendMessageA(edit, EM_LINESCROLL, 0,
               firstShown - SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0));
  SendMessageA(edit, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(edit, nullptr, TRUE);
  if (fill->shown == fill->text.size()) fill.reset();
}

void Win32MainWindow::FillSomeOfEach() {
  bool more = false;
  for (std::size_t i = 0; i < kControlCount; ++i) {
    if (!fills_[i]) continue;
    FillSlices(static_cast<Control>(i), kFillBudget);
    more = more || fills_[i].has_value();
  }
  if (!more) KillTimer(window_, kFillTimerId);
}

NativeWindow Win32MainWindow::WindowHandle(Control box) const {
  return ControlWindow(box);
}

bool Win32MainWindow::AttachDropTarget(Control target, HWND window) {
  Win32DropTarget* dropTarget = DropTarget(target);
  return dropTarget != nullptr && dropTarget->Attach(window);
}

Win32DropTarget* Win32MainWindow::DropTarget(Control target) const {
  const std::optional<int> column = ColumnOfDropTarget(target);
  return column ? dropTargets_[*column].get() : nullptr;
}

std::string Win32MainWindow::Caption(Control c) const {
  return WindowText(ControlWindow(c));
}

void Win32MainWindow::SetCaption(Control c, std::string_view caption) {
  HWND control = ControlWindow(c);
  if (control != nullptr) SetWindowTextA(control, std::string(caption).c_str());
}

int Win32MainWindow::Checked(Control box) const {
  return SendMessageA(ControlWindow(box), BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
}

void Win32MainWindow::SetChecked(Control box, int checked) {
  HWND control = ControlWindow(box);
  if (control == nullptr) return;
  SendMessageA(control, BM_SETCHECK, checked == 1 ? BST_CHECKED : BST_UNCHECKED, 0);
  sink_.StateChanged(box);
}

bool Win32MainWindow::Enabled(Control c) const {
  return IsWindowEnabled(ControlWindow(c)) != FALSE;
}

void Win32MainWindow::SetProgressMaximum(Control bar, std::int32_t value) {
  progressMaximum_ = ClampProgress(value);
  HWND control = ControlWindow(bar);
  if (control == nullptr) return;
  SendMessageA(control, PBM_SETRANGE32, 0, progressMaximum_);
  SendMessageA(control, PBM_SETPOS, std::min(progressPosition_, progressMaximum_), 0);
}

void Win32MainWindow::SetProgressPosition(Control bar, std::int32_t value) {
  progressPosition_ = ClampProgress(value);
  HWND control = ControlWindow(bar);
  if (control == nullptr) return;
  SendMessageA(control, PBM_SETPOS, std::min(progressPosition_, progressMaximum_), 0);
}

std::int32_t Win32MainWindow::ProgressMaximum(Control bar) const {
  return static_cast<std::int32_t>(SendMessageA(ControlWindow(bar), PBM_GETRANGE, FALSE, 0));
}

std::int32_t Win32MainWindow::ProgressShown(Control bar) const {
  return static_cast<std::int32_t>(SendMessageA(ControlWindow(bar), PBM_GETPOS, 0, 0));
}

bool Win32MainWindow::IsMultilineEdit(HWND window) const {
  const std::optional<Control> control = ControlOf(window);
  if (!control || KindOf(*control) != ControlKind::EditBox) return false;
  return (GetWindowLongA(window, GWL_STYLE) & ES_MULTILINE) != 0;
}

void Win32MainWindow::MoveFocus(bool backward) {
  const int count = static_cast<int>(kFocusOrder.size());
  HWND focus = GetFocus();
  int at = -1;
  for (int i = 0; i < count; ++i) {
    if (ControlWindow(kFocusOrder[i]) == focus) at = i;
  }
  for (int step = 1; step <= count; ++step) {
    const int next = at < 0 ? (backward ? count - step : step - 1)
                            : ((at + (backward ? -step : step)) % count + count) % count;
    HWND candidate = ControlWindow(kFocusOrder[next]);
    if (candidate != nullptr && IsWindowEnabled(candidate) && IsWindowVisible(candidate)) {
      SetFocus(candidate);
      // As in a dialog, tabbing into the one-line count box selects what it holds.
      if (kFocusOrder[next] == Control::编辑框_输出条数) {
        SendMessageA(candidate, EM_SETSEL, 0, -1);
      }
      return;
    }
  }
}

}  // namespace wc
