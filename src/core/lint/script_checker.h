#pragma once
// Checks event scripts against the command language without changing them: commands
// outside the command set, argument counts that fit none of a command's forms, jumps to
// labels that the event ("LBL") or the map ("ELB") does not define, map, event, player,
// item, magic and enemy numbers beyond the project's tables, and scripts without their
// end marker. The editor still stores whatever is typed; this only reports.
#include <span>
#include <string>
#include <vector>

#include "core/data/project_database.h"
#include "core/event/event_model.h"
#include "core/lint/command_forms.h"

namespace quillane::lint {

// The table sizes the numbers of a script are checked against.
struct Limits {
  int maps = 0;        // maps 0..maps-1
  int lastEvent = 100; // events 0..lastEvent (-1, 98 and 99 name the triggered event, none, the player)
  int players = 0;     // players 0..players-1 (98 and 99 have their own meanings)
  int items = 0;
  int magic = 0;
  int enemies = 0;
  static Limits of(const data::MaxValues& max);
};

enum class FindingKind { UnknownCommand, ArgumentCount, MissingLabel, MissingEventLabel, BeyondTable, NoEndMarker };

struct Place {
  enum class Script { Map, Opening, Ending };
  Script script = Script::Map;
  int map = -1;
  int event = -1;
  int line = -1;  // -1: the script as a whole
};

// What a finding is about, for texts in other words than `message`.
struct FindingDetail {
  ArgKind table = ArgKind::Free;  // BeyondTable: the table
  long long number = 0;           // BeyondTable: the number; ArgumentCount: the count
  long long top = -1;             // BeyondTable: the table's last number (-1: empty table)
  std::string subject;            // label names (without "*"), the forms of ArgumentCount (UTF-8)
};

struct Finding {
  Place place;
  std::string command;  // the mnemonic as written (UTF-8); empty for the whole script
  FindingKind kind;
  std::string message;  // UTF-8
  FindingDetail detail = {};
};

// "map 3 event 12 line 7: JMP: label *START is defined nowhere in this event"
std::string formatFinding(const Finding& finding);
// "unknown-command", "argument-count", ... for machine-readable output.
const char* kindName(FindingKind kind);

// The event label names ("ELB,name", CP932) that a script defines before its end
// marker, added to `names` when not there yet.
void collectEventLabels(std::span<const event::ScriptLine> lines, std::vector<std::string>& names);
// Those of every event of a map but `except` (the one an editor holds a copy of).
std::vector<std::string> eventLabelsOfMap(const event::MapEvents& events, int except);

class ScriptChecker {
 public:
  explicit ScriptChecker(Limits limits, const CommandForms& forms = CommandForms::builtIn());

  // Every event 0..lastNumber of map `map`; event labels are those of the whole map.
  void checkMap(int map, const event::MapEvents& events, std::vector<Finding>& out) const;
  // The opening or ending script (its own event labels are its only ones).
  void checkScript(Place::Script which, std::span<const event::ScriptLine> lines,
                   std::vector<Finding>& out) const;
  // One script as an editor holds it: its own event labels count, and so do
  // `otherEventLabels` (CP932 names), those the rest of its map defines.
  void checkEdited(Place place, std::span<const event::ScriptLine> lines,
                   std::span<const std::string> otherEventLabels, std::vector<Finding>& out) const;

 private:
  // One pass over the text: labels are collected while commands are checked, and the
  // jumps to them are resolved when the event (labels) or the map (event labels) ends.
  struct Scan;
  void checkLines(Place place, std::span<const event::ScriptLine> lines, Scan& scan,
                  std::vector<Finding>& out) const;
  void checkCommand(Place place, std::string_view command, Scan& scan, std::vector<Finding>& out) const;

  Limits limits_;
  const CommandForms& forms_;
};

}  // namespace quillane::lint
