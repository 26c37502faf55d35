#pragma once
// The pen of ground and sky map mode: a left press on the map takes the undo snapshot
// (ground) and stamps the palette brush; dragging stamps it again at each new cell. The
// stroke, press to release, is one step of the edit history.
#include <optional>

#include "gui/map/map_tool_common.h"

namespace quillane::gui {

class PenTool : public MapModeTool {
 public:
  explicit PenTool(MapPaintState& state) : state_(state) {}
  void move(CanvasHost& host, const CanvasPoint& at) override;
  void release(CanvasHost& host, const CanvasPoint& at) override;
  void deactivate(CanvasHost& host) override;

 protected:
  void leftPress(CanvasHost& host, const CanvasPoint& at) override;

 private:
  void stamp(CanvasHost& host, int row, int column);

  MapPaintState& state_;
  bool stroke_ = false;
  map::CellPos last_{-1, -1};
};

}  // namespace quillane::gui
