#include "core/tools/test_save.h"

#include <algorithm>
#include <system_error>

#include "core/text/item_writer.h"
#include "core/text/project_files.h"

namespace quillane::tools {

namespace {

template <class Col>
double at(const Col& column, int i) {
  return i >= 0 && i < static_cast<int>(column.size()) ? static_cast<double>(column[static_cast<std::size_t>(i)]) : 0.0;
}

template <class Rows>
double at(const Rows& rows, int i, int j) {
  if (i < 0 || i >= static_cast<int>(rows.size())) return 0.0;
  return at(rows[static_cast<std::size_t>(i)], j);
}

bool breaksBare(const text::Bytes& s) { return s.find_first_of(",\r\n") != text::Bytes::npos; }

bool hasEvent(const map::MapDocument& map, int e) {
  return e >= 0 && e <= map.events.lastNumber && e < static_cast<int>(map.events.records.size());
}

}  // namespace

std::pair<int, int> startPixels(const map::MapDocument& map) {
  int x = map.xAdd, y = map.yAdd;
  if (hasEvent(map, map.startEvent)) {
    x += map.events.records[static_cast<std::size_t>(map.startEvent)].x;
    y += map.events.records[static_cast<std::size_t>(map.startEvent)].y;
  }
  return {x * 32, y * 32};
}

std::string testSaveName(int slot) { return "SAV\\DATA" + std::to_string(slot) + ".DAT"; }

std::optional<text::Bytes> testSaveBytes(const TestSaveInput& in, text::Bytes* badText) {
  const data::ProjectDatabase& db = in.db;
  const data::PlayerTable& pl = db.players;
  const map::MapDocument& map = in.map;
  const int records = db.max.players + 1;  // players 0..P
  const int H = db.max.itemsHeld, M = db.max.magicHeld;

  // Texts written bare must not hold the item separator.
  std::vector<const text::Bytes*> bare{&map.bgmName};
  for (int p = 0; p < records && p < pl.size(); ++p) bare.push_back(&pl.name[static_cast<std::size_t>(p)]);
  for (int e = 0; e <= event::kMaxEventNumber; ++e) {
    if (!hasEvent(map, e)) continue;
    const auto& rec = map.events.records[static_cast<std::size_t>(e)];
    if (!event::EventGrid::contains(rec.x, rec.y)) continue;
    const event::EventCell& cell = map.events.grid.at(rec.x, rec.y);
    for (const text::Bytes* t : {&cell.character, &cell.movement, &cell.number}) bare.push_back(t);
  }
  for (const text::Bytes* t : bare)
    if (breaksBare(*t)) {
      if (badText) *badText = *t;
      return std::nullopt;
    }

  text::ItemWriter w;
  // 1. Header.
  const auto [sx, sy] = startPixels(map);
  w.bare(text::sj("999999999999デバッグデータ"));
  for (double v : {double(sx), double(sy), 0.0, 0.0, double(in.mapNumber), double(db.max.players - 1), 0.0, 0.0,
                   100000.0})
    w.number(v);
  // 2. The party.
  for (int p = 0; p < records; ++p) {
    w.number(p);
    w.bare(p < pl.size() ? pl.name[static_cast<std::size_t>(p)] : text::Bytes());
    for (const auto* c : {&pl.level, &pl.hp, &pl.mp, &pl.maxHp, &pl.maxMp, &pl.attack, &pl.defence, &pl.speed})
      w.number(at(*c, p));
    w.number(at(pl.experience, p));
    w.number(at(pl.nextExperience, p));
    w.number(at(pl.heldItemCount, p));
    w.number(at(pl.heldMagicCount, p));
    for (int j = 0; j < H; ++j) {
      w.number(at(pl.heldItem, p, j));
      w.number(at(pl.equippedMark, p, j));
    }
    for (int j = 0; j < M; ++j) w.number(at(pl.heldMagic, p, j));
    for (int j = 0; j < 6; ++j) {
      w.number(at(pl.ailment, p, j));
      w.number(at(pl.equipment, p, j));
    }
  }
  // 3. Every event flag of every map.
  for (int m = 0; m < db.max.maps; ++m)
    for (int e = 0; e < kFlagEvents; ++e) w.number(in.flags.get(m, e));
  // 4. Visited towns.
  for (int k = 0; k < db.max.scenery; ++k) w.number(at(db.scenery.visited, k));
  // 5. The open map's size.
  w.number(map.width);
  w.number(map.height);
  // 6. Its event slots; slots without an event are zeros and empty texts.
  for (int e = 0; e < kFlagEvents; ++e) {
    if (hasEvent(map, e)) {
      const auto& rec = map.events.records[static_cast<std::size_t>(e)];
      for (double v : {double(rec.x), double(rec.y), double(rec.speed), 0.0, 8.0}) w.number(v);
      if (event::EventGrid::contains(rec.x, rec.y)) {
        const event::EventCell& cell = map.events.grid.at(rec.x, rec.y);
        w.bare(cell.character);
        w.bare(cell.movement);
        w.bare(cell.number);
        continue;
      }
    } else {
      for (double v : {0.0, 0.0, 0.0, 0.0, 8.0}) w.number(v);
    }
    for (int t = 0; t < 3; ++t) w.bare("");
  }
  // 7. The engine's format mark.
  w.bare("350");
  w.number(0);
  // 8. The party's further values.
  for (int p = 0; p < records; ++p) {
    for (const auto* c : {&pl.critical, &pl.hitRate, &pl.magicDefence, &pl.attribute}) w.number(at(*c, p));
    for (int j = 0; j < H; ++j) w.number(at(pl.uses, p, j));
    for (int j = 6; j <= 10; ++j) w.number(at(pl.ailment, p, j));
  }
  // 9.–11. Fixed values of the engine, and the open map's music.
  for (double v : {0.0, 8.0, 15.0}) w.number(v);
  w.bare("");
  for (double v : {0.0, 0.0, 16.0, 0.0}) w.number(v);
  w.bare(map.bgmName);
  for (double v : {0.0, 23.0, 39.0, 7.0, 3.0, 3.0, 3.0, 3.0, 0.0}) w.number(v);
  for (double v : {20.0, 15.0, 255.0, 255.0, 255.0, 0.0, 0.0, 0.0}) w.number(v);
  return w.take();
}

std::optional<std::string> writeTestSave(const std::filesystem::path& projectFolder, int slot,
                                         const text::Bytes& bytes) {
  namespace fs = std::filesystem;
  if (slot < 1 || slot > kSaveSlots) return "no save slot " + std::to_string(slot);
  try {
    std::optional<fs::path> dir = files::findExisting(projectFolder, "SAV");
    if (!dir) {
      std::error_code ec;
      fs::create_directory(projectFolder / "SAV", ec);
      if (ec) return "SAV: " + ec.message();
      dir = projectFolder / "SAV";
    } else if (!fs::is_directory(*dir)) {
      return "SAV is no folder";
    }
    // An existing file keeps its name's case, so no second case-variant appears.
    const std::string relative = testSaveName(slot);
    std::vector<fs::path> existing = files::caseVariants(projectFolder, relative);
    const fs::path target = existing.empty() ? files::writePath(projectFolder, relative) : existing.front();
    files::writeFileAtomic(target, bytes);
  } catch (const std::exception& e) {
    return e.what();
  }
  return std::nullopt;
}

}  // namespace quillane::tools
