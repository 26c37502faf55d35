#include "core/data/random_source.h"

#include <chrono>

namespace quillane::data {

RandomSource::RandomSource()
    : engine_(static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
              static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count())) {}

RandomSource::RandomSource(std::uint64_t seed) : engine_(seed) {}

double RandomSource::unit() { return std::uniform_real_distribution<double>(0.0, 1.0)(engine_); }

int RandomSource::below(int n) {
  if (n <= 0) return 0;
  int v = static_cast<int>(unit() * n);
  return v < n ? v : n - 1;
}

}  // namespace quillane::data
