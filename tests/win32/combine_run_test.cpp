// The combination run in the real program: WordCombiner.exe as a process of its own, driven
// through its window's messages as another program (or a user's hand) would.

// <commctrl.h> needs the types of <windows.h> before it.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <optional>
#include <string>

#include "ui/controls.h"
#include "win32/program_driver.h"
#include "win32/win32_support.h"

namespace wc::testing {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// Words of fixed length make every line 9 bytes, so the text length tells how many lines the
// box holds without reading it: "w123" + "x45" + CR LF.
constexpr std::size_t kLineBytes = 9;

// WordCombiner.exe on its own, its buttons pressed through their messages.
class CombiningProgram : public RunningProgram {
 public:
  CombiningProgram() : RunningProgram(ProgramPath()) {}

  HWND Window(Control c) const { return ControlWindow(c); }
  void Press(Control c) { SendMessageA(Window(c), BM_CLICK, 0, 0); }

  // The length of the result box, and how long the window took to answer; empty when it did
  // not answer within `limit`.
  struct Answer {
    std::size_t length;
    Clock::duration took;
  };
  std::optional<Answer> AskResultLength(milliseconds limit) {
    DWORD_PTR length = 0;
    const auto start = Clock::now();
    if (!SendMessageTimeoutA(Window(Control::编辑框_结果), WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL,
                             static_cast<UINT>(limit.count()), &length)) {
      return std::nullopt;
    }
    return Answer{static_cast<std::size_t>(length), Clock::now() - start};
  }

  // Columns 1 and 2 with words of fixed length, column 2 ticked.
  void PrepareColumns() {
    Enter(Control::编辑框_第一列, NumberedWords("w", 1000, 3));
    Enter(Control::编辑框_第二列, NumberedWords("x", 100, 2));
    Press(Control::选择框_第二列);
  }
};

std::size_t CountLines(const std::string& text) {
  std::size_t lines = 0;
  for (std::size_t at = 0; (at = text.find("\r\n", at)) != std::string::npos; at += 2) ++lines;
  return lines;
}

double Seconds(Clock::duration d) {
  return std::chrono::duration<double>(d).count();
}

// The whole run through the program's own message loop: exactly `lines` lines, the bar at its
// end, and the window answering all the way through. Prints how long it took.
void RunThroughTheProgram(int lines) {
  CombiningProgram program;
  ASSERT_TRUE(program.Ready()) << "the main window did not appear";
  program.PrepareColumns();
  ASSERT_EQ(program.Text(Control::标签_第一列), "1000个");
  program.Enter(Control::编辑框_输出条数, std::to_string(lines));

  const std::size_t expected = static_cast<std::size_t>(lines) * kLineBytes;
  const auto start = Clock::now();
  program.Press(Control::按钮_输出);
  Clock::duration longest{};
  int answersDuringRun = 0;
  bool changedDuringRun = false;
  for (;;) {
    const std::optional<CombiningProgram::Answer> answer =
        program.AskResultLength(milliseconds(60000));
    ASSERT_TRUE(answer) << "the window stopped answering";
    longest = std::max(longest, answer->took);
    if (answer->length == expected) break;
    ASSERT_LT(answer->length, expected);
    ++answersDuringRun;
    if (!changedDuringRun && answer->length > 0) {
      // The user fills another column meanwhile: its list and label follow at once.
      program.Enter(Control::编辑框_第三列, "a\r\nb\r\nc");
      changedDuringRun = program.Text(Control::标签_第三列) == "3个" &&
                         program.AskResultLength(milliseconds(60000)).value().length < expected;
    }
    Sleep(5);
  }
  const Clock::duration total = Clock::now() - start;
  std::printf("[ measure  ] %d lines shown in %.2f s; longest wait for an answer %.1f ms\n", lines,
              Seconds(total), Seconds(longest) * 1000);

  EXPECT_GT(answersDuringRun, 0);
  EXPECT_TRUE(changedDuringRun) << "a column change during the run did not take effect at once";
  EXPECT_EQ(CountLines(program.Text(Control::编辑框_结果)), static_cast<std::size_t>(lines));
  HWND bar = program.Window(Control::进度条1);
  EXPECT_EQ(SendMessageA(bar, PBM_GETRANGE, FALSE, 0), std::min(lines, 32767));
  EXPECT_EQ(SendMessageA(bar, PBM_GETPOS, 0, 0), std::min(lines, 32767));

  PostMessageA(program.Main(), WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitForExit(milliseconds(30000)), 0u);
}

TEST(CombineRunInTheProgram, MoreLinesThanTheBarHolds) {
  RunThroughTheProgram(40000);
}

TEST(CombineRunInTheProgram, AHundredThousandLines) {
  RunThroughTheProgram(100000);
}

// Minutes under Wine, so only on request: wc_win32_tests.exe --gtest_also_run_disabled_tests
// --gtest_filter=CombineRunInTheProgram.*
TEST(CombineRunInTheProgram, DISABLED_AMillionLines) {
  RunThroughTheProgram(1000000);
}

TEST(CombineRunInTheProgramEnd, ClosingTheWindowDuringARunEndsTheProgramWithZero) {
  CombiningProgram program;
  ASSERT_TRUE(program.Ready()) << "the main window did not appear";
  program.PrepareColumns();
  program.Enter(Control::编辑框_输出条数, "2000000000");
  program.Press(Control::按钮_输出);
  const auto deadline = Clock::now() + milliseconds(30000);
  std::optional<CombiningProgram::Answer> answer;
  while ((answer = program.AskResultLength(milliseconds(30000))) && answer->length == 0) {
    ASSERT_LT(Clock::now(), deadline) << "the run showed no line";
    Sleep(10);
  }
  ASSERT_TRUE(answer) << "the window stopped answering";
  PostMessageA(program.Main(), WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitForExit(milliseconds(30000)), 0u);
}

}  // namespace
}  // namespace wc::testing
