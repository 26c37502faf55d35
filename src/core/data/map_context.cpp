#include "core/data/map_context.h"

namespace quillane::data {

map::MapFileContext mapContext(const ProjectDatabase& db) {
  map::MapFileContext c;
  c.keys = db.hidden.keys;
  c.splitChips = db.initial.splitMapChips();
  c.eventsPerMap = db.max.events;
  c.messageCount = db.max.messages;
  return c;
}

}  // namespace quillane::data
