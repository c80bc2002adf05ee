// The main window as a user meets it: where everything is, what Tab, Esc and Enter do, what
// the count box takes, and what a click on overlapping controls reaches.

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "support/recording_sink.h"
#include "ui/main_window_layout.h"
#include "ui/main_window_win32.h"
#include "ui/shell_win32.h"
#include "win32/win32_support.h"

namespace wc::testing {
namespace {

using std::chrono::milliseconds;

class MainWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    controls_ = shell_.CreateMainWindow(sink_);
    ASSERT_NE(controls_, nullptr);
    // Skinned as the program's Created handler leaves it: every control must behave the same
    // through the skin's window procedures.
    shell_.ApplySkin(3);
    shell_.ShowMainWindow();
    BringToFront(Main());
    PumpFor(milliseconds(150), &shell_);
  }

  HWND Main() { return shell_.MainWindow()->Handle(); }
  HWND Window(Control c) { return shell_.MainWindow()->ControlWindow(c); }
  void Pump(int ms = 150) { PumpFor(milliseconds(ms), &shell_); }
  // Keys as the program's event loop sees them: posted to the focused window.
  void PostKey(WORD key) {
    HWND target = GetFocus() ? GetFocus() : Main();
    PostMessageA(target, WM_KEYDOWN, key, 1);
    PostMessageA(target, WM_KEYUP, key, 0xC0000001);
    Pump(50);
  }
  void PostChar(char c) {
    PostMessageA(GetFocus(), WM_CHAR, static_cast<unsigned char>(c), 1);
    Pump(20);
  }

  RecordingSink sink_;
  Win32Shell shell_{GetModuleHandleA(nullptr)};
  ControlModel* controls_ = nullptr;
};

std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

TEST_F(MainWindow, HasItsFixedSizeCentredOnTheScreenWithoutMaximiseOrSizing) {
  RECT outer;
  GetWindowRect(Main(), &outer);
  EXPECT_EQ(outer.right - outer.left, 525);
  EXPECT_EQ(outer.bottom - outer.top, 638);
  EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - 525) / 2);
  EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - 638) / 2);

  const LONG style = GetWindowLongA(Main(), GWL_STYLE);
  EXPECT_TRUE(style & WS_CAPTION);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_EQ(GetWindow(Main(), GW_OWNER), nullptr);

  char title[64] = {};
  GetWindowTextA(Main(), title, sizeof title);
  EXPECT_STREQ(title, "青禾词语组合器 V1.0");

  // Neither a maximise request nor a double click on the title bar changes the size.
  SendMessageA(Main(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  SendMessageA(Main(), WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(outer.left + 100, outer.top + 8));
  Pump();
  GetWindowRect(Main(), &outer);
  EXPECT_EQ(outer.right - outer.left, 525);
  EXPECT_FALSE(IsZoomed(Main()));
}

TEST_F(MainWindow, EveryControlSitsAtItsPlaceWithItsClass) {
  for (const ControlPlace& place : kMainWindowPlaces) {
    SCOPED_TRACE(std::string(NameOf(place.control)));
    HWND control = Window(place.control);
    ASSERT_NE(control, nullptr);
    HWND parent = place.parent ? Window(*place.parent) : Main();
    EXPECT_EQ(GetParent(control), parent);
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, place.left);
    EXPECT_EQ(r.top, place.top);
    EXPECT_EQ(r.right - r.left, place.width);
    EXPECT_EQ(r.bottom - r.top, place.height);
    EXPECT_TRUE(IsWindowVisible(control));

    const LONG style = GetWindowLongA(control, GWL_STYLE);
    switch (KindOf(place.control)) {
      case ControlKind::EditBox:
        EXPECT_EQ(ClassOf(control), "Edit");
        EXPECT_EQ((style & ES_MULTILINE) != 0, place.multiline);
        EXPECT_EQ((style & WS_VSCROLL) != 0, place.multiline);
        EXPECT_FALSE(style & WS_HSCROLL);  // lines wrap
        EXPECT_TRUE(GetWindowLongA(control, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
        break;
      case ControlKind::Label:
        EXPECT_EQ(ClassOf(control), "Static");
        EXPECT_TRUE(style & SS_NOPREFIX);  // "&" shows as "&"
        break;
      case ControlKind::Button:
        EXPECT_EQ(ClassOf(control), "Button");
        EXPECT_EQ(style & BS_TYPEMASK, BS_PUSHBUTTON);
        break;
      case ControlKind::CheckBox:
        EXPECT_EQ(ClassOf(control), "Button");
        EXPECT_EQ(style & BS_TYPEMASK, BS_AUTOCHECKBOX);
        break;
      case ControlKind::GroupBox:
        EXPECT_EQ(ClassOf(control), "Button");
        EXPECT_EQ(style & BS_TYPEMASK, BS_GROUPBOX);
        break;
      case ControlKind::ProcessBar:
        EXPECT_EQ(ClassOf(control), "msctls_progress32");
        EXPECT_TRUE(style & PBS_SMOOTH);
        break;
      case ControlKind::TransLabel:
        EXPECT_TRUE(GetWindowLongA(control, GWL_EXSTYLE) & WS_EX_TRANSPARENT);
        break;
      case ControlKind::DropTarget:
        break;
    }
  }
  // The transparent label reaches below its group box: the box cuts it off.
  RECT label, group;
  GetWindowRect(Window(Control::透明标签_说明), &label);
  GetClientRect(Window(Control::分组框1), &group);
  EXPECT_GT(label.bottom - label.top, group.bottom - group.top);
}

TEST_F(MainWindow, AClickWhereAButtonLiesOverABoxReachesTheButton) {
  const Control buttons[] = {Control::按钮_清空第一列, Control::按钮_清空第二列,
                             Control::按钮_清空第三列, Control::按钮_清空第四列,
                             Control::按钮_复制,       Control::按钮_导出,
                             Control::按钮_重置};
  for (Control button : buttons) {
    SCOPED_TRACE(std::string(NameOf(button)));
    RECT r;
    GetWindowRect(Window(button), &r);
    sink_.events.clear();
    ClickAt(
        {r.right - 3, r.bottom - 3});  // the box's own bottom-right corner for the clear buttons
    ASSERT_TRUE(PumpUntil([&] { return !sink_.events.empty(); }, milliseconds(2000), &shell_));
    EXPECT_EQ(sink_.events.front(), (RaisedEvent{button, Event::Clicked}));
  }
}

TEST_F(MainWindow, TabFollowsTheFocusOrderAndWraps) {
  SetFocus(Window(kFocusOrder.front()));
  for (std::size_t i = 1; i <= kFocusOrder.size(); ++i) {
    PostKey(VK_TAB);
    const Control expected = kFocusOrder[i % kFocusOrder.size()];
    EXPECT_EQ(GetFocus(), Window(expected))
        << "after " << i << " tabs, expected " << NameOf(expected);
  }
}

TEST_F(MainWindow, TabFromTheKeyboardMovesTheFocus) {
  SetFocus(Window(Control::编辑框_第一列));
  PressKey(VK_TAB);
  EXPECT_TRUE(PumpUntil([&] { return GetFocus() == Window(Control::编辑框_第二列); },
                        milliseconds(2000), &shell_));
  PressKey(VK_TAB, /*shift=*/true);
  EXPECT_TRUE(PumpUntil([&] { return GetFocus() == Window(Control::编辑框_第一列); },
                        milliseconds(2000), &shell_));
}

TEST_F(MainWindow, EnterBreaksTheLineInAColumnBoxAndKeepsTheFocus) {
  HWND box = Window(Control::编辑框_第一列);
  SetFocus(box);
  PressKey('A');
  PressKey(VK_RETURN);
  PressKey('B');
  ASSERT_TRUE(PumpUntil([&] { return controls_->Text(Control::编辑框_第一列).size() >= 4; },
                        milliseconds(3000), &shell_));
  EXPECT_EQ(controls_->Text(Control::编辑框_第一列), "a\r\nb");
  EXPECT_EQ(GetFocus(), box);
  // Every typed change reached the program.
  EXPECT_EQ(sink_.Count(Control::编辑框_第一列, Event::ContentChanged), 3u);
}

TEST_F(MainWindow, EnterElsewhereDoesNothing) {
  HWND count = Window(Control::编辑框_输出条数);
  SetFocus(count);
  PostKey(VK_RETURN);
  EXPECT_EQ(GetFocus(), count);
  EXPECT_EQ(controls_->Text(Control::编辑框_输出条数), "0");
}

TEST_F(MainWindow, TheCountBoxTakesOnlyTypedDigitsAndMinusButAnythingPasted) {
  HWND count = Window(Control::编辑框_输出条数);
  SetFocus(count);
  SetWindowTextA(count, "");
  for (char c : std::string("a.-x5 7\xA3")) PostChar(c);
  EXPECT_EQ(controls_->Text(Control::编辑框_输出条数), "-57");

  PressKey(VK_BACK);  // control characters pass: Backspace works
  ASSERT_TRUE(PumpUntil([&] { return controls_->Text(Control::编辑框_输出条数) != "-57"; },
                        milliseconds(2000), &shell_));
  EXPECT_EQ(controls_->Text(Control::编辑框_输出条数), "-5");

  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, 4);
  memcpy(GlobalLock(memory), "abc", 4);
  GlobalUnlock(memory);
  SetClipboardData(CF_TEXT, memory);
  CloseClipboard();
  SendMessageA(count, EM_SETSEL, 0, -1);
  SendMessageA(count, WM_PASTE, 0, 0);
  EXPECT_EQ(controls_->Text(Control::编辑框_输出条数), "abc");
}

TEST_F(MainWindow, TheHelpLabelIsGreenAndReportsTheButtonGoingDown) {
  HWND label = Window(Control::透明标签_说明);
  EXPECT_EQ(GetParent(label), Window(Control::分组框1));
  sink_.events.clear();
  PostMessageA(label, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 6));
  Pump(50);
  EXPECT_EQ(sink_.events,
            (std::vector<RaisedEvent>{{Control::透明标签_说明, Event::LeftButtonPressed}}));
  PostMessageA(label, WM_LBUTTONUP, 0, MAKELPARAM(5, 6));
  Pump(50);
  EXPECT_EQ(sink_.events.size(), 1u);  // nothing on the release

  // Its text is drawn in RGB(0, 128, 0) on what lies behind it.
  Pump(300);
  HDC screen = GetDC(nullptr);
  RECT r;
  GetWindowRect(label, &r);
  // Smoothed glyph edges blend into the background, so count clearly green pixels.
  int green = 0;
  for (int y = r.top; y < r.bottom; ++y) {
    for (int x = r.left; x < r.right; ++x) {
      const COLORREF c = GetPixel(screen, x, y);
      green += GetGValue(c) > GetRValue(c) + 40 && GetGValue(c) > GetBValue(c) + 40;
    }
  }
  ReleaseDC(nullptr, screen);
  EXPECT_GT(green, 10);
}

TEST_F(MainWindow, EscClosesTheWindowAsItsCloseButtonDoes) {
  SetFocus(Window(Control::编辑框_第三列));
  const int quitsBefore = QuitMessagesSeen();
  PostKey(VK_ESCAPE);
  Pump(100);
  EXPECT_FALSE(IsWindow(Main()));
  EXPECT_EQ(sink_.destroyed, 1);
  // It was the program's last window: the event loop is told to end.
  EXPECT_EQ(shell_.TopLevelCount(), 0u);
  EXPECT_EQ(QuitMessagesSeen(), quitsBefore + 1);
}

// ---- a long text, as a dropped word file brings it: the box takes it in slices between the
// user's input and painting, while the program sees the whole text at once.

class LongText : public MainWindow {
 protected:
  LongText() {
    char word[32];
    for (int i = 0; i < 60000; ++i) {
      std::snprintf(word, sizeof word, "词%06d\r\n", i);
      text_ += word;
    }
  }
  // What the box itself holds.
  std::string Held(Control box) {
    std::string held(static_cast<std::size_t>(GetWindowTextLengthA(Window(box))) + 1, '\0');
    held.resize(static_cast<std::size_t>(
        GetWindowTextA(Window(box), held.data(), static_cast<int>(held.size()))));
    return held;
  }
  bool Filled(Control box, std::size_t bytes) {
    return PumpUntil(
        [&] { return static_cast<std::size_t>(GetWindowTextLengthA(Window(box))) >= bytes; },
        milliseconds(120000), &shell_);
  }

  std::string text_;  // 600,000 bytes
};

TEST_F(LongText, TheProgramSeesItWholeAtOnceAndTheBoxCatchesUp) {
  constexpr Control box = Control::编辑框_第一列;
  controls_->SetText(box, text_);
  EXPECT_EQ(sink_.Count(box, Event::ContentChanged), 1u);
  EXPECT_TRUE(controls_->Text(box) == text_);
  EXPECT_LT(Held(box).size(), text_.size()) << "the box took the whole text at once";

  ASSERT_TRUE(Filled(box, text_.size()));
  Pump(100);
  EXPECT_TRUE(Held(box) == text_);
  EXPECT_TRUE(controls_->Text(box) == text_);
  // The slices changed nothing the user sees but the text: the caret and the view stay at
  // the start, and no further change is reported.
  DWORD start = 1;
  DWORD end = 1;
  SendMessageA(Window(box), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, 0u);
  EXPECT_EQ(SendMessageA(Window(box), EM_GETFIRSTVISIBLELINE, 0, 0), 0);
  EXPECT_EQ(sink_.Count(box, Event::ContentChanged), 1u);
}

TEST_F(LongText, TypingWhileItArrivesChangesTheWholeText) {
  constexpr Control box = Control::编辑框_第二列;
  controls_->SetText(box, text_);
  SetFocus(Window(box));
  ASSERT_EQ(GetFocus(), Window(box));
  // As a wide character: an ANSI one would pair with a lead byte an earlier test's window left
  // pending in this thread.
  PostMessageW(Window(box), WM_CHAR, L'x', 1);
  Pump(20);
  // The change reported is the user's, on the whole text, and the box holds all of it.
  // (Texts this long are compared whole: a printed difference of them would take minutes.)
  EXPECT_EQ(sink_.Count(box, Event::ContentChanged), 2u);
  EXPECT_TRUE(controls_->Text(box) == "x" + text_);
  EXPECT_TRUE(Held(box) == "x" + text_);
}

TEST_F(LongText, ANewTextOrAnAppendWhileItArrivesIsExact) {
  controls_->SetText(Control::编辑框_第三列, text_);
  controls_->SetText(Control::编辑框_第三列, "梨\r\n桃");
  controls_->SetText(Control::编辑框_结果, text_);
  controls_->AppendText(Control::编辑框_结果, "苹果手机\r\n");
  EXPECT_TRUE(Held(Control::编辑框_结果) == text_ + "苹果手机\r\n");
  Pump(500);
  // Nothing of the replaced text comes after.
  EXPECT_EQ(Held(Control::编辑框_第三列), "梨\r\n桃");
  EXPECT_TRUE(Held(Control::编辑框_结果) == text_ + "苹果手机\r\n");
}

TEST_F(LongText, TheWindowClosesWhileABoxIsTakingItIn) {
  controls_->SetText(Control::编辑框_第一列, text_);
  PostKey(VK_ESCAPE);
  Pump(300);
  EXPECT_FALSE(IsWindow(Main()));
  EXPECT_EQ(shell_.TopLevelCount(), 0u);
}

}  // namespace
}  // namespace wc::testing
