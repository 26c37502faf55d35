#pragma once
// What the painting tools of the map modes share: the undo buffer, the edit history and
// the copy buffer of the open map, the passability display flag, and small helpers that
// read the palette, pick a tile from the map and show the cells a tool changed.
#include <QImage>
#include <QPoint>

#include "core/map/paint_tools.h"
#include "core/map/edit_history.h"
#include "core/map/palette.h"
#include "core/map/undo_buffer.h"
#include "gui/map/canvas_tool.h"

class QPainter;

namespace quillane::map {
struct MapDocument;
}

namespace quillane::gui {

class CanvasHost;
class MapView;

struct MapPaintState {
  map::UndoBuffer undo;        // the ground layer before the last stroke, copy or rectangle
  map::EditHistory history;    // every edit of the open map, for undo and redo
  map::CopyBuffer copy;        // the block "複写" took
  QImage copyImage;            // its picture, cut from the canvas
  bool passability = false;    // "表示" marks the tiles with their passability class
};

// The layer the current mode paints: the sky in sky map mode, else the ground.
map::LayerKind paintedLayer(const CanvasHost& host);
map::TileLayer& layerOf(CanvasHost& host, map::LayerKind layer);
map::MapExtent extentOf(const map::MapDocument& doc);

// The palette's scroll, bank and frame as the core reads them.
map::PaletteView paletteState(CanvasHost& host);
map::PaletteSelection paletteSelection(CanvasHost& host);

// The tile picker: the palette selects the tile of the code under a right press.
void pickTile(CanvasHost& host, const CanvasPoint& at);

// Redraws the changed cells into the canvas and refreshes the view; marks the map
// modified when anything changed.
void showChanges(CanvasHost& host, const map::ChangedCells& changes);

// A frame around map cell (row, column) in view coordinates.
void drawCellFrame(QPainter& painter, const MapView& view, double cell, int row, int column);

// The base of the map-mode tools: a right press on the map picks a tile.
class MapModeTool : public CanvasTool {
 public:
  void press(CanvasHost& host, const CanvasPoint& at) override;

 protected:
  virtual void leftPress(CanvasHost& host, const CanvasPoint& at) = 0;
};

}  // namespace quillane::gui
