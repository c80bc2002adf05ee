#pragma once
// A column's words: built once from the box text, never changed afterwards, and shared by
// whoever reads it, so a run on another thread can keep the list it took while the column
// box is edited and the column gets a new list.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace wc {

class WordList {
 public:
  WordList() = default;

  std::int32_t Count() const { return static_cast<std::int32_t>(ends_.size()); }
  // 1-based, as the draws count.
  std::string_view At(std::int32_t position) const {
    const std::size_t index = static_cast<std::size_t>(position) - 1;
    const std::size_t begin = index == 0 ? 0 : ends_[index - 1];
    return std::string_view(bytes_).substr(begin, ends_[index] - begin);
  }

 private:
  friend class WordListBuilder;

  // The members' bytes one after another, and where each member ends in them: two blocks
  // however many words a column holds.
  std::string bytes_;
  std::vector<std::size_t> ends_;
};

using WordListPtr = std::shared_ptr<const WordList>;

}  // namespace wc
