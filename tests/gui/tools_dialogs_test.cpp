// The import and debug dialogs from the main window: a read with a wrong and then the
// right password, a copy of records, a map import that reaches the window's map, and a
// flag set and saved into the test-play save file.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <filesystem>
#include <functional>

#include "core/data/map_context.h"
#include "core/data/save_all.h"
#include "core/map/map_files.h"
#include "core/map/new_map.h"
#include "core/text/project_files.h"
#include "gui/app/main_window.h"
#include "gui/app/workspace.h"
#include "gui/tools/debug_dialog.h"
#include "gui/tools/import_dialog.h"
#include "gui/ui/message_box.h"
#include "gui/ui/message_panel.h"
#include "../core/data_fixtures.h"
#include "window_fixture.h"

using namespace quillane;
namespace fs = std::filesystem;

namespace {

template <class Dialog>
Dialog* openDialog() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* d = qobject_cast<Dialog*>(w); d && d->isVisible()) return d;
  return nullptr;
}

// Runs the steps one after another once the dialog is shown.
template <class Dialog>
void runSteps(std::vector<std::function<void(Dialog&)>> steps) {
  auto shared = std::make_shared<std::vector<std::function<void(Dialog&)>>>(std::move(steps));
  auto next = std::make_shared<std::function<void(std::size_t)>>();
  *next = [shared, next](std::size_t i) {
    if (i >= shared->size()) return;
    QTimer::singleShot(0, [shared, next, i] {
      Dialog* d = openDialog<Dialog>();
      if (!d) {
        QTimer::singleShot(20, [next, i] { (*next)(i); });
        return;
      }
      (*shared)[i](*d);
      (*next)(i + 1);
    });
  };
  (*next)(0);
}

void choose(QComboBox* box, int index) {
  box->setCurrentIndex(index);
  emit box->activated(index);
}

}  // namespace

class ToolsDialogsTest : public QObject {
  Q_OBJECT
  fs::path dir_;
  std::unique_ptr<app::Workspace> ws_;
  std::vector<ui::BoxRequest> boxes_;

  std::unique_ptr<app::MainWindow> openWindow() {
    ws_ = fixture::loadedWorkspace(dir_);
    auto w = std::make_unique<app::MainWindow>(*ws_);
    int chooser = 0;  // map 0, no reference map for the new map
    ui::setChooserHook([chooser](const ui::ChooserRequest&) mutable { return ++chooser == 1 ? 1 : 0; });
    w->show();
    w->start();
    boxes_.clear();  // the new map's question
    return w;
  }

 private slots:
  void init() {
    QVERIFY(fixture::makeScratchProject(dir_, "quillane_tools", 9));
    boxes_.clear();
    ui::setBoxHook([this](const ui::BoxRequest& r) {
      boxes_.push_back(r);
      return r.buttons == ui::Buttons::YesNo ? ui::Answer::Yes : ui::Answer::Ok;
    });
    // Another project beside it, password "secret", with a map 2 of its own.
    data::ProjectDatabase other = data::testing::richDatabase();
    other.initial.mapChip = 0;
    data::RandomSource random(4);
    fs::create_directories(dir_ / "other" / "DAT");
    QVERIFY(data::saveAll(dir_ / "other", other, random).ok);
    map::MapDocument doc = map::newMapDocument(nullptr, false);
    doc.tileSetName = "FOREST";
    doc.ground.set(0, 0, "A3");
    for (auto& f : map::writeMapFiles(doc, 2, data::mapContext(other), random))
      files::writeFileAtomic(files::writePath(dir_ / "other", f.relative), f.content);
  }
  void cleanup() {
    ui::setChooserHook({});
    ui::setBoxHook({});
    ui::setFileHook({});
    ws_.reset();
    fs::remove_all(dir_);
  }

  void importReadsCopiesAndReplacesTheMap() {
    auto w = openWindow();
    QVERIFY(ws_->map);
    int mapChanges = 0;
    w->registry().onMapChanged([&mapChanges](app::ModeContext&) { ++mapChanges; });
    // "参照" on a file below the program folder gives a relative folder.
    ui::setFileHook([this](const ui::FileRequest&) { return QString::fromStdString((dir_ / "other" / "Font.bmp").string()); });
    using D = gui::ImportDialog;
    bool loadedAfterWrong = true, loadedAfterRight = false;
    QString folderShown, kindShown;
    runSteps<D>({
        [](D& d) { d.control<QPushButton>("BUTTON_BROWSE")->click(); },
        [&](D& d) {
          folderShown = d.control<QLineEdit>("EDIT_FOLDER")->text();
          d.control<QLineEdit>("EDIT_FOLDER")->setText(QStringLiteral("./other"));  // no final separator
          d.control<QLineEdit>("EDIT_PASSWORD")->setText(QStringLiteral("secre"));
          d.control<QPushButton>("BUTTON_READ")->click();
        },
        [&](D& d) {
          loadedAfterWrong = d.loaded();
          // Nothing is copied before a read succeeded.
          choose(d.control<QComboBox>("COMBO_KIND"), 1);
        },
        [&](D& d) {
          QCOMPARE(d.control<QListWidget>("LIST_SOURCE")->count(), 0);
          d.control<QLineEdit>("EDIT_PASSWORD")->setText(QStringLiteral("secret"));
          d.control<QPushButton>("BUTTON_READ")->click();
        },
        [&](D& d) {
          loadedAfterRight = d.loaded();
          kindShown = d.control<QComboBox>("COMBO_KIND")->currentText().isEmpty()
                          ? d.control<QComboBox>("COMBO_KIND")->placeholderText()
                          : QString();
          choose(d.control<QComboBox>("COMBO_KIND"), 1);  // enemies
        },
        [](D& d) {
          auto* source = d.control<QListWidget>("LIST_SOURCE");
          source->item(0)->setSelected(true);
          source->item(1)->setSelected(true);
          d.control<QListWidget>("LIST_TARGET")->setCurrentRow(2);
          d.control<QPushButton>("BUTTON_COPY")->click();
        },
        [](D& d) { choose(d.control<QComboBox>("COMBO_KIND"), 5); },
        [](D& d) {
          QCOMPARE(d.control<QListWidget>("LIST_TARGET")->count(), 1);
          QCOMPARE(d.control<QListWidget>("LIST_TARGET")->item(0)->text(), QStringLiteral("編集中のマップ"));
          // No target line is needed for a map: the first selected source map comes.
          auto* source = d.control<QListWidget>("LIST_SOURCE");
          source->item(2)->setSelected(true);
          d.control<QPushButton>("BUTTON_COPY")->click();
        },
        [](D& d) { d.control<QPushButton>("BUTTON_OK")->click(); },
    });
    w->dispatch(QStringLiteral("INP"));
    QCOMPARE(folderShown, QStringLiteral("./other/"));
    QVERIFY(!loadedAfterWrong);
    QVERIFY(loadedAfterRight);
    QCOMPARE(kindShown, QStringLiteral("読込み成功"));
    QVERIFY(!boxes_.empty());
    QCOMPARE(boxes_.front().text, QStringLiteral("パスワードが誤っているため､インポートできません"));
    QCOMPARE(boxes_.front().title, QStringLiteral("パスワードエラー"));
    QCOMPARE(ws_->db.enemies.name[2], std::string("enemy name 0"));
    QCOMPARE(ws_->db.enemies.name[3], std::string("enemy name 1"));
    // The map replaced the open one, under its number, with its map-table entry.
    QCOMPARE(ws_->mapIndex, 0);
    QCOMPARE(ws_->map->tileSetName, std::string("FOREST"));
    QCOMPARE(ws_->map->ground.text(0, 0), std::string("A3"));
    QVERIFY(ws_->map->modified);
    QCOMPARE(ws_->db.maps.name[0], text::sj("マップ") + "2");
    QVERIFY(ws_->databaseModified);
    QCOMPARE(mapChanges, 1);
    QCOMPARE(w->canvas().document(), ws_->map.get());
    // The other project was not written.
    QVERIFY(!fs::exists(dir_ / "other" / "DATBK"));
  }

  void debugSetsAFlagAndSavesIt() {
    auto w = openWindow();
    QVERIFY(ws_->map);
    // Unsaved events of the open map are what the list shows.
    event::MapEvents& ev = ws_->map->events;
    ev.lastNumber = 0;
    ev.records[0].x = 2, ev.records[0].y = 3;
    ev.records[0].lines[0] = {"start", "MES"};
    ev.records[0].lines[1] = {"next", "MES"};
    ev.records[0].lines[2] = {"99", ""};
    ev.grid.at(2, 3) = {"01", "00", "0"};
    using D = gui::DebugDialog;
    QString eventLine, flagShown;
    runSteps<D>({
        [](D& d) { d.control<QListWidget>("LIST_EVENTS")->setCurrentRow(0); },
        [&](D& d) {
          QCOMPARE(d.control<QComboBox>("COMBO_FLAG")->count(), 3);
          choose(d.control<QComboBox>("COMBO_FLAG"), 1);
        },
        [&](D& d) {
          eventLine = d.control<QListWidget>("LIST_EVENTS")->item(0)->text();
          flagShown = d.control<QComboBox>("COMBO_FLAG")->currentText();
          choose(d.control<QComboBox>("COMBO_SLOT"), 8);
        },
        [](D& d) { d.control<QPushButton>("BUTTON_SAVE")->click(); },
        [](D& d) { d.control<QPushButton>("BUTTON_OK")->click(); },
    });
    w->dispatch(QStringLiteral("DBG"));
    QCOMPARE(eventLine, QStringLiteral(" 0:start ■  1:next"));
    QCOMPARE(flagShown, QStringLiteral(" 1:next"));
    QCOMPARE(ws_->eventFlags.get(0, 0), 1);
    QCOMPARE(ws_->debugSlot, 9);
    QVERIFY(!boxes_.empty());
    QCOMPARE(boxes_.back().text, QStringLiteral("セーブデータの保存が完了しました"));
    QCOMPARE(boxes_.back().title, QStringLiteral("保存完了"));
    auto saved = files::readFile(dir_ / "proj" / "SAV" / "DATA9.DAT");
    QVERIFY(saved);
    QVERIFY(saved->rfind(text::sj("999999999999デバッグデータ,"), 0) == 0);
    QVERIFY(saved->find(" 2 , 3 , 1 , 0 , 8 ,01,00,0,") != std::string::npos);
  }
};

QTEST_MAIN(ToolsDialogsTest)
#include "tools_dialogs_test.moc"
