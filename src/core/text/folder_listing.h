#pragma once
// Case-variant lookups that read each folder once. A save looks up some thirty names
// in a DAT folder holding hundreds of map files; reading the folder for every name
// cost more than all the rest of the save's file work. The listing is taken at the
// first lookup in a folder and not refreshed: it serves a commit, which changes only
// the names it looks up, each once and after its lookup.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace quillane::files {

class CaseVariantLookup {
 public:
  explicit CaseVariantLookup(std::filesystem::path projectFolder);

  // What caseVariants(projectFolder, relative) gives, from the folder's listing.
  std::vector<std::filesystem::path> find(std::string_view relative);

 private:
  struct Listing {
    std::string parent;              // the name's folder part as given ("DAT")
    std::filesystem::path dir;       // that folder as found
    std::vector<std::string> names;  // in the folder's own order
  };
  const Listing& listingOf(std::string_view parent, std::string_view relative);

  std::filesystem::path folder_;
  std::vector<Listing> listings_;
};

}  // namespace quillane::files
