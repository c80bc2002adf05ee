// WordCombiner.exe as a process of its own: how it starts, shows itself and ends.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "win32/win32_support.h"

namespace wc::testing {
namespace {

using std::chrono::milliseconds;

const std::string kTitle = "青禾词语组合器 V1.0";

HWND FocusedControlOf(HWND window) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
  return info.hwndFocus != nullptr ? info.hwndFocus : window;
}

TEST(Program, ShowsItsWindowAndEndsWithZeroOnEsc) {
  ChildProcess program('"' + ProgramPath() + '"');
  ASSERT_TRUE(program.Started());
  HWND window = WaitForWindow(program.Id(), kTitle, milliseconds(20000));
  ASSERT_NE(window, nullptr);
  EXPECT_FALSE(IsIconic(window));

  // Esc typed into a column box.
  HWND box = FocusedControlOf(window);
  PostMessageA(box, WM_KEYDOWN, VK_ESCAPE, 1);
  const std::optional<DWORD> code = program.WaitForExit(milliseconds(10000));
  ASSERT_TRUE(code.has_value()) << "the program kept running after Esc";
  EXPECT_EQ(*code, 0u);
}

TEST(Program, EndsWithZeroWhenItsWindowIsClosed) {
  ChildProcess program('"' + ProgramPath() + '"');
  HWND window = WaitForWindow(program.Id(), kTitle, milliseconds(20000));
  ASSERT_NE(window, nullptr);
  PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
  const std::optional<DWORD> code = program.WaitForExit(milliseconds(10000));
  ASSERT_TRUE(code.has_value());
  EXPECT_EQ(*code, 0u);
}

TEST(Program, AMainWindowThatCannotLoadIsReportedAndEndsWithMinusOne) {
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  ChildProcess program('"' + std::string(self) + "\" --child=load-failure");
  ASSERT_TRUE(program.Started());
  HWND box = WaitForWindow(program.Id(), "错误", milliseconds(20000));
  ASSERT_NE(box, nullptr) << "no error message was shown";

  // The message box's text is its static control (id 0xFFFF); its icon is the error icon.
  char text[256] = {};
  GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
  EXPECT_STREQ(text, "运行时出错!\r\n\r\n错误信息：载入启动窗口失败\r\n");
  HWND icon = GetDlgItem(box, 0x14);  // the icon's static in Wine's and Windows' message boxes
  if (icon != nullptr) {
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(icon, STM_GETICON, 0, 0)),
              LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_ERROR)));
  }
  EXPECT_FALSE(program.WaitForExit(milliseconds(300)).has_value()) << "ended before OK";

  PostMessageA(box, WM_COMMAND, IDOK, 0);
  const std::optional<DWORD> code = program.WaitForExit(milliseconds(10000));
  ASSERT_TRUE(code.has_value());
  EXPECT_EQ(static_cast<int>(*code), -1);
}

}  // namespace
}  // namespace wc::testing
