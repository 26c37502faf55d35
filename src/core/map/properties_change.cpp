#include "core/map/properties_change.h"

#include <algorithm>

namespace quillane::map {
namespace {

// The settings the dialog sets, in one list that reading and writing both walk.
constexpr std::array<int MapDocument::*, 15> kNumbers = {
    &MapDocument::startEvent,     &MapDocument::xAdd,          &MapDocument::yAdd,
    &MapDocument::upMap,          &MapDocument::leftMap,       &MapDocument::rightMap,
    &MapDocument::downMap,        &MapDocument::encounterRate, &MapDocument::stepLimit,
    &MapDocument::noTeleport,     &MapDocument::maxEnemies,    &MapDocument::afterBattleEvent,
    &MapDocument::afterLoadEvent, &MapDocument::buttonEvent,   &MapDocument::battleStartEvent,
};
constexpr std::array<Bytes MapDocument::*, 4> kNames = {
    &MapDocument::bgmName, &MapDocument::tileSetName, &MapDocument::characterSetName, &MapDocument::skyTileSetName};

// The entries of a column that differ between `before` and `now`.
template <class Entries, class T>
void diff(Entries& out, const std::vector<T>& before, const std::vector<T>& now) {
  const std::size_t n = std::min(before.size(), now.size());
  for (std::size_t i = 0; i < n; ++i)
    if (!(before[i] == now[i])) out.push_back({static_cast<int>(i), before[i], now[i]});
}

// Writes the entries' values back where the column still has them.
template <class Entries, class T>
void putEntries(const Entries& entries, std::vector<T>& column, bool after) {
  for (const auto& e : entries)
    if (e.index >= 0 && static_cast<std::size_t>(e.index) < column.size())
      column[static_cast<std::size_t>(e.index)] = after ? e.after : e.before;
}

template <class Entries>
std::size_t bytesOf(const Entries& entries) {
  return entries.capacity() * sizeof(typename Entries::value_type);
}

// The cells of a whole layer that differ (the dialog may cut and grow the map back).
CellPatch layerPatch(LayerKind kind, const TileLayer& before, const TileLayer& now) {
  ChangedCells changes;
  for (int r = 0; r < kGridSize; ++r) {
    const TileCode* a = before.row(r);
    const TileCode* b = now.row(r);
    for (int c = 0; c < kGridSize; ++c)
      if (!(a[c] == b[c])) changes.add(r, c);
  }
  return CellPatch::of(kind, now, changes, before);
}

}  // namespace

PropertiesChange::Fields PropertiesChange::fieldsOf(const MapDocument& map) {
  Fields f;
  for (std::size_t i = 0; i < kNumbers.size(); ++i) f.numbers[i] = map.*kNumbers[i];
  for (std::size_t i = 0; i < kNames.size(); ++i) f.names[i] = map.*kNames[i];
  return f;
}

void PropertiesChange::setFields(MapDocument& map, const Fields& f) {
  for (std::size_t i = 0; i < kNumbers.size(); ++i) map.*kNumbers[i] = f.numbers[i];
  for (std::size_t i = 0; i < kNames.size(); ++i) map.*kNames[i] = f.names[i];
}

PropertiesChange PropertiesChange::between(const PropertiesSnapshot& before, const MapDocument& map,
                                           const data::ProjectDatabase& db) {
  PropertiesChange change;
  change.before_ = fieldsOf(before.map);
  change.after_ = fieldsOf(map);
  diff(change.visited_, before.visited, db.scenery.visited);
  diff(change.town_, before.town, db.scenery.town);
  diff(change.battleBackground_, before.battleBackground, db.scenery.battleBackground);
  diff(change.distantView_, before.distantView, db.scenery.distantView);
  diff(change.mapNames_, before.mapNames, db.maps.name);
  diff(change.mapEnemies_, before.mapEnemies, db.maps.enemy);
  for (LayerKind kind : {LayerKind::Ground, LayerKind::Sky}) {
    const bool sky = kind == LayerKind::Sky;
    CellPatch patch = layerPatch(kind, sky ? before.map.sky : before.map.ground, sky ? map.sky : map.ground);
    if (!patch.empty()) change.cells_.push_back(std::move(patch));
  }
  return change;
}

bool PropertiesChange::empty() const {
  return before_ == after_ && visited_.empty() && town_.empty() && battleBackground_.empty() &&
         distantView_.empty() && mapNames_.empty() && mapEnemies_.empty() && cells_.empty();
}

LayerChanges PropertiesChange::put(MapDocument& map, data::ProjectDatabase& db, bool after) const {
  setFields(map, after ? after_ : before_);
  putEntries(visited_, db.scenery.visited, after);
  putEntries(town_, db.scenery.town, after);
  putEntries(battleBackground_, db.scenery.battleBackground, after);
  putEntries(distantView_, db.scenery.distantView, after);
  putEntries(mapNames_, db.maps.name, after);
  putEntries(mapEnemies_, db.maps.enemy, after);
  LayerChanges changes;
  for (const CellPatch& patch : cells_) {
    TileLayer& layer = patch.layer() == LayerKind::Sky ? map.sky : map.ground;
    changes.add(patch.layer(), after ? patch.applyAfter(layer) : patch.applyBefore(layer));
  }
  map.modified = true;
  return changes;
}

std::size_t PropertiesChange::bytes() const {
  std::size_t n = sizeof(PropertiesChange) + bytesOf(visited_) + bytesOf(town_) + bytesOf(battleBackground_) +
                  bytesOf(distantView_) + bytesOf(mapNames_) + bytesOf(mapEnemies_);
  for (const CellPatch& patch : cells_) n += patch.bytes();
  return n;
}

}  // namespace quillane::map
