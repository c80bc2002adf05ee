#pragma once
// The combination engine: the pass loop that makes lines and the set of lines that tells a
// repeated one. No thread, no control: the run feeds it and shows what it makes.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "columns/word_list.h"

namespace wc {

// What the passes draw from. Column 1 always takes part; columns 2 to 4 when their include
// box is ticked. A column whose list has no words adds nothing and draws nothing.
struct ColumnInputs {
  std::array<WordListPtr, 4> lists;
  std::array<bool, 4> included{true, false, false, false};
};

// Lines one after another, each ending in CR LF, and where each ends.
class LineBatch {
 public:
  std::size_t Lines() const { return ends_.size(); }
  std::size_t Bytes() const { return bytes_.size(); }
  bool Empty() const { return ends_.empty(); }
  const std::string& Text() const { return bytes_; }
  // Line `index` (0-based) without its CR LF.
  std::string_view Line(std::size_t index) const {
    const std::size_t begin = index == 0 ? 0 : ends_[index - 1];
    return std::string_view(bytes_).substr(begin, ends_[index] - begin - 2);
  }
  void Clear() {
    bytes_.clear();
    ends_.clear();
  }

 private:
  friend class PassEngine;
  std::string bytes_;
  std::vector<std::size_t> ends_;
};

// Makes the passes of a run with the calling thread's generator. Each pass draws one word of
// every taking-part column that has words, in column order, and joins them with nothing in
// between; a column with one word draws without stepping the generator.
class PassEngine {
 public:
  // The inputs of the passes from here on; the engine keeps the lists alive while it uses them.
  void Use(ColumnInputs inputs);
  // One pass: its line goes to the end of `out`.
  void Pass(LineBatch& out);

 private:
  struct Drawn {
    const WordList* list;
    std::int32_t count;
  };
  ColumnInputs inputs_;
  std::array<Drawn, 4> drawn_{};
  std::size_t drawnCount_ = 0;
};

// The lines a result holds, to tell whether a line is already there. Lines are whole: a line
// inside a longer one, or running across a line break, is a different line. Its cost per line
// does not grow with the result.
class LineSet {
 public:
  LineSet();
  // Empties the set and keeps its memory for the lines to come.
  void Clear();
  // Puts in every line of `text`: its pieces between CR LFs, the last one also without.
  void AddLinesOf(std::string_view text);
  // Puts `line` in; false when it was there already.
  bool Insert(std::string_view line);
  std::size_t Size() const { return ends_.size(); }

 private:
  // Eight bytes a slot: a large set is bound by memory latency, and a small table misses less.
  struct Slot {
    std::uint32_t tag;   // the high half of the line's hash
    std::uint32_t line;  // 1-based number of the line; 0: a free slot
  };
  std::string_view Line(std::uint32_t number) const {
    const std::size_t begin = number == 1 ? 0 : ends_[number - 2];
    return std::string_view(bytes_).substr(begin, ends_[number - 1] - begin);
  }
  void Place(std::size_t hash, std::uint32_t line);
  void Grow();

  std::string bytes_;  // each line once, one after another
  std::vector<std::size_t> ends_;
  std::vector<Slot> slots_;
};

// The lines of `batch` from `first` up to `last` (exclusive) that `seen` does not hold yet,
// each with its CR LF, added to `out` and to `seen`.
void AppendNewLines(const LineBatch& batch, std::size_t first, std::size_t last, LineSet& seen,
                    std::string& out);

}  // namespace wc
