// Object mode from the main window: "OBJ" shows the chooser of the open map's objects,
// "参照" hides the dialog while a tile is picked on the map (Escape cancels and the
// dialog comes back unchanged), "ｷｬﾝｾﾙ" restores every object, "OK" keeps the pick.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <filesystem>
#include <functional>

#include "gui/app/main_window.h"
#include "gui/app/workspace.h"
#include "gui/editors/object_dialog.h"
#include "gui/map/map_view.h"
#include "gui/map/palette_view.h"
#include "gui/ui/message_box.h"
#include "gui/ui/message_panel.h"
#include "window_fixture.h"

using namespace quillane;
namespace fs = std::filesystem;

namespace {

gui::ObjectDialog* objectDialog() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* d = qobject_cast<gui::ObjectDialog*>(w); d && d->isVisible()) return d;
  return nullptr;
}

QString frameText(int frame) { return objectDialog()->control<QLineEdit>(QStringLiteral("frame%1").arg(frame))->text(); }

// Runs the steps one after another, each once its condition holds (the dialog is shown,
// hidden during a pick, or shows what the previous action did).
struct Step {
  std::function<bool()> ready;
  std::function<void()> run;
};
bool shown() { return objectDialog() != nullptr; }
bool picking() { return objectDialog() == nullptr; }

void runSteps(std::vector<Step> steps) {
  auto shared = std::make_shared<std::vector<Step>>(std::move(steps));
  auto next = std::make_shared<std::function<void(std::size_t)>>();
  *next = [shared, next](std::size_t i) {
    if (i >= shared->size()) return;
    QTimer::singleShot(20, [shared, next, i] {
      if (!(*shared)[i].ready()) {
        (*next)(i);
        return;
      }
      (*shared)[i].run();
      (*next)(i + 1);
    });
  };
  (*next)(0);
}

}  // namespace

class ObjectModeTest : public QObject {
  Q_OBJECT
  fs::path dir_;
  std::unique_ptr<app::Workspace> ws_;
  QList<ui::ChooserRequest> choosers_;

  std::unique_ptr<app::MainWindow> openWindow() {
    ws_ = fixture::loadedWorkspace(dir_);
    return fixture::windowOnFirstMap(*ws_);
  }
  // The object chooser answers `first` once, then cancels.
  void answerObjectChooser(int first) {
    choosers_.clear();
    ui::setChooserHook([this, first](const ui::ChooserRequest& r) {
      choosers_ << r;
      return choosers_.size() == 1 ? first : 0;
    });
  }

 private slots:
  void init() {
    QVERIFY(fixture::makeScratchProject(dir_, "quillane_objmode", 7));
    ui::setBoxHook([](const ui::BoxRequest& r) {
      return r.buttons == ui::Buttons::YesNo ? ui::Answer::Yes : ui::Answer::Ok;
    });
  }
  void cleanup() {
    ui::setChooserHook({});
    ui::setBoxHook({});
    ws_.reset();
    fs::remove_all(dir_);
  }

  void browseCancelAndCancelRestoreEverything() {
    auto w = openWindow();
    QVERIFY(ws_->map);
    QVERIFY(w->button(QStringLiteral("BUTTON131"))->isEnabled());
    ws_->map->objects[0] = {"01", "", "", "", "-1", "10"};
    ws_->map->objects[1] = {"02", "03", "", "", "0", "5"};
    const auto before = ws_->map->objects;
    w->palette().setSelection(QPoint(2, 1), QPoint(2, 1));
    answerObjectChooser(1);
    bool canvasShownDuringPick = false;
    QString afterEscape;
    QString afterPick;
    runSteps({
        {shown, [] { objectDialog()->control<QPushButton>("browse2")->click(); }},
        {picking,
         [&] {
           canvasShownDuringPick = fixture::panelLeavesMapToPick(*w);
           QTest::keyClick(&w->view(), Qt::Key_Escape);
         }},
        {shown,
         [&] {
           afterEscape = frameText(2);
           objectDialog()->control<QPushButton>("browse2")->click();
         }},
        {picking, [&] { QTest::mouseClick(&w->view(), Qt::LeftButton, {}, QPoint(100, 70)); }},
        {shown,
         [&] {
           afterPick = frameText(2);
           objectDialog()->control<QLineEdit>("frame4")->setText("7F");
           objectDialog()->control<QPushButton>("deleteAllObjects")->click();
         }},
        {[] { return shown() && frameText(1).isEmpty(); },
         [] { objectDialog()->control<QPushButton>("cancel")->click(); }},
    });
    w->dispatch(QStringLiteral("OBJ"));
    QVERIFY(canvasShownDuringPick);
    QCOMPARE(afterEscape, QString());
    QCOMPARE(afterPick, QStringLiteral("12"));
    QVERIFY(ws_->map->objects == before);
    QVERIFY(!ws_->map->modified);
    // The chooser listed both objects and the new entry, and came back after the dialog.
    QCOMPARE(choosers_.size(), 2);
    QCOMPARE(choosers_[0].items.size(), 3);
    QCOMPARE(choosers_[0].items[1], QStringLiteral("1:02→03"));
    QCOMPARE(choosers_[0].items[2], QStringLiteral("2:（新規）"));
  }

  void pickedFrameAndNewObjectAreKeptOnOk() {
    auto w = openWindow();
    ws_->map->objects[0] = {"01", "", "", "", "-1", "10"};
    w->palette().setSelection(QPoint(3, 0), QPoint(3, 0));
    answerObjectChooser(2);  // the new entry
    QString number;
    runSteps({
        {shown,
         [&] {
           number = objectDialog()->control<QLineEdit>("objectNumber")->text();
           objectDialog()->control<QPushButton>("browse3")->click();
         }},
        {picking, [&] { QTest::mouseClick(&w->view(), Qt::LeftButton, {}, QPoint(40, 40)); }},
        {shown,
         [] {
           auto* speed = objectDialog()->control<QComboBox>("animationSpeed");
           speed->setCurrentIndex(4);
           emit speed->activated(4);
           objectDialog()->control<QPushButton>("ok")->click();
         }},
    });
    w->dispatch(QStringLiteral("OBJ"));
    QCOMPARE(number, QStringLiteral("1"));
    // The new object starts with the palette's tile and the defaults.
    QCOMPARE(ws_->map->objects[1], (map::ObjectEntry{"03", "", "03", "", "-1", "5"}));
    QVERIFY(ws_->map->modified);
  }
};

QTEST_MAIN(ObjectModeTest)
#include "editors_object_mode_test.moc"
