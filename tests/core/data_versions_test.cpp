// Projects written at every version threshold load with the defaults of their version
// and survive a save and a reload unchanged.
#include <gtest/gtest.h>

#include "data_fixtures.h"

namespace quillane::data {
namespace {

using testing::loadMemory;
using testing::MemoryFiles;
using testing::richDatabase;
using testing::saveToMemory;
using testing::writeAtVersion;

const int kThresholds[] = {200, 205, 206, 210, 211, 215, 216, 231, 232, 239, 240, 249, 250, 259, 260, 263, 264,
                           265, 283, 284, 299, 300, 309, 310, 319, 320, 321, 331, 332, 333, 340};

TEST(DataVersions, EveryThresholdLoadsWithItsDefaultsAndSurvivesASave) {
  const ProjectDatabase rich = richDatabase();
  for (int version : kThresholds) {
    SCOPED_TRACE("version " + std::to_string(version));
    MemoryFiles files = writeAtVersion(rich, version);
    ProjectDatabase db = loadMemory(files);
    const int expectVersion = version <= 201 ? 200 : version;
    EXPECT_EQ(db.formatVersion, expectVersion);

    // Passwords and keys travel in every version.
    EXPECT_EQ(text::trimRight(db.hidden.editingPassword), "secret");
    EXPECT_EQ(text::trimRight(db.hidden.gamePassword), "game");
    EXPECT_TRUE(checkSumsMatch(db.hidden));
    EXPECT_EQ(db.hidden.keys, rich.hidden.keys);

    // Always read: first lines of every table.
    EXPECT_EQ(db.initial.title, rich.initial.title);
    EXPECT_EQ(db.players.name[2], "player2");
    EXPECT_EQ(db.players.experience[1], rich.players.experience[1]);
    EXPECT_EQ(db.levels.experience[2][1], rich.levels.experience[2][1]);
    EXPECT_EQ(db.items.text[1][6], "item1.6");
    EXPECT_EQ(db.magic.effect[2], "PO2");
    EXPECT_EQ(db.attackRates.rows[2][1], rich.attackRates.rows[2][1]);
    EXPECT_EQ(db.opening.lines[2].message, "open2");
    EXPECT_EQ(db.opening.lines[3].message, "99");
    EXPECT_EQ(db.hidden.tendKept, rich.hidden.tendKept);

    // bzenMAX.DAT
    EXPECT_EQ(db.max.events, version <= 201 ? 100 : 50);
    EXPECT_EQ(db.max.messages, version <= 201 ? 100 : 40);

    // bzenINI.DAT
    const InitialValues& iv = db.initial;
    EXPECT_EQ(iv.startPlayer, version > 205 ? rich.initial.startPlayer : 0);
    EXPECT_EQ(iv.facing, version > 231 ? rich.initial.facing : 0);
    EXPECT_EQ(iv.placement, version < 240 ? 0 : 11);
    EXPECT_EQ(iv.animationPatterns, version < 240 ? 2 : rich.initial.animationPatterns);
    EXPECT_EQ(iv.fadeSpeed, version < 240 ? 1 : rich.initial.fadeSpeed);
    EXPECT_EQ(iv.hpMeter2, version < 240 ? 1 : rich.initial.hpMeter2);
    EXPECT_EQ(iv.battleView, version < 250 ? 0 : rich.initial.battleView);
    EXPECT_EQ(iv.mapChip, version < 260 ? 0 : rich.initial.mapChip);
    EXPECT_EQ(iv.systemMenu[0], version < 260 ? 1 : rich.initial.systemMenu[0]);
    EXPECT_EQ(iv.systemMenu[12], version < 260 ? 0 : rich.initial.systemMenu[12]);
    EXPECT_EQ(iv.settingsMenu[5], version < 264 ? 6 : rich.initial.settingsMenu[5]);
    EXPECT_EQ(iv.screenWidth, version < 310 ? 20 : rich.initial.screenWidth);
    EXPECT_EQ(iv.enemyImageWidth, version < 310 ? 80 : rich.initial.enemyImageWidth);
    EXPECT_EQ(iv.transparentColour, version < 321 ? 0 : 16711935);

    // bzenPLY.DAT
    const PlayerTable& p = db.players;
    EXPECT_EQ(p.critical[1], version > 205 ? rich.players.critical[1] : 0);
    EXPECT_EQ(p.attribute[1], version > 210 ? rich.players.attribute[1] : 0);
    EXPECT_EQ(p.hitRate[2], version > 210 ? rich.players.hitRate[2] : 100);
    EXPECT_EQ(p.ailment[1][8], version > 210 ? rich.players.ailment[1][8] : 0);
    EXPECT_EQ(p.ailment[1][5], rich.players.ailment[1][5]);
    EXPECT_EQ(p.uses[2][5], version > 215 ? rich.players.uses[2][5] : 1);
    EXPECT_EQ(p.layout[2][0], version > 231 ? rich.players.layout[2][0] : 128);
    EXPECT_EQ(p.layout[2][3], version > 231 ? rich.players.layout[2][3] : 32);
    EXPECT_EQ(p.face[1], version > 231 ? rich.players.face[1] : 0);
    EXPECT_EQ(p.characterGraphic[2], version >= 240 ? "C2" : "04");
    EXPECT_EQ(p.cursorFile[1], version >= 332 ? "cur1" : "");
    EXPECT_EQ(p.battleMenu[1][6], version >= 260 ? rich.players.battleMenu[1][6] : 7);
    EXPECT_EQ(p.battleMenu[1][7], version >= 260 ? rich.players.battleMenu[1][7] : 0);

    // bzenLEV.DAT
    EXPECT_EQ(db.levels.magicDefenceGain[1][2],
              version > 210 ? rich.levels.magicDefenceGain[1][2] : rich.levels.mpGain[1][2]);
    EXPECT_EQ(db.levels.hitGain[1][2], version > 210 ? rich.levels.hitGain[1][2] : 0);

    // bzenene.DAT
    const EnemyTable& e = db.enemies;
    EXPECT_EQ(e.itemSlot[1][2], version > 205 ? rich.enemies.itemSlot[1][2] : 0);
    EXPECT_EQ(e.attribute[1], version > 210 ? rich.enemies.attribute[1] : 0);
    EXPECT_EQ(e.graphic[1], version > 210 ? "g1" : "enemy1");
    EXPECT_EQ(e.magicDefence[1], version > 210 ? rich.enemies.magicDefence[1] : rich.enemies.mp[1]);
    EXPECT_EQ(e.hitRate[0], version > 210 ? rich.enemies.hitRate[0] : 100);
    EXPECT_EQ(e.escapeRate[1], version > 231 ? rich.enemies.escapeRate[1] : 999);

    // bzenCTY.DAT: entries 1, 3 and 4 hold map 0 / 99; old versions free the trailing ones.
    const SceneryTable& s = db.scenery;
    EXPECT_EQ(s.battleBackground[4], version > 205 ? "bb4" : "");
    EXPECT_EQ(s.attributeName[3], version > 210 ? "attr3" : "");
    EXPECT_EQ(s.attributeRate[3][2], version > 210 ? rich.scenery.attributeRate[3][2] : 0);
    EXPECT_EQ(s.distantView[4], version >= 333 ? "dv4" : "");
    const bool migrated = version < 284 || (version >= 300 && version <= 331);
    EXPECT_EQ(s.visited[4], migrated ? 0 : rich.scenery.visited[4]);
    EXPECT_EQ(s.visited[2], rich.scenery.visited[2]);
    EXPECT_EQ(s.town[1], 0);  // the walk stopped at entry 2

    // bzenITM.DAT
    const ItemTable& it = db.items;
    EXPECT_EQ(it.attribute[2], version > 210 ? rich.items.attribute[2] : 0);
    EXPECT_EQ(it.animation[2], version > 210 ? "an2" : "AT2");
    EXPECT_EQ(it.uses[0], version > 210 ? rich.items.uses[0] : 1);
    EXPECT_EQ(it.text[1][5], version > 210 ? "item1.5" : "--");  // a weapon
    EXPECT_EQ(it.text[0][5], "item0.5");                         // no weapon
    EXPECT_EQ(it.eventLabel[1], version >= 310 ? "*L1" : "");
    EXPECT_EQ(it.displayPosition[1], version >= 321 ? rich.items.displayPosition[1] : 0);

    // bzenARM.DAT
    const ArmsTable& a = db.arms;
    EXPECT_EQ(a.attackSound[1], version > 210 ? "snd1" : "ATC");
    EXPECT_EQ(a.attacks[1], version > 210 ? rich.arms.attacks[1] : 1);
    EXPECT_EQ(a.itemEffect[1], version > 210 ? rich.arms.itemEffect[1] : 0);
    EXPECT_EQ(a.permission[1][2], rich.arms.permission[1][2]);

    // bzenATS.DAT messages
    EXPECT_EQ(db.messages.endIndex(), version > 264 ? 2 : 0);

    // bzenMGC.DAT
    const MagicTable& g = db.magic;
    EXPECT_EQ(g.animation[2], version > 210 ? "ma2" : "mg2");
    EXPECT_EQ(g.playerSound[1][2], version > 210 ? "ps12" : "mgc");
    EXPECT_EQ(g.usesAttack[1], version > 231 ? rich.magic.usesAttack[1] : 0);
    EXPECT_EQ(g.special[1], version >= 332 ? rich.magic.special[1] : 0);
    EXPECT_EQ(g.eventLabel[1], version >= 320 ? "*M1" : "");
    EXPECT_EQ(g.wholeScreen[1], version >= 321 ? rich.magic.wholeScreen[1] : 0);

    // A save writes version 340; loading it gives back the same files.
    MemoryFiles saved = saveToMemory(db);
    ProjectDatabase again = loadMemory(saved);
    EXPECT_EQ(again.formatVersion, 340);
    // The placement 0 of old projects reads as 1 from a 340 file, as 0 or 10 always does.
    EXPECT_EQ(again.initial.placement, version < 240 ? 1 : 11);
    again.initial.placement = db.initial.placement;
    EXPECT_EQ(testing::firstDifference(saveToMemory(again), saved), "");
  }
}

TEST(DataVersions, A340ProjectIsByteIdenticalAfterLoadAndSave) {
  // The same random draws reproduce the random slots, so every byte must match.
  MemoryFiles files = writeAtVersion(richDatabase(), 340, 99);
  EXPECT_EQ(testing::firstDifference(saveToMemory(loadMemory(files), 99), files), "");
}

TEST(DataVersions, OldPlacementAndCharacterCodesAreMended) {
  ProjectDatabase rich = richDatabase();
  rich.initial.placement = 10;
  MemoryFiles files = writeAtVersion(rich, 250);
  EXPECT_EQ(loadMemory(files).initial.placement, 11);
  rich.initial.placement = 0;
  files = writeAtVersion(rich, 300);
  EXPECT_EQ(loadMemory(files).initial.placement, 1);
  files = writeAtVersion(rich, 235);  // line 4 is read, then reset for versions below 240
  ProjectDatabase db = loadMemory(files);
  EXPECT_EQ(db.initial.placement, 0);
  EXPECT_EQ(db.players.characterGraphic[1], "02");
}

TEST(DataVersions, AnIniWithoutVersionFieldCountsAsVersion200) {
  EXPECT_EQ(formatVersionOf(" 1 , 2 ,").version, 200);
  EXPECT_FALSE(formatVersionOf("").found);
  MemoryFiles files = writeAtVersion(richDatabase(), 330);
  EXPECT_EQ(formatVersionOf(files.read("DAT\\bzenINI.DAT")).version, 330);
  // Cut right before the version field: an old file.
  const std::string head = " 1 , 2 , 3 , 4 , 5 , 6 , 7 ,\"t\", 1 , 2 , 3 , 4 , 5 , 6 , 7 , 8 ,";
  EXPECT_EQ(formatVersionOf(head).version, 200);
  EXPECT_EQ(formatVersionOf(head + " 255 ,").version, 255);
}

// A version field that is there but damaged would silently read the project as an old
// one and drop hundreds of values at the next save: it is a damaged file.
TEST(DataVersions, ADamagedVersionFieldIsADamagedFile) {
  MemoryFiles files = writeAtVersion(richDatabase(), 340);
  const std::string ini = files.read("DAT\\bzenINI.DAT");
  const std::string field = " 340 ,";
  ASSERT_NE(ini.find(field), std::string::npos);
  for (const char* damaged : {" 34x ,", ",", " ,", "\"340\",", " 340.5 ,", "-340 ,", " 99999999 ,"}) {
    SCOPED_TRACE(damaged);
    std::string bad = ini;
    bad.replace(bad.find(field), field.size(), damaged);
    EXPECT_THROW(formatVersionOf(bad), text::ReadError);
    files["DAT\\bzenINI.DAT"] = bad;
    EXPECT_THROW(loadMemory(files), text::ReadError);
  }
}

}  // namespace
}  // namespace quillane::data
