#include "combine/random.h"

namespace wc {

std::uint32_t SeedCounter::Next(std::uint32_t tick) {
  std::uint32_t k = value_.load(std::memory_order_relaxed);
  // Each attempt computes the step from the value it read; a seeding on another thread in
  // between makes it try again from that thread's result.
  while (
      !value_.compare_exchange_weak(k, k + ((tick + k) & 0xFF) + 100, std::memory_order_relaxed)) {
  }
  return tick + k;
}

SeedCounter& ProgramSeedCounter() {
  static SeedCounter counter;
  return counter;
}

std::uint32_t SeedRandom(Services& services) {
  const std::uint32_t seed = ProgramSeedCounter().Next(services.TickCount());
  SeedRandom(seed);
  return seed;
}

}  // namespace wc
