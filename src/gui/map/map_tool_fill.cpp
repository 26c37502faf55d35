#include "gui/map/map_tool_fill.h"

#include "core/map/map_document.h"
#include "core/map/recorded_edits.h"
#include "gui/app/workspace.h"
#include "gui/map/canvas_host.h"

namespace quillane::gui {

void FillTool::leftPress(CanvasHost& host, const CanvasPoint& at) {
  map::MapDocument& doc = *host.workspace().map;
  const bool split = host.workspace().splitMapChips();
  map::TileCode code = map::anchorCode(paletteSelection(host), paletteState(host), map::LayerKind::Ground, split);
  showChanges(host,
              map::recordedFill(state_.history, doc.ground, extentOf(doc), {at.row, at.column}, code, scratch_));
}

}  // namespace quillane::gui
