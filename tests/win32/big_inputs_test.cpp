// WordCombiner.exe with the biggest inputs a user throws at it: a 20 MB word file dropped on a
// column, a column of 100,000 words, a million passes with 去重 ticked, and a million-line
// result copied and exported. Nothing may crash, lose a word or leave the window frozen; each
// test prints how long the window went without answering and the program's peak memory.

#include <windows.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <string_view>
#include <thread>
#include <unordered_set>

#include "win32/drag_source.h"
#include "win32/program_driver.h"
#include "win32/win32_support.h"

namespace wc::testing {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

double Megabytes(std::size_t bytes) {
  return static_cast<double>(bytes) / (1024.0 * 1024.0);
}

class BigInputs : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(program_.Ready()) << "the main window did not appear";
    startMemory_ = program_.PeakMemory().value_or(0);
  }

  void TearDown() override {
    if (!program_.Ready()) return;
    RunningProgram::Close(program_.Main());
    EXPECT_EQ(program_.WaitForExit(milliseconds(60000)), 0u);
  }

  HWND Box(Control c) const { return program_.ControlWindow(c); }

  std::size_t ResultLength() const {
    return static_cast<std::size_t>(
        SendMessageA(Box(Control::编辑框_结果), WM_GETTEXTLENGTH, 0, 0));
  }

  void AnswerNotice() {
    HWND notice = program_.WaitForNotice(milliseconds(10000));
    ASSERT_NE(notice, nullptr) << "no notice came";
    PostMessageA(notice, WM_COMMAND, IDOK, 0);
    for (int i = 0; i < 500 && IsWindow(notice); ++i) Sleep(10);
  }

  // Types the count, presses 随机组合 and waits for the run to end: for `expected` bytes when
  // the result's length is known, else until the box has stopped growing for a while, where
  // its batches come every few tens of milliseconds.
  std::string RunToTheEnd(const std::string& count, std::optional<std::size_t> expected = {}) {
    program_.Enter(Control::编辑框_输出条数, count);
    program_.Click(Control::按钮_输出);
    const auto start = Clock::now();
    std::size_t length = 0;
    auto lastGrowth = Clock::now();
    const milliseconds quiet(expected ? 1000 : 8000);
    while (Clock::now() - lastGrowth < quiet || (expected && length < *expected)) {
      if (Clock::now() - start > std::chrono::minutes(8)) {
        ADD_FAILURE() << "the run did not end";
        break;
      }
      Sleep(100);
      const std::size_t now = ResultLength();
      if (now != length) {
        length = now;
        lastGrowth = Clock::now();
      }
    }
    std::string result = program_.Result();
    EXPECT_EQ(result.size(), length);
    return result;
  }

  // 复制 puts the whole result and its NUL on the clipboard; 导出 writes exactly its bytes.
  void ExpectCopiedAndExported(const std::string& result) {
    if (OpenClipboard(nullptr)) {
      EmptyClipboard();
      CloseClipboard();
    }
    program_.Click(Control::按钮_复制);
    std::optional<std::string> copied;
    for (int i = 0; i < 600 && !(copied = ClipboardText()); ++i) Sleep(50);
    ASSERT_TRUE(copied.has_value()) << "nothing reached the clipboard";
    EXPECT_TRUE(*copied == result + '\0') << "the clipboard differs from the box";

    program_.Click(Control::按钮_导出);
    AnswerNotice();
    const std::optional<std::string> exported = ReadWholeFile(copy_.ExportFile());
    ASSERT_TRUE(exported.has_value()) << "no export file";
    EXPECT_TRUE(*exported == result) << "the export file differs from the box";
  }

  void Report(const char* what, std::size_t textBytes, Clock::duration took,
              const AnswerWatch& watch) {
    const std::size_t peak = program_.PeakMemory().value_or(0);
    std::printf(
        "[ measure  ] %s: %.1f MB of text in %.1f s; peak memory %.1f MB (%.1f MB at start); "
        "longest without answering %lld ms\n",
        what, Megabytes(textBytes), std::chrono::duration<double>(took).count(), Megabytes(peak),
        Megabytes(startMemory_), static_cast<long long>(watch.Longest().count()));
    EXPECT_TRUE(watch.AlwaysAnswered()) << "the window went two minutes without answering";
  }

  ProgramCopy copy_;
  RunningProgram program_{copy_.exe};
  std::size_t startMemory_ = 0;
};

TEST_F(BigInputs, ATwentyMegabyteFileDroppedOnAColumnFillsItWhole) {
  // 13 bytes a line: about 1.6 million words.
  constexpr int kWords = 1613000;
  const std::string content = NumberedWords("词语", kWords, 7);
  ASSERT_GE(content.size(), 20u * 1000 * 1000);
  TempDirectory directory;
  const std::string path = directory.Path() + "\\大词库.txt";
  ASSERT_TRUE(WriteWholeFile(path, content));

  AnswerWatch watch(program_.Main());
  const auto start = Clock::now();
  const std::optional<DWORD> answer = DragOnto(program_, Control::编辑框_第一列, kDragFiles, path);
  ASSERT_TRUE(answer.has_value()) << "the drag never ended";
  // The column has its words at once; the box shows them as it takes them in.
  EXPECT_EQ(program_.Text(Control::标签_第一列), std::to_string(kWords) + "个");
  const auto dropped = Clock::now();
  std::size_t shown = 0;
  while ((shown = static_cast<std::size_t>(SendMessageA(
              Box(Control::编辑框_第一列), WM_GETTEXTLENGTH, 0, 0))) < content.size() &&
         Clock::now() - dropped < std::chrono::minutes(5)) {
    Sleep(200);
  }
  ASSERT_EQ(shown, content.size()) << "the box did not take the whole file in";
  EXPECT_TRUE(program_.Text(Control::编辑框_第一列) == content) << "the box lost or changed bytes";
  const Clock::duration took = Clock::now() - start;
  std::printf("[ measure  ] the drop answered after %.1f s, the box held the file after %.1f s\n",
              std::chrono::duration<double>(dropped - start).count(),
              std::chrono::duration<double>(Clock::now() - start).count());

  // The column takes part in a run: every line is one of its words, and only from its first
  // 32768, the most the draw reaches.
  program_.Enter(Control::编辑框_输出条数, "20000");
  program_.Click(Control::按钮_输出);
  for (int i = 0; i < 3000 && ResultLength() < 20000u * 13; ++i) Sleep(20);
  const std::string result = program_.Result();
  ASSERT_EQ(result.size(), 20000u * 13);
  std::size_t strays = 0;
  for (std::size_t at = 0; at < result.size(); at += 13) {
    const std::string_view line(result.data() + at, 13);
    const bool word = line.substr(0, 4) == "词语" && line.substr(11) == "\r\n" &&
                      std::stoi(std::string(line.substr(4, 7))) < 32768;
    if (!word) ++strays;
  }
  EXPECT_EQ(strays, 0u);
  Report("20 MB file dropped", content.size(), took, watch);
}

TEST_F(BigInputs, AMillionPassesWithDeduplicationOverAHundredThousandWordColumn) {
  AnswerWatch watch(program_.Main());
  const auto start = Clock::now();
  // 100,000 words in column 1 and 10 in column 2. The draw reaches the first 32768 words of a
  // column, so a million passes choose among 327,680 lines: about 312,200 come out, each once,
  // and the other passes repeat a line that 去重 must skip.
  program_.Enter(Control::编辑框_第一列, NumberedWords("甲", 100000, 5));
  ASSERT_EQ(program_.Text(Control::标签_第一列), "100000个");
  program_.Enter(Control::编辑框_第二列, NumberedWords("乙", 10, 1));
  ASSERT_EQ(program_.Text(Control::标签_第二列), "10个");
  program_.Click(Control::选择框_第二列);
  program_.Click(Control::选择框_去重);
  AnswerNotice();
  ASSERT_EQ(SendMessageA(Box(Control::选择框_去重), BM_GETCHECK, 0, 0), BST_CHECKED);
  const std::string result = RunToTheEnd("1000000");

  // 12 bytes a line: 甲 + 5 digits, 乙 + 1 digit, CR LF.
  constexpr std::size_t kLine = 12;
  ASSERT_EQ(result.size() % kLine, 0u);
  const std::size_t lines = result.size() / kLine;
  std::unordered_set<std::string_view> seen;
  seen.reserve(lines);
  std::size_t malformed = 0;
  for (std::size_t at = 0; at < result.size(); at += kLine) {
    const std::string_view line(result.data() + at, kLine);
    if (line.substr(0, 2) != "甲" || line.substr(7, 2) != "乙" || line.substr(10) != "\r\n") {
      ++malformed;
    }
    seen.insert(line);
  }
  EXPECT_EQ(malformed, 0u);
  EXPECT_EQ(seen.size(), lines) << "a line appears twice with 去重 ticked";
  // Give or take a few hundred: far fewer would mean lines that differ were dropped.
  EXPECT_GT(lines, 310000u);
  EXPECT_LT(lines, 314000u);
  std::printf("[ measure  ] %zu lines kept of 1000000 passes\n", lines);
  ExpectCopiedAndExported(result);
  Report("a million passes with de-duplication", result.size(), Clock::now() - start, watch);
}

TEST_F(BigInputs, AMillionLineResultCopiedAndExportedWhole) {
  AnswerWatch watch(program_.Main());
  const auto start = Clock::now();
  // 4 bytes a line: under Wine a clipboard text of 8 MB never reaches another program, while
  // 4 MB does.
  program_.Enter(Control::编辑框_第一列, NumberedWords("", 10, 1));
  program_.Enter(Control::编辑框_第二列, NumberedWords("", 10, 1));
  program_.Click(Control::选择框_第二列);
  const std::string result = RunToTheEnd("1000000", 4000000);
  EXPECT_EQ(result.size(), 4000000u);
  ExpectCopiedAndExported(result);
  Report("a million lines copied and exported", result.size(), Clock::now() - start, watch);
}

}  // namespace
}  // namespace wc::testing
