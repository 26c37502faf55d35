// Choosing, opening, creating and deleting the map being edited.
#include <QStringList>

#include "core/data/load_all.h"
#include "core/data/map_context.h"
#include "core/data/save_all.h"
#include "core/map/map_file_names.h"
#include "core/map/map_files.h"
#include "core/map/new_map.h"
#include "core/text/project_files.h"
#include "gui/app/app_messages.h"
#include "gui/app/main_window.h"
#include "gui/app/workspace.h"
#include "gui/map/map_view.h"
#include "gui/ui/message_box.h"
#include "gui/ui/message_panel.h"
#include "gui/ui/text_bridge.h"

namespace quillane::app {

namespace {
constexpr int kMapListLines = 24;

// "n:name" for every map 0..N-1.
QStringList mapItems(const Workspace& ws) {
  QStringList items;
  for (int n = 0; n < ws.db.max.maps; ++n) {
    QString name = n < ws.db.maps.count() ? ui::toQString(ws.db.maps.name[n]) : QString();
    items << QString::number(n) + QLatin1Char(':') + name;
  }
  return items;
}


bool backupOnce(Workspace& ws) {
  if (auto why = data::takeBackupOnce(ws.projectFolder, ws.backup)) {
    showSaveFailed(*why);
    return false;
  }
  return true;
}
}  // namespace

void MainWindow::chooseMap() {
  for (;;) {
    int position = chooseFromList({QStringLiteral("　編集したいマップを選択して下さい")}, mapItems(ws_), kMapListLines,
                                  ws_.map ? ws_.mapIndex + 1 : 0);
    if (ending_) return;
    if (position == 0) {
      if (ws_.map) return;  // back to the open map, unchanged
      continue;             // a map must be open
    }
    if (openOrCreate(position - 1)) return;
    if (ending_) return;
  }
}

bool MainWindow::confirmDiscardMap() {
  if (!ws_.mapModified()) return true;
  return ui::askYesNo(QStringLiteral("編集中のマップは保存されていません。変更を破棄してよろしいですか？"),
                      QStringLiteral("確認"), ui::Icon::Question);
}

bool MainWindow::openOrCreate(int number) {
  if (!confirmDiscardMap()) return ws_.map != nullptr;  // keep editing the open map
  if (!map::mapExists(ws_.projectFolder, number)) {
    if (createMap(number)) return true;
    if (ending_) return false;
    // Creation declined: the map list again.
    chooseMap();
    return ws_.map != nullptr;
  }
  return openMap(number);
}

bool MainWindow::openMap(int number) {
  std::unique_ptr<map::MapDocument> doc;
  try {
    doc = std::make_unique<map::MapDocument>(map::readMap(ws_.projectFolder, number, data::mapContext(ws_.db)));
  } catch (const text::ReadError&) {
    // The open map and its number stay as they were.
    showFileOpenError();
    return false;
  }
  installMap(std::move(doc), number);
  return true;
}

void MainWindow::installMap(std::unique_ptr<map::MapDocument> doc, int number) {
  ws_.map = std::move(doc);
  ws_.mapIndex = number;
  ws_.closedMap.reset();
  QStringList messages = loadMapSheets();
  view_->setScroll(0, 0);
  if (mode_ == gui::kGroundMode || mode_ == gui::kEventMode || mode_ == gui::kSkyMode) {
    panel_->hide();
    rebuildCanvas();
    refreshPalette();
  }
  followOpenMap(messages);
}

QStringList MainWindow::loadMapSheets() {
  QStringList messages = canvas_.sheets().load(ws_.projectFolder, *ws_.map, ws_.splitMapChips(), ws_.characterLook());
  canvas_.setDocument(ws_.map.get(), ws_.splitMapChips());
  return messages;
}

void MainWindow::followOpenMap(const QStringList& loadMessages) {
  showLoadMessages(loadMessages);
  mapChanged();
  refreshStatus();
  updateButtons();
}

void MainWindow::projectLookChanged() {
  if (!ws_.map) return;
  QStringList messages = loadMapSheets();
  rebuildCanvas();
  refreshPalette();
  followOpenMap(messages);
}

bool MainWindow::createMap(int number) {
  if (!ui::askYesNo(QStringLiteral("マップを新規作成します"), QString::fromStdString(map::mapBodyLeafName(number)),
                    ui::Icon::Question))
    return false;
  int reference = -1;
  for (;;) {
    int position = chooseFromList(
        {QStringLiteral("　参考にするマップがあれば選択して下さい"), QStringLiteral("　（無ければキャンセルして下さい）")},
        mapItems(ws_), kMapListLines);
    if (ending_) return false;
    if (position - 1 == number) continue;  // not the new map itself
    reference = position - 1;              // -1: none
    break;
  }
  const map::MapDocument* previous = ws_.map ? ws_.map.get() : ws_.closedMap.get();
  map::MapDocument fresh = map::newMapDocument(previous, ws_.splitMapChips());
  showMessage(QStringLiteral("　新規マップデータ準備中です"));

  // The whole project is saved quietly with the new map's files.
  if (!backupOnce(ws_)) return false;
  map::MapFileContext context = data::mapContext(ws_.db);
  data::SaveRequest request;
  request.mapNumber = number;
  request.mapFiles = map::writeMapFiles(fresh, number, context, ws_.random);
  request.quiet = true;
  data::SaveResult result = data::saveAll(ws_.projectFolder, ws_.db, ws_.random, request);
  if (!result.ok) {
    showSaveFailed(result.error);
    return false;
  }
  ws_.databaseModified = false;
  // The saved hidden fields were drawn anew; the file keys stay the same.
  context = data::mapContext(ws_.db);

  std::unique_ptr<map::MapDocument> doc;
  if (reference >= 0) {
    try {
      doc = std::make_unique<map::MapDocument>(map::readMap(ws_.projectFolder, reference, context));
      doc->modified = true;  // a copy of the reference, written under the new number at the next save
    } catch (const text::ReadError&) {
      doc.reset();  // the reference cannot be read: the new map's own files
    }
  }
  if (!doc) {
    try {
      doc = std::make_unique<map::MapDocument>(map::readMap(ws_.projectFolder, number, context));
    } catch (const text::ReadError&) {
      showFileOpenError();
      return false;
    }
  }
  installMap(std::move(doc), number);
  return true;
}

void MainWindow::deleteMap() {
  if (!ws_.map) return;
  if (!ui::askYesNo(QStringLiteral("マップデータを削除します"), QStringLiteral("マップデータ削除確認"),
                    ui::Icon::Question))
    return;
  if (!backupOnce(ws_)) return;
  const int number = ws_.mapIndex;
  // Town entries of this map become free.
  auto& scenery = ws_.db.scenery;
  for (int i = 0; i < scenery.count(); ++i) {
    if (static_cast<int>(scenery.town[i]) == number) {
      scenery.visited[i] = 0;
      scenery.town[i] = 99;
    }
  }
  if (number >= 0 && number < ws_.db.maps.count()) ws_.db.maps.name[number].clear();
  ws_.databaseModified = true;
  canvas_.setDocument(nullptr, ws_.splitMapChips());
  canvas_.build();
  for (const std::string& name : map::mapFileNamesForDeletion(number)) files::removeVariants(ws_.projectFolder, name);
  ws_.closedMap = std::move(ws_.map);
  ws_.mapIndex = -1;
  mapChanged();
  refreshStatus();
  view_->update();
  chooseMap();
}

}  // namespace quillane::app
