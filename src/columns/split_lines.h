#pragma once

#include <string_view>

#include "columns/list_memory.h"
#include "columns/word_list.h"

namespace wc {

// The words of a column box: its text cut at every CR LF. A text ending in CR LF gets no empty
// word for the end, an empty text gives no words, anything else at least one. Nothing is
// trimmed, and the second byte of a double-byte character never starts a line end.
// Throws OutOfListMemory when `memory` refuses, or the heap has not, what the list needs.
WordListPtr SplitLines(std::string_view text, ListMemory& memory = HeapListMemory());

}  // namespace wc
