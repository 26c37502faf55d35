// The "保存" command: buttons disabled, the once-per-run backup, SaveAll, the message,
// the canvas redrawn.
#include <QPushButton>

#include "core/data/save_all.h"
#include "core/data/map_context.h"
#include "core/map/map_event_file.h"
#include "core/map/map_files.h"
#include "gui/app/app_messages.h"
#include "gui/app/main_window.h"
#include "gui/app/workspace.h"
#include "gui/ui/message_box.h"
#include "gui/ui/text_bridge.h"

namespace quillane::app {

void MainWindow::saveCommand() {
  for (auto& [name, b] : buttons_) b->setEnabled(false);
  if (ws_.map && map::dataBeyondCounts(ws_.map->events, data::mapContext(ws_.db)).any() &&
      !ui::askYesNo(QStringLiteral("イベント数またはメッセージ数を超えるデータがあります。"
                                   "超えた分は保存されませんが、保存しますか？"),
                    QStringLiteral("確認"), ui::Icon::Question)) {
    updateButtons();
    return;
  }
  data::SaveRequest request;
  if (ws_.map) {
    request.mapNumber = ws_.mapIndex;
    request.mapFiles = map::writeMapFiles(*ws_.map, ws_.mapIndex, data::mapContext(ws_.db), ws_.random);
  }
  data::SaveResult result = data::saveCommand(ws_.projectFolder, ws_.db, ws_.random, ws_.backup, request);
  if (result.ok) {
    if (ws_.map) ws_.map->modified = false;
    ws_.databaseModified = false;
    QString text = result.message.empty() ? ui::toQString(data::savedMessage(ws_.map ? ws_.mapIndex : 0))
                                          : ui::toQString(result.message);
    ui::messageBox(text, ui::toQString(data::savedTitle()), ui::Buttons::Ok, ui::Icon::Information);
  } else {
    showSaveFailed(result.error);
  }
  if (ws_.map && (mode_ == gui::kGroundMode || mode_ == gui::kEventMode || mode_ == gui::kSkyMode)) rebuildCanvas();
  updateButtons();
}

}  // namespace quillane::app
