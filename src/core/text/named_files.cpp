#include "core/text/named_files.h"

#include "core/text/cp932.h"
#include "core/text/project_files.h"

namespace quillane::files {

namespace fs = std::filesystem;

namespace {

bool usableStem(std::string_view stem) {
  if (stem.empty()) return false;
  for (char c : stem) {
    if (c == '/' || c == '\0' || c == '*' || c == '?') return false;
  }
  return stem != "." && stem != "..";
}

std::optional<fs::path> findInFolder(const fs::path& dir, const std::string& name) {
  std::error_code ec;
  fs::path exact = dir / name;
  if (fs::is_regular_file(exact, ec)) return exact;
  auto found = listMatching(dir, name);
  if (found.empty()) return std::nullopt;
  return found.front();
}

}  // namespace

std::optional<fs::path> findNamedFile(const fs::path& folder, std::string_view subfolder,
                                      std::string_view stem, std::string_view extension) {
  if (!usableStem(stem)) return std::nullopt;
  auto dir = subfolder.empty() ? std::optional<fs::path>(folder)
                               : findExisting(folder, subfolder);
  if (!dir) return std::nullopt;
  std::string ext(extension);
  std::string utf8 = text::toUtf8(stem) + ext;
  if (auto p = findInFolder(*dir, utf8)) return p;
  std::string raw = std::string(stem) + ext;
  if (raw != utf8) {
    if (auto p = findInFolder(*dir, raw)) return p;
  }
  return std::nullopt;
}

fs::path nominalNamedFile(const fs::path& folder, std::string_view subfolder,
                          std::string_view stem, std::string_view extension) {
  fs::path p = folder;
  if (auto dir = findExisting(folder, subfolder)) {
    p = *dir;
  } else {
    for (const auto& part : splitRelative(subfolder)) p /= part;
  }
  return p / (text::toUtf8(stem) + std::string(extension));
}

}  // namespace quillane::files
