#pragma once
// Shared by the JSON-form tests: projects with maps held in memory, dumped and restored.
#include <map>
#include <memory>
#include <utility>

#include "core/data/map_context.h"
#include "core/json/project_document.h"
#include "core/map/map_files.h"
#include "data_fixtures.h"

namespace quillane::json::testing {

using data::testing::MemoryFiles;

// Maps kept as their files, read when the dump asks.
class MemoryMaps : public MapSource {
 public:
  std::map<int, std::vector<files::NamedFile>> files;
  std::vector<int> numbers() override {
    std::vector<int> out;
    for (const auto& [n, f] : files) out.push_back(n);
    return out;
  }
  map::MapDocument read(int number, const map::MapFileContext& context, int& version) override {
    const auto& f = files.at(number);
    return map::readMapFromBytes(f[0].content, f[1].content, f[2].content, context, number, &version);
  }
};

struct Project {
  data::ProjectDatabase db;
  MemoryMaps maps;
  std::string dump() { return dumpProject(db, maps); }
};

// A map with something in every part: double-byte and half-width texts, events with
// scripts, a flag entry with every kind of step, objects; cells in the map-chip form.
inline map::MapDocument sampleMap(bool split) {
  map::MapDocument d;
  d.width = 4, d.height = 3, d.startEvent = 1, d.xAdd = -2, d.yAdd = 3;
  d.bgmName = text::sj("村の曲"), d.tileSetName = "MAP", d.characterSetName = "CHR", d.skyTileSetName = "SKY";
  d.upMap = 2, d.afterBattleEvent = 2, d.afterLoadEvent = 1, d.buttonEvent = 3, d.battleStartEvent = 4;
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 4; ++c) {
      std::string code = std::string(1, "0123456789ABCDEF"[r * 4 + c]) + "0";
      d.ground.set(r, c, split ? std::to_string(c % 3) + code : code);
      d.sky.set(r, c, c == 1 ? "A1" : "00");
    }
  d.events.lastNumber = 1;
  for (int e = 0; e < 2; ++e) {
    auto& rec = d.events.records[static_cast<std::size_t>(e)];
    rec.x = e + 1, rec.y = 2, rec.speed = 4;
    rec.lines[0] = {text::sj("ようこそ、ｷﾙﾚｰﾝへ"), "MES,1:NEX"};
    rec.lines[1] = {"", "END"};
    rec.lines[2].message = event::kEndMarker;
    d.events.grid.at(rec.x, rec.y) = {e ? "1A" : "02", "03", std::to_string(e)};
  }
  event::FlagEntry entry;
  entry.conditions[0] = {1, 0, ">=", 2};
  entry.conditions[1] = {0, 1, "=", 0};
  entry.steps = {{"F", 1, 2, 3, "", "", ""}, {"C", 4, 5, 0, text::sj("看板"), "", ""},
                 {"E", 6, 7, 8, "a", "b", "c"}, {"D", 9, 0, 0, "", "", ""}};
  d.flags.push_back(entry);
  d.objects[0] = {"01", "02", "", "", "-1", "10"};
  d.objects[1] = {split ? "103" : "03", "", "", "", "1", "5"};
  return d;
}

// The project `db` written at `version` with its map 0 (and map `extra`, beyond the
// map count, when >= 0), then loaded back as the editor loads it.
inline std::unique_ptr<Project> projectAt(data::ProjectDatabase db, int version, bool split, int extra = -1) {
  db.initial.mapChip = split ? 1 : 0;
  MemoryFiles tables = data::testing::writeAtVersion(db, version);
  auto p = std::make_unique<Project>();
  p->db = data::testing::loadMemory(tables);
  data::RandomSource random(3);
  const map::MapFileContext context = data::mapContext(p->db);
  p->maps.files[0] = map::writeMapFiles(sampleMap(split), 0, context, random, version);
  if (extra >= 0) p->maps.files[extra] = map::writeMapFiles(sampleMap(split), extra, context, random, version);
  return p;
}

// The project that restored files load to.
inline std::unique_ptr<Project> loadFiles(const ProjectFiles& made) {
  MemoryFiles tables;
  for (const auto& t : made.tables) tables[t.file.relative] = t.file.content;
  auto p = std::make_unique<Project>();
  p->db = data::testing::loadMemory(tables);
  for (const auto& [number, three] : made.maps) p->maps.files[number] = three;
  return p;
}

}  // namespace quillane::json::testing
