#pragma once
// Equipment of a player: which held items each equipment selector offers, putting one
// on or taking it off, two-handed weapons, and taking an item off every player.
//
// Equip part codes and the slot each writes: 0 weapon and 6 two-handed weapon -> slot 0,
// 1 armour -> 1, 2 shield -> 2, 3 helmet -> 3, 5 other -> 5. Slot 4 is never written.
// A slot holds the item index + 1 (0 = nothing); a held entry's equipped mark is 2.
#include <array>
#include <optional>
#include <vector>

#include "core/data/project_database.h"

namespace quillane::editors {

inline constexpr int kTwoHandedPart = 6;
inline constexpr int kShieldSlot = 2;
// The slots the equipment selectors write, in selector order (weapon, armour, shield,
// helmet, other).
inline constexpr std::array<int, 5> kSelectorSlots{0, 1, 2, 3, 5};

// The item and arms kinds references may name: the counts of MaxValues, cut to the
// records there are (a table keeps its records after a count was lowered).
int itemKinds(const data::ProjectDatabase& db);
int armsKinds(const data::ProjectDatabase& db);

// The slot a part code writes; -1 for a code that has none.
int slotOfPart(int part);
// The ArmsTable record of item `item`, or -1 (no such item, no arms record, or one past
// the table).
int armsRecordOf(const data::ProjectDatabase& db, int item);
// The part code of item `item`, or -1 when it is no equipment.
int partOf(const data::ProjectDatabase& db, int item);

// The held entries of player `player` in use (the held count cut to the places there are).
int heldCount(const data::ProjectDatabase& db, int player);

// What the selector of slot `slot` offers: row 0 "なし", row k the held place places[k - 1].
// `shown` is the row of the equipped item; when the slot holds an item the list does not
// offer, `outside` names it (the dialog shows it as one more row that changes nothing)
// and `shown` is that row. A slot value that names no item shows as row 0.
struct EquipChoices {
  std::vector<int> places;
  int shown = 0;
  std::optional<int> outside;  // item index
};
EquipChoices equipChoices(const data::ProjectDatabase& db, int player, int slot);

// Whether slot 0 holds a two-handed weapon (the shield selector is then locked).
bool holdsTwoHanded(const data::ProjectDatabase& db, int player);

// Applies row `row` of the selector of slot `slot`: clears the marks of the entries it
// lists, then row 0 empties the slot (and the shield slot when a two-handed weapon came
// off) and row k equips the k-th listed entry. A row beyond the list changes nothing.
// A two-handed weapon put on takes the shield off.
void applyEquipRow(data::ProjectDatabase& db, int player, int slot, int row);

// Adds item `item` to the held list with mark 0 and the item's number of uses; false
// (nothing changed) when the list is full or there is no such item.
bool addHeldItem(data::ProjectDatabase& db, int player, int item);
// Removes held entry `place`, closing the gap; an equipped entry empties the slot of its
// part first. False when there is no such entry.
bool removeHeldItem(data::ProjectDatabase& db, int player, int place);

// Takes item `item` off every player: every held entry of it loses its mark and every
// slot holding it becomes 0. The held lists keep the item.
void takeOffEveryPlayer(data::ProjectDatabase& db, int item);

}  // namespace quillane::editors
