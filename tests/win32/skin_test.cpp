// The window skin on real windows: which controls it takes over, that it hands every one back,
// that it forgets destroyed ones, that message boxes get it too, and what it draws.

#include <windows.h>
// Needs the types of windows.h.
#include <commctrl.h>
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "support/recording_sink.h"
#include "ui/description_window_win32.h"
#include "ui/main_window_layout.h"
#include "ui/main_window_win32.h"
#include "ui/shell_win32.h"
#include "ui/skin_win32.h"
#include "win32/win32_support.h"

namespace wc::testing {
namespace {

using std::chrono::milliseconds;

constexpr COLORREF kScheme3 = RGB(198, 197, 215);

// What the screen shows in `area` (screen coordinates) at the moment of the copy.
class ScreenCopy {
 public:
  explicit ScreenCopy(RECT area) : width_(area.right - area.left), height_(area.bottom - area.top) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width_, height_, screen, area.left, area.top, SRCCOPY);
    GdiFlush();
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    pixels_.assign(pixels, pixels + static_cast<std::size_t>(width_) * height_);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
  }

  static ScreenCopy Of(HWND window) {
    RECT place;
    GetWindowRect(window, &place);
    return ScreenCopy(place);
  }

  COLORREF At(int x, int y) const {
    const std::uint32_t bgra = pixels_[static_cast<std::size_t>(y) * width_ + x];
    return RGB((bgra >> 16) & 0xFF, (bgra >> 8) & 0xFF, bgra & 0xFF);
  }
  int Count(COLORREF colour) const {
    int n = 0;
    for (int y = 0; y < height_; ++y) {
      for (int x = 0; x < width_; ++x) n += At(x, y) == colour;
    }
    return n;
  }
  int Width() const { return width_; }
  int Height() const { return height_; }

 private:
  int width_;
  int height_;
  std::vector<std::uint32_t> pixels_;
};

std::string Rgb(COLORREF c) {
  return "RGB(" + std::to_string(GetRValue(c)) + "," + std::to_string(GetGValue(c)) + "," +
         std::to_string(GetBValue(c)) + ")";
}

bool DrawnBySkin(Control c) {
  switch (KindOf(c)) {
    case ControlKind::Button:
    case ControlKind::CheckBox:
    case ControlKind::EditBox:
    case ControlKind::GroupBox:
      return true;
    default:
      return false;
  }
}

struct OwnProcedure {
  LONG_PTR procedure;
  BOOL unicode;
};

class Skin : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(TakenOverCount(), 0u) << "an earlier test left windows in the skin's books";
    ASSERT_NE(shell_.CreateMainWindow(sink_), nullptr);
    for (const ControlPlace& place : kMainWindowPlaces) {
      HWND control = Window(place.control);
      originals_[control] = {GetWindowLongPtrA(control, GWLP_WNDPROC), IsWindowUnicode(control)};
    }
    shell_.ApplySkin(3);  // as the program's Created handler does, while the window is hidden
    shell_.ShowMainWindow();
    BringToFront(Main());
    Pump(300);
  }

  HWND Main() { return shell_.MainWindow()->Handle(); }
  HWND Window(Control c) { return shell_.MainWindow()->ControlWindow(c); }
  void Pump(int ms = 150) { PumpFor(milliseconds(ms), &shell_); }
  std::size_t MainWindowShare() {
    std::size_t n = 0;
    for (const ControlPlace& place : kMainWindowPlaces) n += DrawnBySkin(place.control);
    return n;
  }

  RecordingSink sink_;
  Win32Shell shell_{GetModuleHandleA(nullptr)};
  std::map<HWND, OwnProcedure> originals_;
};

TEST_F(Skin, TakesOverTheButtonsCheckBoxesEditBoxesAndGroupBoxButNoLabelOrBar) {
  EXPECT_EQ(SkinScheme(), 3);
  for (const ControlPlace& place : kMainWindowPlaces) {
    SCOPED_TRACE(std::string(NameOf(place.control)));
    EXPECT_EQ(IsTakenOver(Window(place.control)), DrawnBySkin(place.control));
  }
  EXPECT_FALSE(IsTakenOver(Main()));
  // Nothing else of the thread: not the dispatcher's window, not the window itself.
  EXPECT_EQ(TakenOverCount(), MainWindowShare());
}

TEST_F(Skin, RemovingItGivesEveryControlItsOwnProcedureBack) {
  const std::vector<std::vector<int>> ways = {{0}, {1, 2, 0}, {3, 3, -1}, {2, 7}};
  for (const std::vector<int>& styles : ways) {
    SCOPED_TRACE(::testing::PrintToString(styles));
    shell_.ApplySkin(3);
    for (int style : styles) shell_.ApplySkin(style);
    EXPECT_EQ(SkinScheme(), 0);
    EXPECT_EQ(TakenOverCount(), 0u);
    for (const ControlPlace& place : kMainWindowPlaces) {
      SCOPED_TRACE(std::string(NameOf(place.control)));
      HWND control = Window(place.control);
      EXPECT_FALSE(IsTakenOver(control));
      EXPECT_EQ(GetWindowLongPtrA(control, GWLP_WNDPROC), originals_[control].procedure);
      EXPECT_EQ(IsWindowUnicode(control), originals_[control].unicode);
    }
  }
  // The count box's own filter sits under the skin's procedure and still works without it.
  HWND count = Window(Control::编辑框_输出条数);
  SetWindowTextA(count, "");
  for (char c : std::string("x5")) PostMessageA(count, WM_CHAR, static_cast<WPARAM>(c), 1);
  Pump(100);
  EXPECT_EQ(shell_.MainWindow()->Text(Control::编辑框_输出条数), "5");
}

TEST_F(Skin, ReinstallingKeepsOneEntryPerControlAndSwitchesTheScheme) {
  HWND button = Window(Control::按钮_输出);
  const LONG_PTR skinned = GetWindowLongPtrA(button, GWLP_WNDPROC);
  EXPECT_NE(skinned, originals_[button].procedure);
  shell_.ApplySkin(1);
  shell_.ApplySkin(2);
  EXPECT_EQ(SkinScheme(), 2);
  EXPECT_EQ(TakenOverCount(), MainWindowShare());
  EXPECT_EQ(GetWindowLongPtrA(button, GWLP_WNDPROC), skinned);
  // Still working through the skin: a click reaches the program once.
  sink_.events.clear();
  ClickCentreOf(button);
  ASSERT_TRUE(PumpUntil([&] { return !sink_.events.empty(); }, milliseconds(2000), &shell_));
  Pump(100);
  EXPECT_EQ(sink_.events, (std::vector<RaisedEvent>{{Control::按钮_输出, Event::Clicked}}));
}

TEST_F(Skin, FramesControlsInTheSchemeColourAndDisabledOnesInButtonFaceLess32) {
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const COLORREF disabled = RGB(GetRValue(face) - 32, GetGValue(face) - 32, GetBValue(face) - 32);
  EXPECT_EQ(SkinDisabledFrameColour(), disabled);
  ASSERT_FALSE(IsWindowEnabled(Window(Control::选择框_第一列)));

  const struct {
    int scheme;
    COLORREF frame;
  } schemes[] = {{1, RGB(123, 158, 189)}, {2, RGB(164, 185, 127)}, {3, kScheme3}};
  for (const auto& scheme : schemes) {
    SCOPED_TRACE("scheme " + std::to_string(scheme.scheme));
    shell_.ApplySkin(scheme.scheme);
    Pump(300);
    EXPECT_EQ(SkinFrameColour(scheme.scheme), scheme.frame);

    // The frame's left edge, half-way down, of each kind of control the skin draws; for the
    // group box the frame starts below the caption line, which is above half-way.
    const Control framed[] = {Control::按钮_输出, Control::选择框_第二列, Control::编辑框_第一列,
                              Control::编辑框_输出条数, Control::分组框1};
    for (Control c : framed) {
      SCOPED_TRACE(std::string(NameOf(c)));
      const ScreenCopy copy = ScreenCopy::Of(Window(c));
      EXPECT_EQ(Rgb(copy.At(0, copy.Height() / 2)), Rgb(scheme.frame));
    }
    const ScreenCopy button = ScreenCopy::Of(Window(Control::按钮_输出));
    EXPECT_EQ(Rgb(button.At(button.Width() / 2, 0)), Rgb(scheme.frame));
    EXPECT_EQ(Rgb(button.At(button.Width() / 2, button.Height() - 1)), Rgb(scheme.frame));
    EXPECT_EQ(Rgb(button.At(button.Width() - 1, button.Height() / 2)), Rgb(scheme.frame));

    const ScreenCopy first = ScreenCopy::Of(Window(Control::选择框_第一列));
    EXPECT_EQ(Rgb(first.At(0, first.Height() / 2)), Rgb(disabled));
    EXPECT_EQ(first.Count(scheme.frame), 0);
    EXPECT_GE(first.Count(disabled), 4 * 12);  // the whole square around the mark
  }
}

TEST_F(Skin, TheHelpLabelStillShowsOnTheSkinnedGroupBox) {
  // The label has no background: what shows behind it is the group box's drawing.
  shell_.MainWindow()->SetCaption(Control::透明标签_说明, "说明说明");
  Pump(300);
  const ScreenCopy copy = ScreenCopy::Of(Window(Control::透明标签_说明));
  int green = 0;
  for (int y = 0; y < copy.Height(); ++y) {
    for (int x = 0; x < copy.Width(); ++x) {
      const COLORREF c = copy.At(x, y);
      green += GetGValue(c) > GetRValue(c) + 40 && GetGValue(c) > GetBValue(c) + 40;
    }
  }
  EXPECT_GT(green, 20);
  // The group box's frame was drawn under it, not wiped by the label.
  const ScreenCopy group = ScreenCopy::Of(Window(Control::分组框1));
  EXPECT_EQ(Rgb(group.At(0, group.Height() / 2)), Rgb(kScheme3));
}

TEST_F(Skin, DestroyedControlsLeaveNothingInItsBooks) {
  HWND copyButton = Window(Control::按钮_复制);
  ASSERT_TRUE(IsTakenOver(copyButton));
  DestroyWindow(copyButton);
  EXPECT_FALSE(IsTakenOver(copyButton));
  EXPECT_EQ(TakenOverCount(), MainWindowShare() - 1);
  DestroyWindow(Main());
  EXPECT_EQ(TakenOverCount(), 0u);
}

TEST_F(Skin, TheUsageNotesWindowMadeLaterKeepsItsOwnLook) {
  ASSERT_TRUE(shell_.OpenDescriptionWindow());
  Pump(300);
  HWND notes = shell_.DescriptionWindow()->Handle();
  EXPECT_FALSE(IsTakenOver(notes));
  EXPECT_FALSE(IsTakenOver(shell_.DescriptionWindow()->Label()));
  EXPECT_EQ(TakenOverCount(), MainWindowShare());
  EXPECT_EQ(ScreenCopy::Of(notes).Count(kScheme3), 0);
}

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

// A plain top-level window on the button face, away from the main window.
HWND MakeHost() {
  constexpr char kHostClass[] = "WordCombinerSkinTestHost";
  WNDCLASSEXA cls = {};
  cls.cbSize = sizeof cls;
  if (!GetClassInfoExA(GetModuleHandleA(nullptr), kHostClass, &cls)) {
    cls = {};
    cls.cbSize = sizeof cls;
    cls.lpfnWndProc = HostProc;
    cls.hInstance = GetModuleHandleA(nullptr);
    cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    cls.lpszClassName = kHostClass;
    RegisterClassExA(&cls);
  }
  return CreateWindowExA(0, kHostClass, "host", WS_POPUP | WS_VISIBLE, 0, 0, 360, 180, nullptr,
                         nullptr, GetModuleHandleA(nullptr), nullptr);
}

TEST_F(Skin, ControlsMadeLaterAreTakenOverByClassAndLetGoWithTheirWindow) {
  const struct {
    const char* className;
    DWORD style;
    DWORD exStyle;
    bool taken;
  } cases[] = {
      {"BUTTON", BS_PUSHBUTTON, 0, true},
      {"BUTTON", BS_DEFPUSHBUTTON, 0, true},
      {"BUTTON", BS_AUTORADIOBUTTON, 0, true},
      {"BUTTON", BS_AUTO3STATE, 0, true},
      {"BUTTON", BS_GROUPBOX, 0, true},
      {"BUTTON", BS_OWNERDRAW, 0, false},
      {"EDIT", ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, true},
      {"COMBOBOX", CBS_DROPDOWNLIST, 0, true},
      {"COMBOBOX", CBS_DROPDOWN, 0, true},
      {UPDOWN_CLASSA, 0, 0, true},
      {"STATIC", SS_LEFT, 0, false},
      {PROGRESS_CLASSA, 0, 0, false},
      {"LISTBOX", WS_BORDER, 0, false},
  };
  HWND host = MakeHost();
  ASSERT_NE(host, nullptr);
  ASSERT_FALSE(IsTakenOver(host));
  std::vector<HWND> made;
  int x = 4;
  int y = 4;
  for (const auto& c : cases) {
    const int height = std::string(c.className) == "COMBOBOX" ? 120 : 26;
    HWND control =
        CreateWindowExA(c.exStyle, c.className, "字", WS_CHILD | WS_VISIBLE | c.style, x, y, 80,
                        height, host, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(control, nullptr) << c.className;
    made.push_back(control);
    y += 32;
    if (y > 150) {
      y = 4;
      x += 88;
    }
  }
  Pump(300);
  for (std::size_t i = 0; i < made.size(); ++i) {
    SCOPED_TRACE(std::string(cases[i].className) + " style " + std::to_string(cases[i].style));
    EXPECT_EQ(IsTakenOver(made[i]), cases[i].taken);
    const ScreenCopy copy = ScreenCopy::Of(made[i]);
    if (cases[i].taken) {
      EXPECT_GE(copy.Count(kScheme3), 12) << "drawn without the scheme's frame";
    } else {
      EXPECT_EQ(copy.Count(kScheme3), 0) << "drawn by the skin";
    }
  }
  // A combo box's drop-down list, and the edit box of one that can be typed into.
  for (std::size_t i : {7u, 8u}) {
    COMBOBOXINFO info = {};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetComboBoxInfo(made[i], &info));
    EXPECT_TRUE(IsTakenOver(info.hwndList));
    if (i == 8) {
      EXPECT_TRUE(IsTakenOver(info.hwndItem));
    }
  }
  EXPECT_GT(TakenOverCount(), MainWindowShare());
  DestroyWindow(host);
  EXPECT_EQ(TakenOverCount(), MainWindowShare());
  for (HWND control : made) EXPECT_FALSE(IsTakenOver(control));
}

WNDPROC g_beforeOutsider = nullptr;
int g_outsiderCalls = 0;
LRESULT CALLBACK Outsider(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  ++g_outsiderCalls;
  return CallWindowProcA(g_beforeOutsider, window, message, wParam, lParam);
}

TEST_F(Skin, AControlSubclassedAfterTheSkinKeepsItsChainWhenTheSkinGoes) {
  HWND host = MakeHost();
  HWND box = CreateWindowExA(0, "BUTTON", "x", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 4, 4, 80,
                             24, host, nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_TRUE(IsTakenOver(box));
  g_beforeOutsider = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Outsider)));
  shell_.ApplySkin(0);
  // The outsider stays on top and the box still works through the whole chain.
  EXPECT_EQ(GetWindowLongPtrA(box, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&Outsider));
  EXPECT_FALSE(IsTakenOver(box));
  g_outsiderCalls = 0;
  SendMessageA(box, BM_SETCHECK, BST_CHECKED, 0);
  EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_GE(g_outsiderCalls, 2);
  // It is let go when it goes.
  EXPECT_EQ(TakenOverCount(), 1u);
  DestroyWindow(host);
  EXPECT_EQ(TakenOverCount(), 0u);
}

// Looks at a message box from inside its own loop, then closes it.
struct BoxInspection {
  HWND box = nullptr;
  int ticks = 0;
  std::vector<HWND> buttons;
  std::vector<bool> taken;
  std::vector<int> framePixels;
};
BoxInspection* g_inspection = nullptr;

BOOL CALLBACK CollectButton(HWND window, LPARAM) {
  char name[32] = {};
  GetClassNameA(window, name, sizeof name);
  if (lstrcmpiA(name, "Button") == 0 && IsWindowVisible(window)) {
    g_inspection->buttons.push_back(window);
  }
  return TRUE;
}

void CALLBACK InspectMessageBox(HWND, UINT, UINT_PTR timer, DWORD) {
  BoxInspection& seen = *g_inspection;
  if (seen.box == nullptr) seen.box = FindWindowA(nullptr, "skin test");
  // A few ticks after it shows, so that it has painted.
  if (seen.box == nullptr || ++seen.ticks < 3) return;
  KillTimer(nullptr, timer);
  EnumChildWindows(seen.box, CollectButton, 0);
  for (HWND button : seen.buttons) {
    seen.taken.push_back(IsTakenOver(button));
    seen.framePixels.push_back(ScreenCopy::Of(button).Count(kScheme3));
  }
  PostMessageA(seen.box, WM_COMMAND, IDCANCEL, 0);
}

TEST_F(Skin, AMessageBoxsButtonsAreTakenOverWhileItIsOpen) {
  BoxInspection seen;
  g_inspection = &seen;
  const UINT_PTR timer = SetTimer(nullptr, 0, 100, InspectMessageBox);
  ASSERT_NE(timer, 0u);
  const int answer = MessageBoxA(nullptr, "按钮换了样子", "skin test", MB_OKCANCEL | MB_TASKMODAL);
  KillTimer(nullptr, timer);
  g_inspection = nullptr;
  EXPECT_EQ(answer, IDCANCEL);
  ASSERT_NE(seen.box, nullptr);
  ASSERT_EQ(seen.buttons.size(), 2u);
  for (std::size_t i = 0; i < seen.buttons.size(); ++i) {
    EXPECT_TRUE(seen.taken[i]);
    EXPECT_GE(seen.framePixels[i], 2 * 20) << "button " << i << " not drawn with the frame";
  }
  // The box and its buttons are gone, and so are they from the skin's books.
  EXPECT_EQ(TakenOverCount(), MainWindowShare());
}

TEST_F(Skin, TypedDoubleByteCharactersReachTheSkinnedBoxWhole) {
  HWND box = Window(Control::编辑框_第二列);
  SetFocus(box);
  // "中文" in the ANSI code page: each character arrives as a lead byte and a trail byte.
  for (unsigned char c : std::string("中文")) PostMessageA(box, WM_CHAR, c, 1);
  Pump(100);
  EXPECT_EQ(shell_.MainWindow()->Text(Control::编辑框_第二列), "中文");
}

}  // namespace
}  // namespace wc::testing
