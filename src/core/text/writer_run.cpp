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
#include "core/text/number_windows.h"
#include "core/text/writer_windows.h"

#include <bit>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define QUILLANE_X86 1
#endif

namespace quillane::text {

namespace {

using writer_windows::Classes;
using writer_windows::kAhead;
using writer_windows::kBehind;

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

#include "core/text/writer_windows.inc"
}  // namespace sse2

#undef QUILLANE_ISA
#define QUILLANE_ISA __attribute__((target("avx2,bmi,bmi2,popcnt")))
namespace avx2 {
#define QUILLANE_OWN_WINDOWS
#include "core/text/writer_windows.inc"
#undef QUILLANE_OWN_WINDOWS

QUILLANE_ISA inline bool isDigit(char b) { return static_cast<unsigned>(b - '0') < 10u; }

// Items in the writer's form are converted eight at a time: each number is loaded as
// the eight bytes that end at its last digit, one number to a 64-bit lane. The bytes at
// and below the lane's highest non-digit (its sign character, with the comma and the
// blank of the item before it just below) are cleared, so its digits stand at the top
// over zeros; pairs, fours and eights of digits are then combined by multiply-adds, and
// each sign applied from the window's minus bits. The loaded words wait in a queue until
// eight are there, so a window's last items go with the next window's first.
//
// Each item's sign character must have two non-digit bytes below it: within a window
// the comma and blank of the item before; before the first window, the caller checks.

// The signs of eight items (+1 or -1) by their bits of a mask of negative items.
struct SignTable {
  std::int8_t of[256][8];
  constexpr SignTable() : of() {
    for (int bits = 0; bits < 256; ++bits)
      for (int k = 0; k < 8; ++k) of[bits][k] = static_cast<std::int8_t>((bits >> k) & 1 ? -1 : 1);
  }
};
constexpr SignTable kSigns;

// The vectors the reader compares and multiplies with. They are read through a pointer
// the compiler cannot see through, so each is an operand in memory of the instruction
// that uses it rather than a register rebuilt (or spilled) in every pass of a loop.
enum Vector { kComma, kBlank, kMinus, kDigitShift, kDigitLimit, kAscii, kNine, kTensAndOnes, kHundredsAndOnes,
              kTenThousandsAndOnes, kVectors };
struct Vectors {
  alignas(32) std::uint8_t of[kVectors][32];
  constexpr Vectors() : of() {
    const auto bytes = [this](Vector v, std::uint8_t b) {
      for (auto& x : of[v]) x = b;
    };
    const auto words = [this](Vector v, std::uint32_t w, int size) {
      for (int i = 0; i < 32; ++i) of[v][i] = static_cast<std::uint8_t>(w >> (8 * (i % size)));
    };
    bytes(kComma, ',');
    bytes(kBlank, ' ');
    bytes(kMinus, '-');
    bytes(kDigitShift, 0x46);  // digits then 118..127, the only bytes above 117
    bytes(kDigitLimit, 0x75);  // 117
    bytes(kAscii, 0x30);
    bytes(kNine, 9);
    words(kTensAndOnes, 0x010A, 2);           // bytes 10, 1
    words(kHundredsAndOnes, 0x00010064, 4);   // words 100, 1
    words(kTenThousandsAndOnes, 0x00012710, 4);  // words 10000, 1
  }
};
constexpr Vectors kVectorTable;

QUILLANE_ISA inline __m256i vec(const Vectors* k, Vector v) {
  return _mm256_load_si256(reinterpret_cast<const __m256i*>(k->of[v]));
}
// kVectorTable, behind a pointer the compiler does not follow.
inline const Vectors* vectors() {
  const Vectors* k = &kVectorTable;
  asm("" : "+r"(k));
  return k;
}

// Per 64-bit lane of `words` (digits at the top): its value as two dwords, the first
// four digits in the low one, the last four in the high one (each at most 9999).
QUILLANE_ISA inline __m256i fourDigitHalves(const Vectors* k, __m256i words) {
  const __m256i x = _mm256_xor_si256(words, vec(k, kAscii));  // digits now 0..9, the rest above
  const __m256i nonDigit = _mm256_cmpgt_epi8(x, vec(k, kNine));
  // The highest non-digit has two more below it: shifting by three and then six bytes
  // reaches the lane's lowest byte.
  __m256i below = _mm256_or_si256(nonDigit, _mm256_srli_epi64(nonDigit, 24));
  below = _mm256_or_si256(below, _mm256_srli_epi64(below, 48));
  const __m256i pairs = _mm256_maddubs_epi16(_mm256_andnot_si256(below, x), vec(k, kTensAndOnes));
  return _mm256_madd_epi16(pairs, vec(k, kHundredsAndOnes));
}

// The values of the eight items whose words are at q, with signs from the low eight
// bits of `negative`, into out[0..8) (or, when `valid` is less than 8, its first `valid`
// values). Returns the lanes of those that are "-0" with their top bit set.
QUILLANE_ISA inline __m256i eightValues(const Vectors* k, const std::uint64_t* q, std::uint64_t negative,
                                        std::int32_t* out, std::size_t valid) {
  const __m256i a = fourDigitHalves(k, _mm256_load_si256(reinterpret_cast<const __m256i*>(q)));
  const __m256i b = fourDigitHalves(k, _mm256_load_si256(reinterpret_cast<const __m256i*>(q + 4)));
  // Packing gives items 0, 1, 4, 5 in the low half and 2, 3, 6, 7 in the high one.
  __m256i v = _mm256_madd_epi16(_mm256_packs_epi32(a, b), vec(k, kTenThousandsAndOnes));
  v = _mm256_permute4x64_epi64(v, 0xD8);
  const __m256i signs =
      _mm256_cvtepi8_epi32(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(kSigns.of[negative & 0xFF])));
  v = _mm256_sign_epi32(v, signs);
  if (valid >= 8) {
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out), v);
  } else {
    alignas(32) std::int32_t values[8];
    _mm256_store_si256(reinterpret_cast<__m256i*>(values), v);
    std::memcpy(out, values, valid * sizeof(std::int32_t));
  }
  // Lanes past `valid` have no minus bit, so none of them is taken for "-0".
  return _mm256_and_si256(_mm256_cmpeq_epi32(v, _mm256_setzero_si256()), signs);
}

// The offset in the window of the next comma of `commas`, which loses it. 64 once all
// are taken: the word then loaded for it lies inside the window and is not used.
QUILLANE_ISA inline std::size_t nextComma(std::uint64_t& commas) {
  std::uint64_t at;
  asm("tzcnt %1, %0" : "=r"(at) : "r"(commas));  // without the register clearing compilers add before it
  commas = _blsr_u64(commas);
  return at;
}
// The eight bytes ending at the last digit (two bytes before the comma) of each of the
// next four items of `commas`, into[0..4).
QUILLANE_ISA inline void takeFour(const char* w, std::uint64_t& commas, std::uint64_t* into) {
  const char* p0 = w + nextComma(commas) - 9;
  const char* p1 = w + nextComma(commas) - 9;
  const char* p2 = w + nextComma(commas) - 9;
  const char* p3 = w + nextComma(commas) - 9;
  long long x1, x3;
  std::memcpy(&x1, p1, 8);
  std::memcpy(&x3, p3, 8);
  const __m128i low = _mm_insert_epi64(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(p0)), x1, 1);
  const __m128i high = _mm_insert_epi64(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(p2)), x3, 1);
  _mm256_storeu_si256(reinterpret_cast<__m256i*>(into), _mm256_inserti128_si256(_mm256_castsi128_si256(low), high, 1));
}

// Where the item `back` items before `end` starts: `end` just follows the comma of a
// run of items in the writer's form that starts at `first`.
std::size_t itemStart(const char* d, std::size_t first, std::size_t end, std::size_t back) {
  std::size_t p = end;
  for (std::size_t seen = 0; seen < back;)
    if (d[--p] == ',') ++seen;
  while (p > first && d[p - 1] != ',') --p;
  return p;
}

// Not 0 when `digits` (bit 63 clear) holds nine in a row: the item holding them has
// more than eight digits. Rotating finds the same runs as shifting (no run goes round),
// with one instruction that leaves its source (BMI2's rorx).
QUILLANE_ISA inline std::uint64_t nineDigits(std::uint64_t digits) {
  const std::uint64_t two = digits & std::rotr(digits, 1), four = two & std::rotr(two, 2);
  return four & std::rotr(four, 4) & std::rotr(digits, 8);
}

// The 64 bits of a comparison of two 32-byte halves.
[[gnu::always_inline]] QUILLANE_ISA inline std::uint64_t mask(__m256i low, __m256i high) {
  return static_cast<std::uint32_t>(_mm256_movemask_epi8(low)) |
         static_cast<std::uint64_t>(static_cast<std::uint32_t>(_mm256_movemask_epi8(high))) << 32;
}

// The bytes of lo, hi equal to those of vector v.
[[gnu::always_inline]] QUILLANE_ISA inline std::uint64_t equalTo(const Vectors* k, Vector v, __m256i lo, __m256i hi) {
  return mask(_mm256_cmpeq_epi8(lo, vec(k, v)), _mm256_cmpeq_epi8(hi, vec(k, v)));
}

// The items taken but not converted yet: their words, and (in a register of the reader)
// a bit for each that is negative. They are converted in batches, eight at a time.
struct Queue {
  static constexpr std::size_t kBatch = 48;  // converted once at least this many wait
  // A window adds at most 16 words (taken four at a time, the last ones unused when it
  // holds fewer items) to fewer than kBatch, so the sign bits fit one 64-bit word; the
  // last eight are read when what is left moves to the front.
  static constexpr std::size_t kRoom = kBatch + 16 + 8;
  alignas(32) std::uint64_t words[kRoom];
};

constexpr std::size_t kMetMinusZero = ~std::size_t{0};

// Converts the `queued` words that wait (only whole groups of eight unless `all`), with
// their sign bits `negative`, into out from n, then moves what is left (words and
// bits) to the front of the queue; returns how many are left. kMetMinusZero when it
// met "-0", with `at` then at that item and `n` counting the items before it.
QUILLANE_ISA std::size_t convertQueued(Queue& q, std::uint64_t& negative, std::size_t queued, const char* d,
                                       std::size_t first, std::size_t& at, std::int32_t* out, std::size_t& n,
                                       std::size_t taken, bool all) {
  const Vectors* k = vectors();
  const std::size_t whole = queued / 8, rest = queued % 8;
  const std::uint64_t* words = q.words;
  const std::uint64_t signs = negative;
  std::int32_t* o = out + n;
  // Whole groups first, "-0" looked for once at their end (what follows it is stored
  // but not counted).
  __m256i minusZero = _mm256_setzero_si256();
  for (std::size_t g = 0; g < whole; ++g)
    minusZero = _mm256_or_si256(minusZero, eightValues(k, words + 8 * g, signs >> (8 * g), o + 8 * g, 8));
  if (all && rest != 0)
    minusZero = _mm256_or_si256(minusZero, eightValues(k, words + 8 * whole, signs >> (8 * whole), o + 8 * whole, rest));
  const std::size_t done = all ? queued : 8 * whole;
  if (_mm256_movemask_ps(_mm256_castsi256_ps(minusZero)) != 0) [[unlikely]] {
    for (std::size_t i = 0; i < done; ++i)
      if (o[i] == 0 && (signs >> i & 1) != 0) {
        n += i;
        at = itemStart(d, first, at, taken - n);
        return kMetMinusZero;
      }
  }
  n += done;
  // At most seven wait: their words and signs to the front.
  const __m256i w0 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(words + done));
  const __m256i w1 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(words + done + 4));
  _mm256_store_si256(reinterpret_cast<__m256i*>(q.words), w0);
  _mm256_store_si256(reinterpret_cast<__m256i*>(q.words + 4), w1);
  negative = done < 64 ? signs >> done : 0;
  return queued - done;
}

// As the portable windows() below, with the conversion queued: `taken` items are read,
// the first `n` of them converted into `out`, the others wait in `q`.
QUILLANE_ISA std::size_t windows(const char* d, std::size_t size, std::size_t& pos, std::int32_t* out,
                                 std::size_t count) {
  if (pos < kBehind || size < kAhead) return 0;
  const std::size_t first = pos;
  const char* const last = d + (size - kAhead);  // where the last window starts
  const char* w = d + pos;  // apart from `pos`, which the stores into `out` might change for all the compiler knows
  Queue q;
  std::uint64_t negative = 0;  // bit i for q.words[i]
  std::size_t queued = 0, n = 0, left = count;  // count - taken
  // Within a call every window but the first follows a comma and its blank.
  std::uint64_t firstUnsure = isDigit(w[-1]) || isDigit(w[-2]) ? 1 : 0;
  const Vectors* k = vectors();
  std::size_t at = pos;
  while (w <= last) {
    const __m256i lo = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(w));
    const __m256i hi = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(w + 32));
    Classes c;
    c.comma = equalTo(k, kComma, lo, hi);
    c.blank = equalTo(k, kBlank, lo, hi);
    c.minus = equalTo(k, kMinus, lo, hi);
    c.digit = mask(_mm256_cmpgt_epi8(_mm256_add_epi8(lo, vec(k, kDigitShift)), vec(k, kDigitLimit)),
                   _mm256_cmpgt_epi8(_mm256_add_epi8(hi, vec(k, kDigitShift)), vec(k, kDigitLimit)));
    std::uint64_t commas, region;
    unsigned end;
    if (!takenItems(c, left, commas, region, end)) break;
    if ((firstUnsure | nineDigits(c.digit & region)) != 0) {
      // More than eight digits (or bytes before the window that may be digits): one by one.
      at = static_cast<std::size_t>(w - d);
      if ((queued = convertQueued(q, negative, queued, d, first, at, out, n, count - left, true)) == kMetMinusZero) {
        left = count - n;  // from the "-0" on, nothing is taken
        w = d + at;
        break;
      }
      const std::size_t start = convert<true>(w, commas, 0, c.minus, out, n);
      left = count - n;
      w += start;
      if (start < 64 && (region >> start) != 0) break;  // stopped inside the window
      firstUnsure = 0;
      continue;
    }
    const auto items = static_cast<std::size_t>(__builtin_popcountll(commas));
    negative |= _pext_u64(c.minus, ((commas << 1) | 1) & region) << queued;
    // Two groups of four always (most windows hold more than eight items), the others as
    // needed; words taken past the items are not used.
    std::uint64_t* into = q.words + queued;
    takeFour(w, commas, into);
    takeFour(w, commas, into + 4);
    if (items > 8) [[likely]] {
      takeFour(w, commas, into + 8);
      if (items > 12) takeFour(w, commas, into + 12);
    }
    w += end;
    queued += items;
    left -= items;
    if (queued >= Queue::kBatch) {
      // The whole groups of eight, here in the loop; the rest waits at the front.
      const std::size_t done = queued & ~std::size_t{7};
      std::uint64_t signs = negative;
      __m256i minusZero = _mm256_setzero_si256();
      for (std::size_t g = 0; g < done; g += 8, signs >>= 8)
        minusZero = _mm256_or_si256(minusZero, eightValues(k, q.words + g, signs, out + n + g, 8));
      if (_mm256_movemask_ps(_mm256_castsi256_ps(minusZero)) != 0) [[unlikely]] {
        // Converted again by the general path, which finds the "-0".
        at = static_cast<std::size_t>(w - d);
        convertQueued(q, negative, queued, d, first, at, out, n, count - left, false);
        left = count - n;
        w = d + at;
        break;
      }
      n += done;
      queued -= done;
      negative = signs;
      const __m256i w0 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(q.words + done));
      const __m256i w1 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(q.words + done + 4));
      _mm256_store_si256(reinterpret_cast<__m256i*>(q.words), w0);
      _mm256_store_si256(reinterpret_cast<__m256i*>(q.words + 4), w1);
    }
  }
  if (n < count - left) {
    at = static_cast<std::size_t>(w - d);
    convertQueued(q, negative, queued, d, first, at, out, n, count - left, true);
    w = d + at;
  }
  pos = static_cast<std::size_t>(w - d);
  return n;
}

}  // namespace avx2
#undef QUILLANE_ISA

const bool kHasAvx2 = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("bmi") && __builtin_cpu_supports("bmi2") &&
                      __builtin_cpu_supports("popcnt");
const bool kHasAvx512 = kHasAvx2 && writer_windows::avx512::supported();
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

bool has(NumberWindows path) {
#ifdef QUILLANE_X86
  return path == NumberWindows::Sse2 || (path == NumberWindows::Avx2 && kHasAvx2) ||
         (path == NumberWindows::Avx512 && kHasAvx512);
#else
  return path == NumberWindows::Sse2;
#endif
}

// The widest path the machine has at or below `path`.
NumberWindows widestUpTo(NumberWindows path) {
  if (path == NumberWindows::Avx512 && !has(path)) path = NumberWindows::Avx2;
  if (path == NumberWindows::Avx2 && !has(path)) path = NumberWindows::Sse2;
  return path;
}

NumberWindows chosen = widestUpTo(NumberWindows::Avx512);

}  // namespace

bool hasNumberWindows(NumberWindows path) { return has(path); }

NumberWindows useNumberWindows(NumberWindows path) {
  const NumberWindows was = chosen;
  chosen = widestUpTo(path);
  return was;
}

NumberWindows numberWindows() { return chosen; }

bool useWideNumberWindows(bool wide) {
  return useNumberWindows(wide ? NumberWindows::Avx512 : NumberWindows::Sse2) != NumberWindows::Sse2;
}

bool wideNumberWindows() { return chosen != NumberWindows::Sse2; }

std::size_t ItemReader::writerWindows(std::int32_t* out, std::size_t count) {
  commas_ = 0;
  std::size_t n;
#ifdef QUILLANE_X86
  switch (chosen) {
    case NumberWindows::Avx512:
      n = writer_windows::avx512::windows(data_.data(), data_.size(), pos_, out, count);
      break;
    case NumberWindows::Avx2:
      n = avx2::windows(data_.data(), data_.size(), pos_, out, count);
      break;
    default:
      n = sse2::windows(data_.data(), data_.size(), pos_, out, count);
  }
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
      if (!writerNumber(out[n])) return n;
      ++n;
    } while (n < count && commas_ != 0);
  }
  return n;
}

}  // namespace quillane::text
