#include "gui/map/map_tool_copy.h"

#include <QPainter>
#include <algorithm>

#include "core/map/map_document.h"
#include "core/map/recorded_edits.h"
#include "gui/app/workspace.h"
#include "gui/map/canvas_host.h"
#include "gui/map/map_canvas.h"
#include "gui/map/map_view.h"

namespace quillane::gui {

void CopyTool::activate(CanvasHost& host) {
  state_.undo.snapshot(host.workspace().map->ground);
  step_ = Step::First;
  hover_.reset();
}

void CopyTool::deactivate(CanvasHost& host) {
  step_ = Step::First;
  hover_.reset();
  host.refreshView();
}

void CopyTool::leftPress(CanvasHost& host, const CanvasPoint& at) {
  map::MapDocument& doc = *host.workspace().map;
  const map::CellPos cell{at.row, at.column};
  switch (step_) {
    case Step::First:
      first_ = cell;
      step_ = Step::Second;
      host.refreshView();
      break;
    case Step::Second: {
      state_.copy = map::copyBlock(doc.ground, first_, cell);
      const int top = std::min(first_.row, cell.row), left = std::min(first_.col, cell.col);
      state_.copyImage = host.canvas().image().copy(left * kTile, top * kTile, state_.copy.width * kTile,
                                                    state_.copy.height * kTile);
      step_ = Step::Paste;
      hover_ = cell;
      host.refreshView();
      break;
    }
    case Step::Paste:
      if (state_.copy.empty()) return;
      showChanges(host, map::recordedPaste(state_.history, doc.ground, extentOf(doc), state_.copy, cell));
      break;
  }
}

void CopyTool::move(CanvasHost& host, const CanvasPoint& at) {
  if (step_ != Step::Paste) return;
  std::optional<map::CellPos> hover;
  if (at.insideView) hover = map::CellPos{at.row, at.column};
  if (hover != hover_) {
    hover_ = hover;
    host.refreshView();
  }
}

void CopyTool::paintOverlay(CanvasHost& host, QPainter& painter, double cell) {
  if (step_ == Step::Second) {
    drawCellFrame(painter, view_, cell, first_.row, first_.col);
    return;
  }
  if (step_ != Step::Paste || !hover_ || state_.copyImage.isNull()) return;
  const map::MapDocument& doc = *host.workspace().map;
  // The block picture at the mouse, clipped to the view and to the map.
  const QRectF mapArea(-view_.scrollColumn() * cell, -view_.scrollRow() * cell, doc.width * cell,
                       doc.height * cell);
  const QRectF viewArea(0, 0, view_.visibleColumns() * cell, view_.visibleRows() * cell);
  const QRectF target((hover_->col - view_.scrollColumn()) * cell, (hover_->row - view_.scrollRow()) * cell,
                      state_.copy.width * cell, state_.copy.height * cell);
  painter.save();
  painter.setClipRect(mapArea.intersected(viewArea));
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  painter.setOpacity(0.8);
  painter.drawImage(target, state_.copyImage);
  painter.setOpacity(1.0);
  painter.setPen(QPen(QColor(255, 48, 48), 1, Qt::DashLine));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(target.adjusted(0.5, 0.5, -0.5, -0.5));
  painter.restore();
}

}  // namespace quillane::gui
