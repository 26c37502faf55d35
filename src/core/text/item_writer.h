#pragma once
// Writer of the project text form: every item followed by ","; numbers as a sign
// character (blank or "-"), the digits and one trailing blank; texts in double quotes.
#include <cstdint>
#include <string>
#include <string_view>

#include "core/text/cp932.h"

namespace quillane::text {

// The number form without the comma: " 12 ", "-3 ", " 0 ", " 62.5 ".
std::string numberForm(double value);

class ItemWriter {
 public:
  void number(double value);
  void text(std::string_view value);   // "value",
  void bare(std::string_view value);   // value,   (an unquoted text item)
  void raw(std::string_view bytes);    // written as it stands (the bare "99\r\n", "0,")

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
  // a table file is mostly short numbers, and one append per item dominated saving.
  static constexpr std::size_t kChunk = 4096;
  char* room(std::size_t n) {
    if (used_ + n > kChunk) flush();
    return chunk_ + used_;
  }
  void put(std::string_view bytes);
  void flush() const {
    out_.append(chunk_, used_);
    used_ = 0;
  }

  mutable Bytes out_;
  mutable char chunk_[kChunk];
  mutable std::size_t used_ = 0;
};

}  // namespace quillane::text
