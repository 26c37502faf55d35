// The "保存" command: buttons disabled, the once-per-run backup, SaveAll, the message,
// the canvas redrawn.
#include <QPushButton>

#include "core/data/save_all.h"
#include "core/map/map_files.h"
#include "gui/app/main_window.h"
#include "gui/app/workspace.h"
#include "gui/ui/message_box.h"
#include "gui/ui/text_bridge.h"

namespace quillane::app {

// True when the open map holds events or script lines beyond "イベント数" or
// "メッセージ数" (lowered after they were made): the writer leaves them out.
bool dataBeyondMaxima(const Workspace& ws) {
  if (!ws.map) return false;
  const auto& events = ws.map->events;
  if (events.lastNumber > ws.db.max.events) return true;
  const int last = std::min(events.lastNumber, static_cast<int>(events.records.size()) - 1);
  for (int e = 0; e <= last; ++e) {
    const auto& lines = events.records[e].lines;
    for (int i = ws.db.max.messages; i < static_cast<int>(lines.size()); ++i) {
      if (lines[i].message == event::kEndMarker) break;
      // A line at or past the count that still holds text, before the end marker.
      if (!lines[i].message.empty() || !lines[i].command.empty()) return true;
    }
  }
  return false;
}

void MainWindow::saveCommand() {
  for (auto& [name, b] : buttons_) b->setEnabled(false);
  if (dataBeyondMaxima(ws_) &&
      !ui::askYesNo(QStringLiteral("イベント数またはメッセージ数を超えるデータがあります。"
                                   "超えた分は保存されませんが、保存しますか？"),
                    QStringLiteral("確認"), ui::Icon::Question)) {
    updateButtons();
    return;
  }
  data::SaveRequest request;
  if (ws_.map) {
    request.mapNumber = ws_.mapIndex;
    request.mapFiles = map::writeMapFiles(*ws_.map, ws_.mapIndex, mapFileContext(ws_), ws_.random);
  }
  data::SaveResult result = data::saveCommand(ws_.projectFolder, ws_.db, ws_.random, ws_.backup, request);
  if (result.ok) {
    if (ws_.map) ws_.map->modified = false;
    ws_.databaseModified = false;
    QString text = result.message.empty() ? ui::toQString(data::savedMessage(ws_.map ? ws_.mapIndex : 0))
                                          : ui::toQString(result.message);
    ui::messageBox(text, ui::toQString(data::savedTitle()), ui::Buttons::Ok, ui::Icon::Information);
  } else {
    ui::messageBox(ui::toQString(data::saveFailedMessage(result.error)), ui::toQString(data::saveFailedTitle()),
                   ui::Buttons::Ok, ui::Icon::Exclamation);
  }
  if (ws_.map && (mode_ == gui::kGroundMode || mode_ == gui::kEventMode || mode_ == gui::kSkyMode)) rebuildCanvas();
  updateButtons();
}

}  // namespace quillane::app
