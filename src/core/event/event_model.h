#pragma once
// The events of a map: records, the grid of cells they stand on, their scripts, and
// the map's flag table. Plain data; the rules live in the files beside this one.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/text/cp932.h"

namespace quillane::event {

using text::Bytes;

inline constexpr int kMaxEventNumber = 100;  // events 0..100
inline constexpr int kScriptLines = 101;     // lines 0..99 hold text, 100 is the spare line
inline constexpr int kGridSize = 201;        // cells 0..200 on both axes
inline constexpr int kMaxFlagEntries = 60;   // entries 0..59 (+ exchange slot 60)
inline constexpr int kMaxFlagSteps = 30;     // steps 0..29 (+ exchange slot 30)

// The text that ends a script: a message text of "99" has no command text.
inline const Bytes kEndMarker = "99";

struct ScriptLine {
  Bytes message;
  Bytes command;
  bool operator==(const ScriptLine&) const = default;
};

using ScriptLines = std::array<ScriptLine, kScriptLines>;

// The line of the end marker: the first whose message text is "99"; empty when the
// script has none. Every reader of scripts finds the marker here and says itself what a
// script without one means.
inline std::optional<int> findEndMarker(const ScriptLines& lines) {
  for (int i = 0; i < kScriptLines; ++i)
    if (lines[static_cast<std::size_t>(i)].message == kEndMarker) return i;
  return std::nullopt;
}

struct EventRecord {
  int x = 0;
  int y = 0;
  int speed = 1;  // 1, 2, 4 or 8
  ScriptLines lines{};
};

// What stands on one cell: character code, movement code, event number as text.
struct EventCell {
  Bytes character;  // empty or "0": no event
  Bytes movement;
  Bytes number;
  bool hasEvent() const { return !character.empty() && character != "0"; }
};

struct EventGrid {
  std::vector<EventCell> cells = std::vector<EventCell>(kGridSize * kGridSize);
  static bool contains(int x, int y) { return x >= 0 && y >= 0 && x < kGridSize && y < kGridSize; }
  EventCell& at(int x, int y) { return cells[static_cast<std::size_t>(y) * kGridSize + x]; }
  const EventCell& at(int x, int y) const { return cells[static_cast<std::size_t>(y) * kGridSize + x]; }
  void clear() { cells.assign(kGridSize * kGridSize, EventCell{}); }
};

struct FlagCondition {
  int map = 99;  // 99: empty slot, ends the conditions
  int event = 0;
  Bytes op;      // ">", ">=", "=", "<=", "<", "<>"
  int line = 0;
  bool empty() const { return map == 99; }
  bool operator==(const FlagCondition&) const = default;
};

struct FlagAction {
  Bytes kind = "99";  // "F", "C", "E", "D"; "99" ends the steps
  int value1 = 0;
  int value2 = 0;
  int value3 = 0;
  Bytes text1;
  Bytes text2;
  Bytes text3;
  bool operator==(const FlagAction&) const = default;
};

struct FlagEntry {
  std::array<FlagCondition, 3> conditions{};
  std::vector<FlagAction> steps;  // without the terminating "99" step
  bool operator==(const FlagEntry&) const = default;
};

// The events of the open map (or of another map read on its own).
struct MapEvents {
  int lastNumber = -1;  // -1: no events
  std::vector<EventRecord> records = std::vector<EventRecord>(kMaxEventNumber + 1);
  EventGrid grid;
};

}  // namespace quillane::event
