// The painting tools on a stand-in main window: pen strokes with their undo snapshot,
// the right-button picker, copy and paste redrawing the canvas, rectangles that undo
// one at a time, the fill without a snapshot, and the passability marks.
#include "source_paths.h"
#include <QImage>
#include <QPainter>
#include <QtTest>
#include <memory>

#include "core/map/new_map.h"
#include "gui/app/workspace.h"
#include "gui/map/canvas_host.h"
#include "gui/map/map_canvas.h"
#include "gui/map/map_tool_copy.h"
#include "gui/map/map_tool_fill.h"
#include "gui/map/map_tool_passability.h"
#include "gui/map/map_tool_pen.h"
#include "gui/map/map_tool_rectangle.h"
#include "gui/map/map_view.h"
#include "gui/map/palette_view.h"

using namespace quillane;

namespace {

// The main window's part the tools see, without the window.
class Host : public gui::CanvasHost {
 public:
  app::Workspace ws;
  gui::MapCanvas canvasImage;
  gui::PaletteView paletteView;
  gui::MapView mapView{canvasImage};
  int currentMode = gui::kGroundMode;
  gui::CanvasTool* current = nullptr;

  app::Workspace& workspace() override { return ws; }
  gui::MapCanvas& canvas() override { return canvasImage; }
  gui::PaletteView& palette() override { return paletteView; }
  int mode() const override { return currentMode; }
  void refreshView() override {}
  void rebuildCanvas() override { canvasImage.build(); }
  void refreshPalette() override {}
  void refreshStatus() override {}
  void setTool(gui::CanvasTool* tool) override {
    if (current) current->deactivate(*this);
    current = tool;
    if (current) current->activate(*this);
  }
  gui::CanvasTool* tool() const override { return current; }
  void showMessage(const QString&) override {}
  void markMapModified() override { ws.map->modified = true; }
};

// A work bitmap whose tile (row, column) is filled with a colour of its own.
QImage numberedTiles() {
  QImage work(512, 1536, QImage::Format_RGB32);
  QPainter p(&work);
  for (int r = 0; r < 48; ++r)
    for (int c = 0; c < 16; ++c) p.fillRect(c * 32, r * 32, 32, 32, QColor(r * 5, c * 15, 100));
  return work;
}

gui::CanvasPoint at(int row, int column, Qt::MouseButton button = Qt::LeftButton) {
  gui::CanvasPoint p;
  p.row = p.clampedRow = row;
  p.column = p.clampedColumn = column;
  p.view = QPoint(column * 24, row * 24);
  p.insideView = true;
  p.insideMap = true;
  p.button = button;
  p.buttons = button;
  return p;
}

QString code(const map::TileLayer& layer, int row, int column) {
  return QString::fromStdString(layer.text(row, column));
}

}  // namespace

class MapToolsTest : public QObject {
  Q_OBJECT

  std::unique_ptr<Host> host_;
  gui::MapPaintState state_;

  map::MapDocument& doc() { return *host_->ws.map; }

 private slots:
  void init() {
    host_ = std::make_unique<Host>();
    host_->ws.map = std::make_unique<map::MapDocument>(map::newMapDocument(nullptr, false));
    host_->ws.mapIndex = 0;
    host_->canvasImage.sheets().work = numberedTiles();
    host_->canvasImage.setStartMarkerShown(false);
    host_->canvasImage.setDocument(host_->ws.map.get(), false);
    host_->canvasImage.build();
    state_ = gui::MapPaintState{};
    state_.undo.snapshot(doc().ground);
  }

  void penStampsTheBrushAndSnapshotsOnPress() {
    gui::PenTool pen(state_);
    host_->paletteView.setScroll(2, 1);
    host_->paletteView.setSelection(QPoint(1, 0), QPoint(0, 1));  // 2 × 2, any corner order
    const map::TileLayer before = doc().ground;
    pen.press(*host_, at(3, 18));
    QCOMPARE(code(doc().ground, 3, 18), QStringLiteral("12"));
    QCOMPARE(code(doc().ground, 4, 19), QStringLiteral("23"));
    QCOMPARE(code(doc().ground, 3, 20), QString());  // beyond the map's last column
    gui::CanvasPoint drag = at(10, 2);
    drag.button = Qt::NoButton;
    pen.move(*host_, drag);
    pen.release(*host_, at(10, 2));
    QCOMPARE(code(doc().ground, 11, 3), QStringLiteral("23"));
    // The canvas shows the stamped tile: row 2, column 3 of the work bitmap.
    QCOMPARE(host_->canvasImage.image().pixelColor(3 * 32 + 5, 11 * 32 + 5), QColor(10, 45, 100));
    QVERIFY(doc().modified);
    // The snapshot is the ground before the press.
    QVERIFY(state_.undo.saved() == before);

    // Presses outside the map or the view do nothing; sky mode paints the sky, no snapshot.
    gui::CanvasPoint outside = at(16, 2);
    outside.insideMap = false;
    pen.press(*host_, outside);
    QCOMPARE(code(doc().ground, 16, 2), QString());
    host_->currentMode = gui::kSkyMode;
    const map::TileLayer groundNow = doc().ground;
    pen.press(*host_, at(0, 0));
    QCOMPARE(code(doc().sky, 1, 1), QStringLiteral("23"));
    QVERIFY(doc().ground == groundNow);
    QVERIFY(state_.undo.saved() == before);
  }

  void rightPressPicksTheTile() {
    gui::PenTool pen(state_);
    doc().ground.set(5, 5, "B3");
    pen.press(*host_, at(5, 5, Qt::RightButton));
    QCOMPARE(code(doc().ground, 5, 5), QStringLiteral("B3"));  // nothing painted
    // Tile row 11 needs the palette scrolled down; the selection is that tile alone.
    const gui::PaletteView& pal = host_->paletteView;
    QCOMPARE(pal.scrollRow() + pal.anchor().y(), 11);
    QCOMPARE(pal.scrollColumn() + pal.anchor().x(), 3);
    QCOMPARE(pal.anchor(), pal.corner());
    pen.press(*host_, at(0, 0));
    QCOMPARE(code(doc().ground, 0, 0), QStringLiteral("B3"));
  }

  void copyPastesRepeatedlyAndRedraws() {
    gui::CopyTool copy(state_, host_->mapView);
    doc().ground.set(1, 1, "A1");
    doc().ground.set(2, 2, "C4");
    host_->canvasImage.build();
    host_->setTool(&copy);
    const map::TileLayer before = doc().ground;
    QCOMPARE(copy.name(), QStringLiteral("複写"));
    copy.press(*host_, at(2, 2));
    copy.press(*host_, at(1, 1));  // corners in any order
    QVERIFY(copy.pasting());
    QCOMPARE(state_.copyImage.size(), QSize(64, 64));
    copy.press(*host_, at(10, 10));
    copy.press(*host_, at(14, 19));  // clipped at the map's edge
    QCOMPARE(code(doc().ground, 10, 10), QStringLiteral("A1"));
    QCOMPARE(code(doc().ground, 11, 11), QStringLiteral("C4"));
    QCOMPARE(code(doc().ground, 14, 19), QStringLiteral("A1"));
    QCOMPARE(code(doc().ground, 15, 20), QString());
    QCOMPARE(host_->canvasImage.image().pixelColor(11 * 32 + 3, 11 * 32 + 3),
             host_->canvasImage.image().pixelColor(2 * 32 + 3, 2 * 32 + 3));
    // One undo takes back every paste since "複写".
    map::ChangedCells undone = state_.undo.undo(doc().ground, {doc().width, doc().height});
    QVERIFY(doc().ground == before);
    QCOMPARE(undone.cellCount(), 3);
    host_->setTool(nullptr);
    QVERIFY(!copy.pasting());
  }

  void eachRectangleUndoesOnItsOwn() {
    gui::RectangleTool rect(state_, host_->mapView);
    host_->paletteView.setSelection(QPoint(4, 2), QPoint(5, 3));  // the anchor tile paints
    host_->setTool(&rect);
    rect.press(*host_, at(1, 1));
    rect.press(*host_, at(0, 3));
    QCOMPARE(code(doc().ground, 0, 1), QStringLiteral("24"));
    QCOMPARE(code(doc().ground, 1, 3), QStringLiteral("24"));
    const map::TileLayer afterFirst = doc().ground;
    rect.press(*host_, at(5, 5));
    rect.press(*host_, at(6, 6));
    QCOMPARE(code(doc().ground, 6, 6), QStringLiteral("24"));
    state_.undo.undo(doc().ground, {doc().width, doc().height});
    QVERIFY(doc().ground == afterFirst);
  }

  void fillTakesNoSnapshot() {
    gui::FillTool fill(state_);
    host_->paletteView.setSelection(QPoint(1, 1), QPoint(1, 1));
    doc().ground.set(0, 1, "FF");
    doc().ground.set(1, 0, "FF");
    const map::TileLayer snapshot = state_.undo.saved();
    fill.press(*host_, at(0, 0));  // a one-cell island in the corner
    QCOMPARE(code(doc().ground, 0, 0), QStringLiteral("11"));
    QCOMPARE(code(doc().ground, 0, 2), QStringLiteral("00"));
    fill.press(*host_, at(5, 5));
    QCOMPARE(code(doc().ground, 14, 19), QStringLiteral("11"));
    QCOMPARE(code(doc().ground, 0, 1), QStringLiteral("FF"));
    QVERIFY(state_.undo.saved() == snapshot);
  }

  void everyToolRecordsOneStepPerEdit() {
    const map::TileLayer before = doc().ground;
    gui::PenTool pen(state_);
    host_->paletteView.setSelection(QPoint(1, 1), QPoint(1, 1));
    pen.press(*host_, at(1, 1));
    pen.move(*host_, at(1, 2));
    pen.move(*host_, at(2, 2));
    pen.release(*host_, at(2, 2));
    gui::FillTool fill(state_);
    fill.press(*host_, at(10, 10));
    gui::RectangleTool rect(state_, host_->mapView);
    host_->setTool(&rect);
    host_->paletteView.setSelection(QPoint(2, 2), QPoint(2, 2));
    rect.press(*host_, at(3, 3));
    rect.press(*host_, at(4, 5));
    gui::CopyTool copy(state_, host_->mapView);
    host_->setTool(&copy);
    copy.press(*host_, at(3, 3));
    copy.press(*host_, at(4, 4));
    copy.press(*host_, at(12, 12));
    QCOMPARE(code(doc().ground, 13, 13), QStringLiteral("22"));
    host_->setTool(nullptr);
    QCOMPARE(state_.history.size(), std::size_t(4));
    QCOMPARE(state_.history.undoKind(), std::optional(map::EditKind::Paste));
    data::ProjectDatabase db;
    while (state_.history.undo(doc(), db)) {
    }
    QVERIFY(doc().ground == before);
    // The sky pen's strokes are steps too.
    host_->currentMode = gui::kSkyMode;
    pen.press(*host_, at(0, 0));
    pen.release(*host_, at(0, 0));
    QCOMPARE(state_.history.undoKind(), std::optional(map::EditKind::SkyPen));
  }

  void passabilityMarksTheClasses() {
    gui::SymbolSheet symbols;
    symbols.load(QUILLANE_SOURCE_DIR "/nowhere");  // the installed assets
    for (bool split : {false, true}) {
      QImage work(512, 1536, QImage::Format_RGB32);
      work.fill(Qt::white);
      gui::markPassability(work, symbols, split);
      const int lastMarked = split ? 31 : 10;
      const int firstEventRow = split ? 16 : 9;
      // A marked tile is no longer white at its centre; the two classes differ.
      QImage blocked = work.copy(0, 0, 32, 32);
      QImage eventBlocked = work.copy(0, firstEventRow * 32, 32, 32);
      QVERIFY(blocked != eventBlocked);
      QVERIFY(work.pixelColor(16, 5 * 32 + 16) != QColor(Qt::white));
      QCOMPARE(work.copy(32 * 7, 32 * 3, 32, 32), blocked);
      QCOMPARE(work.copy(32 * 15, firstEventRow * 32 + 32, 32, 32), eventBlocked);
      // Passable tiles stay as they were.
      QCOMPARE(work.pixelColor(16, (lastMarked + 1) * 32 + 16), QColor(Qt::white));
      // The impassable mark is red, the event mark amber: the mark is not a marker ring.
      QColor cross = blocked.pixelColor(16, 16);
      QVERIFY2(cross.red() > cross.green() + 40, qPrintable(cross.name()));
    }
  }
};

QTEST_MAIN(MapToolsTest)
#include "map_tools_test.moc"
