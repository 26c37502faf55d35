#include "cli/project_commands.h"

#include <cstdio>

#include "core/data/blank_project.h"
#include "core/data/hidden_fields.h"
#include "core/data/load_all.h"
#include "core/data/map_context.h"
#include "core/data/save_all.h"
#include "core/data/text_rules.h"
#include "core/map/map_files.h"
#include "core/text/item_writer.h"

namespace quillane::cli {

namespace {

using data::Bytes;

FILE* problemStream = stdout;
void problem(const std::string& what) { std::fprintf(problemStream, "%s\n", what.c_str()); }

}  // namespace

std::optional<Bytes> passwordBytes(const Options& o) {
  problemStream = o.problemsToStderr ? stderr : stdout;
  if (!o.password) return Bytes{};
  auto bytes = text::fromUtf8(*o.password);
  if (!bytes) {
    problem("password: a character that CP932 cannot hold");
    return std::nullopt;
  }
  if (auto refusal = data::refusePassword(*bytes)) {
    problem("password: " + text::toUtf8(*refusal));
    return std::nullopt;
  }
  return bytes;
}

namespace {

// Loads as the editor's start-up does: the password test when a password is given (a
// new project registers it), then the check-number test. Prints the first problem.
bool loadAndTest(const Options& o, const Bytes& typed, data::ProjectDatabase& db, data::RandomSource& random,
                 bool& registered) {
  registered = false;
  try {
    data::loadAll(o.folder, db, random);
    if (o.password && !typed.empty() && data::needsRegistration(db)) {
      data::Registration reg = data::makeRegistration(typed, random);
      data::loadAll(o.folder, db, random, &reg);
      data::acceptCheckSums(db.hidden);
      registered = true;
    }
  } catch (const text::ReadError& e) {
    problem(text::toUtf8(data::describe(e)));
    return false;
  }
  if (o.password && !data::passwordMatches(db.hidden, typed)) {
    problem("password: the editing password stored in the project differs from the one given");
    return false;
  }
  if (!data::checkSumsMatch(db.hidden)) {
    auto [opening, ending] = data::expectedCheckSums(db.hidden);
    if (db.hidden.openingCheck != static_cast<float>(opening))
      problem("DAT\\BZENTOPN.DAT, item 1: expected the check number " + std::to_string(opening) + ", found " +
              text::numberForm(db.hidden.openingCheck));
    else
      problem("DAT\\BZENTEND.DAT, item 1: expected the check number " + std::to_string(ending) + ", found " +
              text::numberForm(db.hidden.endingCheck));
    return false;
  }
  return true;
}

}  // namespace

// The load and tests; once a given password is accepted, a save or backup cut short
// is settled (without a password nothing is written). A save that had to be undone
// is loaded and tested again.
bool loadLikeEditor(const Options& o, data::ProjectDatabase& db, data::RandomSource& random, bool& registered) {
  problemStream = o.problemsToStderr ? stderr : stdout;
  auto typed = passwordBytes(o);
  if (!typed) return false;
  for (int attempt = 0; attempt < 2; ++attempt) {
    if (!loadAndTest(o, *typed, db, random, registered)) return false;
    if (!o.password) {
      auto pending = data::pendingSave(o.folder);
      if (pending.state() == files::PendingCommit::State::Refused)
        problem("note: a staged save was ignored: " + pending.problem());
      return true;
    }
    data::SettleReport report = data::settleInterruptedWrites(o.folder);
    if (!report.refused.empty()) problem("note: a staged save was ignored: " + report.refused);
    if (!report.failure.empty()) {
      problem("an interrupted save could not be settled: " + report.failure);
      return false;
    }
    if (!report.reloadNeeded) return true;
  }
  return true;
}

int runNew(const Options& o) {
  auto typed = passwordBytes(o);
  if (!typed) return 1;
  data::RandomSource random;
  std::optional<Bytes> password;
  if (o.password && !typed->empty()) password = *typed;
  if (auto error = data::createBlankProject(o.folder, password, random)) {
    problem(*error);
    return 1;
  }
  std::printf("OK\n");
  return 0;
}

int runCheck(const Options& o) {
  // The database is left to the end of the process, which gives its memory back at
  // once; taking apart its tens of thousands of columns one by one costs more.
  static data::ProjectDatabase* const kept = new data::ProjectDatabase;
  data::ProjectDatabase& db = *kept;
  data::RandomSource random;
  bool registered = false;
  if (!loadLikeEditor(o, db, random, registered)) return 1;
  std::printf(registered ? "OK (an empty project: the password would be registered)\n" : "OK\n");
  return 0;
}

int runResave(const Options& o) {
  data::ProjectDatabase db;
  data::RandomSource random;
  bool registered = false;
  if (!loadLikeEditor(o, db, random, registered)) return 1;
  data::SaveRequest request;
  if (o.map) {
    auto context = data::mapContext(db);
    if (!map::mapExists(o.folder, *o.map)) {
      problem("map " + std::to_string(*o.map) + ": no such map");
      return 1;
    }
    try {
      map::MapDocument doc = map::readMap(o.folder, *o.map, context);
      request.mapNumber = *o.map;
      request.mapFiles = map::writeMapFiles(doc, *o.map, context, random);
    } catch (const text::ReadError& e) {
      problem(text::toUtf8(data::describe(e)));
      return 1;
    }
  }
  data::BackupState backup;
  data::SaveResult result = data::saveCommand(o.folder, db, random, backup, request);
  if (!result.ok) {
    problem("save failed: " + result.error);
    return 1;
  }
  std::printf("%s\n", text::toUtf8(result.message).c_str());
  return 0;
}

}  // namespace quillane::cli
