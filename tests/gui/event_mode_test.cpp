// Event mode in the main window on a scratch project: a click on an empty cell creates
// the next event and opens it, a drag moves it, the chooser opens an event, deletion
// renumbers, the capacity is refused with a message; opening mode edits its script.
#include <QLineEdit>
#include <QPainter>
#include <QTimer>
#include <QtTest>
#include <filesystem>
#include <functional>

#include "core/event/event_editing.h"
#include "gui/app/main_window.h"
#include "gui/app/workspace.h"
#include "core/map/map_document.h"
#include "gui/event/event_mode.h"
#include "gui/event/script_editor_dialog.h"
#include "gui/map/map_view.h"
#include "gui/map/palette_view.h"
#include "gui/ui/message_box.h"
#include "gui/ui/message_panel.h"
#include "window_fixture.h"

using namespace quillane;
namespace fs = std::filesystem;

namespace {

// Answers the script editor when it shows: `act` runs on the dialog, then `code` is posted.
struct EditorAnswer {
  std::function<void(gui::ScriptEditorDialog&)> act;
  int code = gui::ScriptEditorDialog::kOk;
  int shown = 0;
};

}  // namespace

class EventModeTest : public QObject {
  Q_OBJECT
  fs::path dir_;
  std::unique_ptr<app::Workspace> ws_;
  std::unique_ptr<app::MainWindow> w_;
  QList<int> choices_;
  QStringList boxes_;
  EditorAnswer answer_;
  QTimer watcher_;

  // Presses at `from` and releases at `to` (cells of the view), then lets posted
  // commands run.
  void drag(QPoint from, QPoint to) {
    gui::MapView& view = w_->view();
    const double s = view.cellSize();
    auto at = [&](QPoint cell) {
      return QPoint(int((cell.x() - view.scrollColumn() + 0.5) * s), int((cell.y() - view.scrollRow() + 0.5) * s));
    };
    QTest::mousePress(&view, Qt::LeftButton, {}, at(from));
    if (from != to) QTest::mouseMove(&view, at(to));
    QTest::mouseRelease(&view, Qt::LeftButton, {}, at(to));
    QTest::qWait(50);
  }

 private slots:
  void init() {
    QVERIFY(fixture::makeScratchProject(dir_, "quillane_events", 5));
    ui::setChooserHook([this](const ui::ChooserRequest&) { return choices_.isEmpty() ? 0 : choices_.takeFirst(); });
    ui::setBoxHook([this](const ui::BoxRequest& r) {
      boxes_ << r.title + "|" + r.text;
      return r.buttons == ui::Buttons::YesNo ? ui::Answer::Yes : ui::Answer::Ok;
    });
    ws_ = fixture::loadedWorkspace(dir_);
    w_ = std::make_unique<app::MainWindow>(*ws_);
    w_->show();
    choices_ = {1, 0};  // map 0, created without a reference
    w_->start();
    QVERIFY(ws_->map);
    w_->dispatch(QStringLiteral("EVM"));
    QCOMPARE(w_->mode(), 2);
    boxes_.clear();
    answer_ = {};
    connect(&watcher_, &QTimer::timeout, this, [this] {
      for (QWidget* top : QApplication::topLevelWidgets()) {
        auto* d = qobject_cast<gui::ScriptEditorDialog*>(top);
        if (!d || !d->isVisible()) continue;
        ++answer_.shown;
        if (answer_.act) answer_.act(*d);
        d->post(answer_.code);
      }
    });
    watcher_.start(20);
  }

  void cleanup() {
    watcher_.stop();
    watcher_.disconnect();
    w_.reset();
    ws_.reset();
    ui::setChooserHook({});
    ui::setBoxHook({});
    fs::remove_all(dir_);
  }

  void clickCreatesMovesAndOpens() {
    answer_.act = [](gui::ScriptEditorDialog& d) {
      d.control<QLineEdit>("EDIT20")->setText(QString::fromUtf8("こんにちは"));
    };
    drag({2, 3}, {2, 3});
    QCOMPARE(boxes_.value(0), QString::fromUtf8("イベント設定|0番のイベントを設定します"));
    QCOMPARE(answer_.shown, 1);
    const event::MapEvents& ev = ws_->map->events;
    QCOMPARE(ev.lastNumber, 0);
    QCOMPARE(ev.grid.at(2, 3).number, std::string("0"));
    QCOMPARE(ev.records[0].lines[0].message, text::sj("こんにちは"));
    QCOMPARE(ev.records[0].lines[1].message, std::string("99"));
    QVERIFY(ws_->map->modified);

    // A drag onto an empty cell moves the event; its number stays.
    drag({2, 3}, {6, 7});
    QVERIFY(!ev.grid.at(2, 3).hasEvent());
    QCOMPARE(ev.grid.at(6, 7).number, std::string("0"));
    QCOMPARE(ev.records[0].x, 6);
    QCOMPARE(answer_.shown, 1);

    // A click on the event opens it; nothing new is asked.
    answer_.act = {};
    answer_.code = gui::ScriptEditorDialog::kCancel;
    drag({6, 7}, {6, 7});
    QCOMPARE(answer_.shown, 2);
    QCOMPARE(boxes_.size(), 1);
    QCOMPARE(ev.lastNumber, 0);
  }

  void chooserOpensAndDeletionRenumbers() {
    event::MapEvents& ev = ws_->map->events;
    // The chooser on a map without events only says so.
    w_->dispatch(QStringLiteral("EVS"));
    QVERIFY(w_->messagePanel().lines().join("").contains(QString::fromUtf8("このマップにはイベントが設定されていません")));
    for (int i = 0; i < 3; ++i) event::createEvent(ev, i, 1, "10", 1);
    ev.records[2].lines[0] = {"two", "END"};
    choices_ = {2};  // event 1
    answer_.code = gui::ScriptEditorDialog::kDeleteEvent;
    w_->dispatch(QStringLiteral("EVS"));
    QCOMPARE(answer_.shown, 1);
    QVERIFY(boxes_.last().startsWith(QString::fromUtf8("イベント削除確認|")));
    QCOMPARE(ev.lastNumber, 1);
    QCOMPARE(ev.records[1].lines[0].message, std::string("two"));
    QCOMPARE(ev.grid.at(2, 1).number, std::string("1"));
    QVERIFY(!ev.grid.at(1, 1).hasEvent());
  }

  void capacityIsRefused() {
    event::MapEvents& ev = ws_->map->events;
    ws_->db.max.events = 10;
    for (int i = 0; i <= 10; ++i) event::createEvent(ev, i, 0, "10", 1);
    drag({4, 4}, {4, 4});
    QCOMPARE(boxes_.size(), 1);
    QVERIFY(boxes_[0].contains(QString::fromUtf8("これ以上イベントを設定できません")));
    QCOMPARE(ev.lastNumber, 10);
    QCOMPARE(answer_.shown, 0);
  }

  void pictureNinetyNineIsRefused() {
    w_->palette().pick(9, 9);
    drag({4, 4}, {4, 4});
    QCOMPARE(boxes_.size(), 1);
    QVERIFY(boxes_[0].contains(QString::fromUtf8("「99」")));
    QCOMPARE(ws_->map->events.lastNumber, -1);
    w_->palette().pick(9, 8);
    drag({4, 4}, {4, 4});
    QCOMPARE(ws_->map->events.grid.at(4, 4).character, std::string("98"));
  }

  void eventsAreDrawnWithTheirPictures() {
    gui::MapCanvas canvas;
    canvas.sheets().character.fill(Qt::black);
    QPainter(&canvas.sheets().character).fillRect(32 * 10, 32 * 1, 32, 32, QColor(200, 10, 20));  // picture "1A"
    map::MapDocument doc;
    event::createEvent(doc.events, 2, 3, "1A", 1);
    gui::EventCellDecorator decorator(canvas);
    canvas.addDecorator(&decorator);
    canvas.setDocument(&doc, false);
    canvas.build();
    QCOMPARE(canvas.image().pixelColor(2 * 32 + 7, 3 * 32 + 9), QColor(200, 10, 20));
    QVERIFY(canvas.image().pixelColor(3 * 32 + 7, 3 * 32 + 9) != QColor(200, 10, 20));
    // In the window the open map's events are drawn too.
    event::createEvent(ws_->map->events, 4, 5, "00", 1);
    w_->rebuildCanvas();
    QCOMPARE(w_->canvas().image().pixelColor(4 * 32 + 3, 5 * 32 + 3),
             w_->canvas().sheets().character.pixelColor(3, 3));
  }

  void openingModeEditsTheOpeningScript() {
    answer_.act = [](gui::ScriptEditorDialog& d) { d.control<QLineEdit>("EDIT20")->setText("Once upon a time"); };
    w_->dispatch(QStringLiteral("OPM"));
    QCOMPARE(answer_.shown, 1);
    QCOMPARE(ws_->db.opening.lines[0].message, std::string("Once upon a time"));
    QCOMPARE(ws_->db.opening.lines[1].message, std::string("99"));
    QVERIFY(ws_->databaseModified);
  }
};

QTEST_MAIN(EventModeTest)
#include "event_mode_test.moc"
