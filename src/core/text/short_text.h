#pragma once
// Short texts (most of a table's: names of sounds and files) copied into a string in
// one block of fixed size.
#include <memory>

#include "core/text/cp932.h"

namespace quillane::text {

// Texts shorter than this many bytes are copied by putShort (and take text()'s inline
// path).
inline constexpr unsigned kShortText = 16;
// A text of `length` < kShortText bytes at `open`, where kShortText - 1 bytes are
// readable: the string is made anew from a block of fixed size and cut back, which
// copies without branching on the length and never allocates, so never throws (the
// standard libraries hold at least 15 bytes in a string's own buffer). Whatever
// `into` held is released first.
[[gnu::always_inline]] inline void putShort(Bytes& into, const char* open, unsigned length) {
  if (length >= kShortText) __builtin_unreachable();
  if (length == 0) {  // empty texts are common: unused names and labels
    into.clear();
    return;
  }
  std::destroy_at(&into);
  std::construct_at(&into, open, kShortText - 1);
  into.erase(length);
}

}  // namespace quillane::text
