#pragma once
// How a process of this program takes its memory: one call at the start of main, the
// same in the editor, in quillane-tool and in the benchmarks that measure them.
#include <cstddef>

namespace quillane::data {

// Keeps memory that a loaded project gave back for the next one, and takes it from the
// system in large pieces:
// - every block smaller than 32 MB comes from the heap (a column of a large table
//   would otherwise be mapped and unmapped on its own), and up to 64 MB freed at the
//   top of the heap stays with the process instead of being handed back;
// - the heap grows by `growth` bytes at a time, asked for in huge pages where the
//   system gives them on request;
// - every thread takes its blocks from that one heap (a load reads its tables
//   with the help of a second thread, whose own heap would start empty in every short
//   process).
// The largest project fills some 10 MB of small blocks: taken page by page and handed
// back after every load, that is some 1000 page faults per load, about as much time as
// the parsing itself on a virtual machine. Freed memory that stays costs no more than
// the largest project held so far. Call before any other thread is started.
void setUpProcessMemory(std::size_t growth = std::size_t{32} << 20);

}  // namespace quillane::data
