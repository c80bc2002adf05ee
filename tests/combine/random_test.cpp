#include "combine/random.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <thread>
#include <vector>

#include "support/fake_services.h"

namespace wc {
namespace {

using ::testing::ElementsAre;

TEST(RandomDraw, SeedOneGivesTheKnownOutputs) {
  SeedRandom(1u);
  std::vector<std::int32_t> outputs;
  for (int i = 0; i < 5; ++i) outputs.push_back(NextRandom());
  EXPECT_THAT(outputs, ElementsAre(41, 18467, 6334, 26500, 19169));

  SeedRandom(1u);
  std::vector<std::int32_t> draws;
  for (int i = 0; i < 5; ++i) draws.push_back(RandomBetween(1, 10));
  EXPECT_THAT(draws, ElementsAre(2, 8, 5, 1, 10));
}

TEST(RandomDraw, AThreadThatNeverSeededStartsFromOne) {
  std::vector<std::int32_t> unseeded;
  std::thread([&] {
    for (int i = 0; i < 3; ++i) unseeded.push_back(NextRandom());
  }).join();
  EXPECT_THAT(unseeded, ElementsAre(41, 18467, 6334));
}

TEST(RandomDraw, EachThreadHasItsOwnGenerator) {
  SeedRandom(1u);
  NextRandom();
  std::thread([] {
    SeedRandom(99u);
    NextRandom();
  }).join();
  EXPECT_EQ(NextRandom(), 18467);
}

TEST(SeedCounter, TwoSeedingsInOneMillisecondDiffer) {
  SeedCounter counter;
  EXPECT_EQ(counter.Next(1000), 1000u);
  EXPECT_EQ(counter.Value(), 332u);
  EXPECT_EQ(counter.Next(1000), 1332u);
  EXPECT_EQ(counter.Value(), 484u);
}

TEST(SeedCounter, WrapsModulo32Bits) {
  SeedCounter counter;
  EXPECT_EQ(counter.Next(0xFFFFFFFFu), 0xFFFFFFFFu);
  EXPECT_EQ(counter.Value(), 355u);           // (0xFFFFFFFF + 0) & 0xFF = 255
  EXPECT_EQ(counter.Next(0xFFFFFF00u), 99u);  // 0xFFFFFF00 + 355 wraps to 99
  EXPECT_EQ(counter.Value(), 355u + 99u + 100u);
}

TEST(SeedCounter, SeedingsOnManyThreadsAtOnceFormOneChainOfSteps) {
  SeedCounter counter;
  constexpr std::uint32_t kTick = 777;
  constexpr int kThreads = 4;
  constexpr int kEach = 2000;
  std::vector<std::vector<std::uint32_t>> seeds(kThreads);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      for (int i = 0; i < kEach; ++i) seeds[t].push_back(counter.Next(kTick));
    });
  }
  for (auto& thread : threads) thread.join();

  // A step lost to a race would give two seedings the same counter value.
  std::set<std::uint32_t> read;
  for (const auto& list : seeds) {
    for (std::uint32_t seed : list) read.insert(seed - kTick);
  }
  ASSERT_EQ(read.size(), static_cast<std::size_t>(kThreads * kEach));
  // Every value read is the step of the one before, starting from 0.
  std::uint32_t k = 0;
  for (int i = 0; i < kThreads * kEach; ++i) {
    ASSERT_TRUE(read.contains(k)) << "step " << i;
    k = k + ((kTick + k) & 0xFF) + 100;
  }
  EXPECT_EQ(counter.Value(), k);
}

TEST(SeedRandom, WithoutASeedUsesTheTickCountAndTheProgramCounter) {
  testing::FakeServices services;
  services.tickCount = 5000;
  const std::uint32_t k = ProgramSeedCounter().Value();
  EXPECT_EQ(SeedRandom(services), 5000u + k);
  EXPECT_EQ(ProgramSeedCounter().Value(), k + ((5000u + k) & 0xFF) + 100);
  const std::int32_t first = NextRandom();
  SeedRandom(5000u + k);
  EXPECT_EQ(NextRandom(), first);
}

// Every value a range can give, over enough draws to see each of them.
std::set<std::int32_t> Reached(std::optional<std::int32_t> low, std::optional<std::int32_t> high) {
  SeedRandom(12345u);
  std::set<std::int32_t> values;
  for (int i = 0; i < 4000; ++i) values.insert(RandomBetween(low, high));
  return values;
}

std::set<std::int32_t> Range(std::int32_t from, std::int32_t to) {
  std::set<std::int32_t> values;
  for (std::int32_t v = from; v <= to; ++v) values.insert(v);
  return values;
}

TEST(RandomBetween, BoundRules) {
  EXPECT_EQ(Reached(1, 0), Range(0, 1)) << "bounds are put in order";
  EXPECT_EQ(Reached(-5, 3), Range(0, 3)) << "a negative low bound is 0";
  EXPECT_EQ(Reached(5, -1), Range(0, 5)) << "a negative high bound is 0";
  EXPECT_EQ(Reached(-7, -2), Range(0, 0));
  EXPECT_EQ(Reached(3, 9), Range(3, 9));
}

TEST(RandomBetween, ASingleValueIsReturnedWithoutSteppingTheGenerator) {
  SeedRandom(1u);
  EXPECT_EQ(RandomBetween(1, 1), 1);
  EXPECT_EQ(RandomBetween(7, 7), 7);
  EXPECT_EQ(NextRandom(), 41);
}

TEST(RandomBetween, OmittedBoundsGiveTheGeneratorOutputItself) {
  SeedRandom(1u);
  std::vector<std::int32_t> draws;
  for (int i = 0; i < 3; ++i) draws.push_back(RandomBetween(std::nullopt, std::nullopt));
  EXPECT_THAT(draws, ElementsAre(41, 18467, 6334));
  SeedRandom(1u);
  EXPECT_EQ(RandomBetween(0, std::nullopt), 41);
  EXPECT_EQ(RandomBetween(std::nullopt, 2147483647), 18467);
}

TEST(RandomBetween, AWideRangeGivesOnlyItsLowest32768Values) {
  SeedRandom(3u);
  std::int32_t highest = 0;
  std::int32_t lowest = 40000;
  for (int i = 0; i < 300000; ++i) {
    const std::int32_t v = RandomBetween(1, 40000);
    highest = std::max(highest, v);
    lowest = std::min(lowest, v);
  }
  EXPECT_EQ(highest, 32768);
  EXPECT_EQ(lowest, 1);
}

}  // namespace
}  // namespace wc
