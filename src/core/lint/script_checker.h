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

struct Finding {
  Place place;
  std::string command;  // the mnemonic as written (UTF-8); empty for the whole script
  FindingKind kind;
  std::string message;  // UTF-8
};

// "map 3 event 12 line 7: JMP: label *START is defined nowhere in this event"
std::string formatFinding(const Finding& finding);
// "unknown-command", "argument-count", ... for machine-readable output.
const char* kindName(FindingKind kind);

class ScriptChecker {
 public:
  explicit ScriptChecker(Limits limits, const CommandForms& forms = CommandForms::builtIn());

  // Every event 0..lastNumber of map `map`; event labels are those of the whole map.
  void checkMap(int map, const event::MapEvents& events, std::vector<Finding>& out) const;
  // The opening or ending script (its own event labels are its only ones).
  void checkScript(Place::Script which, std::span<const event::ScriptLine> lines,
                   std::vector<Finding>& out) const;

 private:
  struct Labels;
  void checkLines(Place place, std::span<const event::ScriptLine> lines, const Labels& labels,
                  std::vector<Finding>& out) const;
  void checkCommand(Place place, std::string_view command, const Labels& labels,
                    std::vector<Finding>& out) const;

  Limits limits_;
  const CommandForms& forms_;
};

}  // namespace quillane::lint
