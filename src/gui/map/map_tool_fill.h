#pragma once
// "塗潰": each left click on the map fills the 4-connected region of the clicked
// ground code with the palette's anchor tile. The fill takes no undo snapshot; each fill
// is a step of the edit history.
#include "gui/map/map_tool_common.h"

namespace quillane::gui {

class FillTool : public MapModeTool {
 public:
  explicit FillTool(MapPaintState& state) : state_(state) {}
  QString name() const override { return QStringLiteral("塗潰"); }

 protected:
  void leftPress(CanvasHost& host, const CanvasPoint& at) override;

 private:
  MapPaintState& state_;
  map::FillScratch scratch_;  // the fill's working memory, kept from click to click
};

}  // namespace quillane::gui
