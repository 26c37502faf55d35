#pragma once
// Event mode's operations on the events of the open map: create the next event on
// an empty cell, move an event to an empty cell, delete an event and renumber the
// later ones. The questions are asked by the caller before these run.
#include <vector>

#include "core/event/event_model.h"

namespace quillane::event {

// The highest event number a map may use: the in-memory capacity (100) and the
// project's events per map ("イベント数"), whichever is lower.
int eventNumberLimit(int eventsPerMap);

enum class NewEventRefusal { None, Occupied, OutsideGrid, Capacity };
// Whether a new event (number lastNumber + 1) may stand on (x, y).
NewEventRefusal checkNewEvent(const MapEvents& events, int x, int y, int eventsPerMap);

// Creates event lastNumber + 1 on (x, y) with the given picture and speed: an empty
// script (the end marker alone), movement "1" (stand still). Returns its number.
// The caller has checked checkNewEvent().
int createEvent(MapEvents& events, int x, int y, const Bytes& characterCode, int speed);

// Moves the event standing on (fromX, fromY) to (toX, toY); its number stays.
// Nothing happens (false) when no event stands there, the target holds one, or a
// cell lies outside the grid.
bool moveEvent(MapEvents& events, int fromX, int fromY, int toX, int toY);

// Deletes event n: its cell is emptied and every later event moves one number down
// with its position, speed and script; the cells of the moved events show their new
// numbers. Scripts and flag entries that name event numbers are not adjusted.
// Returns false (and changes nothing) when n is not an existing event.
bool deleteEvent(MapEvents& events, int n);

// The event number standing on a cell, or -1.
int eventAt(const MapEvents& events, int x, int y);

// Rows of the event chooser: "n:" and the message text of line 0, for 0..lastNumber.
std::vector<Bytes> eventChooserRows(const MapEvents& events);

// First visible cell when a view of `visible` cells shows `pos` near its middle,
// kept inside a map of `mapSize` cells.
int centredOrigin(int pos, int visible, int mapSize);

}  // namespace quillane::event
