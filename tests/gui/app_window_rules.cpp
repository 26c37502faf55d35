// The main window as a user meets it: looking at a map asks nothing, the start marker
// follows its event, the status fields follow every change, damaged and case-changed
// map files, bitmaps missing or named in Japanese, unsaved work, the palette under the
// mouse, the tools of ground map mode, the undo buffer of the open map, the keys, the
// modal list chooser, data beyond the counts, and the fonts.
#include <QApplication>
#include <QFontInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <filesystem>
#include <functional>

#include "core/data/map_context.h"
#include "core/event/event_editing.h"
#include "core/map/map_file_names.h"
#include "core/map/map_files.h"
#include "core/map/new_map.h"
#include "core/text/project_files.h"
#include "gui/app/main_window.h"
#include "gui/app/workspace.h"
#include "gui/map/map_canvas.h"
#include "gui/map/map_view.h"
#include "gui/map/palette_view.h"
#include "gui/ui/message_box.h"
#include "gui/ui/message_panel.h"
#include "window_fixture.h"

using namespace quillane;
namespace fs = std::filesystem;

namespace {
const QString kDiscard = QStringLiteral("編集中のマップは保存されていません。変更を破棄してよろしいですか？");

// Answers choosers from a queue (positions; a callback may look at the window first)
// and boxes with one Yes/No answer, recording both.
struct Script {
  QList<int> choices;
  QStringList boxes;
  int choosers = 0;
  ui::Answer yesNo = ui::Answer::Yes;
  std::function<void()> onChoose;
  void install() {
    ui::setChooserHook([this](const ui::ChooserRequest&) {
      ++choosers;
      if (onChoose) onChoose();
      if (choices.isEmpty()) qFatal("unexpected chooser");
      return choices.takeFirst();
    });
    ui::setBoxHook([this](const ui::BoxRequest& r) {
      boxes << r.text;
      return r.buttons == ui::Buttons::YesNo ? yesNo : ui::Answer::Ok;
    });
  }
};
}  // namespace

class AppWindowRulesTest : public QObject {
  Q_OBJECT
  fs::path dir_;
  std::unique_ptr<app::Workspace> ws_;
  Script script_;

  fs::path project() const { return dir_ / "proj"; }

  // A main window on the blank project with map 0 created (no reference).
  std::unique_ptr<app::MainWindow> openWindow() {
    ws_ = fixture::loadedWorkspace(dir_);
    auto w = std::make_unique<app::MainWindow>(*ws_);
    script_.choices = {1, 0};
    w->start();
    script_.boxes.clear();
    return w;
  }

  // Writes `doc` as map `number` of the project, as a save would.
  void writeMap(const map::MapDocument& doc, int number) {
    for (const auto& f : map::writeMapFiles(doc, number, data::mapContext(ws_->db), ws_->random))
      files::writeFileAtomic(files::writePath(project(), f.relative), f.content);
  }

  // A 20 × 15 map whose start event 0 stands at (3, 3) with adds far outside the map.
  map::MapDocument mapWithStartEvent() {
    map::MapDocument doc = map::newMapDocument(nullptr, false);
    event::createEvent(doc.events, 3, 3, "01", 1);
    doc.startEvent = 0;
    doc.xAdd = 40;
    doc.yAdd = -9;
    return doc;
  }

  // The centre of map cell (column, row) in view coordinates.
  static QPoint cellPoint(const gui::MapView& view, int column, int row) {
    const double s = view.cellSize();
    return QPoint(int((column - view.scrollColumn() + 0.5) * s), int((row - view.scrollRow() + 0.5) * s));
  }

  // A click at a point of the window, delivered to the control that stands there.
  static void clickAt(QWidget& window, QPoint pos) {
    QWidget* target = window.childAt(pos);
    QVERIFY(target);
    QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(&window, pos));
  }

  QString text(app::MainWindow& w, const char* field) { return w.field(QString::fromLatin1(field))->text(); }

 private slots:
  void init() {
    QVERIFY(fixture::makeScratchProject(dir_, "quillane_rules", 5));
    script_ = Script{};
    script_.install();
  }
  void cleanup() {
    ui::setChooserHook({});
    ui::setBoxHook({});
    ws_.reset();
    fs::remove_all(dir_);
  }

  void lookingAtAMapAsksNothing() {
    auto w = openWindow();
    writeMap(mapWithStartEvent(), 1);
    script_.choices = {2};
    w->dispatch(QStringLiteral("HEN"));
    QCOMPARE(ws_->mapIndex, 1);
    // The marker corrected the adds into the map; that is no edit of the user's.
    QCOMPARE(ws_->map->xAdd, 16);
    QCOMPARE(ws_->map->yAdd, 0);
    QVERIFY(!ws_->map->modified);
    QCOMPARE(w->canvas().markerCell(), std::optional<QPoint>(QPoint(19, 3)));
    w->dispatch(QStringLiteral("BKM"));
    QCOMPARE(ws_->mapIndex, 0);
    QVERIFY(!script_.boxes.contains(kDiscard));
  }

  void markerFollowsTheStartEvent() {
    auto w = openWindow();
    map::MapDocument doc = mapWithStartEvent();
    doc.xAdd = 1;
    doc.yAdd = 0;
    writeMap(doc, 1);
    script_.choices = {2};
    w->dispatch(QStringLiteral("HEN"));
    w->dispatch(QStringLiteral("EVM"));
    QCOMPARE(w->mode(), 2);
    QCOMPARE(w->canvas().markerCell(), std::optional<QPoint>(QPoint(4, 3)));
    // Dragging the start event moves the marker with it at once.
    gui::MapView& view = w->view();
    QTest::mousePress(&view, Qt::LeftButton, {}, cellPoint(view, 3, 3));
    QTest::mouseMove(&view, cellPoint(view, 8, 6));
    QTest::mouseRelease(&view, Qt::LeftButton, {}, cellPoint(view, 8, 6));
    QCOMPARE(ws_->map->events.records[0].x, 8);
    QCOMPARE(w->canvas().markerCell(), std::optional<QPoint>(QPoint(9, 6)));
    // Moving another event onto the marker's cell pushes the marker off it.
    event::createEvent(ws_->map->events, 12, 6, "02", 1);
    w->rebuildCanvas();
    QTest::mousePress(&view, Qt::LeftButton, {}, cellPoint(view, 12, 6));
    QTest::mouseMove(&view, cellPoint(view, 9, 6));
    QTest::mouseRelease(&view, Qt::LeftButton, {}, cellPoint(view, 9, 6));
    // (10, 6) and (9, 5) are free, (8, 6) is taken: the last free cell tested, above, wins.
    QCOMPARE(w->canvas().markerCell(), std::optional<QPoint>(QPoint(9, 5)));
  }

  void statusFieldsFollowEveryChange() {
    auto w = openWindow();
    ws_->map->width = 80;
    ws_->map->height = 80;
    w->rebuildCanvas();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    gui::MapView& view = w->view();
    QTest::mouseMove(&view, QPoint(470, 470));  // cell 19, 19 at zoom 75
    QCOMPARE(text(*w, "EDIT16"), QStringLiteral("19"));
    QCOMPARE(text(*w, "EDIT17"), QStringLiteral("19"));
    w->dispatch(QStringLiteral("2"));  // the cell under the mouse is one row further down
    QCOMPARE(text(*w, "EDIT17"), QStringLiteral("20"));
    w->dispatch(QStringLiteral("KSD"));  // zoom 100: cells of 32
    QCOMPARE(text(*w, "EDIT16"), QStringLiteral("14"));
    QCOMPARE(text(*w, "EDIT17"), QStringLiteral("15"));
    // A new 20 × 15 map: the last row is 14.
    script_.yesNo = ui::Answer::Yes;
    script_.choices = {4, 0};
    w->dispatch(QStringLiteral("HEN"));
    QCOMPARE(ws_->mapIndex, 3);
    QCOMPARE(text(*w, "EDIT17"), QStringLiteral("14"));
    QCOMPARE(text(*w, "EDIT4"), QStringLiteral("20"));
    // After a deletion no map is open while the next one is chosen: no mode, no cell.
    QStringList whileChoosing;
    script_.onChoose = [&] { whileChoosing << text(*w, "EDIT9") << text(*w, "EDIT8") << text(*w, "EDIT17"); };
    script_.choices = {1};
    w->dispatch(QStringLiteral("DEL"));
    QCOMPARE(whileChoosing, (QStringList{QString(), QString(), QString()}));
    QCOMPARE(text(*w, "EDIT9"), QStringLiteral("地上マップモード"));
    QCOMPARE(text(*w, "EDIT8"), QStringLiteral("0"));
  }

  void unreadableMapKeepsTheOpenOneAndShowsTheList() {
    auto w = openWindow();
    writeMap(map::newMapDocument(nullptr, false), 2);
    files::writeFileAtomic(files::writePath(project(), map::mapBodyFileName(1)), "\"not a map\",");
    ws_->map->ground.set(0, 0, "5A");
    const int choosersBefore = script_.choosers;
    script_.yesNo = ui::Answer::Yes;  // discard the edit
    script_.choices = {0};            // the list again: cancelled
    w->dispatch(QStringLiteral("NXM"));
    QVERIFY(script_.boxes.last().contains(QStringLiteral("ファイルが壊れています")));
    QCOMPARE(script_.choosers, choosersBefore + 1);
    QCOMPARE(ws_->mapIndex, 0);
    QCOMPARE(ws_->map->ground.text(0, 0), std::string("5A"));
    // A body file in another case is the map, not a map to create.
    const fs::path body = *files::findExisting(project(), map::mapBodyFileName(2));
    fs::rename(body, body.parent_path() / "bzenm002.dat");
    script_.choices = {3};
    script_.boxes.clear();
    w->dispatch(QStringLiteral("HEN"));
    QCOMPARE(ws_->mapIndex, 2);
    QVERIFY(!script_.boxes.contains(QStringLiteral("マップを新規作成します")));
  }

  void bitmapsByStoredNames() {
    auto w = openWindow();
    // The blank project has no GRP folder: the tile set "MAP" is missing. The name stays.
    QCOMPARE(ws_->map->tileSetName, text::Bytes("MAP"));
    QVERIFY(!ws_->map->modified);
    w->dispatch(QStringLiteral("PRT"));
    w->dispatch(QStringLiteral("PRT"));  // the bitmaps are read again
    QCOMPARE(ws_->map->tileSetName, text::Bytes("MAP"));
    QVERIFY(!ws_->map->modified);

    // "表" as the raw CP932 bytes an archive from Windows leaves; its second byte is 0x5C.
    fs::create_directories(project() / "GRP");
    const text::Bytes hyou = text::sj("表");
    QCOMPARE(hyou[1], '\x5C');
    QImage red(512, 512, QImage::Format_RGB32);
    red.fill(Qt::red);
    QVERIFY(red.save(QString::fromStdString((project() / "GRP" / "red.bmp").string()), "BMP"));
    fs::rename(project() / "GRP" / "red.bmp", project() / "GRP" / (hyou + ".BMP"));
    map::MapDocument doc = map::newMapDocument(nullptr, false);
    doc.tileSetName = hyou;
    writeMap(doc, 1);
    script_.boxes.clear();
    script_.choices = {2};
    w->dispatch(QStringLiteral("HEN"));
    QCOMPARE(ws_->mapIndex, 1);
    QVERIFY(!script_.boxes.contains(QStringLiteral("指定の地形キャラクタデータのファイルがありません")));
    QCOMPARE(w->canvas().sheets().work.pixel(5, 5), qRgb(255, 0, 0));
    QCOMPARE(w->canvas().image().pixel(5, 5), qRgb(255, 0, 0));  // tile "00" drawn from it
  }

  void paletteBrushAndUnsavedWork() {
    auto w = openWindow();
    // The palette stands at x 528: the press at 528 + 5 × 32 + 31 is its last column.
    clickAt(*w, QPoint(528 + 5 * 32 + 31, 8 + 2 * 32 + 1));
    QCOMPARE(w->palette().anchor(), QPoint(5, 2));
    clickAt(*w, QPoint(528 + 1 * 32, 8));
    QCOMPARE(w->palette().anchor(), QPoint(1, 0));
    // The brush is what the frame encloses now: after scrolling one column right, "02".
    w->dispatch(QStringLiteral("D"));
    gui::MapView& view = w->view();
    QTest::mouseClick(&view, Qt::LeftButton, {}, cellPoint(view, 4, 2));
    QCOMPARE(ws_->map->ground.text(2, 4), std::string("02"));
    QVERIFY(ws_->map->modified);

    // Unsaved work is not thrown away unasked.
    script_.yesNo = ui::Answer::No;
    script_.boxes.clear();
    w->dispatch(QStringLiteral("NXM"));
    QCOMPARE(script_.boxes, QStringList{kDiscard});
    QCOMPARE(ws_->mapIndex, 0);
    script_.choices = {3};
    w->dispatch(QStringLiteral("HEN"));
    QCOMPARE(script_.boxes.size(), 2);
    QCOMPARE(ws_->mapIndex, 0);
    w->dispatch(QStringLiteral("END"));
    QVERIFY(script_.boxes.last().contains(QStringLiteral("保存されていない変更があります")));
    QVERIFY(!w->ending());
  }

  void groundToolsAndTheUndoBufferFollowTheMap() {
    auto w = openWindow();
    const QStringList tools = {QStringLiteral("BUTTON86"), QStringLiteral("BUTTON87"), QStringLiteral("BUTTON102"),
                               QStringLiteral("BUTTON92")};
    for (const QString& b : tools) QVERIFY2(w->button(b)->isEnabled(), qPrintable(b));
    for (const char* mode : {"MPU", "EVM"}) {
      w->dispatch(QString::fromLatin1(mode));
      w->updateButtons();
      for (const QString& b : tools) QVERIFY2(!w->button(b)->isEnabled(), qPrintable(b + QLatin1String(mode)));
    }
    w->dispatch(QStringLiteral("MPM"));
    w->updateButtons();
    QVERIFY(w->button(QStringLiteral("BUTTON92"))->isEnabled());

    // A pen stroke on map 0, then map 1 opens: undo there has nothing of map 0.
    writeMap(map::newMapDocument(nullptr, false), 1);
    w->palette().setSelection(QPoint(3, 3), QPoint(3, 3));
    gui::MapView& view = w->view();
    QTest::mouseClick(&view, Qt::LeftButton, {}, cellPoint(view, 1, 1));
    QCOMPARE(ws_->map->ground.text(1, 1), std::string("33"));
    script_.yesNo = ui::Answer::Yes;
    w->dispatch(QStringLiteral("NXM"));
    QCOMPARE(ws_->mapIndex, 1);
    w->dispatch(QStringLiteral("UND"));
    QCOMPARE(ws_->map->ground.text(1, 1), std::string("00"));
    QVERIFY(!ws_->map->modified);
  }

  void keysOnceOrRepeatedAndCtrlAlone() {
    auto w = openWindow();
    ws_->map->width = 80;
    w->rebuildCanvas();
    w->show();
    QApplication::setActiveWindow(w.get());
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
    w->dispatch(QStringLiteral("6"));
    w->dispatch(QStringLiteral("6"));
    QCOMPARE(w->view().scrollColumn(), 2);
    // Ctrl alone scrolls left; an arrow pressed with Ctrl is no command.
    QTest::keyClick(w.get(), Qt::Key_Control);
    QTRY_COMPARE(w->view().scrollColumn(), 1);
    QTest::keyClick(w.get(), Qt::Key_Right, Qt::ControlModifier);
    QTest::qWait(100);
    QVERIFY(w->view().scrollColumn() <= 1);
    // Escape held (auto-repeated) asks once.
    script_.yesNo = ui::Answer::No;
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(w.get(), &press);
    QApplication::sendEvent(w.get(), &repeat);
    QApplication::sendEvent(w.get(), &repeat);
    QTest::qWait(150);
    QCOMPARE(script_.boxes.count(QStringLiteral("終了します、よろしいですか？")), 1);
    // Closing from the title bar asks the same question.
    w->close();
    QTRY_COMPARE(script_.boxes.count(QStringLiteral("終了します、よろしいですか？")), 2);
    QVERIFY(w->isVisible());
  }

  void chooserIsModalAndTurnsPages() {
    auto w = openWindow();
    w->show();
    QApplication::setActiveWindow(w.get());
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
    ui::setChooserHook({});  // the real list chooser
    ui::MessagePanel& panel = w->messagePanel();
    QStringList enabled;
    int page = -1;
    QTimer::singleShot(0, w.get(), [&] {
      for (QPushButton* b : w->findChildren<QPushButton*>())
        if (b->isEnabled()) enabled << b->objectName();
      QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(&panel));
      QTest::keyClick(&panel, Qt::Key_PageDown);
      page = panel.page();
      QTest::keyClick(&panel, Qt::Key_Escape);  // cancelled: back to map 0
    });
    ws_->db.max.maps = 40;  // two pages of 24
    w->dispatch(QStringLiteral("HEN"));
    QCOMPARE(enabled, QStringList{QStringLiteral("BUTTON93")});
    QCOMPARE(page, 1);
    QCOMPARE(ws_->mapIndex, 0);
    // Fixed pitch for rows of byte-width fields.
    QCOMPARE(QFontInfo(panel.font()).family(), QStringLiteral("IPAGothic"));
  }

  void saveAsksBeforeLeavingEventsOut() {
    auto w = openWindow();
    w->saveCommand();
    ws_->db.max.events = 10;
    for (int i = 0; i < 12; ++i) event::createEvent(ws_->map->events, i, 0, "01", 1);
    ws_->map->modified = true;
    const fs::path events = *files::findExisting(project(), map::mapEventFileName(0));
    const std::string before = files::readFile(events).value_or("");
    script_.yesNo = ui::Answer::No;
    script_.boxes.clear();
    w->saveCommand();
    QCOMPARE(script_.boxes.size(), 1);
    QVERIFY(script_.boxes[0].startsWith(QStringLiteral("イベント数またはメッセージ数を超えるデータがあります")));
    QCOMPARE(files::readFile(events).value_or(""), before);
    QVERIFY(ws_->map->modified);
  }
};

QTEST_MAIN(AppWindowRulesTest)
#include "app_window_rules.moc"
