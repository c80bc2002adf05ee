#include "app/app.h"

#include "combine/run.h"

namespace wc {

namespace {
const WordListPtr& EmptyList() {
  static const WordListPtr empty = std::make_shared<const WordList>();
  return empty;
}
}  // namespace

App::App(Services& s, Shell& sh) : services(s), shell(sh) {
  words_.fill(EmptyList());
}

App::~App() = default;

WordListPtr App::Words(int column) const {
  std::lock_guard lock(wordsMutex_);
  return words_[column];
}

void App::ReplaceWords(int column, WordListPtr list) {
  {
    std::lock_guard lock(wordsMutex_);
    words_[column].swap(list);
  }
  wordsVersion_.fetch_add(1, std::memory_order_release);
  // `list` now holds the old one: released here, outside the lock, unless a run still has it.
}

void App::ReleaseWords() {
  for (int column = 0; column < 4; ++column) ReplaceWords(column, EmptyList());
}

}  // namespace wc
