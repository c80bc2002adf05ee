#include "columns/split_lines.h"

#include <new>
#include <stdexcept>

#include "text/lines.h"

namespace wc {

namespace {

class ListMemoryOnHeap final : public ListMemory {
 public:
  bool Grant(std::size_t) override { return true; }
};

}  // namespace

ListMemory& HeapListMemory() {
  static ListMemoryOnHeap heap;
  return heap;
}

class WordListBuilder {
 public:
  explicit WordListBuilder(ListMemory& memory) : memory_(memory) {}

 private:
  // Asks for `bytes`, then lets `allocate` take them; a refusal of either ends the build.
  template <typename AllocateFn>
  auto Obtain(std::size_t bytes, AllocateFn allocate) {
    if (!memory_.Grant(bytes)) throw OutOfListMemory{bytes};
    try {
      return allocate();
    } catch (const std::bad_alloc&) {
      throw OutOfListMemory{bytes};
    } catch (const std::length_error&) {
      throw OutOfListMemory{bytes};
    }
  }

 public:
  WordListPtr Build(std::string_view text) {
    std::size_t members = 0;
    std::size_t bytes = 0;
    ForEachLine(text, [&](std::size_t begin, std::size_t end) {
      ++members;
      bytes += end - begin;
    });

    // Sized up front: a list of any length costs three requests, and the fill cannot fail.
    auto list = Obtain(sizeof(WordList), [] { return std::make_shared<WordList>(); });
    Obtain(members * sizeof(std::size_t), [&] { list->ends_.reserve(members); });
    Obtain(bytes, [&] { list->bytes_.reserve(bytes); });
    ForEachLine(text, [&](std::size_t begin, std::size_t end) {
      list->bytes_.append(text.substr(begin, end - begin));
      list->ends_.push_back(list->bytes_.size());
    });
    return list;
  }

 private:
  ListMemory& memory_;
};

WordListPtr SplitLines(std::string_view text, ListMemory& memory) {
  return WordListBuilder(memory).Build(text);
}

}  // namespace wc
