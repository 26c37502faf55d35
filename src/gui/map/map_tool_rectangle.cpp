#include "gui/map/map_tool_rectangle.h"

#include "core/map/map_document.h"
#include "core/map/recorded_edits.h"
#include "gui/app/workspace.h"
#include "gui/map/canvas_host.h"

namespace quillane::gui {

void RectangleTool::activate(CanvasHost& host) {
  state_.undo.snapshot(host.workspace().map->ground);
  second_ = false;
}

void RectangleTool::deactivate(CanvasHost& host) {
  second_ = false;
  host.refreshView();
}

void RectangleTool::leftPress(CanvasHost& host, const CanvasPoint& at) {
  map::MapDocument& doc = *host.workspace().map;
  if (!second_) {
    // Each rectangle is undoable on its own: the snapshot is the ground before it (taken
    // here, not right after the previous rectangle, which would leave nothing to undo).
    state_.undo.snapshot(doc.ground);
    first_ = {at.row, at.column};
    second_ = true;
    host.refreshView();
    return;
  }
  const bool split = host.workspace().splitMapChips();
  map::TileCode code = map::anchorCode(paletteSelection(host), paletteState(host), map::LayerKind::Ground, split);
  map::ChangedCells changes =
      map::recordedRectangle(state_.history, doc.ground, extentOf(doc), first_, {at.row, at.column}, code);
  second_ = false;
  showChanges(host, changes);
  host.refreshView();
}

void RectangleTool::paintOverlay(CanvasHost& host, QPainter& painter, double cell) {
  if (second_) drawCellFrame(painter, view_, cell, first_.row, first_.col);
}

}  // namespace quillane::gui
