#pragma once
// Reader of the project text form: a run of items, each ended by a comma, a line
// break or the end of the file. Texts stand between double quotes (and may hold
// commas there); blanks around numbers are skipped. Every failure is a ReadError
// naming the file and the item.
#include <cstdint>
#include <string>
#include <string_view>

#include "core/text/cp932.h"
#include "core/text/read_error.h"

namespace quillane::text {

class ItemReader {
 public:
  ItemReader(std::string_view data, std::string fileName);

  // A number item. Empty items read as 0; anything else that is no number is an error.
  double number() {
    double v;
    return plainNumber(v) ? v : numberSlow();
  }
  // A number held in memory as a single-precision real.
  float real() { return static_cast<float>(number()); }
  // A whole number within [lo, hi]; outside it (or fractional) is an error. Used for
  // every count and index that sizes or indexes memory.
  int bounded(int lo, int hi, const char* what);
  // A 32-bit integer field.
  std::int32_t int32();
  // A quoted text item (an unquoted item is taken as it stands, trimmed).
  Bytes text();
  // An unquoted item read up to the next comma or line break, trimmed.
  Bytes bare();
  // Skips n items of any kind.
  void skip(int n);

  bool atEnd();
  std::size_t itemNumber() const { return item_; }  // items read so far
  const std::string& fileName() const { return file_; }
  [[noreturn]] void fail(const std::string& expected, const std::string& found) const;

 private:
  // The common form, inline: blanks, an optional minus, up to 15 digits, blanks, then a
  // comma or the end of the data. False (nothing consumed) for anything else.
  bool plainNumber(double& out) {
    std::size_t p = pos_;
    const std::size_t n = data_.size();
    const char* d = data_.data();
    while (p < n && (d[p] == ' ' || d[p] == '\t')) ++p;
    const bool negative = p < n && d[p] == '-';
    if (negative) ++p;
    const std::size_t digitsAt = p;
    long long v = 0;
    while (p < n && d[p] >= '0' && d[p] <= '9' && p - digitsAt < 15) v = v * 10 + (d[p++] - '0');
    if (p == digitsAt) return false;
    while (p < n && (d[p] == ' ' || d[p] == '\t')) ++p;
    if (p < n && d[p] != ',') return false;
    ++item_;
    pos_ = p < n ? p + 1 : p;
    out = negative ? -static_cast<double>(v) : static_cast<double>(v);
    return true;
  }
  double numberSlow();
  void skipLeading();
  std::string_view rawItem();  // unquoted item, position after its terminator
  void endItem();              // consume up to and including the terminator

  std::string_view data_;
  std::size_t pos_ = 0;
  std::size_t item_ = 0;
  std::string file_;
};

}  // namespace quillane::text
