#include "core/editors/record_rows.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/editors/equipment.h"
#include "core/editors/field_conversions.h"

namespace quillane::editors {

using text::sj;

namespace {

Bytes numbered(int n, const Bytes& name) { return std::to_string(n) + ":" + name; }

}  // namespace

std::vector<Bytes> attributeRows(const data::SceneryTable& scenery) {
  std::vector<Bytes> rows;
  const int last = std::min(scenery.lastAttribute(), data::kMaxAttributes - 1);
  for (int n = 0; n <= last; ++n) rows.push_back(numbered(n, scenery.attributeName[static_cast<std::size_t>(n)]));
  return rows;
}

int listedMagic(const data::ProjectDatabase& db) { return std::clamp(db.max.magicKinds, 0, db.magic.count()); }
int listedEnemies(const data::ProjectDatabase& db) { return std::clamp(db.max.enemyKinds, 0, db.enemies.count()); }
int listedPlayers(const data::ProjectDatabase& db) { return std::clamp(db.max.players, 0, db.players.size()); }

std::vector<Bytes> enemyItemRows(const data::ProjectDatabase& db) {
  std::vector<Bytes> rows{sj("設定無し")};
  const int n = itemKinds(db);
  for (int i = 0; i < n; ++i) {
    const auto k = static_cast<std::size_t>(i);
    rows.push_back(numbered(i, db.items.text[k][0]) + "(" + shownNumber(db.items.uses[k]) + ")");
  }
  return rows;
}

std::vector<Bytes> enemyMagicRows(const data::ProjectDatabase& db) {
  std::vector<Bytes> rows{sj("設定無し")};
  const int n = listedMagic(db);
  for (int i = 0; i < n; ++i) rows.push_back(numbered(i, db.magic.text[static_cast<std::size_t>(i)][0]));
  return rows;
}

std::optional<Bytes> refuseEnemyMagicRow(int row) {
  if (row != 100) return std::nullopt;
  return sj("魔法99は「設定無し」と同じ値になるため、所持魔法には選べません。");
}

Bytes refusalTitle() { return sj("設定できません"); }

std::vector<Bytes> playerRows(const data::ProjectDatabase& db) {
  std::vector<Bytes> rows;
  const int n = listedPlayers(db);
  for (int i = 0; i < n; ++i) rows.push_back(numbered(i, db.players.name[static_cast<std::size_t>(i)]));
  return rows;
}

}  // namespace quillane::editors
