#include "combine/engine.h"

#include <algorithm>
#include <cassert>
#include <functional>

#include "combine/random.h"
#include "text/lines.h"

namespace wc {

void PassEngine::Use(ColumnInputs inputs) {
  inputs_ = std::move(inputs);
  drawnCount_ = 0;
  for (std::size_t column = 0; column < inputs_.lists.size(); ++column) {
    const WordList* list = inputs_.lists[column].get();
    // Column 1 takes part whatever its box says; without words it adds the empty word.
    const bool takesPart = column == 0 || inputs_.included[column];
    if (takesPart && list != nullptr && list->Count() > 0) {
      drawn_[drawnCount_++] = {list, list->Count()};
    }
  }
}

void PassEngine::Pass(LineBatch& out) {
  for (std::size_t i = 0; i < drawnCount_; ++i) {
    const Drawn& column = drawn_[i];
    out.bytes_.append(column.list->At(RandomBetween(1, column.count)));
  }
  out.bytes_.append("\r\n", 2);
  out.ends_.push_back(out.bytes_.size());
}

LineSet::LineSet() : slots_(1024, Slot{0, 0}) {}

void LineSet::Clear() {
  bytes_.clear();
  ends_.clear();
  std::fill(slots_.begin(), slots_.end(), Slot{0, 0});
}

void LineSet::AddLinesOf(std::string_view text) {
  ForEachLine(text,
              [&](std::size_t begin, std::size_t end) { Insert(text.substr(begin, end - begin)); });
}

bool LineSet::Insert(std::string_view line) {
  const std::size_t hash = std::hash<std::string_view>{}(line);
  const auto tag = static_cast<std::uint32_t>(hash >> 32);
  const std::size_t mask = slots_.size() - 1;
  std::size_t index = hash & mask;
  for (;; index = (index + 1) & mask) {
    const Slot& slot = slots_[index];
    if (slot.line == 0) break;
    if (slot.tag == tag && Line(slot.line) == line) return false;
  }
  assert(ends_.size() < 0xFFFFFFFFu && "more lines than a slot can number");
  bytes_.append(line);
  ends_.push_back(bytes_.size());
  slots_[index] = {tag, static_cast<std::uint32_t>(ends_.size())};
  if (ends_.size() * 2 > slots_.size()) Grow();
  return true;
}

void LineSet::Place(std::size_t hash, std::uint32_t line) {
  const std::size_t mask = slots_.size() - 1;
  std::size_t index = hash & mask;
  while (slots_[index].line != 0) index = (index + 1) & mask;
  slots_[index] = {static_cast<std::uint32_t>(hash >> 32), line};
}

void LineSet::Grow() {
  // The slots keep only half of each hash; the lines, read in order, give the rest again.
  slots_.assign(slots_.size() * 2, Slot{0, 0});
  for (std::uint32_t line = 1; line <= ends_.size(); ++line) {
    Place(std::hash<std::string_view>{}(Line(line)), line);
  }
}

void AppendNewLines(const LineBatch& batch, std::size_t first, std::size_t last, LineSet& seen,
                    std::string& out) {
  for (std::size_t i = first; i < last; ++i) {
    const std::string_view line = batch.Line(i);
    if (seen.Insert(line)) {
      out.append(line);
      out.append("\r\n", 2);
    }
  }
}

}  // namespace wc
