// quillane-tool lint: every event script of the project checked against the command
// language, one line (or one JSON object) per finding, then a summary.
#include <cstdio>
#include <nlohmann/json.hpp>

#include "cli/project_commands.h"
#include "core/data/load_all.h"
#include "core/data/map_context.h"
#include "core/lint/script_checker.h"
#include "core/map/map_event_file.h"
#include "core/map/map_file_names.h"
#include "core/map/map_files.h"
#include "core/text/project_files.h"
#include "core/text/read_error.h"

namespace quillane::cli {

namespace {

void print(const lint::Finding& f, bool json) {
  if (!json) {
    std::printf("%s\n", lint::formatFinding(f).c_str());
    return;
  }
  nlohmann::json j;
  switch (f.place.script) {
    case lint::Place::Script::Map: j["script"] = "map", j["map"] = f.place.map, j["event"] = f.place.event; break;
    case lint::Place::Script::Opening: j["script"] = "opening"; break;
    case lint::Place::Script::Ending: j["script"] = "ending"; break;
  }
  if (f.place.line >= 0) j["line"] = f.place.line;
  if (!f.command.empty()) j["command"] = f.command;
  j["kind"] = lint::kindName(f.kind);
  j["message"] = f.message;
  std::printf("%s\n", j.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace).c_str());
}

}  // namespace

int runLint(const Options& o) {
  data::ProjectDatabase db;
  data::RandomSource random;
  bool registered = false;
  if (!loadLikeEditor(o, db, random, registered)) return 2;

  lint::ScriptChecker checker(lint::Limits::of(db.max));
  std::vector<lint::Finding> findings;
  map::MapFileContext context = data::mapContext(db);
  int scripts = 0, unreadable = 0;
  const int first = o.map ? *o.map : 0, last = o.map ? *o.map : db.max.maps - 1;
  for (int m = first; m <= last; ++m) {
    if (!map::mapExists(o.folder, m)) continue;
    const std::string name = map::mapEventFileName(m);
    try {
      std::optional<text::Bytes> bytes = files::readProjectFile(o.folder, name);
      if (!bytes) continue;
      event::MapEvents events = map::readEventList(*bytes, name, context);
      checker.checkMap(m, events, findings);
      scripts += events.lastNumber + 1;
    } catch (const text::ReadError& e) {
      std::fprintf(stderr, "%s\n", text::toUtf8(data::describe(e)).c_str());
      ++unreadable;
    }
  }
  if (!o.map) {
    checker.checkScript(lint::Place::Script::Opening, db.opening.lines, findings);
    checker.checkScript(lint::Place::Script::Ending, db.ending.lines, findings);
    scripts += 2;
  }
  for (const lint::Finding& f : findings) print(f, o.json);
  if (!o.json)
    std::printf("%zu finding%s in %d script%s\n", findings.size(), findings.size() == 1 ? "" : "s", scripts,
                scripts == 1 ? "" : "s");
  if (unreadable) return 2;
  return findings.empty() ? 0 : 1;
}

}  // namespace quillane::cli
