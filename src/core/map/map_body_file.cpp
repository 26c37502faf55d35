#include "core/map/map_body_file.h"

#include <algorithm>
#include <array>

#include "core/data/random_items.h"
#include "core/map/map_items.h"
#include "core/map/tile_lookup.h"

namespace quillane::map {
namespace {

struct KeyedField {
  int MapDocument::*member;
  int key;  // 1..5: stored as value + Kn
};

// Header numbers, each offset by its own key.
constexpr std::array<KeyedField, 5> kHeader = {{
    {&MapDocument::width, 1},
    {&MapDocument::height, 2},
    {&MapDocument::startEvent, 3},
    {&MapDocument::xAdd, 4},
    {&MapDocument::yAdd, 5},
}};

constexpr std::array<Bytes MapDocument::*, 3> kHeaderTexts = {
    &MapDocument::bgmName, &MapDocument::tileSetName, &MapDocument::characterSetName};

struct SettingField {
  int MapDocument::*member;
  int defaultValue;
  int minVersion;  // below it the value is the default (0 for the hooks)
};

// The settings line in writing order; older files end early and keep the defaults.
constexpr std::array<SettingField, 12> kSettings = {{
    {&MapDocument::upMap, kNoMap, 0},
    {&MapDocument::leftMap, kNoMap, 0},
    {&MapDocument::rightMap, kNoMap, 0},
    {&MapDocument::downMap, kNoMap, 0},
    {&MapDocument::encounterRate, 5, 0},
    {&MapDocument::stepLimit, 100, 0},
    {&MapDocument::noTeleport, 0, 0},
    {&MapDocument::maxEnemies, 6, 0},
    {&MapDocument::afterBattleEvent, 0, 240},
    {&MapDocument::afterLoadEvent, 0, 251},
    {&MapDocument::buttonEvent, 0, 332},
    {&MapDocument::battleStartEvent, 0, 332},
}};

constexpr int kFirstSkyVersion = 240;
constexpr int kThreeCharCellVersion = 260;
constexpr int kBodyFillers = 2;

// Cuts the cells of one row text into columns 0..width-1 of `row`.
void cutRow(const Bytes& rowText, std::size_t cellWidth, bool widenToSplit, int width, TileCode* row) {
  for (int col = 0; col < width; ++col) {
    std::size_t start = static_cast<std::size_t>(col) * cellWidth;
    std::string_view cell;
    if (start < rowText.size()) cell = std::string_view(rowText).substr(start, cellWidth);
    TileCode code(cell);
    if (widenToSplit && code.size() == 2) code = TileCode("0" + code.text());
    row[col] = code;
  }
}

}  // namespace

int readMapBody(std::string_view bytes, const std::string& fileName, const MapFileContext& context,
                MapDocument& map) {
  text::ItemReader reader(bytes, fileName);
  for (const KeyedField& f : kHeader) {
    if (f.member == &MapDocument::width || f.member == &MapDocument::height)
      map.*f.member = readKeyedBounded(reader, context.key(f.key), 1, kGridSize,
                                       f.member == &MapDocument::width ? "a width" : "a height");
    else
      map.*f.member = readKeyed(reader, context.key(f.key));
  }
  for (Bytes MapDocument::*t : kHeaderTexts) map.*t = reader.text();

  std::vector<Bytes> groundRows;
  groundRows.reserve(static_cast<std::size_t>(map.height));
  for (int r = 0; r < map.height; ++r) groundRows.push_back(reader.text());

  for (const SettingField& s : kSettings) map.*s.member = s.defaultValue;
  int zeroField = 999;
  int version = 200;
  // Older files end somewhere in here; what they hold is taken, the rest keeps its
  // default (a file that ends early counts as version 200). An item that is there but
  // damaged is a damaged file.
  [&] {
    for (const SettingField& s : kSettings) {
      if (reader.atEnd()) return;
      map.*s.member = readKeyed(reader, 0);
    }
    for (int i = 0; i < kBodyFillers; ++i) {
      if (reader.atEnd()) return;
      reader.skip(1);
    }
    if (reader.atEnd()) return;
    zeroField = readKeyed(reader, 0);
    if (reader.atEnd()) return;
    version = reader.formatVersion();
  }();
  if (zeroField != 0) {
    map.noTeleport = 0;
    map.maxEnemies = 6;
  }
  for (const SettingField& s : kSettings)
    if (version < s.minVersion) map.*s.member = s.defaultValue;

  std::size_t cellWidth = (version >= kThreeCharCellVersion && context.splitChips) ? 3 : 2;
  map.ground.fillAll(TileCode());
  for (int r = 0; r < map.height; ++r)
    cutRow(groundRows[static_cast<std::size_t>(r)], cellWidth, context.splitChips, map.width,
           map.ground.row(r));

  if (version < kFirstSkyVersion) {
    map.sky.fillAll(emptySkyCode());
  } else {
    map.skyTileSetName = reader.text();
    map.sky.fillAll(TileCode());
    for (int r = 0; r < map.height; ++r) cutRow(reader.text(), 2, false, map.width, map.sky.row(r));
  }
  return version;
}

text::Bytes writeMapBody(const MapDocument& map, const MapFileContext& context,
                         data::RandomSource& random, int version) {
  text::ItemWriter writer;
  for (const KeyedField& f : kHeader) writeKeyed(writer, map.*f.member, context.key(f.key));
  for (Bytes MapDocument::*t : kHeaderTexts) writer.text(map.*t);

  // The size is 1..201 as read; clamped so that a bad value can never index past the grid.
  const int width = std::clamp(map.width, 0, kGridSize);
  const int height = std::clamp(map.height, 0, kGridSize);
  const bool threeCharCells = context.splitChips && version >= kThreeCharCellVersion;
  Bytes rowText;
  for (int r = 0; r < height; ++r) {
    rowText.clear();
    for (int c = 0; c < width; ++c)
      rowText.append(normalizedGroundCode(map.ground.at(r, c), threeCharCells).view());
    writer.text(rowText);
  }
  for (const SettingField& s : kSettings) writer.number(map.*s.member);
  data::writeFillers(writer, random, kBodyFillers);
  writer.raw("0,");
  writer.number(version);
  if (version < kFirstSkyVersion) return writer.take();
  writer.text(map.skyTileSetName);
  for (int r = 0; r < height; ++r) {
    rowText.clear();
    for (int c = 0; c < width; ++c) rowText.append(normalizedSkyCode(map.sky.at(r, c)).view());
    writer.text(rowText);
  }
  return writer.take();
}

}  // namespace quillane::map
