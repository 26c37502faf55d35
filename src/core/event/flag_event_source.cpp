#include "core/event/flag_event_source.h"

#include <algorithm>

#include "core/event/script_editing.h"

namespace quillane::event {

FlagEventSource::FlagEventSource(int openMap, const MapEvents& openEvents, std::vector<Bytes> mapNames,
                                 Reader reader)
    : openMap_(openMap), openEvents_(openEvents), mapNames_(std::move(mapNames)), reader_(std::move(reader)) {}

Bytes FlagEventSource::mapName(int map) const {
  if (map < 0 || map >= mapCount()) return {};
  return mapNames_[static_cast<std::size_t>(map)];
}

const std::vector<EventScript>& FlagEventSource::events(int map) {
  auto found = cache_.find(map);
  if (found != cache_.end()) return found->second;
  std::vector<EventScript> scripts;
  if (map == openMap_) {
    scripts = scriptsOf(openEvents_);
  } else if (map >= 0 && map < mapCount() && reader_) {
    // Only the texts are kept: a whole event list with its grid is several megabytes.
    if (std::optional<MapEvents> read = reader_(map)) scripts = scriptsOf(*read);
  }
  return cache_.emplace(map, std::move(scripts)).first->second;
}

ScriptLine FlagEventSource::line(int map, int event, int line) {
  const std::vector<EventScript>& list = events(map);
  if (event < 0 || event >= static_cast<int>(list.size())) return {};
  const EventScript& script = list[static_cast<std::size_t>(event)];
  if (line < 0 || line >= static_cast<int>(script.size())) return {};
  return script[static_cast<std::size_t>(line)];
}

std::vector<EventScript> scriptsOf(const MapEvents& events) {
  std::vector<EventScript> scripts;
  int last = std::min(events.lastNumber, static_cast<int>(events.records.size()) - 1);
  for (int e = 0; e <= last; ++e) {
    EventScript script;
    for (const ScriptLine& l : events.records[static_cast<std::size_t>(e)].lines) {
      script.push_back(l);
      if (isEndMarker(l)) break;
    }
    scripts.push_back(std::move(script));
  }
  return scripts;
}

}  // namespace quillane::event
