#include "combine/engine.h"

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

LineSet::LineSet() {
  Clear();
}

void LineSet::Clear() {
  bytes_.clear();
  slots_.assign(1024, Slot{0, kEmpty, 0});
  size_ = 0;
}

void LineSet::AddLinesOf(std::string_view text) {
  ForEachLine(text,
              [&](std::size_t begin, std::size_t end) { Insert(text.substr(begin, end - begin)); });
}

bool LineSet::Insert(std::string_view line) {
  assert(line.size() < kEmpty && "a line longer than the set can index");
  const std::size_t hash = std::hash<std::string_view>{}(line);
  const auto tag = static_cast<std::uint32_t>(hash >> 32);
  const std::size_t mask = slots_.size() - 1;
  std::size_t index = hash & mask;
  for (;; index = (index + 1) & mask) {
    Slot& slot = slots_[index];
    if (slot.length == kEmpty) break;
    if (slot.hash == tag && slot.length == line.size() &&
        std::string_view(bytes_).substr(slot.offset, slot.length) == line) {
      return false;
    }
  }
  slots_[index] = {bytes_.size(), static_cast<std::uint32_t>(line.size()), tag};
  bytes_.append(line);
  if (++size_ * 2 > slots_.size()) Grow();
  return true;
}

void LineSet::Grow() {
  std::vector<Slot> old(slots_.size() * 2, Slot{0, kEmpty, 0});
  old.swap(slots_);
  const std::size_t mask = slots_.size() - 1;
  for (const Slot& slot : old) {
    if (slot.length == kEmpty) continue;
    const std::string_view line = std::string_view(bytes_).substr(slot.offset, slot.length);
    std::size_t index = std::hash<std::string_view>{}(line)&mask;
    while (slots_[index].length != kEmpty) index = (index + 1) & mask;
    slots_[index] = slot;
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
