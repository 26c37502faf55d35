#include "core/data/process_memory.h"

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>

namespace quillane::data {

namespace {
constexpr std::uintptr_t kHugePage = std::uintptr_t{2} << 20;
constexpr int kFromHeapBelow = 32 << 20;
constexpr int kKeptFree = 64 << 20;
constexpr std::uintptr_t kPage = 4096;
}  // namespace

void setUpProcessMemory(std::size_t growth) {
  ::mallopt(M_ARENA_MAX, 1);
  ::mallopt(M_MMAP_THRESHOLD, kFromHeapBelow);
  ::mallopt(M_TRIM_THRESHOLD, kKeptFree);
  ::mallopt(M_TOP_PAD, static_cast<int>(growth));
  // The heap is grown now by a probe a little larger than what is left at its top. The
  // growth is placed so that the probe's block and the header after it end just below
  // a 2 MB boundary: from there on the heap is advised as huge pages before any of it
  // is touched. (A 2 MB range that already holds one small page goes on in small
  // pages, a fault each: the program's first blocks took some 300 of them.) What the
  // C library took before main stays where it is; the gap skipped is address space only.
  const auto start = reinterpret_cast<std::uintptr_t>(::sbrk(0));
  if (start == static_cast<std::uintptr_t>(-1)) return;
  const std::size_t request = ::mallinfo2().keepcost + 64;  // more than the top holds
  const std::uintptr_t room = (request + 2 * kPage - 1) & ~(kPage - 1);
  const std::uintptr_t boundary = (start + room + kHugePage - 1) & ~(kHugePage - 1);
  ::sbrk(static_cast<std::intptr_t>(boundary - room - start));
  const auto before = reinterpret_cast<std::uintptr_t>(::sbrk(0));
  static void* volatile probe;  // volatile: a malloc freed at once may be left out
  probe = std::malloc(request);
  std::free(probe);
  const auto after = reinterpret_cast<std::uintptr_t>(::sbrk(0));
  // The advice only where the growth came after the skip as planned.
  const std::uintptr_t from = before == boundary - room ? boundary : (before + 2 * kHugePage) & ~(kHugePage - 1);
  const std::uintptr_t to = after & ~(kHugePage - 1);
#ifdef MADV_HUGEPAGE
  if (to > from) ::madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE);
#else
  (void)from, (void)to;
#endif
}

}  // namespace quillane::data
