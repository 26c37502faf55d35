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

// Fractions, and whole numbers beyond the fast path's range.
void ItemWriter::otherNumber(double value) {
  const std::string form = numberForm(value);
  char* p = room(form.size() + 1);
  std::memcpy(p, form.data(), form.size());
  p[form.size()] = ',';
  used_ += form.size() + 1;
}

void ItemWriter::longItem(std::string_view before, std::string_view value, std::string_view after) {
  flush();
  out_.append(before);
  out_.append(value);
  out_.append(after);
}

}  // namespace quillane::text
