#include "core/text/item_writer.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace quillane::text {

namespace {
constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";
}  // namespace

std::string numberForm(double value) {
  // A value held as single precision is written as the shortest decimal that reads
  // back to the same float; whole values are written as plain digits.
  std::string out(1, value < 0 ? '-' : ' ');
  double magnitude = std::fabs(value);
  char buf[64];
  if (magnitude == std::floor(magnitude) && magnitude < 1e15) {
    auto r = std::to_chars(buf, buf + sizeof buf, static_cast<long long>(magnitude));
    out.append(buf, static_cast<std::size_t>(r.ptr - buf));
  } else {
    float f = static_cast<float>(magnitude);
    auto r = (static_cast<double>(f) == magnitude)
                 ? std::to_chars(buf, buf + sizeof buf, f, std::chars_format::fixed)
                 : std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::fixed);
    out.append(buf, static_cast<std::size_t>(r.ptr - buf));
  }
  out.push_back(' ');
  return out;
}

void ItemWriter::put(std::string_view bytes) {
  if (bytes.size() > kChunk / 2) {
    flush();
    out_.append(bytes);
    return;
  }
  std::memcpy(room(bytes.size()), bytes.data(), bytes.size());
  used_ += bytes.size();
}

void ItemWriter::number(double value) {
  // Whole numbers (nearly every item of a table) are formed in place, in the form
  // numberForm gives them.
  if (std::fabs(value) < 1e15) {
    const long long whole = static_cast<long long>(value);
    if (static_cast<double>(whole) == value) {
      char* const start = room(24);
      char* p = start;
      *p++ = whole < 0 ? '-' : ' ';
      const unsigned long long m = whole < 0 ? 0ULL - static_cast<unsigned long long>(whole)
                                             : static_cast<unsigned long long>(whole);
      // Most numbers of a table have one to three digits: written from a table of
      // digit pairs without a division loop.
      if (m < 10) {
        *p++ = static_cast<char>('0' + m);
      } else if (m < 100) {
        std::memcpy(p, kDigitPairs + 2 * m, 2);
        p += 2;
      } else if (m < 1000) {
        *p = static_cast<char>('0' + m / 100);
        std::memcpy(p + 1, kDigitPairs + 2 * (m % 100), 2);
        p += 3;
      } else {
        p = std::to_chars(p, start + 22, m).ptr;
      }
      *p++ = ' ';
      *p++ = ',';
      used_ += static_cast<std::size_t>(p - start);
      return;
    }
  }
  put(numberForm(value));
  put(",");
}

void ItemWriter::text(std::string_view value) {
  put("\"");
  put(value);
  put("\",");
}

void ItemWriter::bare(std::string_view value) {
  put(value);
  put(",");
}

void ItemWriter::raw(std::string_view bytes) { put(bytes); }

}  // namespace quillane::text
