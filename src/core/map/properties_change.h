#pragma once
// What one session of the map-properties dialog changed, as a step of the edit
// history: the open map's settings and names, the database entries the dialog writes
// (map names and enemy kinds, town and visited flags, battle backgrounds and distant
// views; only the entries that changed), and the cells of both layers that changed.
// A change of the map's size is no step: it clears the history.
#include <array>
#include <vector>

#include "core/data/project_database.h"
#include "core/map/cell_patch.h"
#include "core/map/map_document.h"
#include "core/map/map_properties.h"

namespace quillane::map {

// The cells an undo or redo changed, per layer.
struct LayerChanges {
  ChangedCells ground;
  ChangedCells sky;
  void add(LayerKind layer, const ChangedCells& cells) {
    auto& to = layer == LayerKind::Sky ? sky.spans : ground.spans;
    to.insert(to.end(), cells.spans.begin(), cells.spans.end());
  }
};

class PropertiesChange {
 public:
  // The change from `before` (taken when the dialog opened) to the map and database now.
  static PropertiesChange between(const PropertiesSnapshot& before, const MapDocument& map,
                                  const data::ProjectDatabase& db);

  bool empty() const;
  // Puts back the values from before (undo) or after (redo); marks the map modified.
  LayerChanges undo(MapDocument& map, data::ProjectDatabase& db) const { return put(map, db, false); }
  LayerChanges redo(MapDocument& map, data::ProjectDatabase& db) const { return put(map, db, true); }
  std::size_t bytes() const;

 private:
  template <class T>
  struct Entry {
    int index;
    T before;
    T after;
  };
  template <class T>
  using Entries = std::vector<Entry<T>>;

  // The map's settings and names, each listed once (see properties_change.cpp).
  struct Fields {
    std::array<int, 15> numbers{};
    std::array<Bytes, 4> names;
    friend bool operator==(const Fields&, const Fields&) = default;
  };
  static Fields fieldsOf(const MapDocument& map);
  static void setFields(MapDocument& map, const Fields& fields);

  LayerChanges put(MapDocument& map, data::ProjectDatabase& db, bool after) const;

  Fields before_, after_;
  Entries<float> visited_, town_;
  Entries<Bytes> battleBackground_, distantView_, mapNames_;
  Entries<std::array<float, 6>> mapEnemies_;
  std::vector<CellPatch> cells_;
};

}  // namespace quillane::map
