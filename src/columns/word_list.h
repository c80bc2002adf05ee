#pragma once
// A column's words: built once from the box text, never changed afterwards, and shared by
// whoever reads it, so a run on another thread can keep the list it took while the column
// box is edited and the column gets a new list.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace wc {

class WordList {
 public:
  WordList() = default;
  explicit WordList(std::vector<std::string> words) : words_(std::move(words)) {}

  std::int32_t Count() const { return static_cast<std::int32_t>(words_.size()); }
  // 1-based, as the draws count.
  const std::string& At(std::int32_t position) const { return words_[position - 1]; }
  const std::vector<std::string>& Words() const { return words_; }

 private:
  std::vector<std::string> words_;
};

using WordListPtr = std::shared_ptr<const WordList>;

}  // namespace wc
