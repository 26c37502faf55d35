#pragma once
// Shared by the data tests: a database with a distinct value in every field, projects
// written at any format version into memory, and loading them back.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

#include "core/data/hidden_fields.h"
#include "core/data/load_all.h"
#include "core/data/project_database.h"
#include "core/data/save_all.h"
#include "core/data/table_walks.h"

namespace quillane::data::testing {

inline std::string upper(std::string s) {
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return s;
}

// Files held in memory, looked up without case.
struct MemoryFiles : FileSource {
  std::map<std::string, std::string> files;
  std::string read(const std::string& relative) override {
    auto it = files.find(upper(relative));
    if (it == files.end()) throw text::ReadError(relative, 0, "the file", "nothing");
    return it->second;
  }
  std::string& operator[](const std::string& name) { return files[upper(name)]; }
};

// The counts of richDatabase(): small, each of its own.
inline MaxValues richCounts() {
  MaxValues m;
  m.players = 2, m.magicHeld = 5, m.itemsHeld = 6, m.levels = 3, m.scenery = 5, m.itemKinds = 3;
  m.armsKinds = 2, m.maps = 3, m.magicKinds = 3, m.enemyKinds = 2, m.events = 50, m.messages = 40;
  return m;
}

// Every field gets a value of its own, so a field read into the wrong place shows.
inline ProjectDatabase richDatabase(const MaxValues& counts = richCounts()) {
  ProjectDatabase db;
  db.max = counts;
  const MaxValues& m = db.max;
  db.fitToCounts();
  float next = 1;
  auto v = [&next]() { return next += 1; };
  auto set = [&](std::vector<float>& c) { for (float& f : c) f = v(); };
  auto setRows = [&](auto& rows) { for (auto&& r : rows) for (auto& f : r) f = static_cast<std::remove_reference_t<decltype(f)>>(v()); };

  InitialValues& iv = db.initial;
  for (float* f : {&iv.partySizeMinus1, &iv.initialMap, &iv.initialX, &iv.initialY, &iv.startEvent, &iv.money,
                   &iv.standardSpeed, &iv.startPlayer, &iv.facing, &iv.fadeKind, &iv.fadeSpeed,
                   &iv.animationPatterns, &iv.hpMeter1, &iv.hpMeter2, &iv.mpMeter1, &iv.mpMeter2, &iv.battleView,
                   &iv.mapChip, &iv.screenWidth, &iv.screenHeight, &iv.fullScreen, &iv.characterWidth,
                   &iv.characterHeight, &iv.enemyImageWidth})
    *f = v();
  iv.placement = 11;
  iv.title = text::sj("タイトル");
  for (float& f : iv.systemMenu) f = v();
  for (float& f : iv.settingsMenu) f = v();
  iv.transparentColour = 16711935;

  for (int s : {0, 1, 2}) db.opening.lines[s] = {"open" + std::to_string(s), "MES,a"};
  db.opening.lines[3].message = "99";
  db.ending.lines[0] = {text::sj("終わり"), "END"};
  db.ending.lines[1].message = "99";

  PlayerTable& p = db.players;
  setRows(p.ailment);
  for (int i = 0; i <= m.players; ++i) {
    p.name[i] = "player" + std::to_string(i);
    p.characterGraphic[i] = "C" + std::to_string(i);
    p.cursorFile[i] = "cur" + std::to_string(i);
  }
  for (auto* c : {&p.level, &p.hp, &p.mp, &p.maxHp, &p.maxMp, &p.attack, &p.defence, &p.speed, &p.heldItemCount,
                  &p.heldMagicCount, &p.critical, &p.attribute, &p.hitRate, &p.magicDefence, &p.face,
                  &p.attributeHidden})
    set(*c);
  for (auto& e : p.experience) e = static_cast<std::int32_t>(v()) * 100000;
  for (auto& e : p.nextExperience) e = static_cast<std::int32_t>(v());
  setRows(p.equipment), setRows(p.heldMagic), setRows(p.heldItem), setRows(p.equippedMark), setRows(p.uses);
  setRows(p.layout), setRows(p.battleMenu);

  LevelTable& l = db.levels;
  for (auto* c : {&l.hpGain, &l.mpGain, &l.attackGain, &l.defenceGain, &l.speedGain, &l.magicLearned,
                  &l.magicDefenceGain, &l.hitGain})
    setRows(*c);
  setRows(l.experience);
  set(l.reserved);

  EnemyTable& e = db.enemies;
  setRows(e.ailment), setRows(e.magic), setRows(e.itemSlot);
  for (auto* c : {&e.hp, &e.mp, &e.attack, &e.defence, &e.speed, &e.money, &e.magicRate, &e.offsetX, &e.offsetY,
                  &e.size, &e.extra, &e.itemRate, &e.critical, &e.attribute, &e.hitRate, &e.magicDefence,
                  &e.escapeRate})
    set(*c);
  for (auto& x : e.experience) x = static_cast<std::int32_t>(v());
  for (int i = 0; i < m.enemyKinds; ++i) e.name[i] = "enemy name " + std::to_string(i), e.graphic[i] = "g" + std::to_string(i);

  for (int i = 0; i < m.maps; ++i) db.maps.name[i] = text::sj("マップ") + std::to_string(i);
  setRows(db.maps.enemy);

  SceneryTable& s = db.scenery;
  set(s.visited);
  for (int i = 0; i < m.scenery; ++i) {
    s.town[i] = static_cast<float>(i == 1 ? 0 : (i >= 3 ? 99 : i + 5));  // entries 3, 4 free; 1 holds map 0
    s.battleBackground[i] = "bb" + std::to_string(i);
    s.distantView[i] = "dv" + std::to_string(i);
  }
  for (int a = 0; a < 4; ++a) {
    s.attributeName[a] = "attr" + std::to_string(a);
    for (int b = 0; b < 4; ++b) s.attributeRate[a][b] = v();
  }

  ItemTable& it = db.items;
  for (int i = 0; i < m.itemKinds; ++i)
    for (int k = 0; k < 7; ++k) it.text[i][k] = "item" + std::to_string(i) + "." + std::to_string(k);
  for (auto* c : {&it.important, &it.price, &it.attribute, &it.uses, &it.hitRate, &it.displayPosition,
                  &it.wholeScreen})
    set(*c);
  for (int i = 0; i < m.itemKinds; ++i) it.armsIndex[i] = static_cast<float>(2 * i % (m.armsKinds + 1));
  for (int i = 0; i < m.itemKinds; ++i)
    it.useSound[i] = "us" + std::to_string(i), it.animation[i] = "an" + std::to_string(i),
    it.eventLabel[i] = "*L" + std::to_string(i);

  ArmsTable& a = db.arms;
  for (auto* c : {&a.attack, &a.defence, &a.speed, &a.part, &a.itemEffect, &a.attacks, &a.magicDefence}) set(*c);
  setRows(a.permission);
  for (int i = 0; i < m.armsKinds; ++i) a.attackSound[i] = "snd" + std::to_string(i);

  setRows(db.attackRates.rows);
  db.messages.entries[0][0] = text::sj("はい、いいえ");
  db.messages.entries[1][0] = "second";
  db.messages.entries[2][0] = "END";

  MagicTable& g = db.magic;
  for (int i = 0; i < m.magicKinds; ++i) {
    for (int k = 0; k < 5; ++k) g.text[i][k] = "magic" + std::to_string(i) + "." + std::to_string(k);
    g.effect[i] = "PO" + std::to_string(i);
    g.animation[i] = "ma" + std::to_string(i), g.sound[i] = "ms" + std::to_string(i);
    g.eventLabel[i] = "*M" + std::to_string(i);
    for (int j = 0; j <= m.players; ++j) g.playerSound[i][j] = "ps" + std::to_string(i) + std::to_string(j);
  }
  for (auto* c : {&g.potency, &g.mpCost, &g.attribute, &g.hitRate, &g.usesAttack, &g.special,
                  &g.displayPosition, &g.wholeScreen})
    set(*c);

  Registration reg{"secret", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}};
  installRegistration(db.hidden, reg);
  db.hidden.gamePassword = "game";
  db.hidden.tendKept = {1, 2, 3, 4, 5, 6, 7, 8};
  return db;
}

// The project written as `version` writes it (a copy of `db` is walked: old layouts
// set their defaults on it).
inline MemoryFiles writeAtVersion(ProjectDatabase db, int version, std::uint64_t seed = 7) {
  RandomSource random(seed);
  db.fitToCounts();
  encodeHidden(db.hidden, random);
  MemoryFiles out;
  for (const TableFile* t : saveOrder()) {
    FieldWriter w(t->writeName, db.hidden, random, version);
    t->write(w, db);
    out[t->writeName] = w.take();
  }
  return out;
}

inline ProjectDatabase loadMemory(MemoryFiles& files, std::uint64_t seed = 11) {
  RandomSource random(seed);
  ProjectDatabase db;
  loadAllFrom(files, formatVersionOf(files.read("DAT\\bzenINI.DAT")), db, random);
  return db;
}

// The first difference between two sets of files, or "" when they are equal.
inline std::string firstDifference(const MemoryFiles& a, const MemoryFiles& b) {
  for (const auto& [name, bytes] : a.files) {
    auto it = b.files.find(name);
    if (it == b.files.end()) return name + " missing";
    const std::string& other = it->second;
    if (bytes == other) continue;
    std::size_t i = 0;
    while (i < bytes.size() && i < other.size() && bytes[i] == other[i]) ++i;
    std::size_t from = i > 30 ? i - 30 : 0;
    return name + " at byte " + std::to_string(i) + ": ..." + bytes.substr(from, 60) + " vs ..." +
           other.substr(from, 60);
  }
  return a.files.size() == b.files.size() ? "" : "different file sets";
}

// The files a save of `db` writes, with a given random seed.
inline MemoryFiles saveToMemory(ProjectDatabase db, std::uint64_t seed = 7) {
  RandomSource random(seed);
  MemoryFiles out;
  for (auto& f : serializeTables(db, random)) out[f.relative] = f.content;
  return out;
}

// Every table and hidden field of `a` equals that of `b`.
inline void expectSame(const ProjectDatabase& a, const ProjectDatabase& b) {
  EXPECT_EQ(a.formatVersion, b.formatVersion);
  EXPECT_TRUE(a.initial == b.initial);
  EXPECT_TRUE(a.max == b.max);
  EXPECT_TRUE(a.opening == b.opening);
  EXPECT_TRUE(a.ending == b.ending);
  EXPECT_TRUE(a.players == b.players);
  EXPECT_TRUE(a.levels == b.levels);
  EXPECT_TRUE(a.enemies == b.enemies);
  EXPECT_TRUE(a.maps == b.maps);
  EXPECT_TRUE(a.scenery == b.scenery);
  EXPECT_TRUE(a.items == b.items);
  EXPECT_TRUE(a.arms == b.arms);
  EXPECT_TRUE(a.attackRates == b.attackRates);
  EXPECT_TRUE(a.messages == b.messages);
  EXPECT_TRUE(a.magic == b.magic);
  const HiddenFields &h = a.hidden, &k = b.hidden;
  EXPECT_EQ(h.editingPassword, k.editingPassword);
  EXPECT_EQ(h.gamePassword, k.gamePassword);
  EXPECT_EQ(h.editingTriples, k.editingTriples);
  EXPECT_EQ(h.gameTriples, k.gameTriples);
  EXPECT_EQ(h.keys, k.keys);
  EXPECT_EQ(h.keyParts, k.keyParts);
  EXPECT_EQ(h.tendKept, k.tendKept);
  EXPECT_EQ(h.openingCheck, k.openingCheck);
  EXPECT_EQ(h.endingCheck, k.endingCheck);
}

// The error a load reports, as tools print it; empty when it loads.
template <class Load>
std::string errorOf(Load&& load) {
  try {
    load();
  } catch (const text::ReadError& e) {
    return describe(e);
  }
  return "";
}

}  // namespace quillane::data::testing
