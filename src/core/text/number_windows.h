#pragma once
// Which instructions ItemReader::writerRun reads its windows of 64 bytes with. The
// widest the machine has is chosen at start; tests choose each in turn to compare them.

namespace quillane::text {

enum class NumberWindows {
  Sse2,    // 16-byte compares (SSE2, which every x86-64 has; plain code elsewhere)
  Avx2,    // 32-byte compares, eight numbers converted at once
  Avx512,  // blocks of 64 bytes at fixed steps, each item's digits gathered by a byte permute (VBMI, VBMI2)
};

// Whether this machine (and its system) can run `path`.
bool hasNumberWindows(NumberWindows path);
// Reads with `path`, or with the widest path below it that the machine has. Returns the
// previous choice.
NumberWindows useNumberWindows(NumberWindows path);
// The choice in force.
NumberWindows numberWindows();

}  // namespace quillane::text
