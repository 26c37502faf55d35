#include "core/tools/debug_listing.h"

#include <string>

namespace quillane::tools {

namespace {
Bytes number(int n) { return " " + std::to_string(n); }
}  // namespace

Bytes listedMessage(event::FlagEventSource& source, int map, int event, int line) {
  const std::vector<event::EventScript>& events = source.events(map);
  if (event < 0 || event >= static_cast<int>(events.size())) return event::kEndMarker;
  const event::EventScript& script = events[static_cast<std::size_t>(event)];
  if (line < 0 || line >= static_cast<int>(script.size())) return event::kEndMarker;
  return script[static_cast<std::size_t>(line)].message;
}

std::vector<Bytes> eventListLines(event::FlagEventSource& source, int map, const EventFlags& flags) {
  std::vector<Bytes> lines;
  const int count = static_cast<int>(source.events(map).size());
  const Bytes mark = text::sj(" ■ ");
  for (int e = 0; e < count; ++e) {
    const int f = flags.get(map, e);
    lines.push_back(number(e) + ":" + listedMessage(source, map, e, 0) + mark + number(f) + ":" +
                    listedMessage(source, map, e, f));
  }
  return lines;
}

std::vector<Bytes> flagLines(event::FlagEventSource& source, int map, int event) {
  std::vector<Bytes> lines;
  const std::vector<event::EventScript>& events = source.events(map);
  if (event < 0 || event >= static_cast<int>(events.size())) return lines;
  const event::EventScript& script = events[static_cast<std::size_t>(event)];
  for (int k = 0; k < static_cast<int>(script.size()); ++k)
    lines.push_back(number(k) + ":" + script[static_cast<std::size_t>(k)].message);
  return lines;
}

Bytes flagText(event::FlagEventSource& source, int map, int event, int flag) {
  return number(flag) + ":" + listedMessage(source, map, event, flag);
}

}  // namespace quillane::tools
