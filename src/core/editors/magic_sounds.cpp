#include "core/editors/magic_sounds.h"

#include <algorithm>
#include <string>

#include "core/editors/record_rows.h"

namespace quillane::editors {

namespace {

// Players 0..P - 1 that the magic has a sound slot for.
int soundPlayers(const data::ProjectDatabase& db, int magic) {
  return std::min(listedPlayers(db), static_cast<int>(db.magic.playerSound[static_cast<std::size_t>(magic)].size()));
}

}  // namespace

std::vector<Bytes> playerSoundRows(const data::ProjectDatabase& db, int magic) {
  std::vector<Bytes> rows;
  const auto& sounds = db.magic.playerSound[static_cast<std::size_t>(magic)];
  const int n = soundPlayers(db, magic);
  for (int p = 0; p < n; ++p) {
    const auto k = static_cast<std::size_t>(p);
    rows.push_back(std::to_string(p) + ":" + db.players.name[k] + ":" + sounds[k]);
  }
  return rows;
}

void registerPlayerSound(data::ProjectDatabase& db, int magic, int player, const Bytes& name) {
  if (player < 0 || player >= soundPlayers(db, magic)) return;
  db.magic.playerSound[static_cast<std::size_t>(magic)][static_cast<std::size_t>(player)] = name;
}

void setAllPlayerSoundsToDefault(data::ProjectDatabase& db, int magic) {
  const auto m = static_cast<std::size_t>(magic);
  const int n = soundPlayers(db, magic);
  for (int p = 0; p < n; ++p) db.magic.playerSound[m][static_cast<std::size_t>(p)] = db.magic.sound[m];
}

}  // namespace quillane::editors
