#include "core/map/map_event_file.h"

#include <algorithm>

#include "core/data/random_items.h"
#include "core/map/map_items.h"

namespace quillane::map {
namespace {

constexpr int kEventFillers = 10;
constexpr int kFillerVersion = 210;
constexpr int kObjectVersion = 264;
constexpr int kObjectsInFile = 256;  // entries 0..255
const Bytes kListEnd = "99";

// The character code right-aligned to two characters with "0"s.
Bytes alignCode(Bytes code) {
  if (code.size() < 2) code.insert(0, 2 - code.size(), '0');
  return code;
}

void readScript(text::ItemReader& reader, event::EventRecord& record) {
  for (int i = 0; i < event::kScriptLines; ++i) {
    event::ScriptLine& line = record.lines[static_cast<std::size_t>(i)];
    line.message = reader.text();
    if (line.message == event::kEndMarker) return;
    if (i == event::kScriptLines - 1) reader.fail("the end marker \"99\" by line 100", "more lines");
    line.command = reader.text();
  }
}

// Reads into `events` as freshly built (no events, empty records and grid): both callers
// read into a new value, so the records and the 201 x 201 grid are not reset a second time.
void readEvents(text::ItemReader& reader, const MapFileContext& context, event::MapEvents& events) {
  int count = 0;
  for (;;) {
    Bytes code = alignCode(reader.text());
    if (code == kListEnd) break;
    if (count > event::kMaxEventNumber) reader.fail("the end of the event list by event 100", "more events");
    event::EventRecord& record = events.records[static_cast<std::size_t>(count)];
    record.x = readKeyedBounded(reader, context.key(1), 0, kLastCell, "an event column");
    record.y = readKeyedBounded(reader, context.key(2), 0, kLastCell, "an event row");
    Bytes movement = reader.text();
    record.speed = readKeyed(reader, context.key(3));
    events.grid.at(record.x, record.y) = event::EventCell{code, movement, std::to_string(count)};
    readScript(reader, record);
    ++count;
  }
  events.lastNumber = count - 1;
}

void writeScript(text::ItemWriter& writer, const event::EventRecord& record, int limit) {
  for (int i = 0;; ++i) {
    const event::ScriptLine& line = record.lines[static_cast<std::size_t>(i)];
    if (i == limit || line.message == event::kEndMarker) {
      writer.text(event::kEndMarker);
      return;
    }
    writer.text(line.message);
    writer.text(line.command);
  }
}

}  // namespace

int lastEventWritten(const MapFileContext& context) {
  return std::clamp(context.eventsPerMap, -1, event::kMaxEventNumber);
}

int endMarkerLimit(const MapFileContext& context) {
  return std::clamp(context.messageCount, 0, event::kScriptLines - 1);
}

DataBeyondCounts dataBeyondCounts(const event::MapEvents& events, const MapFileContext& context) {
  DataBeyondCounts result;
  int last = std::min({events.lastNumber, event::kMaxEventNumber,
                       static_cast<int>(events.records.size()) - 1});
  result.events = last > lastEventWritten(context);
  int limit = endMarkerLimit(context);
  for (int n = 0; n <= std::min(last, lastEventWritten(context)); ++n) {
    const event::EventRecord& record = events.records[static_cast<std::size_t>(n)];
    const std::optional<int> marker = event::findEndMarker(record.lines);
    if (marker && *marker > limit) result.lines = true;
    if (!marker) {
      // Without an end marker the empty lines at the end carry nothing.
      for (int i = limit; i < event::kScriptLines && !result.lines; ++i) {
        const event::ScriptLine& line = record.lines[static_cast<std::size_t>(i)];
        if (!line.message.empty() || !line.command.empty()) result.lines = true;
      }
    }
  }
  return result;
}

event::MapEvents readEventList(std::string_view bytes, const std::string& fileName,
                               const MapFileContext& context) {
  text::ItemReader reader(bytes, fileName);
  event::MapEvents events;
  readEvents(reader, context, events);
  return events;
}

void readMapEventFile(std::string_view bytes, const std::string& fileName,
                      const MapFileContext& context, int version, MapDocument& map) {
  text::ItemReader reader(bytes, fileName);
  readEvents(reader, context, map.events);
  if (version >= kFillerVersion) reader.skip(kEventFillers);
  int firstCleared = 0;
  if (version >= kObjectVersion) {
    for (; firstCleared < kObjectsInFile; ++firstCleared) {
      ObjectEntry& entry = map.objects[static_cast<std::size_t>(firstCleared)];
      entry[0] = reader.text();
      if (entry[0].empty()) break;
      for (int t = 1; t < kObjectTexts; ++t) entry[static_cast<std::size_t>(t)] = reader.text();
    }
  }
  for (int i = firstCleared; i < kObjectEntries; ++i) map.objects[static_cast<std::size_t>(i)][0].clear();
}

text::Bytes writeMapEventFile(const MapDocument& map, const MapFileContext& context,
                              data::RandomSource& random, int version) {
  text::ItemWriter writer;
  const event::MapEvents& events = map.events;
  int last = std::min({events.lastNumber, lastEventWritten(context),
                       static_cast<int>(events.records.size()) - 1});
  int limit = endMarkerLimit(context);
  static const event::EventCell kNoCell;
  for (int n = 0; n <= last; ++n) {
    const event::EventRecord& record = events.records[static_cast<std::size_t>(n)];
    bool onGrid = TileLayer::inGrid(record.y, record.x);
    const event::EventCell& cell = onGrid ? events.grid.at(record.x, record.y) : kNoCell;
    writer.text(cell.character);
    writeKeyed(writer, record.x, context.key(1));
    writeKeyed(writer, record.y, context.key(2));
    writer.text(cell.movement);
    writeKeyed(writer, record.speed, context.key(3));
    writeScript(writer, record, limit);
  }
  writer.raw("99\r\n");
  if (version < kFillerVersion) return writer.take();
  data::writeFillers(writer, random, kEventFillers);
  if (version < kObjectVersion) return writer.take();
  for (int i = 0; i < kObjectsInFile; ++i) {
    const ObjectEntry& entry = map.objects[static_cast<std::size_t>(i)];
    writer.text(entry[0]);
    if (entry[0].empty()) break;
    for (int t = 1; t < kObjectTexts; ++t) writer.text(entry[static_cast<std::size_t>(t)]);
  }
  return writer.take();
}

}  // namespace quillane::map
