#pragma once
// The open map: size, names, neighbours, settings, event hooks, the ground and sky
// layers, the events, the flag table and the object table. Plain data; the map files
// read and write it (map_body_file.h, map_event_file.h, map_flag_file.h), the tools
// of map_tools.h paint on its layers.
#include <array>
#include <vector>

#include "core/event/event_model.h"
#include "core/map/tile_layer.h"
#include "core/text/cp932.h"

namespace quillane::map {

using text::Bytes;

inline constexpr int kNoMap = 999;          // neighbour "none"
inline constexpr int kObjectEntries = 257;  // object entries 0..256 (the files hold 0..255)
inline constexpr int kObjectTexts = 6;      // texts 0..5 of an entry

// One entry of the object table; an empty text 0 ends the table.
using ObjectEntry = std::array<Bytes, kObjectTexts>;

struct MapDocument {
  int width = 20;   // columns (X), 1..201 as read; the properties keep 20..200
  int height = 15;  // rows (Y)
  int startEvent = 0;  // "初期位置イベント"; may name a missing event (check before use)
  int xAdd = 0;        // "Ｘ座標加算値"
  int yAdd = 0;        // "Ｙ座標加算値"
  Bytes bgmName = "FIELD";
  Bytes tileSetName = "MAP";
  Bytes characterSetName = "CHR";

  int upMap = kNoMap;
  int leftMap = kNoMap;
  int rightMap = kNoMap;
  int downMap = kNoMap;

  int encounterRate = 5;  // "敵出現率"
  int stepLimit = 100;    // "上限歩数"
  int noTeleport = 0;     // "瞬間移動不可", 0/1
  int maxEnemies = 6;     // "敵同時出現最大数"

  // Event hooks: event number + 1, 0 = none.
  int afterBattleEvent = 0;
  int afterLoadEvent = 0;
  int buttonEvent = 0;
  int battleStartEvent = 0;

  Bytes skyTileSetName;

  // [row][column], rows and columns 0..200. Ground cells hold "00".."FF" (standard
  // form) or bank digit + two digits (split form); sky cells two digits, "00" = none.
  TileLayer ground;
  TileLayer sky;

  event::MapEvents events;
  // The flag entries in use, 0..59, each with a non-empty first condition. The
  // terminating entry (first condition on map 99) is not held here: the writer adds it
  // and the reader stops at it.
  std::vector<event::FlagEntry> flags;
  std::array<ObjectEntry, kObjectEntries> objects{};

  bool modified = false;  // unsaved changes since the last load or save
};

}  // namespace quillane::map
