#include "gui/app/workspace.h"

#include "core/map/map_file_names.h"

namespace quillane::app {

std::string Workspace::mapNumberText() const { return map && mapIndex >= 0 ? map::mapNumberText(mapIndex) : std::string(); }

map::MapFileContext mapFileContext(const Workspace& ws) {
  map::MapFileContext context;
  context.keys = ws.db.hidden.keys;
  context.splitChips = ws.db.initial.splitMapChips();
  context.eventsPerMap = ws.db.max.events;
  context.messageCount = ws.db.max.messages;
  return context;
}

}  // namespace quillane::app
