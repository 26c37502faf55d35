#include "core/tools/event_flags.h"

namespace quillane::tools {

void EventFlags::fit(int maps) {
  if (maps > static_cast<int>(flags_.size())) flags_.resize(static_cast<std::size_t>(maps), {});
}

int EventFlags::get(int map, int event) const {
  if (map < 0 || map >= maps() || event < 0 || event >= kFlagEvents) return 0;
  return flags_[static_cast<std::size_t>(map)][static_cast<std::size_t>(event)];
}

void EventFlags::set(int map, int event, int line) {
  if (event < 0 || event >= kFlagEvents || map < 0) return;
  fit(map + 1);
  flags_[static_cast<std::size_t>(map)][static_cast<std::size_t>(event)] = line;
}

}  // namespace quillane::tools
