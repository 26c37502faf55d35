// A load fills the database the load before it replaced, keeping its memory: what it
// reads must not depend on what that database held. Only memory is kept: every field is
// read or set to its default each time.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <thread>

#include "core/data/load_sharing.h"
#include "core/text/project_files.h"
#include "data_fixtures.h"
#include "maximal_project.h"
#include "read_helpers.h"

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

// Counts below and above richCounts() in every place.
MaxValues countsAround(int step) {
  MaxValues m = testing::richCounts();
  for (int* c : {&m.players, &m.magicHeld, &m.itemsHeld, &m.levels, &m.scenery, &m.itemKinds, &m.armsKinds, &m.maps,
                 &m.magicKinds, &m.enemyKinds})
    *c = std::max(1, *c + step);
  return m;
}

// A project with a value in every field, more attributes than richDatabase() and a longer
// message list, and a text longer than a string holds in place in each text column.
ProjectDatabase otherProject(int step) {
  ProjectDatabase db = richDatabase(countsAround(step));
  for (int a = 0; a < 9; ++a) {
    db.scenery.attributeName[a] = "other attribute " + std::to_string(a);
    for (int b = 0; b < 9; ++b) db.scenery.attributeRate[a][b] = static_cast<float>(a * 10 + b + 1);
  }
  for (int k = 0; k < 30; ++k) db.messages.entries[k][0] = "other message " + std::to_string(k);
  db.messages.entries[30][0] = "END";
  const Bytes longText = "a text longer than fits in place";
  db.players.name[0] = db.players.characterGraphic[0] = db.enemies.name[0] = db.enemies.graphic[0] = longText;
  db.maps.name[0] = db.scenery.battleBackground[0] = db.scenery.distantView[0] = longText;
  db.items.text[0].fill(longText);
  db.items.useSound[0] = db.items.animation[0] = db.items.eventLabel[0] = db.arms.attackSound[0] = longText;
  db.magic.text[0].fill(longText);
  db.magic.effect[0] = db.magic.animation[0] = db.magic.sound[0] = db.magic.eventLabel[0] = longText;
  db.magic.playerSound[0].assign(db.magic.playerSound[0].size(), longText);
  return db;
}

// One format version in each band between two of the readers' version gates.
constexpr int kVersionBands[] = {200, 205, 210, 215, 231, 239, 249, 259, 263, 264,
                                 283, 299, 309, 319, 320, 331, 332, 340};

// A table's reader sets every cell of what it sizes, whatever an earlier load left there:
// richDatabase() at each format version, loaded over a smaller and a larger project that
// hold a value in every field (both databases a load alternates between), reads as into
// a new database.
TEST(LoadReuse, EveryFieldIsReadOrSetWhateverTheDatabaseHeld) {
  const ProjectDatabase smaller = otherProject(-2), larger = otherProject(3);
  for (int version : kVersionBands) {
    SCOPED_TRACE(version);
    MemoryFiles subject = writeAtVersion(richDatabase(), version);
    ProjectDatabase expected;
    load(subject, expected, LoadThreads::One);
    for (const ProjectDatabase* other : {&smaller, &larger}) {
      for (int otherVersion : {340, version}) {
        MemoryFiles before = writeAtVersion(*other, otherVersion);
        ProjectDatabase db;
        load(before, db, LoadThreads::One);
        load(before, db, LoadThreads::One);
        load(subject, db, LoadThreads::One);
        expectSame(db, expected);
        load(subject, db, LoadThreads::One);
        expectSame(db, expected);
      }
    }
  }
}

// What the editor does to a loaded project (records added past the counts, texts
// written over) does not reach the next project loaded into its memory.
TEST(LoadReuse, AnEditedProjectDoesNotReachTheNextLoad) {
  MemoryFiles subject = writeAtVersion(richDatabase(), 340);
  ProjectDatabase expected;
  load(subject, expected, LoadThreads::One);
  ProjectDatabase db;
  load(subject, db, LoadThreads::One);
  load(subject, db, LoadThreads::One);
  db.max = countsAround(4);
  db.fitToCounts();
  db.magic.playerSound[0][0] = "a sound name longer than fits in place";
  db.messages.entries[1][3] = "an explanation";
  db.messages.entries[500][0] = "a message past the end";
  db.scenery.attributeName[50] = "attribute 50";
  db.scenery.attributeRate[60][70] = 5;
  db.scenery.attributeRate[1][80] = 6;
  db.items.eventLabel.back() = "*label";
  load(subject, db, LoadThreads::One);
  load(subject, db, LoadThreads::One);
  expectSame(db, expected);
}

// A load of a project of the same shape writes into the records, rows and texts the
// load before the last one left: none is made anew.
TEST(LoadReuse, AProjectOfTheSameShapeIsReadIntoTheSameMemory) {
  ProjectDatabase source = otherProject(0);
  MemoryFiles files = writeAtVersion(source, 340);
  ProjectDatabase db;
  load(files, db, LoadThreads::One);
  struct Places {
    const void *magicText, *soundRow, *longSound, *itemTexts, *enemyNames, *longName, *distantViews;
    bool operator==(const Places&) const = default;
  };
  auto places = [](const ProjectDatabase& d) {
    return Places{d.magic.text.data(),         d.magic.playerSound[1].data(), d.magic.playerSound[0][1].data(),
                  d.items.text.data(),         d.enemies.name.data(),         d.enemies.name[0].data(),
                  d.scenery.distantView.data()};
  };
  const Places first = places(db);
  load(files, db, LoadThreads::One);
  const Places second = places(db);
  EXPECT_FALSE(first == second);  // the other database of the two
  for (int round = 0; round < 2; ++round) {
    load(files, db, LoadThreads::One);
    EXPECT_TRUE(places(db) == first);
    load(files, db, LoadThreads::Two);
    EXPECT_TRUE(places(db) == second);
  }
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
        ASSERT_TRUE(quillane::testing::readFromFolder(reader, asked, buffer)) << asked;
        EXPECT_EQ(buffer.view(), std::string("bytes of ") + n);
      }
      EXPECT_FALSE(quillane::testing::readFromFolder(reader, "DAT\\bzenMGC.DAT", buffer));
    }
  };
  std::thread other(readAll, 2);
  readAll(0);
  other.join();
  fs::remove_all(dir);
}

}  // namespace
}  // namespace quillane::data
