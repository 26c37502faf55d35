#include "core/data/random_source.h"

#include <chrono>

namespace quillane::data {

RandomSource::RandomSource()
    : engine_(static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
              static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count())) {}

RandomSource::RandomSource(std::uint64_t seed) : engine_(seed) {}

void RandomSource::below(int n, std::int32_t* out, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) out[i] = below(n);
}

}  // namespace quillane::data
