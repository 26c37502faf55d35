#include "core/text/item_writer.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace quillane::text {

std::string numberForm(double value) {
  // A value held as single precision is written as the shortest decimal that reads
  // back to the same float; whole values are written as plain digits.
  std::string out(1, value < 0 ? '-' : ' ');
  double magnitude = std::fabs(value);
  // Room for any double in fixed notation (up to 309 digits before the point, some 330
  // after it for the smallest): a shorter buffer left garbage for values beyond 1e64.
  char buf[400];
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
  cur_ = p + form.size() + 1;
}

// A text the short path did not take: long, holding a quote, or at the end of the room.
bool ItemWriter::quotedTextLong(const Bytes& value) {
  if (std::memchr(value.data(), '"', value.size())) return false;
  text(value);
  return true;
}

// More room: within the buffer's capacity a page at a time (the new part is filled
// with zeros, then written over: a buffer kept from the same file's last save runs out
// only near its end, and each save would fill its whole step), beyond it by doubling.
void ItemWriter::grow(std::size_t n) {
  constexpr std::size_t kStep = 64 * 1024, kWithin = 4096;
  const std::size_t used = this->used(), need = used + n;
  const std::size_t capacity = out_.capacity();
  out_.resize(need + kWithin <= capacity ? need + kWithin
              : need <= capacity        ? capacity
                                        : std::max(need + kStep, 2 * out_.size()));
  reset(used);
}

}  // namespace quillane::text
