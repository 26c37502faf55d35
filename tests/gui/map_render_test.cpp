// quillane-tool render's picture against the editor's own map view, pixel by pixel: a
// 20 × 17 map with ground and sky tiles from the sample's sheets and three events,
// opened in the main window and looked at in ground and sky mode (the view scrolled to
// cover the whole map at zoom 100, grid on and off), and drawn by renderMap with each
// layer option.
#include "source_paths.h"
#include <QtTest>
#include <filesystem>

#include "core/data/map_context.h"
#include "core/map/map_files.h"
#include "core/map/new_map.h"
#include "core/text/project_files.h"
#include "gui/map/canvas_host.h"
#include "gui/map/map_canvas.h"
#include "gui/map/map_render.h"
#include "gui/map/map_view.h"
#include "window_fixture.h"

using namespace quillane;
namespace fs = std::filesystem;
using Layer = gui::RenderOptions::Layer;

namespace {

constexpr int kColumns = 20, kRows = 17;
// Cells with an event, and cells with a sky tile (one of them under an event).
const QPoint kEvents[] = {{2, 3}, {11, 8}, {18, 15}};
bool hasSky(int row, int column) { return (row + 2 * column) % 5 == 0; }

}  // namespace

class MapRenderTest : public QObject {
  Q_OBJECT
  fs::path dir_;
  std::unique_ptr<app::Workspace> ws_;
  std::unique_ptr<app::MainWindow> window_;

  QImage render(Layer layer, bool events, bool grid) {
    map::MapDocument doc = map::readMap(ws_->projectFolder, 0, data::mapContext(ws_->db));
    gui::RenderOptions options;
    options.layer = layer;
    options.events = events;
    options.grid = grid;
    QStringList messages;
    QImage image = gui::renderMap(ws_->projectFolder, ws_->programDir, ws_->db, doc, options, messages);
    if (!messages.isEmpty()) qWarning() << messages;
    return image;
  }

  // The whole map as the view shows it at zoom 100 (without the ruler), in four
  // scrolled frames.
  QImage viewed() {
    gui::MapView& view = window_->view();
    QImage whole(kColumns * gui::kTile, kRows * gui::kTile, QImage::Format_RGB32);
    whole.fill(Qt::magenta);
    const int n = view.visibleCells();
    view.setRuler(false);
    for (QPoint scroll : {QPoint(0, 0), QPoint(kColumns - n, 0), QPoint(0, kRows - n), QPoint(kColumns - n, kRows - n)}) {
      view.setScroll(scroll.x(), scroll.y());
      QImage frame;
      view.composeFrame(frame);
      for (int y = 0; y < n * gui::kTile; ++y)
        for (int x = 0; x < n * gui::kTile; ++x)
          whole.setPixel(scroll.x() * gui::kTile + x, scroll.y() * gui::kTile + y, frame.pixel(x, y));
    }
    return whole;
  }

  // The cells (column, row) where two pictures of the map differ.
  static QList<QPoint> differingCells(const QImage& a, const QImage& b) {
    QList<QPoint> cells;
    if (a.size() != b.size()) return {QPoint(-1, -1)};
    for (int r = 0; r < kRows; ++r)
      for (int c = 0; c < kColumns; ++c) {
        bool same = true;
        for (int y = 0; y < gui::kTile && same; ++y)
          for (int x = 0; x < gui::kTile && same; ++x)
            same = a.pixel(c * gui::kTile + x, r * gui::kTile + y) == b.pixel(c * gui::kTile + x, r * gui::kTile + y);
        if (!same) cells << QPoint(c, r);
      }
    return cells;
  }

 private slots:
  void initTestCase() {
    QVERIFY(fixture::makeScratchProject(dir_, "map_render", 11));
    const fs::path project = dir_ / "proj";
    fs::create_directories(project / "GRP");
    for (const char* f : {"MAP.BMP", "SKY.BMP", "SKYm.BMP", "CHR.BMP"})
      fs::copy_file(fs::path(QUILLANE_SOURCE_DIR) / "sample" / "GRP" / f, project / "GRP" / f);
    ws_ = fixture::loadedWorkspace(dir_);

    // Map 0 written: tiles everywhere, some sky, three events; its start event does
    // not exist, so the editor draws no start marker either.
    map::MapDocument doc = map::newMapDocument(nullptr, ws_->db.initial.splitMapChips());
    doc.width = kColumns;
    doc.height = kRows;
    doc.skyTileSetName = "SKY";
    doc.startEvent = 50;
    const std::string bank = ws_->db.initial.splitMapChips() ? "0" : "";
    static const char* hex = "0123456789ABCDEF";
    for (int r = 0; r < kRows; ++r)
      for (int c = 0; c < kColumns; ++c) {
        doc.ground.set(r, c, bank + std::string{hex[(r * 3 + c) % 16], hex[(r + 5 * c) % 8]});
        doc.sky.set(r, c, hasSky(r, c) ? std::string{hex[1 + (r + c) % 7], hex[(r * c) % 16]} : "00");
      }
    doc.events.lastNumber = 2;
    for (int e = 0; e < 3; ++e) {
      event::EventRecord& rec = doc.events.records[static_cast<std::size_t>(e)];
      rec.x = kEvents[e].x(), rec.y = kEvents[e].y();
      rec.lines[0].message = event::kEndMarker;
      doc.events.grid.at(rec.x, rec.y) = {std::string{"0"} + hex[e + 1], "1", std::to_string(e)};
    }
    QVERIFY(hasSky(kEvents[1].y(), kEvents[1].x()));  // the event stands on a sky tile
    for (const auto& f : map::writeMapFiles(doc, 0, data::mapContext(ws_->db), ws_->random))
      files::writeFileAtomic(files::writePath(ws_->projectFolder, f.relative), f.content);

    window_ = fixture::windowOnFirstMap(*ws_);
    QCOMPARE(window_->view().zoom(), 100.0);
    QCOMPARE(window_->canvas().columns(), kColumns);
    QVERIFY(!window_->canvas().markerCell());
  }

  void groundLayerIsTheGroundMapView() {
    window_->enterMode(gui::kGroundMode);
    const QImage view = viewed();
    QCOMPARE(differingCells(render(Layer::Ground, true, false), view), QList<QPoint>());
    // Without events the pictures differ exactly on the event cells.
    QCOMPARE(differingCells(render(Layer::Ground, false, false), view),
             (QList<QPoint>{kEvents[0], kEvents[1], kEvents[2]}));
  }

  void skyLayerIsTheSkyMapView() {
    window_->enterMode(gui::kSkyMode);
    QCOMPARE(differingCells(render(Layer::Sky, true, false), viewed()), QList<QPoint>());
  }

  void gridIsTheViewsGrid() {
    window_->enterMode(gui::kGroundMode);
    window_->dispatch(QStringLiteral("GLD"));
    QVERIFY(window_->view().grid());
    QCOMPARE(differingCells(render(Layer::Ground, true, true), viewed()), QList<QPoint>());
    window_->enterMode(gui::kSkyMode);
    QCOMPARE(differingCells(render(Layer::Sky, true, true), viewed()), QList<QPoint>());
    window_->dispatch(QStringLiteral("GLD"));
    QVERIFY(!window_->view().grid());
  }

  void bothLayersAreTheSkyViewUndimmed() {
    // The editor has no view of both layers as the game shows them: its sky view with
    // the dimming of the ground switched off is that picture.
    window_->enterMode(gui::kSkyMode);
    window_->canvas().setSkyDimmed(false);
    window_->rebuildCanvas();
    const QImage both = render(Layer::Both, true, false);
    QCOMPARE(differingCells(both, viewed()), QList<QPoint>());
    window_->canvas().setSkyDimmed(true);
    window_->rebuildCanvas();
    // Where no sky tile lies, both layers show the plain ground.
    const QList<QPoint> differ = differingCells(both, render(Layer::Ground, true, false));
    QVERIFY(!differ.isEmpty());
    for (QPoint cell : differ) QVERIFY2(hasSky(cell.y(), cell.x()), qPrintable(QString("%1,%2").arg(cell.x()).arg(cell.y())));
  }

  void scaledPictureIsTheSameCellsEnlarged() {
    map::MapDocument doc = map::readMap(ws_->projectFolder, 0, data::mapContext(ws_->db));
    gui::RenderOptions options;
    options.scale = 3;
    options.grid = true;
    QStringList messages;
    const QImage big = gui::renderMap(ws_->projectFolder, ws_->programDir, ws_->db, doc, options, messages);
    const QImage one = render(Layer::Both, false, false);
    QCOMPARE(big.size(), one.size() * 3);
    for (QPoint p : {QPoint(0, 0), QPoint(40, 70), QPoint(333, 500)})
      QCOMPARE(big.pixel(p.x() * 3 + 1, p.y() * 3 + 1), one.pixel(p));
    // The grid line is the last pixel of each enlarged cell.
    const QRgb inside = one.pixel(31, 10);
    QCOMPARE(big.pixel(95, 31), qRgb(qRed(inside) / 2, qGreen(inside) / 2, qBlue(inside) / 2));
  }

  void cleanupTestCase() {
    window_.reset();
    fs::remove_all(dir_);
  }
};

QTEST_MAIN(MapRenderTest)
#include "map_render_test.moc"
