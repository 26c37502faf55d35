#pragma once
// The program's one random generator: hidden-field triples, file keys, fillers.
// Seeded from the clock at start; tests seed it to get repeatable files.
#include <cstddef>
#include <cstdint>
#include <random>

namespace quillane::data {

class RandomSource {
 public:
  RandomSource();                       // seeded from the clock
  explicit RandomSource(std::uint64_t seed);
  // Inline: a save draws tens of thousands of fillers.
  double unit() { return unitOf(engine_()); }  // uniform in [0, 1), like RND
  int below(int n) {                    // INT(RND * n): 0..n-1 (0 when n <= 0)
    if (n <= 0) return 0;
    const int v = static_cast<int>(unit() * n);
    return v < n ? v : n - 1;
  }
  // `count` draws of below(n) in a row, into out.
  void below(int n, std::int32_t* out, std::size_t count);
  static constexpr int kFillerRange = 50;
  int filler() { return below(kFillerRange); }  // a filler number 0..49

  // The unit() of one 64-bit draw, the value std::uniform_real_distribution<double>(0, 1)
  // makes of it: the draw rounded to a double, divided by 2^64 (exact: a power of two);
  // a draw that rounds up to 2^64 gives the largest double below 1. Written out, as the
  // library's general form costs several times the draw itself.
  static double unitOf(std::uint64_t draw) {
    const double d = static_cast<double>(draw) * 0x1p-64;
    return d < 1.0 ? d : 0x1.fffffffffffffp-1;
  }

 private:
  std::mt19937_64 engine_;
};

}  // namespace quillane::data
