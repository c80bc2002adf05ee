#pragma once
// The double-byte rule of the ANSI code page, as every byte scan of the program applies it:
// a byte of 0x80 or above and the byte after it are one character, so its second byte is
// never taken as a separator, a backslash or an end mark. GBK's real lead-byte table is
// narrower; the program deliberately uses this simpler rule everywhere so that all scans agree.

#include <cstddef>
#include <string_view>

namespace wc {

constexpr bool IsLeadByte(char c) {
  return static_cast<unsigned char>(c) >= 0x80;
}

// Length in bytes of the character starting at `pos`: 2 for a lead byte, else 1. A lead byte
// that is the last byte of the text counts as 1 so that a scan never steps past the end.
constexpr std::size_t CharLength(std::string_view text, std::size_t pos) {
  return IsLeadByte(text[pos]) && pos + 1 < text.size() ? 2 : 1;
}

}  // namespace wc
