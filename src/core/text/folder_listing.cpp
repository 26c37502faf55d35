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

const CaseVariantLookup::Listing& CaseVariantLookup::listingOf(const fs::path& dir) {
  for (const Listing& l : listings_)
    if (l.dir == dir) return l;
  Listing listing{dir, {}};
  if (DIR* d = ::opendir(dir.c_str())) {
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
  const fs::path dir = writePath(folder_, relative).parent_path();
  for (const std::string& name : listingOf(dir).names)
    if (sameLetters(name, parts.back())) found.push_back(dir / name);
  return found;
}

}  // namespace quillane::files
