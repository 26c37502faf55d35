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
inline bool convertWindow(const char*, const Classes&, std::uint64_t, std::uint64_t, std::int32_t*, std::size_t&,
                          std::size_t) {
  return false;
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

// Converts every item of a checked window (none of more than eight digits) eight at a
// time: each number is loaded as the eight bytes that end at its last digit, one
// number to a 64-bit lane. The bytes at and below the lane's highest non-digit (its
// sign character, with the comma and the blank of the item before it just below) are
// cleared, so its digits stand at the top over zeros; pairs, fours and eights of
// digits are then combined by multiply-adds, and each sign applied from the window's
// minus bits. False, with nothing taken (`n` as it was), when an item is "-0".
//
// Each item's sign character must have two non-digit bytes below it: within a window
// the comma and blank of the item before; before the window, the caller checks.

// The signs of eight items (+1 or -1) by their bits of a mask of negative items.
struct SignTable {
  std::int8_t of[256][8];
  constexpr SignTable() : of() {
    for (int bits = 0; bits < 256; ++bits)
      for (int k = 0; k < 8; ++k) of[bits][k] = static_cast<std::int8_t>((bits >> k) & 1 ? -1 : 1);
  }
};
constexpr SignTable kSigns;

// The offset of the next item's comma in the window (64 once all are taken: the lane
// loaded for it then lies inside the window and its value is not used).
QUILLANE_ISA inline std::size_t nextComma(std::uint64_t& commas) {
  const auto at = static_cast<std::size_t>(_tzcnt_u64(commas));
  commas = _blsr_u64(commas);
  return at;
}
// The next two items' eight bytes ending at their last digits (two bytes before the comma).
QUILLANE_ISA inline __m128i twoItems(const char* w, std::uint64_t& commas) {
  const char* first = w + nextComma(commas) - 9;
  const char* second = w + nextComma(commas) - 9;
  long long high;
  std::memcpy(&high, second, 8);
  return _mm_insert_epi64(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(first)), high, 1);
}

// Per 64-bit lane of `words`: its value as two dwords, the first four digits in the low
// one, the last four in the high one (each at most 9999).
template <class V>
QUILLANE_ISA inline V fourDigitHalves(V words) {
  if constexpr (sizeof(V) == 32) {
    const V x = _mm256_xor_si256(words, _mm256_set1_epi8(0x30));  // digits now 0..9, the rest above
    const V nonDigit = _mm256_cmpgt_epi8(x, _mm256_set1_epi8(9));
    // The highest non-digit has two more below it: shifting by three and then six bytes
    // reaches the lane's lowest byte.
    V below = _mm256_or_si256(nonDigit, _mm256_srli_epi64(nonDigit, 24));
    below = _mm256_or_si256(below, _mm256_srli_epi64(below, 48));
    const V v = _mm256_maddubs_epi16(_mm256_andnot_si256(below, x), _mm256_set1_epi16(0x010A));
    return _mm256_madd_epi16(v, _mm256_set1_epi32(0x00010064));
  } else {
    const V x = _mm_xor_si128(words, _mm_set1_epi8(0x30));
    const V nonDigit = _mm_cmpgt_epi8(x, _mm_set1_epi8(9));
    V below = _mm_or_si128(nonDigit, _mm_srli_epi64(nonDigit, 24));
    below = _mm_or_si128(below, _mm_srli_epi64(below, 48));
    const V v = _mm_maddubs_epi16(_mm_andnot_si128(below, x), _mm_set1_epi16(0x010A));
    return _mm_madd_epi16(v, _mm_set1_epi32(0x00010064));
  }
}

QUILLANE_ISA inline bool convertWindow(const char* w, const Classes& c, std::uint64_t commas, std::uint64_t region,
                                       std::int32_t* out, std::size_t& n, std::size_t count) {
  std::uint64_t negative = _pext_u64(c.minus, ((commas << 1) | 1) & region);  // bit k: item k
  const auto items = static_cast<std::size_t>(__builtin_popcountll(commas));
  std::size_t left = items;
  std::int32_t* at = out + n;
  const std::size_t room = count - n;  // at least `items`
  __m256i minusZero = _mm256_setzero_si256();
  while (left > 4) {
    // Items 0, 1, 4, 5 in `a`, 2, 3, 6, 7 in `b`: packing the halves of both puts the
    // eight values in order.
    const __m128i i01 = twoItems(w, commas), i23 = twoItems(w, commas);
    const __m128i i45 = twoItems(w, commas), i67 = twoItems(w, commas);
    const __m256i a = fourDigitHalves(_mm256_inserti128_si256(_mm256_castsi128_si256(i01), i45, 1));
    const __m256i b = fourDigitHalves(_mm256_inserti128_si256(_mm256_castsi128_si256(i23), i67, 1));
    __m256i v = _mm256_madd_epi16(_mm256_packs_epi32(a, b), _mm256_set1_epi32(0x0001'2710));  // words 10000, 1
    const __m256i signs = _mm256_cvtepi8_epi32(
        _mm_loadl_epi64(reinterpret_cast<const __m128i*>(kSigns.of[negative & 0xFF])));
    v = _mm256_sign_epi32(v, signs);
    minusZero = _mm256_or_si256(minusZero, _mm256_and_si256(_mm256_cmpeq_epi32(v, _mm256_setzero_si256()), signs));
    const std::size_t done = left < 8 ? left : 8;
    if (room - (items - left) >= 8) {
      _mm256_storeu_si256(reinterpret_cast<__m256i*>(at), v);
    } else {
      alignas(32) std::int32_t values[8];
      _mm256_store_si256(reinterpret_cast<__m256i*>(values), v);
      std::memcpy(at, values, done * sizeof(std::int32_t));
    }
    at += done;
    left -= done;
    negative >>= 8;
  }
  if (left > 0) {
    const __m128i a = fourDigitHalves(twoItems(w, commas)), b = fourDigitHalves(twoItems(w, commas));
    __m128i v = _mm_madd_epi16(_mm_packs_epi32(a, b), _mm_set1_epi32(0x0001'2710));
    const __m128i signs =
        _mm_cvtepi8_epi32(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(kSigns.of[negative & 0xFF])));
    v = _mm_sign_epi32(v, signs);
    minusZero = _mm256_or_si256(
        minusZero, _mm256_castsi128_si256(_mm_and_si128(_mm_cmpeq_epi32(v, _mm_setzero_si128()), signs)));
    if (room - (items - left) >= 4) {
      _mm_storeu_si128(reinterpret_cast<__m128i*>(at), v);
    } else {
      alignas(16) std::int32_t values[4];
      _mm_store_si128(reinterpret_cast<__m128i*>(values), v);
      std::memcpy(at, values, left * sizeof(std::int32_t));
    }
  }
  if (_mm256_movemask_ps(_mm256_castsi256_ps(minusZero)) != 0) return false;
  n += items;
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

inline bool convertWindow(const char*, const Classes&, std::uint64_t, std::uint64_t, std::int32_t*, std::size_t&,
                          std::size_t) {
  return false;
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
