// The edit history of the open map: every kind of edit undone and redone exactly, a pen
// stroke as one step, the redo branch dropped by a new edit, hundreds of steps, the
// "取消" swap unchanged and kept in step, the map-properties step with its database
// entries, and the memory whole-map fills take.
#include <gtest/gtest.h>

#include <random>

#include "core/data/project_database.h"
#include "core/map/edit_history.h"
#include "core/map/map_properties.h"
#include "core/map/new_map.h"
#include "core/map/recorded_edits.h"

using namespace quillane;
using namespace quillane::map;

namespace {

TileCode code(const char* c) { return TileCode(c); }

// One scratch for every fill, kept from fill to fill as the fill tool keeps it.
FillScratch scratch;

// A map whose ground holds a random pattern of a few codes (regions for fills) and whose
// sky holds another.
MapDocument randomMap(unsigned seed, int width = 40, int height = 30) {
  MapDocument m = newMapDocument(nullptr, false);
  m.width = width;
  m.height = height;
  std::mt19937 rng(seed);
  const char* codes[] = {"00", "01", "02", "0A"};
  for (int r = 0; r < kGridSize; ++r)
    for (int c = 0; c < kGridSize; ++c) {
      m.ground.at(r, c) = code(codes[rng() % 4]);
      m.sky.at(r, c) = code(codes[rng() % 2]);
    }
  return m;
}

Brush brushOf(int width, int height, const char* c) {
  return Brush{width, height, std::vector<TileCode>(static_cast<std::size_t>(width * height), code(c))};
}

}  // namespace

TEST(MapHistory, EveryKindOfEditUndoesAndRedoesExactly) {
  MapDocument m = randomMap(1);
  data::ProjectDatabase db;
  const MapExtent e{m.width, m.height};
  EditHistory h;
  std::vector<std::pair<TileLayer, TileLayer>> states{{m.ground, m.sky}};
  auto done = [&] { states.emplace_back(m.ground, m.sky); };

  // A pen stroke whose stamps overlap: one step.
  h.begin(EditKind::Pen);
  recordedStamp(h, m.ground, LayerKind::Ground, e, brushOf(3, 2, "11"), {4, 4});
  recordedStamp(h, m.ground, LayerKind::Ground, e, brushOf(3, 2, "12"), {5, 5});
  recordedStamp(h, m.ground, LayerKind::Ground, e, brushOf(3, 2, "13"), {5, 38});  // cut at the edge
  h.end();
  done();
  h.begin(EditKind::SkyPen);
  recordedStamp(h, m.sky, LayerKind::Sky, e, brushOf(2, 2, "05"), {0, 0});
  h.end();
  done();
  recordedRectangle(h, m.ground, e, {20, 30}, {10, 2}, code("21"));
  done();
  recordedFill(h, m.ground, e, {0, 39}, code("FF"), scratch);
  done();
  CopyBuffer block = copyBlock(m.ground, {3, 3}, {7, 9});
  recordedPaste(h, m.ground, e, block, {27, 35});  // partly outside the map
  done();
  recordedPaste(h, m.ground, e, block, {-2, -3});
  done();
  ASSERT_EQ(h.size(), 6u);
  EXPECT_EQ(h.undoKind(), EditKind::Paste);

  for (std::size_t i = states.size() - 1; i > 0; --i) {
    auto result = h.undo(m, db);
    ASSERT_TRUE(result);
    EXPECT_TRUE(m.ground == states[i - 1].first) << "undo to state " << i - 1;
    EXPECT_TRUE(m.sky == states[i - 1].second) << "undo to state " << i - 1;
  }
  EXPECT_FALSE(h.canUndo());
  EXPECT_FALSE(h.undo(m, db));
  EXPECT_EQ(h.redoKind(), EditKind::Pen);
  for (std::size_t i = 1; i < states.size(); ++i) {
    auto result = h.redo(m, db);
    ASSERT_TRUE(result);
    EXPECT_TRUE(m.ground == states[i].first) << "redo to state " << i;
    EXPECT_TRUE(m.sky == states[i].second) << "redo to state " << i;
  }
  EXPECT_FALSE(h.canRedo());
  // The undo reports the cells it changed, for the canvas to redraw: the fill's region.
  h.undo(m, db);
  h.undo(m, db);
  auto fill = h.undo(m, db);
  ASSERT_TRUE(fill);
  EXPECT_EQ(fill->kind, EditKind::Fill);
  EXPECT_TRUE(fill->cells.ground.contains(0, 39));
  EXPECT_TRUE(fill->cells.sky.empty());
}

TEST(MapHistory, NewEditDropsRedoAndNoChangeIsNoStep) {
  MapDocument m = randomMap(2);
  data::ProjectDatabase db;
  const MapExtent e{m.width, m.height};
  EditHistory h;
  recordedRectangle(h, m.ground, e, {0, 0}, {1, 1}, code("31"));
  const TileLayer afterFirst = m.ground;
  recordedRectangle(h, m.ground, e, {2, 2}, {3, 3}, code("32"));
  recordedRectangle(h, m.ground, e, {4, 4}, {5, 5}, code("33"));
  h.undo(m, db);
  h.undo(m, db);
  EXPECT_TRUE(m.ground == afterFirst);
  EXPECT_TRUE(h.canRedo());
  recordedFill(h, m.ground, e, {10, 10}, code("34"), scratch);
  EXPECT_FALSE(h.canRedo());
  EXPECT_FALSE(h.redo(m, db));
  EXPECT_EQ(h.size(), 2u);
  h.undo(m, db);
  EXPECT_TRUE(m.ground == afterFirst);
  h.redo(m, db);

  // Edits that change nothing make no step; an empty stroke neither.
  const std::size_t before = h.size();
  recordedFill(h, m.ground, e, {10, 10}, code("34"), scratch);
  recordedRectangle(h, m.ground, e, {0, 0}, {0, 0}, code("31"));
  h.begin(EditKind::Pen);
  h.end();
  recordedFill(h, m.ground, e, {e.height, 0}, code("35"), scratch);  // outside the map
  EXPECT_EQ(h.size(), before);
  EXPECT_EQ(h.undoKind(), EditKind::Fill);

  // Undo while a stroke is open ends it and takes it back whole.
  const TileLayer beforeStroke = m.ground;
  h.begin(EditKind::Pen);
  recordedStamp(h, m.ground, LayerKind::Ground, e, brushOf(1, 1, "36"), {7, 7});
  recordedStamp(h, m.ground, LayerKind::Ground, e, brushOf(1, 1, "36"), {7, 8});
  EXPECT_EQ(h.undoKind(), EditKind::Pen);
  EXPECT_FALSE(h.canRedo());
  h.undo(m, db);
  EXPECT_TRUE(m.ground == beforeStroke);

  h.clear();
  EXPECT_FALSE(h.canUndo());
  EXPECT_FALSE(h.canRedo());
  EXPECT_EQ(h.bytes(), 0u);
}

TEST(MapHistory, HundredsOfStepsGoBackToTheStart) {
  MapDocument m = randomMap(3);
  data::ProjectDatabase db;
  const MapExtent e{m.width, m.height};
  const TileLayer start = m.ground;
  EditHistory h;
  std::mt19937 rng(7);
  const char* codes[] = {"00", "01", "02", "0A", "1B"};
  for (int i = 0; i < 300; ++i) {
    const CellPos at{static_cast<int>(rng() % 30), static_cast<int>(rng() % 40)};
    if (i % 2)
      recordedFill(h, m.ground, e, at, code(codes[rng() % 5]), scratch);
    else
      recordedRectangle(h, m.ground, e, at, {at.row + 3, at.col + 2}, code(codes[rng() % 5]));
  }
  ASSERT_GE(h.size(), EditHistory::kMinSteps);
  const std::size_t steps = h.size();
  const TileLayer end = m.ground;
  for (std::size_t i = 0; i < steps; ++i) ASSERT_TRUE(h.undo(m, db));
  EXPECT_FALSE(h.canUndo());
  EXPECT_TRUE(m.ground == start);
  while (h.redo(m, db)) {
  }
  EXPECT_TRUE(m.ground == end);
}

TEST(MapHistory, SwapBehavesAsBeforeAndTheHistoryFollowsIt) {
  MapDocument m = randomMap(4);
  data::ProjectDatabase db;
  const MapExtent e{m.width, m.height};
  EditHistory h;
  UndoBuffer buffer;
  buffer.snapshot(m.ground);
  const TileLayer original = m.ground;
  recordedRectangle(h, m.ground, e, {0, 0}, {5, 5}, code("41"));
  // The fill takes no snapshot: "取消" goes back to before the rectangle, fill included.
  recordedFill(h, m.ground, e, {20, 20}, code("42"), scratch);
  const TileLayer painted = m.ground;
  ChangedCells swapped = recordedSwap(h, buffer, m.ground, e);
  EXPECT_TRUE(m.ground == original);
  EXPECT_FALSE(swapped.empty());
  EXPECT_EQ(h.undoKind(), EditKind::Swap);
  recordedSwap(h, buffer, m.ground, e);  // pressed again: the change comes back
  EXPECT_TRUE(m.ground == painted);
  // The history takes back both swaps, then the fill.
  h.undo(m, db);
  EXPECT_TRUE(m.ground == original);
  h.undo(m, db);
  EXPECT_TRUE(m.ground == painted);
  h.undo(m, db);
  EXPECT_EQ(m.ground.text(20, 20), original.text(20, 20));
  EXPECT_EQ(m.ground.text(0, 0), "41");
}

TEST(MapHistory, PropertiesStepPutsBackMapAndDatabaseEntries) {
  MapDocument m = randomMap(5);
  data::ProjectDatabase db;
  db.maps.resize(4);
  db.scenery.resize(4);
  for (int i = 0; i < 4; ++i) db.scenery.town[static_cast<std::size_t>(i)] = 99;
  EditHistory h;
  recordedFill(h, m.ground, {m.width, m.height}, {0, 0}, code("51"), scratch);

  const PropertiesSnapshot before = takeSnapshot(m, db);
  PropertyInput in;
  in.size = {m.width, m.height};
  in.applySize = false;
  in.tileSetName = text::Bytes("FOREST");
  in.xAdd = 3;
  in.encounterRate = 9;
  in.mapName = text::Bytes("MAP-2");
  in.town = true;
  in.enemies[1] = 2;
  in.rightMap = 1;
  applyProperties(in, 2, false, m, db);
  m.sky.at(3, 3) = code("0F");  // a cell the dialog changed (cut and grown back)
  const MapDocument afterFields = [&] {
    MapDocument copy = newMapDocument(nullptr, false);
    copy.tileSetName = m.tileSetName;
    copy.xAdd = m.xAdd;
    copy.rightMap = m.rightMap;
    return copy;
  }();
  const auto namesAfter = db.maps.name;
  const auto townAfter = db.scenery.town;
  const TileLayer skyAfter = m.sky;
  recordProperties(h, before, m, db);
  ASSERT_EQ(h.undoKind(), EditKind::Properties);

  auto undone = h.undo(m, db);
  ASSERT_TRUE(undone);
  EXPECT_TRUE(undone->properties);
  EXPECT_EQ(m.tileSetName, before.map.tileSetName);
  EXPECT_EQ(m.xAdd, before.map.xAdd);
  EXPECT_EQ(m.encounterRate, before.map.encounterRate);
  EXPECT_EQ(m.rightMap, before.map.rightMap);
  EXPECT_EQ(db.maps.name, before.mapNames);
  EXPECT_EQ(db.maps.enemy, before.mapEnemies);
  EXPECT_EQ(db.scenery.town, before.town);
  EXPECT_TRUE(m.sky == before.map.sky);
  EXPECT_TRUE(undone->cells.sky.contains(3, 3));
  EXPECT_TRUE(m.modified);

  // A later change elsewhere in the tables is left alone by the redo.
  db.maps.name[0] = text::Bytes("OTHER");
  ASSERT_TRUE(h.redo(m, db));
  EXPECT_EQ(m.tileSetName, afterFields.tileSetName);
  EXPECT_EQ(m.xAdd, 3);
  EXPECT_EQ(m.rightMap, 1);
  EXPECT_EQ(db.maps.name[2], namesAfter[2]);
  EXPECT_EQ(db.maps.name[0], text::Bytes("OTHER"));
  EXPECT_EQ(db.scenery.town, townAfter);
  EXPECT_TRUE(m.sky == skyAfter);

  // A dialog that changed nothing makes no step.
  const std::size_t steps = h.size();
  recordProperties(h, takeSnapshot(m, db), m, db);
  EXPECT_EQ(h.size(), steps);
}

TEST(MapHistory, NamesOfTheSteps) {
  EXPECT_EQ(editName(EditKind::Fill), text::sj("塗りつぶし"));
  EXPECT_EQ(editName(EditKind::Paste), text::sj("貼り付け"));
  EXPECT_EQ(editName(EditKind::Rectangle), text::sj("四角"));
  EXPECT_EQ(editName(EditKind::Properties), text::sj("マップ設定"));
}

TEST(MapHistory, TwoHundredWholeMapFillsStayFarUnderEightMegabytes) {
  MapDocument m = newMapDocument(nullptr, false);
  m.width = 200;
  m.height = 32;
  m.ground.fillArea(m.height, m.width, code("00"));
  EditHistory h;
  for (int i = 0; i < 200; ++i) recordedFill(h, m.ground, {m.width, m.height}, {5, 5}, code(i % 2 ? "00" : "01"), scratch);
  EXPECT_EQ(h.size(), 200u);
  EXPECT_LT(h.bytes(), 8u << 20);
}
