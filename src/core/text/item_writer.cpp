#include "core/text/item_writer.h"

#include <charconv>
#include <cmath>

namespace quillane::text {

std::string numberForm(double value) {
  // A value held as single precision is written as the shortest decimal that reads
  // back to the same float; whole values are written as plain digits.
  std::string out(1, value < 0 ? '-' : ' ');
  double magnitude = std::fabs(value);
  char buf[64];
  if (magnitude == std::floor(magnitude) && magnitude < 1e15) {
    auto r = std::to_chars(buf, buf + sizeof buf, static_cast<long long>(magnitude));
    out.append(buf, r.ptr);
  } else {
    float f = static_cast<float>(magnitude);
    auto r = (static_cast<double>(f) == magnitude)
                 ? std::to_chars(buf, buf + sizeof buf, f, std::chars_format::fixed)
                 : std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::fixed);
    out.append(buf, r.ptr);
  }
  out.push_back(' ');
  return out;
}

void ItemWriter::number(double value) {
  // Whole numbers (nearly every item of a table) go straight into the output, in the
  // form numberForm gives them.
  const double magnitude = std::fabs(value);
  if (magnitude == std::floor(magnitude) && magnitude < 1e15) {
    char buf[24];
    char* p = buf;
    *p++ = value < 0 ? '-' : ' ';
    p = std::to_chars(p, buf + sizeof buf, static_cast<long long>(magnitude)).ptr;
    *p++ = ' ';
    *p++ = ',';
    out_.append(buf, p);
    return;
  }
  out_ += numberForm(value);
  out_.push_back(',');
}

void ItemWriter::text(std::string_view value) {
  out_.push_back('"');
  out_.append(value);
  out_ += "\",";
}

void ItemWriter::bare(std::string_view value) {
  out_.append(value);
  out_.push_back(',');
}

void ItemWriter::raw(std::string_view bytes) { out_.append(bytes); }

}  // namespace quillane::text
