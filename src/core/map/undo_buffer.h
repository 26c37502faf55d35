#pragma once
// One-step undo of the ground layer: a snapshot swapped with the layer. Undoing twice
// re-applies the change.
#include "core/map/cell_changes.h"
#include "core/map/paint_tools.h"
#include "core/map/tile_layer.h"

namespace quillane::map {

class UndoBuffer {
 public:
  // Takes a copy of the layer: before a pen stroke, a copy or a rectangle, and whenever
  // a map is loaded, created, imported or resized, or the map-chip form changes.
  void snapshot(const TileLayer& layer) { saved_ = layer; }

  // Swaps the layer with the snapshot; reports the cells inside the map that differ.
  ChangedCells undo(TileLayer& layer, MapExtent extent);

  const TileLayer& saved() const { return saved_; }

 private:
  TileLayer saved_;
};

}  // namespace quillane::map
