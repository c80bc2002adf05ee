#include "columns/split_lines.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace wc {
namespace {

std::vector<std::string> Members(const WordList& list) {
  std::vector<std::string> members;
  for (std::int32_t p = 1; p <= list.Count(); ++p) members.emplace_back(list.At(p));
  return members;
}

struct SplitCase {
  const char* name;
  std::string text;
  std::vector<std::string> members;
};

void PrintTo(const SplitCase& c, std::ostream* os) {
  *os << c.name;
}

class SplitLinesTable : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitLinesTable, GivesExactlyTheseMembers) {
  const SplitCase& c = GetParam();
  const WordListPtr list = SplitLines(c.text);
  EXPECT_EQ(list->Count(), static_cast<std::int32_t>(c.members.size()));
  EXPECT_EQ(Members(*list), c.members);
}

INSTANTIATE_TEST_SUITE_P(
    , SplitLinesTable,
    ::testing::Values(SplitCase{"Empty", "", {}}, SplitCase{"OneWord", "a", {"a"}},
                      SplitCase{"TextEndingInCrLfGetsNoEmptyLastMember", "a\r\n", {"a"}},
                      SplitCase{"LoneCrLfIsOneEmptyWord", "\r\n", {""}},
                      SplitCase{"TwoCrLfsAreTwoEmptyWords", "\r\n\r\n", {"", ""}},
                      SplitCase{"EmptyWordBetween", "a\r\n\r\nb", {"a", "", "b"}},
                      SplitCase{"EmptyWordBeforeTheEnd", "a\r\nb\r\n\r\n", {"a", "b", ""}},
                      SplitCase{"LoneLfIsPartOfTheWord", "a\nb", {"a\nb"}},
                      SplitCase{"CrBeforeCrLfStaysInTheWord", "a\r\r\nb", {"a\r", "b"}},
                      SplitCase{"SpacesAndTabsAreKept", " a \r\n\tb\t", {" a ", "\tb\t"}},
                      SplitCase{"DoubleByteWordsPassUnchanged", "苹果\r\n手机", {"苹果", "手机"}},
                      // 0x81 takes the CR as its second byte, so no line ends there.
                      SplitCase{
                          "CrAfterALeadByteIsNoLineEnd", "\x81\r\nb\r\nc", {"\x81\r\nb", "c"}},
                      SplitCase{"LeadByteAtTheEndIsKept", "a\r\n\x81", {"a", "\x81"}}),
    [](const ::testing::TestParamInfo<SplitCase>& info) { return info.param.name; });

// Refuses the request it is told to and records what was asked.
class CountedMemory : public ListMemory {
 public:
  explicit CountedMemory(int refuse) : refuse_(refuse) {}
  bool Grant(std::size_t bytes) override {
    asked.push_back(bytes);
    return static_cast<int>(asked.size()) != refuse_;
  }
  std::vector<std::size_t> asked;

 private:
  int refuse_;
};

TEST(SplitLines, ARefusedRequestStopsTheBuildWithItsSize) {
  for (int refuse = 1; refuse <= 3; ++refuse) {
    CountedMemory memory(refuse);
    try {
      SplitLines("ab\r\ncde", memory);
      ADD_FAILURE() << "request " << refuse << " refused, yet a list was built";
    } catch (const OutOfListMemory& failure) {
      ASSERT_EQ(memory.asked.size(), static_cast<std::size_t>(refuse));
      EXPECT_EQ(failure.bytes, memory.asked.back());
    }
  }
}

TEST(SplitLines, AsksForTheBytesOfItsWords) {
  CountedMemory memory(0);
  SplitLines("ab\r\ncde\r\n", memory);
  EXPECT_THAT(memory.asked, ::testing::Contains(5u));
}

}  // namespace
}  // namespace wc
