#include "core/text/folder_listing.h"

#include <algorithm>

#include "core/text/project_files.h"

namespace quillane::files {

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
    if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

const std::vector<std::string>& FolderListings::of(const fs::path& dir) {
  auto it = std::find_if(listed_.begin(), listed_.end(), [&](const auto& l) { return l.first == dir; });
  if (it != listed_.end()) return it->second;
  listed_.emplace_back(dir, std::vector<std::string>{});
  std::vector<std::string>& names = listed_.back().second;
  forEachName(dir, [&](std::string_view name) { names.emplace_back(name); });
  return names;
}

CaseVariantLookup::CaseVariantLookup(fs::path projectFolder) : folder_(std::move(projectFolder)) {}

// The folder of `relative` is resolved once for every name given with the same folder part.
const fs::path& CaseVariantLookup::folderOf(std::string_view parent, std::string_view relative) {
  for (const Folder& f : folders_)
    if (f.parent == parent) return f.dir;
  folders_.push_back({std::string(parent), writePath(folder_, relative).parent_path()});
  return folders_.back().dir;
}

std::vector<fs::path> CaseVariantLookup::find(std::string_view relative) {
  std::vector<fs::path> found;
  const auto parts = splitRelative(relative);
  if (parts.empty()) return found;
  std::string parent;
  for (std::size_t i = 0; i + 1 < parts.size(); ++i) parent += parts[i] + "/";
  const fs::path dir = folderOf(parent, relative);
  for (const std::string& name : listings_.of(dir))
    if (equalsIgnoreCase(name, parts.back())) found.push_back(dir / name);
  return found;
}

}  // namespace quillane::files
