#pragma once
// The maximal project of the benchmarks: every count of MaxValues at the top of its
// range, every table filled, and one 80 x 80 map with 100 events of 100 script lines
// and 60 flag entries of 30 steps.
#include "core/data/blank_project.h"
#include "core/data/hidden_fields.h"
#include "core/map/map_document.h"
#include "core/map/new_map.h"
#include "core/text/cp932.h"

namespace quillane::bench {

inline data::ProjectDatabase maximalDatabase() {
  data::ProjectDatabase db = data::blankDatabase();
  data::MaxValues& m = db.max;
  m.players = data::kPlayerRange.hi, m.magicHeld = data::kMagicHeldRange.hi, m.itemsHeld = data::kItemsHeldRange.hi;
  m.levels = data::kLevelRange.hi, m.itemKinds = data::kItemKindRange.hi, m.armsKinds = data::kArmsKindRange.hi;
  m.magicKinds = data::kMagicKindRange.hi, m.maps = data::kMapRange.hi, m.enemyKinds = data::kEnemyKindRange.hi;
  m.scenery = data::kMaxSceneryEntries, m.events = data::kEventRange.hi, m.messages = data::kMessageRange.hi;
  db.fitToCounts();
  const std::string name = text::sj("名前");
  for (auto& n : db.players.name) n = name + "player";
  for (auto& row : db.levels.experience)
    for (std::size_t l = 0; l < row.size(); ++l) row[l] = static_cast<std::int32_t>(l * 1234);
  for (auto& t : db.items.text) t.fill(name + "item text");
  for (auto& t : db.magic.text) t.fill(name + "magic text");
  for (auto& s : db.magic.playerSound) s.assign(s.size(), "mgc");
  for (auto& n : db.enemies.name) n = name + "enemy";
  for (auto& n : db.maps.name) n = name + "map";
  for (int a = 0; a < data::kMaxAttributes; ++a) db.scenery.attributeName[a] = "attribute" + std::to_string(a);
  for (int k = 0; k < data::kMaxMessages - 1; ++k) db.messages.entries[k][0] = name + "message " + std::to_string(k);
  db.messages.entries[data::kMaxMessages - 1][0] = "END";
  for (int i = 0; i < 100; ++i) db.opening.lines[i] = {name + "line", "MES,1:NEX"};
  db.opening.lines[100].message = event::kEndMarker;
  data::RandomSource random(1);
  data::installRegistration(db.hidden, data::makeRegistration("password", random));
  return db;
}

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

}  // namespace quillane::bench
