#include "combine/engine.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <unordered_set>
#include <vector>

#include "columns/split_lines.h"
#include "combine/random.h"
#include "support/naive_run.h"

namespace wc {
namespace {

using testing::JoinWords;
using testing::NaiveInputs;
using testing::NaiveRun;

ColumnInputs ToEngine(const NaiveInputs& naive) {
  ColumnInputs inputs;
  for (std::size_t c = 0; c < 4; ++c) {
    inputs.lists[c] = SplitLines(JoinWords(naive.columns[c]));
    inputs.included[c] = naive.included[c];
  }
  return inputs;
}

std::string EngineRun(std::uint32_t seed, std::int32_t passes, const NaiveInputs& naive) {
  SeedRandom(seed);
  PassEngine engine;
  engine.Use(ToEngine(naive));
  LineBatch out;
  for (std::int32_t i = 0; i < passes; ++i) engine.Pass(out);
  return out.Text();
}

std::vector<std::string> Numbered(const std::string& stem, int count) {
  std::vector<std::string> words;
  for (int i = 1; i <= count; ++i) words.push_back(stem + std::to_string(i));
  return words;
}

struct EngineCase {
  const char* name;
  NaiveInputs inputs;
};

void PrintTo(const EngineCase& c, std::ostream* os) {
  *os << c.name;
}

class EngineMatchesTheStraightforwardLoop : public ::testing::TestWithParam<EngineCase> {};

TEST_P(EngineMatchesTheStraightforwardLoop, ByteForByte) {
  for (std::uint32_t seed : {1u, 1332u, 0xDEADBEEFu}) {
    const std::string expected = NaiveRun(seed, 3000, GetParam().inputs);
    ASSERT_EQ(EngineRun(seed, 3000, GetParam().inputs), expected) << "seed " << seed;
  }
}

INSTANTIATE_TEST_SUITE_P(
    , EngineMatchesTheStraightforwardLoop,
    ::testing::Values(
        EngineCase{"OnlyColumnOne", {Numbered("a", 7), {}, {}, {}, {true, false, false, false}}},
        EngineCase{"AllFour",
                   {Numbered("a", 7),
                    Numbered("b", 3),
                    Numbered("c", 100),
                    Numbered("d", 2),
                    {true, true, true, true}}},
        EngineCase{"ExcludedColumnsWithWordsDrawNothing",
                   {Numbered("a", 5),
                    Numbered("b", 3),
                    Numbered("c", 4),
                    Numbered("d", 9),
                    {true, false, true, false}}},
        EngineCase{"IncludedButEmptyColumnsDrawNothing",
                   {Numbered("a", 5), {}, Numbered("c", 4), {}, {true, true, true, true}}},
        EngineCase{"OneWordColumns",
                   {Numbered("a", 6), {"X"}, Numbered("c", 3), {"Y"}, {true, true, true, true}}},
        EngineCase{"ColumnOneWithoutWordsGivesTheEmptyWord",
                   {{}, Numbered("b", 3), {}, {}, {true, true, false, false}}},
        EngineCase{"EverythingEmptyGivesEmptyLines", {{}, {}, {}, {}, {true, true, true, true}}},
        EngineCase{"EmptyWordsAndDoubleByteWords",
                   {{"", "苹果", " 手机\t"}, {"", ""}, {"华为"}, {}, {true, true, true, false}}}),
    [](const ::testing::TestParamInfo<EngineCase>& info) { return info.param.name; });

TEST(PassEngine, AOneWordColumnDoesNotShiftTheOtherColumnsDraws) {
  NaiveInputs without{Numbered("a", 9), {}, Numbered("c", 5), {}, {true, false, true, false}};
  NaiveInputs with = without;
  with.columns[1] = {"X"};
  with.included[1] = true;
  SeedRandom(7u);
  PassEngine plain;
  plain.Use(ToEngine(without));
  LineBatch a;
  for (int i = 0; i < 200; ++i) plain.Pass(a);
  SeedRandom(7u);
  PassEngine withOne;
  withOne.Use(ToEngine(with));
  LineBatch b;
  for (int i = 0; i < 200; ++i) withOne.Pass(b);
  ASSERT_EQ(a.Lines(), b.Lines());
  for (std::size_t i = 0; i < a.Lines(); ++i) {
    const std::string_view line = a.Line(i);
    const std::size_t split = line.find('c');
    EXPECT_EQ(b.Line(i),
              std::string(line.substr(0, split)) + "X" + std::string(line.substr(split)));
  }
}

TEST(PassEngine, OnlyTheFirst32768WordsOfALongColumnComeOut) {
  NaiveInputs inputs{Numbered("", 40000), {}, {}, {}, {true, false, false, false}};
  SeedRandom(5u);
  PassEngine engine;
  engine.Use(ToEngine(inputs));
  LineBatch out;
  for (int i = 0; i < 400000; ++i) engine.Pass(out);
  int highest = 0;
  for (std::size_t i = 0; i < out.Lines(); ++i) {
    highest = std::max(highest, std::stoi(std::string(out.Line(i))));
  }
  EXPECT_EQ(highest, 32768);
}

TEST(PassEngine, NewInputsApplyFromTheNextPass) {
  PassEngine engine;
  engine.Use(ToEngine({{"a"}, {"b"}, {}, {}, {true, false, false, false}}));
  LineBatch out;
  engine.Pass(out);
  engine.Use(ToEngine({{"a"}, {"b"}, {}, {}, {true, true, false, false}}));
  engine.Pass(out);
  EXPECT_EQ(out.Text(), "a\r\nab\r\n");
}

TEST(LineSet, ComparesWholeLines) {
  LineSet set;
  EXPECT_TRUE(set.Insert("苹果手机"));
  EXPECT_TRUE(set.Insert("手机")) << "a line inside a longer one is another line";
  EXPECT_TRUE(set.Insert("机苹")) << "nor does a line across a line break count";
  EXPECT_FALSE(set.Insert("手机"));
  EXPECT_TRUE(set.Insert(""));
  EXPECT_FALSE(set.Insert(""));
  EXPECT_TRUE(set.Insert("手机 ")) << "letters, blanks and case all count";
  EXPECT_EQ(set.Size(), 5u);
}

TEST(LineSet, TakesTheLinesOfABoxText) {
  LineSet set;
  set.AddLinesOf("a\r\n\r\nb\r\ntail");
  EXPECT_FALSE(set.Insert("a"));
  EXPECT_FALSE(set.Insert(""));
  EXPECT_FALSE(set.Insert("b"));
  EXPECT_FALSE(set.Insert("tail")) << "the last line needs no line end";
  EXPECT_TRUE(set.Insert("a\r\nb"));
  set.Clear();
  EXPECT_TRUE(set.Insert("a"));
}

TEST(LineSet, AgreesWithAStandardSetOverManyLines) {
  LineSet set;
  std::unordered_set<std::string> reference;
  SeedRandom(11u);
  for (int i = 0; i < 200000; ++i) {
    // Short lines from a small alphabet: many repeats, many near-misses.
    std::string line(static_cast<std::size_t>(RandomBetween(0, 6)), 'a');
    for (char& c : line) c = static_cast<char>('a' + RandomBetween(0, 3));
    ASSERT_EQ(set.Insert(line), reference.insert(line).second) << "line " << i;
  }
  EXPECT_EQ(set.Size(), reference.size());
}

TEST(AppendNewLines, KeepsTheFirstOfEveryLineAndDropsItsRepeats) {
  NaiveInputs inputs{Numbered("a", 6), Numbered("b", 4), {}, {}, {true, true, false, false}};
  const std::string all = EngineRun(3u, 500, inputs);
  LineBatch batch;
  SeedRandom(3u);
  PassEngine engine;
  engine.Use(ToEngine(inputs));
  for (int i = 0; i < 500; ++i) engine.Pass(batch);
  ASSERT_EQ(batch.Text(), all);

  LineSet seen;
  std::string kept;
  AppendNewLines(batch, 0, 200, seen, kept);
  AppendNewLines(batch, 200, 500, seen, kept);

  std::string expected;
  std::set<std::string> had;
  for (std::size_t i = 0; i < batch.Lines(); ++i) {
    const std::string line(batch.Line(i));
    if (had.insert(line).second) expected += line + "\r\n";
  }
  EXPECT_EQ(kept, expected);
  EXPECT_EQ(had.size(), 24u);
}

TEST(AppendNewLines, KeepsAUniqueLineThatTheSubstringSearchWouldDrop) {
  // With 苹果手机 in the result, the search of the straightforward loop never lets 手机 in.
  NaiveInputs inputs{{"苹果手机", "手机"}, {}, {}, {}, {true, false, false, false}};
  std::uint32_t seed = 1;
  while (NaiveRun(seed, 1, inputs) != "苹果手机\r\n") ++seed;
  EXPECT_EQ(NaiveRun(seed, 200, inputs, true), "苹果手机\r\n");

  SeedRandom(seed);
  PassEngine engine;
  engine.Use(ToEngine(inputs));
  LineBatch batch;
  for (int i = 0; i < 200; ++i) engine.Pass(batch);
  LineSet seen;
  std::string kept;
  AppendNewLines(batch, 0, batch.Lines(), seen, kept);
  EXPECT_EQ(kept, "苹果手机\r\n手机\r\n");
}

}  // namespace
}  // namespace wc
