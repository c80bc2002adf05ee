#pragma once
// What every fuzz target shares: a disagreement with the reference stops the process so that
// libFuzzer reports it and keeps the input that caused it.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace wc::fuzz {

inline void Require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "fuzz check failed: %s\n", what);
  __builtin_trap();
}

inline std::string_view AsText(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// The program's double-byte rule, written out here apart from its own code: a byte of 0x80 or
// above (not GBK's narrower lead-byte table) starts a two-byte character when another byte
// follows it.
inline bool StartsPair(std::string_view text, std::size_t pos) {
  return static_cast<unsigned char>(text[pos]) >= 0x80 && pos + 1 < text.size();
}

// The lines of a box text, byte by byte: CR LF ends a line unless its CR is the second byte of
// a character; whatever follows the last CR LF is a line when it is not empty.
inline std::vector<std::string> ReferenceLines(std::string_view text) {
  std::vector<std::string> lines;
  std::string line;
  std::size_t pos = 0;
  while (pos < text.size()) {
    if (StartsPair(text, pos)) {
      line += text.substr(pos, 2);
      pos += 2;
    } else if (text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n') {
      lines.push_back(line);
      line.clear();
      pos += 2;
    } else {
      line += text[pos];
      pos += 1;
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

}  // namespace wc::fuzz
