#pragma once
// A new, empty project: every table at version 340 with default sizes and empty names,
// and no map files (the editor creates a map when it is first chosen).
#include <filesystem>
#include <optional>
#include <string>

#include "core/data/project_database.h"
#include "core/data/random_source.h"

namespace quillane::data {

// The database of a blank project (counts at the dialog's minimums, a few more players
// and maps; every name empty, the editing password empty).
ProjectDatabase blankDatabase();


// Creates `folder` and its DAT folder where missing. Returns the failure reason.
std::optional<std::string> makeProjectFolder(const std::filesystem::path& folder);

// Writes a blank project into `folder` (created when missing). With a password, it is
// registered at once (as start-up registers it), else the editor's first opening does
// it. Returns the failure reason, or nothing on success. Refuses a folder that already
// holds project tables.
std::optional<std::string> createBlankProject(const std::filesystem::path& folder,
                                              const std::optional<Bytes>& password, RandomSource& random);

}  // namespace quillane::data
