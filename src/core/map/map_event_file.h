#pragma once
// The map event file DAT\BZENT<nnn>.DAT: the events with their scripts, the bare
// "99" + CR LF that ends the list, ten fillers, and the object table.
#include <string>
#include <string_view>

#include "core/data/random_source.h"
#include "core/map/map_document.h"
#include "core/map/map_file_context.h"

namespace quillane::map {

// Reads the event list only (the events, their scripts and the event grid), as for
// another map's events. Throws ReadError.
event::MapEvents readEventList(std::string_view bytes, const std::string& fileName,
                               const MapFileContext& context);

// Reads the whole file into `map.events` and `map.objects` of a freshly built `map`
// (its events are filled in, not cleared first); `version` is the body file's version
// (fillers from 210, object table from 264). Throws ReadError.
void readMapEventFile(std::string_view bytes, const std::string& fileName,
                      const MapFileContext& context, int version, MapDocument& map);

// Writes events 0..lastEventWritten(context) and script lines up to
// endMarkerLimit(context); see dataBeyondCounts for what that leaves out.
// `version` is the body file's: fillers from 210, the object table from 264.
text::Bytes writeMapEventFile(const MapDocument& map, const MapFileContext& context,
                              data::RandomSource& random, int version = 340);

// Highest event number written: min(100, "イベント数").
int lastEventWritten(const MapFileContext& context);
// Line at which the end marker is written at the latest: min(100, "メッセージ数");
// lines before it hold text.
int endMarkerLimit(const MapFileContext& context);

// Whether a save would leave out events or script lines because "イベント数" or
// "メッセージ数" was lowered after they were made (the window asks before saving).
struct DataBeyondCounts {
  bool events = false;  // events numbered above lastEventWritten
  bool lines = false;   // script lines at or after endMarkerLimit in written events
  bool any() const { return events || lines; }
};
DataBeyondCounts dataBeyondCounts(const event::MapEvents& events, const MapFileContext& context);

}  // namespace quillane::map
