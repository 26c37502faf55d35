#include "core/data/blank_project.h"

#include "core/data/hidden_fields.h"
#include "core/data/save_all.h"
#include "core/data/table_walks.h"
#include "core/text/project_files.h"

namespace quillane::data {

namespace fs = std::filesystem;

void resetArmsRecord(ArmsTable& arms, int record) {
  const auto i = static_cast<std::size_t>(record);
  arms.attack[i] = arms.defence[i] = arms.speed[i] = arms.part[i] = 0;
  for (float& p : arms.permission[i]) p = 0;
  arms.itemEffect[i] = 0;
  arms.attackSound[i] = "ATC";
  arms.attacks[i] = 1;
  arms.magicDefence[i] = 0;
}

ProjectDatabase blankDatabase() {
  ProjectDatabase db;
  db.formatVersion = kWriteVersion;
  MaxValues& m = db.max;
  m.players = 4, m.magicHeld = 10, m.itemsHeld = 10, m.levels = 99, m.scenery = 10, m.itemKinds = 20;
  m.armsKinds = 10, m.maps = 10, m.magicKinds = 20, m.enemyKinds = 10, m.events = 100, m.messages = 100;
  db.fitToCounts();

  // Every record blank, with the values an old project would get for them.
  const int p = m.players + 1;
  for (int i = 0; i < p; ++i) {
    db.players.hitRate[i] = 100;
    db.players.layout[i] = {64.f * i, 0, 32, 32};
    db.players.characterGraphic[i] = hexPair(2 * i);
    for (auto& u : db.players.uses[i]) u = 1;
    for (int k = 0; k < 7; ++k) db.players.battleMenu[i][k] = static_cast<float>(k + 1);
    // Equal shares: row i is a party of i + 1 members.
    for (int j = 0; j < i; ++j) db.attackRates.rows[i][j] = static_cast<float>((100 / (i + 1)) * (j + 1));
    db.attackRates.rows[i][i] = 100;
  }
  for (int i = 0; i < m.enemyKinds; ++i) {
    db.enemies.magic[i].fill(99);
    db.enemies.hitRate[i] = 100;
  }
  for (int i = 0; i < m.maps; ++i) db.maps.enemy[i].fill(99);
  for (float& t : db.scenery.town) t = 99;
  for (int i = 0; i < m.itemKinds; ++i) {
    db.items.text[i][5] = "--";
    db.items.uses[i] = 1;
    db.items.hitRate[i] = 100;
  }
  for (int i = 0; i < m.armsKinds; ++i) resetArmsRecord(db.arms, i);
  for (int i = 0; i < m.magicKinds; ++i) {
    db.magic.effect[i] = "--";
    db.magic.sound[i] = "mgc";
    db.magic.hitRate[i] = 100;
    db.magic.playerSound[i].assign(static_cast<std::size_t>(p), Bytes("mgc"));
  }
  return db;
}

std::optional<std::string> createBlankProject(const fs::path& folder, const std::optional<Bytes>& password,
                                              RandomSource& random) {
  if (files::findExisting(folder, "DAT\\bzenINI.DAT")) return folder.string() + ": already holds a project";
  std::error_code ec;
  fs::create_directories(folder, ec);
  if (ec) return folder.string() + ": " + ec.message();
  if (!files::findExisting(folder, "DAT")) {
    fs::create_directory(folder / "DAT", ec);
    if (ec) return (folder / "DAT").string() + ": " + ec.message();
  }
  ProjectDatabase db = blankDatabase();
  if (password) installRegistration(db.hidden, makeRegistration(*password, random));
  SaveRequest request;
  request.quiet = true;
  SaveResult r = saveAll(folder, db, random, request);
  if (!r.ok) return r.error;
  return std::nullopt;
}

}  // namespace quillane::data
