// CountFromText against a plain reading of the count box: full-width digits, signs and the
// ideographic space read as their ASCII forms, then white space, a sign and digits, the value
// kept modulo 2^32 and read as a signed 32-bit number.

#include <string>

#include "combine/count_text.h"
#include "fuzz_support.h"

namespace {

// Stands for any double-byte character that is neither a digit, a sign nor a space.
constexpr char kOtherCharacter = '?';

std::string ReferenceFold(std::string_view text) {
  std::string folded;
  for (std::size_t pos = 0; pos < text.size();) {
    if (static_cast<unsigned char>(text[pos]) < 0x80) {
      folded += text[pos++];
      continue;
    }
    if (pos + 1 == text.size()) break;  // a lead byte without its partner reads as nothing
    const auto lead = static_cast<unsigned char>(text[pos]);
    const auto trail = static_cast<unsigned char>(text[pos + 1]);
    pos += 2;
    if (lead == 0xA3 && trail >= 0xB0 && trail <= 0xB9) {
      folded += static_cast<char>('0' + (trail - 0xB0));
    } else if (lead == 0xA3 && trail == 0xAB) {
      folded += '+';
    } else if (lead == 0xA3 && trail == 0xAD) {
      folded += '-';
    } else if (lead == 0xA1 && trail == 0xA1) {
      folded += ' ';
    } else {
      folded += kOtherCharacter;
    }
  }
  return folded;
}

std::int32_t ReferenceCount(std::string_view text) {
  const std::string folded = ReferenceFold(text);
  const std::string blanks = " \t\n\v\f\r";
  std::size_t pos = folded.find_first_not_of(blanks);
  if (pos == std::string::npos) return 0;
  long long sign = 1;
  if (folded[pos] == '+' || folded[pos] == '-') {
    if (folded[pos] == '-') sign = -1;
    ++pos;
  }
  constexpr long long kModulus = 1LL << 32;
  long long value = 0;
  while (pos < folded.size() && folded[pos] >= '0' && folded[pos] <= '9') {
    value = (value * 10 + (folded[pos] - '0')) % kModulus;
    ++pos;
  }
  value = ((sign * value) % kModulus + kModulus) % kModulus;
  if (value >= kModulus / 2) value -= kModulus;
  return static_cast<std::int32_t>(value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text = wc::fuzz::AsText(data, size);
  wc::fuzz::Require(wc::CountFromText(text) == ReferenceCount(text), "count");
  return 0;
}
