#pragma once
// "四角": two left clicks mark the corners (each framed) and every ground cell between
// them gets the palette's anchor tile; then the next rectangle starts. Each rectangle
// takes the undo snapshot at its first corner.
#include "gui/map/map_tool_common.h"

namespace quillane::gui {

class RectangleTool : public MapModeTool {
 public:
  RectangleTool(MapPaintState& state, const MapView& view) : state_(state), view_(view) {}

  void activate(CanvasHost& host) override;
  void deactivate(CanvasHost& host) override;
  void paintOverlay(CanvasHost& host, QPainter& painter, double cell) override;
  QString name() const override { return QStringLiteral("四角"); }

 protected:
  void leftPress(CanvasHost& host, const CanvasPoint& at) override;

 private:
  MapPaintState& state_;
  const MapView& view_;
  bool second_ = false;  // the first corner is marked
  map::CellPos first_;
};

}  // namespace quillane::gui
