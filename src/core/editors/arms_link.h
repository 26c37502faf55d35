#pragma once
// An item is a weapon or armour while it is linked to an ArmsTable record (arms index
// k + 1 for record k). Linking takes the first record no item refers to and makes it a
// new record; unlinking, or changing the part, takes the item off every player first
// so that no player keeps an item equipped that can no longer be (or be there).
#include <array>
#include <optional>
#include <vector>

#include "core/data/project_database.h"

namespace quillane::editors {

using text::Bytes;

// The equip part selector: row -> stored part code (part code 4 is never produced).
inline constexpr std::array<int, 6> kPartCodes{0, 1, 2, 3, 5, 6};
std::vector<Bytes> partRows();  // "武具", "鎧", "盾", "兜", "他", "両手"
std::optional<int> partRow(float code);
int partCode(int row);

// The first arms record that no item refers to; none when every record is taken.
std::optional<int> freeArmsRecord(const data::ProjectDatabase& db);

enum class WeaponChange {
  None,          // the box agrees with the item
  Linked,        // ticked: a free record was reset and linked
  NoFreeRecord,  // ticked, but every record is taken: the box is unticked again
  Unlinked,      // unticked: taken off every player, the arms index is 0
};
// Applies the "武器" box to item `item`.
WeaponChange applyWeaponBox(data::ProjectDatabase& db, int item, bool ticked);

// The arms record of the item is armsRecordOf() of equipment.h.

// Picking a part takes the item off every player and stores the part code of `row`.
void changePart(data::ProjectDatabase& db, int item, int row);

// The players (0-based, in order) allowed to equip arms record `record`.
std::vector<int> permittedPlayers(const data::ProjectDatabase& db, int record);
// "▼登録": player `player` may equip the record.
void permitPlayer(data::ProjectDatabase& db, int record, int player);
// "削除": row `row` of the permitted list (the row-th player allowed) may no longer.
void revokePermittedRow(data::ProjectDatabase& db, int record, int row);

}  // namespace quillane::editors
