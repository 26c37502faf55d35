// Runs of texts in the writer's form, a block of 64 bytes at a time (quoted_blocks.inc),
// with the widest instructions the machine has, chosen when the program starts.
#include "core/text/quoted_runs.h"

#include <bit>
#include <cstdint>

#include "core/text/short_text.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define QUILLANE_X86 1
#endif

namespace quillane::text {

namespace {

// Bit i stands for the block's byte i.
struct Masks {
  std::uint64_t quotes, commas;
  std::uint64_t inside;  // bit i: an odd number of quotes among bytes 0..i
};

// The place of the highest bit set in x (x not 0).
[[gnu::always_inline]] inline int lastBit(std::uint64_t x) { return 63 - std::countl_zero(x); }

// A block reads its 64 bytes and the two after them; putShort reads the 15 bytes after
// an opening quote, which lies in the block or an earlier one.
static_assert(kQuotedRunReads == 64 + kShortText - 1);

// The text of `length` bytes from `first`.
[[gnu::always_inline]] inline void putText(Bytes& into, const char* first, unsigned length) {
  if (length < kShortText) [[likely]]
    putShort(into, first, length);
  else
    into.assign(first, length);
}

// Each bit the xor of itself and every bit below it.
[[gnu::always_inline]] inline std::uint64_t prefixXor(std::uint64_t x) {
  for (int shift = 1; shift < 64; shift *= 2) x ^= x << shift;
  return x;
}

#ifdef QUILLANE_X86
#define QUILLANE_ISA
namespace sse2 {
[[gnu::always_inline]] inline Masks classify(const char* p) {
  std::uint64_t quotes = 0, commas = 0;
  for (int k = 0; k < 4; ++k) {
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * k));
    const auto bits = [k](__m128i m) {
      return static_cast<std::uint64_t>(static_cast<std::uint16_t>(_mm_movemask_epi8(m))) << (16 * k);
    };
    quotes |= bits(_mm_cmpeq_epi8(b, _mm_set1_epi8('"')));
    commas |= bits(_mm_cmpeq_epi8(b, _mm_set1_epi8(',')));
  }
  return {quotes, commas, prefixXor(quotes)};
}
#include "core/text/quoted_blocks.inc"
}  // namespace sse2
#undef QUILLANE_ISA

// The prefix xor as one carry-less multiplication by all ones.
#define QUILLANE_ISA __attribute__((target("avx2,bmi,bmi2,lzcnt,popcnt,pclmul")))
namespace avx2 {
[[gnu::always_inline]] QUILLANE_ISA inline std::uint64_t prefixXor(std::uint64_t x) {
  return static_cast<std::uint64_t>(_mm_cvtsi128_si64(
      _mm_clmulepi64_si128(_mm_cvtsi64_si128(static_cast<long long>(x)), _mm_set1_epi8(-1), 0)));
}
// Bit i set where byte i of the 64 in lo and hi is c.
[[gnu::always_inline]] QUILLANE_ISA inline std::uint64_t bytesEqual(__m256i lo, __m256i hi, char c) {
  const __m256i v = _mm256_set1_epi8(c);
  return static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(lo, v))) |
         static_cast<std::uint64_t>(static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(hi, v)))) << 32;
}
[[gnu::always_inline]] QUILLANE_ISA inline Masks classify(const char* p) {
  const __m256i lo = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
  const __m256i hi = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + 32));
  const std::uint64_t quotes = bytesEqual(lo, hi, '"');
  return {quotes, bytesEqual(lo, hi, ','), prefixXor(quotes)};
}
#include "core/text/quoted_blocks.inc"
}  // namespace avx2
#undef QUILLANE_ISA

#define QUILLANE_ISA __attribute__((target("avx512f,avx512bw,avx2,bmi,bmi2,lzcnt,popcnt,pclmul")))
namespace avx512 {
using avx2::prefixXor;
[[gnu::always_inline]] QUILLANE_ISA inline Masks classify(const char* p) {
  const __m512i b = _mm512_loadu_si512(p);
  const std::uint64_t quotes = _mm512_cmpeq_epi8_mask(b, _mm512_set1_epi8('"'));
  return {quotes, _mm512_cmpeq_epi8_mask(b, _mm512_set1_epi8(',')), prefixXor(quotes)};
}
#include "core/text/quoted_blocks.inc"
}  // namespace avx512
#undef QUILLANE_ISA

const bool kHasAvx2 = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("bmi") &&
                      __builtin_cpu_supports("bmi2") && __builtin_cpu_supports("popcnt") &&
                      __builtin_cpu_supports("pclmul");
const bool kHasAvx512 = kHasAvx2 && __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw");
#endif

#define QUILLANE_ISA
namespace portable {
inline Masks classify(const char* p) {
  std::uint64_t quotes = 0, commas = 0;
  for (int i = 0; i < 64; ++i) {
    quotes |= static_cast<std::uint64_t>(p[i] == '"') << i;
    commas |= static_cast<std::uint64_t>(p[i] == ',') << i;
  }
  return {quotes, commas, prefixXor(quotes)};
}
#include "core/text/quoted_blocks.inc"
}  // namespace portable
#undef QUILLANE_ISA

QuotedRunPath widest() {
#ifdef QUILLANE_X86
  return kHasAvx512 ? QuotedRunPath::Avx512 : kHasAvx2 ? QuotedRunPath::Avx2 : QuotedRunPath::Sse2;
#else
  return QuotedRunPath::Portable;
#endif
}

QuotedRunPath inUse = widest();

}  // namespace

std::vector<QuotedRunPath> quotedRunPaths() {
  std::vector<QuotedRunPath> paths{QuotedRunPath::Portable};
#ifdef QUILLANE_X86
  paths.push_back(QuotedRunPath::Sse2);
  if (kHasAvx2) paths.push_back(QuotedRunPath::Avx2);
  if (kHasAvx512) paths.push_back(QuotedRunPath::Avx512);
#endif
  return paths;
}

QuotedRunPath useQuotedRunPath(QuotedRunPath path) {
  const QuotedRunPath was = inUse;
  inUse = path;
  return was;
}

std::size_t readQuotedRuns(const char*& at, const char* end, Bytes* out, std::size_t count) {
  switch (inUse) {
#ifdef QUILLANE_X86
    case QuotedRunPath::Avx512: return avx512::blocks(at, end, out, count);
    case QuotedRunPath::Avx2: return avx2::blocks(at, end, out, count);
    case QuotedRunPath::Sse2: return sse2::blocks(at, end, out, count);
#endif
    default: return portable::blocks(at, end, out, count);
  }
}

}  // namespace quillane::text
