#pragma once
// How a short-lived command of quillane-tool takes its memory.
#include <cstddef>

namespace quillane::cli {

// Lets the heap grow once by `bytes` (every block, large ones too, taken from it) and
// asks for that room in huge pages where the system gives them on request. A load of
// the largest project fills some 10 MB of small blocks; taken page by page that is
// some 2500 page faults, more time than the parsing itself on a virtual machine.
// Only memory that is touched counts as used. Does nothing harmful where huge pages
// are not offered.
void growHeapInHugePages(std::size_t bytes);

}  // namespace quillane::cli
