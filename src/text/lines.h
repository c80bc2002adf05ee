#pragma once
// Cutting a text into its lines at CR LF, with the double-byte rule: the second byte of a
// double-byte character is never the CR of a line end.

#include <cstddef>
#include <string_view>

#include "text/dbcs.h"

namespace wc {

// Calls `line(begin, end)` for every line of `text` in order: the pieces before each CR LF,
// then the rest when there is any. A text ending in CR LF has no empty line after it.
template <typename LineFn>
void ForEachLine(std::string_view text, LineFn line) {
  std::size_t start = 0;
  std::size_t pos = 0;
  while (text.size() - pos >= 2) {
    if (text[pos] == '\r' && text[pos + 1] == '\n') {
      line(start, pos);
      pos += 2;
      start = pos;
    } else {
      pos += IsLeadByte(text[pos]) ? 2 : 1;
    }
  }
  if (start < text.size()) line(start, text.size());
}

}  // namespace wc
