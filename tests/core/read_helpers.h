#pragma once
// Whole files read into a ReadBuffer by path, as the load opens them (by path, or by a
// name looked up in a folder) and reads what it opened.
#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <string_view>

#include "core/text/project_files.h"
#include "core/text/read_buffer.h"

namespace quillane::testing {

// False when the file is missing, no regular file, unreadable or larger than `limit`.
inline bool readPath(files::ReadBuffer& into, const std::filesystem::path& path, std::size_t limit) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool ok = into.readFrom(fd, limit);
  ::close(fd);
  return ok;
}

// `relative` found in `folder` whatever the case of its names.
inline bool readFromFolder(files::FolderReader& folder, std::string_view relative, files::ReadBuffer& into) {
  const int fd = folder.open(relative);
  if (fd < 0) return false;
  const bool ok = into.readFrom(fd, files::kMaxFileBytes);
  ::close(fd);
  return ok;
}

}  // namespace quillane::testing
