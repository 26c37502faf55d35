// The window reader of writer_run.cpp with AVX-512 (BW, VBMI, VBMI2): the same items,
// values and stopping points as the other readers, read in blocks of 64 bytes.
//
// The blocks follow each other at fixed steps of 64 bytes from the run's first item,
// whatever they hold, so no block's load waits for the items of the block before it.
// A block takes the items whose commas it holds; the first of them may begin in the
// block before, whose bytes are kept: the pair (block before, block) is one table of
// 128 bytes for the two-table byte permutes (vpermt2b).
//
// The writer's form is checked byte by byte against the two bytes before each (from
// the pair), with table lookups; the bytes after a block's last comma are checked with
// that block and their verdict handed on. The items' commas are compressed into byte
// positions (vpcompressb), each item's sign character is the byte after the comma
// before it, and each item's digits are gathered from the pair into the top of a 64-bit
// lane, zeros below: sixteen items, a block's most, are converted in two registers and
// stored at once.
#if defined(__x86_64__) || defined(__i386__)
#include "core/text/item_reader.h"
#include "core/text/writer_windows.h"

#include <immintrin.h>

#include <bit>

namespace quillane::text::writer_windows::avx512 {

namespace {

#define QUILLANE_ISA __attribute__((target("avx512f,avx512bw,avx512vl,avx512vbmi,avx512vbmi2,bmi,bmi2,popcnt")))
#define QUILLANE_OWN_WINDOWS
#include "core/text/writer_windows.inc"
#undef QUILLANE_OWN_WINDOWS

// The constant vectors, as bytes.
struct Constants {
  alignas(64) std::int8_t inBlock[64];      // byte i: 64 + i (the block's byte i in the pair)
  alignas(64) std::int8_t laneOf[2][64];    // byte i: i / 8, then 8 + i / 8 (the item of each lane)
  alignas(64) std::int8_t fromEnd[64];      // byte i: i % 8 - 9 (lane byte i % 8 is that far from the comma)
  alignas(64) std::int8_t tensAndOnes[64];  // 10, 1, ..
  alignas(64) std::int16_t hundredsAndOnes[32];
  alignas(64) std::int16_t tenThousandsAndOnes[32];
  alignas(64) std::int32_t order[16];  // where each item's value stands after packing two registers
  alignas(64) char comma[64], blank[64], zero[64];
  alignas(64) std::int8_t ten[64];
  constexpr Constants()
      : inBlock(), laneOf(), fromEnd(), tensAndOnes(), hundredsAndOnes(), tenThousandsAndOnes(), order(), comma(),
        blank(), zero(), ten() {
    for (int i = 0; i < 64; ++i) {
      comma[i] = ',';
      blank[i] = ' ';
      zero[i] = '0';
      ten[i] = 10;
      inBlock[i] = static_cast<std::int8_t>(64 + i);
      laneOf[0][i] = static_cast<std::int8_t>(i / 8);
      laneOf[1][i] = static_cast<std::int8_t>(8 + i / 8);
      fromEnd[i] = static_cast<std::int8_t>(i % 8 - 9);
      tensAndOnes[i] = i % 2 ? 1 : 10;
    }
    for (int i = 0; i < 32; ++i) {
      hundredsAndOnes[i] = i % 2 ? 1 : 100;
      tenThousandsAndOnes[i] = i % 2 ? 1 : 10000;
    }
    // Packing puts, in each 128-bit lane L, items 2L, 2L + 1 of the first register and
    // then the same two of the second (items 8 + 2L, 9 + 2L).
    for (int item = 0; item < 16; ++item) {
      const int of = item % 8;
      order[item] = 4 * (of / 2) + of % 2 + (item >= 8 ? 2 : 0);
    }
  }
};
constexpr Constants kConstants;

QUILLANE_ISA inline __m512i constant(const void* bytes) { return _mm512_load_si512(bytes); }

// vpermb and vpermd without a mask (g++ 12 warns about the undefined vector its own
// unmasked intrinsics start from).
QUILLANE_ISA inline __m512i permute(__m512i index, __m512i bytes) {
  return _mm512_maskz_permutexvar_epi8(~__mmask64{0}, index, bytes);
}
QUILLANE_ISA inline __m512i permuteDwords(__m512i index, __m512i dwords) {
  return _mm512_maskz_permutexvar_epi32(__mmask16{0xFFFF}, index, dwords);
}

// Eight items' values, the first four of their up to eight digits in the low dword of
// each 64-bit lane and the last four in the high one. `lane` names the item of each lane
// (every byte of lane i holds it): its comma is at byte ends[item] of the pair, its sign
// character at starts[item]. `before` and `digits` hold the pair's bytes less '0'.
QUILLANE_ISA inline __m512i eightHalves(__m512i before, __m512i digits, __m512i ends, __m512i starts, __m512i lane) {
  const __m512i end = permute(lane, ends), start = permute(lane, starts);
  // Lane byte j takes byte end - 9 + j of the pair (the last digit, end - 2, at the top)
  // if it lies after the sign character; the bytes below the digits are zeros.
  const __m512i from = _mm512_add_epi8(end, constant(kConstants.fromEnd));
  const __m512i atTop = _mm512_maskz_permutex2var_epi8(_mm512_cmpgt_epi8_mask(from, start), before, from, digits);
  const __m512i pairs = _mm512_maddubs_epi16(atTop, constant(kConstants.tensAndOnes));
  return _mm512_madd_epi16(pairs, constant(kConstants.hundredsAndOnes));
}

// The values (unsigned) of the block's items (at most sixteen, each with at most eight
// digits; item i's comma at byte ends[i] of the pair, its sign character at starts[i]),
// item i in dword i; dwords past the items 0.
QUILLANE_ISA inline __m512i sixteenValues(__m512i before, __m512i digits, __m512i ends, __m512i starts) {
  const __m512i low = eightHalves(before, digits, ends, starts, constant(kConstants.laneOf[0]));
  const __m512i high = eightHalves(before, digits, ends, starts, constant(kConstants.laneOf[1]));
  const __m512i v = _mm512_madd_epi16(_mm512_packs_epi32(low, high), constant(kConstants.tenThousandsAndOnes));
  return permuteDwords(constant(kConstants.order), v);
}

// The classes of bytes, for the check of the writer's form; every other byte is kOther.
enum ByteClass : std::int8_t { kOther, kComma, kBlank, kMinus, kDigit, kClasses };
constexpr ByteClass classOf(int byte) {
  if (byte >= '0' && byte <= '9') return kDigit;
  return byte == ',' ? kComma : byte == ' ' ? kBlank : byte == '-' ? kMinus : kOther;
}
// The writer's form is "," (or the run's start), then items of a sign character (blank or
// minus), digits, a blank and a comma. A byte is in it when it may follow the two before
// it: the pairs below, with a blank after a digit followed by a comma (not a digit) and
// a blank after a comma followed by a digit (not a comma).
constexpr bool follows(int beforeLast, int last, int byte) {
  switch (last) {
    case kComma: return byte == kBlank || byte == kMinus;
    case kMinus: return byte == kDigit;
    case kDigit: return byte == kDigit || byte == kBlank;
    case kBlank: return beforeLast == kComma ? byte == kDigit : beforeLast == kDigit && byte == kComma;
    default: return false;
  }
}
// Lookup tables of the check: a byte's class (and, for the bytes one and two before, five
// and twenty-five times it) by the byte less ' ' (bytes outside ' '..'?' are kOther),
// and whether the sum of the three says "not in the form".
struct FormTables {
  alignas(64) std::int8_t self[64], once[64], twice[64];
  alignas(64) std::int8_t outside[128];
  constexpr FormTables() : self(), once(), twice(), outside() {
    for (int i = 0; i < 64; ++i) {
      const ByteClass c = i < 32 ? classOf(' ' + i) : kOther;
      self[i] = c;
      once[i] = static_cast<std::int8_t>(kClasses * c);
      twice[i] = static_cast<std::int8_t>(kClasses * kClasses * c);
    }
    for (int i = 0; i < 128; ++i) outside[i] = 1;
    for (int a = 0; a < kClasses; ++a)
      for (int b = 0; b < kClasses; ++b)
        for (int c = 0; c < kClasses; ++c)
          outside[c + kClasses * b + kClasses * kClasses * a] = follows(a, b, c) ? 0 : 1;
  }
};
constexpr FormTables kForm;
static_assert(kClasses * kClasses * kClasses <= 128);

// Byte indexes into pairs of tables: the byte one and two before each in (block before,
// block); and (0 from the second table, then the byte before each in the first).
struct PairIndexes {
  alignas(64) std::int8_t one[64], two[64];
  alignas(64) std::int8_t after[64];
  constexpr PairIndexes() : one(), two(), after() {
    for (int i = 0; i < 64; ++i) {
      after[i] = static_cast<std::int8_t>(i == 0 ? 64 : i - 1);
      one[i] = static_cast<std::int8_t>(63 + i);
      two[i] = static_cast<std::int8_t>(62 + i);
    }
  }
};
constexpr PairIndexes kPairIndexes;

QUILLANE_ISA std::size_t windowsOfAvx512(const char* d, std::size_t size, std::size_t& pos, std::int32_t* out,
                                         std::size_t count) {
  if (size < kAhead) return 0;  // nothing before `pos` is read: no room is needed behind it
  const char* const last = d + (size - kAhead);  // where the last block starts
  const char* b = d + pos;
  std::size_t n = 0;
  __m512i comma = constant(kConstants.comma), blank = constant(kConstants.blank), zero = constant(kConstants.zero),
          ten = constant(kConstants.ten);
  asm("" : "+v"(comma), "+v"(blank), "+v"(zero), "+v"(ten));
  const __m512i inBlock = constant(kConstants.inBlock);
  const __m512i self = constant(kForm.self), once = constant(kForm.once), twice = constant(kForm.twice);
  const __m512i outsideLow = constant(kForm.outside), outsideHigh = constant(kForm.outside + 64);
  const __m512i oneBehind = constant(kPairIndexes.one), twoBehind = constant(kPairIndexes.two);
  const __m512i one = _mm512_set1_epi8(1), afterComma = constant(kPairIndexes.after);
  const __m512i thirtyTwo = _mm512_set1_epi8(32), minusDigit = _mm512_set1_epi8('-' - '0');
  // The block before: its bytes less '0', and its classes times five and twenty-five. The
  // run's first item follows a comma (nothing before `pos` is read).
  __m512i before = _mm512_setzero_si512();
  __m512i onceBefore = _mm512_set1_epi8(kClasses * kComma);
  __m512i twiceBefore = _mm512_set1_epi8(kClasses * kClasses * kComma);
  unsigned start = 64;       // the byte in the pair of the first item's sign character
  std::uint64_t openBad = 0;  // the bytes after the last comma of the block before are not in the form
  while (b <= last) {
    const std::size_t left = count - n;
    if (left == 0) break;
    const __m512i bytes = _mm512_loadu_si512(b);
    std::uint64_t commas = _mm512_cmpeq_epi8_mask(bytes, comma);
    const __m512i digits = _mm512_sub_epi8(bytes, zero);  // digits now 0..9, the rest above
    const __m512i fromBlank = _mm512_sub_epi8(bytes, blank);
    const __mmask64 near = _mm512_cmplt_epu8_mask(fromBlank, thirtyTwo);
    const __m512i classes = _mm512_maskz_permutexvar_epi8(near, fromBlank, self);
    const __m512i fives = _mm512_maskz_permutexvar_epi8(near, fromBlank, once);
    const __m512i twentyFives = _mm512_maskz_permutexvar_epi8(near, fromBlank, twice);
    const __m512i triple = _mm512_add_epi8(
        classes, _mm512_add_epi8(_mm512_permutex2var_epi8(onceBefore, oneBehind, fives),
                                 _mm512_permutex2var_epi8(twiceBefore, twoBehind, twentyFives)));
    const __m512i outside = _mm512_permutex2var_epi8(outsideLow, triple, outsideHigh);
    const std::uint64_t notInForm = _mm512_test_epi8_mask(outside, outside);
    if (left < 16) [[unlikely]]
      commas = lowestBits(commas, left);  // a block holds at most 16 items
    if (commas == 0) break;
    const int above = __builtin_clzll(commas);  // the bits above the last comma
    const std::uint64_t region = ~std::uint64_t{0} >> above;
    if (((notInForm & region) | openBad) != 0) break;  // left to the one-by-one reader from the block's first item
    // The byte in the pair of each item's comma and of its sign character, item i in byte i.
    const __m512i ends = _mm512_maskz_compress_epi8(commas, inBlock);
    // Each item's sign character follows the comma before it; the first item's is `start`.
    const __m512i begins =
        _mm512_permutex2var_epi8(_mm512_add_epi8(ends, one), afterComma, _mm512_set1_epi8(static_cast<char>(start)));
    const auto items = static_cast<unsigned>(__builtin_popcountll(commas));
    const auto itemMask = static_cast<__mmask16>(_bzhi_u32(~0u, items));
    const auto negative = static_cast<__mmask16>(
        _mm512_mask_cmpeq_epi8_mask(itemMask, _mm512_permutex2var_epi8(before, begins, digits), minusDigit));
    const __m512i magnitudes = sixteenValues(before, digits, ends, begins);
    const __m512i values = _mm512_mask_sub_epi32(magnitudes, negative, _mm512_setzero_si512(), magnitudes);
    // Sixteen values where the count leaves room for them (those past the items are
    // overwritten by the next block's, or not counted), a masked store near the count.
    if (left >= 16) [[likely]]
      _mm512_storeu_si512(out + n, values);
    else
      _mm512_mask_storeu_epi32(out + n, itemMask, values);
    // More than eight digits (more than ten bytes from the sign character to the comma)
    // and "-0" (of any number of zeros) are left to the one-by-one reader, which reads
    // the first and keeps the sign of the second.
    const auto stop =
        static_cast<__mmask16>(_mm512_mask_cmpgt_epu8_mask(itemMask, _mm512_sub_epi8(ends, begins), ten)) |
        _mm512_mask_cmpeq_epi32_mask(negative, values, _mm512_setzero_si512());
    if (stop != 0) [[unlikely]] {
      const auto taken = static_cast<unsigned>(__builtin_ctz(stop));
      n += taken;
      // At the block's first item, or after the comma of the item before.
      pos = static_cast<std::size_t>(b - d);
      if (taken == 0)
        pos -= 64 - start;
      else
        pos += 1 + static_cast<std::size_t>(__builtin_ctzll(_pdep_u64(std::uint64_t{1} << (taken - 1), commas)));
      return n;
    }
    n += items;
    start = static_cast<unsigned>(64 - above);
    openBad = notInForm & ~region;
    before = digits;
    onceBefore = fives;
    twiceBefore = twentyFives;
    b += 64;
  }
  pos = static_cast<std::size_t>(b - d) - (64 - start);  // at the first item not taken
  return n;
}

}  // namespace

bool supported() {
  return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") &&
         __builtin_cpu_supports("avx512vl") && __builtin_cpu_supports("avx512vbmi") &&
         __builtin_cpu_supports("avx512vbmi2") && __builtin_cpu_supports("bmi") && __builtin_cpu_supports("bmi2") &&
         __builtin_cpu_supports("popcnt");
}

std::size_t windows(const char* d, std::size_t size, std::size_t& pos, std::int32_t* out, std::size_t count) {
  return windowsOfAvx512(d, size, pos, out, count);
}

}  // namespace quillane::text::writer_windows::avx512
#endif
