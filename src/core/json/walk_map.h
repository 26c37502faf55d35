#pragma once
// The JSON form of one map's three files (body, events, flags with the object table),
// walked by JsonOut and JsonIn. Layers are rows of cells separated by blanks, each
// cell as the file holds it (three characters with the split map-chip form).
#include <algorithm>
#include <string>
#include <vector>

#include "core/event/event_model.h"
#include "core/json/json_fields.h"
#include "core/json/walk_tables.h"
#include "core/map/map_document.h"
#include "core/map/tile_lookup.h"

namespace quillane::json {

inline constexpr int kKeyedLimit = 9999999;

template <class IO>
void walkLayer(IO& io, const char* key, map::TileLayer& layer, int width, int height, std::size_t cellWidth,
               bool ground, bool split) {
  std::vector<text::Bytes> rows(static_cast<std::size_t>(height));
  if constexpr (!IO::kReading) {
    for (int r = 0; r < height; ++r) {
      text::Bytes& row = rows[static_cast<std::size_t>(r)];
      for (int c = 0; c < width; ++c) {
        if (c) row += ' ';
        const map::TileCode cell = layer.at(r, c);
        row += (ground ? map::normalizedGroundCode(cell, split) : map::normalizedSkyCode(cell)).view();
      }
    }
  }
  io.texts(key, rows, height);
  if constexpr (IO::kReading) {
    const std::size_t length = static_cast<std::size_t>(width) * (cellWidth + 1) - 1;
    for (int r = 0; r < height; ++r) {
      const text::Bytes& row = rows[static_cast<std::size_t>(r)];
      bool ok = row.size() == length;
      for (int c = 1; ok && c < width; ++c) ok = row[c * (cellWidth + 1) - 1] == ' ';
      if (!ok) {
        const std::string place = std::string(key) + "[" + std::to_string(r) + "]";
        io.fail(std::to_string(width) + " cells of " + std::to_string(cellWidth) +
                    " characters separated by blanks expected (the map's width)",
                place.c_str());
      }
      for (int c = 0; c < width; ++c)
        layer.at(r, c) = map::TileCode(std::string_view(row).substr(c * (cellWidth + 1), cellWidth));
    }
  }
}

template <class IO>
void walkEvents(IO& io, event::MapEvents& events) {
  int n = 0;
  if constexpr (!IO::kReading) n = std::clamp(events.lastNumber + 1, 0, event::kMaxEventNumber + 1);
  io.list("events", n, event::kMaxEventNumber + 1, "events", [&](int e) {
    event::EventRecord& record = events.records[static_cast<std::size_t>(e)];
    event::EventCell cell;
    if constexpr (!IO::kReading)
      if (event::EventGrid::contains(record.x, record.y)) cell = events.grid.at(record.x, record.y);
    io.text("character", cell.character, TextKind::Character);
    io.text("movement", cell.movement);
    io.integer("x", record.x, 0, event::kGridSize - 1);
    io.integer("y", record.y, 0, event::kGridSize - 1);
    io.integer("speed", record.speed, -kKeyedLimit, kKeyedLimit);
    walkScriptLines(io, "lines", record.lines);
    if constexpr (IO::kReading) {
      // Events on one cell share it: the files hold one character and movement for it.
      event::EventCell& there = events.grid.at(record.x, record.y);
      if (!there.number.empty() && (there.character != cell.character || there.movement != cell.movement))
        io.fail("event " + there.number + " stands on this cell with another character or movement; events on one "
                "cell share them", "x");
      there = {cell.character, cell.movement, std::to_string(e)};
    }
  });
  if constexpr (IO::kReading) events.lastNumber = n - 1;
}

template <class IO>
void walkFlags(IO& io, std::vector<event::FlagEntry>& flags) {
  int n = 0;
  if constexpr (!IO::kReading) n = std::min(static_cast<int>(flags.size()), event::kMaxFlagEntries);
  io.list("flags", n, event::kMaxFlagEntries, "flag entries", [&](int f) {
    if constexpr (IO::kReading) flags.resize(static_cast<std::size_t>(f) + 1);
    event::FlagEntry& entry = flags[static_cast<std::size_t>(f)];
    int conditions = 0;
    if constexpr (!IO::kReading)
      while (conditions < 3 && !entry.conditions[static_cast<std::size_t>(conditions)].empty()) ++conditions;
    io.list("conditions", conditions, 3, "conditions", [&](int c) {
      event::FlagCondition& condition = entry.conditions[static_cast<std::size_t>(c)];
      io.integer("map", condition.map, -kKeyedLimit, kKeyedLimit);
      if constexpr (IO::kReading)
        if (condition.map == 99) io.fail("map 99 marks an empty condition: leave the condition out", "map");
      io.integer("event", condition.event, -kKeyedLimit, kKeyedLimit);
      io.text("op", condition.op);
      io.integer("line", condition.line, -kKeyedLimit, kKeyedLimit);
    });
    if constexpr (IO::kReading)
      if (conditions == 0) io.fail("at least one condition expected (an entry without one ends the table)", "conditions");
    int steps = 0;
    if constexpr (!IO::kReading)
      while (steps < std::min(static_cast<int>(entry.steps.size()), event::kMaxFlagSteps) &&
             entry.steps[static_cast<std::size_t>(steps)].kind != "99")
        ++steps;
    io.list("steps", steps, event::kMaxFlagSteps, "steps", [&](int s) {
      if constexpr (IO::kReading) entry.steps.resize(static_cast<std::size_t>(s) + 1);
      event::FlagAction& step = entry.steps[static_cast<std::size_t>(s)];
      io.text("kind", step.kind, TextKind::StepKind);
      io.integer("value1", step.value1, -kKeyedLimit, kKeyedLimit);
      io.integer("value2", step.value2, -kKeyedLimit, kKeyedLimit);
      io.integer("value3", step.value3, -kKeyedLimit, kKeyedLimit);
      io.text("text1", step.text1);
      io.text("text2", step.text2);
      io.text("text3", step.text3);
    });
  });
}

// Objects 0..255 up to the first without a first frame.
template <class IO>
void walkObjects(IO& io, std::array<map::ObjectEntry, map::kObjectEntries>& objects) {
  constexpr int kInFile = map::kObjectEntries - 1;
  int n = 0;
  if constexpr (!IO::kReading)
    while (n < kInFile && !objects[static_cast<std::size_t>(n)][0].empty()) ++n;
  io.list("objects", n, kInFile, "objects", [&](int k) {
    map::ObjectEntry& o = objects[static_cast<std::size_t>(k)];
    io.text("frame1", o[0]);
    if constexpr (IO::kReading)
      if (o[0].empty()) io.fail("an object without a first frame ends the object list", "frame1");
    io.text("frame2", o[1]);
    io.text("frame3", o[2]);
    io.text("frame4", o[3]);
    io.text("contactEvent", o[4]);
    io.text("speed", o[5]);
  });
}

// The map's files; `version` is the format version of its body file.
template <class IO>
void walkMapFiles(IO& io, map::MapDocument& d, int& version, bool split) {
  io.integer("version", version, 0, 999);
  io.integer("width", d.width, 1, map::kGridSize);
  io.integer("height", d.height, 1, map::kGridSize);
  io.integer("startEvent", d.startEvent, -kKeyedLimit, kKeyedLimit);
  io.integer("xAdd", d.xAdd, -kKeyedLimit, kKeyedLimit);
  io.integer("yAdd", d.yAdd, -kKeyedLimit, kKeyedLimit);
  io.text("bgm", d.bgmName);
  io.text("tileSet", d.tileSetName);
  io.text("characterSet", d.characterSetName);
  for (auto [key, member] : {std::pair{"upMap", &map::MapDocument::upMap}, {"leftMap", &map::MapDocument::leftMap},
                             {"rightMap", &map::MapDocument::rightMap}, {"downMap", &map::MapDocument::downMap},
                             {"encounterRate", &map::MapDocument::encounterRate},
                             {"stepLimit", &map::MapDocument::stepLimit},
                             {"noTeleport", &map::MapDocument::noTeleport},
                             {"maxEnemies", &map::MapDocument::maxEnemies},
                             {"afterBattleEvent", &map::MapDocument::afterBattleEvent},
                             {"afterLoadEvent", &map::MapDocument::afterLoadEvent},
                             {"buttonEvent", &map::MapDocument::buttonEvent},
                             {"battleStartEvent", &map::MapDocument::battleStartEvent}})
    io.integer(key, d.*member, -kKeyedLimit, kKeyedLimit);
  io.text("skyTileSet", d.skyTileSetName);
  walkLayer(io, "ground", d.ground, d.width, d.height, split ? 3 : 2, true, split);
  walkLayer(io, "sky", d.sky, d.width, d.height, 2, false, false);
  walkEvents(io, d.events);
  walkFlags(io, d.flags);
  walkObjects(io, d.objects);
}

}  // namespace quillane::json
