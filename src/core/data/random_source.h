#pragma once
// The program's one random generator: hidden-field triples, file keys, fillers.
// Seeded from the clock at start; tests seed it to get repeatable files.
#include <cstdint>
#include <random>

namespace quillane::data {

class RandomSource {
 public:
  RandomSource();                       // seeded from the clock
  explicit RandomSource(std::uint64_t seed);
  double unit();                        // uniform in [0, 1), like RND
  int below(int n);                     // INT(RND * n): 0..n-1 (0 when n <= 0)
  int filler() { return below(50); }    // a filler number 0..49

 private:
  std::mt19937_64 engine_;
};

}  // namespace quillane::data
