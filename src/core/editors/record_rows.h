#pragma once
// The rows of the selectors and lists that the enemy, item and magic dialogs fill from
// other tables (CP932). Counts come from MaxValues and are cut to the records there are,
// so a table smaller than its count never reads past its end.
#include <optional>
#include <vector>

#include "core/data/project_database.h"

namespace quillane::editors {

using text::Bytes;

// "n:name" of attribute 0 and every following one up to the last non-empty name.
std::vector<Bytes> attributeRows(const data::SceneryTable& scenery);

// Records the dialogs list: the counts of MaxValues cut to the table sizes (items and
// arms: itemKinds() and armsKinds() of equipment.h). Players are 0..P - 1 (record P is
// kept but not edited).
int listedMagic(const data::ProjectDatabase& db);
int listedEnemies(const data::ProjectDatabase& db);
int listedPlayers(const data::ProjectDatabase& db);

// The enemy's item selectors: "設定無し", then "n:name(uses)" of every item kind.
std::vector<Bytes> enemyItemRows(const data::ProjectDatabase& db);
// The enemy's magic selectors: "設定無し", then "n:name" of every magic kind.
std::vector<Bytes> enemyMagicRows(const data::ProjectDatabase& db);
// Magic 99 stores the value that means "none" in an enemy's magic slot: the message
// (CP932) when row `row` of the magic selector would store it.
std::optional<Bytes> refuseEnemyMagicRow(int row);
Bytes refusalTitle();

// "n:name" of every listed player ("プレイヤー一覧").
std::vector<Bytes> playerRows(const data::ProjectDatabase& db);

}  // namespace quillane::editors
