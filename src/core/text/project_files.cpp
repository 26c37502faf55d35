#include "core/text/project_files.h"

#include "core/text/file_system.h"
#include "core/text/folder_listing.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <random>
#include <stdexcept>

namespace quillane::files {

namespace {

// The entry of `dir` named `name`: the exact name when it exists, otherwise the first
// entry listed whose name equals it without case. `names` lists the folder, once or
// every time.
template <typename Names>
std::optional<fs::path> findChildAmong(const fs::path& dir, const std::string& name, Names&& names) {
  std::error_code ec;
  fs::path exact = dir / name;
  if (fs::exists(exact, ec)) return exact;
  std::optional<fs::path> found;
  names(dir, [&](std::string_view entry) {
    if (!found && equalsIgnoreCase(entry, name)) found = dir / std::string(entry);
  });
  return found;
}

std::optional<fs::path> findChild(const fs::path& dir, const std::string& name) {
  return findChildAmong(dir, name, [](const fs::path& d, auto&& each) { forEachName(d, each); });
}

}  // namespace

std::vector<std::string> splitRelative(std::string_view relative) {
  std::vector<std::string> parts;
  std::string current;
  for (char c : relative) {
    if (c == '\\' || c == '/') {
      if (!current.empty() && current != ".") parts.push_back(current);
      current.clear();
    } else {
      current.push_back(c);
    }
  }
  if (!current.empty() && current != ".") parts.push_back(current);
  return parts;
}

std::optional<fs::path> findExisting(const fs::path& folder, std::string_view relative) {
  fs::path at = folder;
  for (const auto& part : splitRelative(relative)) {
    auto next = findChild(at, part);
    if (!next) return std::nullopt;
    at = *next;
  }
  return at;
}

fs::path parentOf(const fs::path& folder, const std::vector<std::string>& parts) {
  fs::path at = folder;
  for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
    auto next = findChild(at, parts[i]);
    at = next ? *next : at / parts[i];
  }
  return at;
}

std::vector<fs::path> caseVariants(const fs::path& folder, std::string_view relative) {
  auto parts = splitRelative(relative);
  std::vector<fs::path> found;
  if (parts.empty()) return found;
  fs::path dir = parentOf(folder, parts);
  forEachName(dir, [&](std::string_view entry) {
    if (equalsIgnoreCase(entry, parts.back())) found.push_back(dir / std::string(entry));
  });
  return found;
}

fs::path writePath(const fs::path& folder, std::string_view relative) {
  auto parts = splitRelative(relative);
  if (parts.empty()) return folder;
  return parentOf(folder, parts) / parts.back();
}

bool readFileInto(const fs::path& path, text::Bytes& into) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  // Only what the string grows by is zero-filled: a reused one costs nothing.
  const auto done = readToEnd(fd, kMaxFileBytes, [&into](std::size_t bytes, std::size_t) {
    if (into.size() < bytes) into.resize(bytes);
    return into.data();
  });
  ::close(fd);
  if (!done) return false;
  into.resize(*done);
  return true;
}

std::optional<text::Bytes> readFile(const fs::path& path) {
  text::Bytes data;
  if (!readFileInto(path, data)) return std::nullopt;
  return data;
}

std::optional<text::Bytes> readProjectFile(const fs::path& folder, std::string_view relative) {
  auto path = findExisting(folder, relative);
  if (!path) return std::nullopt;
  return readFile(*path);
}

int FolderReader::open(std::string_view relative, std::string_view savedAs) {
  const auto parts = splitRelative(relative);
  fs::path at = folder_;
  for (const auto& part : parts) at /= part;
  int fd = ::open(at.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd >= 0 || (errno != ENOENT && errno != ENOTDIR)) return fd;
  if (!savedAs.empty() && savedAs != relative) {
    fs::path saved = folder_;
    for (const auto& part : splitRelative(savedAs)) saved /= part;
    fd = ::open(saved.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0 || (errno != ENOENT && errno != ENOTDIR)) return fd;
  }
  {
    std::lock_guard<std::mutex> hold(lock_);
    auto listed = [this](const fs::path& dir, auto&& each) {
      for (const auto& name : listings_.of(dir)) each(name);
    };
    at = folder_;
    for (const auto& part : parts) {
      auto next = findChildAmong(at, part, listed);
      if (!next) return -1;
      at = *next;
    }
  }
  return ::open(at.c_str(), O_RDONLY | O_CLOEXEC);
}

void writeFileSynced(const fs::path& path, std::string_view bytes, unsigned mode) {
  writeNewFile(path, bytes, mode);
}

void writeFileAtomic(const fs::path& path, std::string_view bytes) {
  static thread_local std::mt19937_64 rng{std::random_device{}()};
  fs::path tmp = path;
  tmp += ".tmp" + std::to_string(rng() % 1000000000);
  writeNewFile(tmp, bytes);
  if (auto ec = fileSystem().rename(tmp, path)) {
    fileSystem().remove(tmp);
    failWith(path, ec);
  }
  syncFolder(path.parent_path());
}

bool removeVariants(const fs::path& folder, std::string_view relative) {
  bool ok = true;
  for (const auto& p : caseVariants(folder, relative))
    if (fileSystem().remove(p)) ok = false;
  return ok;
}

void replaceWith(const fs::path& folder, std::string_view relative, const fs::path& from) {
  fs::path target = writePath(folder, relative);
  for (const auto& p : caseVariants(folder, relative)) {
    if (p.filename() == target.filename()) continue;
    if (auto ec = fileSystem().remove(p)) failWith(p, ec);
  }
  if (auto ec = fileSystem().rename(from, target)) failWith(target, ec);
}

bool matchesPattern(std::string_view name, std::string_view pattern) {
  // '*' and '?' wildcards, ASCII letters compared without case.
  std::size_t n = 0, p = 0, starP = std::string_view::npos, starN = 0;
  auto same = [](char a, char b) { return equalsIgnoreCase(std::string_view(&a, 1), std::string_view(&b, 1)); };
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || same(pattern[p], name[n]))) {
      ++n;
      ++p;
    } else if (p < pattern.size() && pattern[p] == '*') {
      starP = p++;
      starN = n;
    } else if (starP != std::string_view::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

std::vector<fs::path> listMatching(const fs::path& dir, std::string_view pattern) {
  std::vector<fs::path> out;
  std::error_code ec;
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    if (it->is_regular_file(ec) && matchesPattern(it->path().filename().string(), pattern))
      out.push_back(it->path());
  }
  std::sort(out.begin(), out.end());
  return out;
}

void syncFolder(const fs::path& dir) { fileSystem().flushFolder(dir); }

}  // namespace quillane::files
