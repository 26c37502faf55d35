// Map painting tools (the fill has its own tests), tile codes, palette and view geometry.
#include <gtest/gtest.h>

#include "core/map/new_map.h"
#include "core/map/paint_tools.h"
#include "core/map/palette.h"
#include "core/map/start_marker.h"
#include "core/map/tile_lookup.h"
#include "core/map/undo_buffer.h"
#include "core/map/view_geometry.h"

using namespace quillane;
using namespace quillane::map;

namespace {

TileCode code(const char* c) { return TileCode(c); }

}  // namespace

TEST(MapTools, StampPasteAndRectangleStayInsideTheMap) {
  MapDocument m = newMapDocument(nullptr, false);
  MapExtent e{m.width, m.height};
  PaletteView view{3, 2, 1};
  Brush brush = paletteBrush({{1, 0}, {0, 2}}, view, LayerKind::Ground, false);  // 3 wide, 2 high
  ASSERT_EQ(brush.width, 3);
  ASSERT_EQ(brush.height, 2);
  EXPECT_EQ(brush.at(0, 0).text(), "23");
  EXPECT_EQ(brush.at(1, 2).text(), "35");
  ChangedCells ch = stampBrush(m.ground, e, brush, {5, 19});
  EXPECT_EQ(ch.cellCount(), 2);
  EXPECT_EQ(m.ground.text(5, 19), "23");
  EXPECT_EQ(m.ground.text(6, 19), "33");
  EXPECT_EQ(m.ground.text(5, 20), "");
  EXPECT_TRUE(stampBrush(m.ground, e, brush, {5, 19}).empty());  // nothing new to draw

  // Copy takes corners in any order; the paste is clipped at the edge.
  m.ground.at(2, 3) = code("AB");
  CopyBuffer a = copyBlock(m.ground, {1, 2}, {2, 3});
  CopyBuffer b = copyBlock(m.ground, {2, 3}, {1, 2});
  CopyBuffer c = copyBlock(m.ground, {1, 3}, {2, 2});
  EXPECT_EQ(a.codes, b.codes);
  EXPECT_EQ(a.codes, c.codes);
  ASSERT_EQ(std::tie(a.width, a.height), std::make_tuple(2, 2));
  EXPECT_EQ(a.codes[3].text(), "AB");
  ch = pasteBlock(m.ground, e, a, {14, 19});
  EXPECT_TRUE(ch.empty());  // only (14, 19) lies in the map, and it already holds "00"
  EXPECT_EQ(m.ground.text(14, 19), "00");
  pasteBlock(m.ground, e, a, {13, 18});
  EXPECT_EQ(m.ground.text(14, 19), "AB");
  EXPECT_EQ(m.ground.text(15, 19), "");
  pasteBlock(m.ground, e, a, {-1, -1});
  EXPECT_EQ(m.ground.text(0, 0), "AB");

  ch = fillRectangle(m.ground, e, {14, 17}, {12, 25}, code("77"));
  EXPECT_EQ(ch.cellCount(), 9);
  EXPECT_EQ(m.ground.text(12, 17), "77");
  EXPECT_EQ(m.ground.text(12, 20), "");
}

TEST(MapTools, UndoSwapsAndUndoingTwiceRestores) {
  MapDocument m = newMapDocument(nullptr, false);
  MapExtent e{m.width, m.height};
  UndoBuffer undo;
  undo.snapshot(m.ground);
  fillRectangle(m.ground, e, {0, 0}, {1, 1}, code("11"));
  TileLayer painted = m.ground;
  ChangedCells ch = undo.undo(m.ground, e);
  EXPECT_EQ(ch.cellCount(), 4);
  EXPECT_EQ(m.ground.text(1, 1), "00");
  undo.undo(m.ground, e);
  EXPECT_TRUE(m.ground == painted);
  undo.undo(m.ground, e);
  EXPECT_EQ(m.ground.text(0, 0), "00");
}

TEST(MapTiles, LookupPassabilityAndPicker) {
  EXPECT_EQ(groundTileSource(code("2A1"), true), (TileSource{32, 10 * 32 + 1024}));
  EXPECT_EQ(groundTileSource(code("A1"), false), (TileSource{32, 320}));
  EXPECT_EQ(groundTileSource(code(""), false), (TileSource{0, 0}));
  EXPECT_FALSE(groundTileSource(code("3A1"), true));
  EXPECT_FALSE(skyTileSource(code("G0")));
  EXPECT_EQ(passability(code("8F"), false), Passability::Impassable);
  EXPECT_EQ(passability(code("90"), false), Passability::EventImpassable);
  EXPECT_EQ(passability(code("AF"), false), Passability::EventImpassable);
  EXPECT_EQ(passability(code("B0"), false), Passability::Passable);
  EXPECT_EQ(passability(code("0FF"), true), Passability::Impassable);
  EXPECT_EQ(passability(code("100"), true), Passability::EventImpassable);
  EXPECT_EQ(sheetRowPassability(8, false), Passability::Impassable);
  EXPECT_EQ(sheetRowPassability(10, false), Passability::EventImpassable);
  EXPECT_EQ(sheetRowPassability(15, true), Passability::Impassable);
  EXPECT_EQ(sheetRowPassability(16, true), Passability::EventImpassable);
  EXPECT_EQ(sheetRowPassability(40, true), Passability::Passable);
  EXPECT_EQ(normalizedGroundCode(code("A1"), true).text(), "0A1");
  EXPECT_EQ(normalizedGroundCode(code(""), false).text(), "00");

  // Fill and rectangle paint the anchor tile with the bank digit.
  PaletteSelection sel{{4, 1}, {0, 0}};
  EXPECT_EQ(anchorCode(sel, {10, 7, 3}, LayerKind::Ground, true).text(), "2BB");
  EXPECT_EQ(anchorCode(sel, {10, 7, 3}, LayerKind::Sky, true).text(), "BB");

  auto pick = pickTile(code("1FE"), LayerKind::Ground, true, {4, 4, 1});
  ASSERT_TRUE(pick);
  EXPECT_EQ(pick->view, (PaletteView{9, 7, 2}));
  EXPECT_EQ(pick->selection.anchor, (CellPos{8, 5}));
  EXPECT_EQ(paletteCode(pick->selection.anchor, pick->view, LayerKind::Ground, true).text(), "1FE");
  pick = pickTile(code("23"), LayerKind::Sky, false, {4, 4, 3});
  EXPECT_EQ(pick->view, (PaletteView{0, 0, 3}));
  EXPECT_EQ(pick->selection.corner, (CellPos{2, 3}));
}

TEST(MapView, ZoomStepsAndMouseCells) {
  EXPECT_EQ(cellsShown(25), 60);
  EXPECT_EQ(cellsShown(100), 15);
  EXPECT_EQ(cellPixels(62.5), 20);
  EXPECT_EQ(cellsShown(31.25), 48);
  EXPECT_EQ(zoomInStep(50), 62.5);
  EXPECT_FALSE(zoomInStep(100));
  EXPECT_FALSE(zoomOutStep(25));
  EXPECT_EQ(snapZoom(-3), 75);
  EXPECT_EQ(snapZoom(60), 62.5);
  EXPECT_EQ(scrollMaximum(20, 24), 0);
  EXPECT_EQ(scrollMaximum(200, 60), 140);

  // 20 × 15 map at zoom 50 (s = 16): the view shows 30 cells, more than the map.
  MapViewHit hit = mapCellAt(16 * 21 + 3, 16 * 2, 50, 0, 0, 20, 15);
  EXPECT_FALSE(hit.onMap);  // column 21 lies beyond the map ...
  EXPECT_EQ(hit.clamped, (CellPos{2, 19}));  // ... the fields show its last column
  hit = mapCellAt(16 * 19 + 15, 16 * 14 + 15, 50, 0, 0, 20, 15);
  EXPECT_TRUE(hit.onMap);
  EXPECT_EQ(hit.cell, (CellPos{14, 19}));
  hit = mapCellAt(-1, 5, 100, 3, 0, 60, 60);
  EXPECT_FALSE(hit.onMap);
  EXPECT_EQ(hit.clamped, (CellPos{0, 3}));
  hit = mapCellAt(479, 479, 100, 10, 20, 60, 60);
  EXPECT_EQ(hit.cell, (CellPos{34, 24}));
  EXPECT_FALSE(mapCellAt(480, 0, 100, 0, 0, 60, 60).onMap);

  EXPECT_EQ(paletteCellAt(191, 287), (CellPos{8, 5}));
  EXPECT_FALSE(paletteCellAt(192, 0));
  EXPECT_FALSE(paletteCellAt(0, -1));
  // A drag leaving the palette keeps its corner on the nearest visible cell.
  EXPECT_EQ(paletteCellNearest(-1, 40), (CellPos{1, 0}));
  EXPECT_EQ(paletteCellNearest(500, 900), (CellPos{8, 5}));
  EXPECT_EQ(paletteCellNearest(33, 31), (CellPos{0, 1}));

  WholeMapRect whole = wholeMapRect(200, 100);
  EXPECT_DOUBLE_EQ(whole.width, 480);
  EXPECT_DOUBLE_EQ(whole.height, 240);
  EXPECT_DOUBLE_EQ(whole.y, 120);
  EXPECT_DOUBLE_EQ(whole.x, 0);
}

TEST(MapStartMarker, AddsAreCorrectedAndMovedOffEvents) {
  MapDocument m = newMapDocument(nullptr, false);  // 20 × 15
  EXPECT_FALSE(placeStartMarker(m));               // no start event yet: no marker
  m.events.lastNumber = 0;
  m.events.records[0].x = 18;
  m.events.records[0].y = 1;
  m.xAdd = 5;
  m.yAdd = -4;
  auto marker = placeStartMarker(m);  // the start event's own cell is empty in the grid
  ASSERT_TRUE(marker);
  EXPECT_EQ(std::tie(m.xAdd, m.yAdd), std::make_tuple(1, 0));
  EXPECT_EQ(marker->cell, (CellPos{1, 19}));
  EXPECT_TRUE(marker->addsChanged);

  // An event on the start cell: distance 1 right is outside, left is taken, below and
  // above are free, so above (tested last) wins.
  m.events.grid.at(19, 1) = {"01", "0", "0"};
  m.events.grid.at(18, 1) = {"01", "0", "1"};
  marker = placeStartMarker(m);
  EXPECT_EQ(marker->cell, (CellPos{0, 19}));
  EXPECT_EQ(std::tie(m.xAdd, m.yAdd), std::make_tuple(1, -1));

  // No free cell on the four lines: the adds stay.
  MapDocument full = newMapDocument(nullptr, false);
  full.events.lastNumber = 0;
  for (int y = 0; y < 15; ++y)
    for (int x = 0; x < 20; ++x) full.events.grid.at(x, y) = {"01", "0", "0"};
  full.xAdd = 2;
  marker = placeStartMarker(full);
  EXPECT_EQ(marker->cell, (CellPos{0, 2}));
  EXPECT_FALSE(marker->addsChanged);
}

TEST(MapView, LargerViewsAndZoomAroundACell) {
  // A view grown to 800 × 640 shows 25 × 20 cells at zoom 100; the default one 15 × 15.
  const ViewArea grown{800, 640};
  EXPECT_EQ(cellsShown(100, grown.width), 25);
  EXPECT_EQ(cellsShown(100, grown.height), 20);
  EXPECT_EQ(cellsShown(75, 490), 20);  // whole cells only
  MapViewHit hit = mapCellAt(790, 630, 100, 2, 3, 80, 80, grown);
  EXPECT_TRUE(hit.onMap);
  EXPECT_EQ(hit.cell, (CellPos{3 + 19, 2 + 24}));
  // What is left over beyond the whole cells is no cell.
  EXPECT_FALSE(mapCellAt(485, 10, 75, 0, 0, 80, 80, {490, 490}).onMap);
  EXPECT_EQ(mapCellAt(485, 10, 75, 0, 0, 80, 80, {490, 490}).clamped, (CellPos{0, 19}));

  // Zooming keeps the cell under the pointer: cell 37 at 250 pixels from the edge.
  EXPECT_EQ(scrollKeepingCell(37, 250, 100), 37 - 7);  // 250 / 32
  EXPECT_EQ(scrollKeepingCell(37, 250, 25), 37 - 31);  // 250 / 8
  for (double zoom : kZoomSteps) {
    const int scroll = scrollKeepingCell(37, 250, zoom);
    EXPECT_EQ(mapCellAt(250, 250, zoom, scroll, scroll, 200, 200).cell, (CellPos{37, 37})) << zoom;
  }

  // The whole map fills the larger view the way it fits, centred.
  WholeMapRect whole = wholeMapRect(100, 100, grown);
  EXPECT_DOUBLE_EQ(whole.cell, 6.4);
  EXPECT_DOUBLE_EQ(whole.x, 80);
  EXPECT_DOUBLE_EQ(whole.y, 0);
  EXPECT_DOUBLE_EQ(wholeMapRect(200, 100).width, 480);  // the default view as before
}
