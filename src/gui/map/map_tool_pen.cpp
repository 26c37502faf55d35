#include "gui/map/map_tool_pen.h"

#include "core/map/map_document.h"
#include "core/map/recorded_edits.h"
#include "gui/app/workspace.h"
#include "gui/map/canvas_host.h"

namespace quillane::gui {

void PenTool::leftPress(CanvasHost& host, const CanvasPoint& at) {
  const map::LayerKind layer = paintedLayer(host);
  if (layer == map::LayerKind::Ground) state_.undo.snapshot(host.workspace().map->ground);
  state_.history.begin(layer == map::LayerKind::Ground ? map::EditKind::Pen : map::EditKind::SkyPen);
  stroke_ = true;
  stamp(host, at.row, at.column);
}

void PenTool::move(CanvasHost& host, const CanvasPoint& at) {
  if (!stroke_ || !(at.buttons & Qt::LeftButton) || !at.insideView) return;
  if (at.row == last_.row && at.column == last_.col) return;  // the same cell: nothing new
  stamp(host, at.row, at.column);
}

void PenTool::release(CanvasHost& host, const CanvasPoint& at) {
  if (at.button != Qt::LeftButton) return;
  stroke_ = false;
  state_.history.end();
}

void PenTool::deactivate(CanvasHost& host) {
  stroke_ = false;
  state_.history.end();
}

void PenTool::stamp(CanvasHost& host, int row, int column) {
  last_ = {row, column};
  const map::LayerKind layer = paintedLayer(host);
  map::MapDocument& doc = *host.workspace().map;
  map::Brush brush = map::paletteBrush(paletteSelection(host), paletteState(host), layer,
                                       host.workspace().splitMapChips());
  showChanges(host,
              map::recordedStamp(state_.history, layerOf(host, layer), layer, extentOf(doc), brush, {row, column}));
}

}  // namespace quillane::gui
