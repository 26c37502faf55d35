#pragma once
// Reader of the project text form: a run of items, each ended by a comma, a line
// break or the end of the file. Texts stand between double quotes (and may hold
// commas there); blanks around numbers are skipped. Every failure is a ReadError
// naming the file and the item.
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "core/text/cp932.h"
#include "core/text/read_error.h"
#include "core/text/short_text.h"

namespace quillane::text {

// The value of up to eight digit values (0..9) held in the top bytes of x, first digit
// in the lowest of them, zeros below: combined by pairs, fours and eights in three
// multiplications.
[[gnu::always_inline]] inline std::uint32_t digitsAtTop(std::uint64_t x) {
  x = ((x * 2561) >> 8) & 0x00FF00FF00FF00FFULL;
  x = ((x * 6553601) >> 16) & 0x0000FFFF0000FFFFULL;
  return static_cast<std::uint32_t>((x * 42949672960001ULL) >> 32);
}

enum class Decoded { Number, NineDigits, Other };
// The item p[0..length) (its comma not included) in the writer's form (a blank or a
// minus, one to eight digits, a blank), as a whole number; NineDigits for the same
// form with nine. The eight bytes after p's first byte must be readable.
[[gnu::always_inline]] inline Decoded decodeWriterItem(const char* p, std::size_t length, std::int32_t& value) {
  const std::size_t count = length - 2;  // digits
  if (count - 1 > 7) return count == 9 ? Decoded::NineDigits : Decoded::Other;  // none or more than 8
  const char sign = p[0];
  if (p[length - 1] != ' ' || (sign != ' ' && sign != '-')) return Decoded::Other;
  std::uint64_t word;
  std::memcpy(&word, p + 1, 8);
  // The item's digits moved to the top, zeros shifted in below them: a digit byte gives
  // 0..9, any other byte has a high nibble set (after adding 6, for ':'..'?'). A borrow
  // only reaches later bytes, so it never hides the byte it comes from; the bytes after
  // the item (which it may reach) are shifted out.
  const std::uint64_t t = (word - 0x3030303030303030ULL) << (64 - 8 * count);
  if (((t | (t + 0x0606060606060606ULL)) & 0xF0F0F0F0F0F0F0F0ULL) != 0) return Decoded::Other;
  const auto v = static_cast<std::int32_t>(digitsAtTop(t));
  if (sign == ' ') {
    value = v;
    return Decoded::Number;
  }
  if (v == 0) return Decoded::Other;  // "-0" keeps its sign through the general path
  value = -v;
  return Decoded::Number;
}

// Whether runs of numbers are read with the widest instructions this machine has
// (AVX2 or AVX-512: see number_windows.h) or with SSE2 only, which every x86-64 has.
// Returns the previous choice.
bool useWideNumberWindows(bool wide);
// The choice in force (false where the machine has neither).
bool wideNumberWindows();

class ItemReader {
 public:
  ItemReader(std::string_view data, std::string fileName);

  // A number item. Empty items read as 0; anything else that is no number is an error.
  double number() {
    std::int32_t value;
    if (writerNumberAlone(value)) return value;
    return numberSlow();
  }
  // A number held in memory as a single-precision real.
  float real() { return static_cast<float>(number()); }
  // Only the writer's form (see writerNumber), straight from its digits to a
  // single-precision real (one rounding either way, so the value real() gives); false,
  // with nothing consumed, for any other item.
  [[gnu::always_inline]] bool writerReal(float& out) {
    std::int32_t value;
    if (!writerNumberAlone(value)) return false;
    out = static_cast<float>(value);
    return true;
  }
  // A whole number within [lo, hi]; outside it (or fractional) is an error. Used for
  // every count and index that sizes or indexes memory.
  int bounded(int lo, int hi, const char* what) {
    std::int32_t v;
    if (!writerNumberAlone(v)) return boundedSlow(lo, hi, what);
    if (v < lo || v > hi) failBounds(lo, hi, what, double(v));
    return v;
  }
  // A 32-bit integer field.
  [[gnu::always_inline]] std::int32_t int32() {
    std::int32_t value;
    if (writerNumberAlone(value)) return value;
    return int32Slow();
  }
  // Reads up to `count` consecutive numbers in the writer's form (see writerNumber) into
  // out[0..], as whole numbers (every such number fits an int32). Returns how many; it
  // stops, with nothing consumed for it, before the first item of any other form (or
  // of nine digits, or near the end of the data), which the caller reads one by one.
  std::size_t writerRun(std::int32_t* out, std::size_t count);
  // The same for a short run (a record's few numbers between its texts): item by item
  // from the commas found 64 bytes at a time, without the setup of writerRun's windows.
  // It also stops before an item of nine digits and near the end of the data.
  std::size_t writerNumbers(std::int32_t* out, std::size_t count);
  // A format version: digits only (blanks around them allowed), 0..999. An empty item,
  // a sign, a fraction or a quoted text is an error, so a damaged version field is
  // never taken for an old file.
  int formatVersion();
  // A quoted text item (an unquoted item is taken as it stands, trimmed).
  Bytes text() {
    Bytes value;
    text(value);
    return value;
  }
  // The same into an existing string, whose buffer is reused. Inline for the form the
  // writer produces with a short text (most are: names of sounds and files): the
  // quotes, at most fifteen bytes and the comma, found with one 16-byte comparison and
  // copied straight into the string.
  [[gnu::always_inline]] void text(Bytes& into) {
#ifdef __SSE2__
    if (data_.size() - pos_ >= kShortText + 3 && data_[pos_] == '"') {
      const char* open = data_.data() + pos_ + 1;
      const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(open));
      const auto quotes = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('"'))));
      const unsigned length = static_cast<unsigned>(__builtin_ctz(quotes | (1u << kShortText)));
      if (length < kShortText && open[length + 1] == ',') {
        putShort(into, open, length);
        commas_ = 0;
        ++item_;
        pos_ += length + 3;
        return;
      }
    }
#endif
    textOther(into);
  }
  // Reads up to `count` consecutive texts in the writer's form (the quotes, bytes other
  // than a quote, the comma) into out[0..]: a block of 64 bytes at a time, and close to
  // the end of the data short ones (what text() reads inline) one by one. Returns how
  // many; it stops, with nothing consumed for it, before any other item and before a
  // longer text close to the end, which the caller reads with text().
  std::size_t shortTexts(Bytes* out, std::size_t count);
  // An unquoted item read up to the next comma or line break, trimmed.
  Bytes bare();
  // Skips n items of any kind.
  void skip(int n);

  bool atEnd();
  std::size_t itemNumber() const { return item_; }  // items read so far
  // Goes on from byte `pos` as a reader that has read `items` items up to there: the
  // reader of one part of a file whose earlier parts another reader reads.
  void startAt(std::size_t pos, std::size_t items) {
    pos_ = pos;
    item_ = items;
    commas_ = 0;
  }
  std::size_t position() const { return pos_; }  // the byte the next item starts at
  const std::string& fileName() const { return file_; }
  [[noreturn]] void fail(const std::string& expected, const std::string& found) const;

 private:
  // The form the writer produces, inline: a sign character (blank or '-'), 1 to 9
  // digits, a blank, the comma (" 12 ,", "-3 ,"). False (nothing consumed) for anything
  // else, which the general paths below then read.
  //
  // Where 64 bytes lie ahead, the commas among them are found at once (commas_, bit i
  // for data_[commasAt_ + i], only commas at or after pos_). Each number's end is then
  // known without scanning it, so reading one number does not wait on the one before.
  // Every other path clears commas_, since it moves pos_ on its own.
  // Its value is a whole number of at most nine digits, so it fits an int32.
  [[gnu::always_inline]] bool writerNumber(std::int32_t& value) {
    if (commas_ == 0 && !findCommas()) return writerNumberNearEnd(value);
    const std::size_t comma = commasAt_ + static_cast<std::size_t>(__builtin_ctzll(commas_));
    switch (decodeWriterItem(data_.data() + pos_, comma - pos_, value)) {
      case Decoded::Number:
        ++item_;
        pos_ = comma + 1;
        commas_ &= commas_ - 1;
        return true;
      case Decoded::NineDigits:
        return writerNumberNearEnd(value);
      default:
        return false;
    }
  }
  // The same for a number read on its own (after a text, or one of a few): its comma is
  // looked for among the 16 bytes from pos_, which hold any item of the writer's form,
  // instead of finding the commas of 64 bytes for the numbers after it. The commas found
  // before are dropped, as every other path drops them.
  [[gnu::always_inline]] bool writerNumberAlone(std::int32_t& value) {
#ifdef __SSE2__
    if (data_.size() - pos_ < kAloneWindow) return writerNumberNearEnd(value);
    const char* const p = data_.data() + pos_;
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const auto commas = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(','))));
    const auto length = static_cast<std::size_t>(__builtin_ctz(commas | (1u << kAloneWindow)));
    switch (decodeWriterItem(p, length, value)) {
      case Decoded::Number:
        ++item_;
        pos_ += length + 1;
        commas_ = 0;
        return true;
      case Decoded::NineDigits:
        return writerNumberNearEnd(value);
      default:
        return false;
    }
#else
    return writerNumber(value);
#endif
  }
  // Bytes writerNumberAlone looks at: the longest item of the writer's form (a sign,
  // nine digits, a blank) and its comma fit in them.
  static constexpr unsigned kAloneWindow = 16;
  // writerRun's part for whole windows of 64 bytes whose items are all in the writer's
  // form (src/core/text/writer_run.cpp).
  std::size_t writerWindows(std::int32_t* out, std::size_t count);
  // Every other text item: a longer quoted text directly followed by its comma, then
  // whatever textSlow reads.
  void textOther(Bytes& into);
  // Finds the commas among the 64 bytes from pos_; false when fewer than 72 lie ahead.
  bool findCommas();
  // The same form read byte by byte (near the end of the data, or nine digits).
  bool writerNumberNearEnd(std::int32_t& value);
  // Blanks, an optional minus, up to 15 digits, blanks, then a comma or the end of the
  // data. False (nothing consumed) for anything else.
  bool plainNumber(double& out);
  double numberSlow();
  void textSlow(Bytes& into);
  int boundedSlow(int lo, int hi, const char* what);
  std::int32_t int32Slow();
  [[noreturn]] void failBounds(int lo, int hi, const char* what, double found) const;
  void skipLeading();
  std::string_view rawItem();  // unquoted item, position after its terminator
  void endItem();              // consume up to and including the terminator

  std::string_view data_;
  std::size_t pos_ = 0;
  std::uint64_t commas_ = 0;
  std::size_t commasAt_ = 0;
  std::size_t item_ = 0;
  std::string file_;
};

}  // namespace quillane::text
