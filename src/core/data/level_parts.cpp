#include "core/data/level_parts.h"

#ifdef __SSE2__
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
      LevelPart part;
      part.from = part.to = s;
      part.items = items;
      parts.push_back(part);
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

// Whether c may belong to a quoted text or a line break.
bool isStop(char c) {
  const auto s = static_cast<signed char>(c);  // bytes from 0x80 on are negative
  return s < 0x23 && s != ' ';
}

// For the 64 bytes from p: bit i of `commas` where p[i] is a comma, of `stops` where it
// is a stop (see isStop).
struct Block {
  std::uint64_t commas = 0, stops = 0;
};

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

int highestBit(std::uint64_t bits) { return 63 - __builtin_clzll(bits); }

}  // namespace

bool startBefore(std::string_view bytes, std::size_t to, std::size_t items, std::size_t& start) {
  if (to > bytes.size() || to == 0 || bytes[to - 1] != ',') return false;
  // The run's own commas, then the one that ends the item before it.
  std::size_t left = items + 1;
  std::size_t at = to;  // the bytes before it are still to count
  for (; at >= 64; at -= 64) {
    const Block b = classify(bytes.data() + at - 64);
    std::uint64_t commas = b.commas;
    // Only commas after the last stop count.
    if (b.stops) commas &= ~std::uint64_t{0} << highestBit(b.stops);
    const auto n = static_cast<std::size_t>(__builtin_popcountll(commas));
    if (n >= left) {
      for (; left > 1; --left) commas &= ~(std::uint64_t{1} << highestBit(commas));
      start = at - 64 + static_cast<std::size_t>(highestBit(commas)) + 1;
      return true;
    }
    if (b.stops) return false;
    left -= n;
  }
  while (at > 0) {
    const char c = bytes[--at];
    if (isStop(c)) return false;
    if (c == ',' && --left == 0) {
      start = at + 1;
      return true;
    }
  }
  // The start of the bytes begins the run when only the comma before it is missing.
  if (left != 1) return false;
  start = 0;
  return true;
}

}  // namespace quillane::data
