// The main window's map commands on a scratch project: choosing and creating maps,
// deleting, saving with the once-per-run backup, "▼" on the last map.
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <filesystem>

#include "core/data/map_context.h"
#include "core/map/map_file_names.h"
#include "core/map/map_files.h"
#include "core/text/project_files.h"
#include "gui/app/main_window.h"
#include "gui/app/workspace.h"
#include "gui/map/map_view.h"
#include "gui/ui/message_box.h"
#include "gui/ui/message_panel.h"
#include "window_fixture.h"

using namespace quillane;
namespace fs = std::filesystem;

namespace {
// Answers choosers from a queue (positions) and records every box.
struct Script {
  QList<int> choices;
  QList<QStringList> prompts;
  QStringList boxes;
  ui::Answer yesNo = ui::Answer::Yes;
  void install() {
    ui::setChooserHook([this](const ui::ChooserRequest& r) {
      prompts << r.prompts;
      if (choices.isEmpty()) qFatal("unexpected chooser: %s", qPrintable(r.prompts.join('|')));
      return choices.takeFirst();
    });
    ui::setBoxHook([this](const ui::BoxRequest& r) {
      boxes << r.text;
      return r.buttons == ui::Buttons::YesNo ? yesNo : ui::Answer::Ok;
    });
  }
};
std::string slurp(const fs::path& p) { return files::readFile(p).value_or("<missing>"); }
}  // namespace

class AppMainWindowTest : public QObject {
  Q_OBJECT
  fs::path dir_;
  std::unique_ptr<app::Workspace> ws_;
  Script script_;

  fs::path project() const { return dir_ / "proj"; }

  // A blank project with password "pw", loaded, and a main window with map 0 created.
  std::unique_ptr<app::MainWindow> openWindow() {
    ws_ = fixture::loadedWorkspace(dir_);
    auto w = std::make_unique<app::MainWindow>(*ws_);
    script_.choices = {1, 0};  // map 0, no reference
    w->start();
    return w;
  }

 private slots:
  void init() {
    QVERIFY(fixture::makeScratchProject(dir_, "quillane_main", 3));
    script_ = Script{};
    script_.install();
  }
  void cleanup() {
    ui::setChooserHook({});
    ui::setBoxHook({});
    ws_.reset();
    fs::remove_all(dir_);
  }

  void missingMapIsCreatedWithoutReference() {
    auto w = openWindow();
    QCOMPARE(ws_->mapIndex, 0);
    QCOMPARE(w->mode(), 1);
    QCOMPARE(script_.boxes.first(), QStringLiteral("マップを新規作成します"));
    QCOMPARE(script_.prompts[1].first(), QStringLiteral("　参考にするマップがあれば選択して下さい"));
    for (const std::string& name : map::mapFileNamesForDeletion(0)) QVERIFY(files::findExisting(project(), name));
    QCOMPARE(ws_->map->width, 20);
    QCOMPARE(ws_->map->height, 15);
    QCOMPARE(ws_->map->ground.text(14, 19), std::string("00"));
    QVERIFY(!ws_->map->modified);
  }

  void missingMapIsCreatedFromAReference() {
    auto w = openWindow();
    ws_->map->width = 33;
    ws_->map->ground.set(2, 30, "5A");
    ws_->map->modified = true;
    w->saveCommand();
    // Map 3 from reference map 0 (the map's own number is refused and asked again).
    script_.choices = {4, 4, 1};
    w->dispatch(QStringLiteral("HEN"));
    QVERIFY(script_.choices.isEmpty());
    QCOMPARE(ws_->mapIndex, 3);
    QCOMPARE(ws_->map->width, 33);
    QCOMPARE(ws_->map->ground.text(2, 30), std::string("5A"));
    QVERIFY(ws_->map->modified);  // written under number 3 at the next save
    w->saveCommand();
    map::MapDocument saved = map::readMap(project(), 3, data::mapContext(ws_->db));
    QCOMPARE(saved.width, 33);
    QCOMPARE(saved.ground.text(2, 30), std::string("5A"));
  }

  void declinedCreationShowsTheListAgain() {
    auto w = openWindow();
    script_.yesNo = ui::Answer::No;
    script_.choices = {6, 0};  // map 5: creation declined, then the list again: cancelled
    w->dispatch(QStringLiteral("HEN"));
    QCOMPARE(ws_->mapIndex, 0);
    QVERIFY(!map::mapExists(project(), 5));
  }

  void deletingRemovesTheFilesAndClearsTheName() {
    auto w = openWindow();
    script_.choices = {3, 0};  // map 2, no reference
    w->dispatch(QStringLiteral("HEN"));
    QCOMPARE(ws_->mapIndex, 2);
    ws_->db.maps.name[2] = "town";
    ws_->db.scenery.town[0] = 2;
    ws_->db.scenery.visited[0] = 1;
    script_.choices = {1};  // after the deletion: map 0
    w->dispatch(QStringLiteral("DEL"));
    for (const std::string& name : map::mapFileNamesForDeletion(2)) QVERIFY(!files::findExisting(project(), name));
    QVERIFY(ws_->db.maps.name[2].empty());
    QCOMPARE(ws_->db.scenery.town[0], 99.0f);
    QCOMPARE(ws_->db.scenery.visited[0], 0.0f);
    QCOMPARE(ws_->mapIndex, 0);
    QVERIFY(ws_->databaseModified);
  }

  void twoSavesBackUpOnce() {
    auto w = openWindow();
    // The quiet save of the new map took the backup: the tables as the project began.
    const std::string original = slurp(project() / "DATbk" / "bzenMAX.DAT");
    QVERIFY(original != "<missing>");
    ws_->backup.taken = false;  // a new run
    const std::string beforeFirst = slurp(project() / "DAT" / "bzenMAX.DAT");
    w->saveCommand();
    QCOMPARE(script_.boxes.last(), QStringLiteral("マップデータ（No. 0）は正常に保存されました"));
    const std::string afterFirst = slurp(project() / "DAT" / "bzenMAX.DAT");
    QVERIFY(afterFirst != beforeFirst);  // fresh reserved numbers
    w->saveCommand();
    QCOMPARE(slurp(project() / "DATbk" / "bzenMAX.DAT"), beforeFirst);
  }

  void downOnTheLastMapDoesNothing() {
    auto w = openWindow();
    const int last = ws_->db.max.maps - 1;
    script_.choices = {last + 1, 0};
    w->dispatch(QStringLiteral("HEN"));
    QCOMPARE(ws_->mapIndex, last);
    const int boxes = script_.boxes.size();
    w->dispatch(QStringLiteral("NXM"));
    QCOMPARE(ws_->mapIndex, last);
    QCOMPARE(script_.boxes.size(), boxes);
    QVERIFY(!w->button(QStringLiteral("BUTTON169"))->isEnabled());
  }

  void heldArrowRepeatsUntilReleased() {
    auto w = openWindow();
    ws_->map->width = 80;
    ws_->map->height = 80;
    w->rebuildCanvas();
    w->show();
    QTest::keyPress(w.get(), Qt::Key_Down);
    QTRY_COMPARE(w->view().scrollRow(), 1);  // acts on the press
    QTRY_VERIFY(w->view().scrollRow() >= 3);  // and again every tick while held
    QTest::keyRelease(w.get(), Qt::Key_Down);
    QTest::qWait(50);
    const int row = w->view().scrollRow();
    QTest::qWait(200);
    QCOMPARE(w->view().scrollRow(), row);
    // Escape asks before ending; No keeps the window.
    script_.yesNo = ui::Answer::No;
    QTest::keyClick(w.get(), Qt::Key_Escape);
    QTRY_COMPARE(script_.boxes.last(), QStringLiteral("終了します、よろしいですか？"));
    QVERIFY(!w->ending());
  }

  void arrowsScrollAndZoomChangesTheView() {
    auto w = openWindow();
    ws_->map->width = 80;
    ws_->map->height = 80;
    w->rebuildCanvas();
    w->dispatch(QStringLiteral("2"));
    w->dispatch(QStringLiteral("6"));
    QCOMPARE(w->view().scrollRow(), 1);
    QCOMPARE(w->view().scrollColumn(), 1);
    w->post(QStringLiteral("KSD"));  // through the loop, which then sets the buttons
    QTRY_COMPARE(w->view().zoom(), 100.0);
    QVERIFY(!w->button(QStringLiteral("BUTTON118"))->isEnabled());
    QCOMPARE(w->field(QStringLiteral("EDIT157"))->text(), QStringLiteral("100"));
    w->dispatch(QStringLiteral("MPU"));
    QCOMPARE(w->mode(), 17);
    QCOMPARE(w->field(QStringLiteral("EDIT9"))->text(), QStringLiteral("上空マップモード"));
  }
};

QTEST_MAIN(AppMainWindowTest)
#include "app_main_window.moc"
