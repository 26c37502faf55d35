#pragma once
// The one layer through which the editor changes files and folders: create, write,
// flush, close, rename, delete, make a folder, flush a folder. Every step is a call of
// its own, so a test can put in a layer that fails or stops at any step of a save or
// of its recovery and check that the project is then wholly as before or as after.
// Reading and listing do not go through it: they change nothing.
#include <filesystem>
#include <string_view>
#include <system_error>
#include <vector>

namespace quillane::files {

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // A new (or truncated) file opened for writing with `mode`; `handle` identifies it.
  virtual std::error_code create(const std::filesystem::path& path, unsigned mode, int& handle) = 0;
  virtual std::error_code write(int handle, std::string_view bytes) = 0;
  virtual std::error_code flush(int handle) = 0;  // the file's bytes on disk
  virtual std::error_code close(int handle) = 0;
  virtual std::error_code rename(const std::filesystem::path& from, const std::filesystem::path& to) = 0;
  // A file, a symbolic link or an empty folder.
  virtual std::error_code remove(const std::filesystem::path& path) = 0;
  virtual std::error_code makeFolder(const std::filesystem::path& path) = 0;
  virtual std::error_code flushFolder(const std::filesystem::path& dir) = 0;  // its entries on disk
};

// The operating system's own file system.
FileSystem& systemFileSystem();

// The layer in use: the system's unless a test has put another in place.
FileSystem& fileSystem();

// Puts `layer` in place for the life of the object (tests).
class FileSystemOverride {
 public:
  explicit FileSystemOverride(FileSystem& layer);
  ~FileSystemOverride();
  FileSystemOverride(const FileSystemOverride&) = delete;
  FileSystemOverride& operator=(const FileSystemOverride&) = delete;

 private:
  FileSystem* previous_;
};

// Creates `path`, writes `bytes`, flushes and closes it; a file left half-written by a
// failure is removed. Throws std::runtime_error naming `path` and the reason.
void writeNewFile(const std::filesystem::path& path, std::string_view bytes, unsigned mode = 0644);

// A file for writeNewFiles: where it goes and its bytes.
struct NewFile {
  std::filesystem::path path;
  std::string_view bytes;
};

// Writes several new files as writeNewFile does, but every file of a group is created
// and written before the first is flushed: a folder's new entries then reach the disk
// with that first flush instead of once per file, and the data of the group is written
// out together. On failure every file it created is removed (the first error is
// thrown, naming its path); nothing is left open.
void writeNewFiles(const std::vector<NewFile>& files, unsigned mode = 0644);

// Removes a file or a whole folder tree. Symbolic links are removed, never followed.
// Returns the first error (a missing path is no error).
std::error_code removeTree(const std::filesystem::path& path);

// The same as a thrown std::runtime_error naming the path.
[[noreturn]] void failWith(const std::filesystem::path& path, const std::error_code& ec);

}  // namespace quillane::files
