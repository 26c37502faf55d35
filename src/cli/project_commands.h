#pragma once
// The commands of quillane-tool. Each prints what it did (or the first problem) and
// returns the exit status.
#include <optional>
#include <string>

#include "core/data/project_database.h"
#include "core/data/random_source.h"
#ifdef QUILLANE_TOOL_RENDER
#include "gui/map/map_render.h"
#endif

namespace quillane::cli {

#ifdef QUILLANE_TOOL_RENDER
using gui::RenderOptions;
#else
struct RenderOptions {};
#endif

struct Options {
  std::string folder;
  std::optional<std::string> password;  // as typed (UTF-8 on the command line)
  std::optional<int> map;
  bool json = false;  // lint: findings as JSON lines
  std::string out;    // render: the PNG file
  RenderOptions render;
  std::string input;  // restore: the JSON document ("-" for standard input)
  bool force = false;  // restore: write over a folder that holds a project
  // Problems go to standard error (dump writes the document to standard output).
  bool problemsToStderr = false;
};

// The password given with --password as CP932 (empty when none), refused as the
// welcome dialog refuses it (the problem is printed; empty optional then).
std::optional<data::Bytes> passwordBytes(const Options& o);

// Loads as the editor's start-up does: the password test when a password is given (a
// new project registers it), then the check-number test. Prints the first problem.
bool loadLikeEditor(const Options& o, data::ProjectDatabase& db, data::RandomSource& random,
                    bool& registered);

int runNew(const Options& options);
int runCheck(const Options& options);
int runResave(const Options& options);
// Checks every event script (or those of one map) and the opening and ending; exit
// status 0 clean, 1 findings, 2 the project cannot be read.
int runLint(const Options& options);
// The whole project as one JSON document on standard output; exit status 0 or 1.
int runDump(const Options& options);
// Writes the project of a JSON document into a folder; exit status 0, 1 (refused or
// failed: nothing written).
int runRestore(const Options& options);
#ifdef QUILLANE_TOOL_RENDER
// Draws map N (0 by default) into a PNG file; exit status 0, 1 (cannot write), 2 (cannot read).
int runRender(const Options& options, int argc, char** argv);
#endif

}  // namespace quillane::cli
