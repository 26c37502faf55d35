#pragma once
// A buffer that whole files are read into, one after another, without being zero-filled
// or copied again. Its memory is mapped straight from the system; from 2 MB on it is
// aligned to 2 MB and asked for in huge pages where the system gives them on request.
// A short process that reads a 5 MB table otherwise spends more time taking some 1300
// page faults (each clearing a fresh 4 KB page) than reading the bytes.
#include <algorithm>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string_view>
#include <utility>

namespace quillane::files {

class ReadBuffer {
 public:
  ReadBuffer() = default;
  ~ReadBuffer();
  ReadBuffer(ReadBuffer&& other) noexcept;
  ReadBuffer& operator=(ReadBuffer&& other) noexcept;
  ReadBuffer(const ReadBuffer&) = delete;
  ReadBuffer& operator=(const ReadBuffer&) = delete;

  // The bytes of the last file read (empty after a failed read).
  std::string_view view() const { return {data_, size_}; }
  std::size_t capacity() const { return capacity_; }

  // Reads the open file `fd` from where it stands to its end, reusing the buffer; `fd`
  // stays open. False when it is no regular file, unreadable or larger than `limit`
  // bytes; a file that grows while it is read is read to its end (or refused past
  // `limit`).
  bool readFrom(int fd, std::size_t limit);

  // The buffer kept in `slot` (0 or 1) from an earlier load (an empty one when there
  // is none or it is in use), and back. Loading a project again then reads into memory
  // that is already there: a freshly mapped buffer costs a page fault per page, each
  // clearing the page, on every load. A load reads with one buffer per thread, each
  // thread with its own slot, and the level table into a slot of its own. A buffer
  // larger than 16 MB is given back to the system, so what is kept is at most 48 MB,
  // mostly the size of the largest tables read. Safe from any thread.
  static constexpr std::size_t kKeptSlots = 3;
  static ReadBuffer takeKept(std::size_t slot);
  static void keep(std::size_t slot, ReadBuffer&& buffer);

 private:
  // Room for at least `bytes`; the first `keep` bytes stay. False when the system
  // gives no memory.
  bool reserve(std::size_t bytes, std::size_t keep);
  void release();

  char* data_ = nullptr;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
};

// The buffer of a slot (ReadBuffer::takeKept) while it lives.
class KeptReadBuffer {
 public:
  explicit KeptReadBuffer(std::size_t slot) : slot_(slot), buffer_(ReadBuffer::takeKept(slot)) {}
  ~KeptReadBuffer() { ReadBuffer::keep(slot_, std::move(buffer_)); }
  KeptReadBuffer(const KeptReadBuffer&) = delete;
  KeptReadBuffer& operator=(const KeptReadBuffer&) = delete;
  ReadBuffer& operator*() { return buffer_; }
  ReadBuffer* operator->() { return &buffer_; }

 private:
  std::size_t slot_;
  ReadBuffer buffer_;
};

// Reads an open file from where it stands to its end into memory given by
// `room(bytes, keep)`, which returns where at least `bytes` bytes fit with the first
// `keep` of them kept (nullptr when there is no memory). The number of bytes read;
// empty when `fd` is no regular file, cannot be read, or holds more than `limit`
// bytes. A file that grows while it is read is read to its end: the room asked for
// first is one byte more than its size, which shows whether it did.
template <class Room>
std::optional<std::size_t> readToEnd(int fd, std::size_t limit, Room&& room);

// The part of readToEnd that does not depend on the memory.
namespace detail {
std::optional<std::size_t> sizeToRead(int fd, std::size_t limit);
// -1 on an error, 0 at the end, else the bytes read (EINTR retried).
long readSome(int fd, char* into, std::size_t room);
}  // namespace detail

template <class Room>
std::optional<std::size_t> readToEnd(int fd, std::size_t limit, Room&& room) {
  const auto size = detail::sizeToRead(fd, limit);
  if (!size) return std::nullopt;
  std::size_t capacity = *size + 1, done = 0;
  char* data = room(capacity, std::size_t{0});
  for (;;) {
    if (!data) return std::nullopt;
    const long n = detail::readSome(fd, data + done, capacity - done);
    if (n < 0) return std::nullopt;
    if (n == 0) return done;
    done += static_cast<std::size_t>(n);
    if (done > limit) return std::nullopt;
    if (done == capacity) {
      capacity = std::min(2 * capacity, limit + 1);
      data = room(capacity, done);
    }
  }
}

}  // namespace quillane::files
