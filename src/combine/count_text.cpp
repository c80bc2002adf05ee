#include "combine/count_text.h"

#include <string>

#include "text/dbcs.h"

namespace wc {

namespace {

// The text with every full-width form of a printable ASCII character replaced by that
// character and the ideographic space by a space; other double-byte characters stay, a lead
// byte without its second byte goes.
std::string FoldFullWidth(std::string_view text) {
  std::string folded;
  folded.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    if (!IsLeadByte(text[pos])) {
      folded.push_back(text[pos++]);
      continue;
    }
    if (pos + 1 == text.size()) break;
    const auto lead = static_cast<unsigned char>(text[pos]);
    const auto trail = static_cast<unsigned char>(text[pos + 1]);
    if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
      folded.push_back(static_cast<char>(trail - 0x80));
    } else if (lead == 0xA1 && trail == 0xA1) {
      folded.push_back(' ');
    } else {
      folded.append(text.substr(pos, 2));
    }
    pos += 2;
  }
  return folded;
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

std::int32_t CountFromText(std::string_view text) {
  const std::string folded = FoldFullWidth(text);
  std::size_t pos = 0;
  while (pos < folded.size() && IsBlank(folded[pos])) ++pos;
  bool negative = false;
  if (pos < folded.size() && (folded[pos] == '+' || folded[pos] == '-')) {
    negative = folded[pos] == '-';
    ++pos;
  }
  // Unsigned arithmetic is the 32-bit two's-complement wrap without undefined behaviour.
  std::uint32_t value = 0;
  for (; pos < folded.size() && folded[pos] >= '0' && folded[pos] <= '9'; ++pos) {
    value = value * 10u + static_cast<std::uint32_t>(folded[pos] - '0');
  }
  if (negative) value = 0u - value;
  return static_cast<std::int32_t>(value);
}

}  // namespace wc
