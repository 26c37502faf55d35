#pragma once
// One cell of a map layer: a tile code of at most three CP932 bytes ("00".."FF", or
// a bank digit and two hexadecimal digits with the split map-chip form). Held inline
// in four bytes so that layers are flat arrays that copy, compare and fill cheaply.
#include <cstdint>
#include <cstring>
#include <string_view>

#include "core/text/cp932.h"

namespace quillane::map {

class TileCode {
 public:
  static constexpr std::size_t kMaxLength = 3;

  constexpr TileCode() = default;
  // Keeps the first three bytes of `code`; cells are cut from row texts at two or
  // three bytes, so nothing longer arises.
  explicit TileCode(std::string_view code) {
    len_ = static_cast<std::uint8_t>(code.size() < kMaxLength ? code.size() : kMaxLength);
    if (len_ != 0) std::memcpy(chars_, code.data(), len_);  // an empty view may have no data
  }

  std::string_view view() const { return {chars_, len_}; }
  text::Bytes text() const { return text::Bytes(chars_, len_); }
  std::size_t size() const { return len_; }
  bool empty() const { return len_ == 0; }

  // One 32-bit compare: the painting tools compare cells in their inner loops.
  friend bool operator==(const TileCode& a, const TileCode& b) {
    return std::memcmp(&a, &b, sizeof(TileCode)) == 0;
  }

 private:
  char chars_[kMaxLength]{};  // unused bytes stay 0, so equality compares texts
  std::uint8_t len_ = 0;
};

static_assert(sizeof(TileCode) == 4);

}  // namespace quillane::map
