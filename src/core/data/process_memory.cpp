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
// madvise: make a range huge pages at once (older system headers lack the name).
#ifdef MADV_COLLAPSE
constexpr int kCollapse = MADV_COLLAPSE;
#else
constexpr int kCollapse = 25;
#endif
}  // namespace

void setUpProcessMemory(std::size_t growth) {
  ::mallopt(M_ARENA_MAX, 1);
  ::mallopt(M_MMAP_THRESHOLD, kFromHeapBelow);
  ::mallopt(M_TRIM_THRESHOLD, kKeptFree);
  ::mallopt(M_TOP_PAD, static_cast<int>(growth));
  // The heap goes on from a 2 MB boundary: what the C library took before main stays
  // where it is, the rest of its 2 MB is skipped (address space only). The program's
  // first blocks would otherwise land in up to 2 MB of small pages, a fault each.
  const auto start = reinterpret_cast<std::uintptr_t>(::sbrk(0));
  const std::uintptr_t boundary = (start + kHugePage - 1) & ~(kHugePage - 1);
  if (start != static_cast<std::uintptr_t>(-1) && boundary > start)
    ::sbrk(static_cast<std::intptr_t>(boundary - start));
  // Growing the heap now: a block larger than what it has left.
  const auto before = reinterpret_cast<std::uintptr_t>(::sbrk(0));
  static void* volatile probe;  // volatile: a malloc freed at once may be left out
  probe = std::malloc(std::size_t{256} << 10);
  std::free(probe);
  const auto after = reinterpret_cast<std::uintptr_t>(::sbrk(0));
  const std::uintptr_t from = (before + kHugePage - 1) & ~(kHugePage - 1);
  const std::uintptr_t to = after & ~(kHugePage - 1);
#ifdef MADV_HUGEPAGE
  if (to > from) {
    ::madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE);
    // The probe wrote its block headers into the first 2 MB before the advice, in
    // small pages, and a range that holds one small page goes on in small pages:
    // it is made one huge page now (where the system can; otherwise it stays so).
    ::madvise(reinterpret_cast<void*>(from), kHugePage, kCollapse);
  }
#else
  (void)from, (void)to;
#endif
}

}  // namespace quillane::data
