// The test-play save file: its bytes against a file written by hand from the engine's
// format, the start position, empty event slots, the flags, and writing it safely.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "core/data/blank_project.h"
#include "core/event/flag_event_source.h"
#include "core/text/project_files.h"
#include "core/tools/debug_listing.h"
#include "core/tools/test_save.h"

namespace quillane::tools {
namespace {

namespace fs = std::filesystem;

std::string times(int n, const std::string& s) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

struct Small {
  data::ProjectDatabase db;
  map::MapDocument map;
  EventFlags flags;

  Small() {
    data::MaxValues& m = db.max;
    m.players = 1, m.itemsHeld = 2, m.magicHeld = 1, m.maps = 2, m.scenery = 2;
    db.fitToCounts();
    data::PlayerTable& p = db.players;
    p.name = {"ALICE", "BOB"};
    p.level[0] = 5, p.hp[0] = 30, p.mp[0] = 10, p.maxHp[0] = 40, p.maxMp[0] = 12;
    p.attack[0] = 7, p.defence[0] = 6, p.speed[0] = 4, p.experience[0] = 1234, p.nextExperience[0] = 2000;
    p.heldItemCount[0] = 2, p.heldMagicCount[0] = 1;
    p.heldItem[0] = {3, 4}, p.equippedMark[0] = {2, 0}, p.uses[0] = {1, 5};
    p.heldMagic[0] = {6};
    p.ailment[0][0] = 1, p.ailment[0][7] = 1;
    p.equipment[0][0] = 4;
    p.critical[0] = 3, p.hitRate[0] = 90, p.magicDefence[0] = 8, p.attribute[0] = 1;
    db.scenery.visited = {1, 0};

    map.width = 20, map.height = 15;
    map.startEvent = 1, map.xAdd = 2, map.yAdd = -1;
    map.events.lastNumber = 1;
    map.events.records[0].x = 3, map.events.records[0].y = 4, map.events.records[0].speed = 2;
    map.events.records[1].x = 5, map.events.records[1].y = 6, map.events.records[1].speed = 4;
    map.events.grid.at(3, 4) = {"05", "01", "0"};
    map.events.grid.at(5, 6) = {"0A", "00", "1"};
    flags.fit(2);
    flags.set(0, 1, 3);
    flags.set(1, 100, 7);
  }
  TestSaveInput input() const { return {db, map, 3, flags}; }
};

TEST(TestSave, BytesOfASmallProjectAsWrittenByHand) {
  Small s;
  const std::string zero = " 0 ,";
  std::string expected = text::sj("999999999999デバッグデータ,") + " 224 , 160 , 0 , 0 , 3 , 0 , 0 , 0 , 100000 ,";
  // The party: players 0 and 1.
  expected += " 0 ,ALICE, 5 , 30 , 10 , 40 , 12 , 7 , 6 , 4 , 1234 , 2000 , 2 , 1 ,";
  expected += " 3 , 2 , 4 , 0 ,";  // held items with their marks
  expected += " 6 ,";              // held magic
  expected += " 1 , 4 ," + times(10, zero);  // ailments 0..5 with slots 0..5
  expected += " 1 ,BOB," + times(12, zero) + times(4, zero) + zero + times(12, zero);
  // Flags of maps 0 and 1, events 0..100.
  expected += zero + " 3 ," + times(99, zero) + times(100, zero) + " 7 ,";
  expected += " 1 , 0 ,";     // visited towns
  expected += " 20 , 15 ,";   // the open map's size
  expected += " 3 , 4 , 2 , 0 , 8 ,05,01,0, 5 , 6 , 4 , 0 , 8 ,0A,00,1,";
  expected += times(99, " 0 , 0 , 0 , 0 , 8 ,,,,");
  expected += "350, 0 ,";
  expected += " 3 , 90 , 8 , 1 , 1 , 5 , 0 , 1 , 0 , 0 , 0 ,";
  expected += times(11, zero);
  expected += " 0 , 8 , 15 ,, 0 , 0 , 16 , 0 ,FIELD,";
  expected += " 0 , 23 , 39 , 7 , 3 , 3 , 3 , 3 , 0 ,";
  expected += " 20 , 15 , 255 , 255 , 255 , 0 , 0 , 0 ,";
  std::optional<text::Bytes> bytes = testSaveBytes(s.input());
  ASSERT_TRUE(bytes);
  EXPECT_EQ(*bytes, expected);
}

TEST(TestSave, StartWithoutItsEventIsTheAddsAlone) {
  Small s;
  EXPECT_EQ(startPixels(s.map), std::make_pair(224, 160));
  s.map.startEvent = 2;  // past the last event
  EXPECT_EQ(startPixels(s.map), std::make_pair(64, -32));
  s.map.events.lastNumber = -1;
  s.map.startEvent = 0;
  EXPECT_EQ(startPixels(s.map), std::make_pair(64, -32));
  // A map without events still writes its 101 slots, and the flags it has.
  std::optional<text::Bytes> bytes = testSaveBytes(s.input());
  ASSERT_TRUE(bytes);
  EXPECT_NE(bytes->find(" 20 , 15 ," + times(101, " 0 , 0 , 0 , 0 , 8 ,,,,") + "350, 0 ,"), std::string::npos);
}

TEST(TestSave, ANameThatWouldBreakTheFileIsRefused) {
  Small s;
  s.db.players.name[1] = "A,B";
  text::Bytes bad;
  EXPECT_FALSE(testSaveBytes(s.input(), &bad));
  EXPECT_EQ(bad, "A,B");
}

TEST(TestSave, FlagsKeepTheirValuesWhenTheMapCountGrows) {
  EventFlags flags;
  flags.fit(2);
  flags.set(1, 100, 9);
  flags.fit(5);
  EXPECT_EQ(flags.get(1, 100), 9);
  flags.fit(1);  // a lowered count forgets nothing
  EXPECT_EQ(flags.get(1, 100), 9);
  EXPECT_EQ(flags.get(1, 101), 0);
  EXPECT_EQ(flags.get(-1, 0), 0);
}

class TestSaveFile : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("quillane-testsave-" + std::to_string(::getpid()) + "-" +
                                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }
  fs::path dir;
};

TEST_F(TestSaveFile, CreatesTheFolderAndKeepsAnExistingNamesCase) {
  EXPECT_FALSE(writeTestSave(dir, 9, "nine"));
  EXPECT_EQ(*files::readFile(dir / "SAV" / "DATA9.DAT"), "nine");
  fs::rename(dir / "SAV", dir / "sav");
  fs::rename(dir / "sav" / "DATA9.DAT", dir / "sav" / "data9.dat");
  EXPECT_FALSE(writeTestSave(dir, 9, "again"));
  EXPECT_EQ(*files::readFile(dir / "sav" / "data9.dat"), "again");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir / "sav"), fs::directory_iterator()), 1);
  EXPECT_TRUE(writeTestSave(dir, 10, "x"));
}

TEST_F(TestSaveFile, AFailedWriteLeavesThePreviousFile) {
  ASSERT_FALSE(writeTestSave(dir, 1, "previous"));
  // The disk refuses more than a few bytes per file.
  struct sigaction ignore {}, old {};
  ignore.sa_handler = SIG_IGN;
  sigaction(SIGXFSZ, &ignore, &old);
  rlimit before{};
  getrlimit(RLIMIT_FSIZE, &before);
  rlimit small = before;
  small.rlim_cur = 16;
  setrlimit(RLIMIT_FSIZE, &small);
  std::optional<std::string> failure = writeTestSave(dir, 1, std::string(4096, 'x'));
  setrlimit(RLIMIT_FSIZE, &before);
  sigaction(SIGXFSZ, &old, nullptr);
  EXPECT_TRUE(failure);
  EXPECT_EQ(*files::readFile(dir / "SAV" / "DATA1.DAT"), "previous");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir / "SAV"), fs::directory_iterator()), 1);
  // A file where the folder should be.
  fs::remove_all(dir / "SAV");
  std::ofstream(dir / "SAV") << "x";
  EXPECT_TRUE(writeTestSave(dir, 2, "y"));
}

TEST(DebugListing, EventLinesShowLineZeroAndTheFlaggedLine) {
  event::MapEvents open;
  open.lastNumber = 1;
  open.records[0].lines[0] = {"hello", "MES"};
  open.records[0].lines[1] = {"99", ""};
  open.records[1].lines[0] = {"a", "X"};
  open.records[1].lines[1] = {"b", "Y"};
  open.records[1].lines[2] = {"99", ""};
  event::MapEvents other;
  other.lastNumber = 0;
  other.records[0].lines[0] = {"far", "Z"};
  other.records[0].lines[1] = {"99", ""};
  event::FlagEventSource source(0, open, {"m0", "m1", "m2"}, [&](int m) -> std::optional<event::MapEvents> {
    if (m == 1) return other;
    return std::nullopt;
  });
  EventFlags flags;
  flags.set(0, 1, 1);
  flags.set(0, 0, 5);  // past the end marker: the listing copy holds "99" there
  const Bytes mark = text::sj(" ■ ");
  EXPECT_EQ(eventListLines(source, 0, flags),
            (std::vector<Bytes>{" 0:hello" + mark + " 5:99", " 1:a" + mark + " 1:b"}));
  EXPECT_EQ(eventListLines(source, 1, flags), (std::vector<Bytes>{" 0:far" + mark + " 0:far"}));
  EXPECT_TRUE(eventListLines(source, 2, flags).empty());  // no readable events
  EXPECT_EQ(flagLines(source, 0, 1), (std::vector<Bytes>{" 0:a", " 1:b", " 2:99"}));
  EXPECT_EQ(flagText(source, 0, 0, 5), " 5:99");
}

}  // namespace
}  // namespace quillane::tools
