// Event mode as a designer uses it: "イベント選択" on a map without events says so
// without taking the map away, a cancelled on-map pick leaves the palette as it was
// and the pick says what to do while it waits, and the canvas shows each event's
// number, a tooltip and the picture of a dragged event.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <filesystem>
#include <functional>

#include "core/event/event_editing.h"
#include "core/map/map_document.h"
#include "gui/app/main_window.h"
#include "gui/app/workspace.h"
#include "gui/event/flag_dialog.h"
#include "gui/map/map_view.h"
#include "gui/map/palette_view.h"
#include "gui/ui/message_box.h"
#include "gui/ui/message_panel.h"
#include "flag_dialog_steps.h"
#include "window_fixture.h"

using namespace quillane;
using fixture::flagDialog;
using fixture::runSteps;
namespace fs = std::filesystem;

namespace {

void sendMouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons) {
  QMouseEvent e(type, QPointF(at), w->mapToGlobal(QPointF(at)), button, buttons, Qt::NoModifier);
  QApplication::sendEvent(w, &e);
}

}  // namespace

class EventModeUseTest : public QObject {
  Q_OBJECT
  fs::path dir_;
  std::unique_ptr<app::Workspace> ws_;
  std::unique_ptr<app::MainWindow> w_;
  QStringList boxes_;
  bool answerYes_ = true;

  QPoint cellCentre(int column, int row) {
    gui::MapView& view = w_->view();
    const double s = view.cellSize();
    return QPoint(int((column - view.scrollColumn() + 0.5) * s), int((row - view.scrollRow() + 0.5) * s));
  }

 private slots:
  void init() {
    QVERIFY(fixture::makeScratchProject(dir_, "quillane_eventuse", 5));
    answerYes_ = true;
    int chooser = 0;
    ui::setChooserHook([chooser](const ui::ChooserRequest&) mutable { return ++chooser == 1 ? 1 : 0; });
    ui::setBoxHook([this](const ui::BoxRequest& r) {
      boxes_ << r.title + "|" + r.text;
      if (r.buttons == ui::Buttons::Ok) return ui::Answer::Ok;
      return answerYes_ ? ui::Answer::Yes : ui::Answer::No;
    });
    ws_ = fixture::loadedWorkspace(dir_);
    ws_->settings.zoom = 100;
    w_ = std::make_unique<app::MainWindow>(*ws_);
    w_->show();
    w_->start();
    QVERIFY(ws_->map);
    w_->dispatch(QStringLiteral("EVM"));
    boxes_.clear();
    answerYes_ = false;  // the new-event question is only asked, never answered Yes
  }

  void cleanup() {
    w_.reset();
    ws_.reset();
    ui::setChooserHook({});
    ui::setBoxHook({});
    fs::remove_all(dir_);
  }

  void noEventsNoteLeavesTheMapUsable() {
    w_->dispatch(QStringLiteral("EVS"));
    ui::MessagePanel& panel = w_->messagePanel();
    QVERIFY(panel.isVisible());
    QVERIFY(panel.lines().join("").contains(QString::fromUtf8("このマップにはイベントが設定されていません")));
    // A strip along the bottom of the view that lets the clicks through.
    QVERIFY(panel.testAttribute(Qt::WA_TransparentForMouseEvents));
    QVERIFY(panel.height() < 60);
    QCOMPARE(panel.geometry().bottom(), w_->view().geometry().bottom());
    // The next click on the map acts: the new-event question comes.
    QTest::mouseClick(&w_->view(), Qt::LeftButton, {}, cellCentre(2, 3));
    QTest::qWait(50);
    QVERIFY(!panel.isVisible());
    QCOMPARE(boxes_.value(0), QString::fromUtf8("イベント設定|0番のイベントを設定します"));
    // A key command takes the note away too.
    w_->dispatch(QStringLiteral("EVS"));
    QVERIFY(panel.isVisible());
    w_->dispatch(QStringLiteral("6"));
    QVERIFY(!panel.isVisible());
  }

  void cancelledPickLeavesThePaletteAndSaysWhatToDo() {
    w_->palette().setSelection(QPoint(1, 1), QPoint(1, 1));
    const QRect brush = w_->palette().brush();
    QString toolField;
    QString note;
    bool noteOverMap = false;
    QPoint anchorDuringPick;
    w_->post(QStringLiteral("FGM"));
    runSteps({
        [] { flagDialog()->post(gui::FlagDialog::kChooseEntry); },
        [] { flagDialog()->post(gui::FlagDialog::kChooseStep); },
        [] {
          auto* box = flagDialog()->control<QComboBox>("COMBO42");
          box->setCurrentIndex(2);  // イベント移動: an event character and a cell
          emit box->activated(2);
        },
        [&] {
          toolField = w_->field(QStringLiteral("EDIT201"))->text();
          note = w_->messagePanel().lines().join("");
          noteOverMap = w_->messagePanel().isVisible() &&
                        w_->messagePanel().testAttribute(Qt::WA_TransparentForMouseEvents);
          QTest::mouseClick(&w_->palette(), Qt::LeftButton, {}, QPoint(4 * 32 + 10, 5 * 32 + 10));
          anchorDuringPick = w_->palette().anchor();
          QTest::keyClick(&w_->view(), Qt::Key_Escape);
        },
        [] { flagDialog()->control<QPushButton>("BUTTON46")->click(); },
    });
    QTRY_VERIFY_WITH_TIMEOUT(flagDialog() == nullptr || !flagDialog()->isVisible(), 10000);
    QTest::qWait(50);
    QCOMPARE(anchorDuringPick, QPoint(4, 5));
    QVERIFY(toolField.contains(QString::fromUtf8("Esc")));
    QCOMPARE(note, QString::fromUtf8("パレットでキャラクタを選び、マップをクリック（Escで取消）"));
    QVERIFY(noteOverMap);
    QCOMPARE(w_->palette().anchor(), QPoint(1, 1));
    QCOMPARE(w_->palette().brush(), brush);
    QVERIFY(!w_->messagePanel().testAttribute(Qt::WA_TransparentForMouseEvents));
  }

  void canvasShowsNumbersTooltipAndTheDraggedPicture() {
    event::MapEvents& ev = ws_->map->events;
    QPainter(&w_->canvas().sheets().character).fillRect(10 * 32, 1 * 32, 32, 32, QColor(220, 0, 0));  // "1A"
    event::createEvent(ev, 2, 3, "1A", 4);
    ev.records[0].lines[0].message = "hello";
    w_->rebuildCanvas();
    gui::MapView& view = w_->view();
    QImage frame(480, 480, QImage::Format_RGB32);
    view.composeFrame(frame);
    const QImage shown = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
    // The number label sits in the top-left corner of the event's cell.
    const QPoint corner(2 * 32 + 2, 3 * 32 + 2);
    QVERIFY(shown.pixelColor(corner) != frame.pixelColor(corner));
    QVERIFY(shown.pixelColor(corner).red() < 100);
    // Hovering names the event.
    sendMouse(&view, QEvent::MouseMove, cellCentre(2, 3), Qt::NoButton, Qt::NoButton);
    const QString tip = view.toolTip();
    for (const char* part : {"イベント 0", "1A", "停止", "速度 3", "hello"})
      QVERIFY2(tip.contains(QString::fromUtf8(part)), qPrintable(tip));
    sendMouse(&view, QEvent::MouseMove, cellCentre(8, 8), Qt::NoButton, Qt::NoButton);
    QVERIFY(view.toolTip().isEmpty());
    // A drag carries the picture under the pointer.
    sendMouse(&view, QEvent::MouseButtonPress, cellCentre(2, 3), Qt::LeftButton, Qt::LeftButton);
    const QPoint to = cellCentre(6, 7) + QPoint(7, 5);
    sendMouse(&view, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    const QImage dragging = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QVERIFY(dragging.pixelColor(to).red() > 150);
    QVERIFY(dragging.pixelColor(to).green() < 80);
    sendMouse(&view, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
    QTest::qWait(20);
    QCOMPARE(ev.records[0].x, 6);
    const QImage after = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QVERIFY(after.pixelColor(cellCentre(4, 5)) == frame.pixelColor(cellCentre(4, 5)));
  }
};

QTEST_MAIN(EventModeUseTest)
#include "event_mode_use_test.moc"
