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
}  // namespace

void setUpProcessMemory(std::size_t growth) {
  ::mallopt(M_ARENA_MAX, 1);
  ::mallopt(M_MMAP_THRESHOLD, kFromHeapBelow);
  ::mallopt(M_TRIM_THRESHOLD, kKeptFree);
  ::mallopt(M_TOP_PAD, static_cast<int>(growth));
  // Growing the heap now: a block larger than what it has left.
  const auto before = reinterpret_cast<std::uintptr_t>(::sbrk(0));
  static void* volatile probe;  // volatile: a malloc freed at once may be left out
  probe = std::malloc(std::size_t{256} << 10);
  std::free(probe);
  const auto after = reinterpret_cast<std::uintptr_t>(::sbrk(0));
  const std::uintptr_t from = (before + kHugePage - 1) & ~(kHugePage - 1);
  const std::uintptr_t to = after & ~(kHugePage - 1);
#ifdef MADV_HUGEPAGE
  if (to > from) ::madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE);
#else
  (void)from, (void)to;
#endif
}

}  // namespace quillane::data
