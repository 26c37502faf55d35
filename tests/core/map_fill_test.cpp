// The flood fill against a plain cell-by-cell fill: the shapes that are hard for a
// scanline fill, random layers, maps smaller than the grid, the map's edges and corners,
// start cells that change nothing, one scratch reused from fill to fill, and the
// history step a fill records.
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>

#include "core/data/project_database.h"
#include "core/map/edit_history.h"
#include "core/map/map_document.h"
#include "core/map/paint_tools.h"
#include "core/map/recorded_edits.h"
#include "core/map/tile_lookup.h"

using namespace quillane;
using namespace quillane::map;

namespace {

TileCode code(const char* c) { return TileCode(c); }

// Writes a picture given as rows of one-letter codes into the layer.
void paint(TileLayer& layer, std::initializer_list<const char*> rows) {
  int r = 0;
  for (const char* row : rows) {
    for (int c = 0; row[c]; ++c) layer.at(r, c) = TileCode(std::string(2, row[c]));
    ++r;
  }
}

// The plain flood fill the editor was first built with: a stack of cells, 4 neighbours each.
void referenceFill(TileLayer& layer, MapExtent e, CellPos start, TileCode to) {
  if (!e.contains(start.row, start.col)) return;
  TileCode from = layer.at(start.row, start.col);
  if (from == to) return;
  std::vector<CellPos> stack{start};
  while (!stack.empty()) {
    CellPos p = stack.back();
    stack.pop_back();
    if (!(layer.at(p.row, p.col) == from)) continue;
    layer.at(p.row, p.col) = to;
    const CellPos next[4] = {{p.row + 1, p.col}, {p.row - 1, p.col}, {p.row, p.col + 1}, {p.row, p.col - 1}};
    for (CellPos n : next)
      if (e.contains(n.row, n.col) && layer.at(n.row, n.col) == from) stack.push_back(n);
  }
}

// Fills `layer` from `start` and checks it against the reference: the same cells after,
// and the reported runs cover exactly the cells that changed, each once.
void expectSameAsReference(TileLayer& layer, MapExtent e, CellPos start, TileCode to, FillScratch& scratch,
                           const std::string& what) {
  const TileLayer before = layer;
  TileLayer want = layer;
  referenceFill(want, e, start, to);
  const ChangedCells& got = floodFill(layer, e, start, to, scratch);
  ASSERT_TRUE(layer == want) << what;
  std::vector<char> reported(static_cast<std::size_t>(kGridSize) * kGridSize, 0);
  for (const RowSpan& s : got.spans) {
    ASSERT_TRUE(TileLayer::inGrid(s.row, s.first) && TileLayer::inGrid(s.row, s.last) && s.first <= s.last)
        << what << ": run " << s.row << " " << s.first << ".." << s.last;
    for (int c = s.first; c <= s.last; ++c) {
      char& seen = reported[static_cast<std::size_t>(s.row) * kGridSize + c];
      ASSERT_EQ(seen, 0) << what << ": cell " << s.row << "," << c << " reported twice";
      seen = 1;
    }
  }
  for (int r = 0; r < kGridSize; ++r)
    for (int c = 0; c < kGridSize; ++c)
      ASSERT_EQ(reported[static_cast<std::size_t>(r) * kGridSize + c] != 0, !(before.at(r, c) == layer.at(r, c)))
          << what << ": cell " << r << "," << c;
}

const TileCode kOpen("0A1");
const TileCode kWall("2C3");

// Walls across the whole grid; `open` tells the other cells.
TileLayer shapeLayer(const std::function<bool(int, int)>& open) {
  TileLayer layer;
  for (int r = 0; r < kGridSize; ++r)
    for (int c = 0; c < kGridSize; ++c) layer.at(r, c) = open(r, c) ? kOpen : kWall;
  return layer;
}

struct NamedShape {
  const char* name;
  std::function<bool(int, int)> open;
};

std::vector<NamedShape> shapes() {
  const int n = kGridSize;
  return {
      {"uniform", [](int, int) { return true; }},
      {"snake", [n](int r, int c) { return r % 2 == 0 || c == ((r / 2) % 2 ? 0 : n - 1); }},
      {"comb", [](int r, int c) { return r == 0 || c % 2 == 0; }},
      {"two combs", [n](int r, int c) { return r == 0 || r == n - 1 || (c % 4 == 0 && r < n - 3) || (c % 4 == 2 && r > 2); }},
      {"diagonal band", [](int r, int c) { return std::abs(r - c) <= 10; }},
      {"checkerboard", [](int r, int c) { return (r + c) % 2 == 0; }},
      {"square spiral",
       [](int r, int c) {
         // Rings of walls two cells apart, each with a gap that alternates sides.
         const int ring = std::min({r, c, kLastCell - r, kLastCell - c});
         if (ring % 2 == 1) return true;
         return (ring / 2) % 2 ? (r == ring + 1 && c == ring) : (r == kLastCell - ring - 1 && c == kLastCell - ring);
       }},
      {"holes", [](int r, int c) { return (r % 7 != 3 || c % 5 == 0) && (r * 31 + c * 17) % 11 != 0; }},
  };
}

}  // namespace

TEST(MapFill, IslandsSameTileCornersAndTheMapEdge) {
  TileLayer layer;
  paint(layer, {"aaaa", "abaa", "aaaa"});
  MapExtent e{4, 3};
  ChangedCells ch = floodFill(layer, e, {1, 1}, code("cc"));
  EXPECT_EQ(ch.cellCount(), 1);
  EXPECT_EQ(layer.text(1, 1), "cc");
  EXPECT_EQ(layer.text(0, 1), "aa");

  TileLayer before = layer;
  EXPECT_TRUE(floodFill(layer, e, {0, 0}, code("aa")).empty());
  EXPECT_TRUE(layer == before);

  // From the corner: the whole region, bounded by the map, never beyond it.
  layer.at(0, 4) = code("aa");  // same code just outside the map's width
  layer.at(3, 0) = code("aa");  // and below its height
  ch = floodFill(layer, e, {0, 0}, code("dd"));
  EXPECT_EQ(ch.cellCount(), 11);
  EXPECT_EQ(layer.text(2, 3), "dd");
  EXPECT_EQ(layer.text(0, 4), "aa");
  EXPECT_EQ(layer.text(3, 0), "aa");
  EXPECT_TRUE(floodFill(layer, e, {3, 0}, code("ee")).empty());  // start outside the map

  // Whole codes compare, bank digit included; diagonal cells are not connected.
  TileLayer split;
  split.at(0, 0) = code("0A1");
  split.at(0, 1) = code("1A1");
  split.at(1, 1) = code("0A1");
  EXPECT_EQ(floodFill(split, {2, 2}, {0, 0}, code("2FF")).cellCount(), 1);
  EXPECT_EQ(split.text(0, 1), "1A1");
}

TEST(MapFill, HardShapesOnTheGridAndOnSmallerMapsMatchThePlainFill) {
  // One scratch for all fills, as the fill tool keeps it: no fill may see the last one's runs.
  FillScratch scratch;
  const MapExtent extents[] = {{kGridSize, kGridSize}, {57, 43}, {kGridSize, 1}, {1, kGridSize}, {2, 2}, {3, 3}};
  for (const NamedShape& shape : shapes()) {
    for (MapExtent e : extents) {
      const int h = e.height, w = e.width;
      const CellPos starts[] = {{h / 2, w / 2}, {0, 0},         {0, w - 1},     {h - 1, 0}, {h - 1, w - 1},
                                {0, w / 2},     {h - 1, w / 2}, {h / 2, 0},     {h / 2, w - 1}, {1, 1},
                                {h - 2, w - 2}, {h / 3, w / 5}, {2 * h / 3, 1}};
      TileLayer layer = shapeLayer(shape.open);
      int step = 0;
      for (CellPos start : starts) {
        if (!e.contains(start.row, start.col)) continue;
        // Alternate the new code so that later fills run over earlier ones.
        const TileCode to = step++ % 2 ? kOpen : code("1B2");
        expectSameAsReference(layer, e, start, to, scratch,
                              std::string(shape.name) + " on " + std::to_string(w) + "x" + std::to_string(h) + " from " +
                                  std::to_string(start.row) + "," + std::to_string(start.col));
        if (HasFatalFailure()) return;
      }
    }
  }
}

TEST(MapFill, EveryCellOfACheckerboardAndRandomLayersMatchThePlainFill) {
  FillScratch scratch;
  // Every cell a region of its own: lone cells inside the map, on its edges and corners.
  const MapExtent small{9, 7};
  TileLayer board = shapeLayer([](int r, int c) { return (r + c) % 2 == 0; });
  for (int r = 0; r < small.height; ++r)
    for (int c = 0; c < small.width; ++c) {
      expectSameAsReference(board, small, {r, c}, code("1B2"), scratch,
                            "checkerboard cell " + std::to_string(r) + "," + std::to_string(c));
      if (HasFatalFailure()) return;
      ASSERT_EQ(scratch.changes.cellCount(), 1);
    }

  std::mt19937 rng(42);
  for (int round = 0; round < 60; ++round) {
    MapExtent e{1 + static_cast<int>(rng() % 201), 1 + static_cast<int>(rng() % 201)};
    TileLayer layer;
    // Mostly one code (large winding regions) down to an even mix (small ones).
    const unsigned percentOpen = 50 + 10 * (round % 5);
    for (int r = 0; r < kGridSize; ++r)
      for (int c = 0; c < kGridSize; ++c)
        layer.at(r, c) = groundCode(rng() % 100 < percentOpen ? 0 : 1 + static_cast<int>(rng() % 2), 0, false);
    for (int fill = 0; fill < 4; ++fill) {
      CellPos start{static_cast<int>(rng() % e.height), static_cast<int>(rng() % e.width)};
      expectSameAsReference(layer, e, start, groundCode(static_cast<int>(rng() % 3), 0, false), scratch,
                            "round " + std::to_string(round) + " fill " + std::to_string(fill));
      if (HasFatalFailure()) return;
    }
  }
}

TEST(MapFill, NothingHappensAndNothingIsReportedWhenTheFillChangesNothing) {
  FillScratch scratch;
  TileLayer layer = shapeLayer([](int r, int c) { return r % 2 == 0 || c == 0; });
  const MapExtent e{40, 30};
  ASSERT_GT(floodFill(layer, e, {0, 5}, code("1B2"), scratch).cellCount(), 100);
  const TileLayer before = layer;

  // The start already holds the new code, inside the map and on a lone cell.
  EXPECT_TRUE(floodFill(layer, e, {0, 5}, code("1B2"), scratch).empty());
  EXPECT_TRUE(floodFill(layer, e, {1, 5}, kWall, scratch).empty());
  // The start outside the map, outside the grid, or a map without cells.
  for (CellPos start : {CellPos{-1, 0}, CellPos{0, -1}, CellPos{30, 0}, CellPos{0, 40}, CellPos{250, 3}})
    EXPECT_TRUE(floodFill(layer, e, start, code("33"), scratch).empty()) << start.row << "," << start.col;
  EXPECT_TRUE(floodFill(layer, {0, 0}, {0, 0}, code("33"), scratch).empty());
  EXPECT_TRUE(floodFill(layer, {-5, 10}, {0, 0}, code("33"), scratch).empty());
  EXPECT_TRUE(layer == before);

  // A map said to be wider than the grid is bounded by the grid.
  ChangedCells whole = floodFill(layer, {300, 300}, {kLastCell, kLastCell}, code("44"));
  EXPECT_EQ(layer.text(kLastCell, kLastCell), "44");
  EXPECT_FALSE(whole.empty());
}

TEST(MapFill, HistoryRecordsEachFillAsOneStepWithItsCodes) {
  // Split map-chip codes: the bank digit belongs to the code.
  MapDocument m;
  m.width = 60;
  m.height = 50;
  const MapExtent e{m.width, m.height};
  for (int r = 0; r < kGridSize; ++r)
    for (int c = 0; c < kGridSize; ++c)
      m.ground.at(r, c) = code((r % 3 == 1 && c % 9 != 4) ? "2FF" : (c % 13 == 6 ? "0A0" : "1A0"));
  data::ProjectDatabase db;
  EditHistory history;
  FillScratch scratch;

  const TileLayer start = m.ground;
  TileLayer want = m.ground;
  referenceFill(want, e, {0, 0}, code("2B7"));
  const ChangedCells first = recordedFill(history, m.ground, e, {0, 0}, code("2B7"), scratch);
  ASSERT_TRUE(m.ground == want);
  const TileLayer afterFirst = m.ground;
  // A second fill reuses the scratch; the first step must not depend on it.
  recordedFill(history, m.ground, e, {1, 0}, code("0A0"), scratch);
  const TileLayer afterSecond = m.ground;
  // A fill that changes nothing is no step.
  recordedFill(history, m.ground, e, {1, 0}, code("0A0"), scratch);
  ASSERT_EQ(history.size(), 2u);
  EXPECT_EQ(history.undoKind(), EditKind::Fill);

  ASSERT_TRUE(history.undo(m, db));
  EXPECT_TRUE(m.ground == afterFirst);
  auto undone = history.undo(m, db);
  ASSERT_TRUE(undone);
  EXPECT_EQ(undone->kind, EditKind::Fill);
  EXPECT_TRUE(m.ground == start);
  EXPECT_EQ(undone->cells.ground.cellCount(), first.cellCount());
  for (const RowSpan& s : first.spans)
    for (int c = s.first; c <= s.last; ++c) EXPECT_TRUE(undone->cells.ground.contains(s.row, c));

  ASSERT_TRUE(history.redo(m, db));
  EXPECT_TRUE(m.ground == afterFirst);
  ASSERT_TRUE(history.redo(m, db));
  EXPECT_TRUE(m.ground == afterSecond);
}
