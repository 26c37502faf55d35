#include "core/data/level_parts.h"

#if defined(__x86_64__)
#include <immintrin.h>
#elif defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <cstdint>

namespace quillane::data {

std::vector<LevelPart> planLevelParts(const LevelSegments& layout, std::size_t partItems) {
  std::vector<LevelPart> parts;
  std::size_t items = 0, inPart = 0;
  for (int s = 0; s < layout.count(); ++s) {
    if (parts.empty() || inPart >= partItems) {
      if (!parts.empty()) parts.back().to = s;
      parts.push_back({s, s, items, 0});
      inPart = 0;
    }
    const std::size_t n = layout.items(s);
    items += n;
    inPart += n;
  }
  if (!parts.empty()) parts.back().to = layout.count();
  return parts;
}

namespace {

// For the 64 bytes from p: bit i of `commas` where p[i] is a comma, of `stops` where
// p[i] may belong to a quoted text or a line break (see locateLevelParts).
struct Block {
  std::uint64_t commas = 0, stops = 0;
};

bool isStop(char c) {
  const auto s = static_cast<signed char>(c);  // bytes from 0x80 on are negative
  return s < 0x23 && s != ' ';
}

Block classify(const char* p) {
  Block b;
#ifdef __SSE2__
  const __m128i comma = _mm_set1_epi8(','), blank = _mm_set1_epi8(' '), quote = _mm_set1_epi8(0x23);
  for (int k = 0; k < 4; ++k) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * k));
    const __m128i stop = _mm_andnot_si128(_mm_cmpeq_epi8(bytes, blank), _mm_cmplt_epi8(bytes, quote));
    b.commas |= static_cast<std::uint64_t>(static_cast<std::uint16_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, comma))))
                << (16 * k);
    b.stops |= static_cast<std::uint64_t>(static_cast<std::uint16_t>(_mm_movemask_epi8(stop))) << (16 * k);
  }
#else
  for (int i = 0; i < 64; ++i) {
    b.commas |= static_cast<std::uint64_t>(p[i] == ',') << i;
    b.stops |= static_cast<std::uint64_t>(isStop(p[i])) << i;
  }
#endif
  return b;
}

// The same for the last `n` (< 64) bytes of the file: the byte after them stops.
Block classifyTail(const char* p, std::size_t n) {
  Block b;
  for (std::size_t i = 0; i < n; ++i) {
    b.commas |= static_cast<std::uint64_t>(p[i] == ',') << i;
    b.stops |= static_cast<std::uint64_t>(isStop(p[i])) << i;
  }
  b.stops |= std::uint64_t{1} << n;
  return b;
}

#if defined(__x86_64__)
// Most bytes hold no stop and no part's start: they are only counted, 128 bytes a step.
// Moves `at` (with `counted`, the commas before it) over whole steps until the one that
// holds a stop, or the comma that ends item `target`.
__attribute__((target("avx2"))) void skipBlocksAvx2(std::string_view bytes, std::size_t& at, std::size_t& counted,
                                                    std::size_t target) {
  const __m256i comma = _mm256_set1_epi8(','), blank = _mm256_set1_epi8(' '), quote = _mm256_set1_epi8(0x23);
  const __m256i zero = _mm256_setzero_si256();
  std::size_t pos = at, seen = counted;
  while (bytes.size() - pos >= 128) {
    const char* p = bytes.data() + pos;
    __m256i stops = zero, commas = zero;
#pragma GCC unroll 4
    for (int k = 0; k < 4; ++k) {
      const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + 32 * k));
      stops = _mm256_or_si256(stops, _mm256_andnot_si256(_mm256_cmpeq_epi8(v, blank), _mm256_cmpgt_epi8(quote, v)));
      commas = _mm256_sub_epi8(commas, _mm256_cmpeq_epi8(v, comma));  // 0..4 a byte
    }
    if (!_mm256_testz_si256(stops, stops)) break;
    const __m256i sums = _mm256_sad_epu8(commas, zero);  // four sums of eight bytes
    const __m128i half = _mm_add_epi64(_mm256_castsi256_si128(sums), _mm256_extracti128_si256(sums, 1));
    const auto n = static_cast<std::size_t>(_mm_cvtsi128_si64(_mm_add_epi64(half, _mm_unpackhi_epi64(half, half))));
    if (seen + n >= target) break;
    seen += n;
    pos += 128;
  }
  at = pos;
  counted = seen;
}
const bool kHasAvx2 = __builtin_cpu_supports("avx2");
#endif

}  // namespace

std::size_t locateLevelParts(std::string_view bytes, std::vector<LevelPart>& parts) {
  if (parts.empty()) return 0;
  parts[0].offset = 0;
  std::size_t located = 1, at = 0, counted = 0;  // commas before `at`
  while (located < parts.size()) {
#if defined(__x86_64__)
    if (kHasAvx2) skipBlocksAvx2(bytes, at, counted, parts[located].items);
#endif
    const std::size_t left = bytes.size() - at;
    Block b = left >= 64 ? classify(bytes.data() + at) : classifyTail(bytes.data() + at, left);
    // Only commas before the first stop count.
    if (b.stops) b.commas &= (std::uint64_t{1} << __builtin_ctzll(b.stops)) - 1;
    const auto n = static_cast<std::size_t>(__builtin_popcountll(b.commas));
    while (located < parts.size() && counted + n >= parts[located].items) {
      // The part starts after the (items - counted)-th comma of the block.
      std::uint64_t m = b.commas;
      for (std::size_t k = parts[located].items - counted; k > 1; --k) m &= m - 1;
      parts[located].offset = at + static_cast<std::size_t>(__builtin_ctzll(m)) + 1;
      ++located;
    }
    if (b.stops) break;
    counted += n;
    at += 64;
  }
  return located;
}

}  // namespace quillane::data
