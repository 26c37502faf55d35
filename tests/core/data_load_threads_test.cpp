// A load that shares its tables with a second thread gives what a load on one thread
// gives: the same tables and hidden fields, and for damaged files the same error, the
// first in the tables' order, whichever thread met it.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <optional>
#include <thread>

#include "core/data/load_sharing.h"
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

ProjectDatabase loadWith(MemoryFiles& files, LoadThreads threads) {
  RandomSource random(11);
  ProjectDatabase db;
  loadAllFrom(files, formatVersionOf(files.read("DAT\\bzenINI.DAT")), db, random, nullptr, threads);
  return db;
}

// Half of each file is cut off: a ReadError somewhere in it.
void cutInHalf(std::string& bytes) { bytes.resize(bytes.size() / 2); }

TEST(LoadThreads, BothWaysReadTheSameTablesAtOldAndCurrentVersions) {
  for (int version : {200, 205, 206, 210, 211, 340}) {
    SCOPED_TRACE(version);
    MemoryFiles files = writeAtVersion(richDatabase(), version);
    expectSame(loadWith(files, LoadThreads::Two), loadWith(files, LoadThreads::One));
  }
}

TEST(LoadThreads, TheFirstDamageInTheTablesOrderIsReportedWhicheverThreadMeetsIt) {
  const MemoryFiles good = writeAtVersion(richDatabase(), 340);
  const auto& order = loadOrder();
  for (std::size_t a = 0; a < order.size(); ++a)
    for (std::size_t b = a; b < order.size(); ++b) {
      MemoryFiles files = good;
      cutInHalf(files[order[a]->readName]);
      if (b != a) cutInHalf(files[order[b]->readName]);
      const std::string one = errorOf([&] { loadWith(files, LoadThreads::One); });
      ASSERT_EQ(one.rfind(order[a]->readName, 0), 0u) << one;
      EXPECT_EQ(errorOf([&] { loadWith(files, LoadThreads::Two); }), one) << order[a]->readName << " and "
                                                                          << order[b]->readName;
    }
}

TEST(LoadThreads, AnErrorOtherThanDamageComesOverFromTheSecondThread) {
  // A missing level table is met by whichever thread reads a part of it first; a
  // damaged player table before it in the order still wins.
  MemoryFiles files = writeAtVersion(richDatabase(), 340);
  files.files.erase(testing::upper("DAT\\bzenLEV.DAT"));
  EXPECT_EQ(errorOf([&] { loadWith(files, LoadThreads::Two); }), "DAT\\bzenLEV.DAT: expected the file, found nothing");
  cutInHalf(files["DAT\\bzenPLY.DAT"]);
  EXPECT_EQ(errorOf([&] { loadWith(files, LoadThreads::Two); }), errorOf([&] { loadWith(files, LoadThreads::One); }));
  EXPECT_EQ(errorOf([&] { loadWith(files, LoadThreads::Two); }).rfind("DAT\\bzenPLY.DAT", 0), 0u);
}

// Files in memory that show which thread asks for what. Reads of the calling thread
// after the counts wait until the second thread has read `lead` tables, so that it
// reads the tables at the back of the load; reads of the second thread wait while
// `gate` is closed. Every wait ends after ten seconds, for a process without a second
// thread.
struct WatchedFiles : MemoryFiles {
  explicit WatchedFiles(const MemoryFiles& files) : MemoryFiles(files) {}
  std::string_view view(const std::string& relative, Slot slot) override {
    std::unique_lock<std::mutex> hold(lock);
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    if (slot == Slot::Second) {
      second.push_back(relative);
      changed.notify_all();
      changed.wait_until(hold, until, [this] { return !gate; });
    } else if (slot == Slot::First && relative != "DAT\\bzenINI.DAT" && relative != "DAT\\bzenMAX.DAT") {
      changed.wait_until(hold, until, [this] { return second.size() >= lead; });
    }
    hold.unlock();
    return MemoryFiles::view(relative, slot);
  }
  void open() {
    std::lock_guard<std::mutex> hold(lock);
    gate = false;
    changed.notify_all();
  }
  std::mutex lock;
  std::condition_variable changed;
  std::vector<std::string> second;  // the files the second thread asked for
  std::size_t lead = 0;
  bool gate = false;
};

TEST(LoadThreads, TablesReadOnTheSecondThreadReportTheirDamageInTheTablesOrder) {
  const MemoryFiles good = writeAtVersion(richDatabase(), 340);
  const auto& order = loadOrder();
  // The second thread takes the tables from the back: all but the players and levels.
  const std::size_t back = order.size() - 4;
  {
    WatchedFiles files(good);
    files.lead = back;
    const ProjectDatabase two = loadWith(files, LoadThreads::Two);
    ASSERT_GE(files.second.size(), back) << "no second thread";
    expectSame(two, loadWith(files, LoadThreads::One));
    for (std::size_t i = 0; i < back; ++i) EXPECT_EQ(files.second[i], order[order.size() - 1 - i]->readName);
  }
  for (std::size_t a = 2; a < order.size(); ++a)
    for (std::size_t b = a; b < order.size(); ++b) {
      WatchedFiles files(good);
      files.lead = back;
      cutInHalf(files[order[a]->readName]);
      if (b != a) cutInHalf(files[order[b]->readName]);
      const std::string two = errorOf([&] { loadWith(files, LoadThreads::Two); });
      const std::string one = errorOf([&] { loadWith(files, LoadThreads::One); });
      ASSERT_EQ(one.rfind(order[a]->readName, 0), 0u) << one;
      EXPECT_EQ(two, one) << order[a]->readName << " and " << order[b]->readName;
    }
}

TEST(LoadThreads, ALoadWhileTheSecondThreadServesAnotherIsReadOnTheCallingThread) {
  MemoryFiles good = writeAtVersion(richDatabase(), 340);
  const ProjectDatabase want = loadWith(good, LoadThreads::One);
  WatchedFiles first(good);
  first.lead = 1;     // the calling thread waits until the second thread has begun
  first.gate = true;  // which then stops in this load's first table
  std::optional<ProjectDatabase> firstLoaded;
  std::thread other([&] { firstLoaded = loadWith(first, LoadThreads::Two); });
  {
    std::unique_lock<std::mutex> hold(first.lock);
    first.changed.wait_for(hold, std::chrono::seconds(10), [&] { return !first.second.empty(); });
  }
  const bool helped = [&] {
    std::lock_guard<std::mutex> hold(first.lock);
    return !first.second.empty();
  }();
  WatchedFiles second(good);
  expectSame(loadWith(second, LoadThreads::Two), want);
  if (helped) EXPECT_TRUE(second.second.empty());
  first.open();
  other.join();
  ASSERT_TRUE(firstLoaded.has_value());
  expectSame(*firstLoaded, want);
  EXPECT_TRUE(helped) << "no second thread";
}

TEST(LoadThreads, TheSecondThreadWokenAheadOfALoadServesItAndTheLoadsAfterIt) {
  const MemoryFiles good = writeAtVersion(richDatabase(), 340);
  MemoryFiles plain = good;
  const ProjectDatabase want = loadWith(plain, LoadThreads::One);
  // Woken for loads that never come: it waits a while, then sleeps again.
  expectSharedLoad();
  expectSharedLoad();
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  for (int round = 0; round < 6; ++round) {
    SCOPED_TRACE(round);
    WatchedFiles files(good);
    files.lead = 1;  // the calling thread reads nothing until the second thread has begun
    if (round % 2 == 1) expectSharedLoad();  // just ahead, as a folder load does
    if (round == 4) loadWith(plain, LoadThreads::One);  // one that shares nothing between
    expectSame(loadWith(files, LoadThreads::Two), want);
    EXPECT_FALSE(files.second.empty()) << "the second thread did not serve the load";
  }
  // Woken ahead of loads the calling thread finishes before the second thread begins.
  for (int round = 0; round < 50; ++round) {
    expectSharedLoad();
    expectSame(loadWith(plain, LoadThreads::Two), want);
  }
}

class FolderLoad : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("quillane-load-threads-" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_ / "DAT");
    files_ = writeAtVersion(richDatabase(), 340);
    for (const TableFile* t : loadOrder()) put(t->readName, files_.read(t->readName));
  }
  void TearDown() override { fs::remove_all(dir_); }
  void put(const std::string& relative, const std::string& bytes) {
    files::writeFileSynced(files::writePath(dir_, relative), bytes);
  }
  ProjectDatabase load(LoadThreads threads) {
    RandomSource random(11);
    ProjectDatabase db;
    loadAll(dir_, db, random, nullptr, threads);
    return db;
  }

  fs::path dir_;
  MemoryFiles files_;
};

TEST_F(FolderLoad, LoadsAgainIntoTheSameTablesAndReportsTheFirstDamage) {
  const ProjectDatabase one = load(LoadThreads::One);
  expectSame(one, loadWith(files_, LoadThreads::One));
  // Loaded again and again over itself, with the buffers kept from the loads before.
  RandomSource random(11);
  ProjectDatabase db;
  for (int i = 0; i < 3; ++i) {
    RandomSource same(11);
    loadAll(dir_, db, same, nullptr, LoadThreads::Two);
    expectSame(db, one);
  }
  // Damage in the level table and in the last table: the level table's is reported,
  // and the database stays as it was.
  std::string lev = files_.read("DAT\\bzenLEV.DAT"), tend = files_.read("DAT\\BZENTEND.DAT");
  cutInHalf(lev);
  cutInHalf(tend);
  put("DAT\\bzenLEV.DAT", lev);
  put("DAT\\BZENTEND.DAT", tend);
  const std::string first = errorOf([&] { load(LoadThreads::One); });
  ASSERT_EQ(first.rfind("DAT\\bzenLEV.DAT", 0), 0u) << first;
  EXPECT_EQ(errorOf([&] { loadAll(dir_, db, random, nullptr, LoadThreads::Two); }), first);
  expectSame(db, one);
}

TEST_F(FolderLoad, ATableMissingAsReadIsTakenInTheSpellingASaveWritesBeforeAnyOther) {
  const ProjectDatabase one = load(LoadThreads::One);
  // Only the saved spelling holds the table; the other spellings hold damage, and the
  // name the load asks for is missing.
  const std::string scenery = files_.read("DAT\\bzenCTY.DAT");
  fs::remove(dir_ / "DAT" / "bzenCTY.DAT");
  put("DAT\\BZENCTY.DAT", scenery);
  for (const char* other : {"bzencty.dat", "Bzencty.DAT", "bZENcty.dat", "BZENCTY.dat", "bzenCty.Dat", "BZENcty.DAT",
                            "bzenCTY.dat"})
    put(std::string("DAT\\") + other, scenery.substr(0, scenery.size() / 2));
  expectSame(load(LoadThreads::One), one);
  expectSame(load(LoadThreads::Two), one);
  // With neither the read nor the saved spelling, one of the others is read.
  fs::remove(dir_ / "DAT" / "BZENCTY.DAT");
  EXPECT_EQ(errorOf([&] { load(LoadThreads::One); }).rfind("DAT\\bzenCTY.DAT", 0), 0u);
}

}  // namespace
}  // namespace quillane::data
