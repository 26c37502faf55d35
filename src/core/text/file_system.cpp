#include "core/text/file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>
#include <utility>
#include <algorithm>
#include <vector>

namespace quillane::files {

namespace fs = std::filesystem;

namespace {

std::error_code lastError() { return {errno, std::generic_category()}; }

class SystemFileSystem final : public FileSystem {
 public:
  std::error_code create(const fs::path& path, unsigned mode, int& handle) override {
    handle = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
    if (handle < 0) return lastError();
    ::fchmod(handle, mode);  // an existing file keeps its old mode otherwise
    return {};
  }
  std::error_code write(int handle, std::string_view bytes) override {
    std::size_t done = 0;
    while (done < bytes.size()) {
      ssize_t n = ::write(handle, bytes.data() + done, bytes.size() - done);
      if (n < 0) {
        if (errno == EINTR) continue;
        return lastError();
      }
      done += static_cast<std::size_t>(n);
    }
    return {};
  }
  std::error_code flush(int handle) override { return ::fsync(handle) == 0 ? std::error_code() : lastError(); }
  std::error_code close(int handle) override { return ::close(handle) == 0 ? std::error_code() : lastError(); }
  std::error_code rename(const fs::path& from, const fs::path& to) override {
    return ::rename(from.c_str(), to.c_str()) == 0 ? std::error_code() : lastError();
  }
  std::error_code remove(const fs::path& path) override {
    if (::unlink(path.c_str()) == 0) return {};
    if (errno == EISDIR || errno == EPERM) {
      if (::rmdir(path.c_str()) == 0) return {};
    }
    return lastError();
  }
  std::error_code makeFolder(const fs::path& path) override {
    return ::mkdir(path.c_str(), 0755) == 0 ? std::error_code() : lastError();
  }
  std::error_code flushFolder(const fs::path& dir) override {
    int fd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return lastError();
    std::error_code ec = ::fsync(fd) == 0 ? std::error_code() : lastError();
    ::close(fd);
    return ec;
  }
};

FileSystem* current = nullptr;

}  // namespace

FileSystem& systemFileSystem() {
  static SystemFileSystem system;
  return system;
}

FileSystem& fileSystem() { return current ? *current : systemFileSystem(); }

FileSystemOverride::FileSystemOverride(FileSystem& layer) : previous_(current) { current = &layer; }
FileSystemOverride::~FileSystemOverride() { current = previous_; }

void failWith(const fs::path& path, const std::error_code& ec) {
  throw std::runtime_error(path.string() + ": " + ec.message());
}

void writeNewFile(const fs::path& path, std::string_view bytes, unsigned mode) {
  FileSystem& layer = fileSystem();
  int handle = -1;
  if (auto ec = layer.create(path, mode, handle)) failWith(path, ec);
  std::error_code ec = layer.write(handle, bytes);
  if (!ec) ec = layer.flush(handle);
  std::error_code closed = layer.close(handle);
  if (!ec) ec = closed;
  if (ec) {
    layer.remove(path);
    failWith(path, ec);
  }
}

void writeNewFiles(const std::vector<NewFile>& files, unsigned mode) {
  // At most this many files are open at once (a save writes a few dozen).
  constexpr std::size_t kGroup = 64;
  FileSystem& layer = fileSystem();
  std::vector<int> handles;
  std::size_t created = 0;  // files[0..created) exist
  auto fail = [&](std::size_t at, std::error_code ec) {
    for (int handle : handles)
      if (handle >= 0) layer.close(handle);
    for (std::size_t k = 0; k < created; ++k) layer.remove(files[k].path);
    failWith(files[at].path, ec);
  };
  for (std::size_t from = 0; from < files.size(); from += kGroup) {
    const std::size_t to = std::min(files.size(), from + kGroup);
    handles.assign(to - from, -1);
    for (std::size_t i = from; i < to; ++i) {
      int handle = -1;
      if (auto ec = layer.create(files[i].path, mode, handle)) fail(i, ec);
      handles[i - from] = handle;
      created = i + 1;
      if (auto ec = layer.write(handle, files[i].bytes)) fail(i, ec);
    }
    for (std::size_t i = from; i < to; ++i) {
      const int handle = std::exchange(handles[i - from], -1);
      std::error_code ec = layer.flush(handle);
      std::error_code closed = layer.close(handle);
      if (!ec) ec = closed;
      if (ec) fail(i, ec);
    }
  }
}

std::error_code removeTree(const fs::path& path) {
  std::error_code ec;
  auto status = fs::symlink_status(path, ec);
  if (ec || !fs::exists(status)) return {};
  std::error_code first;
  if (fs::is_directory(status)) {
    std::vector<fs::path> children;
    for (fs::directory_iterator it(path, ec), end; !ec && it != end; it.increment(ec)) children.push_back(it->path());
    if (ec) return ec;
    for (const auto& child : children)
      if (auto e = removeTree(child); e && !first) first = e;
  }
  if (auto e = fileSystem().remove(path); e && !first) first = e;
  return first;
}

}  // namespace quillane::files
