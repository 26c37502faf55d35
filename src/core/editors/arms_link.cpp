#include "core/editors/arms_link.h"

#include <cmath>

#include "core/data/blank_records.h"
#include "core/editors/equipment.h"
#include "core/editors/record_rows.h"

namespace quillane::editors {

using text::sj;

std::vector<Bytes> partRows() { return {sj("武具"), sj("鎧"), sj("盾"), sj("兜"), sj("他"), sj("両手")}; }

std::optional<int> partRow(float code) {
  for (std::size_t r = 0; r < kPartCodes.size(); ++r)
    if (static_cast<float>(kPartCodes[r]) == code) return static_cast<int>(r);
  return std::nullopt;
}

int partCode(int row) { return kPartCodes[static_cast<std::size_t>(row)]; }

std::optional<int> freeArmsRecord(const data::ProjectDatabase& db) {
  const int arms = armsKinds(db);
  std::vector<bool> taken(static_cast<std::size_t>(arms), false);
  for (float index : db.items.armsIndex)
    if (index >= 1 && index <= static_cast<float>(arms) && index == std::floor(index))
      taken[static_cast<std::size_t>(index) - 1] = true;
  for (int k = 0; k < arms; ++k)
    if (!taken[static_cast<std::size_t>(k)]) return k;
  return std::nullopt;
}

WeaponChange applyWeaponBox(data::ProjectDatabase& db, int item, bool ticked) {
  float& index = db.items.armsIndex[static_cast<std::size_t>(item)];
  const bool linked = index != 0;
  if (ticked == linked) return WeaponChange::None;
  if (!ticked) {
    takeOffEveryPlayer(db, item);
    index = 0;
    return WeaponChange::Unlinked;
  }
  const auto record = freeArmsRecord(db);
  if (!record) return WeaponChange::NoFreeRecord;
  // A record no item refers to may still hold an old weapon's values: it starts anew.
  data::blankArms(db.arms, *record);
  index = static_cast<float>(*record + 1);
  return WeaponChange::Linked;
}

void changePart(data::ProjectDatabase& db, int item, int row) {
  const int record = armsRecordOf(db, item);
  if (record < 0) return;
  takeOffEveryPlayer(db, item);
  db.arms.part[static_cast<std::size_t>(record)] = static_cast<float>(partCode(row));
}

std::vector<int> permittedPlayers(const data::ProjectDatabase& db, int record) {
  std::vector<int> players;
  const auto& permission = db.arms.permission[static_cast<std::size_t>(record)];
  const int n = std::min(listedPlayers(db), static_cast<int>(permission.size()));
  for (int p = 0; p < n; ++p)
    if (permission[static_cast<std::size_t>(p)] == 1) players.push_back(p);
  return players;
}

void permitPlayer(data::ProjectDatabase& db, int record, int player) {
  auto& permission = db.arms.permission[static_cast<std::size_t>(record)];
  if (player < 0 || player >= std::min(listedPlayers(db), static_cast<int>(permission.size()))) return;
  permission[static_cast<std::size_t>(player)] = 1;
}

void revokePermittedRow(data::ProjectDatabase& db, int record, int row) {
  const auto players = permittedPlayers(db, record);
  if (row < 0 || row >= static_cast<int>(players.size())) return;
  db.arms.permission[static_cast<std::size_t>(record)][static_cast<std::size_t>(players[static_cast<std::size_t>(row)])] = 0;
}

}  // namespace quillane::editors
