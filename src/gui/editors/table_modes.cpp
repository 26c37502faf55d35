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
#include "gui/event/event_pick.h"
#include "gui/map/palette_view.h"
#include "gui/ui/text_bridge.h"

namespace quillane::gui {

namespace {

constexpr int kLinesPerPage = 27;

QStringList shown(const std::vector<text::Bytes>& items) {
  QStringList out;
  for (const text::Bytes& item : items) out << ui::toQString(item);
  return out;
}

// Shows the chooser with `items()` (made again each time, as the dialog changes them)
// and runs `open` on the chosen position - 1 until the chooser is cancelled. `current`
// is preselected and follows the choice.
void chooseAndOpen(app::MainWindow& window, int& current, const std::function<std::vector<text::Bytes>()>& items,
                   const std::function<void(int)>& open) {
  while (!window.ending()) {
    const QStringList lines = shown(items());
    if (lines.isEmpty()) return;
    current = std::clamp(current, 0, static_cast<int>(lines.size()) - 1);
    const int position = window.chooseFromList({}, lines, kLinesPerPage, current + 1);
    if (position <= 0) return;
    current = position - 1;
    open(current);
  }
}

}  // namespace

void registerTableModes(app::ModeRegistry& registry) {
  auto attribute = std::make_shared<int>(0);
  registry.dialogMode(13, [attribute](app::ModeContext& c) {
    app::Workspace& ws = c.workspace;
    chooseAndOpen(
        c.window, *attribute, [&ws] { return editors::attributeChoiceItems(ws.db.scenery); },
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
        c.window, *message, [&ws] { return editors::messageChoiceItems(ws.db.messages); },
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
        c.window, *object, [&ws] { return editors::objectChoiceItems(ws.map->objects); },
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
