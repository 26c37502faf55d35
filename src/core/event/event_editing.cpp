#include "core/event/event_editing.h"

#include <algorithm>
#include <string>

#include "core/data/text_rules.h"

namespace quillane::event {

namespace {
// The event number a cell's number text names; -1 when it names none.
int leadingNumberOf(const Bytes& numberText) {
  const std::optional<double> n = data::leadingNumber(numberText);
  if (!n || *n < 0 || *n > kMaxEventNumber || *n != static_cast<int>(*n)) return -1;
  return static_cast<int>(*n);
}
}  // namespace

int eventNumberLimit(int eventsPerMap) { return std::min(kMaxEventNumber, eventsPerMap); }

NewEventRefusal checkNewEvent(const MapEvents& events, int x, int y, int eventsPerMap) {
  if (!EventGrid::contains(x, y)) return NewEventRefusal::OutsideGrid;
  if (events.grid.at(x, y).hasEvent()) return NewEventRefusal::Occupied;
  if (events.lastNumber + 1 > eventNumberLimit(eventsPerMap)) return NewEventRefusal::Capacity;
  return NewEventRefusal::None;
}

int createEvent(MapEvents& events, int x, int y, const Bytes& characterCode, int speed) {
  const int n = events.lastNumber + 1;
  events.lastNumber = n;
  EventRecord& r = events.records[static_cast<std::size_t>(n)];
  r.x = x;
  r.y = y;
  r.speed = speed;
  r.lines[0] = ScriptLine{kEndMarker, {}};
  EventCell& cell = events.grid.at(x, y);
  cell.character = characterCode;
  cell.movement = "1";
  cell.number = std::to_string(n);
  return n;
}

bool moveEvent(MapEvents& events, int fromX, int fromY, int toX, int toY) {
  if (!EventGrid::contains(fromX, fromY) || !EventGrid::contains(toX, toY)) return false;
  EventCell& from = events.grid.at(fromX, fromY);
  EventCell& to = events.grid.at(toX, toY);
  if (!from.hasEvent() || to.hasEvent()) return false;
  to = from;
  from = EventCell{};
  const int n = leadingNumberOf(to.number);
  if (n >= 0 && n <= events.lastNumber) {
    events.records[static_cast<std::size_t>(n)].x = toX;
    events.records[static_cast<std::size_t>(n)].y = toY;
  }
  return true;
}

bool deleteEvent(MapEvents& events, int n) {
  if (n < 0 || n > events.lastNumber || n > kMaxEventNumber) return false;
  EventRecord& gone = events.records[static_cast<std::size_t>(n)];
  if (EventGrid::contains(gone.x, gone.y)) events.grid.at(gone.x, gone.y) = EventCell{};
  for (int i = n + 1; i <= events.lastNumber; ++i) {
    const EventRecord& src = events.records[static_cast<std::size_t>(i)];
    events.records[static_cast<std::size_t>(i - 1)] = src;
    if (EventGrid::contains(src.x, src.y)) events.grid.at(src.x, src.y).number = std::to_string(i - 1);
  }
  events.lastNumber -= 1;
  return true;
}

int eventAt(const MapEvents& events, int x, int y) {
  if (!EventGrid::contains(x, y)) return -1;
  const EventCell& cell = events.grid.at(x, y);
  if (!cell.hasEvent()) return -1;
  const int n = leadingNumberOf(cell.number);
  return n >= 0 && n <= events.lastNumber ? n : -1;
}

std::vector<Bytes> eventChooserRows(const MapEvents& events) {
  std::vector<Bytes> rows;
  for (int i = 0; i <= events.lastNumber && i <= kMaxEventNumber; ++i)
    rows.push_back(std::to_string(i) + ":" + events.records[static_cast<std::size_t>(i)].lines[0].message);
  return rows;
}

int centredOrigin(int pos, int visible, int mapSize) {
  int origin = pos - visible / 2;
  origin = std::min(origin, mapSize - visible);
  return std::max(origin, 0);
}

}  // namespace quillane::event
