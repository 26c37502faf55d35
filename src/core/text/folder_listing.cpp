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
CaseVariantLookup::Folder& CaseVariantLookup::folderOf(std::string_view parent, std::string_view relative) {
  for (Folder& f : folders_)
    if (f.parent == parent) return f;
  folders_.push_back({std::string(parent), writePath(folder_, relative).parent_path(), {}, false});
  return folders_.back();
}

namespace {

std::string folded(std::string_view name) {
  std::string out(name);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

std::string parentPart(const std::vector<std::string>& parts) {
  std::string parent;
  for (std::size_t i = 0; i + 1 < parts.size(); ++i) parent += parts[i] + "/";
  return parent;
}

}  // namespace

std::vector<fs::path> CaseVariantLookup::find(std::string_view relative) {
  std::vector<fs::path> found;
  const auto parts = splitRelative(relative);
  if (parts.empty()) return found;
  Folder& folder = folderOf(parentPart(parts), relative);
  const std::vector<std::string>& names = listings_.of(folder.dir);
  if (!folder.indexed) {
    folder.folded.reserve(names.size());
    for (std::size_t i = 0; i < names.size(); ++i) folder.folded.emplace_back(folded(names[i]), i);
    std::sort(folder.folded.begin(), folder.folded.end());
    folder.indexed = true;
  }
  // Equal without case is equal once folded; the listing's order is kept.
  const std::string key = folded(parts.back());
  auto at = std::lower_bound(folder.folded.begin(), folder.folded.end(), std::make_pair(key, std::size_t{0}));
  for (; at != folder.folded.end() && at->first == key; ++at) found.push_back(folder.dir / names[at->second]);
  return found;
}

fs::path CaseVariantLookup::target(std::string_view relative) {
  const auto parts = splitRelative(relative);
  if (parts.empty()) return folder_;
  return folderOf(parentPart(parts), relative).dir / parts.back();
}

}  // namespace quillane::files
