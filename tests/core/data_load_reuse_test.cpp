// A load fills the database the load before it replaced, keeping its memory: what it
// reads must not depend on what that database held. Emptying keeps only memory, and
// every table of the load order empties what it reads into.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <thread>

#include "core/data/load_sharing.h"
#include "core/text/project_files.h"
#include "data_fixtures.h"
#include "maximal_project.h"

namespace quillane::data {
namespace {

using testing::expectSame;
using testing::MemoryFiles;
using testing::richDatabase;
using testing::writeAtVersion;

void load(MemoryFiles& files, ProjectDatabase& into, LoadThreads threads) {
  RandomSource random(11);
  loadAllFrom(files, formatVersionOf(files.read("DAT\\bzenINI.DAT")), into, random, nullptr, threads);
}

// Both sized to the same counts, as every load sizes them.
void sizeLike(const MaxValues& max, ProjectDatabase& a, ProjectDatabase& b) {
  a.max = b.max = max;
  a.fitToCounts();
  b.fitToCounts();
}

TEST(DatabaseMemory, AnEmptiedDatabaseIsANewOneOnceSizedButForTheLevelGrids) {
  const ProjectDatabase full = quillane::testing::maximalDatabase();
  ProjectDatabase emptied = full, fresh;
  emptied.clearKeepingMemory();
  EXPECT_GE(emptied.magic.text.capacity(), full.magic.text.size());
  EXPECT_GE(emptied.players.hp.capacity(), full.players.hp.size());
  sizeLike(full.max, emptied, fresh);
  // The level grids are written whole by their reader, so they are kept as they are.
  EXPECT_TRUE(emptied.levels.reserved == fresh.levels.reserved);
  emptied.levels = fresh.levels;
  expectSame(emptied, fresh);
  EXPECT_EQ(emptied.hidden.fillers, fresh.hidden.fillers);
}

TEST(DatabaseMemory, TheTablesOfTheLoadOrderEmptyTheWholeDatabaseBetweenThem) {
  const ProjectDatabase full = quillane::testing::maximalDatabase();
  ProjectDatabase byTables = full, whole = full;
  whole.clearKeepingMemory();
  // The load empties the hidden fields itself, before the first table.
  byTables.hidden = HiddenFields{};
  byTables.formatVersion = 0;
  for (const TableFile* t : loadOrder()) clearReadInto(*t, byTables);
  expectSame(byTables, whole);
  // Nothing but its own: the players table empties no other table.
  ProjectDatabase one = full;
  for (const TableFile* t : loadOrder())
    if (t->read == &walkPlayers<FieldReader>) clearReadInto(*t, one);
  EXPECT_TRUE(std::all_of(one.players.name.begin(), one.players.name.end(), [](auto& n) { return n.empty(); }));
  EXPECT_TRUE(one.players.hp.empty());
  EXPECT_TRUE(one.magic == full.magic);
  EXPECT_TRUE(one.messages == full.messages);
}

// Loads of `small` into databases that held a larger project, a newer one and a
// damaged one read what a load into a new database reads.
TEST(LoadReuse, AProjectLoadedOverAnotherReadsAsIntoANewDatabase) {
  ProjectDatabase big = quillane::testing::maximalDatabase();
  for (auto& row : big.messages.entries) row[0] = "message";
  big.messages.entries[999][0] = "END";
  MemoryFiles large = writeAtVersion(big, 340);
  for (LoadThreads threads : {LoadThreads::One, LoadThreads::Two}) {
    for (int version : {200, 206, 211, 264, 340}) {
      SCOPED_TRACE(std::to_string(version) + (threads == LoadThreads::One ? " one thread" : " two threads"));
      MemoryFiles small = writeAtVersion(richDatabase(), version);
      // The replaced database is kept for the next load: two loads into new databases
      // make the second read into one that never held a project.
      ProjectDatabase first, expected;
      load(small, first, threads);
      load(small, expected, threads);
      ProjectDatabase db;
      load(large, db, threads);
      load(large, db, threads);
      load(small, db, threads);
      expectSame(db, expected);
      // A load that fails part way leaves its tables half read for the next one.
      load(large, db, threads);
      MemoryFiles damaged = small;
      damaged["DAT\\bzenene.DAT"].resize(damaged["DAT\\bzenene.DAT"].size() / 2);
      EXPECT_THROW(load(damaged, db, threads), text::ReadError);
      load(large, db, threads);
      EXPECT_THROW(load(damaged, db, threads), text::ReadError);
      load(small, db, threads);
      expectSame(db, expected);
    }
  }
}

TEST(FolderReader, ThreadsReadingThroughOneReaderFindTheirNamesInOneListing) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / ("quillane-folder-reader-" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir / "DAT");
  const char* names[] = {"BZENCTY.DAT", "BZENEAP.DAT", "bzenply.dat", "BzenItm.Dat"};
  for (const char* n : names) files::writeFileSynced(dir / "DAT" / n, std::string("bytes of ") + n);
  files::FolderReader reader(dir);
  auto readAll = [&](int from) {
    files::ReadBuffer buffer;
    for (int round = 0; round < 20; ++round) {
      for (int k = 0; k < 4; ++k) {
        const char* n = names[(k + from) % 4];
        std::string asked = "DAT\\" + testing::upper(n);
        ASSERT_TRUE(reader.read(asked, buffer)) << asked;
        EXPECT_EQ(buffer.view(), std::string("bytes of ") + n);
      }
      EXPECT_FALSE(reader.read("DAT\\bzenMGC.DAT", buffer));
    }
  };
  std::thread other(readAll, 2);
  readAll(0);
  other.join();
  fs::remove_all(dir);
}

}  // namespace
}  // namespace quillane::data
