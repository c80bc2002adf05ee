#include "combine/count_text.h"

#include <gtest/gtest.h>

#include <string>

namespace wc {
namespace {

struct CountCase {
  std::string text;
  std::int32_t value;
};

void PrintTo(const CountCase& c, std::ostream* os) {
  *os << c.text;
}

class CountFromTextTable : public ::testing::TestWithParam<CountCase> {};

TEST_P(CountFromTextTable, Converts) {
  EXPECT_EQ(CountFromText(GetParam().text), GetParam().value) << "text: " << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Refused, CountFromTextTable,
                         ::testing::Values(CountCase{"", 0}, CountCase{"0", 0}, CountCase{"-3", -3},
                                           CountCase{"abc", 0}, CountCase{"0x10", 0},
                                           CountCase{"- 5", 0}, CountCase{"+-5", 0},
                                           CountCase{"\xA3\xAD"
                                                     "5",
                                                     -5},  // full-width minus
                                           CountCase{"2147483648", -2147483647 - 1},
                                           CountCase{"4294967296", 0}));

INSTANTIATE_TEST_SUITE_P(
    Accepted, CountFromTextTable,
    ::testing::Values(CountCase{"12abc", 12}, CountCase{"  7", 7}, CountCase{"3.9", 3},
                      CountCase{"+5", 5}, CountCase{"\xA3\xB5", 5},  // full-width 5
                      CountCase{"\xA1\xA1"
                                "5",
                                5},                       // ideographic space
                      CountCase{"\xA3\xB1\xA3\xB2", 12},  // full-width 1 2
                      CountCase{"\t\r\n\v\f 9", 9}, CountCase{"4294967301", 5},
                      CountCase{"2147483647", 2147483647},
                      CountCase{"99999999999", 1215752191},  // wraps, stays above 0
                      CountCase{"-4294967295", 1}));

INSTANTIATE_TEST_SUITE_P(OtherDoubleByteCharacters, CountFromTextTable,
                         ::testing::Values(CountCase{"5\xA3",
                                                     5},  // a lead byte at the end is dropped
                                           CountCase{"\xB0\xA1"
                                                     "5",
                                                     0},  // 啊 is no blank
                                           CountCase{"5\xB0\xA1"
                                                     "5",
                                                     5},
                                           // 0x81 0x35: its second byte is no digit of the number
                                           CountCase{"\x81"
                                                     "5",
                                                     0}));

}  // namespace
}  // namespace wc
