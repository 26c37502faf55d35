#pragma once
// A buffer that whole files are read into, one after another, without being zero-filled
// or copied again. Its memory is mapped straight from the system; from 2 MB on it is
// aligned to 2 MB and asked for in huge pages where the system gives them on request.
// A short process that reads a 5 MB table otherwise spends more time taking some 1300
// page faults (each clearing a fresh 4 KB page) than reading the bytes.
#include <cstddef>
#include <filesystem>
#include <string_view>

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

  // Reads the whole file at `path`, reusing the buffer. False when the file is missing,
  // no regular file, unreadable or larger than `limit` bytes; a file that grows while
  // it is read is read to its end (or refused past `limit`).
  bool readFile(const std::filesystem::path& path, std::size_t limit);
  // The same from an open file, read from where it stands to its end; `fd` stays open.
  bool readFrom(int fd, std::size_t limit);

 private:
  // Room for at least `bytes`; the first `keep` bytes stay. False when the system
  // gives no memory.
  bool reserve(std::size_t bytes, std::size_t keep);
  void release();

  char* data_ = nullptr;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
};

}  // namespace quillane::files
