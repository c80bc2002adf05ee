#include "app/app.h"

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

void App::ReleaseWords() {
  for (auto& list : words_) list.store(EmptyList());
}

}  // namespace wc
