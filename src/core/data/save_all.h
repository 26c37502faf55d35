#pragma once
// Saving: the once-per-run backup into DATBK and SaveAll, which writes every table (and
// the open map's files) as one all-or-nothing commit.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/data/project_database.h"
#include "core/data/random_source.h"
#include "core/text/file_set_commit.h"

namespace quillane::data {

// The backup-taken flag of the run. takeBackupOnce copies DAT\*.dat into DATBK\ (the
// folder created as "DATbk" when missing, its old *.dat removed first) unless it has
// been taken already. On failure it returns the reason and leaves the flag clear; the
// caller must not write or delete any project file then.
struct BackupState {
  bool taken = false;
};
std::optional<std::string> takeBackupOnce(const std::filesystem::path& folder, BackupState& state);
// Completes a backup that was cut short (its copies complete: swapped in; not: dropped)
// or undoes it. Returns the reason when the folder cannot be put right.
std::optional<std::string> finishInterruptedBackup(const std::filesystem::path& folder);

struct SaveRequest {
  // The open map's number (empty when no map is open) and its three files, already
  // serialized with the project's FileKeys.
  std::optional<int> mapNumber;
  std::vector<files::NamedFile> mapFiles;
  // The quiet form used while a new map is created: no deletion of the map's files
  // first, no success message.
  bool quiet = false;
};

struct SaveResult {
  bool ok = false;
  std::string error;   // why it failed (the project files are then as before)
  Bytes message;       // the success message (CP932), empty in the quiet form
};

// The success message of a save and its title (CP932).
Bytes savedMessage(int mapNumber);
Bytes savedTitle();
// The message and title shown when a save failed (CP932); `reason` is appended.
Bytes saveFailedMessage(const std::string& reason);
Bytes saveFailedTitle();

// The files of a save in their order (relative name, bytes), after encodeHidden. Used
// by saveAll, the restore of a project and the benchmarks. `version` other than 340
// writes the older layout of that format version (and sets the defaults of what it
// does not hold in `db`).
std::vector<files::NamedFile> serializeTables(ProjectDatabase& db, RandomSource& random,
                                              int version = kWriteVersion);

// The first half of SaveAll: serializes everything into `commit` (deletes and writes
// in the save's order) and checks that nothing is in the way. Returns the reason when
// the save cannot go on; nothing has been written then.
std::optional<std::string> prepareSave(const std::filesystem::path& folder, ProjectDatabase& db,
                                       RandomSource& random, const SaveRequest& request,
                                       files::FileSetCommit& commit);

// SaveAll: re-encodes the hidden fields and commits every table and the map files as
// one unit. A text that would break its file (a double quote in a quoted text; a comma
// or line break in a text written without quotes) stops the save before anything is
// written.
SaveResult saveAll(const std::filesystem::path& folder, ProjectDatabase& db, RandomSource& random,
                   const SaveRequest& request = {});

// The "保存" command's data part: the backup once per run, then SaveAll. A failed
// backup stops it with its message and leaves every file as it was.
SaveResult saveCommand(const std::filesystem::path& folder, ProjectDatabase& db, RandomSource& random,
                       BackupState& backup, const SaveRequest& request = {});

}  // namespace quillane::data
