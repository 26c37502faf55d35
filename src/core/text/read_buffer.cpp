#include "core/text/read_buffer.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <mutex>
#include <utility>

namespace quillane::files {

namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;
constexpr std::size_t kSmallStep = std::size_t{64} << 10;

std::size_t roundUp(std::size_t n, std::size_t step) { return (n + step - 1) / step * step; }

// `bytes` of fresh memory. A size of whole huge pages is aligned to a huge page, so
// that each of them can be one.
char* mapMemory(std::size_t bytes) {
  const bool huge = bytes >= kHugePage;
  const std::size_t mapped = huge ? bytes + kHugePage : bytes;
  void* raw = ::mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (raw == MAP_FAILED) return nullptr;
  char* start = static_cast<char*>(raw);
  if (!huge) return start;
  char* aligned = reinterpret_cast<char*>(roundUp(reinterpret_cast<std::uintptr_t>(start), kHugePage));
  if (aligned > start) ::munmap(start, static_cast<std::size_t>(aligned - start));
  const std::size_t tail = static_cast<std::size_t>(start + mapped - (aligned + bytes));
  if (tail > 0) ::munmap(aligned + bytes, tail);
#ifdef MADV_HUGEPAGE
  ::madvise(aligned, bytes, MADV_HUGEPAGE);  // a hint: without it the pages are small
#endif
  return aligned;
}

}  // namespace

ReadBuffer::~ReadBuffer() { release(); }

ReadBuffer::ReadBuffer(ReadBuffer&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)),
      size_(std::exchange(other.size_, 0)),
      capacity_(std::exchange(other.capacity_, 0)) {}

ReadBuffer& ReadBuffer::operator=(ReadBuffer&& other) noexcept {
  if (this != &other) {
    release();
    data_ = std::exchange(other.data_, nullptr);
    size_ = std::exchange(other.size_, 0);
    capacity_ = std::exchange(other.capacity_, 0);
  }
  return *this;
}

void ReadBuffer::release() {
  if (data_) ::munmap(data_, capacity_);
  data_ = nullptr;
  size_ = capacity_ = 0;
}

bool ReadBuffer::reserve(std::size_t bytes, std::size_t keep) {
  if (bytes <= capacity_) return true;
  const std::size_t wanted = bytes >= kHugePage / 2 ? roundUp(bytes, kHugePage) : roundUp(bytes, kSmallStep);
  char* fresh = mapMemory(wanted);
  if (!fresh) return false;
  if (keep > 0) std::memcpy(fresh, data_, keep);
  release();
  data_ = fresh;
  capacity_ = wanted;
  return true;
}

bool ReadBuffer::readFrom(int fd, std::size_t limit) {
  size_ = 0;
  const auto done = readToEnd(fd, limit, [this](std::size_t bytes, std::size_t keep) {
    return reserve(bytes, keep) ? data_ : nullptr;
  });
  if (done) size_ = *done;
  return done.has_value();
}

namespace {

constexpr std::size_t kLargestKept = std::size_t{16} << 20;

struct KeptBuffers {
  std::mutex lock;
  std::array<ReadBuffer, ReadBuffer::kKeptSlots> buffers;
};

KeptBuffers& keptBuffers() {
  // Never destroyed: a buffer may be given back while the process ends.
  static KeptBuffers* const kept = new KeptBuffers;
  return *kept;
}

}  // namespace

ReadBuffer ReadBuffer::takeKept(std::size_t slot) {
  KeptBuffers& kept = keptBuffers();
  std::lock_guard<std::mutex> hold(kept.lock);
  return slot < kKeptSlots ? std::move(kept.buffers[slot]) : ReadBuffer{};
}

void ReadBuffer::keep(std::size_t slot, ReadBuffer&& buffer) {
  buffer.size_ = 0;
  if (slot >= kKeptSlots || buffer.capacity_ == 0 || buffer.capacity_ > kLargestKept) return;
  KeptBuffers& kept = keptBuffers();
  std::lock_guard<std::mutex> hold(kept.lock);
  if (kept.buffers[slot].capacity_ == 0) kept.buffers[slot] = std::move(buffer);
}

namespace detail {

std::optional<std::size_t> sizeToRead(int fd, std::size_t limit) {
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || static_cast<std::uintmax_t>(st.st_size) > limit)
    return std::nullopt;
  return static_cast<std::size_t>(st.st_size);
}

long readSome(int fd, char* into, std::size_t room) {
  for (;;) {
    const ssize_t n = ::read(fd, into, room);
    if (n >= 0 || errno != EINTR) return n;
  }
}

}  // namespace detail

}  // namespace quillane::files
