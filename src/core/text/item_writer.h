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

  const Bytes& bytes() const { return out_; }
  Bytes take() { return std::move(out_); }

 private:
  Bytes out_;
};

}  // namespace quillane::text
