#include "core/data/blank_project.h"

#include "core/data/blank_records.h"
#include "core/data/hidden_fields.h"
#include "core/data/save_all.h"
#include "core/data/table_walks.h"
#include "core/editors/attack_rates.h"
#include "core/text/project_files.h"

namespace quillane::data {

namespace fs = std::filesystem;

ProjectDatabase blankDatabase() {
  ProjectDatabase db;
  db.formatVersion = kWriteVersion;
  MaxValues& m = db.max;
  m.players = 4, m.magicHeld = 10, m.itemsHeld = 10, m.levels = 99, m.scenery = 10, m.itemKinds = 20;
  m.armsKinds = 10, m.maps = 10, m.magicKinds = 20, m.enemyKinds = 10, m.events = 100, m.messages = 100;
  db.fitToCounts();

  // Every record blank, with the values an old project would get for them.
  for (int i = 0; i <= m.players; ++i) {
    blankPlayer(db.players, i);
    blankLevelRow(db.levels, i);
    editors::setPresetRow(db.attackRates, i, editors::AttackPreset::EqualRate);
  }
  for (int i = 0; i < m.enemyKinds; ++i) blankEnemy(db.enemies, i);
  for (int i = 0; i < m.maps; ++i) blankMap(db.maps, i);
  for (int i = 0; i < m.scenery; ++i) blankSceneryEntry(db.scenery, i);
  for (int i = 0; i < m.itemKinds; ++i) blankItem(db.items, i);
  for (int i = 0; i < m.armsKinds; ++i) blankArms(db.arms, i);
  for (int i = 0; i < m.magicKinds; ++i) blankMagic(db.magic, i);
  return db;
}

std::optional<std::string> makeProjectFolder(const fs::path& folder) {
  std::error_code ec;
  fs::create_directories(folder, ec);
  if (ec) return folder.string() + ": " + ec.message();
  if (!files::findExisting(folder, "DAT")) {
    fs::create_directory(folder / "DAT", ec);
    if (ec) return (folder / "DAT").string() + ": " + ec.message();
  }
  return std::nullopt;
}

std::optional<std::string> createBlankProject(const fs::path& folder, const std::optional<Bytes>& password,
                                              RandomSource& random) {
  if (files::findExisting(folder, "DAT\\bzenINI.DAT")) return folder.string() + ": already holds a project";
  if (auto problem = makeProjectFolder(folder)) return problem;
  ProjectDatabase db = blankDatabase();
  if (password) installRegistration(db.hidden, makeRegistration(*password, random));
  SaveRequest request;
  request.quiet = true;
  SaveResult r = saveAll(folder, db, random, request);
  if (!r.ok) return r.error;
  return std::nullopt;
}

}  // namespace quillane::data
