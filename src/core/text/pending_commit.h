#pragma once
// A save that was staged inside the project folder but not yet settled: found at the
// next load, read in place of the files it replaces, and settled (finished, or undone
// when a file cannot be put in place) only once the project has been accepted, so a
// wrong password writes nothing. A staging whose manifest names anything but a plain
// project file in the DAT folder is refused: reported, never read or applied.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillane::files {

// Name of the staging folder inside the project folder, and its files: "f<i>" holds
// the new bytes of manifest line i, "o<i>-<name>" keeps an old file that line replaced
// until every new file is in place; COMPLETE says the staging is whole, UNDO (COMPLETE
// renamed) that putting it in place failed and the old files are being put back.
// The marker holds the manifest itself, its lines followed by the line "END"; a marker
// without that end line was cut short while written, and nothing was put in place yet.
// Earlier builds wrote the manifest to a file of its own ("manifest", written and
// flushed before the marker, which then holds "1"): that form is read as well.
inline constexpr const char* kStagingFolder = ".quillane-save";
inline constexpr const char* kManifestName = "manifest";
inline constexpr const char* kCompleteMarker = "COMPLETE";
inline constexpr const char* kUndoMarker = "UNDO";
inline constexpr const char* kManifestEnd = "END";

// Whether a plain file name ("bzenPLY.DAT") is one the editor saves into DAT.
using ProjectFileTest = bool (*)(std::string_view leaf);

// One line of the manifest: a file written (staged as f<i>) or removed.
struct StagedEntry {
  bool isWrite;
  std::string relative;  // "DAT\bzenPLY.DAT"
};

enum class Settled {
  Nothing,     // no staged save
  Discarded,   // an incomplete staging was removed; the project is as before it
  Applied,     // the staged save is in place
  RolledBack,  // it could not be put in place; every old file is back
  Refused,     // a manifest naming something else: left alone
  Failed,      // neither finished nor undone (left for the next attempt)
};

class CaseVariantLookup;

class PendingCommit {
 public:
  enum class State { None, Incomplete, Forward, Undo, Refused };

  static PendingCommit inspect(const std::filesystem::path& projectFolder, ProjectFileTest known);

  State state() const { return state_; }
  // Why the staging was refused (state Refused).
  const std::string& problem() const { return problem_; }

  // Where `relative` is to be read while the save is pending, so that a load sees the
  // project as it will be once settled.
  enum class Source { Folder, File, Missing };
  struct Where {
    Source source = Source::Folder;
    std::filesystem::path path;  // for Source::File
  };
  Where locate(std::string_view relative) const;

  // Finishes or undoes the staged save (see Settled); `reason` tells why it was
  // rolled back or failed.
  Settled settle(std::string* reason = nullptr);

 private:
  friend class FileSetCommit;
  std::filesystem::path folder_;
  State state_ = State::None;
  std::string problem_;
  std::vector<StagedEntry> entries_;
  // Set by a commit settling the staging it has just made: the listing of the folders
  // it has taken already (nothing else changed them since).
  CaseVariantLookup* variants_ = nullptr;
};

// The manifest text of `entries` and its reading back; a manifest that breaks the
// rules (a name outside DAT, a separator or "..", an unknown file, a duplicate, a
// malformed line) gives an empty optional with the reason in `problem`.
std::string manifestText(const std::vector<StagedEntry>& entries);
// The marker's text: the manifest and its end line.
std::string completeManifestText(const std::vector<StagedEntry>& entries);
std::optional<std::vector<StagedEntry>> parseManifest(std::string_view text, ProjectFileTest known,
                                                      std::string& problem);

}  // namespace quillane::files
