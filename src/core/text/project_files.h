#pragma once
// Files of a project folder. Names are given Windows-style ("DAT\bzenPLY.DAT") and
// resolved case-insensitively, component by component, so a project copied from a
// case-insensitive file system opens as it is. Every write goes through a temporary
// file in the same folder, is flushed and renamed over the old file.
#include <cstdint>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/text/cp932.h"
#include "core/text/folder_listing.h"
#include "core/text/read_buffer.h"

namespace quillane::files {

namespace fs = std::filesystem;

// Largest project file read into memory; anything bigger is damaged or hostile.
inline constexpr std::uintmax_t kMaxFileBytes = 64u * 1024u * 1024u;

// Splits "DAT\bzenPLY.DAT" or "DAT/bzenPLY.DAT" into its components.
std::vector<std::string> splitRelative(std::string_view relative);

// The existing path of `relative` under `folder`, matched case-insensitively (an exact
// match wins). Empty optional when some component does not exist.
std::optional<fs::path> findExisting(const fs::path& folder, std::string_view relative);

// Every existing entry whose name equals the last component of `relative`
// case-insensitively, inside the (case-insensitively resolved) parent folder.
std::vector<fs::path> caseVariants(const fs::path& folder, std::string_view relative);

// The path to write `relative` to: existing parent folders are taken as found, the
// file name exactly as given.
fs::path writePath(const fs::path& folder, std::string_view relative);

// Reads a whole file. Empty optional when it is missing, unreadable or larger than
// kMaxFileBytes.
std::optional<text::Bytes> readFile(const fs::path& path);
// The same into `into`, whose buffer is reused (a load reads many files into one);
// false (content unspecified) when the file is missing, unreadable or too large.
bool readFileInto(const fs::path& path, text::Bytes& into);
std::optional<text::Bytes> readProjectFile(const fs::path& folder, std::string_view relative);

// Reads files of one project folder. A name is opened as given at once and looked up
// without case (as findExisting does) only when it does not exist; a folder is then
// listed once for every later lookup: a load looks up a dozen names, some saved in
// another case, among hundreds of map files. Threads may read through one reader at
// once (the two threads of a load share one listing).
class FolderReader {
 public:
  explicit FolderReader(fs::path folder) : folder_(std::move(folder)) {}
  // The open file of `relative` (to be closed by the caller), or -1. A name missing as
  // given is tried next as `savedAs`, the spelling the editor saves it in (after a save
  // the only one there), and only then looked up without case.
  int open(std::string_view relative, std::string_view savedAs = {});

 private:

  fs::path folder_;
  std::mutex lock_;  // guards listings_
  FolderListings listings_;
};

// Writes through a temporary file, fsync and rename. Throws std::runtime_error with
// the reason on failure; the previous file is then left as it was.
void writeFileAtomic(const fs::path& path, std::string_view bytes);

// Removes every case-variant of `relative`; returns false when one could not be removed.
bool removeVariants(const fs::path& folder, std::string_view relative);

// Writes a new file and flushes its bytes (no rename, no folder flush): for files whose
// validity is marked by something written after them, like a staged save, or
// a temporary file renamed into place by the caller. The file gets `mode` even when an
// old file of that name had another (a file holding a password is written 0600).
void writeFileSynced(const fs::path& path, std::string_view bytes, unsigned mode = 0644);

// Removes every case-variant of `relative` except `keep`, then renames `from` onto
// `folder/relative` (the name exactly as given).
void replaceWith(const fs::path& folder, std::string_view relative, const fs::path& from);

// Case-insensitive glob for a pattern like "*.dat" inside one folder.
std::vector<fs::path> listMatching(const fs::path& dir, std::string_view pattern);
bool matchesPattern(std::string_view name, std::string_view pattern);

// Flushes a folder's entry table to disk (after renames).
void syncFolder(const fs::path& dir);

}  // namespace quillane::files
