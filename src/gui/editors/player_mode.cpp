#include "gui/editors/player_mode.h"

#include <algorithm>
#include <memory>

#include "gui/app/main_window.h"
#include "gui/app/mode_registry.h"
#include "gui/app/workspace.h"
#include "gui/editors/player_dialog.h"
#include "gui/editors/record_choice.h"
#include "gui/ui/message_panel.h"

namespace quillane::gui {

void registerPlayerMode(app::ModeRegistry& registry) {
  // The player preselected in the list: the one last opened in this run.
  auto current = std::make_shared<int>(0);
  registry.dialogMode(kPlayerMode, [current](app::ModeContext& c) {
    app::Workspace& ws = c.workspace;
    // Records 0..P - 1 are listed; record P is kept as it is.
    const int count = std::min(ws.db.max.players, ws.db.players.size());
    // The main window's line about the starting party stays above the list.
    const QStringList prompts = c.window.messagePanel().lines();
    std::unique_ptr<PlayerDialog> dialog;
    runRecordChoice(c.window, ws.db.players.name, count, kPlayerChoiceLines, *current, [&](int player) {
      if (!dialog)
        dialog = std::make_unique<PlayerDialog>(ws.db, ws.projectFolder, c.host.canvas().sheets().character, &c.window);
      const editors::RecordOutcome outcome = dialog->open(player);
      // Everything but cancel keeps what was committed (the quit question then warns).
      if (outcome != editors::RecordOutcome::Cancelled) ws.databaseModified = true;
      return outcome;
    }, prompts);
  });
}

}  // namespace quillane::gui
