#include "core/data/load_all.h"

#include <fcntl.h>
#include <sched.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <exception>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "core/data/level_segments.h"
#include "core/data/load_sharing.h"
#include "core/data/save_all.h"
#include "core/data/table_walks.h"
#include "core/text/file_set_commit.h"
#include "core/text/folder_listing.h"
#include "core/text/mapped_file.h"
#include "core/text/project_files.h"
#include "core/text/read_buffer.h"

namespace quillane::data {

namespace {

constexpr const char* kIniName = "DAT\\bzenINI.DAT";

// Files from this size on are mapped instead of read. Reading into the kept buffers
// measured twice as fast as mapping for a whole load (a mapping's page faults and its
// unmapping cost more than the copy, on every file size a project's tables reach: the
// level table of a maximal project is 5.2 MB). Only a file beyond any table in the
// writer's form is mapped, so that a process does not hold a copy of it as well.
constexpr std::size_t kMappedFrom = std::size_t{8} << 20;
std::atomic<std::size_t> mappedFrom{kMappedFrom};

// The name a table read as `relative` is saved under ("DAT\BZENCTY.DAT" for
// "DAT\bzenCTY.DAT"); empty for any other file.
std::string_view savedSpelling(std::string_view relative) {
  for (const TableFile* t : loadOrder())
    if (relative == t->readName) return t->writeName;
  return {};
}

// The folder's files as they will be once a pending save is settled. Each slot reads
// into a buffer of its own (kept for the next load), so that two threads can read at
// once; they share one folder reader, which lists a folder at most once per load.
class FolderSource : public FileSource {
 public:
  explicit FolderSource(const std::filesystem::path& folder) : pending_(pendingSave(folder)), folder_(folder) {}
  std::string read(const std::string& relative) override { return std::string(view(relative)); }
  std::string_view view(const std::string& relative, Slot slot = Slot::First) override {
    Reader& r = readers_[static_cast<int>(slot)];
    // The settings table is asked for twice in a row (its version first).
    if (relative == r.held) return r.bytes;
    settle(r);
    readInto(relative, r);
    r.held = relative;
    return r.bytes;
  }
  std::vector<std::string> shrunkWhileRead() override {
    for (Reader& r : readers_) settle(r);
    std::lock_guard<std::mutex> hold(shrunkLock_);
    return shrunk_;
  }

 private:
  struct Reader {
    explicit Reader(std::size_t slot) : buffer(slot) {}
    files::KeptReadBuffer buffer;
    files::MappedFile mapping;
    std::string_view bytes;  // of `buffer` or `mapping`
    std::string held;        // the file they hold
  };
  // The mapping a reader held, once its bytes were parsed: a file that shrank since is
  // noted, its parsed result is not the file's.
  void settle(Reader& r) {
    if (r.mapping.mapped() && !r.mapping.intact()) {
      std::lock_guard<std::mutex> hold(shrunkLock_);
      shrunk_.push_back(r.held);
    }
    r.mapping.release();
    r.held.clear();
    r.bytes = {};
  }
  // `pending_` is only looked at.
  void readInto(const std::string& relative, Reader& r) {
    auto where = pending_.locate(relative);
    int fd = -1;
    if (where.source == files::PendingCommit::Source::File) {
      fd = ::open(where.path.c_str(), O_RDONLY | O_CLOEXEC);
    } else if (where.source == files::PendingCommit::Source::Folder) {
      fd = folder_.open(relative, savedSpelling(relative));
    }
    if (fd >= 0 && r.mapping.map(fd, mappedFrom.load(std::memory_order_relaxed), files::kMaxFileBytes)) {
      r.bytes = r.mapping.view();
      return;
    }
    const bool ok = fd >= 0 && r.buffer->readFrom(fd, files::kMaxFileBytes);
    if (fd >= 0) ::close(fd);
    if (!ok) throw text::ReadError(relative, 0, "the file", "no readable file of at most 64 MB");
    r.bytes = r.buffer->view();
  }

  files::PendingCommit pending_;
  files::FolderReader folder_;
  Reader readers_[3] = {Reader(0), Reader(1), Reader(2)};
  std::mutex shrunkLock_;  // guards shrunk_ (the slots may settle on two threads)
  std::vector<std::string> shrunk_;
};

// Throws the error of a load that read `failure` (or nothing) from `files`: the read
// error of a file that shrank while it was read, when that file comes before the
// failure's in the tables' order (or is its file), else the failure.
void throwFirstFailure(FileSource& files, std::exception_ptr failure) {
  const std::vector<std::string> shrunk = files.shrunkWhileRead();
  if (shrunk.empty()) {
    if (failure) std::rethrow_exception(failure);
    return;
  }
  const auto& order = loadOrder();
  const auto place = [&order](const std::string& file) {
    std::size_t at = 0;
    while (at < order.size() && !files::equalsIgnoreCase(order[at]->readName, file)) ++at;
    return at;
  };
  std::size_t failed = order.size() + 1;  // any failure but a table's comes after the tables
  if (failure) {
    try {
      std::rethrow_exception(failure);
    } catch (const text::ReadError& e) {
      failed = place(e.file());
    } catch (...) {
    }
  }
  const std::string* first = nullptr;
  for (const std::string& file : shrunk)
    if (!first || place(file) < place(*first)) first = &file;
  if (place(*first) <= failed) throw text::ReadError(*first, 0, "the file", "a file that shrank while it was read");
  std::rethrow_exception(failure);
}

// Whether this process may run on more than one processor.
bool secondProcessor() {
  cpu_set_t set;
  if (::sched_getaffinity(0, sizeof set, &set) == 0) return CPU_COUNT(&set) > 1;
  return std::thread::hardware_concurrency() > 1;
}

// Below this many level records (players x steps) a second thread costs more than it saves.
constexpr long kRecordsWorthAThread = 2000;

bool twoThreads(LoadThreads threads, const MaxValues& max) {
  if (threads != LoadThreads::Auto) return threads == LoadThreads::Two;
  return static_cast<long>(max.players + 1) * max.levels >= kRecordsWorthAThread && secondProcessor();
}

std::atomic<std::size_t> levelPartItems{0};

// The level table in about 32 parts: each side's last piece is then small against the
// whole load.
std::size_t partItemsFor(const ProjectDatabase& db) {
  if (const std::size_t set = levelPartItems.load(std::memory_order_relaxed)) return set;
  const LevelSegments layout(db.max, db.formatVersion);
  std::size_t items = 0;
  for (int s = 0; s < layout.count(); ++s) items += layout.items(s);
  return std::max<std::size_t>(items / 32, 8192);
}

// A hidden password decoded; sums that are no character code fail the load (`which` names it).
Bytes decodeOrFail(const std::array<HiddenFields::Triple, 12>& triples, const char* which) {
  auto text = decodeHiddenText(triples);
  if (!text) throw text::ReadError("DAT", 0, std::string(which) + " password of character codes 1..65535",
                                   "a sum of hidden numbers that is no character code");
  return *text;
}

// The database the last load replaced, kept for the next one to fill: its tables keep
// the memory of their columns and texts (see clearReadInto), and
// the replaced project is not taken apart while a load waits. One per process; a load
// while another holds it starts from a new database.
class SpareDatabase {
 public:
  SpareDatabase() {
    std::lock_guard<std::mutex> hold(lock());
    db_ = std::move(kept());
    if (!db_) db_ = std::make_unique<ProjectDatabase>();
  }
  ~SpareDatabase() {
    std::lock_guard<std::mutex> hold(lock());
    if (!kept()) kept() = std::move(db_);
  }
  SpareDatabase(const SpareDatabase&) = delete;
  SpareDatabase& operator=(const SpareDatabase&) = delete;
  ProjectDatabase& operator*() { return *db_; }

 private:
  // Never destroyed: a load may end while the process does.
  static std::mutex& lock() {
    static auto* const m = new std::mutex;
    return *m;
  }
  static std::unique_ptr<ProjectDatabase>& kept() {
    static auto* const db = new std::unique_ptr<ProjectDatabase>;
    return *db;
  }
  std::unique_ptr<ProjectDatabase> db_;
};

}  // namespace

std::size_t useLevelPartItems(std::size_t items) { return levelPartItems.exchange(items); }

std::size_t useMappedFrom(std::size_t bytes) { return mappedFrom.exchange(bytes ? bytes : kMappedFrom); }

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

namespace {

// The tables into `fresh`, in their order.
void readTables(FileSource& files, const VersionInfo& version, ProjectDatabase& fresh, LoadThreads threads) {
  fresh.formatVersion = version.version;
  fresh.hidden = HiddenFields{};
  const auto& order = loadOrder();
  // The tables up to the counts, which size every other, on the calling thread.
  std::size_t next = 0;
  while (next < order.size()) {
    const TableFile* table = order[next++];
    clearReadInto(*table, fresh);
    FieldReader reader(files.view(table->readName), table->readName, version.version, fresh.hidden);
    table->read(reader, fresh);
    if (table->read == &walkMax<FieldReader>) break;
  }
  const std::vector<const TableFile*> rest(order.begin() + static_cast<std::ptrdiff_t>(next), order.end());
  if (twoThreads(threads, fresh.max)) {
    SharedLoad shared(files, fresh, rest, partItemsFor(fresh));
    readShared(shared);
    if (std::exception_ptr failure = shared.firstError()) std::rethrow_exception(failure);
  } else {
    for (const TableFile* table : rest) {
      clearReadInto(*table, fresh);
      FieldReader reader(files.view(table->readName), table->readName, version.version, fresh.hidden);
      table->read(reader, fresh);
    }
  }
}

}  // namespace

void loadAllFrom(FileSource& files, const VersionInfo& version, ProjectDatabase& db, RandomSource& random,
                 const Registration* registration, LoadThreads threads) {
  // Filled table by table: each is emptied or overwritten in place as it is read (clearReadInto).
  SpareDatabase spare;
  ProjectDatabase& fresh = *spare;
  std::exception_ptr failure;
  try {
    readTables(files, version, fresh, threads);
  } catch (...) {
    failure = std::current_exception();
  }
  throwFirstFailure(files, failure);
  HiddenFields& h = fresh.hidden;
  h.gamePassword = decodeOrFail(h.gameTriples, "the game");
  h.editingPassword = decodeOrFail(h.editingTriples, "the editing");
  for (int n = 0; n < 6; ++n) h.keys[n] = h.keyParts[n][0] + h.keyParts[n][1];
  if (registration) installRegistration(h, *registration);
  encodeHidden(h, random);
  // The replaced project becomes the spare of the next load.
  std::swap(db, fresh);
}

void loadAll(const std::filesystem::path& folder, ProjectDatabase& db, RandomSource& random,
             const Registration* registration, LoadThreads threads) {
  // The counts, which decide whether the tables are shared, are read first; the second
  // thread wakes meanwhile.
  if (threads != LoadThreads::One && secondProcessor()) expectSharedLoad();
  FolderSource source(folder);
  VersionInfo version;
  try {
    version = formatVersionOf(source.view(kIniName));
  } catch (...) {
    throwFirstFailure(source, std::current_exception());
  }
  loadAllFrom(source, version, db, random, registration, threads);
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
