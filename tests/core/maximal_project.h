#pragma once
// A project with every count of MaxValues at the top of its range and every table
// filled with varied values (numbers of one to eight digits, signs, texts with
// Japanese), and a map with 100 events of 100 script lines and 60 flag entries. Used by
// the round-trip test and by the load and save benchmarks.
#include <cstdint>
#include <string>

#include "core/data/blank_project.h"
#include "core/data/hidden_fields.h"
#include "core/data/project_database.h"
#include "core/data/random_source.h"
#include "core/map/new_map.h"
#include "core/text/cp932.h"

namespace quillane::testing {

// A value that varies with its position: small counts, three-digit stats and the
// occasional negative number, as a designer's tables hold them.
inline float variedValue(std::size_t a, std::size_t b) {
  const std::size_t h = (a * 7919u + b * 104729u + 13u) % 1009u;
  if (h % 17 == 0) return -static_cast<float>(h % 100);
  return static_cast<float>(h % 3 == 0 ? h : h % 100);
}

template <class Column>
void fillVaried(Column& rows, std::size_t salt) {
  for (std::size_t i = 0; i < rows.size(); ++i)
    for (std::size_t k = 0; k < rows[i].size(); ++k) rows[i][k] = variedValue(i + salt, k);
}

template <class Column>
void fillVariedFlat(Column& values, std::size_t salt) {
  for (std::size_t i = 0; i < values.size(); ++i) values[i] = variedValue(i, salt);
}

// A blank database whose tables are all at their largest record counts (the event and
// message limits are left as they are).
inline data::ProjectDatabase largestBlankDatabase() {
  data::ProjectDatabase db = data::blankDatabase();
  data::MaxValues& m = db.max;
  m.players = data::kPlayerRange.hi, m.magicHeld = data::kMagicHeldRange.hi, m.itemsHeld = data::kItemsHeldRange.hi;
  m.levels = data::kLevelRange.hi, m.itemKinds = data::kItemKindRange.hi, m.armsKinds = data::kArmsKindRange.hi;
  m.magicKinds = data::kMagicKindRange.hi, m.maps = data::kMapRange.hi, m.enemyKinds = data::kEnemyKindRange.hi;
  m.scenery = data::kMaxSceneryEntries;
  db.fitToCounts();
  return db;
}

inline data::ProjectDatabase maximalDatabase() {
  data::ProjectDatabase db = largestBlankDatabase();
  db.max.events = data::kEventRange.hi, db.max.messages = data::kMessageRange.hi;
  db.fitToCounts();
  const std::string name = text::sj("名前");

  data::PlayerTable& p = db.players;
  for (std::size_t i = 0; i < p.name.size(); ++i) p.name[i] = name + "player" + std::to_string(i);
  fillVaried(p.ailment, 1), fillVaried(p.heldMagic, 2), fillVaried(p.heldItem, 3), fillVaried(p.uses, 4);
  fillVariedFlat(p.hp, 5), fillVariedFlat(p.attack, 6), fillVariedFlat(p.speed, 7);
  for (std::size_t i = 0; i < p.experience.size(); ++i)
    p.experience[i] = static_cast<std::int32_t>(i * 987654), p.nextExperience[i] = static_cast<std::int32_t>(i * 1234567);

  data::LevelTable& l = db.levels;
  fillVaried(l.hpGain, 10), fillVaried(l.mpGain, 11), fillVaried(l.attackGain, 12), fillVaried(l.defenceGain, 13);
  fillVaried(l.speedGain, 14), fillVaried(l.magicLearned, 15), fillVaried(l.magicDefenceGain, 16);
  fillVaried(l.hitGain, 17), fillVariedFlat(l.reserved, 18);
  for (auto row : l.experience)
    for (std::size_t k = 0; k < row.size(); ++k) row[k] = static_cast<std::int32_t>(k * k * 97 + k * 13);

  for (auto& t : db.items.text) t.fill(name + "item text");
  fillVariedFlat(db.items.price, 20), fillVariedFlat(db.items.hitRate, 21);
  for (auto& t : db.magic.text) t.fill(name + "magic text");
  for (auto& s : db.magic.playerSound) s.assign(s.size(), "mgc");
  fillVariedFlat(db.magic.potency, 22), fillVariedFlat(db.magic.mpCost, 23);
  fillVariedFlat(db.arms.attack, 24), fillVaried(db.arms.permission, 25);
  for (std::size_t i = 0; i < db.enemies.name.size(); ++i) db.enemies.name[i] = name + "enemy" + std::to_string(i);
  fillVariedFlat(db.enemies.hp, 26), fillVaried(db.enemies.magic, 27), fillVaried(db.enemies.ailment, 28);
  for (std::size_t i = 0; i < db.maps.name.size(); ++i) db.maps.name[i] = name + "map" + std::to_string(i);
  fillVaried(db.maps.enemy, 29);
  for (int a = 0; a < data::kMaxAttributes; ++a) db.scenery.attributeName[a] = "attribute" + std::to_string(a);
  fillVaried(db.scenery.attributeRate, 30);
  for (int k = 0; k < data::kMaxMessages - 1; ++k) db.messages.entries[k][0] = name + "message " + std::to_string(k);
  db.messages.entries[data::kMaxMessages - 1][0] = "END";
  for (int i = 0; i < 100; ++i) db.opening.lines[i] = {name + "line", "MES,1:NEX"};
  db.opening.lines[100].message = event::kEndMarker;
  data::RandomSource random(1);
  data::installRegistration(db.hidden, data::makeRegistration("password", random));
  return db;
}

// An 80 x 80 map with the most events, each with the most script lines.
inline map::MapDocument maximalMap() {
  map::MapDocument doc = map::newMapDocument(nullptr, false);
  doc.width = 80, doc.height = 80;
  doc.ground.fillArea(80, 80, map::TileCode("B0"));
  doc.sky.fillArea(80, 80, map::TileCode("00"));
  doc.events.lastNumber = 99;
  for (int e = 0; e < 100; ++e) {
    auto& rec = doc.events.records[e];
    rec.x = e % 80, rec.y = e / 80;
    for (int l = 0; l < 100; ++l) rec.lines[l] = {text::sj("「こんにちは」") + std::to_string(l), "MES,1:NEX"};
    rec.lines[100].message = event::kEndMarker;
    doc.events.grid.at(rec.x, rec.y) = {"01", "00", std::to_string(e)};
  }
  for (int f = 0; f < 60; ++f) {
    event::FlagEntry entry;
    entry.conditions[0] = {1, f % 100, "=", 1};
    for (int s = 0; s < 30; ++s) entry.steps.push_back({"F", 1, f, s, "", "", ""});
    doc.flags.push_back(entry);
  }
  return doc;
}

}  // namespace quillane::testing
