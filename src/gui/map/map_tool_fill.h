#pragma once
// "塗潰": each left click on the map fills the 4-connected region of the clicked
// ground code with the palette's anchor tile. The fill takes no undo snapshot.
#include "gui/map/map_tool_common.h"

namespace quillane::gui {

class FillTool : public MapModeTool {
 public:
  QString name() const override { return QStringLiteral("塗潰"); }

 protected:
  void leftPress(CanvasHost& host, const CanvasPoint& at) override;
};

}  // namespace quillane::gui
