// The combination engine against the straightforward run (read the whole result, search it,
// append, write it back) on the same inputs and seed, in one process so that their ratio holds
// on a busy machine. Run: build/native/wc_bench

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "columns/split_lines.h"
#include "combine/engine.h"
#include "combine/random.h"
#include "support/naive_run.h"

namespace wc {
namespace {

using testing::BoxAccess;
using testing::JoinWords;
using testing::NaiveInputs;
using testing::NaiveRun;

constexpr std::uint32_t kSeed = 20240601;

// Four columns of short Chinese words, as a user would fill them: 1000 x 100 x 50 x 20.
const NaiveInputs& Inputs() {
  static const NaiveInputs inputs = [] {
    const std::vector<std::string> syllables = {"青", "禾", "词", "语", "组", "合", "春",
                                                "风", "山", "水", "云", "月", "花", "田"};
    auto words = [&](int count, int salt) {
      std::vector<std::string> list;
      for (int i = 0; i < count; ++i) {
        list.push_back(syllables[(i + salt) % syllables.size()] +
                       syllables[(i / 7 + salt) % syllables.size()] + std::to_string(i));
      }
      return list;
    };
    return NaiveInputs(words(1000, 0), words(100, 3), words(50, 5), words(20, 9),
                       {true, true, true, true});
  }();
  return inputs;
}

const ColumnInputs& EngineInputs() {
  static const ColumnInputs inputs = [] {
    ColumnInputs built;
    for (std::size_t c = 0; c < 4; ++c) {
      built.lists[c] = SplitLines(JoinWords(Inputs().columns[c]));
      built.included[c] = Inputs().included[c];
    }
    return built;
  }();
  return inputs;
}

// The memory a run fills. Kept from one iteration to the next, so that what is measured is the
// engine and not the system handing out fresh pages (about 8 us a page on this machine).
struct Workspace {
  LineSet seen;
  LineBatch piece;
  std::string result;
};

// What a run does without its thread and its window: passes made in pieces, de-duplicated
// when asked, and added to the end of the result text.
const std::string& EngineRun(std::int64_t lines, bool dedup, Workspace& space) {
  SeedRandom(kSeed);
  PassEngine engine;
  engine.Use(EngineInputs());
  space.seen.Clear();
  space.result.clear();
  for (std::int64_t done = 0; done < lines;) {
    space.piece.Clear();
    for (int i = 0; i < 1024 && done < lines; ++i, ++done) engine.Pass(space.piece);
    if (dedup) {
      AppendNewLines(space.piece, 0, space.piece.Lines(), space.seen, space.result);
    } else {
      space.result.append(space.piece.Text());
    }
  }
  return space.result;
}

void BM_Engine(benchmark::State& state) {
  const std::int64_t lines = state.range(0);
  const bool dedup = state.range(1) != 0;
  Workspace space;
  EngineRun(lines, dedup, space);
  // Same seed, same inputs: without de-duplication both ways must give the same text.
  if (!dedup && lines <= 10000 &&
      space.result != NaiveRun(kSeed, static_cast<std::int32_t>(lines), Inputs())) {
    state.SkipWithError("the engine and the straightforward run disagree");
    return;
  }
  for (auto _ : state) benchmark::DoNotOptimize(EngineRun(lines, dedup, space).data());
  state.counters["lines/s"] =
      benchmark::Counter(static_cast<double>(lines), benchmark::Counter::kIsIterationInvariantRate);
}

void BM_Naive(benchmark::State& state) {
  const auto lines = static_cast<std::int32_t>(state.range(0));
  const bool dedup = state.range(1) != 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(NaiveRun(kSeed, lines, Inputs(), dedup, BoxAccess::WholeText));
  }
  state.counters["lines/s"] =
      benchmark::Counter(static_cast<double>(lines), benchmark::Counter::kIsIterationInvariantRate);
}

BENCHMARK(BM_Engine)
    ->ArgNames({"lines", "dedup"})
    ->ArgsProduct({{1000, 10000, 100000, 1000000}, {0, 1}})
    ->Unit(benchmark::kMillisecond);
// The straightforward run grows with the square of its lines: 10^5 lines with its search take
// about four minutes, 10^6 would take hours. One iteration of each says enough.
BENCHMARK(BM_Naive)
    ->ArgNames({"lines", "dedup"})
    ->Args({1000, 0})
    ->Args({10000, 0})
    ->Args({100000, 0})
    ->Args({1000, 1})
    ->Args({10000, 1})
    ->Args({100000, 1})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace
}  // namespace wc

BENCHMARK_MAIN();
