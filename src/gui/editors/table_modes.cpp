#include "gui/editors/table_modes.h"

#include <QStringList>
#include <algorithm>
#include <functional>
#include <memory>

#include "core/editors/attribute_editing.h"
#include "core/editors/message_editing.h"
#include "core/editors/object_editing.h"
#include "core/event/flag_table_editor.h"
#include "gui/app/main_window.h"
#include "gui/app/mode_registry.h"
#include "gui/app/workspace.h"
#include "gui/editors/attribute_dialog.h"
#include "gui/editors/message_dialog.h"
#include "gui/editors/object_dialog.h"
#include "gui/editors/record_choice.h"
#include "gui/event/event_pick.h"
#include "gui/map/palette_view.h"
#include "gui/ui/text_bridge.h"

namespace quillane::gui {

namespace {

QStringList shown(const std::vector<text::Bytes>& items) {
  QStringList out;
  for (const text::Bytes& item : items) out << ui::toQString(item);
  return out;
}

// The record choice over `items()`, made again each time the list comes back (the
// dialog may add, rename or delete entries); `capacity` bounds the entries there can
// be. The dialogs have no previous/next: after OK or cancel the list is shown again.
void chooseAndOpen(app::MainWindow& window, int& current, int capacity,
                   const std::function<std::vector<text::Bytes>()>& items, const std::function<void(int)>& open) {
  auto choose = [&](int preselect) {
    const QStringList lines = shown(items());
    return window.chooseFromList({}, lines, kRecordChoiceLines, std::min(preselect, static_cast<int>(lines.size())));
  };
  editors::runRecordChoice(capacity, current, choose, [&](int record) {
    open(record);
    return editors::RecordOutcome::Confirmed;
  });
}

}  // namespace

void registerTableModes(app::ModeRegistry& registry) {
  auto attribute = std::make_shared<int>(0);
  registry.dialogMode(13, [attribute](app::ModeContext& c) {
    app::Workspace& ws = c.workspace;
    chooseAndOpen(
        c.window, *attribute, data::kMaxAttributes, [&ws] { return editors::attributeChoiceItems(ws.db.scenery); },
        [&](int a) {
          AttributeDialog dialog(ws.db.scenery, a, &c.window);
          if (dialog.run()) ws.databaseModified = true;
        });
  });

  auto message = std::make_shared<int>(0);
  registry.dialogMode(14, [message](app::ModeContext& c) {
    app::Workspace& ws = c.workspace;
    if (editors::listedMessages(ws.db.messages) == 0) {
      // Nothing to choose: the dialog shows the empty list.
      MessageDialog dialog(ws.db.messages, -1, &c.window);
      if (dialog.run()) ws.databaseModified = true;
      return;
    }
    chooseAndOpen(
        c.window, *message, data::kMaxMessages, [&ws] { return editors::messageChoiceItems(ws.db.messages); },
        [&](int n) {
          MessageDialog dialog(ws.db.messages, n, &c.window);
          if (dialog.run()) ws.databaseModified = true;
        });
  });

  auto object = std::make_shared<int>(0);
  registry.dialogMode(18, [object](app::ModeContext& c) {
    app::Workspace& ws = c.workspace;
    if (!ws.map) return;  // the object table belongs to the open map
    chooseAndOpen(
        c.window, *object, editors::kEditableObjects, [&ws] { return editors::objectChoiceItems(ws.map->objects); },
        [&](int n) {
          // A new object starts with the tile chosen in the palette.
          const QRect brush = c.host.palette().brush();
          const text::Bytes character =
              event::pickedCharacterCode(brush.top(), brush.left(), c.host.palette().bank(), ws.splitMapChips());
          CanvasMapPicker picker(c.host);
          ObjectDialog dialog(ws.map->objects, n, ws.map->events, c.host.canvas().sheets().work,
                              ws.splitMapChips(), character, &picker, &c.window);
          if (dialog.run()) ws.map->modified = true;
        });
  });
}

}  // namespace quillane::gui
