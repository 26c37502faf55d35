// The map view as the window and the mouse drive it: the default size keeps every
// control where it was, a larger window shows more cells, the wheel scrolls and with
// Ctrl zooms around the cell under the pointer, the middle button drags the view, the
// ruler keeps its own room, the code under the pointer, the edit history through its
// keys and buttons, and the window's place kept between runs.
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QtTest>
#include <filesystem>

#include "gui/app/main_window.h"
#include "gui/app/window_placement.h"
#include "gui/app/workspace.h"
#include "gui/map/map_ruler.h"
#include "gui/map/map_view.h"
#include "gui/map/palette_view.h"
#include "gui/ui/message_box.h"
#include "gui/ui/message_panel.h"
#include "window_fixture.h"

using namespace quillane;
namespace fs = std::filesystem;

namespace {

void wheel(QWidget& target, QPoint at, int angle, Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QWheelEvent event(QPointF(at), QPointF(target.mapToGlobal(at)), QPoint(), QPoint(0, angle), Qt::NoButton, mods,
                    Qt::NoScrollPhase, false);
  QApplication::sendEvent(&target, &event);
}

QPoint cellPoint(const gui::MapView& view, int column, int row) {
  const double s = view.cellSize();
  return QPoint(int((column - view.scrollColumn() + 0.5) * s), int((row - view.scrollRow() + 0.5) * s));
}

}  // namespace

class AppViewGrowthTest : public QObject {
  Q_OBJECT
  fs::path dir_;
  std::unique_ptr<app::Workspace> ws_;

  // The window on map 0, made 80 × 80 cells so that the view can scroll.
  std::unique_ptr<app::MainWindow> openWindow(double zoom = 100) {
    ws_ = fixture::loadedWorkspace(dir_);
    auto w = fixture::windowOnFirstMap(*ws_);
    ws_->map->width = 80;
    ws_->map->height = 80;
    ws_->map->ground.fillArea(80, 80, map::TileCode("00"));
    w->rebuildCanvas();
    if (zoom != 100) {
      while (w->view().zoom() > zoom) w->dispatch(QStringLiteral("KSU"));
    }
    QApplication::setActiveWindow(w.get());
    return w;
  }

  QString text(app::MainWindow& w, const char* name) { return w.field(QString::fromLatin1(name))->text(); }

 private slots:
  void init() {
    QVERIFY(fixture::makeScratchProject(dir_, "quillane_growth", 9));
    fixture::answerBoxesYes();
  }
  void cleanup() {
    fixture::clearAnswerHooks();
    ws_.reset();
    fs::remove_all(dir_);
  }

  void defaultSizeKeepsEveryPlace() {
    auto w = openWindow();
    QCOMPARE(w->size(), QSize(994, 594));
    QCOMPARE(w->size(), w->defaultSize());
    QCOMPARE(w->view().geometry(), QRect(8, 8, 480, 480));
    QCOMPARE(w->findChild<QScrollBar*>(QStringLiteral("VSCROLL1"))->geometry(), QRect(488, 8, 17, 480));
    QCOMPARE(w->findChild<QScrollBar*>(QStringLiteral("HSCROLL1"))->geometry(), QRect(8, 488, 480, 17));
    QCOMPARE(w->palette().pos(), QPoint(528, 8));
    QCOMPARE(w->button(QStringLiteral("BUTTON75"))->pos(), QPoint(8, 520));
    QCOMPARE(w->view().visibleColumns(), 15);
    QCOMPARE(w->view().visibleRows(), 15);
    QCOMPARE(w->findChild<QScrollBar*>(QStringLiteral("HSCROLL1"))->maximum(), 80 - 15);
    // The window can be made larger, not smaller.
    QCOMPARE(w->minimumSize(), QSize(994, 594));
    QVERIFY(w->maximumSize().width() > 994);
  }

  void largerWindowShowsMoreCells() {
    auto w = openWindow();
    w->resize(994 + 320, 594 + 160);
    gui::MapView& view = w->view();
    QCOMPARE(view.geometry(), QRect(8, 8, 800, 640));
    QCOMPARE(view.visibleColumns(), 25);
    QCOMPARE(view.visibleRows(), 20);
    QCOMPARE(w->findChild<QScrollBar*>(QStringLiteral("HSCROLL1"))->maximum(), 80 - 25);
    QCOMPARE(w->findChild<QScrollBar*>(QStringLiteral("VSCROLL1"))->maximum(), 80 - 20);
    QCOMPARE(w->findChild<QScrollBar*>(QStringLiteral("VSCROLL1"))->geometry(), QRect(808, 8, 17, 640));
    // The palette and the commands move right, the modes down, and they still work.
    QCOMPARE(w->palette().pos(), QPoint(528 + 320, 8));
    QCOMPARE(w->button(QStringLiteral("BUTTON75"))->pos(), QPoint(8, 520 + 160));
    QCOMPARE(w->button(QStringLiteral("BUTTON93"))->x(), w->button(QStringLiteral("BUTTON5"))->x());
    // A cell that only the larger view shows takes the pen.
    w->palette().setSelection(QPoint(2, 1), QPoint(2, 1));
    QTest::mouseClick(&view, Qt::LeftButton, {}, cellPoint(view, 22, 18));
    QCOMPARE(ws_->map->ground.text(18, 22), std::string("12"));
    // Its picture holds the cells: the frame has the view's size.
    QImage frame;
    view.composeFrame(frame);
    QCOMPARE(frame.size(), QSize(800, 640));
    // Back to the default size: the default geometry again.
    w->resize(w->defaultSize());
    QCOMPARE(view.geometry(), QRect(8, 8, 480, 480));
    QCOMPARE(w->palette().pos(), QPoint(528, 8));
    QCOMPARE(view.visibleColumns(), 15);
  }

  void ctrlWheelZoomsAroundTheCellUnderThePointer() {
    auto w = openWindow(75);
    gui::MapView& view = w->view();
    w->dispatch(QStringLiteral("6"));
    for (int i = 0; i < 20; ++i) w->dispatch(QStringLiteral("6"));
    for (int i = 0; i < 17; ++i) w->dispatch(QStringLiteral("2"));
    const QPoint pointer(250, 130);
    const gui::CanvasPoint before = view.pointAt(pointer);
    wheel(view, pointer, 120, Qt::ControlModifier);
    QCOMPARE(view.zoom(), 100.0);
    QCOMPARE(w->field(QStringLiteral("EDIT157"))->text(), QStringLiteral("100"));
    gui::CanvasPoint after = view.pointAt(pointer);
    QCOMPARE(after.column, before.column);
    QCOMPARE(after.row, before.row);
    wheel(view, pointer, -240, Qt::ControlModifier);  // two steps out
    QCOMPARE(view.zoom(), 62.5);
    after = view.pointAt(pointer);
    QCOMPARE(after.column, before.column);
    QCOMPARE(after.row, before.row);
    QCOMPARE(w->findChild<QScrollBar*>(QStringLiteral("HSCROLL1"))->value(), view.scrollColumn());
    // Ctrl with the wheel is no Ctrl alone: nothing scrolled left.
    QTest::keyPress(w.get(), Qt::Key_Control);
    wheel(view, pointer, 120, Qt::ControlModifier);
    const int column = view.scrollColumn();
    QTest::keyRelease(w.get(), Qt::Key_Control);
    QTest::qWait(50);
    QCOMPARE(view.scrollColumn(), column);
    QCOMPARE(view.zoom(), 75.0);
  }

  void wheelScrollsAndMiddleButtonDrags() {
    auto w = openWindow();
    gui::MapView& view = w->view();
    wheel(view, QPoint(100, 100), -120);  // towards the user: down three rows
    QCOMPARE(view.scrollRow(), 3);
    wheel(view, QPoint(100, 100), -120, Qt::ShiftModifier);
    QCOMPARE(view.scrollColumn(), 3);
    wheel(view, QPoint(100, 100), 60);  // half a notch waits for the other half
    QCOMPARE(view.scrollRow(), 3);
    wheel(view, QPoint(100, 100), 60);
    QCOMPARE(view.scrollRow(), 0);
    QCOMPARE(w->findChild<QScrollBar*>(QStringLiteral("VSCROLL1"))->value(), 0);
    // Dragging with the middle button moves the map with the pointer, painting nothing.
    const map::TileLayer ground = ws_->map->ground;
    QTest::mousePress(&view, Qt::MiddleButton, {}, QPoint(300, 300));
    QMouseEvent move(QEvent::MouseMove, QPointF(300 - 64, 300 - 96), QPointF(view.mapToGlobal(QPoint(236, 204))),
                     Qt::NoButton, Qt::MiddleButton, Qt::NoModifier);
    QApplication::sendEvent(&view, &move);
    QTest::mouseRelease(&view, Qt::MiddleButton, {}, QPoint(236, 204));
    QCOMPARE(view.scrollColumn(), 3 + 2);
    QCOMPARE(view.scrollRow(), 3);
    QCOMPARE(w->findChild<QScrollBar*>(QStringLiteral("HSCROLL1"))->value(), 5);
    QVERIFY(ws_->map->ground == ground);
  }

  void rulerStandsBesideTheViewAndStatusShowsTheCode() {
    auto w = openWindow();
    gui::MapView& view = w->view();
    if (!view.ruler()) w->dispatch(QStringLiteral("MJP"));
    QVERIFY(view.ruler());
    // The ruler stands in the margins beyond the scroll bars: the view keeps every cell.
    auto* across = w->findChild<gui::MapRuler*>(QStringLiteral("MAPRULER_H"));
    auto* down = w->findChild<gui::MapRuler*>(QStringLiteral("MAPRULER_V"));
    QVERIFY(across && down);
    QVERIFY(across->showing() && down->showing());
    QVERIFY(!across->geometry().intersects(view.geometry()));
    QVERIFY(!down->geometry().intersects(view.geometry()));
    QCOMPARE(across->geometry(), QRect(8, 505, 480, 15));
    QCOMPARE(down->geometry(), QRect(505, 8, 23, 480));
    QCOMPARE(view.visibleColumns(), 15);
    w->palette().setSelection(QPoint(3, 0), QPoint(3, 0));
    QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(14 * 32 + 20, 14 * 32 + 20));
    QCOMPARE(ws_->map->ground.text(14, 14), std::string("03"));
    // Its numbers: black ticks and digits on the window's background.
    QImage picture = across->grab().toImage();
    bool inked = false;
    for (int x = 0; x < picture.width() && !inked; ++x)
      for (int y = 0; y < picture.height() && !inked; ++y) inked = picture.pixelColor(x, y).lightness() < 80;
    QVERIFY(inked);
    // A larger window keeps the ruler beside the view.
    w->resize(994 + 100, 594 + 50);
    QCOMPARE(across->geometry(), QRect(8, 555, 580, 15));
    QCOMPARE(down->geometry(), QRect(605, 8, 23, 530));
    // The message panel over the view hides the numbers with the map.
    w->messagePanel().show();
    QVERIFY(!across->showing());
    w->messagePanel().hide();
    QVERIFY(across->showing());
    w->dispatch(QStringLiteral("MJP"));
    QVERIFY(!across->showing());
    w->resize(w->defaultSize());

    // Moving the mouse shows the cell and its code, without a click.
    ws_->map->ground.set(4, 6, "A7");
    QTest::mouseMove(&view, cellPoint(view, 6, 4));
    QCOMPARE(text(*w, "EDIT16"), QStringLiteral("6"));
    QCOMPARE(text(*w, "EDIT17"), QStringLiteral("4"));
    QCOMPARE(text(*w, "EDIT_CODE"), QStringLiteral("A7"));
    w->dispatch(QStringLiteral("MPU"));
    ws_->map->sky.set(4, 6, "00");
    QTest::mouseMove(&view, cellPoint(view, 6, 4) + QPoint(1, 0));
    QCOMPARE(text(*w, "EDIT_CODE"), QStringLiteral("00（なし）"));
  }

  void historyKeysAndButtons() {
    auto w = openWindow();
    w->show();
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
    gui::MapView& view = w->view();
    QPushButton* undo = w->button(QStringLiteral("BUTTON_UDO"));
    QPushButton* redo = w->button(QStringLiteral("BUTTON_RDO"));
    QVERIFY(!undo->isEnabled());
    // A stroke over three cells, then a fill of the rest.
    w->palette().setSelection(QPoint(1, 0), QPoint(1, 0));
    QTest::mousePress(&view, Qt::LeftButton, {}, cellPoint(view, 1, 1));
    QTest::mouseMove(&view, cellPoint(view, 2, 1));
    QTest::mouseMove(&view, cellPoint(view, 3, 1));
    QTest::mouseRelease(&view, Qt::LeftButton, {}, cellPoint(view, 3, 1));
    const map::TileLayer afterStroke = ws_->map->ground;
    QCOMPARE(afterStroke.text(1, 3), std::string("01"));
    w->dispatch(QStringLiteral("PNT"));
    w->palette().setSelection(QPoint(2, 0), QPoint(2, 0));
    QTest::mouseClick(&view, Qt::LeftButton, {}, cellPoint(view, 10, 10));
    QCOMPARE(ws_->map->ground.text(70, 70), std::string("02"));
    QVERIFY(undo->isEnabled());
    QVERIFY(undo->toolTip().contains(QStringLiteral("塗りつぶし")));
    const int column = view.scrollColumn();

    QTest::keyClick(w.get(), Qt::Key_Z, Qt::ControlModifier);
    QTRY_VERIFY(ws_->map->ground == afterStroke);
    QVERIFY(undo->toolTip().contains(QStringLiteral("ペン")));
    QVERIFY(redo->toolTip().contains(QStringLiteral("塗りつぶし")));
    QTest::keyClick(w.get(), Qt::Key_Z, Qt::ControlModifier);
    QTRY_COMPARE(ws_->map->ground.text(1, 2), std::string("00"));  // the whole stroke
    QTRY_VERIFY(!undo->isEnabled());
    QTest::keyClick(w.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QTRY_VERIFY(ws_->map->ground == afterStroke);
    QTest::keyClick(w.get(), Qt::Key_Y, Qt::ControlModifier);
    QTRY_COMPARE(ws_->map->ground.text(70, 70), std::string("02"));
    QCOMPARE(view.scrollColumn(), column);  // Ctrl with Z and Y scrolled nothing
    // The canvas shows what the history put back.
    QCOMPARE(w->canvas().image().pixel(1 * 32 + 5, 2 * 32 + 5), w->canvas().image().pixel(70 * 32 + 5, 70 * 32 + 5));

    // Another map: the history starts afresh.
    ui::setChooserHook([](const ui::ChooserRequest&) { return 0; });
    w->post(QStringLiteral("NXM"));
    QTRY_COMPARE(ws_->mapIndex, 1);
    QTRY_VERIFY(!undo->isEnabled());
    QVERIFY(!redo->isEnabled());
  }

  void placeIsKeptBetweenRuns() {
    const QString folder = QString::fromStdString((dir_ / "settings").string());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder);
    ws_ = fixture::loadedWorkspace(dir_);
    {
      app::MainWindow w(*ws_);
      w.setGeometry(40, 50, 1200, 700);
      app::saveWindowPlacement(w);
    }
    app::MainWindow again(*ws_);
    app::restoreWindowPlacement(again);
    again.show();
    QVERIFY(QTest::qWaitForWindowExposed(&again));
    QCOMPARE(again.size(), QSize(1200, 700));
    QCOMPARE(again.view().size(), QSize(480 + 206, 480 + 106));
    // Nothing of it goes into ZOV.INI.
    QVERIFY(!fs::exists(dir_ / "zov.ini") && !fs::exists(dir_ / "ZOV.INI"));
  }
};

QTEST_MAIN(AppViewGrowthTest)
#include "app_view_growth_test.moc"
