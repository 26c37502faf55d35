#include "core/text/mapped_file.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <mutex>
#include <utility>

namespace quillane::files {

namespace {

// A watched mapping: [begin, end) while `used`. Written by the thread that maps, read by
// the handler on whichever thread faults; every field is lock-free.
struct Watched {
  std::atomic<bool> used{false};
  std::atomic<std::uintptr_t> begin{0}, end{0};
  std::atomic<bool> damaged{false};
};

std::array<Watched, kWatchedMappings>& watched() {
  // Never destroyed: a fault may come while the process ends.
  static auto* const all = new std::array<Watched, kWatchedMappings>;
  return *all;
}

struct sigaction previousHandler;

std::uintptr_t pageSize() {
  static const auto size = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
  return size;
}

std::size_t roundUp(std::size_t n, std::size_t step) { return (n + step - 1) / step * step; }

void onBusError(int signal, siginfo_t* info, void* context) {
  if (info && info->si_code > 0) {  // raised by a fault, not sent
    const auto at = reinterpret_cast<std::uintptr_t>(info->si_addr);
    for (Watched& w : watched()) {
      const std::uintptr_t end = w.end.load(std::memory_order_acquire);
      const std::uintptr_t begin = w.begin.load(std::memory_order_acquire);
      if (end == 0 || at < begin || at >= end) continue;
      // Zeros from the faulting page on: the reader finishes on them, and its result is
      // thrown away (intact() is false). The pages before may still hold the file.
      const int saved = errno;
      const std::uintptr_t page = at & ~(pageSize() - 1);
      void* zeros = ::mmap(reinterpret_cast<void*>(page), end - page, PROT_READ,
                           MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0);
      errno = saved;
      if (zeros == MAP_FAILED) break;  // no memory: the fault stays fatal
      w.damaged.store(true, std::memory_order_release);
      return;
    }
  }
  // Not ours: as if this handler had never been installed.
  if (previousHandler.sa_flags & SA_SIGINFO) {
    previousHandler.sa_sigaction(signal, info, context);
  } else if (previousHandler.sa_handler != SIG_DFL && previousHandler.sa_handler != SIG_IGN) {
    previousHandler.sa_handler(signal);
  } else if (previousHandler.sa_handler == SIG_DFL || (info && info->si_code > 0)) {
    // The default action: a fault happens again on return, a sent signal is raised again.
    ::signal(signal, SIG_DFL);
    if (!info || info->si_code <= 0) ::raise(signal);
  }
}

// Installs the handler once; whether it is the one in place now.
bool handlerInPlace() {
  static std::once_flag installed;
  std::call_once(installed, [] {
    struct sigaction mine {};
    mine.sa_sigaction = &onBusError;
    mine.sa_flags = SA_SIGINFO | SA_ONSTACK | SA_RESTART;
    sigemptyset(&mine.sa_mask);
    ::sigaction(SIGBUS, &mine, &previousHandler);
  });
  struct sigaction now {};
  if (::sigaction(SIGBUS, nullptr, &now) != 0) return false;
  return (now.sa_flags & SA_SIGINFO) && now.sa_sigaction == &onBusError;
}

int watch(std::uintptr_t begin, std::uintptr_t end) {
  auto& all = watched();
  for (std::size_t i = 0; i < all.size(); ++i) {
    bool expected = false;
    if (!all[i].used.compare_exchange_strong(expected, true, std::memory_order_acq_rel)) continue;
    all[i].damaged.store(false, std::memory_order_relaxed);
    all[i].begin.store(begin, std::memory_order_release);
    all[i].end.store(end, std::memory_order_release);
    return static_cast<int>(i);
  }
  return -1;
}

void unwatch(int slot) {
  Watched& w = watched()[static_cast<std::size_t>(slot)];
  w.end.store(0, std::memory_order_release);
  w.begin.store(0, std::memory_order_release);
  w.used.store(false, std::memory_order_release);
}

}  // namespace

MappedFile::~MappedFile() { release(); }

MappedFile::MappedFile(MappedFile&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)),
      size_(std::exchange(other.size_, 0)),
      reserved_(std::exchange(other.reserved_, 0)),
      fd_(std::exchange(other.fd_, -1)),
      guard_(std::exchange(other.guard_, -1)) {}

MappedFile& MappedFile::operator=(MappedFile&& other) noexcept {
  if (this != &other) {
    release();
    data_ = std::exchange(other.data_, nullptr);
    size_ = std::exchange(other.size_, 0);
    reserved_ = std::exchange(other.reserved_, 0);
    fd_ = std::exchange(other.fd_, -1);
    guard_ = std::exchange(other.guard_, -1);
  }
  return *this;
}

bool MappedFile::map(int fd, std::size_t least, std::size_t limit) {
  release();
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) return false;
  const auto size = static_cast<std::uintmax_t>(st.st_size);
  if (size < least || size > limit || !handlerInPlace()) return false;
  const std::size_t page = pageSize();
  const std::size_t fileBytes = roundUp(static_cast<std::size_t>(size), page);
  // One byte past the end is readable: in the file's last page, or in a zero page
  // after it when the file ends at a page's end.
  const std::size_t reserved = roundUp(static_cast<std::size_t>(size) + 1, page);
  void* base = ::mmap(nullptr, reserved, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
  if (base == MAP_FAILED) return false;
  if (fileBytes > 0 && ::mmap(base, fileBytes, PROT_READ, MAP_PRIVATE | MAP_FIXED, fd, 0) == MAP_FAILED) {
    ::munmap(base, reserved);
    return false;
  }
  const auto begin = reinterpret_cast<std::uintptr_t>(base);
  const int slot = watch(begin, begin + fileBytes);
  if (slot < 0) {
    ::munmap(base, reserved);
    return false;
  }
  data_ = static_cast<char*>(base);
  size_ = static_cast<std::size_t>(size);
  reserved_ = reserved;
  fd_ = fd;
  guard_ = slot;
  return true;
}

void MappedFile::release() {
  if (!data_) return;
  unwatch(guard_);
  ::munmap(data_, reserved_);
  ::close(fd_);
  data_ = nullptr;
  size_ = reserved_ = 0;
  fd_ = guard_ = -1;
}

bool MappedFile::intact() const {
  if (!data_) return true;
  if (watched()[static_cast<std::size_t>(guard_)].damaged.load(std::memory_order_acquire)) return false;
  struct stat st;
  return ::fstat(fd_, &st) == 0 && static_cast<std::uintmax_t>(st.st_size) >= size_;
}

}  // namespace quillane::files
