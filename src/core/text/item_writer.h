#pragma once
// Writer of the project text form: every item followed by ","; numbers as a sign
// character (blank or "-"), the digits and one trailing blank; texts in double quotes.
#include <bit>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <type_traits>

#if defined(__SSE2__)
#include <immintrin.h>
#endif

#include "core/text/cp932.h"

namespace quillane::text {

// The number form without the comma: " 12 ", "-3 ", " 0 ", " 62.5 ".
std::string numberForm(double value);

namespace detail {

// The digits of 0..999 followed by " ,", the length in the top byte.
struct SmallNumbers {
  std::uint64_t entry[1000];
  constexpr SmallNumbers() : entry() {
    for (unsigned m = 0; m < 1000; ++m) {
      char digits[3];
      unsigned n = 0;
      if (m >= 100) digits[n++] = static_cast<char>('0' + m / 100);
      if (m >= 10) digits[n++] = static_cast<char>('0' + m / 10 % 10);
      digits[n++] = static_cast<char>('0' + m % 10);
      std::uint64_t e = 0;
      for (unsigned k = 0; k < n; ++k) e |= static_cast<std::uint64_t>(static_cast<unsigned char>(digits[k])) << (8 * k);
      e |= static_cast<std::uint64_t>(' ') << (8 * n);
      e |= static_cast<std::uint64_t>(',') << (8 * (n + 1));
      entry[m] = e | static_cast<std::uint64_t>(n + 2) << 56;
    }
  }
};
inline constexpr SmallNumbers kSmall{};
static_assert(std::endian::native == std::endian::little, "table entries are written as their bytes");

// The whole items of -999..999 as written (" 12 ,", "-7 ,"): the sign character, the
// digits and " ,", the length in the top byte; the entry of v at v + 999.
struct SignedSmallNumbers {
  static constexpr unsigned kCount = 1999;
  std::uint64_t entry[kCount];
  constexpr SignedSmallNumbers() : entry() {
    for (int v = -999; v <= 999; ++v) {
      const std::uint64_t small = kSmall.entry[v < 0 ? -v : v];
      const std::uint64_t bytes = (small & 0x00FFFFFFFFFFFFFFu) << 8 | static_cast<std::uint64_t>(v < 0 ? '-' : ' ');
      entry[v + 999] = bytes | ((small >> 56) + 1) << 56;
    }
  }
};
inline constexpr SignedSmallNumbers kSigned{};
// The table index of a whole number, kSigned.kCount when it is not in the table.
inline constexpr std::uint32_t kNotSmall = SignedSmallNumbers::kCount;

// The digits of 0..999 as exactly three characters and a blank ("007 ").
struct ThreeDigits {
  std::uint32_t entry[1000];
  constexpr ThreeDigits() : entry() {
    for (unsigned m = 0; m < 1000; ++m)
      entry[m] = static_cast<std::uint32_t>('0' + m / 100) | static_cast<std::uint32_t>('0' + m / 10 % 10) << 8 |
                 static_cast<std::uint32_t>('0' + m % 10) << 16 | static_cast<std::uint32_t>(' ') << 24;
  }
};
inline constexpr ThreeDigits kThree{};

// Room a whole number of the fast form may take: sign, nine digits, " ," and the
// overhang of the eight-byte store.
inline constexpr std::size_t kWholeRoom = 16;

// Writes the table item of index `k` (< kNotSmall) at `p` (eight bytes of room) and
// returns its end: eight bytes at once, with no branch on the sign or the length.
[[gnu::always_inline]] inline char* putSmall(char* p, std::uint32_t k) {
  const std::uint64_t entry = kSigned.entry[k];
  std::memcpy(p, &entry, 8);
  return p + (entry >> 56);
}

// Writes " 12 ," for |value| < 1e9 at `p` (kWholeRoom bytes of room) and returns the end.
// Above -1000 and below 1000 (nearly every number of a table) the whole item comes
// from one table entry; larger numbers as the sign, a leading group of one to three
// digits and groups of three.
[[gnu::always_inline]] inline char* putWhole(char* p, int value) {
  const std::uint32_t k = static_cast<std::uint32_t>(value) + 999u;
  if (k < kNotSmall) [[likely]]
    return putSmall(p, k);
  *p = value < 0 ? '-' : ' ';
  const unsigned m = value < 0 ? 0u - static_cast<unsigned>(value) : static_cast<unsigned>(value);
  const bool millions = m >= 1000000;
  const unsigned lead = millions ? m / 1000000 : m / 1000;
  const std::uint64_t entry = kSmall.entry[lead];
  std::memcpy(p + 1, &entry, 8);
  char* q = p + 1 + (entry >> 56) - 2;  // after the leading digits
  if (millions) {
    std::memcpy(q, &kThree.entry[m / 1000 % 1000], 4);
    q += 3;
  }
  std::memcpy(q, &kThree.entry[m % 1000], 4);  // the last group and its blank
  q[4] = ',';
  return q + 5;
}

// Whether `value` is written by putWhole (whole, |value| < 1e9), and as which int.
[[gnu::always_inline]] inline bool fastWhole(float value, int& whole) {
#if defined(__SSE2__)
  // The truncating conversion gives INT_MIN for NaN and for anything out of range;
  // that fails the comparison or the range below.
  whole = _mm_cvtt_ss2si(_mm_set_ss(value));
  return static_cast<float>(whole) == value && static_cast<unsigned>(whole) + 999999999u < 1999999999u;
#else
  if (!(value > -1e9f && value < 1e9f)) return false;  // 1e9 is exact in a float; NaN fails
  whole = static_cast<int>(value);
  return static_cast<float>(whole) == value;  // a float's whole part is a float itself
#endif
}
[[gnu::always_inline]] inline bool fastWhole(double value, int& whole) {
  if (!(value > -1e9 && value < 1e9)) return false;
  whole = static_cast<int>(value);
  return static_cast<double>(whole) == value;
}
[[gnu::always_inline]] inline bool fastWhole(std::int32_t value, int& whole) {
  whole = value;
  return static_cast<unsigned>(value) + 999999999u < 1999999999u;
}

// The table indexes of values[0..kBlock) (value + 999 for a whole number of -999..999,
// kNotSmall or more for anything else), worked out for four values at once where SSE2
// is there.
inline constexpr int kBlock = 8;
template <class T>
[[gnu::always_inline]] inline void smallIndexes(const T* values, std::uint32_t* out) {
  for (int i = 0; i < kBlock; ++i) {
    int whole;
    const bool small = fastWhole(values[i], whole) && static_cast<std::uint32_t>(whole) + 999u < kNotSmall;
    out[i] = small ? static_cast<std::uint32_t>(whole) + 999u : kNotSmall;
  }
}
#if defined(__SSE2__)
// whole + 999 where that is a table index and `other` is clear; else a value of at
// least kNotSmall (all bits set). A sum that overflowed is out of range as well.
[[gnu::always_inline]] inline __m128i indexesOr(__m128i whole, __m128i other) {
  const __m128i k = _mm_add_epi32(whole, _mm_set1_epi32(999));
  const __m128i top = _mm_set1_epi32(INT32_MIN);
  // Unsigned k > kNotSmall - 1, as a signed comparison with the top bits flipped.
  const __m128i out = _mm_cmpgt_epi32(_mm_xor_si128(k, top), _mm_set1_epi32(INT32_MIN + static_cast<int>(kNotSmall) - 1));
  return _mm_or_si128(k, _mm_or_si128(out, other));
}
template <>
[[gnu::always_inline]] inline void smallIndexes(const float* values, std::uint32_t* out) {
  for (int i = 0; i < kBlock; i += 4) {
    // The truncating conversion gives INT_MIN for NaN and anything out of range; a value
    // with a fraction does not convert back to itself (-0 does: it is written as 0).
    const __m128 v = _mm_loadu_ps(values + i);
    const __m128i whole = _mm_cvttps_epi32(v);
    const __m128i inexact = _mm_castps_si128(_mm_cmpneq_ps(_mm_cvtepi32_ps(whole), v));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), indexesOr(whole, inexact));
  }
}
template <>
[[gnu::always_inline]] inline void smallIndexes(const std::int32_t* values, std::uint32_t* out) {
  for (int i = 0; i < kBlock; i += 4) {
    const __m128i whole = _mm_loadu_si128(reinterpret_cast<const __m128i*>(values + i));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), indexesOr(whole, _mm_setzero_si128()));
  }
}
#endif

}  // namespace detail

class ItemWriter {
 public:
  ItemWriter() { reset(); }
  // Writes into `reuse`: a buffer kept from an earlier file of about the same size is
  // written over in place. Its old bytes are not cleared first (clearing and growing it
  // again would fill it with zeros on every save); take() keeps exactly what was written.
  explicit ItemWriter(Bytes reuse) : out_(std::move(reuse)) { reset(); }
  ItemWriter(const ItemWriter& other) : out_(other.out_) { reset(other.used()); }
  ItemWriter(ItemWriter&& other) noexcept {
    const std::size_t n = other.used();
    out_ = std::move(other.out_);
    reset(n);
    other.reset();
  }
  ItemWriter& operator=(ItemWriter other) noexcept {
    const std::size_t n = other.used();
    out_.swap(other.out_);
    reset(n);
    return *this;
  }

  // Inline: a table file is mostly whole numbers of a few digits, one call each. Every
  // arithmetic type is written as the double it converts to; floats and ints take the
  // same form without the detour.
  template <class T>
    requires std::is_arithmetic_v<T>
  [[gnu::always_inline]] void number(T value) {
    if constexpr (std::is_same_v<T, float> || std::is_same_v<T, std::int32_t>) {
      put(value);
    } else {
      put(static_cast<double>(value));
    }
  }

  // `count` records of interleaved number columns: cols[0][r], cols[1][r], ... for each r.
  // Records go in blocks: each column's table indexes of a block are worked out at
  // once, then the block is written with one check of room; the records after the last
  // whole block one at a time. The write position stays in a register throughout.
  template <class... Col>
  void columns(int count, const Col*... cols) {
    constexpr std::size_t recordRoom = sizeof...(Col) * detail::kWholeRoom;
    constexpr int kBlock = detail::kBlock;
    constexpr std::size_t blockRoom = kBlock * recordRoom;
    char* p = cur_;
    int r = 0;
    for (; r + kBlock <= count; r += kBlock) {
      std::uint32_t index[sizeof...(Col)][kBlock];
      std::size_t c = 0;
      (detail::smallIndexes(cols + r, index[c++]), ...);
      cur_ = p;
      p = room(blockRoom);
      for (int i = 0; i < kBlock; ++i) {
        c = 0;
        ((p = putIndexed(p, index[c++][i], cols + r + i, blockRoom)), ...);
      }
    }
    cur_ = p;
    p = room(recordRoom);
    for (; r < count; ++r) {
      if (static_cast<std::size_t>(end_ - p) < recordRoom) {
        cur_ = p;
        p = room(recordRoom);
      }
      ((p = putAt(p, cols[r], recordRoom)), ...);
    }
    cur_ = p;
  }

  void text(std::string_view value) {  // "value",
    char* p = room(value.size() + 3);
    *p++ = '"';
    std::memcpy(p, value.data(), value.size());
    p += value.size();
    p[0] = '"';
    p[1] = ',';
    cur_ = p + 2;
  }
  // "value", as text() writes it, unless the text holds a double quote: then nothing is
  // written and false returned.
  [[gnu::always_inline]] bool quotedText(const Bytes& value) {
    char* p = cur_;
    if (putShortQuoted(p, value)) [[likely]] {
      cur_ = p;
      return true;
    }
    return quotedTextLong(value);
  }
  // n texts as quotedText() writes each; the count written, less than n when the text
  // after them holds a double quote (nothing of it is written). The write position
  // stays in a register between texts.
  std::size_t quotedTexts(const Bytes* values, std::size_t n) {
    char* p = cur_;
    for (std::size_t i = 0; i < n; ++i) {
      if (putShortQuoted(p, values[i])) [[likely]]
        continue;
      cur_ = p;
      if (!quotedTextLong(values[i])) return i;
      p = cur_;
    }
    cur_ = p;
    return n;
  }
  void bare(std::string_view value) {  // value,   (an unquoted text item)
    char* p = room(value.size() + 1);
    std::memcpy(p, value.data(), value.size());
    p[value.size()] = ',';
    cur_ = p + value.size() + 1;
  }
  void raw(std::string_view bytes) {  // written as it stands (the bare "99\r\n", "0,")
    char* p = room(bytes.size());
    std::memcpy(p, bytes.data(), bytes.size());
    cur_ = p + bytes.size();
  }

  // What has been written so far.
  const Bytes& bytes() {
    trim();
    return out_;
  }
  Bytes take() {
    trim();
    Bytes out = std::move(out_);
    out_ = Bytes();
    reset();
    return out;
  }

 private:
  std::size_t used() const { return static_cast<std::size_t>(cur_ - out_.data()); }
  // The write position `used` bytes into out_, whose whole size is room to write into.
  void reset(std::size_t used = 0) {
    cur_ = out_.data() + used;
    end_ = out_.data() + out_.size();
  }
  void trim() {
    out_.resize(used());
    reset(out_.size());
  }
  // Texts of up to 32 bytes with room for them at p: checked for a double quote and
  // copied with two 16-byte loads (a std::string's storage always has 16 bytes from its
  // start); p moves past the item. False, with nothing written, for a longer text, a
  // text holding a quote, or too little room: quotedTextLong() decides those.
  [[gnu::always_inline]] bool putShortQuoted(char*& at, const Bytes& value) const {
#if defined(__SSE2__) && defined(__GLIBCXX__)
    const std::size_t n = value.size();
    char* p = at;
    if (n > 32 || static_cast<std::size_t>(end_ - p) < 32 + 3) return false;
    const char* s = value.data();
    const __m128i quote = _mm_set1_epi8('"');
    const __m128i head = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s));
    if (n <= 16) {
      const unsigned within = (1u << n) - 1;
      if (static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(head, quote))) & within) return false;
    } else {
      const __m128i tail = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + n - 16));
      if (_mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(head, quote), _mm_cmpeq_epi8(tail, quote)))) return false;
      _mm_storeu_si128(reinterpret_cast<__m128i*>(p + 1 + n - 16), tail);
    }
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p + 1), head);
    p[0] = '"';
    p[n + 1] = '"';
    p[n + 2] = ',';
    at = p + n + 3;
    return true;
#else
    (void)at, (void)value;
    return false;
#endif
  }
  bool quotedTextLong(const Bytes& value);
  [[gnu::always_inline]] char* room(std::size_t n) {
    if (static_cast<std::size_t>(end_ - cur_) < n) [[unlikely]] grow(n);
    return cur_;
  }
  void grow(std::size_t n);

  template <class T>
  [[gnu::always_inline]] void put(T value) {
    int whole;
    if (detail::fastWhole(value, whole)) [[likely]] {
      cur_ = detail::putWhole(room(detail::kWholeRoom), whole);
      return;
    }
    otherNumber(static_cast<double>(value));
  }
  // Writes `value` at p (kWholeRoom bytes of room); returns where the next item goes,
  // with at least `keep` bytes of room after it when it took the long way.
  template <class T>
  [[gnu::always_inline]] char* putAt(char* p, T value, std::size_t keep) {
    int whole;
    if (detail::fastWhole(value, whole)) [[likely]]
      return detail::putWhole(p, whole);
    cur_ = p;
    otherNumber(static_cast<double>(value));
    return room(keep);
  }
  // The item of table index `k`, or `value` the long way when it has none.
  template <class T>
  [[gnu::always_inline]] char* putIndexed(char* p, std::uint32_t k, const T* value, std::size_t keep) {
    if (k < detail::kNotSmall) [[likely]]
      return detail::putSmall(p, k);
    return putAt(p, *value, keep);
  }
  void otherNumber(double value);

  Bytes out_;
  char* cur_ = nullptr;  // the next byte to write, in out_
  char* end_ = nullptr;  // the end of out_
};

}  // namespace quillane::text
