#pragma once
// Writer of the project text form: every item followed by ","; numbers as a sign
// character (blank or "-"), the digits and one trailing blank; texts in double quotes.
#include <bit>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "core/text/cp932.h"

namespace quillane::text {

// The number form without the comma: " 12 ", "-3 ", " 0 ", " 62.5 ".
std::string numberForm(double value);

namespace detail {

// The digits of 0..999 followed by " ,", the length in the top byte; digit pairs.
struct SmallNumbers {
  std::uint64_t entry[1000];
  char pairs[200];
  constexpr SmallNumbers() : entry(), pairs() {
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
    for (unsigned m = 0; m < 100; ++m) {
      pairs[2 * m] = static_cast<char>('0' + m / 10);
      pairs[2 * m + 1] = static_cast<char>('0' + m % 10);
    }
  }
};
inline constexpr SmallNumbers kSmall{};
static_assert(std::endian::native == std::endian::little, "table entries are written as their bytes");

}  // namespace detail

class ItemWriter {
 public:
  ItemWriter() = default;
  // Writes into `reuse`, emptied first: a buffer kept from an earlier file of the same
  // size is filled without growing it again (and without touching fresh memory).
  explicit ItemWriter(Bytes reuse) : out_(std::move(reuse)) { out_.clear(); }

  // Inline: a table file is mostly whole numbers of a few digits, one call each.
  [[gnu::always_inline]] void number(double value) {
    if (value > -1e9 && value < 1e9) {
      const int whole = static_cast<int>(value);
      if (static_cast<double>(whole) == value) {
        wholeNumber(whole);
        return;
      }
    }
    otherNumber(value);
  }
  void text(std::string_view value) {  // "value",
    if (value.size() > kLong) return longItem("\"", value, "\",");
    char* p = room(value.size() + 3);
    *p++ = '"';
    std::memcpy(p, value.data(), value.size());
    p += value.size();
    *p++ = '"';
    *p++ = ',';
    used_ += value.size() + 3;
  }
  void bare(std::string_view value) {  // value,   (an unquoted text item)
    if (value.size() > kLong) return longItem({}, value, ",");
    char* p = room(value.size() + 1);
    std::memcpy(p, value.data(), value.size());
    p[value.size()] = ',';
    used_ += value.size() + 1;
  }
  void raw(std::string_view bytes) {  // written as it stands (the bare "99\r\n", "0,")
    if (bytes.size() > kLong) return longItem({}, bytes, {});
    std::memcpy(room(bytes.size()), bytes.data(), bytes.size());
    used_ += bytes.size();
  }

  const Bytes& bytes() const {
    flush();
    return out_;
  }
  Bytes take() {
    flush();
    return std::move(out_);
  }

 private:
  // Items are gathered in a small buffer and appended to the output a block at a time:
  // one append per item dominated saving. Longer texts go to the output directly.
  static constexpr std::size_t kChunk = 4096, kLong = kChunk / 2;
  char* room(std::size_t n) {
    if (used_ + n > kChunk) flush();
    return chunk_ + used_;
  }
  void longItem(std::string_view before, std::string_view value, std::string_view after);
  void flush() const {
    out_.append(chunk_, used_);
    used_ = 0;
  }
  // " 12 ," for |value| < 1e9. Below 1000 (nearly every number of a table) the digits
  // and the " ," after them come from one table entry, written as eight bytes at once
  // with no branch on the number of digits.
  [[gnu::always_inline]] void wholeNumber(int value) {
    char* p = room(16);
    *p = value < 0 ? '-' : ' ';
    unsigned m = value < 0 ? 0u - static_cast<unsigned>(value) : static_cast<unsigned>(value);
    if (m < 1000) {
      const std::uint64_t entry = detail::kSmall.entry[m];
      std::memcpy(p + 1, &entry, 8);
      used_ += 1 + (entry >> 56);
      return;
    }
    const int digits = m < 10000 ? 4 : m < 100000 ? 5 : m < 1000000 ? 6 : m < 10000000 ? 7 : m < 100000000 ? 8 : 9;
    char* const end = p + 1 + digits;
    char* d = end;
    while (m >= 100) {
      d -= 2;
      std::memcpy(d, detail::kSmall.pairs + 2 * (m % 100), 2);
      m /= 100;
    }
    if (m >= 10) std::memcpy(d - 2, detail::kSmall.pairs + 2 * m, 2);
    else d[-1] = static_cast<char>('0' + m);
    end[0] = ' ';
    end[1] = ',';
    used_ += static_cast<std::size_t>(digits + 3);
  }
  void otherNumber(double value);


  mutable Bytes out_;
  mutable char chunk_[kChunk];
  mutable std::size_t used_ = 0;
};

}  // namespace quillane::text
