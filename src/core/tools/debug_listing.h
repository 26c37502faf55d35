#pragma once
// What the debug dialog lists: every event of a map with the message of its line 0 and
// of the line its flag points at, and the lines a flag can point at. Lines past an
// event's end marker read "99", as the listing copy holds lines 0..100 preset to it.
#include <vector>

#include "core/event/flag_event_source.h"
#include "core/tools/event_flags.h"

namespace quillane::tools {

using text::Bytes;

// The message text of line `line` of event `event` of map `map` ("99" past its end).
Bytes listedMessage(event::FlagEventSource& source, int map, int event, int line);

// " i:" message 0 " ■ " " f:" message f, for events 0..last of the map.
std::vector<Bytes> eventListLines(event::FlagEventSource& source, int map, const EventFlags& flags);

// " k:" message k for the lines 0..end marker of the event.
std::vector<Bytes> flagLines(event::FlagEventSource& source, int map, int event);
// " f:" message f: what the flag box shows for the current flag.
Bytes flagText(event::FlagEventSource& source, int map, int event, int flag);

}  // namespace quillane::tools
