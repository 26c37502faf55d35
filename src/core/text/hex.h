#pragma once
// Hexadecimal digits as the project files write them (either case).

namespace quillane::text {

// The value 0..15 of a hex digit, or -1 when `c` is none.
constexpr int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace quillane::text
