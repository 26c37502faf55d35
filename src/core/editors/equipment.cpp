#include "core/editors/equipment.h"

#include <algorithm>
#include <cmath>

#include "core/editors/field_conversions.h"

namespace quillane::editors {

namespace {

std::size_t at(int i) { return static_cast<std::size_t>(i); }


bool mayEquip(const data::ProjectDatabase& db, int player, int arms) {
  const auto& permission = db.arms.permission[at(arms)];
  return player < static_cast<int>(permission.size()) && permission[at(player)] == 1;
}

// Clears the marks of held entries whose item fits slot `slot`.
void clearMarksOfSlot(data::ProjectDatabase& db, int player, int slot) {
  auto& marks = db.players.equippedMark[at(player)];
  const auto& held = db.players.heldItem[at(player)];
  for (int j = 0; j < heldCount(db, player); ++j)
    if (slotOfPart(partOf(db, recordIndex(held[at(j)], itemKinds(db)))) == slot) marks[at(j)] = 0;
}

}  // namespace

int itemKinds(const data::ProjectDatabase& db) { return std::min(db.max.itemKinds, db.items.count()); }
int armsKinds(const data::ProjectDatabase& db) { return std::min(db.max.armsKinds, db.arms.count()); }

int slotOfPart(int part) {
  switch (part) {
    case 0:
    case kTwoHandedPart: return 0;
    case 1: return 1;
    case 2: return 2;
    case 3: return 3;
    case 5: return 5;
    default: return -1;
  }
}

int armsRecordOf(const data::ProjectDatabase& db, int item) {
  if (item < 0 || item >= itemKinds(db)) return -1;
  return recordIndex(db.items.armsIndex[at(item)] - 1, armsKinds(db));
}

int partOf(const data::ProjectDatabase& db, int item) {
  const int arms = armsRecordOf(db, item);
  if (arms < 0) return -1;
  const float part = db.arms.part[at(arms)];
  return part == std::floor(part) && part >= 0 && part <= kTwoHandedPart ? static_cast<int>(part) : -1;
}

int heldCount(const data::ProjectDatabase& db, int player) {
  return usedPlaces(db.players.heldItemCount[at(player)], static_cast<int>(db.players.heldItem[at(player)].size()));
}

EquipChoices equipChoices(const data::ProjectDatabase& db, int player, int slot) {
  EquipChoices c;
  const auto& held = db.players.heldItem[at(player)];
  const auto& marks = db.players.equippedMark[at(player)];
  for (int j = 0; j < heldCount(db, player); ++j) {
    const int item = recordIndex(held[at(j)], itemKinds(db));
    const int arms = armsRecordOf(db, item);
    if (arms >= 0 && slotOfPart(partOf(db, item)) == slot && mayEquip(db, player, arms)) c.places.push_back(j);
  }
  const int equipped = recordIndex(db.players.equipment[at(player)][at(slot)] - 1, itemKinds(db));
  if (equipped < 0) return c;
  // The marked entry of the equipped item first, else any entry of it.
  int row = 0;
  for (std::size_t k = 0; k < c.places.size() && row == 0; ++k)
    if (recordIndex(held[at(c.places[k])], itemKinds(db)) == equipped && marks[at(c.places[k])] == 2)
      row = static_cast<int>(k) + 1;
  for (std::size_t k = 0; k < c.places.size() && row == 0; ++k)
    if (recordIndex(held[at(c.places[k])], itemKinds(db)) == equipped) row = static_cast<int>(k) + 1;
  if (row == 0) {
    c.outside = equipped;
    row = static_cast<int>(c.places.size()) + 1;
  }
  c.shown = row;
  return c;
}

bool holdsTwoHanded(const data::ProjectDatabase& db, int player) {
  const int weapon = recordIndex(db.players.equipment[at(player)][0] - 1, itemKinds(db));
  return partOf(db, weapon) == kTwoHandedPart;
}

void applyEquipRow(data::ProjectDatabase& db, int player, int slot, int row) {
  const EquipChoices c = equipChoices(db, player, slot);
  if (row < 0 || row > static_cast<int>(c.places.size())) return;  // beyond the list: nothing
  auto& equipment = db.players.equipment[at(player)];
  const bool twoHandedBefore = slot == 0 && holdsTwoHanded(db, player);
  clearMarksOfSlot(db, player, slot);
  if (row == 0) {
    equipment[at(slot)] = 0;
    if (twoHandedBefore) equipment[kShieldSlot] = 0;
    return;
  }
  const int place = c.places[at(row - 1)];
  db.players.equippedMark[at(player)][at(place)] = 2;
  equipment[at(slot)] = db.players.heldItem[at(player)][at(place)] + 1;
  if (slot == 0 && holdsTwoHanded(db, player)) {
    // Both hands hold the weapon: the shield comes off.
    equipment[kShieldSlot] = 0;
    clearMarksOfSlot(db, player, kShieldSlot);
  }
}

bool addHeldItem(data::ProjectDatabase& db, int player, int item) {
  if (item < 0 || item >= itemKinds(db)) return false;
  const int n = heldCount(db, player);
  auto& held = db.players.heldItem[at(player)];
  const int limit = std::min(db.max.itemsHeld, static_cast<int>(held.size()));
  if (n >= limit) return false;
  held[at(n)] = static_cast<float>(item);
  db.players.equippedMark[at(player)][at(n)] = 0;
  db.players.uses[at(player)][at(n)] = db.items.uses[at(item)];
  db.players.heldItemCount[at(player)] = static_cast<float>(n + 1);
  return true;
}

bool removeHeldItem(data::ProjectDatabase& db, int player, int place) {
  const int n = heldCount(db, player);
  if (place < 0 || place >= n) return false;
  auto& held = db.players.heldItem[at(player)];
  auto& marks = db.players.equippedMark[at(player)];
  auto& uses = db.players.uses[at(player)];
  if (marks[at(place)] == 2) {
    const int item = recordIndex(held[at(place)], itemKinds(db));
    const int slot = slotOfPart(partOf(db, item));
    if (slot >= 0) db.players.equipment[at(player)][at(slot)] = 0;
  }
  for (int j = place; j + 1 < n; ++j) {
    held[at(j)] = held[at(j + 1)];
    marks[at(j)] = marks[at(j + 1)];
    uses[at(j)] = uses[at(j + 1)];
  }
  held[at(n - 1)] = 0;
  marks[at(n - 1)] = 0;
  uses[at(n - 1)] = 0;
  db.players.heldItemCount[at(player)] = static_cast<float>(n - 1);
  return true;
}

void takeOffEveryPlayer(data::ProjectDatabase& db, int item) {
  const float stored = static_cast<float>(item);
  for (int p = 0; p < db.players.size(); ++p) {
    auto& held = db.players.heldItem[at(p)];
    auto& marks = db.players.equippedMark[at(p)];
    for (std::size_t j = 0; j < held.size(); ++j)
      if (held[j] == stored) marks[j] = 0;
    for (float& slot : db.players.equipment[at(p)])
      if (slot == stored + 1) slot = 0;
  }
}

}  // namespace quillane::editors
