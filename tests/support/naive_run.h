#pragma once
// A combination run written the straightforward way, independent of the program's engine: its
// own generator, its own lists, and a result that is read whole and written back whole for
// every line, with the substring search for repeats. The tests hold the program to its lines;
// the benchmarks measure what the straightforward way costs.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace wc::testing {

// The lines of a box text, cut at every CR LF the straightforward way; a last line without a
// line end is a line too.
inline std::vector<std::string> LinesOf(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string_view::npos;
       start = end + 2) {
    lines.emplace_back(text.substr(start, end - start));
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

struct NaiveInputs {
  NaiveInputs() = default;
  NaiveInputs(std::vector<std::string> c1, std::vector<std::string> c2, std::vector<std::string> c3,
              std::vector<std::string> c4, std::array<bool, 4> includedColumns)
      : columns{std::move(c1), std::move(c2), std::move(c3), std::move(c4)},
        included(includedColumns) {}

  std::array<std::vector<std::string>, 4> columns;
  std::array<bool, 4> included{true, false, false, false};  // column 1 always takes part
};

class NaiveGenerator {
 public:
  explicit NaiveGenerator(std::uint32_t seed) : state_(seed) {}
  // A position from 1 to n; n = 1 takes nothing from the generator.
  std::int32_t Position(std::int32_t n) {
    if (n == 1) return 1;
    state_ = state_ * 214013u + 2531011u;
    const auto output = static_cast<std::int32_t>((state_ >> 16) & 0x7FFF);
    return 1 + output % n;
  }

 private:
  std::uint32_t state_;
};

// Whether `sought` occurs in `text` at a character start, walking double-byte characters as
// one; an empty `sought` occurs in any text but the empty one.
inline bool NaiveContains(std::string_view text, std::string_view sought) {
  if (sought.empty()) return !text.empty();
  std::size_t pos = 0;
  while (text.size() - pos >= sought.size()) {
    if (text.compare(pos, sought.size(), sought) == 0) return true;
    const bool lead = static_cast<unsigned char>(text[pos]) >= 0x80;
    if (lead && pos + 1 == text.size()) return false;
    pos += lead ? 2 : 1;
  }
  return false;
}

enum class BoxAccess {
  WholeText,  // every line reads the whole result and writes it back: the straightforward cost
  Append,     // the same lines, appended: for tests that only want the lines
};

// The result box after a run of `passes` passes seeded with `seed`, starting from the empty box.
inline std::string NaiveRun(std::uint32_t seed, std::int32_t passes, const NaiveInputs& inputs,
                            bool dedup = false, BoxAccess access = BoxAccess::Append) {
  NaiveGenerator generator(seed);
  std::string box;
  for (std::int32_t i = 1; i <= passes; ++i) {
    std::array<std::string, 4> words;
    for (std::size_t c = 0; c < 4; ++c) {
      const std::vector<std::string>& column = inputs.columns[c];
      if ((c == 0 || inputs.included[c]) && !column.empty()) {
        words[c] = column[generator.Position(static_cast<std::int32_t>(column.size())) - 1];
      }
    }
    if (dedup) {
      const std::string result = box;  // read from the box
      if (NaiveContains(result, words[0] + words[1] + words[2] + words[3])) continue;
    }
    if (access == BoxAccess::Append) {
      box += words[0] + words[1] + words[2] + words[3] + "\r\n";
      continue;
    }
    const std::string result = box;                                     // read afresh
    box = result + words[0] + words[1] + words[2] + words[3] + "\r\n";  // written back whole
  }
  return box;
}

// A column text that gives exactly these words, an empty last one included.
inline std::string JoinWords(const std::vector<std::string>& words) {
  std::string text;
  for (const std::string& word : words) text += word + "\r\n";
  return text;
}

}  // namespace wc::testing
