// The usage-notes window: its settings and look in this process, its behaviour in the real
// program, driven with the real mouse and keyboard.

#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <thread>
#include <vector>

#include "ui/description_window_win32.h"
#include "ui/shell_win32.h"
#include "win32/program_driver.h"
#include "win32/win32_support.h"

namespace wc::testing {
namespace {

using std::chrono::milliseconds;

// As the user is to read them, written out once more here so that a slip in either copy shows.
constexpr char kNotes[] =
    "青禾词语随机组合软件，可通过多列关键词随机组合。每列框中关键词一行一个，支持TXT文本拖放导入。"
    "\r\n\r\n去重功能将会降低组合词速度，若组合词数量大，可以组合后复制到wps进行去重。\r\n\r\n";

RECT CentredPlace() {
  const int left = (GetSystemMetrics(SM_CXSCREEN) - 313) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - 229) / 2;
  return {left, top, left + 313, top + 229};
}

::testing::AssertionResult IsAt(HWND window, RECT want) {
  RECT place;
  GetWindowRect(window, &place);
  if (EqualRect(&place, &want)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "window at (" << place.left << ", " << place.top << ", " << place.right << ", "
         << place.bottom << "), wanted (" << want.left << ", " << want.top << ", " << want.right
         << ", " << want.bottom << ")";
}

// ---- in this process: what the window is made of

class DescriptionWindowHere : public ::testing::Test {
 protected:
  HWND Open() {
    EXPECT_TRUE(shell.OpenDescriptionWindow());
    PumpFor(milliseconds(200), &shell);
    return shell.DescriptionWindow()->Handle();
  }
  Win32Shell shell{GetModuleHandleA(nullptr)};
};

TEST_F(DescriptionWindowHere, HasItsSettingsAndItsLabel) {
  HWND window = Open();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(IsAt(window, CentredPlace()));
  char title[32] = {};
  GetWindowTextA(window, title, sizeof title);
  EXPECT_STREQ(title, "说明");
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_FALSE(IsIconic(window) || IsZoomed(window));

  const LONG style = GetWindowLongA(window, GWL_STYLE);
  const LONG exStyle = GetWindowLongA(window, GWL_EXSTYLE);
  EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX),
            WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX);
  EXPECT_EQ(style & (WS_MAXIMIZEBOX | WS_THICKFRAME | WS_CHILD | WS_POPUP), 0);
  // No owner and no tool-window style: a taskbar button of its own.
  EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr);
  EXPECT_EQ(exStyle & (WS_EX_TOOLWINDOW | WS_EX_TOPMOST), 0);
  EXPECT_EQ(shell.TopLevelCount(), 1u);

  HWND label = shell.DescriptionWindow()->Label();
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(GetParent(label), window);
  RECT place;
  GetWindowRect(label, &place);
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&place), 2);
  const RECT want = {8, 16, 8 + 288, 16 + 176};
  EXPECT_TRUE(EqualRect(&place, &want));
  std::string text(1024, '\0');
  text.resize(static_cast<std::size_t>(GetWindowTextA(label, text.data(), 1024)));
  EXPECT_EQ(text, kNotes);
}

TEST_F(DescriptionWindowHere, NotesFontHasCharactersSixteenPixelsHigh) {
  Open();
  HFONT font = shell.DescriptionWindow()->Font();
  ASSERT_NE(font, nullptr);
  LOGFONTA asked = {};
  ASSERT_NE(GetObjectA(font, sizeof asked, &asked), 0);
  EXPECT_EQ(asked.lfWeight, 400);
  EXPECT_EQ(asked.lfQuality, PROOF_QUALITY);
  EXPECT_FALSE(asked.lfItalic || asked.lfUnderline || asked.lfStrikeOut);
  EXPECT_STREQ(asked.lfFaceName, "");

  // What the platform made of it: 16 pixels without the internal leading.
  HDC dc = GetDC(shell.DescriptionWindow()->Label());
  HGDIOBJ old = SelectObject(dc, font);
  TEXTMETRICA metrics = {};
  GetTextMetricsA(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(shell.DescriptionWindow()->Label(), dc);
  EXPECT_EQ(metrics.tmHeight - metrics.tmInternalLeading, 16);
  EXPECT_EQ(metrics.tmWeight, 400);
}

TEST_F(DescriptionWindowHere, NotesAreBlackOnTheFaceColourWrappedWithinTheLabel) {
  HWND window = Open();
  BringToFront(window);
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  PumpFor(milliseconds(300), &shell);

  RECT client;
  GetClientRect(window, &client);
  const int width = client.right, height = client.bottom;
  HDC windowDc = GetDC(window);
  HDC memory = CreateCompatibleDC(windowDc);
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(windowDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, windowDc, 0, 0, SRCCOPY);
  const auto* pixels = static_cast<const std::uint32_t*>(bits);
  auto at = [&](int x, int y) { return pixels[y * width + x] & 0xFFFFFF; };

  // The window's own background is the button face.
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const std::uint32_t faceBgr = (GetRValue(face) << 16) | (GetGValue(face) << 8) | GetBValue(face);
  EXPECT_EQ(at(2, 2), faceBgr);
  EXPECT_EQ(at(width - 3, height - 3), faceBgr);

  // Ink: dark and grey, never coloured, and all of it inside the label.
  RECT ink = {width, height, -1, -1};
  std::vector<bool> inkRows(static_cast<std::size_t>(height), false);
  int black = 0, coloured = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const std::uint32_t p = at(x, y);
      const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
      if (std::max({r, g, b}) >= 96) continue;
      coloured += std::max({r, g, b}) - std::min({r, g, b}) > 8;
      black += std::max({r, g, b}) < 40;
      ink = {std::min<LONG>(ink.left, x), std::min<LONG>(ink.top, y), std::max<LONG>(ink.right, x),
             std::max<LONG>(ink.bottom, y)};
      inkRows[static_cast<std::size_t>(y)] = true;
    }
  }
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(window, windowDc);

  EXPECT_GT(black, 100);
  EXPECT_EQ(coloured, 0);
  EXPECT_GE(ink.left, 8);
  EXPECT_LT(ink.right, 8 + 288);
  EXPECT_GE(ink.top, 16);
  EXPECT_LT(ink.bottom, 16 + 176);

  // Lines of text and the gaps between them: each paragraph wraps onto several lines, and
  // one empty line stands between the two, taller than any gap within a paragraph.
  std::vector<std::pair<int, int>> lines;  // first and last row of each
  for (int y = 0; y < height; ++y) {
    if (!inkRows[static_cast<std::size_t>(y)]) continue;
    if (!lines.empty() && lines.back().second == y - 1) {
      lines.back().second = y;
    } else {
      lines.push_back({y, y});
    }
  }
  ASSERT_GE(lines.size(), 4u);
  std::vector<int> gaps;
  for (std::size_t i = 1; i < lines.size(); ++i)
    gaps.push_back(lines[i].first - lines[i - 1].second);
  const auto widest = std::max_element(gaps.begin(), gaps.end());
  const int paragraphBreak = static_cast<int>(widest - gaps.begin()) + 1;  // lines before it
  EXPECT_GE(paragraphBreak, 2);
  EXPECT_GE(static_cast<int>(lines.size()) - paragraphBreak, 2);
  for (std::size_t i = 0; i < gaps.size(); ++i) {
    if (static_cast<int>(i) + 1 != paragraphBreak) {
      EXPECT_GE(*widest - gaps[i], 12) << "no empty line between the paragraphs";
    }
  }
}

TEST_F(DescriptionWindowHere, ClosingItTakesItOffTheProgramsWindows) {
  HWND window = Open();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(shell.TopLevelCount(), 1u);
  SendMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(shell.DescriptionWindow()->Handle(), nullptr);
  EXPECT_EQ(shell.TopLevelCount(), 0u);
  // Its last window gone, the loop is told to end.
  const int quits = QuitMessagesSeen();
  PumpFor(milliseconds(50), &shell);
  EXPECT_EQ(QuitMessagesSeen(), quits + 1);
}

TEST_F(DescriptionWindowHere, CarriesTheProgramsIcon) {
  ASSERT_NE(shell.Icon(), nullptr) << "the test program lacks the program's icon";
  HWND window = Open();
  for (WPARAM size : {ICON_BIG, ICON_SMALL}) {
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, size, 0)), shell.Icon());
  }
  ICONINFO info = {};
  ASSERT_TRUE(GetIconInfo(shell.Icon(), &info));
  BITMAP colour = {};
  GetObjectA(info.hbmColor, sizeof colour, &colour);
  EXPECT_EQ(colour.bmWidth, 128);
  EXPECT_EQ(colour.bmHeight, 128);
  EXPECT_EQ(colour.bmBitsPixel, 32);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
}

// ---- the real program

class DescriptionWindowInTheProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(program.Ready());
    label = program.ControlWindow(Control::透明标签_说明);
    ASSERT_NE(label, nullptr);
  }
  void TearDown() override {
    for (HWND window : program.Descriptions()) RunningProgram::Close(window);
    if (IsWindow(program.Main())) RunningProgram::Close(program.Main());
    EXPECT_EQ(program.WaitForExit(milliseconds(10000)), 0u);
  }

  // A click on "说明", the way a user gives it.
  HWND Press() {
    ClickCentreOf(label);
    HWND window = program.WaitForDescription(milliseconds(5000));
    std::this_thread::sleep_for(milliseconds(200));
    return window;
  }

  RunningProgram program{ProgramPath()};
  HWND label = nullptr;
};

TEST_F(DescriptionWindowInTheProgram, TwoPressesOpenOneWindowAndBringItToTheFront) {
  HWND window = Press();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(IsAt(window, CentredPlace()));
  EXPECT_EQ(GetForegroundWindow(), window);
  EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr);

  BringToFront(program.Main());
  ASSERT_TRUE(
      PumpUntil([&] { return GetForegroundWindow() == program.Main(); }, milliseconds(3000)));
  Press();
  EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == window; }, milliseconds(3000)));
  EXPECT_EQ(program.Descriptions(), std::vector<HWND>{window});
}

TEST_F(DescriptionWindowInTheProgram, APressRestoresItWhenMinimised) {
  HWND window = Press();
  ASSERT_NE(window, nullptr);
  ShowWindow(window, SW_MINIMIZE);
  ASSERT_TRUE(PumpUntil([&] { return IsIconic(window) != FALSE; }, milliseconds(3000)));
  Press();
  EXPECT_TRUE(PumpUntil([&] { return !IsIconic(window); }, milliseconds(3000)));
  EXPECT_TRUE(IsAt(window, CentredPlace()));
  EXPECT_EQ(program.Descriptions(), std::vector<HWND>{window});
}

TEST_F(DescriptionWindowInTheProgram, MovedClosedAndOpenedAgainItIsCentredAgain) {
  HWND window = Press();
  ASSERT_NE(window, nullptr);
  SetWindowPos(window, nullptr, 20, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ASSERT_TRUE(IsAt(window, {20, 30, 20 + 313, 30 + 229}));
  // A press while it is open leaves it where the user put it.
  Press();
  EXPECT_TRUE(IsAt(window, {20, 30, 20 + 313, 30 + 229}));

  RunningProgram::Close(window);
  ASSERT_TRUE(PumpUntil([&] { return !IsWindow(window); }, milliseconds(3000)));
  HWND again = Press();
  ASSERT_NE(again, nullptr);
  EXPECT_TRUE(IsAt(again, CentredPlace()));
}

TEST_F(DescriptionWindowInTheProgram, EscClosesItAndLeavesTheMainWindow) {
  HWND window = Press();
  ASSERT_NE(window, nullptr);
  ASSERT_EQ(GetForegroundWindow(), window);
  PressKey(VK_ESCAPE);
  EXPECT_TRUE(PumpUntil([&] { return !IsWindow(window); }, milliseconds(3000)));
  EXPECT_TRUE(IsWindowVisible(program.Main()));
  EXPECT_EQ(program.WaitForExit(milliseconds(500)), std::nullopt);
}

TEST_F(DescriptionWindowInTheProgram, TheProgramRunsUntilBothWindowsAreClosed) {
  HWND window = Press();
  ASSERT_NE(window, nullptr);
  HWND main = program.Main();
  RunningProgram::Close(main);
  ASSERT_TRUE(PumpUntil([&] { return !IsWindow(main); }, milliseconds(3000)));
  EXPECT_EQ(program.WaitForExit(milliseconds(1500)), std::nullopt) << "ended with a window open";
  EXPECT_TRUE(IsWindowVisible(window));

  RunningProgram::Close(window);
  EXPECT_EQ(program.WaitForExit(milliseconds(10000)), 0u);
}

TEST_F(DescriptionWindowInTheProgram, ItOpensAsTheButtonGoesDownNotUp) {
  // Down elsewhere on the window, up on "说明": a release alone opens nothing.
  RECT mainPlace;
  GetWindowRect(program.Main(), &mainPlace);
  BringToFront(program.Main());
  MouseDownAt({mainPlace.left + 4 + 348, mainPlace.top + 23 + 300});
  std::this_thread::sleep_for(milliseconds(100));
  MouseUpAt(CentreOf(label));
  EXPECT_EQ(program.WaitForDescription(milliseconds(1500)), nullptr);

  // Down on "说明": the window is there before the button comes up.
  MouseDownAt(CentreOf(label));
  HWND window = program.WaitForDescription(milliseconds(5000));
  MouseUpAt(CentreOf(label));
  EXPECT_NE(window, nullptr);
}

}  // namespace
}  // namespace wc::testing
