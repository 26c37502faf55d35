#pragma once
// Loading a whole project: the version pre-read and LoadAll.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

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

// Whether a load reads its tables on two threads: the calling thread and a second one
// the process keeps for loads share the tables after the counts, the level table (most
// of a large project's bytes) cut into parts. Auto: when the process may run on a
// second processor and the project is large. Either way the result is the same, and so
// is the error reported; One reads every table on the calling thread, in order.
enum class LoadThreads { Auto, One, Two };

// Reads the thirteen tables in their order, then decodes the passwords, installs a
// registration when given, and re-encodes the hidden fields. A save left pending in
// the folder is read as it will be once settled, and nothing is written: see
// settleInterruptedWrites. Throws text::ReadError (file, item, expected, found) on a
// missing file or any damage, the first one in the tables' order also when two
// threads read; `db` is then left as it was. The tables `db` held before are not taken
// apart: their memory is kept for the next load to read into (emptied first).
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
  // Who asks for a file: the calling thread of a load, its second thread, or either of
  // them for the level table, which both read parts of.
  enum class Slot { First, Second, Kept };
  // The same, valid until the next call for the same slot (a source that reads files
  // reuses one buffer per slot), and for the Kept slot until the load ends. Calls for
  // different slots may come at once from two threads; by default through read(),
  // which must then be safe to call so (a source that looks up a map it does not
  // change is).
  virtual std::string_view view(const std::string& relative, Slot slot = Slot::First) {
    std::string& held = held_[static_cast<int>(slot)];
    held = read(relative);
    return held;
  }
  // Files whose bytes changed under the load since view() gave them (a mapped file
  // that shrank): asked once the tables are parsed, failed or not. The first of them
  // in the tables' order fails the load with its read error, unless a table before it
  // failed. A source of bytes it holds itself has none.
  virtual std::vector<std::string> shrunkWhileRead() { return {}; }

 private:
  std::string held_[3];
};
void loadAllFrom(FileSource& files, const VersionInfo& version, ProjectDatabase& db, RandomSource& random,
                 const Registration* registration = nullptr, LoadThreads threads = LoadThreads::Auto);

// How finely a load on two threads cuts the level table: parts of at least this many
// items (by default a thirty-second of the table, at least 8192). Tests cut it into
// single segments with 1. Returns the previous setting; 0 restores the default.
std::size_t useLevelPartItems(std::size_t items);

// From which size on a load maps a file instead of reading it (by default 8 MB, more
// than any table of a maximal project). Tests map every file with 1; SIZE_MAX maps none.
// Returns the previous setting; 0 restores the default.
std::size_t useMappedFrom(std::size_t bytes);

// The file-open message and its title (CP932), shown for every read error.
Bytes fileOpenErrorText();
Bytes fileOpenErrorTitle();

// A one-line description of a read error for tools: file, item, expected, found.
std::string describe(const text::ReadError& e);

}  // namespace quillane::data
