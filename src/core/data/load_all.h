#pragma once
// Loading a whole project: the version pre-read and LoadAll.
#include <filesystem>
#include <string>
#include <string_view>

#include "core/data/hidden_fields.h"
#include "core/data/project_database.h"
#include "core/data/random_source.h"
#include "core/text/pending_commit.h"
#include "core/text/read_error.h"

namespace quillane::data {

// The project's FormatVersion with the counts it implies: a bzenINI.DAT that ends
// before the version field counts as version 200 with 100 events per map and 100
// messages. A version field that is there but no whole number 0..999 is damage: a
// text::ReadError.
struct VersionInfo {
  int version = 200;
  bool found = false;
};
VersionInfo formatVersionOf(std::string_view iniBytes);

// Whether a load reads the level table (most of a large project's bytes; it needs
// only the version and the counts) on a second thread while the calling thread reads
// the other tables. Auto: when the process may run on a second processor and the table
// is large. Either way the result is the same, and so is the error reported.
enum class LoadThreads { Auto, One, Two };

// Reads the thirteen tables in their order, then decodes the passwords, installs a
// registration when given, and re-encodes the hidden fields. A save left pending in
// the folder is read as it will be once settled, and nothing is written: see
// settleInterruptedWrites. Throws text::ReadError (file, item, expected, found) on a
// missing file or any damage, the first one in the tables' order also when two
// threads read; `db` is then left as it was.
void loadAll(const std::filesystem::path& folder, ProjectDatabase& db, RandomSource& random,
             const Registration* registration = nullptr, LoadThreads threads = LoadThreads::Auto);


// Whether a plain file name ("bzenPLY.DAT", "BZENM007.DAT") is one that a save writes
// or removes in DAT: the thirteen tables and the three files of a map.
bool isProjectFileName(std::string_view leaf);

// The save left pending in a project folder, if any (files::PendingCommit).
files::PendingCommit pendingSave(const std::filesystem::path& folder);

// Run once the loaded project has been accepted (password and check numbers): finishes
// a save that was interrupted while putting its files in place (or undoes it when a
// file cannot be replaced), and completes a backup cut short. `reloadNeeded` is set
// when the files now differ from what loadAll read (the save was undone), `refused`
// holds the reason when a staged save was refused and ignored, `failure` when it could
// be neither finished nor undone (the folder cannot be written).
struct SettleReport {
  bool reloadNeeded = false;
  std::string refused;
  std::string failure;
};
SettleReport settleInterruptedWrites(const std::filesystem::path& folder);

// The same over files held in memory (relative name -> bytes), for tests and tools.
// `version` is what the pre-read gave.
struct FileSource {
  virtual ~FileSource() = default;
  // The bytes of "DAT\bzenPLY.DAT" etc.; throws text::ReadError when missing.
  virtual std::string read(const std::string& relative) = 0;
  // The same, valid until the next call: a source that reads files reuses one buffer
  // for all of them.
  virtual std::string_view view(const std::string& relative) {
    held_ = read(relative);
    return held_;
  }
  // The same for the one table read on a second thread, while view() is called on the
  // first; valid until the next call of viewAside. By default through read(), which
  // must then be safe to call from two threads at once (a source that looks up a map
  // it does not change is).
  virtual std::string_view viewAside(const std::string& relative) {
    heldAside_ = read(relative);
    return heldAside_;
  }

 private:
  std::string held_, heldAside_;
};
void loadAllFrom(FileSource& files, const VersionInfo& version, ProjectDatabase& db, RandomSource& random,
                 const Registration* registration = nullptr, LoadThreads threads = LoadThreads::Auto);

// The file-open message and its title (CP932), shown for every read error.
Bytes fileOpenErrorText();
Bytes fileOpenErrorTitle();

// A one-line description of a read error for tools: file, item, expected, found.
std::string describe(const text::ReadError& e);

}  // namespace quillane::data
