// Flag mode from the main window: "FGM" opens FORM12 on the open map, a "C" step is
// placed by a palette choice and a click on the map with the dialog hidden, Escape
// cancels a pick, and "OK" leaves the map marked changed.
#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <filesystem>
#include <functional>

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

class FlagModeWindowTest : public QObject {
  Q_OBJECT
  fs::path dir_;
  std::unique_ptr<app::Workspace> ws_;

  std::unique_ptr<app::MainWindow> openWindow() {
    ws_ = fixture::loadedWorkspace(dir_);
    return fixture::windowOnFirstMap(*ws_);
  }

 private slots:
  void init() {
    QVERIFY(fixture::makeScratchProject(dir_, "quillane_flagmode", 5));
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

  void characterStepIsPickedOnTheMap() {
    auto w = openWindow();
    QVERIFY(ws_->map);
    QVERIFY(!ws_->map->modified);
    w->palette().setSelection(QPoint(2, 1), QPoint(2, 1));
    bool hiddenDuringPick = false;
    bool panelHiddenDuringPick = false;
    auto kind = [](int index) {
      auto* box = flagDialog()->control<QComboBox>("COMBO42");
      box->setCurrentIndex(index);
      emit box->activated(index);
    };
    runSteps({
        [] { flagDialog()->post(gui::FlagDialog::kChooseEntry); },
        [] { flagDialog()->post(gui::FlagDialog::kChooseStep); },
        [&] { kind(1); },
        // Escape cancels the first pick: nothing changes.
        [&] { QTest::keyClick(&w->view(), Qt::Key_Escape); },
        [&] {
          QCOMPARE(ws_->map->flags[0].steps[0].kind, std::string("F"));
          kind(1);
        },
        [&] {
          hiddenDuringPick = !flagDialog()->isVisible();
          panelHiddenDuringPick = fixture::panelLeavesMapToPick(*w);
          QTest::mouseClick(&w->view(), Qt::LeftButton, {}, QPoint(100, 70));  // cell (3, 2)
        },
        [] { flagDialog()->control<QPushButton>("BUTTON34")->click(); },
    });
    w->dispatch(QStringLiteral("FGM"));
    QVERIFY(hiddenDuringPick);
    QVERIFY(panelHiddenDuringPick);
    QCOMPARE(ws_->map->flags.size(), std::size_t(1));
    const event::FlagAction& step = ws_->map->flags[0].steps[0];
    QCOMPARE(step.kind, std::string("C"));
    QCOMPARE(step.value1, 3);
    QCOMPARE(step.value2, 2);
    QCOMPARE(step.text1, std::string("12"));
    QVERIFY(ws_->map->modified);
  }

  void terrainPickUnderTheSplitFormCarriesTheBank() {
    auto w = openWindow();
    ws_->db.initial.mapChip = 1;  // split map-chip form
    ws_->map->flags.resize(1);
    ws_->map->flags[0].conditions[0] = {0, 0, "=", 0};
    ws_->map->flags[0].steps.resize(1);
    ws_->map->flags[0].steps[0].kind = "D";
    w->palette().setBank(1);
    w->palette().setSelection(QPoint(0, 3), QPoint(0, 3));
    bool bankButtonOn = false;
    bool done = false;
    // Posted as the button does: the dialog runs while the window is busy.
    w->post(QStringLiteral("FGM"));
    runSteps({
        [] {
          auto* box = flagDialog()->control<QComboBox>("COMBO42");
          box->setCurrentIndex(1);
          emit box->activated(1);
        },
        [&] {
          QPushButton* up = w->button(QStringLiteral("BUTTON130"));
          bankButtonOn = up->isEnabled();
          up->click();
        },
        [&] { QTest::mouseClick(&w->view(), Qt::LeftButton, {}, QPoint(10, 10)); },
        [&] {
          flagDialog()->control<QPushButton>("BUTTON34")->click();
          done = true;
        },
    });
    QTRY_VERIFY_WITH_TIMEOUT(done && flagDialog() == nullptr, 10000);
    QVERIFY(bankButtonOn);
    const event::FlagAction& step = ws_->map->flags[0].steps[0];
    QCOMPARE(step.kind, std::string("C"));
    QCOMPARE(step.text1, std::string("130"));
    // Outside the pick the bank buttons follow the mode again.
    QVERIFY(!w->button(QStringLiteral("BUTTON130"))->isEnabled());
  }
};

QTEST_MAIN(FlagModeWindowTest)
#include "flag_mode_window_test.moc"
