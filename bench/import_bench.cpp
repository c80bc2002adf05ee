// What the program itself spends on a big file dropped on a column: the end-mark scan and the
// cut into the column's word list. Under Wine the column box's own handling of the text costs
// far more (see the BigInputs tests); this is the part that is ours.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "columns/file_drop.h"
#include "columns/split_lines.h"

namespace wc {
namespace {

// A word file of `bytes` bytes or a little more, 13 bytes a line: "词语" + 7 digits + CR LF.
std::string WordFile(std::size_t bytes) {
  std::string text;
  text.reserve(bytes + 16);
  char word[32];
  for (int i = 0; text.size() < bytes; ++i) {
    std::snprintf(word, sizeof word, "词语%07d\r\n", i);
    text += word;
  }
  return text;
}

void BM_ImportDroppedText(benchmark::State& state) {
  const std::string file = WordFile(static_cast<std::size_t>(state.range(0)) << 20);
  std::int32_t words = 0;
  std::size_t listBytes = 0;
  for (auto _ : state) {
    const WordListPtr list = SplitLines(TextBeforeEndMark(file));
    words = list->Count();
    // The list holds its words' bytes and one 8-byte end per word.
    listBytes = 0;
    for (std::int32_t i = 1; i <= words; ++i) listBytes += list->At(i).size() + 8;
    benchmark::DoNotOptimize(list.get());
  }
  state.counters["words"] = words;
  state.counters["list_MB"] = static_cast<double>(listBytes) / (1 << 20);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.size()));
}

BENCHMARK(BM_ImportDroppedText)->ArgName("MB")->Arg(1)->Arg(20)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace wc
