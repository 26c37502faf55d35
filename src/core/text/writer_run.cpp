// The bulk reader of numbers in the writer's form (" 348 ,", "-12 ,"), for the long
// runs of numbers that make up most of a large table.
//
// A window of 64 bytes is classified at once (commas, blanks, minus signs, digits as
// bit masks), and its items are checked against the form together: a sign character,
// digits, a blank, the comma. Only then are the numbers converted, each from one
// eight-byte load ending at its last digit. A window holding anything else (a text,
// another spelling of a number, a damaged item) is left to the reader's item-by-item
// path, which reads or refuses each item exactly as it always does.
#include "core/text/item_reader.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define QUILLANE_X86 1
#endif

namespace quillane::text {

namespace {

struct Classes {
  std::uint64_t comma = 0, blank = 0, minus = 0, digit = 0;
};

constexpr std::size_t kWindow = 64;
// A window is only taken with eight bytes after it and eight before its first byte:
// each number is loaded as the eight bytes that end at its last digit.
constexpr std::size_t kAhead = kWindow + 8, kBehind = 8;

#ifdef QUILLANE_X86
#define QUILLANE_ISA
namespace sse2 {
// Digits: '0'..'9' plus 0x50 are -128..-119, the only bytes below -118 then.
[[gnu::always_inline]] inline Classes classify(const char* p) {
  Classes c;
  for (int k = 0; k < 4; ++k) {
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * k));
    const auto bits = [k](__m128i m) {
      return static_cast<std::uint64_t>(static_cast<std::uint16_t>(_mm_movemask_epi8(m))) << (16 * k);
    };
    c.comma |= bits(_mm_cmpeq_epi8(b, _mm_set1_epi8(',')));
    c.blank |= bits(_mm_cmpeq_epi8(b, _mm_set1_epi8(' ')));
    c.minus |= bits(_mm_cmpeq_epi8(b, _mm_set1_epi8('-')));
    c.digit |= bits(_mm_cmplt_epi8(_mm_add_epi8(b, _mm_set1_epi8(0x50)), _mm_set1_epi8(-118)));
  }
  return c;
}

// Items are converted one by one here.
inline bool convertGroups(const char*, std::uint64_t&, std::size_t&, std::uint64_t, std::int32_t*, std::size_t&) {
  return true;
}

#include "core/text/writer_windows.inc"
}  // namespace sse2

#undef QUILLANE_ISA
#define QUILLANE_ISA __attribute__((target("avx2,bmi,bmi2,popcnt")))
namespace avx2 {
QUILLANE_ISA inline std::uint64_t bits(const char* p, char byte) {
  const __m256i lo = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
  const __m256i hi = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + 32));
  const __m256i b = _mm256_set1_epi8(byte);
  return static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(lo, b))) |
         static_cast<std::uint64_t>(static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(hi, b))))
             << 32;
}
QUILLANE_ISA inline Classes classify(const char* p) {
  Classes c;
  c.comma = bits(p, ',');
  c.blank = bits(p, ' ');
  c.minus = bits(p, '-');
  const __m256i shift = _mm256_set1_epi8(0x50), limit = _mm256_set1_epi8(-118);
  const __m256i lo = _mm256_add_epi8(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(p)), shift);
  const __m256i hi = _mm256_add_epi8(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + 32)), shift);
  c.digit = static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpgt_epi8(limit, lo))) |
            static_cast<std::uint64_t>(static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpgt_epi8(limit, hi))))
                << 32;
  return c;
}

// Converts the items of a checked window (every one of at most eight digits) four at a
// time while four are left in `commas`, from the item at `start`: each loaded from its
// first digit, shifted so that its digits end at the top of its lane, then combined by
// pairs, fours and eights. Signs are applied after. False, with `start` at the item,
// when an item is "-0" (that item and those after it not taken).
QUILLANE_ISA inline __m128i load8(const char* at) { return _mm_loadl_epi64(reinterpret_cast<const __m128i*>(at)); }
QUILLANE_ISA inline __m256i lanes(std::size_t a, std::size_t b, std::size_t c, std::size_t d) {
  return _mm256_setr_epi64x(static_cast<long long>(a), static_cast<long long>(b), static_cast<long long>(c),
                            static_cast<long long>(d));
}

QUILLANE_ISA inline bool convertGroups(const char* w, std::uint64_t& commas, std::size_t& start, std::uint64_t minus,
                                       std::int32_t* out, std::size_t& n) {
  const __m256i ascii = _mm256_set1_epi8(0x30);
  const __m256i pairs = _mm256_set1_epi16(0x010A);      // bytes 10, 1
  const __m256i fours = _mm256_set1_epi32(0x00010064);  // words 100, 1
  const __m256i tenThousand = _mm256_set1_epi64x(10000);
  const __m256i lowHalves = _mm256_setr_epi32(0, 2, 4, 6, 0, 0, 0, 0);
  const __m256i eighty = _mm256_set1_epi64x(80);
  while (__builtin_popcountll(commas) >= 4) {
    // Item k spans [s_k, e_k] (e_k its comma): s_0 = start, s_k = e_(k-1) + 1.
    const std::size_t s0 = start;
    const auto e0 = static_cast<std::size_t>(__builtin_ctzll(commas));
    commas &= commas - 1;
    const auto e1 = static_cast<std::size_t>(__builtin_ctzll(commas));
    commas &= commas - 1;
    const auto e2 = static_cast<std::size_t>(__builtin_ctzll(commas));
    commas &= commas - 1;
    const auto e3 = static_cast<std::size_t>(__builtin_ctzll(commas));
    commas &= commas - 1;
    const __m128i w01 = _mm_unpacklo_epi64(load8(w + s0 + 1), load8(w + e0 + 2));
    const __m128i w23 = _mm_unpacklo_epi64(load8(w + e1 + 2), load8(w + e2 + 2));
    const __m256i words = _mm256_inserti128_si256(_mm256_castsi128_si256(w01), w23, 1);
    // 64 - 8 * digits, digits = e - s - 2
    const __m256i spans = _mm256_sub_epi64(lanes(e0, e1, e2, e3), lanes(s0, e0 + 1, e1 + 1, e2 + 1));
    const __m256i shifts = _mm256_sub_epi64(eighty, _mm256_slli_epi64(spans, 3));
    __m256i x = _mm256_sllv_epi64(_mm256_xor_si256(words, ascii), shifts);
    x = _mm256_madd_epi16(_mm256_maddubs_epi16(x, pairs), fours);
    x = _mm256_add_epi64(_mm256_mul_epu32(x, tenThousand), _mm256_srli_epi64(x, 32));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + n),
                     _mm256_castsi256_si128(_mm256_permutevar8x32_epi32(x, lowHalves)));
    if (minus != 0) {
      const std::size_t s[4] = {s0, e0 + 1, e1 + 1, e2 + 1};
      for (int k = 0; k < 4; ++k) {
        if (((minus >> s[k]) & 1) == 0) continue;
        if (out[n + k] == 0) {  // "-0"
          n += static_cast<std::size_t>(k);
          start = s[k];
          return false;
        }
        out[n + k] = -out[n + k];
      }
    }
    n += 4;
    start = e3 + 1;
  }
  return true;
}

#include "core/text/writer_windows.inc"
}  // namespace avx2
#undef QUILLANE_ISA

const bool kHasAvx2 = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("bmi2");
bool useAvx2 = kHasAvx2;
#else
#define QUILLANE_ISA
namespace portable {
inline Classes classify(const char* p) {
  Classes c;
  for (int i = 0; i < 64; ++i) {
    const auto bit = std::uint64_t{1} << i;
    if (p[i] == ',') c.comma |= bit;
    if (p[i] == ' ') c.blank |= bit;
    if (p[i] == '-') c.minus |= bit;
    if (p[i] >= '0' && p[i] <= '9') c.digit |= bit;
  }
  return c;
}

#include "core/text/writer_windows.inc"
}  // namespace portable
#undef QUILLANE_ISA
#endif

}  // namespace

bool useWideNumberWindows(bool wide) {
#ifdef QUILLANE_X86
  const bool was = useAvx2;
  useAvx2 = wide && kHasAvx2;
  return was;
#else
  return false;
#endif
}

std::size_t ItemReader::writerWindows(std::int32_t* out, std::size_t count) {
  commas_ = 0;
  std::size_t n;
#ifdef QUILLANE_X86
  n = (useAvx2 ? avx2::windows : sse2::windows)(data_.data(), data_.size(), pos_, out, count);
#else
  n = portable::windows(data_.data(), data_.size(), pos_, out, count);
#endif
  item_ += n;
  return n;
}

std::size_t ItemReader::writerRun(std::int32_t* out, std::size_t count) {
  std::size_t n = 0;
  while (n < count) {
    if (commas_ == 0) {
      n += writerWindows(out + n, count - n);
      if (n == count) break;
    }
    // The items of one window (or the one item at hand) one by one.
    do {
      bool negative;
      std::uint32_t magnitude;
      if (!writerNumber(negative, magnitude)) return n;
      out[n++] = negative ? -static_cast<std::int32_t>(magnitude) : static_cast<std::int32_t>(magnitude);
    } while (n < count && commas_ != 0);
  }
  return n;
}

}  // namespace quillane::text
