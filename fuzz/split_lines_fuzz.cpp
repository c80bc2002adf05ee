// SplitLines against a byte-by-byte reference: the same words in the same order, and the list
// asks its memory for exactly the bytes its words hold.

#include <algorithm>
#include <vector>

#include "columns/split_lines.h"
#include "fuzz_support.h"

namespace {

using wc::fuzz::Require;

class RecordedMemory final : public wc::ListMemory {
 public:
  bool Grant(std::size_t bytes) override {
    asked.push_back(bytes);
    return true;
  }
  std::vector<std::size_t> asked;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text = wc::fuzz::AsText(data, size);
  const std::vector<std::string> expected = wc::fuzz::ReferenceLines(text);

  RecordedMemory memory;
  const wc::WordListPtr list = wc::SplitLines(text, memory);
  Require(list->Count() == static_cast<std::int32_t>(expected.size()), "word count");
  std::size_t bytes = 0;
  for (std::size_t i = 0; i < expected.size(); ++i) {
    Require(list->At(static_cast<std::int32_t>(i + 1)) == expected[i], "word bytes");
    bytes += expected[i].size();
  }
  Require(std::find(memory.asked.begin(), memory.asked.end(), bytes) != memory.asked.end(),
          "the words' bytes are asked for before they are taken");
  return 0;
}
