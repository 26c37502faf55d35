// The value modes from the real main window: "初期値" with its "指定位置" pick on the map,
// cancel restoring everything, the choices stored as the engine reads them, a map-chip
// change resetting what follows the open map; "最大値" growing and refusing; "攻撃受率"
// with its menu and chart on the canvas.
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>
#include <filesystem>
#include <functional>

#include "core/settings/editor_settings.h"
#include "gui/app/main_window.h"
#include "gui/app/workspace.h"
#include "gui/editors/attack_rate_screen.h"
#include "gui/editors/initial_values_dialog.h"
#include "gui/editors/max_values_dialog.h"
#include "gui/map/map_view.h"
#include "gui/ui/colour_chooser.h"
#include "gui/ui/message_box.h"
#include "gui/ui/message_panel.h"
#include "window_fixture.h"

using namespace quillane;
namespace fs = std::filesystem;

namespace {

template <class D>
D* openDialog() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* d = qobject_cast<D*>(w); d && !d->isHidden()) return d;
  return nullptr;
}
template <class D>
D* anyDialog() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* d = qobject_cast<D*>(w)) return d;
  return nullptr;
}

// A step of a dialog run: what it does, and what must hold before it does it.
struct Step {
  std::function<void()> action;
  std::function<bool()> ready;
};

// Runs the steps one after another, each once its condition (or `ready`) holds; `done`
// is set after the last one.
void runSteps(std::function<bool()> ready, std::vector<Step> steps, bool* done = nullptr) {
  auto shared = std::make_shared<std::vector<Step>>(std::move(steps));
  auto next = std::make_shared<std::function<void(std::size_t)>>();
  *next = [shared, next, ready, done](std::size_t i) {
    if (i >= shared->size()) {
      if (done) *done = true;
      return;
    }
    QTimer::singleShot(0, [shared, next, ready, i] {
      const Step& step = (*shared)[i];
      if (!(step.ready ? step.ready() : ready())) {
        QTimer::singleShot(20, [next, i] { (*next)(i); });
        return;
      }
      step.action();
      (*next)(i + 1);
    });
  };
  (*next)(0);
}

// The initial-values dialog is hidden for an on-map pick.
bool picking() {
  auto* d = anyDialog<gui::InitialValuesDialog>();
  return d && !d->isVisible();
}

template <class T>
T* in(const QString& name) {
  return anyDialog<gui::InitialValuesDialog>()->named<T>(name);
}

void choose(const QString& name, int index) {
  auto* box = in<QComboBox>(name);
  box->setCurrentIndex(index);
  emit box->activated(index);
}

void type(const QString& name, const QString& text) { in<QLineEdit>(name)->setText(text); }

}  // namespace

class ValuesModesTest : public QObject {
  Q_OBJECT
  fs::path dir_;
  std::unique_ptr<app::Workspace> ws_;
  QStringList messages_;

  std::unique_ptr<app::MainWindow> openWindow() {
    ws_ = fixture::loadedWorkspace(dir_);
    return fixture::windowOnFirstMap(*ws_);
  }
  static bool initialOpen() { return openDialog<gui::InitialValuesDialog>() != nullptr; }

 private slots:
  void init() {
    QVERIFY(fixture::makeScratchProject(dir_, "quillane_values", 9));
    messages_.clear();
    ui::setBoxHook([this](const ui::BoxRequest& r) {
      messages_ << r.text;
      return r.buttons == ui::Buttons::YesNo ? ui::Answer::Yes : ui::Answer::Ok;
    });
  }
  void cleanup() {
    ui::setChooserHook({});
    ui::setBoxHook({});
    ui::setColourHook({});
    ws_.reset();
    fs::remove_all(dir_);
  }

  void startPositionIsPickedOnTheMapAndThePasswordRemembered() {
    auto w = openWindow();
    QVERIFY(ws_->map);
    QCOMPARE(ws_->mapIndex, 0);
    QVERIFY(w->button(QStringLiteral("BUTTON81"))->isEnabled());
    bool hiddenDuringPick = false;
    bool escaped = false;
    w->post(QStringLiteral("INM"));
    bool done = false;
    runSteps(initialOpen,
             {
                 {[] { choose(QStringLiteral("position"), 1); }, {}},
                 // Escape cancels the pick: the dialog comes back unchanged.
                 {[&] {
                    hiddenDuringPick = true;
                    QTest::keyClick(&w->view(), Qt::Key_Escape);
                  },
                  picking},
                 {[&] {
                    escaped = in<QComboBox>(QStringLiteral("position"))->currentIndex() == 0 &&
                              !in<QLineEdit>(QStringLiteral("startX"))->isEnabled();
                    choose(QStringLiteral("position"), 1);
                  },
                  {}},
                 {[&] { QTest::mouseClick(&w->view(), Qt::LeftButton, {}, QPoint(100, 70)); }, picking},  // cell (3, 2)
                 {[] {
                    QCOMPARE(in<QLineEdit>(QStringLiteral("startX"))->text(), QStringLiteral("3"));
                    type(QStringLiteral("editingPassword"), QStringLiteral("newpw"));
                  },
                  {}},
                 {[] { in<QPushButton>(QStringLiteral("BUTTON_OK"))->click(); }, {}},
             },
             &done);
    QTRY_VERIFY_WITH_TIMEOUT(done && anyDialog<gui::InitialValuesDialog>() == nullptr, 10000);
    QVERIFY(escaped);
    QVERIFY(hiddenDuringPick);
    QCOMPARE(ws_->db.initial.initialX, 3.f);
    QCOMPARE(ws_->db.initial.initialY, 2.f);
    QCOMPARE(ws_->db.hidden.editingPassword, std::string("newpw"));
    QVERIFY(ws_->databaseModified);
    // The next start reads the new password from the settings file.
    QCOMPARE(settings::loadSettings(dir_).settings.password, std::string("newpw"));
  }

  void cancelRestoresEverything() {
    auto w = openWindow();
    const data::InitialValues before = ws_->db.initial;
    const data::HiddenFields hidden = ws_->db.hidden;
    ui::setColourHook([](const QColor&) { return QColor(255, 0, 255); });
    w->post(QStringLiteral("INM"));
    bool done = false;
    runSteps(initialOpen,
             {
                 {[] {
                    type(QStringLiteral("title"), QStringLiteral("changed"));
                    type(QStringLiteral("editingPassword"), QStringLiteral("other"));
                    choose(QStringLiteral("facing"), 3);
                    in<QRadioButton>(QStringLiteral("mapChip1"))->click();
                    in<QListWidget>(QStringLiteral("systemMenu"))->setCurrentRow(0);
                    in<QPushButton>(QStringLiteral("systemRemove"))->click();
                  },
                  {}},
                 {[] { in<QPushButton>(QStringLiteral("colourBrowse"))->click(); }, {}},
                 {[] { choose(QStringLiteral("position"), 1); }, {}},
                 {[&] { QTest::mouseClick(&w->view(), Qt::LeftButton, {}, QPoint(40, 40)); }, picking},
                 {[] {
                    QCOMPARE(in<QLineEdit>(QStringLiteral("transparentColour"))->text(), QStringLiteral("FF00FF"));
                    QCOMPARE(in<QListWidget>(QStringLiteral("systemMenu"))->count(), 9);
                    in<QPushButton>(QStringLiteral("BUTTON_CANCEL"))->click();
                  },
                  {}},
             },
             &done);
    QTRY_VERIFY_WITH_TIMEOUT(done && anyDialog<gui::InitialValuesDialog>() == nullptr, 10000);
    QVERIFY(ws_->db.initial == before);
    QVERIFY(!ws_->splitMapChips());
    QCOMPARE(ws_->db.hidden.editingPassword, hidden.editingPassword);
    QVERIFY(!ws_->databaseModified);
  }

  void choicesAreStoredAsTheEngineReadsThem() {
    auto w = openWindow();
    ws_->db.initial.startEvent = 0;
    ws_->db.initial.fadeKind = 3;
    int mapChanges = 0;
    w->registry().onMapChanged([&mapChanges](app::ModeContext&) { ++mapChanges; });
    w->post(QStringLiteral("INM"));
    bool done = false;
    runSteps(initialOpen,
             {{[] {
                 in<QRadioButton>(QStringLiteral("screen2"))->click();
                 in<QRadioButton>(QStringLiteral("mapChip1"))->click();
                 type(QStringLiteral("characterWidth"), QStringLiteral("60"));
                 type(QStringLiteral("partySize"), QStringLiteral("３"));
                 choose(QStringLiteral("facing"), 3);
                 choose(QStringLiteral("speed"), 2);
                 choose(QStringLiteral("startEvent"), 0);
                 type(QStringLiteral("editingPassword"), QStringLiteral("  "));
                 in<QPushButton>(QStringLiteral("BUTTON_OK"))->click();
               },
               {}}},
             &done);
    QTRY_VERIFY_WITH_TIMEOUT(done && anyDialog<gui::InitialValuesDialog>() == nullptr, 10000);
    const data::InitialValues& iv = ws_->db.initial;
    QCOMPARE(iv.screenWidth, 25.f);
    QCOMPARE(iv.screenHeight, 19.f);
    QCOMPARE(iv.characterWidth, 48.f);
    QCOMPARE(iv.partySizeMinus1, 2.f);
    QCOMPARE(iv.facing, 6.f);
    QCOMPARE(iv.standardSpeed, 4.f);
    QCOMPARE(iv.startEvent, -1.f);
    QCOMPARE(iv.fadeKind, 3.f);  // an untouched selector keeps its field
    QCOMPARE(iv.mapChip, 1.f);
    QCOMPARE(text::trimRight(ws_->db.hidden.editingPassword), std::string("pw"));  // empty keeps the old one
    QCOMPARE(mapChanges, 1);
  }

  void maxValuesGrowAndRefuseShrinkingWhatIsInUse() {
    auto w = openWindow();
    ws_->db.players.heldItemCount[0] = 8;
    auto box = [](int k) { return anyDialog<gui::MaxValuesDialog>()->box(k); };
    auto ok = [] { anyDialog<gui::MaxValuesDialog>()->findChild<QPushButton*>(QStringLiteral("BUTTON_OK"))->click(); };
    w->post(QStringLiteral("MXM"));
    bool done = false;
    const qsizetype shown = messages_.size();  // what opening the map showed
    runSteps([] { return openDialog<gui::MaxValuesDialog>() != nullptr; },
             {
                 {[&] {
                    QCOMPARE(box(0)->text(), QStringLiteral("4"));
                    box(0)->setText(QStringLiteral("6"));
                    box(2)->setText(QStringLiteral("5"));  // items held: player 0 holds 8
                    ok();
                  },
                  {}},
                 {[&] {
                    QCOMPARE(messages_.size(), shown + 1);
                    QCOMPARE(ws_->db.max.players, 4);      // nothing changed yet
                    box(2)->setText(QStringLiteral("0"));  // raised to the minimum 5: still refused
                    ok();
                  },
                  {}},
                 {[&] {
                    QCOMPARE(messages_.size(), shown + 2);
                    box(2)->setText(QStringLiteral("12"));
                    ok();
                  },
                  {}},
             },
             &done);
    QTRY_VERIFY_WITH_TIMEOUT(done && anyDialog<gui::MaxValuesDialog>() == nullptr, 10000);
    QCOMPARE(ws_->db.max.players, 6);
    QCOMPARE(ws_->db.max.itemsHeld, 12);
    QCOMPARE(ws_->db.players.name[5], text::sj("プレイヤー６"));
    QVERIFY(ws_->databaseModified);
  }

  void attackRateMenuAndChartStayUntilAnotherMode() {
    auto w = openWindow();
    ws_->db.max.players = 4;
    // Nothing chosen: the table stays as it was.
    const auto before = ws_->db.attackRates.rows;
    QTimer::singleShot(50, [&] { QTest::keyClick(w->screen(), Qt::Key_Escape); });
    w->dispatch(QStringLiteral("EAM"));
    QVERIFY(ws_->db.attackRates.rows == before);
    QVERIFY(w->screen() == nullptr);

    QTimer::singleShot(50, [&] {
      QWidget* menu = w->screen();
      QCOMPARE(menu->objectName(), QStringLiteral("EAMMENU"));
      const QPoint entry = gui::PresetMenu::entryRect(1).center();
      QTest::mouseMove(menu, entry);
      QTest::mouseClick(menu, Qt::LeftButton, {}, entry);
    });
    w->dispatch(QStringLiteral("EAM"));
    QVERIFY(w->screen() != nullptr);
    QCOMPARE(w->screen()->objectName(), QStringLiteral("EAMCHART"));
    QVERIFY(w->screen()->isVisible());
    QCOMPARE(ws_->db.attackRates.rows[1][0], 66.f);
    QCOMPARE(ws_->db.attackRates.rows[3][2], 90.f);
    QVERIFY(ws_->databaseModified);
    w->dispatch(QStringLiteral("MPM"));
    QVERIFY(w->screen() == nullptr);
  }
};

QTEST_MAIN(ValuesModesTest)
#include "values_modes_test.moc"
