#pragma once
// "複写": two left clicks mark the corners of a block of the ground layer (each framed);
// the block's codes and picture are taken, and from then on the picture follows the
// mouse and every left click pastes the block there, until another command ends it.
#include <optional>

#include "gui/map/map_tool_common.h"

namespace quillane::gui {

class CopyTool : public MapModeTool {
 public:
  CopyTool(MapPaintState& state, const MapView& view) : state_(state), view_(view) {}

  void activate(CanvasHost& host) override;
  void deactivate(CanvasHost& host) override;
  void move(CanvasHost& host, const CanvasPoint& at) override;
  void paintOverlay(CanvasHost& host, QPainter& painter, double cell) override;
  QString name() const override { return QStringLiteral("複写"); }

  bool pasting() const { return step_ == Step::Paste; }

 protected:
  void leftPress(CanvasHost& host, const CanvasPoint& at) override;

 private:
  enum class Step { First, Second, Paste };
  MapPaintState& state_;
  const MapView& view_;
  Step step_ = Step::First;
  map::CellPos first_;
  std::optional<map::CellPos> hover_;  // the cell under the mouse while pasting
};

}  // namespace quillane::gui
