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
  for (auto& list : words_) list.store(EmptyList());
}

App::~App() = default;

void App::ReplaceWords(int column, WordListPtr list) {
  words_[column].store(std::move(list));
  wordsVersion_.fetch_add(1, std::memory_order_release);
}

void App::ReleaseWords() {
  for (auto& list : words_) list.store(EmptyList());
  wordsVersion_.fetch_add(1, std::memory_order_release);
}

}  // namespace wc
