#pragma once
// What the flag dialog shows about maps and their events: map names, and for any map
// the message and command texts of its events' script lines. The open map's events
// come from memory; another map's events are read on their own through a reader that
// never touches the open map, once per map for the life of the dialog.
#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "core/event/event_model.h"

namespace quillane::event {

// The script of one event, up to and including its end marker line (a flag may point
// at the end marker: the event then has nothing more to say).
using EventScript = std::vector<ScriptLine>;

class FlagEventSource {
 public:
  // Reads another map's event list; an empty optional when the map has no readable
  // event file.
  using Reader = std::function<std::optional<MapEvents>(int map)>;

  // `mapNames[m]` is the name of map m; their number is the project's map count.
  FlagEventSource(int openMap, const MapEvents& openEvents, std::vector<Bytes> mapNames, Reader reader);

  int openMap() const { return openMap_; }
  int mapCount() const { return static_cast<int>(mapNames_.size()); }
  // The name of map m; empty for a number outside the project's maps.
  Bytes mapName(int map) const;

  // The events 0..last of map m (empty for a map without events or without files).
  const std::vector<EventScript>& events(int map);
  // Line `line` of event `event` of map m; blank texts when there is no such line.
  ScriptLine line(int map, int event, int line);

 private:
  int openMap_;
  const MapEvents& openEvents_;
  std::vector<Bytes> mapNames_;
  Reader reader_;
  std::map<int, std::vector<EventScript>> cache_;
};

// The scripts of events 0..lastNumber, each cut after its end marker line.
std::vector<EventScript> scriptsOf(const MapEvents& events);

}  // namespace quillane::event
