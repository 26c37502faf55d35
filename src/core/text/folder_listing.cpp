#include "core/text/folder_listing.h"

#include <dirent.h>

#include "core/text/project_files.h"

namespace quillane::files {

namespace {

bool sameLetters(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
    if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

}  // namespace

CaseVariantLookup::CaseVariantLookup(fs::path projectFolder) : folder_(std::move(projectFolder)) {}

// The folder of `relative` is resolved once for every name given with the same folder part.
const CaseVariantLookup::Listing& CaseVariantLookup::listingOf(std::string_view parent, std::string_view relative) {
  for (const Listing& l : listings_)
    if (l.parent == parent) return l;
  Listing listing{std::string(parent), writePath(folder_, relative).parent_path(), {}};
  if (DIR* d = ::opendir(listing.dir.c_str())) {
    while (const dirent* entry = ::readdir(d)) {
      const std::string_view name = entry->d_name;
      if (name != "." && name != "..") listing.names.emplace_back(name);
    }
    ::closedir(d);
  }
  listings_.push_back(std::move(listing));
  return listings_.back();
}

std::vector<fs::path> CaseVariantLookup::find(std::string_view relative) {
  std::vector<fs::path> found;
  const auto parts = splitRelative(relative);
  if (parts.empty()) return found;
  std::string parent;
  for (std::size_t i = 0; i + 1 < parts.size(); ++i) parent += parts[i] + "/";
  const Listing& listing = listingOf(parent, relative);
  for (const std::string& name : listing.names)
    if (sameLetters(name, parts.back())) found.push_back(listing.dir / name);
  return found;
}

}  // namespace quillane::files
