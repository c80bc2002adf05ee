#pragma once
// Where a word list takes its memory. A column can hold a file of any size, so running out is
// a real case, and a fatal one: the program cannot keep a column whose list it could not
// build. The seam lets the tests make it happen.

#include <cstddef>

namespace wc {

class ListMemory {
 public:
  virtual ~ListMemory() = default;
  // Asked before a word list takes `bytes`; false when they cannot be had.
  virtual bool Grant(std::size_t bytes) = 0;
};

// The heap. It grants every request; whether the heap really has the bytes shows when the
// list takes them, and a refusal there is handled the same way.
ListMemory& HeapListMemory();

// The request that could not be met.
struct OutOfListMemory {
  std::size_t bytes;
};

}  // namespace wc
