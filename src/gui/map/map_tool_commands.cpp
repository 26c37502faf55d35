#include "gui/map/map_tool_commands.h"

#include <memory>
#include <tuple>

#include "core/map/map_document.h"
#include "core/map/map_properties.h"
#include "core/map/recorded_edits.h"
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
#include "gui/ui/text_bridge.h"

namespace quillane::gui {

namespace {

using app::ModeContext;

// The tools that commands switch to, made once the window's view exists.
struct MapTools {
  MapPaintState state;
  std::unique_ptr<CopyTool> copy;
  std::unique_ptr<RectangleTool> rectangle;
  FillTool fill{state};

  void make(ModeContext& c) {
    if (copy) return;
    copy = std::make_unique<CopyTool>(state, c.window.view());
    rectangle = std::make_unique<RectangleTool>(state, c.window.view());
  }
  bool owns(const CanvasTool* tool) const {
    return tool && (tool == copy.get() || tool == rectangle.get() || tool == &fill);
  }
  // The open map changed (opened, created, imported, resized): the undo buffer holds
  // its ground, the history starts afresh, the copy and paste state ends.
  void follow(ModeContext& c) {
    if (c.workspace.map) state.undo.snapshot(c.workspace.map->ground);
    state.history.clear();
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

// After the map's settings changed (the dialog, or undoing or redoing its step): the
// bitmaps whose names changed are loaded again, the canvas, palette and status follow.
void showSettingsChanged(ModeContext& c, MapTools& tools, bool bitmapsChanged) {
  app::Workspace& ws = c.workspace;
  MapCanvas& canvas = c.host.canvas();
  if (bitmapsChanged) {
    const QStringList messages = canvas.sheets().load(ws.projectFolder, *ws.map, ws.splitMapChips(), ws.characterLook());
    if (tools.state.passability) markPassability(canvas.sheets().work, canvas.symbols(), ws.splitMapChips());
    for (const QString& text : messages)
      ui::messageBox(text, bitmapErrorTitle(), ui::Buttons::Ok, ui::Icon::Exclamation);
  }
  c.host.rebuildCanvas();
  c.host.refreshPalette();
  c.host.refreshStatus();
}

void openProperties(ModeContext& c, MapTools& tools) {
  app::Workspace& ws = c.workspace;
  c.host.setTool(nullptr);
  const map::PropertiesSnapshot before = map::takeSnapshot(*ws.map, ws.db);
  MapPropertiesOutcome outcome = runMapProperties(
      &c.window, {ws.projectFolder, *ws.map, ws.mapIndex, ws.db, ws.sound(), [&c] {
                    // The window behind the dialog shows the applied size, marker and names.
                    c.host.rebuildCanvas();
                    c.host.refreshStatus();
                    c.host.refreshPalette();
                  }});
  if (outcome.accepted) ws.databaseModified = true;
  // A new size starts the history afresh, as it sets the undo buffer; other changes are
  // one step.
  if (outcome.sizeChanged)
    tools.follow(c);
  else
    map::recordProperties(tools.state.history, before, *ws.map, ws.db);
  showSettingsChanged(c, tools, outcome.bitmapsChanged());
  c.window.updateButtons();
}

void undo(ModeContext& c, MapTools& tools) {
  c.host.setTool(nullptr);
  map::MapDocument& doc = *c.workspace.map;
  showChanges(c.host, map::recordedSwap(tools.state.history, tools.state.undo, doc.ground, extentOf(doc)));
}

// Ctrl+Z / Ctrl+Shift+Z, Ctrl+Y: one step of the history back or forward. The current
// tool stays (a fill can be undone and the next one made at once).
void stepHistory(ModeContext& c, MapTools& tools, bool forward) {
  app::Workspace& ws = c.workspace;
  map::MapDocument& doc = *ws.map;
  const auto names = [&doc] { return std::tuple(doc.tileSetName, doc.skyTileSetName, doc.characterSetName); };
  const auto namesBefore = names();
  auto result = forward ? tools.state.history.redo(doc, ws.db) : tools.state.history.undo(doc, ws.db);
  if (!result) return;
  if (result->properties) {
    ws.databaseModified = true;
    showSettingsChanged(c, tools, names() != namesBefore);
  } else {
    c.host.canvas().drawCells(result->cells.ground);
    c.host.canvas().drawCells(result->cells.sky);
  }
  c.host.markMapModified();
  c.host.refreshView();
}

// The history buttons: enabled when there is a step, the step's name in the tool tip.
app::CommandState historyState(const MapTools& tools, bool forward) {
  const map::EditHistory& h = tools.state.history;
  const auto kind = forward ? h.redoKind() : h.undoKind();
  app::CommandState state;
  state.enabled = kind.has_value();
  const QString keys = forward ? QStringLiteral("Ctrl+Shift+Z / Ctrl+Y") : QStringLiteral("Ctrl+Z");
  const QString what = forward ? QStringLiteral("やり直し") : QStringLiteral("元に戻す");
  state.toolTip = kind ? QStringLiteral("%1: %2 (%3)").arg(what, ui::toQString(map::editName(*kind)), keys)
                       : QStringLiteral("%1 (%2)").arg(what, keys);
  return state;
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
  registry.mapCommand(
      QStringLiteral("UDO"), canvasModes, [tools](ModeContext& c) { stepHistory(c, *tools, false); },
      [tools] { return historyState(*tools, false); });
  registry.mapCommand(
      QStringLiteral("RDO"), canvasModes, [tools](ModeContext& c) { stepHistory(c, *tools, true); },
      [tools] { return historyState(*tools, true); });
  registry.mapCommand(QStringLiteral("PRT"), canvasModes, [tools](ModeContext& c) { togglePassability(c, *tools); });
  registry.mapCommand(QStringLiteral("1"), canvasModes, [tools](ModeContext& c) { openProperties(c, *tools); });
  registry.onMapChanged([tools](ModeContext& c) {
    tools->state.passability = false;  // the bitmaps were loaded anew
    tools->follow(c);
  });
}

}  // namespace quillane::gui
