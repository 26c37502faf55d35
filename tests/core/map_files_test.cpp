// Map files: version gates, the split form, the event and flag writers' limits, a
// full save → reload, and damaged input.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <unistd.h>

#include "core/data/load_all.h"
#include "core/map/map_body_file.h"
#include "core/map/map_event_file.h"
#include "core/map/map_file_names.h"
#include "core/map/map_files.h"
#include "core/map/map_flag_file.h"
#include "core/map/new_map.h"
#include "core/map/tile_lookup.h"
#include "core/text/project_files.h"
#include "core/text/file_set_commit.h"
#include "core/text/item_writer.h"
#include "core/text/read_error.h"

using namespace quillane;
using map::MapDocument;
using map::MapFileContext;
using text::ReadError;

namespace {

MapFileContext keyedContext(bool split = false) {
  MapFileContext c;
  c.keys = {7, 11, 13, 17, 19, 23};
  c.splitChips = split;
  return c;
}

// A body file as an older editor wrote it: 3 × 2 cells, settings cut after `settings`
// numbers (12 = all), then fillers, "0", the version and (from 240) the sky.
text::Bytes oldBody(const MapFileContext& c, int version, const char* row0, const char* row1,
                    int settings = 12, int zeroField = 0) {
  text::ItemWriter w;
  w.number(3 + c.key(1));
  w.number(2 + c.key(2));
  w.number(1 + c.key(3));
  w.number(-1 + c.key(4));
  w.number(2 + c.key(5));
  w.text("BGM");
  w.text("TILES");
  w.text("CHARS");
  w.text(row0);
  w.text(row1);
  const int values[12] = {1, 2, 3, 4, 9, 250, 1, 4, 5, 6, 7, 8};
  for (int i = 0; i < settings; ++i) w.number(values[i]);
  if (settings == 12) {
    w.number(33);
    w.number(44);
    w.number(zeroField);
    w.number(version);
    if (version >= 240) {
      w.text("SKY");
      w.text("0102FF");
      w.text("A0B0C0");
    }
  }
  return w.take();
}

MapDocument readBodyOnly(const text::Bytes& body, const MapFileContext& c, int* version = nullptr) {
  MapDocument m;
  int v = map::readMapBody(body, "DAT\\BZENM000.DAT", c, m);
  if (version) *version = v;
  return m;
}

}  // namespace

TEST(MapBodyFile, OldVersionsKeepDefaultsForWhatTheyLack) {
  MapFileContext c = keyedContext();
  int version = 0;
  MapDocument m = readBodyOnly(oldBody(c, 230, "0A0B0C", "101112"), c, &version);
  EXPECT_EQ(version, 230);
  EXPECT_EQ(m.width, 3);
  EXPECT_EQ(m.height, 2);
  EXPECT_EQ(m.startEvent, 1);
  EXPECT_EQ(m.xAdd, -1);
  EXPECT_EQ(m.yAdd, 2);
  EXPECT_EQ(m.tileSetName, "TILES");
  EXPECT_EQ(m.ground.text(0, 2), "0C");
  EXPECT_EQ(m.ground.text(1, 0), "10");
  EXPECT_EQ(m.upMap, 1);
  EXPECT_EQ(m.stepLimit, 250);
  EXPECT_EQ(m.noTeleport, 1);
  EXPECT_EQ(m.maxEnemies, 4);
  // Below 240: no hooks, no sky layer; the sky name is left as it was.
  EXPECT_EQ(m.afterBattleEvent + m.afterLoadEvent + m.buttonEvent + m.battleStartEvent, 0);
  for (int r = 0; r < 2; ++r)
    for (int col = 0; col < 3; ++col) EXPECT_EQ(m.sky.text(r, col), "00");
  EXPECT_EQ(m.skyTileSetName, "");

  // 245: the after-battle hook exists, the after-load hook (251) does not yet.
  m = readBodyOnly(oldBody(c, 245, "0A0B0C", "101112"), c);
  EXPECT_EQ(m.afterBattleEvent, 5);
  EXPECT_EQ(m.afterLoadEvent, 0);
  EXPECT_EQ(m.buttonEvent, 0);
  EXPECT_EQ(m.skyTileSetName, "SKY");
  EXPECT_EQ(m.sky.text(0, 2), "FF");
  EXPECT_EQ(m.sky.text(1, 1), "B0");

  // A file that ends after six settings counts as 200: no teleport and max enemies default.
  m = readBodyOnly(oldBody(c, 0, "0A0B0C", "101112", 6), c, &version);
  EXPECT_EQ(version, 200);
  EXPECT_EQ(m.stepLimit, 250);
  EXPECT_EQ(m.noTeleport, 0);
  EXPECT_EQ(m.maxEnemies, 6);

  // A "0" field that is not 0 resets no teleport and max enemies.
  m = readBodyOnly(oldBody(c, 340, "0A0B0C", "101112", 12, 5), c);
  EXPECT_EQ(m.noTeleport, 0);
  EXPECT_EQ(m.maxEnemies, 6);
  EXPECT_EQ(m.battleStartEvent, 8);
}

// Only a file that ends early keeps defaults: a settings item or version that is
// there but damaged is a damaged file, never a silently older map.
TEST(MapBodyFile, ADamagedSettingOrVersionIsAReadError) {
  MapFileContext c = keyedContext();
  const text::Bytes good = oldBody(c, 340, "0A0B0C", "101112");
  const std::string stepLimit = " 250 ,", version = " 340 ,";
  for (const char* damaged : {" 25x ,", "\"250\",", "2 5 0,"}) {
    SCOPED_TRACE(damaged);
    text::Bytes body = good;
    body.replace(body.find(stepLimit), stepLimit.size(), damaged);
    EXPECT_THROW(readBodyOnly(body, c), text::ReadError);
  }
  for (const char* damaged : {" 34x ,", ",", "\"340\",", " 340.5 ,", "-340 ,", " 99999999 ,"}) {
    SCOPED_TRACE(damaged);
    text::Bytes body = good;
    body.replace(body.find(version), version.size(), damaged);
    EXPECT_THROW(readBodyOnly(body, c), text::ReadError);
  }
}

// Rows shorter than the width (even empty ones) leave the rest of the row empty.
TEST(MapBodyFile, ShortRowsLeaveTheirLastCellsEmpty) {
  MapFileContext c = keyedContext();
  MapDocument m = readBodyOnly(oldBody(c, 340, "0A0", ""), c);
  EXPECT_EQ(m.ground.text(0, 0), "0A");
  EXPECT_EQ(m.ground.text(0, 1), "0");
  EXPECT_TRUE(m.ground.at(0, 2).empty());
  EXPECT_TRUE(m.ground.at(1, 0).empty());
}

TEST(MapBodyFile, SplitFormWidensOldCellsAndCutsNewOnesByThree) {
  MapFileContext split = keyedContext(true);
  MapDocument m = readBodyOnly(oldBody(split, 250, "0A0B0C", "1011"), split);
  EXPECT_EQ(m.ground.text(0, 0), "00A");
  EXPECT_EQ(m.ground.text(0, 2), "00C");
  EXPECT_EQ(m.ground.text(1, 1), "011");
  EXPECT_EQ(m.ground.text(1, 2), "");  // short row: the cell is empty ...
  text::Bytes out = map::writeMapBody(m, split, *std::make_unique<data::RandomSource>(1));
  EXPECT_NE(out.find("\"010011000\""), std::string::npos) << out;  // ... and written "000"

  m = readBodyOnly(oldBody(split, 260, "0A02B21C0", "101112111"), split);
  EXPECT_EQ(m.ground.text(0, 0), "0A0");
  EXPECT_EQ(m.ground.text(0, 1), "2B2");
  EXPECT_EQ(m.ground.text(1, 2), "111");

  // The standard form reads two characters even from a version-260 file.
  MapFileContext standard = keyedContext(false);
  m = readBodyOnly(oldBody(standard, 260, "0A0B0C", "101112"), standard);
  EXPECT_EQ(m.ground.text(0, 1), "0B");
}

TEST(MapEventFile, ScriptsEndWithTheMarkerWithinTheCounts) {
  MapFileContext c = keyedContext();
  c.keys = {0, 0, 0, 0, 0, 0};
  MapDocument m;
  m.events.lastNumber = 1;
  m.events.records[0].x = 2;
  m.events.records[0].y = 3;
  m.events.records[0].speed = 4;
  m.events.grid.at(2, 3) = {"1A", "5", "0"};
  for (int i = 0; i < 100; ++i) m.events.records[0].lines[static_cast<std::size_t>(i)] = {"m", "c"};
  m.events.records[1].lines[0] = {"hi", "MES"};
  m.events.records[1].lines[1] = {"99", ""};
  m.events.records[1].lines[2] = {"after", "the marker"};
  data::RandomSource random(3);

  // No end marker: "99" follows the last line written (line メッセージ数 − 1).
  c.messageCount = 2;
  text::Bytes out = map::writeMapEventFile(m, c, random);
  EXPECT_EQ(out.substr(0, out.find("99\r\n") + 4),
            "\"1A\", 2 , 3 ,\"5\", 4 ,\"m\",\"c\",\"m\",\"c\",\"99\","
            "\"\", 0 , 0 ,\"\", 1 ,\"hi\",\"MES\",\"99\",99\r\n");
  // With every line in use the marker goes to the spare line 100 and reads back.
  c.messageCount = 100;
  out = map::writeMapEventFile(m, c, random);
  MapDocument back = map::readMapFromBytes(map::writeMapBody(m, c, random), out,
                                           map::writeMapFlagFile({}, c, random), c);
  EXPECT_EQ(event::findEndMarker(back.events.records[0].lines), 100);
  EXPECT_EQ(back.events.records[0].lines[99].command, "c");
  EXPECT_EQ(back.events.lastNumber, 1);

  // Lowered counts: the query says what a save would leave out, the writer leaves it.
  c.eventsPerMap = 10;
  EXPECT_FALSE(map::dataBeyondCounts(m.events, c).any());
  c.messageCount = 50;
  EXPECT_FALSE(map::dataBeyondCounts(m.events, c).events);
  EXPECT_TRUE(map::dataBeyondCounts(m.events, c).lines);
  m.events.records[0].lines[50] = {"99", ""};
  EXPECT_FALSE(map::dataBeyondCounts(m.events, c).any());
  c.eventsPerMap = 0;
  EXPECT_TRUE(map::dataBeyondCounts(m.events, c).events);
  out = map::writeMapEventFile(m, c, random);
  EXPECT_EQ(map::readEventList(out, "t", c).lastNumber, 0);
}

TEST(MapFlagFile, AnEmptyTableIsTheTerminatorAndFillers) {
  MapFileContext c = keyedContext();
  data::RandomSource random(5);
  text::Bytes out = map::writeMapFlagFile({}, c, random);
  EXPECT_TRUE(std::regex_match(out, std::regex(" 106 , 99 ,( [0-9]+ ,){10}"))) << out;
  EXPECT_TRUE(map::readMapFlagFile(out, "f", c, 340).empty());
}

namespace {

// A map with something other than the default in every item.
MapDocument richMap(bool split) {
  MapDocument m;
  m.width = 24;
  m.height = 17;
  m.startEvent = 1;
  m.xAdd = -2;
  m.yAdd = 3;
  m.bgmName = text::sj("町の歌");
  m.tileSetName = "TOWN";
  m.characterSetName = "PEOPLE";
  m.upMap = 4;
  m.leftMap = 999;
  m.rightMap = 0;
  m.downMap = 12;
  m.encounterRate = 0;
  m.stepLimit = 30;
  m.noTeleport = 1;
  m.maxEnemies = 3;
  m.afterBattleEvent = 2;
  m.afterLoadEvent = 3;
  m.buttonEvent = 4;
  m.battleStartEvent = 5;
  m.skyTileSetName = "CLOUD";
  for (int r = 0; r < m.height; ++r)
    for (int col = 0; col < m.width; ++col) {
      int v = (r * 31 + col * 7) % 256;
      m.ground.at(r, col) = map::groundCode(v, (r + col) % 3, split);
      m.sky.at(r, col) = map::skyCode((v * 5) % 256);
    }
  m.events.lastNumber = 2;
  for (int n = 0; n <= 2; ++n) {
    event::EventRecord& e = m.events.records[static_cast<std::size_t>(n)];
    e.x = 3 + n * 5;
    e.y = 16 - n;
    e.speed = 1 << n;
    m.events.grid.at(e.x, e.y) = {n == 2 ? "0F" : "2C", std::to_string(n + 3), std::to_string(n)};
    for (int i = 0; i < n * 3; ++i)
      e.lines[static_cast<std::size_t>(i)] = {text::sj("こんにちは") + std::to_string(i), "BPP,0,11:GLP:YES"};
    e.lines[static_cast<std::size_t>(n * 3)] = {"99", ""};
  }
  event::FlagEntry one;
  one.conditions[0] = {4, 2, "=", 7};
  one.steps.push_back({"F", 1, 2, 3, "", "", ""});
  one.steps.push_back({"C", 5, 6, 0, "3B", "", ""});
  event::FlagEntry three;
  three.conditions = {{{0, 1, ">=", 2}, {3, 4, "<>", 5}, {6, 7, "<", 8}}};
  three.steps.push_back({"E", 9, 10, 4, "1C", "12", "2"});
  three.steps.push_back({"D", 1, 0, 0, "", "", ""});
  event::FlagEntry two;
  two.conditions[0] = {1, 0, ">", 0};
  two.conditions[1] = {2, 1, "<=", 9};
  m.flags = {one, three, two};
  m.objects[0] = {"TREE", "a", "b", "c", "d", "e"};
  m.objects[1] = {text::sj("岩"), "", "", "", "", "z"};
  return m;
}

void expectSameMap(const MapDocument& a, const MapDocument& b) {
  EXPECT_EQ(std::tie(a.width, a.height, a.startEvent, a.xAdd, a.yAdd, a.bgmName, a.tileSetName,
                     a.characterSetName, a.skyTileSetName),
            std::tie(b.width, b.height, b.startEvent, b.xAdd, b.yAdd, b.bgmName, b.tileSetName,
                     b.characterSetName, b.skyTileSetName));
  EXPECT_EQ(std::tie(a.upMap, a.leftMap, a.rightMap, a.downMap, a.encounterRate, a.stepLimit,
                     a.noTeleport, a.maxEnemies),
            std::tie(b.upMap, b.leftMap, b.rightMap, b.downMap, b.encounterRate, b.stepLimit,
                     b.noTeleport, b.maxEnemies));
  EXPECT_EQ(std::tie(a.afterBattleEvent, a.afterLoadEvent, a.buttonEvent, a.battleStartEvent),
            std::tie(b.afterBattleEvent, b.afterLoadEvent, b.buttonEvent, b.battleStartEvent));
  EXPECT_TRUE(a.ground == b.ground);
  EXPECT_TRUE(a.sky == b.sky);
  ASSERT_EQ(a.events.lastNumber, b.events.lastNumber);
  for (int n = 0; n <= a.events.lastNumber; ++n) {
    const event::EventRecord& x = a.events.records[static_cast<std::size_t>(n)];
    const event::EventRecord& y = b.events.records[static_cast<std::size_t>(n)];
    EXPECT_EQ(std::tie(x.x, x.y, x.speed), std::tie(y.x, y.y, y.speed));
    for (std::size_t i = 0; i < x.lines.size(); ++i) {
      EXPECT_EQ(x.lines[i].message, y.lines[i].message);
      EXPECT_EQ(x.lines[i].command, y.lines[i].command);
    }
    const event::EventCell& cx = a.events.grid.at(x.x, x.y);
    const event::EventCell& cy = b.events.grid.at(y.x, y.y);
    EXPECT_EQ(std::tie(cx.character, cx.movement, cx.number), std::tie(cy.character, cy.movement, cy.number));
  }
  ASSERT_EQ(a.flags.size(), b.flags.size());
  for (std::size_t e = 0; e < a.flags.size(); ++e) {
    for (std::size_t s = 0; s < 3; ++s) {
      const event::FlagCondition& x = a.flags[e].conditions[s];
      const event::FlagCondition& y = b.flags[e].conditions[s];
      EXPECT_EQ(std::tie(x.map, x.event, x.op, x.line), std::tie(y.map, y.event, y.op, y.line));
    }
    ASSERT_EQ(a.flags[e].steps.size(), b.flags[e].steps.size());
    for (std::size_t i = 0; i < a.flags[e].steps.size(); ++i) {
      const event::FlagAction& x = a.flags[e].steps[i];
      const event::FlagAction& y = b.flags[e].steps[i];
      EXPECT_EQ(std::tie(x.kind, x.value1, x.value2, x.value3, x.text1, x.text2, x.text3),
                std::tie(y.kind, y.value1, y.value2, y.value3, y.text1, y.text2, y.text3));
    }
  }
  EXPECT_EQ(a.objects, b.objects);
}

}  // namespace

TEST(MapFiles, SaveAndReloadReproduceEveryValue) {
  for (bool split : {false, true}) {
    MapFileContext c = keyedContext(split);
    MapDocument m = richMap(split);
    data::RandomSource random(9);
    std::vector<files::NamedFile> written = map::writeMapFiles(m, 7, c, random);
    ASSERT_EQ(written.size(), 3u);
    EXPECT_EQ(written[0].relative, "DAT\\BZENM007.DAT");
    EXPECT_EQ(written[1].relative, "DAT\\BZENT007.DAT");
    EXPECT_EQ(written[2].relative, "DAT\\BZENE007.dat");
    EXPECT_EQ(written[1].content.find("99\r\n") == std::string::npos, false);
    MapDocument back = map::readMapFromBytes(written[0].content, written[1].content,
                                             written[2].content, c, 7);
    expectSameMap(m, back);
    // The same keys and a different filler draw give the same map again.
    data::RandomSource other(10);
    std::vector<files::NamedFile> again = map::writeMapFiles(back, 7, c, other);
    expectSameMap(m, map::readMapFromBytes(again[0].content, again[1].content, again[2].content, c));
  }
}

TEST(MapFiles, FolderReadIsAllOrNothing) {
  namespace fs = std::filesystem;
  fs::path dir = fs::temp_directory_path() / ("map_files_test_" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir / "dat");  // a folder copied from Windows in lower case
  MapFileContext c = keyedContext();
  MapDocument m = richMap(false);
  data::RandomSource random(2);

  EXPECT_FALSE(map::mapExists(dir, 120));
  files::FileSetCommit commit(dir, &data::isProjectFileName);
  for (files::NamedFile& f : map::writeMapFiles(m, 120, c, random)) commit.write(f.relative, f.content);
  commit.commit();
  ASSERT_TRUE(map::mapExists(dir, 120));
  expectSameMap(m, map::readMap(dir, 120, c));
  EXPECT_EQ(map::readOtherMapEvents(dir, 120, c).lastNumber, 2);

  // A lower-case body name still counts as the map.
  fs::rename(dir / "dat" / "BZENM120.DAT", dir / "dat" / "bzenm120.dat");
  EXPECT_TRUE(map::mapExists(dir, 120));
  EXPECT_NO_THROW(map::readMap(dir, 120, c));

  // A missing flag file or a damaged event file is a read error, never a half map; the
  // event list of another map is then simply empty.
  fs::remove(dir / "dat" / "BZENE120.dat");
  EXPECT_THROW(map::readMap(dir, 120, c), ReadError);
  for (files::NamedFile& f : map::writeMapFiles(m, 120, c, random))
    if (f.relative.find("BZENE") != std::string::npos) files::writeFileAtomic(dir / "dat" / "BZENE120.dat", f.content);
  EXPECT_NO_THROW(map::readMap(dir, 120, c));
  files::writeFileAtomic(dir / "dat" / "BZENT120.DAT", "\"2C\",\"not a number\",");
  EXPECT_THROW(map::readMap(dir, 120, c), ReadError);
  EXPECT_EQ(map::readOtherMapEvents(dir, 120, c).lastNumber, -1);
  EXPECT_EQ(map::readOtherMapEvents(dir, 5, c).lastNumber, -1);
  fs::remove_all(dir);
}

TEST(MapFiles, DamagedFilesAreReadErrorsNeverCrashes) {
  MapFileContext c = keyedContext(true);
  MapDocument m = richMap(true);
  data::RandomSource random(4);
  std::vector<files::NamedFile> f = map::writeMapFiles(m, 0, c, random);
  const text::Bytes& body = f[0].content;
  const text::Bytes& events = f[1].content;
  const text::Bytes& flags = f[2].content;

  // Every cut of every file either reads (the body's settings may end early) or fails
  // with a ReadError; a cut inside the ground rows always fails.
  for (int which = 0; which < 3; ++which) {
    const text::Bytes& whole = f[static_cast<std::size_t>(which)].content;
    for (std::size_t n = 0; n < whole.size(); n += 11) {
      text::Bytes cut = whole.substr(0, n);
      try {
        map::readMapFromBytes(which == 0 ? cut : body, which == 1 ? cut : events,
                              which == 2 ? cut : flags, c);
      } catch (const ReadError&) {
      }
    }
  }
  std::size_t groundMiddle = body.find('"', body.find("PEOPLE") + 8) + 40;
  EXPECT_THROW(map::readMapFromBytes(body.substr(0, groundMiddle), events, flags, c), ReadError);

  // Sizes and counts outside what the grid and the tables hold.
  auto bodyWithSize = [&](int width, int height) {
    text::ItemWriter w;
    w.number(width + c.key(1));
    w.number(height + c.key(2));
    return w.take() + body.substr(body.find(',', body.find(',') + 1) + 1);
  };
  EXPECT_THROW(map::readMapFromBytes(bodyWithSize(202, 17), events, flags, c), ReadError);
  EXPECT_THROW(map::readMapFromBytes(bodyWithSize(0, 17), events, flags, c), ReadError);
  EXPECT_THROW(map::readMapFromBytes(bodyWithSize(24, -1), events, flags, c), ReadError);
  EXPECT_NO_THROW(map::readMapFromBytes(bodyWithSize(24, 17), events, flags, c));

  MapFileContext plain;  // keys 0 keep the hand-made files readable
  text::Bytes offGrid = "\"2C\", 201 , 0 ,\"1\", 1 ,\"99\",99\r\n";
  EXPECT_THROW(map::readEventList(offGrid, "t", plain), ReadError);
  text::Bytes oneEvent = "\"2C\", 200 , 200 ,\"1\", 1 ,\"99\",";
  text::Bytes tooMany;
  for (int i = 0; i < 101; ++i) tooMany += oneEvent;
  EXPECT_EQ(map::readEventList(tooMany + "99\r\n", "t", plain).lastNumber, 100);
  EXPECT_THROW(map::readEventList(tooMany + oneEvent + "99\r\n", "t", plain), ReadError);
  text::Bytes longScript = "\"2C\", 1 , 1 ,\"1\", 1 ,";
  for (int i = 0; i < 100; ++i) longScript += "\"m\",\"c\",";
  EXPECT_EQ(map::readEventList(longScript + "\"99\",99\r\n", "t", plain).lastNumber, 0);
  EXPECT_THROW(map::readEventList(longScript + "\"m\",\"c\",\"99\",99\r\n", "t", plain), ReadError);
  EXPECT_THROW(map::readEventList("\"2C\", 1 , 1 ,\"1\", 1 ,\"m\"", "t", plain), ReadError);

  text::Bytes entry = " 1 , 0 ,\"=\", 0 , 99 ,\"D\", 3 ,\"99\",";
  text::Bytes sixty;
  for (int i = 0; i < 60; ++i) sixty += entry;
  EXPECT_EQ(map::readMapFlagFile(sixty + " 99 ,", "f", plain, 200).size(), 60u);
  EXPECT_THROW(map::readMapFlagFile(sixty + entry + " 99 ,", "f", plain, 200), ReadError);
  text::Bytes steps = " 1 , 0 ,\"=\", 0 , 99 ,";
  for (int i = 0; i < 30; ++i) steps += "\"D\", 3 ,";
  EXPECT_EQ(map::readMapFlagFile(steps + "\"99\", 99 ,", "f", plain, 200)[0].steps.size(), 30u);
  EXPECT_THROW(map::readMapFlagFile(steps + "\"D\", 3 ,\"99\", 99 ,", "f", plain, 200), ReadError);
  // From version 210 the ten fillers must be there.
  EXPECT_THROW(map::readMapFlagFile(" 99 , 99 ,", "f", plain, 210), ReadError);
}

TEST(MapEventFile, ObjectTableStopsAtTheFirstEmptyEntryOrAfter255) {
  MapFileContext c;
  MapDocument m;
  for (int i = 0; i < map::kObjectEntries; ++i)
    m.objects[static_cast<std::size_t>(i)] = {"o" + std::to_string(i), "1", "2", "3", "4", "5"};
  data::RandomSource random(1);
  text::Bytes out = map::writeMapEventFile(m, c, random);
  MapDocument back;
  back.objects[256][1] = "kept";
  map::readMapEventFile(out, "t", c, 340, back);
  EXPECT_EQ(back.objects[255][0], "o255");
  EXPECT_EQ(back.objects[256][0], "");  // the file holds 0..255
  EXPECT_EQ(back.objects[256][1], "kept");

  m.objects[3][0].clear();
  out = map::writeMapEventFile(m, c, random);
  back = MapDocument{};
  map::readMapEventFile(out, "t", c, 340, back);
  EXPECT_EQ(back.objects[2][5], "5");
  EXPECT_EQ(back.objects[4][0], "");
  // Older files have no object table: whatever follows the fillers is not read.
  back = MapDocument{};
  map::readMapEventFile(out, "t", c, 263, back);
  EXPECT_EQ(back.objects[0][0], "");
}

TEST(MapCreation, NewMapTakesSettingsButNoHooksFromThePreviousMap) {
  MapDocument none = map::newMapDocument(nullptr, false);
  EXPECT_EQ(std::tie(none.encounterRate, none.stepLimit, none.noTeleport, none.maxEnemies),
            std::make_tuple(5, 100, 0, 6));
  EXPECT_EQ(none.ground.text(14, 19), "00");
  EXPECT_EQ(none.ground.text(15, 19), "");
  EXPECT_EQ(none.sky.text(0, 0), "00");

  MapDocument previous = richMap(true);
  MapDocument m = map::newMapDocument(&previous, true);
  EXPECT_EQ(std::tie(m.encounterRate, m.stepLimit, m.noTeleport, m.maxEnemies, m.skyTileSetName),
            std::tie(previous.encounterRate, previous.stepLimit, previous.noTeleport,
                     previous.maxEnemies, previous.skyTileSetName));
  EXPECT_EQ(m.objects, previous.objects);
  EXPECT_EQ(m.afterBattleEvent + m.afterLoadEvent + m.buttonEvent + m.battleStartEvent, 0);
  EXPECT_EQ(std::tie(m.width, m.height, m.bgmName, m.upMap), std::make_tuple(20, 15, text::Bytes("FIELD"), 999));
  EXPECT_EQ(m.events.lastNumber, -1);
  EXPECT_TRUE(m.flags.empty());
  EXPECT_EQ(m.ground.text(0, 0), "000");
  EXPECT_EQ(m.ground.text(0, 20), "");  // nothing of the previous map's layer remains

  EXPECT_EQ(map::mapNumberText(7), "007");
  EXPECT_EQ(map::mapBodyFileName(120), "DAT\\BZENM120.DAT");
  EXPECT_EQ(map::mapFileNamesForDeletion(3),
            (std::vector<std::string>{"DAT\\BZENE003.dat", "DAT\\BZENT003.DAT", "DAT\\BZENM003.DAT"}));
}

TEST(MapCreation, ChipFormConversionRefusesToDropBanks) {
  MapDocument m = map::newMapDocument(nullptr, false);
  m.ground.set(2, 3, "A1");
  ASSERT_TRUE(map::convertChipForm(m, true));
  EXPECT_EQ(m.ground.text(2, 3), "0A1");
  EXPECT_EQ(m.ground.text(16, 0), "");
  m.ground.set(4, 4, "2B0");
  MapDocument before = m;
  EXPECT_FALSE(map::convertChipForm(m, false));
  EXPECT_TRUE(m.ground == before.ground);
  m.ground.set(4, 4, "0B0");
  ASSERT_TRUE(map::convertChipForm(m, false));
  EXPECT_EQ(m.ground.text(2, 3), "A1");
}

TEST(MapFiles, WritersPutEachKeyOnItsItem) {
  MapFileContext c = keyedContext();  // K1..K6 = 7, 11, 13, 17, 19, 23
  data::RandomSource random(8);
  MapDocument m = readBodyOnly(oldBody(c, 340, "0A0B0C", "101112"), c);
  const std::string filler = "( [0-9]| [1-4][0-9]) ,";
  EXPECT_TRUE(std::regex_match(
      map::writeMapBody(m, c, random),
      std::regex(" 10 , 13 , 14 , 16 , 21 ,\"BGM\",\"TILES\",\"CHARS\",\"0A0B0C\",\"101112\","
                 " 1 , 2 , 3 , 4 , 9 , 250 , 1 , 4 , 5 , 6 , 7 , 8 ," +
                 filler + filler + "0, 340 ,\"SKY\",\"0102FF\",\"A0B0C0\",")));

  m.events.lastNumber = 0;
  m.events.records[0] = {};
  m.events.records[0].x = 1;
  m.events.records[0].y = 2;
  m.events.records[0].speed = 8;
  m.events.records[0].lines[0] = {"99", ""};
  m.events.grid.at(1, 2) = {"0F", "3", "0"};
  m.objects[0] = {"A", "B", "C", "D", "E", "F"};
  std::string tenFillers;
  for (int i = 0; i < 10; ++i) tenFillers += filler;
  EXPECT_TRUE(std::regex_match(map::writeMapEventFile(m, c, random),
                               std::regex("\"0F\", 8 , 13 ,\"3\", 21 ,\"99\",99\r\n" + tenFillers +
                                          "\"A\",\"B\",\"C\",\"D\",\"E\",\"F\",\"\",")));

  event::FlagEntry entry;
  entry.conditions[0] = {4, 2, "=", 7};
  entry.steps = {{"F", 1, 2, 3, "", "", ""},
                 {"C", 5, 6, 0, "3B", "", ""},
                 {"E", 9, 10, 4, "1C", "12", "2"},
                 {"D", 1, 0, 0, "", "", ""}};
  event::FlagEntry full;
  full.conditions = {{{1, 2, ">", 3}, {4, 5, "<", 6}, {7, 8, "<>", 9}}};
  EXPECT_TRUE(std::regex_match(
      map::writeMapFlagFile({entry, event::FlagEntry{}, full}, c, random),
      std::regex(" 11 , 13 ,\"=\", 20 , 116 ,"
                 "\"F\", 18 , 21 , 26 ,\"C\", 12 , 17 ,\"3B\","
                 "\"E\", 22 , 27 , 23 ,\"1C\",\"12\",\"2\",\"D\", 24 ,\"99\","
                 " 8 , 13 ,\">\", 16 , 21 , 24 ,\"<\", 29 , 14 , 19 ,\"<>\", 22 ,\"99\","
                 " 106 , 99 ," + tenFillers)));
}
