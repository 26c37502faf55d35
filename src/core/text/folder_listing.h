#pragma once
// Folder listings for case-insensitive name lookups. A load or a save looks up some
// thirty names in a DAT folder holding hundreds of map files; reading the folder for
// every name cost more than all the rest of the file work, so the lookups of one load
// or one commit share a listing taken at the first lookup in each folder.
#include <dirent.h>

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quillane::files {

// ASCII letters compared without case; every other byte (CP932 included) as it is.
bool equalsIgnoreCase(std::string_view a, std::string_view b);

// Calls `each` with every entry name of `dir` but "." and "..". Plain readdir: building
// a path object for every entry of a large folder cost more than the lookup itself.
template <typename Each>
void forEachName(const std::filesystem::path& dir, Each&& each) {
  DIR* d = ::opendir(dir.c_str());
  if (!d) return;
  while (const dirent* entry = ::readdir(d)) {
    const std::string_view name = entry->d_name;
    if (name != "." && name != "..") each(name);
  }
  ::closedir(d);
}

// The names of folders, each read once and kept (in the folder's own order). Not
// refreshed: it serves one load or one commit, which changes only names it has
// already looked up.
class FolderListings {
 public:
  const std::vector<std::string>& of(const std::filesystem::path& dir);

 private:
  std::vector<std::pair<std::filesystem::path, std::vector<std::string>>> listed_;
};

// Case-variant lookups of a commit, from the listings.
class CaseVariantLookup {
 public:
  explicit CaseVariantLookup(std::filesystem::path projectFolder);

  // What caseVariants(projectFolder, relative) gives, from the folder's listing.
  std::vector<std::filesystem::path> find(std::string_view relative);
  // What writePath(projectFolder, relative) gives, its folder resolved once.
  std::filesystem::path target(std::string_view relative);

 private:
  struct Folder {
    std::string parent;         // the name's folder part as given ("DAT")
    std::filesystem::path dir;  // that folder as found
    // The folder's names with ASCII letters in lower case, each with its index in the
    // listing, sorted: a save looks up some thirty names among hundreds.
    std::vector<std::pair<std::string, std::size_t>> folded;
    bool indexed = false;
  };
  Folder& folderOf(std::string_view parent, std::string_view relative);

  std::filesystem::path folder_;
  std::vector<Folder> folders_;
  FolderListings listings_;
};

}  // namespace quillane::files
