#pragma once
// The whole open map at full size, one 32 × 32 square per cell, kept as an image. Only
// changed cells are redrawn into it; the map view shows a scaled copy of part of it, so
// scrolling and zooming never redraw tiles.
#include <QImage>
#include <QRect>
#include <vector>

#include "core/map/cell_changes.h"
#include "gui/map/symbol_sheet.h"
#include "gui/map/tile_sheets.h"

namespace quillane::map {
struct MapDocument;
class TileCode;
}  // namespace quillane::map

namespace quillane::gui {

inline constexpr int kTile = 32;

// Draws something over a cell after its tiles (the events standing there, markers).
class CellDecorator {
 public:
  virtual ~CellDecorator() = default;
  virtual void decorate(QImage& canvas, int row, int column) = 0;
};

class MapCanvas {
 public:
  MapCanvas();

  TileSheets& sheets() { return sheets_; }
  const TileSheets& sheets() const { return sheets_; }
  SymbolSheet& symbols() { return symbols_; }

  // The map drawn (not owned; null: an empty canvas) and how its codes read.
  void setDocument(map::MapDocument* doc, bool splitChips);
  const map::MapDocument* document() const { return doc_; }
  bool splitChips() const { return split_; }
  // Sky map mode draws the dimmed ground with the sky tiles over it.
  void setSkyMode(bool sky) { sky_ = sky; }
  bool skyMode() const { return sky_; }
  // Whether the sky mode dims the ground (the editor's view does; a picture of the map
  // as it will look may not).
  void setSkyDimmed(bool dimmed) { skyDimmed_ = dimmed; }
  // Whether the start marker is drawn (not in every mode).
  void setStartMarkerShown(bool shown) { markerShown_ = shown; }

  // Creates the image (width × 32, height × 32) and draws every cell and the marker.
  void build();
  // Redraws one cell (tiles, decorations, the marker when it stands there).
  void drawCell(int row, int column);
  // Redraws the cells a tool changed, then the start marker.
  void drawCells(const map::ChangedCells& cells);
  // Redraws the previous marker cell, corrects the adds (marking the map modified when
  // they change) and draws the marker at the start cell.
  void updateStartMarker();

  const QImage& image() const { return image_; }
  int columns() const { return columns_; }
  int rows() const { return rows_; }

  void addDecorator(CellDecorator* decorator) { decorators_.push_back(decorator); }
  void removeDecorator(CellDecorator* decorator);

  // Where a code's tile lies in the work bitmap (ground) or the sky bitmap.
  static QRect groundSource(const map::TileCode& code, bool splitChips);
  static QRect skySource(const map::TileCode& code);


 private:
  void paintCell(int row, int column);

  TileSheets sheets_;
  SymbolSheet symbols_;
  map::MapDocument* doc_ = nullptr;
  bool split_ = false;
  bool sky_ = false;
  bool skyDimmed_ = true;
  bool markerShown_ = true;
  QImage image_;
  QImage scratch_;
  int columns_ = 0;
  int rows_ = 0;
  int markerColumn_ = -1;
  int markerRow_ = -1;
  std::vector<CellDecorator*> decorators_;
};

}  // namespace quillane::gui
