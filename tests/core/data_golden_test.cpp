// A small version-340 project written item by item from the file layouts, independently
// of the program's own writer: every field lands where it belongs, and a save gives the
// same items back except the random slots.
#include <gtest/gtest.h>

#include <sstream>

#include "data_fixtures.h"

namespace quillane::data {
namespace {

using testing::MemoryFiles;

// Builds one file; remembers which items are random slots.
struct Golden {
  std::string bytes;
  std::vector<bool> random;
  Golden& n(double v) {
    std::ostringstream s;
    s << (v < 0 ? "-" : " ") << static_cast<long long>(v < 0 ? -v : v) << " ,";
    bytes += s.str();
    random.push_back(false);
    return *this;
  }
  Golden& t(const std::string& s) {
    bytes += "\"" + s + "\",";
    random.push_back(false);
    return *this;
  }
  Golden& bare(const std::string& s) {
    bytes += s + ",";
    random.push_back(false);
    return *this;
  }
  Golden& rnd(int count = 1) {
    for (int i = 0; i < count; ++i) {
      bytes += " 7 ,";
      random.push_back(true);
    }
    return *this;
  }
  Golden& seq(int from, int count) {
    for (int i = 0; i < count; ++i) n(from + i);
    return *this;
  }
};

std::vector<std::string> items(const std::string& bytes) {
  std::vector<std::string> out;
  std::string cur;
  bool quoted = false;
  for (char c : bytes) {
    if (c == '"') quoted = !quoted;
    if (c == ',' && !quoted) {
      out.push_back(cur);
      cur.clear();
    } else {
      cur.push_back(c);
    }
  }
  return out;
}

// The reserved lines hold these hidden values: editing password "pw" stored as
// (code, 0, 0) triples, an empty game password, and key parts (1, 2), (3, 4) ... (11, 12).
TEST(DataGolden, HandWrittenProjectLoadsFieldByFieldAndSavesTheSameItems) {
  std::map<std::string, Golden> g;
  g["DAT\\bzenINI.DAT"].seq(1, 6).n(7).t("T").rnd(8).n(340).seq(9, 12).rnd(9).seq(21, 21).seq(42, 11).seq(53, 6).n(
      16711935);
  g["DAT\\bzenMAX.DAT"].n(0).n(5).n(5).n(1).n(1).n(1).n(1).n(1).n(1).n(1).rnd(8).n(10).n(10).rnd(6).rnd(4);
  g["DAT\\bzenPLY.DAT"].seq(101, 6).t("P").seq(107, 8).seq(115, 2).seq(117, 2).seq(119, 6).seq(125, 5).seq(130, 10)
      .rnd(8).n(140).n(141).seq(142, 7).seq(149, 5).seq(154, 4).t("AB").n(158).n(159).bare("cur").rnd().seq(160, 11);
  g["DAT\\bzenLEV.DAT"].seq(201, 7).rnd(8).n(208).n(209).n(210);
  g["DAT\\BZENCTY.DAT"].n(1).n(5).rnd(8).t("bg").n(1).t("a0").n(301).n(302).t("a1").n(303).n(304).rnd(10).t("dv");
  g["DAT\\bzenITM.DAT"].t("i0").t("i1").t("i2").t("i3").t("i4").t("i5").t("i6").n(0).n(1).n(401).rnd(8).n(402)
      .t("us").t("an").n(403).n(404).rnd(5).t("lb").n(405).n(1);
  g["DAT\\bzenARM.DAT"].seq(501, 3).n(6).n(1).rnd(8).n(1).t("as").n(504).n(505).rnd(5);
  g["DAT\\BZENEAP.DAT"].t("m").seq(601, 6).rnd(8).rnd(1);
  g["DAT\\bzenATS.DAT"].n(100).rnd(8).rnd(1).t("hello").t("END");
  g["DAT\\bzenMGC.DAT"].t("g0").t("g1").t("g2").t("g3").t("g4").n(701).n(702).t("EA").rnd(8).n(703).t("ma").t("ms")
      .n(704).t("p0").n(1).n(1).rnd(4).t("ml").n(705).n(1);
  g["DAT\\bzenene.DAT"].seq(801, 6).t("e").seq(807, 18).rnd(8).seq(825, 5).n(830).t("eg").seq(831, 7).n(838).rnd(5);
  g["DAT\\BZENTOPN.DAT"].n(37).t("m1").t("c1").t("99").rnd(8).rnd(10);
  g["DAT\\BZENTEND.DAT"].n(41).t("99").seq(1, 8).rnd(10);

  // Put the hidden values into the reserved lines, slot by slot as the layout spreads them.
  const std::map<std::string, std::string> rows = {
      {"DAT\\bzenINI.DAT", "F E7v E9u F K4y G11u E11v G10w"},     {"DAT\\bzenMAX.DAT", "E10v G9u G6v E9v K5y K6x G8u F"},
      {"DAT\\BZENTOPN.DAT", "E2v G8w E9w F G2u E2w G3u E11w"},    {"DAT\\BZENCTY.DAT", "G1u E4v G12u G1w E1v G12w G6w G4u"},
      {"DAT\\BZENEAP.DAT", "F E4w K1x E1w K1y G2w G5w E2u"},      {"DAT\\bzenITM.DAT", "G3v G5u E11u G6u G4v G7u E3v E8u"},
      {"DAT\\bzenARM.DAT", "E8w K2x E1u G11v E4u F E8v F"},       {"DAT\\bzenATS.DAT", "F E7u E5w G12v E6v E7w K3x G7v"},
      {"DAT\\bzenMGC.DAT", "G8v G3w K2y E6w G4w E10w E3w K6y"},   {"DAT\\bzenene.DAT", "E10u F G5v F G9v F E6u G7w"},
      {"DAT\\bzenPLY.DAT", "E5u G11w K3y E5v E12w G1v K5x E12v"}, {"DAT\\bzenLEV.DAT", "G10u K4x G2v G9w G10v E3u F E12u"}};
  const std::string pw = "pw          ";
  MemoryFiles files;
  for (auto& [name, file] : g) {
    std::string bytes = file.bytes;
    auto row = rows.find(name);
    if (row != rows.end()) {
      // The reserved line is the first run of eight random items.
      std::size_t at = 0;
      while (!(file.random[at] && file.random[at + 1])) ++at;
      std::vector<std::string> parts = items(bytes);
      std::istringstream slots(row->second);
      std::string slot;
      for (int s = 0; s < 8 && slots >> slot; ++s) {
        int value = 0;
        if (slot[0] == 'E' && slot.back() == 'u') value = static_cast<unsigned char>(pw[std::stoi(slot.substr(1)) - 1]);
        if (slot[0] == 'K') {
          int k = std::stoi(slot.substr(1));
          value = 2 * k - (slot.back() == 'x' ? 1 : 0);
        }
        parts[at + s] = " " + std::to_string(value) + " ";
      }
      bytes.clear();
      for (auto& p : parts) bytes += p + ",";
    }
    files[name] = bytes;
  }

  RandomSource random(3);
  ProjectDatabase db;
  loadAllFrom(files, formatVersionOf(files.read("DAT\\bzenINI.DAT")), db, random);
  EXPECT_EQ(text::trimRight(db.hidden.editingPassword), "pw");
  EXPECT_EQ(text::trimRight(db.hidden.gamePassword), "");
  EXPECT_EQ(db.hidden.keys, (std::array<int, 6>{3, 7, 11, 15, 19, 23}));
  EXPECT_TRUE(checkSumsMatch(db.hidden));

  const InitialValues& iv = db.initial;
  EXPECT_EQ(iv.standardSpeed, 7);
  EXPECT_EQ(iv.startPlayer, 9);
  EXPECT_EQ(iv.facing, 10);
  EXPECT_EQ(iv.fadeSpeed, 12);
  EXPECT_EQ(iv.placement, 18);
  EXPECT_EQ(iv.mapChip, 20);
  EXPECT_EQ(iv.systemMenu[20], 41);
  EXPECT_EQ(iv.settingsMenu[10], 52);
  EXPECT_EQ(iv.enemyImageWidth, 58);
  EXPECT_EQ(iv.transparentColour, 16711935);
  EXPECT_EQ(db.max.players, 0);
  EXPECT_EQ(db.max.messages, 10);

  const PlayerTable& p = db.players;
  ASSERT_EQ(p.size(), 1);
  EXPECT_EQ(p.ailment[0][5], 106);
  EXPECT_EQ(p.speed[0], 114);
  EXPECT_EQ(p.nextExperience[0], 116);
  EXPECT_EQ(p.heldMagicCount[0], 118);
  EXPECT_EQ(p.equipment[0][5], 124);
  EXPECT_EQ(p.heldMagic[0][4], 129);
  EXPECT_EQ(p.heldItem[0][1], 132);
  EXPECT_EQ(p.equippedMark[0][4], 139);
  EXPECT_EQ(p.attribute[0], 141);
  EXPECT_EQ(p.magicDefence[0], 143);
  EXPECT_EQ(p.ailment[0][10], 148);
  EXPECT_EQ(p.uses[0][4], 153);
  EXPECT_EQ(p.layout[0][3], 157);
  EXPECT_EQ(p.characterGraphic[0], "AB");
  EXPECT_EQ(p.attributeHidden[0], 159);
  EXPECT_EQ(p.cursorFile[0], "cur");
  EXPECT_EQ(p.battleMenu[0][10], 170);

  EXPECT_EQ(db.levels.magicLearned[0][0], 207);
  EXPECT_EQ(db.levels.reserved[0], 208);
  EXPECT_EQ(db.levels.hitGain[0][0], 210);
  EXPECT_EQ(db.scenery.town[0], 5);
  EXPECT_EQ(db.scenery.attributeName[1], "a1");
  EXPECT_EQ(db.scenery.attributeRate[1][0], 303);
  EXPECT_EQ(db.scenery.distantView[0], "dv");
  EXPECT_EQ(db.items.text[0][6], "i6");
  EXPECT_EQ(db.items.hitRate[0], 404);
  EXPECT_EQ(db.items.eventLabel[0], "lb");
  EXPECT_EQ(db.items.displayPosition[0], 405);
  EXPECT_EQ(db.arms.part[0], 6);
  EXPECT_EQ(db.arms.magicDefence[0], 505);
  EXPECT_EQ(db.maps.enemy[0][5], 606);
  EXPECT_EQ(db.messages.entries[0][0], "hello");
  EXPECT_EQ(db.messages.endIndex(), 1);
  EXPECT_EQ(db.magic.effect[0], "EA");
  EXPECT_EQ(db.magic.playerSound[0][0], "p0");
  EXPECT_EQ(db.magic.displayPosition[0], 705);
  EXPECT_EQ(db.enemies.extra[0], 824);
  EXPECT_EQ(db.enemies.critical[0], 829);
  EXPECT_EQ(db.enemies.graphic[0], "eg");
  EXPECT_EQ(db.enemies.ailment[0][10], 837);
  EXPECT_EQ(db.enemies.escapeRate[0], 838);
  EXPECT_EQ(db.opening.lines[0].command, "c1");
  EXPECT_EQ(db.hidden.tendKept[7], 8);

  // Saved: same items in the same places; only random slots differ.
  MemoryFiles saved = testing::saveToMemory(db, 5);
  for (auto& [name, file] : g) {
    SCOPED_TRACE(name);
    auto want = items(files.read(name));
    auto got = items(saved.read(name));
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < want.size(); ++i)
      if (!file.random[i]) EXPECT_EQ(got[i], want[i]) << "item " << i + 1;
  }
  // The saved hidden values decode to the same password and keys.
  ProjectDatabase again = testing::loadMemory(saved);
  EXPECT_EQ(again.hidden.editingPassword, db.hidden.editingPassword);
  EXPECT_EQ(again.hidden.keys, db.hidden.keys);
}

}  // namespace
}  // namespace quillane::data
