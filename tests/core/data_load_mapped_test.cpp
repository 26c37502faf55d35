// A load that maps files instead of reading them reads the same tables, and a mapped
// file that shrinks during the load fails it with that file's read error (the first
// failure in the tables' order, as any damage) instead of ending the process.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <mutex>
#include <thread>

#include "core/text/mapped_file.h"
#include "core/text/project_files.h"
#include "data_fixtures.h"

namespace quillane::data {
namespace {

namespace fs = std::filesystem;
using testing::errorOf;
using testing::expectSame;
using testing::MemoryFiles;
using testing::richDatabase;
using testing::writeAtVersion;

// Maps every file from this size on while it lives.
class MappedFrom {
 public:
  explicit MappedFrom(std::size_t bytes) : before_(useMappedFrom(bytes)) {}
  ~MappedFrom() { useMappedFrom(before_); }

 private:
  std::size_t before_;
};

class MappedLoad : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("quillane-load-mapped-" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_ / "DAT");
  }
  void TearDown() override { fs::remove_all(dir_); }
  void putAll(const MemoryFiles& files) {
    for (const TableFile* t : loadOrder()) put(t->readName, files.files.at(testing::upper(t->readName)));
  }
  void put(const std::string& relative, const std::string& bytes) {
    files::writeFileSynced(files::writePath(dir_, relative), bytes);
  }
  fs::path path(const std::string& relative) { return *files::findExisting(dir_, relative); }

  fs::path dir_;
};

// The version is not read from a source that may cut the settings table before the load.
ProjectDatabase loadFrom(FileSource& files, LoadThreads threads) {
  RandomSource random(11);
  ProjectDatabase db;
  loadAllFrom(files, VersionInfo{340, true}, db, random, nullptr, threads);
  return db;
}

TEST_F(MappedLoad, MappedFilesGiveTheTablesThatReadFilesGive) {
  MemoryFiles files = writeAtVersion(richDatabase(), 340);
  putAll(files);
  const ProjectDatabase want = loadFrom(files, LoadThreads::One);
  for (LoadThreads threads : {LoadThreads::One, LoadThreads::Two}) {
    const MappedFrom everyFile(1);
    for (int again = 0; again < 2; ++again) {
      RandomSource random(11);
      ProjectDatabase db;
      loadAll(dir_, db, random, nullptr, threads);
      expectSame(db, want);
    }
  }
}

TEST_F(MappedLoad, TablesEndingAtAPageOrEmptyReadAsFromMemory) {
  const std::size_t page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
  MemoryFiles files = writeAtVersion(richDatabase(), 340);
  const std::string ending = files.read("DAT\\BZENTEND.DAT");
  ASSERT_LT(ending.size(), page - 1);
  // Blank lines after the last item up to a page less one, a page, a page and one; and
  // nothing at all: the bytes after the end are what a parser of the mapping meets.
  for (std::size_t size : {page - 1, page, page + 1, std::size_t{0}}) {
    SCOPED_TRACE(size);
    files["DAT\\BZENTEND.DAT"] = size == 0 ? std::string() : ending + std::string(size - ending.size(), '\n');
    putAll(files);
    const std::string fromMemory = errorOf([&] { loadFrom(files, LoadThreads::One); });
    const MappedFrom everyFile(1);
    for (LoadThreads threads : {LoadThreads::One, LoadThreads::Two}) {
      RandomSource random(11);
      ProjectDatabase db;
      EXPECT_EQ(errorOf([&] { loadAll(dir_, db, random, nullptr, threads); }), fromMemory);
      if (fromMemory.empty()) expectSame(db, loadFrom(files, LoadThreads::One));
    }
  }
}

// Maps each file as a load asks for it and cuts `victim` to `keep` bytes right after
// mapping it: the load parses a file that shrank under it (from any thread).
class ShrinkingSource : public FileSource {
 public:
  ShrinkingSource(fs::path dir, std::string victim, std::size_t keep)
      : dir_(std::move(dir)), victim_(std::move(victim)), keep_(keep) {}
  std::string read(const std::string&) override { throw std::logic_error("mapped only"); }
  std::string_view view(const std::string& relative, Slot slot) override {
    Held& h = held_[static_cast<int>(slot)];
    if (h.name == relative) return h.file.view();
    settle(h);
    const fs::path path = *files::findExisting(dir_, relative);
    if (!h.file.map(::open(path.c_str(), O_RDONLY | O_CLOEXEC), 0, files::kMaxFileBytes))
      throw std::runtime_error("not mapped: " + relative);
    h.name = relative;
    if (relative == victim_) fs::resize_file(path, keep_);
    return h.file.view();
  }
  std::vector<std::string> shrunkWhileRead() override {
    for (Held& h : held_) settle(h);
    return shrunk_;
  }

 private:
  struct Held {
    files::MappedFile file;
    std::string name;
  };
  void settle(Held& h) {
    if (h.file.mapped() && !h.file.intact()) {
      std::lock_guard<std::mutex> hold(lock_);
      shrunk_.push_back(h.name);
    }
    h.file.release();
    h.name.clear();
  }
  fs::path dir_;
  std::string victim_;
  std::size_t keep_;
  Held held_[3];
  std::mutex lock_;
  std::vector<std::string> shrunk_;
};

// A project whose level table spans many pages (over 1 MB).
ProjectDatabase manyLevels() {
  ProjectDatabase db = richDatabase();
  db.max.levels = 999;
  db.max.players = 40;
  db.fitToCounts();
  return db;
}

TEST_F(MappedLoad, AFileThatShrinksWhileItIsParsedFailsTheLoadWithItsReadError) {
  const MemoryFiles good = writeAtVersion(manyLevels(), 340);
  const auto& order = loadOrder();
  for (LoadThreads threads : {LoadThreads::One, LoadThreads::Two}) {
    for (const TableFile* victim : order) {
      SCOPED_TRACE(victim->readName);
      putAll(good);
      ShrinkingSource source(dir_, victim->readName, good.files.at(testing::upper(victim->readName)).size() / 3);
      EXPECT_EQ(errorOf([&] { loadFrom(source, threads); }),
                std::string(victim->readName) + ": expected the file, found a file that shrank while it was read");
    }
  }
}

TEST_F(MappedLoad, AShrunkFileIsOneFailureAmongOthersInTheTablesOrder) {
  MemoryFiles damaged = writeAtVersion(manyLevels(), 340);
  std::string& ply = damaged["DAT\\bzenPLY.DAT"];
  ply.resize(ply.size() / 2);
  std::string& tend = damaged["DAT\\BZENTEND.DAT"];
  tend.resize(tend.size() / 2);
  const std::string lev = "DAT\\bzenLEV.DAT";
  for (LoadThreads threads : {LoadThreads::One, LoadThreads::Two}) {
    // The player table comes before the level table: its damage is the load's.
    putAll(damaged);
    const std::string players = errorOf([&] { loadFrom(damaged, threads); });
    ASSERT_EQ(players.rfind("DAT\\bzenPLY.DAT", 0), 0u) << players;
    ShrinkingSource before(dir_, lev, 1000);
    EXPECT_EQ(errorOf([&] { loadFrom(before, threads); }), players);
    // The last table comes after it: the level table's read error is.
    put("DAT\\bzenPLY.DAT", writeAtVersion(manyLevels(), 340).files.at("DAT\\BZENPLY.DAT"));
    put(lev, damaged.files.at(testing::upper(lev)));
    ShrinkingSource after(dir_, lev, 1000);
    EXPECT_EQ(errorOf([&] { loadFrom(after, threads); }), lev + ": expected the file, found a file that shrank while it was read");
  }
}

TEST_F(MappedLoad, ALevelTableCutWhileProjectsLoadFailsOnlyThoseLoads) {
  MemoryFiles good = writeAtVersion(manyLevels(), 340);
  putAll(good);
  const std::string lev = good.files.at("DAT\\BZENLEV.DAT");
  ASSERT_GT(lev.size(), std::size_t{1} << 20);  // mapped by default
  const ProjectDatabase want = loadFrom(good, LoadThreads::One);
  const fs::path levPath = path("DAT\\bzenLEV.DAT");
  for (int round = 0; round < 8; ++round) {
    put("DAT\\bzenLEV.DAT", lev);
    std::atomic<bool> stop{false};
    std::thread cutter([&] {
      // Cut in steps while loads run: some see it whole, some shrink under them, some
      // find it cut before they map it.
      for (std::size_t keep = lev.size(); keep > 0 && !stop; keep -= std::min(keep, lev.size() / 16 + round)) {
        ::truncate(levPath.c_str(), static_cast<off_t>(keep));
        std::this_thread::sleep_for(std::chrono::microseconds(300));
      }
    });
    for (int load = 0; load < 6; ++load) {
      RandomSource random(11);
      ProjectDatabase db;
      const std::string error = errorOf([&] { loadAll(dir_, db, random, nullptr, LoadThreads::Two); });
      if (error.empty()) expectSame(db, want);
      else EXPECT_EQ(error.rfind("DAT\\bzenLEV.DAT", 0), 0u) << error;
    }
    stop = true;
    cutter.join();
  }
}

}  // namespace
}  // namespace quillane::data
