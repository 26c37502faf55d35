#include "core/data/load_all.h"

#include <sched.h>

#include <cmath>
#include <exception>
#include <optional>
#include <system_error>
#include <thread>

#include "core/data/reserved_slots.h"
#include "core/data/save_all.h"
#include "core/data/table_walks.h"
#include "core/text/file_set_commit.h"
#include "core/text/project_files.h"
#include "core/text/read_buffer.h"

namespace quillane::data {

namespace {

constexpr const char* kIniName = "DAT\\bzenINI.DAT";

// The folder's files as they will be once a pending save is settled. view() and
// viewAside() read into buffers of their own (kept for the next load), so that two
// threads can read at once.
class FolderSource : public FileSource {
 public:
  explicit FolderSource(const std::filesystem::path& folder) : pending_(pendingSave(folder)), folder_(folder) {}
  std::string read(const std::string& relative) override { return std::string(view(relative)); }
  std::string_view view(const std::string& relative) override {
    // The settings table is asked for twice in a row (its version first).
    if (relative == held_) return buffer_->view();
    held_.clear();
    readInto(relative, *buffer_, reader_);
    held_ = relative;
    return buffer_->view();
  }
  std::string_view viewAside(const std::string& relative) override {
    readInto(relative, *asideBuffer_, asideReader_);
    return asideBuffer_->view();
  }

 private:
  // `pending_` is only looked at; each thread lists folders with its own reader.
  void readInto(const std::string& relative, files::ReadBuffer& buffer, std::optional<files::FolderReader>& reader) {
    auto where = pending_.locate(relative);
    bool ok = false;
    if (where.source == files::PendingCommit::Source::File) {
      ok = buffer.readFile(where.path, files::kMaxFileBytes);
    } else if (where.source == files::PendingCommit::Source::Folder) {
      if (!reader) reader.emplace(folder_);
      ok = reader->read(relative, buffer);
    }
    if (!ok) throw text::ReadError(relative, 0, "the file", "no readable file of at most 64 MB");
  }

  files::PendingCommit pending_;
  std::filesystem::path folder_;
  std::optional<files::FolderReader> reader_, asideReader_;
  files::KeptReadBuffer buffer_{0};       // every file of a load but the one read aside
  files::KeptReadBuffer asideBuffer_{1};  // the file read on the second thread
  std::string held_;                      // the file buffer_ holds
};

// Whether this process may run on more than one processor.
bool secondProcessor() {
  cpu_set_t set;
  if (::sched_getaffinity(0, sizeof set, &set) == 0) return CPU_COUNT(&set) > 1;
  return std::thread::hardware_concurrency() > 1;
}

// Below this many level records (players x steps) a second thread costs more than it saves.
constexpr long kRecordsWorthAThread = 2000;

bool readLevelsAside(LoadThreads threads, const MaxValues& max) {
  if (threads != LoadThreads::Auto) return threads == LoadThreads::Two;
  return static_cast<long>(max.players + 1) * max.levels >= kRecordsWorthAThread && secondProcessor();
}

// The level table read on a second thread into a database of its own: it sees the
// counts and the version, a copy made before it starts, and writes nothing the calling
// thread reads or writes. Its result is moved over once it is done.
class LevelsAside {
 public:
  // Starts reading; false when no thread could be started (the caller reads the table).
  bool start(const TableFile& table, FileSource& files, const ProjectDatabase& fresh) {
    side_.formatVersion = fresh.formatVersion;
    side_.max = fresh.max;
    try {
      worker_ = std::jthread([this, &table, &files] {
        try {
          FieldReader reader(files.viewAside(table.readName), table.readName, side_.formatVersion, side_.hidden);
          table.read(reader, side_);
        } catch (...) {
          error_ = std::current_exception();
        }
      });
    } catch (const std::system_error&) {
      return false;
    }
    return true;
  }
  // Waits for the table; its error, if it failed.
  std::exception_ptr finish() {
    worker_.join();
    return error_;
  }
  // The table and the hidden numbers of its reserved row, into `fresh`.
  void moveInto(ProjectDatabase& fresh) {
    fresh.levels = std::move(side_.levels);
    for (const SlotRef& slot : reservedSlots(ReservedRow::Lev))
      storeSlot(fresh.hidden, slot, slotValue(side_.hidden, slot));
  }

 private:
  ProjectDatabase side_;
  std::exception_ptr error_;
  std::jthread worker_;  // last: joined before the rest is taken apart
};

// A hidden password decoded; sums that are no character code fail the load (`which` names it).
Bytes decodeOrFail(const std::array<HiddenFields::Triple, 12>& triples, const char* which) {
  auto text = decodeHiddenText(triples);
  if (!text) throw text::ReadError("DAT", 0, std::string(which) + " password of character codes 1..65535",
                                   "a sum of hidden numbers that is no character code");
  return *text;
}

}  // namespace

VersionInfo formatVersionOf(std::string_view iniBytes) {
  text::ItemReader in(iniBytes, kIniName);
  // Only a file that ends before the version field is an old one.
  for (int i = 0; i < 16; ++i) {
    if (in.atEnd()) return {};
    if (i == 7) in.text(); else in.number();
  }
  if (in.atEnd()) return {};
  return {in.formatVersion(), true};
}

void loadAllFrom(FileSource& files, const VersionInfo& version, ProjectDatabase& db, RandomSource& random,
                 const Registration* registration, LoadThreads threads) {
  ProjectDatabase fresh;
  fresh.formatVersion = version.version;
  const auto& order = loadOrder();
  // The level table may go to a second thread once the counts it is sized by are read.
  const TableFile* counts = nullptr;
  const TableFile* levels = nullptr;
  for (const TableFile* t : order) {
    if (t->read == &walkMax<FieldReader>) counts = t;
    if (t->read == &walkLevels<FieldReader>) levels = counts ? t : nullptr;
  }
  std::optional<LevelsAside> aside;
  bool levelsRead = false;  // whether the level table's turn has passed
  std::exception_ptr failure;
  for (const TableFile* table : order) {
    if (table == levels && aside) {
      levelsRead = true;
      continue;
    }
    try {
      FieldReader reader(files.view(table->readName), table->readName, version.version, fresh.hidden);
      table->read(reader, fresh);
    } catch (...) {
      failure = std::current_exception();
      break;
    }
    if (table == counts && levels && readLevelsAside(threads, fresh.max)) {
      aside.emplace();
      if (!aside->start(*levels, files, fresh)) aside.reset();
    }
  }
  if (aside) {
    // A damage found by the calling thread before the level table's turn is the first;
    // one after it comes second to any in the level table.
    std::exception_ptr asideFailure = aside->finish();
    if (asideFailure && (!failure || levelsRead)) std::rethrow_exception(asideFailure);
    if (!failure) aside->moveInto(fresh);
  }
  if (failure) std::rethrow_exception(failure);
  HiddenFields& h = fresh.hidden;
  h.gamePassword = decodeOrFail(h.gameTriples, "the game");
  h.editingPassword = decodeOrFail(h.editingTriples, "the editing");
  for (int n = 0; n < 6; ++n) h.keys[n] = h.keyParts[n][0] + h.keyParts[n][1];
  if (registration) installRegistration(h, *registration);
  encodeHidden(h, random);
  db = std::move(fresh);
}

void loadAll(const std::filesystem::path& folder, ProjectDatabase& db, RandomSource& random,
             const Registration* registration, LoadThreads threads) {
  FolderSource source(folder);
  loadAllFrom(source, formatVersionOf(source.view(kIniName)), db, random, registration, threads);
}

files::PendingCommit pendingSave(const std::filesystem::path& folder) {
  return files::PendingCommit::inspect(folder, &isProjectFileName);
}

SettleReport settleInterruptedWrites(const std::filesystem::path& folder) {
  SettleReport report;
  std::string reason;
  switch (pendingSave(folder).settle(&reason)) {
    case files::Settled::RolledBack:
      report.reloadNeeded = true;
      break;
    case files::Settled::Refused:
      report.refused = reason;
      break;
    case files::Settled::Failed:
      report.failure = reason;
      report.reloadNeeded = true;
      return report;
    default:
      break;
  }
  if (auto why = finishInterruptedBackup(folder)) report.failure = *why;
  return report;
}

Bytes fileOpenErrorText() { return text::sj("Quillaneのファイルでないか、ファイルが壊れています"); }
Bytes fileOpenErrorTitle() { return text::sj("ファイルオープンエラー"); }

std::string describe(const text::ReadError& e) {
  std::string out = e.file();
  if (e.item() > 0) out += ", item " + std::to_string(e.item());
  out += ": expected " + e.expected() + ", found " + e.found();
  return out;
}

}  // namespace quillane::data
