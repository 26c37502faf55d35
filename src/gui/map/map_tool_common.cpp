#include "gui/map/map_tool_common.h"

#include <QPainter>

#include "core/map/map_document.h"
#include "gui/app/workspace.h"
#include "gui/map/canvas_host.h"
#include "gui/map/map_canvas.h"
#include "gui/map/map_view.h"
#include "gui/map/palette_view.h"

namespace quillane::gui {

map::LayerKind paintedLayer(const CanvasHost& host) {
  return host.mode() == kSkyMode ? map::LayerKind::Sky : map::LayerKind::Ground;
}

map::TileLayer& layerOf(CanvasHost& host, map::LayerKind layer) {
  map::MapDocument& doc = *host.workspace().map;
  return layer == map::LayerKind::Sky ? doc.sky : doc.ground;
}

map::MapExtent extentOf(const map::MapDocument& doc) { return {doc.width, doc.height}; }

map::PaletteView paletteState(CanvasHost& host) {
  PaletteView& palette = host.palette();
  map::PaletteView view;
  view.scrollCol = palette.scrollColumn();
  view.scrollRow = palette.scrollRow();
  view.bank = host.workspace().splitMapChips() ? palette.bank() : 1;
  return view;
}

map::PaletteSelection paletteSelection(CanvasHost& host) {
  PaletteView& palette = host.palette();
  return {{palette.anchor().y(), palette.anchor().x()}, {palette.corner().y(), palette.corner().x()}};
}

void pickTile(CanvasHost& host, const CanvasPoint& at) {
  if (!at.actsOnMap()) return;
  const map::LayerKind layer = paintedLayer(host);
  const map::TileCode code = layerOf(host, layer).at(at.row, at.column);
  const bool split = host.workspace().splitMapChips();
  auto picked = map::pickTile(code, layer, split, paletteState(host));
  if (!picked) return;
  PaletteView& palette = host.palette();
  if (layer == map::LayerKind::Ground && split) palette.setBank(picked->view.bank);
  palette.setScroll(picked->view.scrollCol, picked->view.scrollRow);
  const auto& sel = picked->selection;
  palette.setSelection(QPoint(sel.anchor.col, sel.anchor.row), QPoint(sel.corner.col, sel.corner.row));
  host.refreshPalette();
}

void showChanges(CanvasHost& host, const map::ChangedCells& changes) {
  if (changes.empty()) return;
  host.canvas().drawCells(changes);
  host.markMapModified();
  host.refreshView();
}

void drawCellFrame(QPainter& painter, const MapView& view, double cell, int row, int column) {
  const double x = (column - view.scrollColumn()) * cell;
  const double y = (row - view.scrollRow()) * cell;
  painter.save();
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(QColor(255, 48, 48), 2));
  painter.drawRect(QRectF(x + 1, y + 1, cell - 2, cell - 2));
  painter.restore();
}

void MapModeTool::press(CanvasHost& host, const CanvasPoint& at) {
  if (at.button == Qt::RightButton) {
    pickTile(host, at);
    return;
  }
  if (at.button == Qt::LeftButton && at.actsOnMap()) leftPress(host, at);
}

}  // namespace quillane::gui
