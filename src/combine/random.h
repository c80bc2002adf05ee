#pragma once
// The random draw: a 15-bit linear congruential generator per thread, seeded from the tick
// count and a program-wide counter, and the mapping of its outputs onto a closed range. Both
// decide which words of a column can come out and how often, so both are exact.

#include <atomic>
#include <cstdint>
#include <optional>
#include <utility>

#include "platform/services.h"

namespace wc {

// Makes two seedings in the same millisecond differ. Program-wide; any thread may seed.
class SeedCounter {
 public:
  // The seed for a seeding at `tick`; moves the counter on by 100 to 355 in the same atomic
  // step that read it, so two threads seeding at once never get the same seed.
  std::uint32_t Next(std::uint32_t tick);
  std::uint32_t Value() const { return value_.load(std::memory_order_relaxed); }

 private:
  std::atomic<std::uint32_t> value_{0};
};

SeedCounter& ProgramSeedCounter();

namespace random_detail {
// The calling thread's generator; a thread that never seeded starts from 1.
inline thread_local std::uint32_t state = 1;
}  // namespace random_detail

// Seeds the calling thread's generator with `seed`.
inline void SeedRandom(std::uint32_t seed) {
  random_detail::state = seed;
}
// Seeds it from the tick count and the program's seed counter; returns the seed.
std::uint32_t SeedRandom(Services& services);

// One generator output, 0...32767.
inline std::int32_t NextRandom() {
  std::uint32_t& state = random_detail::state;
  state = state * 214013u + 2531011u;
  return static_cast<std::int32_t>((state >> 16) & 0x7FFF);
}

// A value of the closed range between `low` (0 when absent) and `high` (2147483647 when
// absent). Negative bounds count as 0 and the bounds may come in either order. Only the
// lowest 32768 values of a wider range ever come out; a range of one value steps nothing.
inline std::int32_t RandomBetween(std::optional<std::int32_t> low,
                                  std::optional<std::int32_t> high) {
  std::int32_t lo = low.value_or(0);
  std::int32_t hi = high.value_or(2147483647);
  if (lo < 0) lo = 0;
  if (hi < 0) hi = 0;
  if (lo > hi) std::swap(lo, hi);
  if (lo == hi) return lo;
  std::int32_t span = hi - lo;
  if (span == 2147483647) span = 2147483646;  // keeps span + 1 a signed 32-bit value
  const std::int32_t r = NextRandom();        // never negative, so its absolute value is r
  return lo + r % (span + 1);
}

}  // namespace wc
