#include "cli/process_memory.h"

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>

namespace quillane::cli {

namespace {
constexpr std::uintptr_t kHugePage = std::uintptr_t{2} << 20;
}

void growHeapInHugePages(std::size_t bytes) {
  const int room = static_cast<int>(bytes);
  ::mallopt(M_MMAP_THRESHOLD, room);  // large blocks from the heap as well
  ::mallopt(M_TOP_PAD, room);         // the heap grows by `bytes` at once...
  ::mallopt(M_TRIM_THRESHOLD, 2 * room);  // ...and is not given back in between
  // Growing it now: a block larger than what the heap has left.
  const auto before = reinterpret_cast<std::uintptr_t>(::sbrk(0));
  static void* volatile probe;  // volatile: a malloc freed at once may be left out
  probe = std::malloc(std::size_t{256} << 10);
  std::free(probe);
  const auto after = reinterpret_cast<std::uintptr_t>(::sbrk(0));
  const std::uintptr_t from = (before + kHugePage - 1) & ~(kHugePage - 1);
  const std::uintptr_t to = after & ~(kHugePage - 1);
#ifdef MADV_HUGEPAGE
  if (to > from) ::madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE);
#endif
}

}  // namespace quillane::cli
