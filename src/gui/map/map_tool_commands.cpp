#include "gui/map/map_tool_commands.h"

#include <memory>

#include "core/map/map_document.h"
#include "gui/app/main_window.h"
#include "gui/app/mode_registry.h"
#include "gui/app/workspace.h"
#include "gui/map/map_properties_dialog.h"
#include "gui/map/map_tool_copy.h"
#include "gui/map/map_tool_fill.h"
#include "gui/map/map_tool_passability.h"
#include "gui/map/map_tool_pen.h"
#include "gui/map/map_tool_rectangle.h"
#include "gui/map/tile_sheets.h"
#include "gui/ui/message_box.h"

namespace quillane::gui {

namespace {

using app::ModeContext;

// The tools that commands switch to, made once the window's view exists.
struct MapTools {
  MapPaintState state;
  std::unique_ptr<CopyTool> copy;
  std::unique_ptr<RectangleTool> rectangle;
  FillTool fill;

  void make(ModeContext& c) {
    if (copy) return;
    copy = std::make_unique<CopyTool>(state, c.window.view());
    rectangle = std::make_unique<RectangleTool>(state, c.window.view());
  }
  bool owns(const CanvasTool* tool) const {
    return tool && (tool == copy.get() || tool == rectangle.get() || tool == &fill);
  }
  // The open map changed (opened, created, imported, resized): the undo buffer holds
  // its ground, the copy and paste state ends.
  void follow(ModeContext& c) {
    if (c.workspace.map) state.undo.snapshot(c.workspace.map->ground);
    state.copy.clear();
    state.copyImage = QImage();
    if (owns(c.host.tool())) c.host.setTool(nullptr);
  }
};

// Starts a tool afresh, also when it is already current.
void startTool(ModeContext& c, CanvasTool* tool) {
  c.host.setTool(nullptr);
  c.host.setTool(tool);
}

void togglePassability(ModeContext& c, MapTools& tools) {
  app::Workspace& ws = c.workspace;
  MapCanvas& canvas = c.host.canvas();
  tools.state.passability = !tools.state.passability;
  if (tools.state.passability)
    markPassability(canvas.sheets().work, canvas.symbols(), ws.splitMapChips());
  else
    canvas.sheets().loadGround(ws.projectFolder, *ws.map, ws.splitMapChips());  // shown at load already
  c.host.rebuildCanvas();
  c.host.refreshPalette();
}

void openProperties(ModeContext& c, MapTools& tools) {
  app::Workspace& ws = c.workspace;
  c.host.setTool(nullptr);
  MapPropertiesOutcome outcome = runMapProperties(
      &c.window, {ws.projectFolder, *ws.map, ws.mapIndex, ws.db, ws.sound(), [&c] {
                    // The window behind the dialog shows the applied size, marker and names.
                    c.host.rebuildCanvas();
                    c.host.refreshStatus();
                    c.host.refreshPalette();
                  }});
  if (outcome.accepted) ws.databaseModified = true;
  MapCanvas& canvas = c.host.canvas();
  if (outcome.bitmapsChanged()) {
    const QStringList messages = canvas.sheets().load(ws.projectFolder, *ws.map, ws.splitMapChips(), ws.characterLook());
    if (tools.state.passability) markPassability(canvas.sheets().work, canvas.symbols(), ws.splitMapChips());
    for (const QString& text : messages)
      ui::messageBox(text, bitmapErrorTitle(), ui::Buttons::Ok, ui::Icon::Exclamation);
  }
  if (outcome.sizeChanged) tools.follow(c);
  c.host.rebuildCanvas();
  c.host.refreshPalette();
  c.host.refreshStatus();
  c.window.updateButtons();
}

void undo(ModeContext& c, MapTools& tools) {
  c.host.setTool(nullptr);
  map::MapDocument& doc = *c.workspace.map;
  showChanges(c.host, tools.state.undo.undo(doc.ground, extentOf(doc)));
}

}  // namespace

void registerMapTools(app::ModeRegistry& registry) {
  auto tools = std::make_shared<MapTools>();
  auto pen = [tools](ModeContext&) -> std::unique_ptr<CanvasTool> {
    return std::make_unique<PenTool>(tools->state);
  };
  registry.canvasTool(kGroundMode, pen);
  registry.canvasTool(kSkyMode, pen);

  const std::set<int> ground{kGroundMode};
  const std::set<int> canvasModes{kGroundMode, kEventMode, kSkyMode};
  registry.mapCommand(QStringLiteral("COP"), ground, [tools](ModeContext& c) {
    tools->make(c);
    startTool(c, tools->copy.get());
  });
  registry.mapCommand(QStringLiteral("FUL"), ground, [tools](ModeContext& c) {
    tools->make(c);
    startTool(c, tools->rectangle.get());
  });
  registry.mapCommand(QStringLiteral("PNT"), ground, [tools](ModeContext& c) { startTool(c, &tools->fill); });
  registry.mapCommand(QStringLiteral("UND"), ground, [tools](ModeContext& c) { undo(c, *tools); });
  registry.mapCommand(QStringLiteral("PRT"), canvasModes, [tools](ModeContext& c) { togglePassability(c, *tools); });
  registry.mapCommand(QStringLiteral("1"), canvasModes, [tools](ModeContext& c) { openProperties(c, *tools); });
  registry.onMapChanged([tools](ModeContext& c) {
    tools->state.passability = false;  // the bitmaps were loaded anew
    tools->follow(c);
  });
}

}  // namespace quillane::gui
