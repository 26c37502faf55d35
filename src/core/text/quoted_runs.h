#pragma once
// Runs of quoted texts in the writer's form ("name","","sound",) read a block of 64
// bytes at a time: the quotes and commas of the block found as bit masks, every text's
// start and end taken from them, so reading one text does not wait for the end of the
// one before it.
#include <cstddef>
#include <vector>

#include "core/text/cp932.h"

namespace quillane::text {

// Reads texts in the writer's form (a quote, bytes other than a quote, a quote, the
// comma) from `at` into out[0..count). Returns how many, `at` moved past the last
// one's comma. It stops, with nothing consumed for it, before any other item and before
// a text that ends in a block of 64 bytes with fewer than kQuotedRunReads bytes from
// its start to `end` (the blocks start at `at`, 64 bytes apart).
std::size_t readQuotedRuns(const char*& at, const char* end, Bytes* out, std::size_t count);
// The bytes from a block's first byte that reading it may touch: its own, two after
// them, and the 15 bytes putShort reads from a text that starts at its last byte.
inline constexpr std::size_t kQuotedRunReads = 79;

// The instruction sets the blocks can be classified with. Tests read with each.
enum class QuotedRunPath { Portable, Sse2, Avx2, Avx512 };
// The paths this machine has, widest last; the widest is in use unless a test chose.
std::vector<QuotedRunPath> quotedRunPaths();
// Reads with `path` (one of quotedRunPaths()) from now on; returns the previous path.
QuotedRunPath useQuotedRunPath(QuotedRunPath path);

}  // namespace quillane::text
