// The random source gives the draws the library's generator and distribution give
// (files written with it compare byte for byte with earlier saves): the unit value of
// any draw, including those that round up to 1, whole seeded sequences, and the bulk
// draws of fillers.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <random>
#include <vector>

#include "core/data/random_items.h"

using namespace quillane;

namespace {

// A 64-bit generator that hands out chosen draws.
struct ChosenDraws {
  using result_type = std::uint64_t;
  static constexpr result_type min() { return 0; }
  static constexpr result_type max() { return std::numeric_limits<result_type>::max(); }
  result_type operator()() { return draw; }
  result_type draw = 0;
};

}  // namespace

TEST(RandomSource, UnitOfADrawIsTheLibraryDistributionsValue) {
  const std::uint64_t top = std::numeric_limits<std::uint64_t>::max();
  std::vector<std::uint64_t> draws = {0,        1,         2,          (1ull << 53) - 1, 1ull << 53, (1ull << 53) + 1,
                                      1ull << 63, top,     top - 1023, top - 1024,       top - 1025, top - 2047,
                                      top - 2048, top - 4096};
  std::mt19937_64 spread(5);
  for (int i = 0; i < 100000; ++i) draws.push_back(spread() >> (i % 64));
  ChosenDraws chosen;
  for (std::uint64_t d : draws) {
    chosen.draw = d;
    const double expected = std::uniform_real_distribution<double>(0.0, 1.0)(chosen);
    ASSERT_EQ(data::RandomSource::unitOf(d), expected) << d;
    ASSERT_LT(data::RandomSource::unitOf(d), 1.0) << d;
  }
}

TEST(RandomSource, SeededSequencesAreTheLibrarysAndBulkDrawsTheSingleOnes) {
  for (std::uint64_t seed : {0ull, 1ull, 2ull, 4ull, 123456789ull}) {
    SCOPED_TRACE(seed);
    data::RandomSource source(seed);
    std::mt19937_64 engine(seed);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int i = 0; i < 2000; ++i) {
      const int n = i % 7 == 0 ? 0 : i % 5 == 0 ? 1000000 : 50;
      const double u = unit(engine);
      if (n == 0) {
        ASSERT_EQ(source.unit(), u);
      } else {
        const int v = static_cast<int>(u * n);
        ASSERT_EQ(source.below(n), v < n ? v : n - 1);
      }
    }
  }
  // Fillers drawn and written in bulk are the draws of below() one by one, and leave
  // the source where the single draws leave it.
  for (int n : {0, 1, 7, 50, 100, 1000000})
    for (int count : {0, 1, 15, 16, 17, 255, 256, 257, 1000}) {
      SCOPED_TRACE(::testing::Message() << n << " " << count);
      const auto seed = static_cast<std::uint64_t>(n * 31 + count);
      data::RandomSource bulk(seed), single(seed);
      text::ItemWriter a, b;
      data::writeRandomNumbers(a, bulk, count, n);
      for (int i = 0; i < count; ++i) b.number(single.below(n));
      EXPECT_EQ(a.bytes(), b.bytes());
      EXPECT_EQ(bulk.unit(), single.unit());
    }
}
