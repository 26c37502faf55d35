#pragma once
// What the window readers of writer_run.cpp share with the one in a file of its own
// (writer_windows_avx512.cpp), which needs a target of its own.
#include <cstddef>
#include <cstdint>

namespace quillane::text::writer_windows {

// The bytes of a window of 64 that are commas, blanks, minus signs and digits (bit i for
// byte i).
struct Classes {
  std::uint64_t comma = 0, blank = 0, minus = 0, digit = 0;
};

constexpr std::size_t kWindow = 64;
// A window is only taken with eight bytes after it and eight before its first byte: the
// one-by-one conversion loads each number as the eight bytes that end at its last digit.
constexpr std::size_t kAhead = kWindow + 8, kBehind = 8;

namespace avx512 {
// True when the machine has what windows() below runs on.
bool supported();
// As the other windows(): reads numbers in the writer's form from `pos` into
// out[0..count), returns how many and leaves `pos` after the last. It stops before the
// same items as they do (another form, more than eight digits, "-0", the count), but as
// it reads blocks of 64 bytes at fixed steps, not windows that begin after a last comma,
// it may leave a few more or fewer of the items before them, or near the end of the
// data, to the one-by-one reader.
std::size_t windows(const char* d, std::size_t size, std::size_t& pos, std::int32_t* out, std::size_t count);
}  // namespace avx512

}  // namespace quillane::text::writer_windows
