#include "combine/run.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "app/startup.h"
#include "combine/random.h"
#include "support/naive_run.h"
#include "support/program_fixture.h"

namespace wc::testing {
namespace {

using C = Control;

std::vector<std::string> Numbered(const std::string& stem, int count) {
  std::vector<std::string> words;
  for (int i = 1; i <= count; ++i) words.push_back(stem + std::to_string(i));
  return words;
}

// The lines of a run's result, which ends with a line end.
std::vector<std::string> ResultLines(std::string_view text) {
  EXPECT_TRUE(text.empty() || text.ends_with("\r\n")) << "the result does not end with a line end";
  return LinesOf(text);
}

std::string FirstOccurrences(std::string_view text) {
  std::set<std::string> seen;
  std::string kept;
  for (const std::string& line : ResultLines(text)) {
    if (seen.insert(line).second) kept += line + "\r\n";
  }
  return kept;
}

class CombineRun : public ProgramTest {
 protected:
  CombineRun() { services.tickCount = 4242; }

  void SetColumns(const NaiveInputs& inputs) {
    for (int c = 0; c < kColumnCount; ++c) {
      Type(kColumns[c].box, JoinWords(inputs.columns[c]));
      if (c > 0 && ui->Checked(kColumns[c].includeBox) != (inputs.included[c] ? 1 : 0)) {
        Click(kColumns[c].includeBox);
      }
    }
  }

  // Presses the combine button with this count and returns the seed the run will use; no
  // other run may be seeding meanwhile.
  std::uint32_t Press(std::string_view count) {
    Type(C::编辑框_输出条数, count);
    const std::uint32_t seed = services.tickCount + ProgramSeedCounter().Value();
    Click(C::按钮_输出);
    return seed;
  }
};

struct RefusedCount {
  const char* name;
  std::string text;
};

void PrintTo(const RefusedCount& c, std::ostream* os) {
  *os << c.name;
}

class RefusedCounts : public CombineRun, public ::testing::WithParamInterface<RefusedCount> {};

TEST_P(RefusedCounts, ShowTheMessageAndStartNothing) {
  Type(C::编辑框_第一列, "a\r\nb");
  Type(C::编辑框_结果, "earlier\r\n");
  ui->SetProgressMaximum(C::进度条1, 50);
  ui->SetProgressPosition(C::进度条1, 20);
  Press(GetParam().text);
  ASSERT_EQ(services.messages.size(), 1u);
  EXPECT_EQ(services.messages[0].text, "请输入组合词个数");
  EXPECT_EQ(services.messages[0].title, "提示");
  EXPECT_EQ(services.messages[0].kind, MessageKind::Notice);
  EXPECT_FALSE(RunGoing());
  shell.dispatcher.WaitAndRun(std::chrono::milliseconds(50));
  EXPECT_EQ(Result(), "earlier\r\n");
  EXPECT_EQ(ui->ProgressMaximum(C::进度条1), 50);
  EXPECT_EQ(ui->ProgressShown(C::进度条1), 20);
}

INSTANTIATE_TEST_SUITE_P(, RefusedCounts,
                         ::testing::Values(RefusedCount{"Empty", ""}, RefusedCount{"Zero", "0"},
                                           RefusedCount{"Negative", "-3"},
                                           RefusedCount{"Letters", "abc"},
                                           RefusedCount{"Hex", "0x10"},
                                           RefusedCount{"BlankAfterSign", "- 5"},
                                           RefusedCount{"WrapsNegative", "2147483648"}),
                         [](const auto& info) { return info.param.name; });

struct AcceptedCount {
  const char* name;
  std::string text;
  std::int32_t passes;
};

void PrintTo(const AcceptedCount& c, std::ostream* os) {
  *os << c.name;
}

class AcceptedCounts : public CombineRun, public ::testing::WithParamInterface<AcceptedCount> {};

TEST_P(AcceptedCounts, RunThatManyPasses) {
  Type(C::编辑框_第一列, "a\r\nb");
  Type(C::编辑框_结果, "earlier\r\n");
  Press(GetParam().text);
  EXPECT_TRUE(services.messages.empty());
  FinishRun();
  EXPECT_EQ(ResultLines(Result()).size(), static_cast<std::size_t>(GetParam().passes));
  EXPECT_EQ(ui->ProgressMaximum(C::进度条1), GetParam().passes);
  EXPECT_EQ(ui->ProgressShown(C::进度条1), GetParam().passes);
}

INSTANTIATE_TEST_SUITE_P(, AcceptedCounts,
                         ::testing::Values(AcceptedCount{"TrailingLetters", "12abc", 12},
                                           AcceptedCount{"LeadingBlanks", "  7", 7},
                                           AcceptedCount{"Fraction", "3.9", 3},
                                           AcceptedCount{"Plus", "+5", 5},
                                           AcceptedCount{"FullWidthDigit", "\xA3\xB5", 5},
                                           AcceptedCount{"IdeographicSpace",
                                                         "\xA1\xA1"
                                                         "5",
                                                         5},
                                           AcceptedCount{"Wraps", "4294967301", 5}),
                         [](const auto& info) { return info.param.name; });

struct RunCase {
  const char* name;
  NaiveInputs inputs;
  std::int32_t passes;
};

void PrintTo(const RunCase& c, std::ostream* os) {
  *os << c.name;
}

class RunsMatchTheStraightforwardLoop : public CombineRun,
                                        public ::testing::WithParamInterface<RunCase> {};

TEST_P(RunsMatchTheStraightforwardLoop, WithoutDedupByteForByte) {
  SetColumns(GetParam().inputs);
  const std::uint32_t seed = Press(std::to_string(GetParam().passes));
  FinishRun();
  EXPECT_EQ(Result(), NaiveRun(seed, GetParam().passes, GetParam().inputs));
  EXPECT_EQ(ui->ProgressShown(C::进度条1), std::min(GetParam().passes, 32767));
}

TEST_P(RunsMatchTheStraightforwardLoop, WithDedupKeepingTheFirstOfEveryLine) {
  SetColumns(GetParam().inputs);
  Click(C::选择框_去重);
  const std::uint32_t seed = Press(std::to_string(GetParam().passes));
  FinishRun();
  EXPECT_EQ(Result(), FirstOccurrences(NaiveRun(seed, GetParam().passes, GetParam().inputs)));
  EXPECT_EQ(ui->ProgressShown(C::进度条1), std::min(GetParam().passes, 32767));
}

INSTANTIATE_TEST_SUITE_P(
    , RunsMatchTheStraightforwardLoop,
    ::testing::Values(
        RunCase{
            "OnlyColumnOne", {Numbered("甲", 50), {}, {}, {}, {true, false, false, false}}, 3000},
        RunCase{"AllColumns",
                {Numbered("a", 40),
                 Numbered("b", 7),
                 {"solo"},
                 Numbered("d", 300),
                 {true, true, true, true}},
                50000},
        RunCase{
            "IncludedEmptyAndExcludedFullColumns",
            {Numbered("a", 9), {}, Numbered("c", 4), Numbered("d", 5), {true, true, false, true}},
            20000},
        RunCase{"ColumnOneEmpty", {{}, Numbered("b", 3), {}, {}, {true, true, false, false}}, 100},
        RunCase{"NothingAnywhere", {{}, {}, {}, {}, {true, false, false, false}}, 10},
        RunCase{"MoreThanTheBarHolds",
                {Numbered("a", 1000), {}, {}, {}, {true, false, false, false}},
                40000}),
    [](const auto& info) { return info.param.name; });

TEST_F(CombineRun, EveryRunStartsFromAnEmptyBoxAndSetsTheBarMaximum) {
  Type(C::编辑框_第一列, "a");
  Type(C::编辑框_结果, "earlier\r\n");
  Press("3");
  EXPECT_EQ(Result(), "") << "emptied by the press itself";
  EXPECT_EQ(ui->ProgressMaximum(C::进度条1), 3);
  FinishRun();
  EXPECT_EQ(Result(), "a\r\na\r\na\r\n");
  Press("40000");
  EXPECT_EQ(ui->ProgressMaximum(C::进度条1), 32767);
  FinishRun();
  EXPECT_EQ(ui->ProgressShown(C::进度条1), 32767);
}

TEST_F(CombineRun, AThreadThatCannotStartChangesNothing) {
  Type(C::编辑框_第一列, "a");
  Type(C::编辑框_结果, "earlier\r\n");
  services.threadStartFails = true;
  Press("3");
  EXPECT_FALSE(RunGoing());
  EXPECT_EQ(Result(), "earlier\r\n");
  EXPECT_EQ(ui->ProgressMaximum(C::进度条1), 100);
  EXPECT_TRUE(services.messages.empty());
}

TEST_F(CombineRun, ADedupRunAvoidsTheLinesOfABoxSomeoneElseChanged) {
  SetColumns({Numbered("w", 300), {}, {}, {}, {true, false, false, false}});
  Click(C::选择框_去重);
  Press("60000");
  WaitForFirstLines();
  // The user replaces the result: the lines the run kept so far are gone, one of theirs is in.
  Type(C::编辑框_结果, "w7\r\n");
  FinishRun();
  const std::vector<std::string> lines = ResultLines(Result());
  EXPECT_EQ(std::set<std::string>(lines.begin(), lines.end()).size(), lines.size())
      << "a line appears twice";
  EXPECT_EQ(lines.size(), 300u) << "every word comes back once the box no longer has it";
  EXPECT_EQ(lines.front(), "w7");
}

TEST_F(CombineRun, LinesGoToTheEndOfWhatTheUserLeftInTheBox) {
  const NaiveInputs inputs{Numbered("w", 300), {}, {}, {}, {true, false, false, false}};
  SetColumns(inputs);
  const std::uint32_t seed = Press("30000");
  WaitForFirstLines();
  const auto shown = static_cast<std::size_t>(ui->ProgressShown(C::进度条1));
  ASSERT_LT(shown, 30000u) << "the first batch should not hold the whole run";
  Type(C::编辑框_结果, "mine\r\n");
  FinishRun();
  const std::string all = NaiveRun(seed, 30000, inputs);
  std::size_t cut = 0;
  for (std::size_t i = 0; i < shown; ++i) cut = all.find("\r\n", cut) + 2;
  EXPECT_EQ(Result(), "mine\r\n" + all.substr(cut));
}

TEST_F(CombineRun, ATickedIncludeBoxAppliesToLaterPasses) {
  // Long words make the run wait for the box, so the change reaches it mid-run.
  const std::string pad(100, '.');
  SetColumns({{"a" + pad, "b" + pad}, {"X"}, {}, {}, {true, false, false, false}});
  Press("300000");
  WaitForFirstLines();
  EXPECT_THAT(ResultLines(Result()), ::testing::Each(::testing::Not(::testing::HasSubstr("X"))));
  Click(C::选择框_第二列);
  FinishRun();
  const std::vector<std::string> lines = ResultLines(Result());
  ASSERT_EQ(lines.size(), 300000u);
  EXPECT_THAT(lines.back(), ::testing::EndsWith("X"));
}

TEST_F(CombineRun, ClosingTheWindowStopsTheRunAndDropsWhatItLeftBehind) {
  Type(C::编辑框_第一列, "a\r\nb");
  Press("2000000000");
  WaitForFirstLines();
  router.WindowDestroying(WindowId::主窗口);
  EXPECT_FALSE(RunGoing());
  const std::string atClose = Result();
  shell.dispatcher.WaitAndRun(std::chrono::milliseconds(100));
  shell.dispatcher.RunPending();
  EXPECT_EQ(Result(), atClose);
}

TEST(CombineEnd, TheProgramEndsWhileARunIsGoing) {
  FakeServices services;
  MemoryShell shell(services);
  shell.whileRunning = [&](MemoryControls& ui) {
    ui.UserTypes(C::编辑框_第一列, "a\r\nb");
    ui.UserTypes(C::编辑框_输出条数, "2000000000");
    ui.UserClicks(C::按钮_输出);
    shell.dispatcher.WaitAndRun(std::chrono::milliseconds(200));
  };
  EXPECT_EQ(RunProgram(services, shell), 0);
  EXPECT_THAT(services.log, ::testing::Contains("OleUninitialize"));
}

// Stress: presses in quick succession. Each stops the run before it; the box ends with exactly
// the lines of the last run, none of any other.
TEST_F(CombineRun, APressDuringARunNeverLetsTwoRunsWrite) {
  const NaiveInputs inputs{
      Numbered("a", 30), Numbered("b", 20), {}, {}, {true, true, false, false}};
  SetColumns(inputs);
  for (int press = 0; press < 25; ++press) {
    Press(press % 2 == 0 ? "100000000" : "3000");
    if (press % 3 == 0) WaitForFirstLines();
    shell.dispatcher.RunPending();
  }
  Press("1000000");
  WaitForFirstLines();  // the run before the last has formed its seed
  const std::uint32_t seed = Press("20000");
  FinishRun();
  EXPECT_EQ(Result(), NaiveRun(seed, 20000, inputs));
}

// Stress: the columns change under a run. Every line is made of words of one list each, the
// old or the new, never a position of one list read from another or from a released one.
TEST_F(CombineRun, ListsReplacedDuringARunAreReadWholeAndNeverAfterRelease) {
  // Version v of column 1 has v + 1 words "v.i"; of column 2, 2v + 1 words "/v.i".
  auto version = [](const std::string& prefix, int v, int count) {
    std::vector<std::string> words;
    for (int i = 1; i <= count; ++i)
      words.push_back(prefix + std::to_string(v) + "." + std::to_string(i));
    return words;
  };
  Click(C::选择框_第二列);
  Type(C::编辑框_第一列, JoinWords(version("", 0, 1)));
  Type(C::编辑框_第二列, JoinWords(version("/", 0, 1)));
  Press("400000");
  for (int v = 1; RunGoing(); ++v) {
    Type(C::编辑框_第一列, JoinWords(version("", v % 50, v % 50 + 1)));
    Type(C::编辑框_第二列, JoinWords(version("/", v % 50, 2 * (v % 50) + 1)));
    shell.dispatcher.WaitAndRun(std::chrono::milliseconds(1));
  }
  const std::vector<std::string> lines = ResultLines(Result());
  ASSERT_EQ(lines.size(), 400000u);
  for (const std::string& line : lines) {
    int v1, i1, v2, i2;
    ASSERT_EQ(std::sscanf(line.c_str(), "%d.%d/%d.%d", &v1, &i1, &v2, &i2), 4) << line;
    ASSERT_TRUE(i1 >= 1 && i1 <= v1 + 1) << line;
    ASSERT_TRUE(i2 >= 1 && i2 <= 2 * v2 + 1) << line;
  }
}

}  // namespace
}  // namespace wc::testing
