#include "core/editors/player_lists.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/editors/equipment.h"
#include "core/editors/field_conversions.h"

namespace quillane::editors {

namespace {

std::size_t at(int i) { return static_cast<std::size_t>(i); }

int magicKinds(const data::ProjectDatabase& db) { return std::min(db.max.magicKinds, db.magic.count()); }

}  // namespace

int battleMenuLength(const BattleMenu& menu) {
  int n = 0;
  while (n < kBattleMenuShown && menu[at(n)] != 0) ++n;
  return n;
}

Bytes battleCommandCaption(float code) {
  const int k = recordIndex(code - 1, static_cast<int>(kBattleCommands.size()));
  return k >= 0 ? text::sj(kBattleCommands[at(k)]) : shownNumber(code);
}

int insertBattleCommand(BattleMenu& menu, int position, int code) {
  const int n = battleMenuLength(menu);
  if (n >= kBattleMenuShown) return -1;  // nothing is stored out of sight
  if (position < 0 || position > n) position = n;
  for (int k = data::kBattleMenuPlaces - 1; k > position; --k) menu[at(k)] = menu[at(k - 1)];
  menu[at(position)] = static_cast<float>(code);
  return position;
}

bool removeBattleCommand(BattleMenu& menu, int position) {
  if (position < 0 || position >= battleMenuLength(menu)) return false;
  menu[data::kBattleMenuPlaces - 1] = 0;
  for (int k = position; k + 1 < data::kBattleMenuPlaces; ++k) menu[at(k)] = menu[at(k + 1)];
  return true;
}

int moveBattleCommand(BattleMenu& menu, int position, int delta) {
  const int n = battleMenuLength(menu);
  const int to = position + delta;
  if (position < 0 || position >= n || to < 0 || to >= n) return -1;
  std::swap(menu[at(position)], menu[at(to)]);
  return to;
}

int heldMagicCount(const data::ProjectDatabase& db, int player) {
  return usedPlaces(db.players.heldMagicCount[at(player)], static_cast<int>(db.players.heldMagic[at(player)].size()));
}

bool addHeldMagic(data::ProjectDatabase& db, int player, int magic) {
  if (magic < 0 || magic >= magicKinds(db)) return false;
  auto& held = db.players.heldMagic[at(player)];
  const int n = heldMagicCount(db, player);
  if (n >= std::min(db.max.magicHeld, static_cast<int>(held.size()))) return false;
  held[at(n)] = static_cast<float>(magic);
  db.players.heldMagicCount[at(player)] = static_cast<float>(n + 1);
  return true;
}

bool removeHeldMagic(data::ProjectDatabase& db, int player, int place) {
  const int n = heldMagicCount(db, player);
  if (place < 0 || place >= n) return false;
  auto& held = db.players.heldMagic[at(player)];
  for (int j = place; j + 1 < n; ++j) held[at(j)] = held[at(j + 1)];
  held[at(n - 1)] = 0;
  db.players.heldMagicCount[at(player)] = static_cast<float>(n - 1);
  return true;
}

Bytes itemEntry(const data::ProjectDatabase& db, float item) {
  const int i = recordIndex(item, itemKinds(db));
  return shownNumber(item) + ":" + (i >= 0 ? db.items.text[at(i)][0] : Bytes());
}

Bytes magicEntry(const data::ProjectDatabase& db, float magic) {
  const int i = recordIndex(magic, magicKinds(db));
  return shownNumber(magic) + ":" + (i >= 0 ? db.magic.text[at(i)][0] : Bytes());
}

std::vector<Bytes> itemCatalogue(const data::ProjectDatabase& db) {
  std::vector<Bytes> rows;
  for (int i = 0; i < itemKinds(db); ++i)
    rows.push_back(itemEntry(db, static_cast<float>(i)) + "(" + shownNumber(db.items.uses[at(i)]) + ")");
  return rows;
}

std::vector<Bytes> magicCatalogue(const data::ProjectDatabase& db) {
  std::vector<Bytes> rows;
  for (int i = 0; i < magicKinds(db); ++i) rows.push_back(magicEntry(db, static_cast<float>(i)));
  return rows;
}

std::vector<Bytes> heldItemRows(const data::ProjectDatabase& db, int player) {
  std::vector<Bytes> rows;
  for (int j = 0; j < heldCount(db, player); ++j)
    rows.push_back(itemEntry(db, db.players.heldItem[at(player)][at(j)]) + "(" +
                   shownNumber(db.players.uses[at(player)][at(j)]) + ")");
  return rows;
}

std::vector<Bytes> heldMagicRows(const data::ProjectDatabase& db, int player) {
  std::vector<Bytes> rows;
  for (int j = 0; j < heldMagicCount(db, player); ++j)
    rows.push_back(magicEntry(db, db.players.heldMagic[at(player)][at(j)]));
  return rows;
}

}  // namespace quillane::editors
