#include "gui/event/script_editor.h"

#include "core/data/project_database.h"
#include "core/event/event_editing.h"
#include "core/map/map_document.h"
#include "gui/event/script_editor_dialog.h"

namespace quillane::gui {

ScriptEditorOutcome editEvent(ScriptEditorContext& context, int number) {
  if (!context.openMap) return ScriptEditorOutcome::Cancel;
  event::MapEvents& events = context.openMap->events;
  if (number < 0 || number > events.lastNumber) return ScriptEditorOutcome::Cancel;
  event::EventWorkCopy copy = event::takeWorkCopy(events, number);
  ScriptEditorOutcome outcome;
  {
    ScriptEditorDialog dialog(context, copy, ScriptEditorMode::Event, number);
    outcome = dialog.run();
  }
  if (outcome == ScriptEditorOutcome::Ok) {
    event::putBack(events, number, copy);
    context.openMap->modified = true;
  } else if (outcome == ScriptEditorOutcome::Deleted) {
    event::deleteEvent(events, number);
    context.openMap->modified = true;
  }
  return outcome;
}

ScriptEditorOutcome editStoryScript(ScriptEditorContext& context, data::Script& script, ScriptEditorMode mode) {
  event::EventWorkCopy copy = event::workCopyOfLines(script.lines);
  ScriptEditorOutcome outcome;
  {
    ScriptEditorDialog dialog(context, copy, mode, -1);
    outcome = dialog.run();
  }
  if (outcome == ScriptEditorOutcome::Ok) event::putBackLines(script.lines, copy);
  return outcome;
}

}  // namespace quillane::gui
