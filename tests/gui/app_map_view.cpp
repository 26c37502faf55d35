// The map view's picture: the visible cells scaled by nearest neighbour from the canvas
// image at every zoom, scrolled, and the cell under the mouse.
#include <QPainter>
#include <QtTest>

#include "core/map/new_map.h"
#include "core/map/view_geometry.h"
#include "gui/map/map_canvas.h"
#include "gui/map/map_view.h"

using namespace quillane;

class AppMapViewTest : public QObject {
  Q_OBJECT
  map::MapDocument doc_ = map::newMapDocument(nullptr, false);
  gui::MapCanvas canvas_;

  // Tile value v is a flat colour (v, 255 - v, 7) in the work bitmap.
  static QRgb colourOf(int v) { return qRgb(v, 255 - v, 7); }

 private slots:
  void initTestCase() {
    QImage& work = canvas_.sheets().work;
    QPainter p(&work);
    for (int v = 0; v < 256; ++v) p.fillRect((v % 16) * 32, (v / 16) * 32, 32, 32, QColor(colourOf(v)));
    p.end();
    doc_.width = 70;
    doc_.height = 65;
    for (int r = 0; r < 65; ++r)
      for (int c = 0; c < 70; ++c) {
        QString code = QString::asprintf("%02X", (r * 70 + c) % 256);
        doc_.ground.set(r, c, code.toStdString());
      }
    canvas_.setDocument(&doc_, false);
    canvas_.setStartMarkerShown(false);
    canvas_.build();
  }

  void everyZoomShowsTheRightCellsScrolled() {
    gui::MapView view(canvas_);
    QImage frame;
    for (double zoom : map::kZoomSteps) {
      view.setZoom(zoom);
      view.setScroll(3, 2);
      view.composeFrame(frame);
      const int s = map::cellPixels(zoom);
      const int n = map::cellsShown(zoom);
      QCOMPARE(view.visibleColumns(), n);
      QCOMPARE(view.visibleRows(), n);
      const int shownCols = std::min(n, 70 - view.scrollColumn());
      const int shownRows = std::min(n, 65 - view.scrollRow());
      for (int i : {0, shownCols / 2, shownCols - 1})
        for (int j : {0, shownRows / 2, shownRows - 1}) {
          int r = view.scrollRow() + j, c = view.scrollColumn() + i;
          QRgb want = colourOf((r * 70 + c) % 256);
          QCOMPARE(frame.pixel(i * s, j * s), want);
          QCOMPARE(frame.pixel(i * s + s - 1, j * s + s - 1), want);
        }
      // Beyond the map: the background.
      if (shownCols < n) QCOMPARE(frame.pixel(shownCols * s + 1, 0), qRgb(96, 96, 96));
    }
  }

  void gridDarkensTheLastPixelOfEachCell() {
    gui::MapView view(canvas_);
    view.setZoom(50);
    view.setScroll(0, 0);
    view.setGrid(true);
    QImage frame;
    view.composeFrame(frame);
    QRgb cell = colourOf(0);
    QCOMPARE(frame.pixel(5, 5), cell);
    QCOMPARE(frame.pixel(15, 5), qRgb(qRed(cell) / 2, qGreen(cell) / 2, qBlue(cell) / 2));
  }

  void pointUnderTheMouse() {
    gui::MapView view(canvas_);
    view.setZoom(75);  // cells of 24
    view.setScroll(10, 5);
    gui::CanvasPoint at = view.pointAt(QPoint(50, 30));
    QCOMPARE(at.column, 12);
    QCOMPARE(at.row, 6);
    QVERIFY(at.actsOnMap());
    at = view.pointAt(QPoint(479, 479));
    QCOMPARE(at.column, 29);
    QCOMPARE(at.row, 24);
    at = view.pointAt(QPoint(-3, 10));  // left of the view: no map action
    QVERIFY(!at.actsOnMap());
    QCOMPARE(at.clampedColumn, 10);
  }
};

QTEST_MAIN(AppMapViewTest)
#include "app_map_view.moc"
