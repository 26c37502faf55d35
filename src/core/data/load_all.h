#pragma once
// Loading a whole project: the version pre-read and LoadAll.
#include <filesystem>
#include <string>

#include "core/data/hidden_fields.h"
#include "core/data/project_database.h"
#include "core/data/random_source.h"
#include "core/text/read_error.h"

namespace quillane::data {

// The project's FormatVersion with the counts it implies: a bzenINI.DAT too short (or
// unreadable) for the version field counts as version 200 with 100 events per map and
// 100 messages.
struct VersionInfo {
  int version = 200;
  bool found = false;
};
VersionInfo readFormatVersion(const std::filesystem::path& folder);
VersionInfo formatVersionOf(std::string_view iniBytes);

// Reads the thirteen tables in their order, then decodes the passwords, installs a
// registration when given, and re-encodes the hidden fields. Finishes or discards a
// pending save first. Throws text::ReadError (file, item, expected, found) on a
// missing file or any damage; `db` is then left as it was.
void loadAll(const std::filesystem::path& folder, ProjectDatabase& db, RandomSource& random,
             const Registration* registration = nullptr);

// Reads another project as it stands on disk, for the import: nothing is registered and
// nothing in its folder is written (a pending save there is neither finished nor
// discarded). Throws text::ReadError like loadAll; `db` is then left as it was.
void loadAllReadOnly(const std::filesystem::path& folder, ProjectDatabase& db, RandomSource& random);

// The same over files held in memory (relative name -> bytes), for tests and tools.
// `version` is what the pre-read gave.
struct FileSource {
  virtual ~FileSource() = default;
  // The bytes of "DAT\bzenPLY.DAT" etc.; throws text::ReadError when missing.
  virtual std::string read(const std::string& relative) = 0;
};
void loadAllFrom(FileSource& files, const VersionInfo& version, ProjectDatabase& db, RandomSource& random,
                 const Registration* registration = nullptr);

// The file-open message and its title (CP932), shown for every read error.
Bytes fileOpenErrorText();
Bytes fileOpenErrorTitle();

// A one-line description of a read error for tools: file, item, expected, found.
std::string describe(const text::ReadError& e);

}  // namespace quillane::data
