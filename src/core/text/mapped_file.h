#pragma once
// A large file's bytes mapped into memory instead of copied: a load reads a file larger
// than any table in the writer's form where the system keeps it, without holding a
// copy of it too.
//
// A mapped file that shrinks while it is read would stop the process (a bus error on
// the first page past its new end). Every mapping is registered with a handler of that
// signal, installed once per process: a fault in a registered mapping puts zero pages
// over the rest of it, marks it damaged and lets the reader go on; intact() then tells
// the caller to fail with the file's read error. Faults elsewhere go to the handler that
// was installed before (or end the process as they would have).
#include <cstddef>
#include <string_view>

namespace quillane::files {

class MappedFile {
 public:
  MappedFile() = default;
  ~MappedFile();
  MappedFile(MappedFile&& other) noexcept;
  MappedFile& operator=(MappedFile&& other) noexcept;
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;

  // Maps the whole file open as `fd` (which the mapping keeps open until release). False,
  // with `fd` left open for the caller, when it is no regular file, holds fewer than
  // `least` or more than `limit` bytes, cannot be mapped, or the fault handler is not
  // in place (another was installed after it): the caller reads it instead. At least
  // one byte past the end is readable (zero), as in a ReadBuffer.
  bool map(int fd, std::size_t least, std::size_t limit);
  // Unmaps and closes.
  void release();

  bool mapped() const { return data_ != nullptr; }
  std::string_view view() const { return {data_, size_}; }

  // False when the file shrank since it was mapped: a page past its new end was read
  // (and seen as zeros), or the file is shorter now. Call after the bytes were parsed;
  // a result parsed from them is then not the file's.
  bool intact() const;

 private:
  char* data_ = nullptr;
  std::size_t size_ = 0;
  std::size_t reserved_ = 0;  // bytes of address space, whole pages
  int fd_ = -1;
  int guard_ = -1;  // the handler's slot of this mapping
};

// For tests: mappings the handler may watch at once (more are read instead).
inline constexpr std::size_t kWatchedMappings = 16;

}  // namespace quillane::files
