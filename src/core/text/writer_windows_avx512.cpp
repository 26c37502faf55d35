// The window reader of writer_run.cpp with AVX-512 (BW, VBMI, VBMI2): the same windows,
// checks and stopping points, taken with fewer instructions.
//
// A window is classified with one 64-byte load into four bit masks. The items' commas
// and starts are compressed into byte positions (vpcompressb), spread to one 64-bit lane
// per item, and each item's digits are gathered from the window into the top of its lane
// by one byte permute (vpermb), zeros below: sixteen items, a window's most, are converted
// in two registers and stored at once. Nothing waits from one window for the next.
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
  alignas(64) std::int8_t iota[64];         // 0, 1, .., 63
  alignas(64) std::int8_t laneOf[2][64];    // byte i: i / 8, then 8 + i / 8 (the item of each lane)
  alignas(64) std::int8_t fromEnd[64];      // byte i: i % 8 - 9 (lane byte i % 8 is that far from the comma)
  alignas(64) std::int8_t tensAndOnes[64];  // 10, 1, ..
  alignas(64) std::int16_t hundredsAndOnes[32];
  alignas(64) std::int16_t tenThousandsAndOnes[32];
  alignas(64) std::int32_t order[16];  // where each item's value stands after packing two registers
  alignas(64) char comma[64], blank[64], minus[64], zero[64];
  alignas(64) std::int8_t ten[64];
  constexpr Constants()
      : iota(), laneOf(), fromEnd(), tensAndOnes(), hundredsAndOnes(), tenThousandsAndOnes(), order(), comma(),
        blank(), minus(), zero(), ten() {
    for (int i = 0; i < 64; ++i) {
      comma[i] = ',';
      blank[i] = ' ';
      minus[i] = '-';
      zero[i] = '0';
      ten[i] = 10;
      iota[i] = static_cast<std::int8_t>(i);
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

QUILLANE_ISA inline bool isDigit(char b) { return static_cast<unsigned>(b - '0') < 10u; }

// Eight items' values, the first four of their up to eight digits in the low dword of
// each 64-bit lane and the last four in the high one. `lane` names the item of each lane
// (every byte of lane i holds it): its comma is at window byte ends[item], its sign
// character at starts[item]. `digits` holds the window's bytes less '0'.
QUILLANE_ISA inline __m512i eightHalves(__m512i digits, __m512i ends, __m512i starts, __m512i lane) {
  const __m512i end = permute(lane, ends), start = permute(lane, starts);
  // Lane byte j takes window byte end - 9 + j (the last digit, end - 2, at the top) if it
  // lies after the sign character; the bytes below the digits are zeros.
  const __m512i from = _mm512_add_epi8(end, constant(kConstants.fromEnd));
  const __m512i atTop = _mm512_maskz_permutexvar_epi8(_mm512_cmpgt_epi8_mask(from, start), from, digits);
  const __m512i pairs = _mm512_maddubs_epi16(atTop, constant(kConstants.tensAndOnes));
  return _mm512_madd_epi16(pairs, constant(kConstants.hundredsAndOnes));
}

// The values (unsigned) of the window's items (at most sixteen, each in the writer's form
// with at most eight digits; item i's comma at byte ends[i], its sign character at
// begins[i]), item i in dword i; dwords past the items 0. `digits` holds the window's
// bytes less '0'.
QUILLANE_ISA inline __m512i sixteenValues(__m512i digits, __m512i ends, __m512i begins) {
  const __m512i low = eightHalves(digits, ends, begins, constant(kConstants.laneOf[0]));
  const __m512i high = eightHalves(digits, ends, begins, constant(kConstants.laneOf[1]));
  const __m512i v = _mm512_madd_epi16(_mm512_packs_epi32(low, high), constant(kConstants.tenThousandsAndOnes));
  return permuteDwords(constant(kConstants.order), v);
}

QUILLANE_ISA std::size_t windowsOfAvx512(const char* d, std::size_t size, std::size_t& pos, std::int32_t* out,
                                         std::size_t count) {
  if (pos < kBehind || size < kAhead) return 0;
  const char* const last = d + (size - kAhead);  // where the last window starts
  const char* w = d + pos;
  std::size_t n = 0;
  // Within a call every window but the first follows a comma and its blank.
  std::uint64_t firstUnsure = isDigit(w[-1]) || isDigit(w[-2]) ? 1 : 0;
  // The constants, kept in registers (the compiler would otherwise build some anew in
  // every pass).
  __m512i comma = constant(kConstants.comma), blank = constant(kConstants.blank), minus = constant(kConstants.minus),
          zero = constant(kConstants.zero), ten = constant(kConstants.ten);
  asm("" : "+v"(comma), "+v"(blank), "+v"(minus), "+v"(zero), "+v"(ten));
  const __m512i iota = constant(kConstants.iota);
  while (w <= last) {
    const __m512i bytes = _mm512_loadu_si512(w);
    Classes c;
    c.comma = _mm512_cmpeq_epi8_mask(bytes, comma);
    c.blank = _mm512_cmpeq_epi8_mask(bytes, blank);
    c.minus = _mm512_cmpeq_epi8_mask(bytes, minus);
    const __m512i digits = _mm512_sub_epi8(bytes, zero);  // digits now 0..9, the rest above
    c.digit = _mm512_cmplt_epu8_mask(digits, ten);
    const std::size_t left = count - n;
    std::uint64_t commas, region;
    unsigned end;
    if (!takenItems(c, left, commas, region, end)) break;
    const std::uint64_t starts = ((commas << 1) | 1) & region;
    // The byte of each item's comma and of its sign character, item i in byte i.
    const __m512i ends = _mm512_maskz_compress_epi8(commas, iota), begins = _mm512_maskz_compress_epi8(starts, iota);
    // More than eight digits: more than ten bytes from the sign character to the comma.
    if ((firstUnsure | _mm512_cmpgt_epu8_mask(_mm512_sub_epi8(ends, begins), ten)) != 0) {
      // One by one (also when the bytes before the window may be digits).
      const std::size_t start = convert<true>(w, commas, 0, c.minus, out, n);
      w += start;
      if (start < 64 && (region >> start) != 0) break;  // stopped inside the window
      firstUnsure = 0;
      continue;
    }
    const auto items = static_cast<unsigned>(__builtin_popcountll(commas));
    const auto negative = static_cast<__mmask16>(_pext_u64(c.minus, starts));
    const __m512i magnitudes = sixteenValues(digits, ends, begins);
    const __m512i values = _mm512_mask_sub_epi32(magnitudes, negative, _mm512_setzero_si512(), magnitudes);
    // Sixteen values where the count leaves room for them (those past the items are
    // overwritten by the next window's, or not counted), a masked store near the count.
    if (left >= 16) [[likely]]
      _mm512_storeu_si512(out + n, values);
    else
      _mm512_mask_storeu_epi32(out + n, static_cast<__mmask16>(_bzhi_u32(~0u, items)), values);
    // "-0" (of any number of zeros) is left to the general path, which keeps its sign.
    if (const __mmask16 minusZero = _mm512_mask_cmpeq_epi32_mask(negative, values, _mm512_setzero_si512());
        minusZero != 0) [[unlikely]] {
      const auto before = static_cast<unsigned>(__builtin_ctz(minusZero));
      n += before;
      w += __builtin_ctzll(_pdep_u64(std::uint64_t{1} << before, starts));
      break;
    }
    n += items;
    w += end;
  }
  pos = static_cast<std::size_t>(w - d);
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
