// Import from another project: reading it without touching it, the password, the
// copies of every kind within the open project's bounds, and the map import.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "core/data/blank_project.h"
#include "core/data/map_context.h"
#include "core/map/map_file_names.h"
#include "core/map/map_files.h"
#include "core/map/new_map.h"
#include "core/text/file_set_commit.h"
#include "core/text/project_files.h"
#include "core/tools/import_records.h"
#include "core/tools/map_import.h"
#include "core/tools/source_project.h"
#include "data_fixtures.h"

namespace quillane::tools {
namespace {

namespace fs = std::filesystem;
using data::ProjectDatabase;

fs::path tempDir(const std::string& what) {
  fs::path dir = fs::temp_directory_path() /
                 ("quillane-import-" + what + "-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
  fs::remove_all(dir);
  fs::create_directories(dir / "DAT");
  return dir;
}

// A database with the given counts and every name telling its record.
ProjectDatabase sized(int players, int items, int arms, int magic, int enemies, int itemsHeld = 5, int levels = 3) {
  ProjectDatabase db;
  data::MaxValues& m = db.max;
  m.players = players, m.itemKinds = items, m.armsKinds = arms, m.magicKinds = magic, m.enemyKinds = enemies;
  m.itemsHeld = itemsHeld, m.magicHeld = 5, m.levels = levels;
  db.fitToCounts();
  for (int i = 0; i <= players; ++i) db.players.name[i] = "P" + std::to_string(i);
  for (int i = 0; i < items; ++i) db.items.text[i][0] = "I" + std::to_string(i);
  for (int i = 0; i < magic; ++i) db.magic.text[i][0] = "M" + std::to_string(i);
  for (int i = 0; i < enemies; ++i) db.enemies.name[i] = "E" + std::to_string(i);
  return db;
}

std::vector<Bytes> names(const ProjectDatabase& db, ImportKind kind) { return recordLines(db, kind); }

// ---- reading the source ---------------------------------------------------------

TEST(ImportSource, FolderWithAndWithoutFinalSeparatorIsTheSame) {
  const fs::path program = "/opt/prog";
  EXPECT_EQ(sourceFolder("/data/other", program), sourceFolder("/data/other/", program));
  EXPECT_EQ(sourceFolder("\\data\\other", program), sourceFolder("/data/other/", program));
  // A relative folder (as browsing below the program folder gives) is the program's.
  EXPECT_EQ(sourceFolder("./sub/proj/", program), fs::path("/opt/prog/sub/proj/"));
}

TEST(ImportSource, ReadsWithTheRightPasswordOnlyAndWritesNothingThere) {
  const fs::path dir = tempDir("read");
  data::RandomSource random(3);
  ProjectDatabase db = data::testing::richDatabase();  // password "secret"
  ASSERT_TRUE(data::saveAll(dir, db, random).ok);
  // A save cut short in the source project stays as it was: the import never writes there.
  fs::create_directories(dir / files::kStagingFolder);
  std::ofstream(dir / files::kStagingFolder / "junk") << "x";
  std::map<std::string, std::string> before;
  for (const auto& e : fs::recursive_directory_iterator(dir))
    if (e.is_regular_file()) before[e.path().string()] = *files::readFile(e.path());

  SourceProject source;
  EXPECT_EQ(readSourceProject(dir, "secre", random, source), SourceRead::WrongPassword);
  EXPECT_EQ(readSourceProject(dir, "", random, source), SourceRead::WrongPassword);
  EXPECT_TRUE(source.folder.empty());
  ASSERT_EQ(readSourceProject(dir, "secret", random, source), SourceRead::Loaded);
  EXPECT_EQ(source.folder, dir);
  EXPECT_EQ(source.db.max.players, 2);
  EXPECT_EQ(source.db.max.itemsHeld, 6);
  EXPECT_EQ(source.db.formatVersion, data::kWriteVersion);
  EXPECT_EQ(source.db.hidden.keys, db.hidden.keys);
  EXPECT_EQ(source.db.players.name[1], "player1");

  std::map<std::string, std::string> after;
  for (const auto& e : fs::recursive_directory_iterator(dir))
    if (e.is_regular_file()) after[e.path().string()] = *files::readFile(e.path());
  EXPECT_EQ(before, after);
  fs::remove_all(dir);
}

TEST(ImportSource, AProjectWithoutPasswordAcceptsOnlyAnEmptyOne) {
  const fs::path dir = tempDir("nopass");
  fs::remove_all(dir);
  data::RandomSource random(5);
  ASSERT_FALSE(data::createBlankProject(dir, std::nullopt, random));
  SourceProject source;
  EXPECT_EQ(readSourceProject(dir, " ", random, source), SourceRead::WrongPassword);
  EXPECT_EQ(readSourceProject(dir, "quill", random, source), SourceRead::WrongPassword);
  EXPECT_EQ(readSourceProject(dir, "", random, source), SourceRead::Loaded);
  fs::remove_all(dir);
}

TEST(ImportSource, DamagedMissingOrForeignFilesFail) {
  const fs::path dir = tempDir("damaged");
  data::RandomSource random(3);
  ProjectDatabase db = data::testing::richDatabase();
  ASSERT_TRUE(data::saveAll(dir, db, random).ok);
  SourceProject source;
  source.folder = "/kept";

  // Check numbers of another project's key set.
  const fs::path topn = *files::findExisting(dir, "DAT\\bzenTOPN.DAT");
  const std::string original = *files::readFile(topn);
  std::string foreign = original;
  foreign.replace(0, foreign.find(','), " 9999 ");
  files::writeFileAtomic(topn, foreign);
  EXPECT_EQ(readSourceProject(dir, "secret", random, source), SourceRead::Failed);
  files::writeFileAtomic(topn, original);

  // A table cut short, a count far beyond any capacity, a missing table.
  const fs::path ply = *files::findExisting(dir, "DAT\\bzenPLY.DAT");
  const std::string players = *files::readFile(ply);
  files::writeFileAtomic(ply, players.substr(0, players.size() / 2));
  EXPECT_EQ(readSourceProject(dir, "secret", random, source), SourceRead::Failed);
  const fs::path max = *files::findExisting(dir, "DAT\\bzenMAX.DAT");
  files::writeFileAtomic(max, " 2000000000 ," + files::readFile(max)->substr(files::readFile(max)->find(',') + 1));
  EXPECT_EQ(readSourceProject(dir, "secret", random, source), SourceRead::Failed);
  fs::remove_all(dir / "DAT");
  EXPECT_EQ(readSourceProject(dir, "secret", random, source), SourceRead::Failed);
  EXPECT_EQ(readSourceProject(dir / "nowhere", "secret", random, source), SourceRead::Failed);
  EXPECT_EQ(source.folder, fs::path("/kept"));  // nothing taken from a failed read
  fs::remove_all(dir);
}

TEST(ImportSource, AnOlderProjectIsReadWithItsOwnVersionAndCopiedWithItsDefaults) {
  const fs::path dir = tempDir("old");
  ProjectDatabase db = data::testing::richDatabase();
  data::testing::MemoryFiles files = data::testing::writeAtVersion(db, 210);
  for (const auto& [name, bytes] : files.files) files::writeFileAtomic(files::writePath(dir, name), bytes);
  data::RandomSource random(8);
  SourceProject source;
  ASSERT_EQ(readSourceProject(dir, "secret", random, source), SourceRead::Loaded);
  EXPECT_EQ(source.db.formatVersion, 210);
  ProjectDatabase target = sized(2, 10, 5, 10, 5);
  ASSERT_EQ(copyRecords(source.db, target, ImportKind::Items, {2}, 0), CopyResult::Copied);
  EXPECT_EQ(target.items.animation[0], "AT2");  // the old version's default
  EXPECT_EQ(target.items.hitRate[0], 100);
  fs::remove_all(dir);
}

// ---- lists and blocks -------------------------------------------------------------

TEST(ImportCopy, ListsNumberRecordsWithALeadingBlank) {
  ProjectDatabase db = sized(3, 10, 5, 10, 5);
  db.scenery.attributeName[0] = "fire";
  db.scenery.attributeName[2] = "ice";
  auto players = names(db, ImportKind::Players);
  ASSERT_EQ(players.size(), 3u);  // players 0..P-1: record P is not listed
  EXPECT_EQ(players[2], " 2:P2");
  EXPECT_EQ(names(db, ImportKind::Items)[9], " 9:I9");
  auto attributes = names(db, ImportKind::Attributes);
  ASSERT_EQ(attributes.size(), 3u);  // up to the last named one
  EXPECT_EQ(attributes[1], " 1:");
}

TEST(ImportCopy, SelectedRecordsLandOnConsecutiveTargets) {
  ProjectDatabase source = sized(3, 10, 5, 10, 8);
  ProjectDatabase target = sized(3, 10, 5, 10, 13);
  source.enemies.hp[5] = 55;
  EXPECT_EQ(copyRecords(source, target, ImportKind::Enemies, {6, 2, 5}, 10), CopyResult::Copied);
  EXPECT_EQ(target.enemies.name[10], "E2");
  EXPECT_EQ(target.enemies.name[11], "E5");
  EXPECT_EQ(target.enemies.name[12], "E6");
  EXPECT_EQ(target.enemies.hp[11], 55);
  EXPECT_EQ(target.enemies.name[9], "E9");

  // A block running past the last record is refused whole.
  ProjectDatabase before = target;
  EXPECT_EQ(copyRecords(source, target, ImportKind::Enemies, {1, 2, 3}, 11), CopyResult::PastEnd);
  EXPECT_EQ(target.enemies.name, before.enemies.name);
  EXPECT_EQ(copyRecords(source, target, ImportKind::Enemies, {1}, -1), CopyResult::Nothing);
  EXPECT_EQ(copyRecords(source, target, ImportKind::Enemies, {}, 0), CopyResult::Nothing);
  EXPECT_EQ(copyRecords(source, target, ImportKind::Map, {1}, 0), CopyResult::Nothing);
}

// ---- players ----------------------------------------------------------------------

TEST(ImportCopy, PlayerBringsItsWholeGrowthCutToTheTarget) {
  ProjectDatabase source = sized(2, 10, 5, 10, 5, 8, 4);
  ProjectDatabase target = sized(2, 10, 5, 10, 5, 5, 3);
  for (int l = 0; l < 4; ++l) {
    source.levels.hpGain[1][l] = 10.f + l;
    source.levels.experience[1][l] = 1000 * (l + 1);
    source.levels.hitGain[1][l] = 7;
  }
  source.levels.magicLearned[1][0] = 3;   // magic 2: the target has it
  source.levels.magicLearned[1][1] = 12;  // magic 11: the target has not
  source.players.level[1] = 9;
  source.players.battleMenu[1][3] = 42;
  ASSERT_EQ(copyRecords(source, target, ImportKind::Players, {1}, 0), CopyResult::Copied);
  EXPECT_EQ(target.players.name[0], "P1");
  EXPECT_EQ(target.players.level[0], 9);
  EXPECT_EQ(target.players.battleMenu[0][3], 42);
  for (int l = 0; l < 3; ++l) {
    EXPECT_EQ(target.levels.hpGain[0][l], 10.f + l);
    EXPECT_EQ(target.levels.experience[0][l], 1000 * (l + 1));
    EXPECT_EQ(target.levels.hitGain[0][l], 7);
  }
  EXPECT_EQ(target.levels.magicLearned[0][0], 3);
  EXPECT_EQ(target.levels.magicLearned[0][1], 0);
}

TEST(ImportCopy, HeldListsAreCutWithCountsMarksAndSlotsFixed) {
  // The source holds 8 items and 6 magic; the target has 5 places and fewer kinds.
  ProjectDatabase source = sized(2, 30, 5, 20, 5, 8);
  ProjectDatabase target = sized(2, 10, 5, 4, 5, 5);
  data::PlayerTable& p = source.players;
  p.heldItemCount[0] = 8;
  const float held[8] = {1, 25, 2, 3, 4, 5, 6, 7};  // item 25 is beyond the target's 10
  for (int j = 0; j < 8; ++j) p.heldItem[0][j] = held[j], p.uses[0][j] = 100.f + j;
  p.equippedMark[0][2] = 2;  // item 2, kept
  p.equippedMark[0][7] = 2;  // item 7 at the 8th place: cut off
  p.equippedMark[0][1] = 2;  // item 25: not in the target
  p.equipment[0] = {3, 26, 0, 8, 0, 2};  // slots hold item index + 1
  p.heldMagicCount[0] = 5;
  for (int j = 0; j < 5; ++j) p.heldMagic[0][j] = static_cast<float>(j * 2);  // 0 2 4 6 8: target has 0..3
  ASSERT_EQ(copyRecords(source, target, ImportKind::Players, {0}, 1), CopyResult::Copied);
  const data::PlayerTable& t = target.players;
  EXPECT_EQ(t.heldItemCount[1], 5);
  EXPECT_EQ(t.heldItem[1], (std::vector<float>{1, 2, 3, 4, 5}));
  EXPECT_EQ(t.uses[1], (std::vector<float>{100, 102, 103, 104, 105}));
  EXPECT_EQ(t.equippedMark[1], (std::vector<float>{0, 2, 0, 0, 0}));
  EXPECT_EQ(t.equipment[1], (std::array<float, 6>{3, 0, 0, 0, 0, 2}));
  EXPECT_EQ(t.heldMagicCount[1], 2);
  EXPECT_EQ(t.heldMagic[1][0], 0);
  EXPECT_EQ(t.heldMagic[1][1], 2);
  EXPECT_EQ(t.heldMagic[1][2], 0);
}

// ---- enemies, magic, attributes ------------------------------------------------------

TEST(ImportCopy, ReferencesBeyondTheTargetBecomeNone) {
  ProjectDatabase source = sized(4, 30, 5, 30, 5);
  ProjectDatabase target = sized(2, 10, 5, 10, 5);
  source.enemies.magic[0] = {1, 20, 99, 9, 10, 0};
  source.enemies.itemSlot[0] = {0, 10, 11};  // items 9 and 10
  ASSERT_EQ(copyRecords(source, target, ImportKind::Enemies, {0}, 4), CopyResult::Copied);
  EXPECT_EQ(target.enemies.magic[4], (std::array<float, 6>{1, 99, 99, 9, 99, 0}));
  EXPECT_EQ(target.enemies.itemSlot[4], (std::array<float, 3>{0, 10, 0}));

  // Magic: one sound per player, as many players as both have.
  for (int j = 0; j <= 4; ++j) source.magic.playerSound[3][j] = "s" + std::to_string(j);
  target.magic.playerSound[0][2] = "kept?";
  ASSERT_EQ(copyRecords(source, target, ImportKind::Magic, {3}, 0), CopyResult::Copied);
  EXPECT_EQ(target.magic.text[0][0], "M3");
  EXPECT_EQ(target.magic.playerSound[0], (std::vector<Bytes>{"s0", "s1", "s2"}));

  // Attributes: the name and its row of rates against the attributes both have.
  for (int a = 0; a < 6; ++a) source.scenery.attributeName[a] = "a" + std::to_string(a);
  for (int a = 0; a < 3; ++a) target.scenery.attributeName[a] = "t" + std::to_string(a);
  for (int j = 0; j < 6; ++j) source.scenery.attributeRate[5][j] = 50.f + j;
  target.scenery.attributeRate[2][4] = -1;
  EXPECT_EQ(copyRecords(source, target, ImportKind::Attributes, {4, 5}, 2), CopyResult::PastEnd);
  ASSERT_EQ(copyRecords(source, target, ImportKind::Attributes, {5}, 2), CopyResult::Copied);
  EXPECT_EQ(target.scenery.attributeName[2], "a5");
  EXPECT_EQ(target.scenery.attributeRate[2][0], 50);
  EXPECT_EQ(target.scenery.attributeRate[2][2], 52);
  EXPECT_EQ(target.scenery.attributeRate[2][4], -1);  // no such attribute in the target
}

// ---- items and their arms records ---------------------------------------------------

class ImportItems : public ::testing::Test {
 protected:
  void SetUp() override {
    source = sized(2, 10, 5, 10, 5);
    target = sized(3, 10, 3, 10, 5);
    source.items.armsIndex[0] = 2;  // source item 0: arms record 1
    source.arms.attack[1] = 77;
    source.arms.part[1] = 1;
    source.arms.attackSound[1] = "SWORD";
    source.arms.permission[1] = {1, 0, 1};
    // Target player 1 holds and wears item 4.
    target.players.heldItemCount[1] = 1;
    target.players.heldItem[1][0] = 4;
    target.players.equippedMark[1][0] = 2;
    target.players.equipment[1][1] = 5;
  }
  ProjectDatabase source, target;
};

TEST_F(ImportItems, BothHaveArms) {
  target.items.armsIndex[4] = 3;  // record 2
  target.arms.part[2] = 1;
  target.arms.permission[2] = {0, 0, 0, 1};
  ASSERT_EQ(copyRecords(source, target, ImportKind::Items, {0}, 4), CopyResult::Copied);
  EXPECT_EQ(target.items.armsIndex[4], 3);
  EXPECT_EQ(target.arms.attack[2], 77);
  EXPECT_EQ(target.arms.attackSound[2], "SWORD");
  EXPECT_EQ(target.arms.permission[2], (std::vector<float>{1, 0, 1, 1}));  // player 3 unknown to the source
  EXPECT_EQ(target.players.equipment[1][1], 5);  // same part: still worn

  // A changed part takes the item off every player.
  source.arms.part[1] = 3;
  ASSERT_EQ(copyRecords(source, target, ImportKind::Items, {0}, 4), CopyResult::Copied);
  EXPECT_EQ(target.players.equipment[1][1], 0);
  EXPECT_EQ(target.players.equippedMark[1][0], 0);
  EXPECT_EQ(target.players.heldItem[1][0], 4);  // still held
}

TEST_F(ImportItems, SourceHasNoneTargetHasOne) {
  target.items.armsIndex[4] = 2;
  target.arms.attack[1] = 5;
  ASSERT_EQ(copyRecords(source, target, ImportKind::Items, {3}, 4), CopyResult::Copied);
  EXPECT_EQ(target.items.text[4][0], "I3");
  EXPECT_EQ(target.items.armsIndex[4], 0);
  EXPECT_EQ(target.arms.attack[1], 5);  // left, unreferenced
  EXPECT_EQ(target.players.equipment[1][1], 0);
  EXPECT_EQ(target.players.equippedMark[1][0], 0);
}

TEST_F(ImportItems, SourceHasOneTargetHasNone) {
  target.items.armsIndex[0] = 1;  // records 0 and 2 are used, record 1 is free
  target.items.armsIndex[1] = 3;
  ASSERT_EQ(copyRecords(source, target, ImportKind::Items, {0}, 4), CopyResult::Copied);
  EXPECT_EQ(target.items.armsIndex[4], 2);
  EXPECT_EQ(target.arms.attack[1], 77);
  // No record free any more: only the item comes.
  ASSERT_EQ(copyRecords(source, target, ImportKind::Items, {0}, 5), CopyResult::Copied);
  EXPECT_EQ(target.items.text[5][0], "I0");
  EXPECT_EQ(target.items.armsIndex[5], 0);
}

TEST_F(ImportItems, NeitherHasArms) {
  ProjectDatabase before = target;
  ASSERT_EQ(copyRecords(source, target, ImportKind::Items, {3}, 4), CopyResult::Copied);
  EXPECT_EQ(target.items.armsIndex[4], 0);
  EXPECT_EQ(target.arms.attack, before.arms.attack);
  EXPECT_EQ(target.players.equipment, before.players.equipment);
}

// ---- maps ---------------------------------------------------------------------------

class ImportMap : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = tempDir("map");
    source.db = data::testing::richDatabase();
    source.db.initial.mapChip = 1;  // split
    source.folder = dir;
    map::MapDocument doc = map::newMapDocument(nullptr, true);
    doc.ground.set(0, 0, "0A3");
    doc.ground.set(1, 2, "0FF");
    doc.tileSetName = "FOREST";
    save(doc);
  }
  void TearDown() override { fs::remove_all(dir); }
  void save(const map::MapDocument& doc) {
    data::RandomSource random(1);
    for (auto& f : map::writeMapFiles(doc, 2, data::mapContext(source.db), random))
      files::writeFileAtomic(files::writePath(dir, f.relative), f.content);
  }
  fs::path dir;
  SourceProject source;
};

TEST_F(ImportMap, SplitIntoStandardWithBankZero) {
  map::MapDocument out;
  ASSERT_EQ(importMap(source, 2, false, out), MapImport::Imported);
  EXPECT_EQ(out.ground.text(0, 0), "A3");
  EXPECT_EQ(out.ground.text(1, 2), "FF");
  EXPECT_EQ(out.ground.text(5, 5), "00");
  EXPECT_EQ(out.tileSetName, "FOREST");
  EXPECT_TRUE(out.modified);
  // The same map into a split project keeps its codes.
  map::MapDocument split;
  ASSERT_EQ(importMap(source, 2, true, split), MapImport::Imported);
  EXPECT_EQ(split.ground.text(0, 0), "0A3");
}

TEST_F(ImportMap, SplitIntoStandardWithAnotherBankIsRefused) {
  map::MapDocument doc = map::readMap(dir, 2, data::mapContext(source.db));
  doc.ground.set(3, 3, "1B0");
  save(doc);
  map::MapDocument out;
  out.tileSetName = "MINE";
  EXPECT_EQ(importMap(source, 2, false, out), MapImport::BanksInUse);
  EXPECT_EQ(out.tileSetName, "MINE");
}

TEST_F(ImportMap, StandardIntoSplitPrefixesBankZero) {
  map::MapDocument doc;
  doc.ground.set(0, 0, "B4");
  doc.ground.set(14, 19, "90");
  EXPECT_TRUE(convertGroundForm(doc, false, true));
  EXPECT_EQ(doc.ground.text(0, 0), "0B4");
  EXPECT_EQ(doc.ground.text(14, 19), "090");
}

TEST_F(ImportMap, AFailingReadLeavesTheMapAsItWas) {
  fs::remove(*files::findExisting(dir, map::mapFlagFileName(2)));
  map::MapDocument out;
  out.tileSetName = "MINE";
  EXPECT_EQ(importMap(source, 2, false, out), MapImport::ReadFailed);
  EXPECT_EQ(importMap(source, 7, false, out), MapImport::ReadFailed);
  EXPECT_EQ(out.tileSetName, "MINE");
}

TEST(ImportMapEntry, NameAndEnemiesWithinTheTarget) {
  ProjectDatabase source = sized(2, 10, 5, 10, 20);
  ProjectDatabase target = sized(2, 10, 5, 10, 6);
  source.maps.name[0] = "cave";
  source.maps.enemy[0] = {1, 19, 99, 5, 6, 0};
  copyMapEntry(source, 0, target, 0);
  EXPECT_EQ(target.maps.name[0], "cave");
  EXPECT_EQ(target.maps.enemy[0], (std::array<float, 6>{1, 99, 99, 5, 99, 0}));
}

}  // namespace
}  // namespace quillane::tools
