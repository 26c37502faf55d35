#include "core/tools/import_records.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/editors/equipment.h"


namespace quillane::tools {

using data::ProjectDatabase;

namespace {

int atMost(int count, int size) { return std::clamp(count, 0, size); }

int itemCount(const ProjectDatabase& db) { return editors::itemKinds(db); }
int magicCount(const ProjectDatabase& db) { return atMost(db.max.magicKinds, db.magic.count()); }
int enemyCount(const ProjectDatabase& db) { return atMost(db.max.enemyKinds, db.enemies.count()); }

// A stored number as a record index, or -1 when it is no whole number.
int asIndex(float v) {
  if (!std::isfinite(v) || v != std::floor(v) || v < -1e6f || v > 1e6f) return -1;
  return static_cast<int>(v);
}

bool inRange(int v, int count) { return v >= 0 && v < count; }


// Players 0..P of both projects, for the per-player columns of a record.
std::size_t sharedPlayers(const ProjectDatabase& src, const ProjectDatabase& dst, std::size_t from, std::size_t to) {
  const int players = std::min(src.max.players, dst.max.players) + 1;
  return std::min({static_cast<std::size_t>(std::max(players, 0)), from, to});
}

template <class Col>
void copyCell(const Col& from, int i, Col& to, int k) {
  to[static_cast<std::size_t>(k)] = from[static_cast<std::size_t>(i)];
}

// ---- players ----------------------------------------------------------------------

void copyPlayer(const ProjectDatabase& src, int i, ProjectDatabase& dst, int k) {
  const data::PlayerTable& s = src.players;
  data::PlayerTable& d = dst.players;
  copyCell(s.ailment, i, d.ailment, k);
  copyCell(s.name, i, d.name, k);
  for (auto c : {&data::PlayerTable::level, &data::PlayerTable::hp, &data::PlayerTable::mp, &data::PlayerTable::maxHp,
                 &data::PlayerTable::maxMp, &data::PlayerTable::attack, &data::PlayerTable::defence,
                 &data::PlayerTable::speed, &data::PlayerTable::critical, &data::PlayerTable::attribute,
                 &data::PlayerTable::hitRate, &data::PlayerTable::magicDefence, &data::PlayerTable::face,
                 &data::PlayerTable::attributeHidden})
    copyCell(s.*c, i, d.*c, k);
  copyCell(s.experience, i, d.experience, k);
  copyCell(s.nextExperience, i, d.nextExperience, k);
  copyCell(s.layout, i, d.layout, k);
  copyCell(s.characterGraphic, i, d.characterGraphic, k);
  copyCell(s.cursorFile, i, d.cursorFile, k);
  copyCell(s.battleMenu, i, d.battleMenu, k);

  // Held items: the entries of items the target has, as many as its places hold.
  const auto& sItem = s.heldItem[i];
  auto& dItem = d.heldItem[k];
  auto& dMark = d.equippedMark[k];
  auto& dUses = d.uses[k];
  const int places = atMost(dst.max.itemsHeld, static_cast<int>(dItem.size()));
  const int held = atMost(asIndex(s.heldItemCount[i]), static_cast<int>(sItem.size()));
  const int items = itemCount(dst);
  std::fill(dItem.begin(), dItem.end(), 0.f);
  std::fill(dMark.begin(), dMark.end(), 0.f);
  std::fill(dUses.begin(), dUses.end(), 0.f);
  std::vector<int> droppedEquipped;  // items whose equipped entry did not come along
  int kept = 0;
  for (int j = 0; j < held; ++j) {
    const int item = asIndex(sItem[j]);
    const float mark = s.equippedMark[i][j];
    if (inRange(item, items) && kept < places) {
      dItem[kept] = sItem[j];
      dMark[kept] = mark;
      dUses[kept] = s.uses[i][j];
      ++kept;
    } else if (mark == 2) {
      droppedEquipped.push_back(item);
    }
  }
  d.heldItemCount[k] = static_cast<float>(kept);

  // Equipment: a slot keeps its item only when the target has that item and its
  // equipped entry came along.
  auto equippedKept = [&](int item) {
    for (int j = 0; j < kept; ++j)
      if (asIndex(dItem[j]) == item && dMark[j] == 2) return true;
    return false;
  };
  for (int slot = 0; slot < data::kEquipSlots; ++slot) {
    const int v = asIndex(s.equipment[i][slot]);
    const int item = v - 1;
    bool keep = v == 0 || inRange(item, items);
    if (keep && v != 0 &&
        std::find(droppedEquipped.begin(), droppedEquipped.end(), item) != droppedEquipped.end())
      keep = equippedKept(item);
    d.equipment[k][slot] = keep ? s.equipment[i][slot] : 0.f;
  }

  // Held magic: the magic the target has, as many as its places hold.
  const auto& sMagic = s.heldMagic[i];
  auto& dMagic = d.heldMagic[k];
  const int magicPlaces = atMost(dst.max.magicHeld, static_cast<int>(dMagic.size()));
  const int magicHeld = atMost(asIndex(s.heldMagicCount[i]), static_cast<int>(sMagic.size()));
  const int magics = magicCount(dst);
  std::fill(dMagic.begin(), dMagic.end(), 0.f);
  int keptMagic = 0;
  for (int j = 0; j < magicHeld && keptMagic < magicPlaces; ++j)
    if (inRange(asIndex(sMagic[j]), magics)) dMagic[keptMagic++] = sMagic[j];
  d.heldMagicCount[k] = static_cast<float>(keptMagic);

  // The level growth, as many steps as both tables have.
  const data::LevelTable& sl = src.levels;
  data::LevelTable& dl = dst.levels;
  if (i >= static_cast<int>(sl.hpGain.size()) || k >= static_cast<int>(dl.hpGain.size())) return;
  const int steps = std::min({src.max.levels, dst.max.levels, static_cast<int>(sl.hpGain[i].size()),
                              static_cast<int>(dl.hpGain[k].size())});
  for (int l = 0; l < steps; ++l) {
    for (auto c : {&data::LevelTable::hpGain, &data::LevelTable::mpGain, &data::LevelTable::attackGain,
                   &data::LevelTable::defenceGain, &data::LevelTable::speedGain, &data::LevelTable::magicDefenceGain,
                   &data::LevelTable::hitGain})
      (dl.*c)[k][l] = (sl.*c)[i][l];
    dl.experience[k][l] = sl.experience[i][l];
    const int learned = asIndex(sl.magicLearned[i][l]);
    dl.magicLearned[k][l] = learned >= 1 && learned - 1 < magics ? sl.magicLearned[i][l] : 0.f;
  }
}

// ---- enemies ----------------------------------------------------------------------

void copyEnemy(const ProjectDatabase& src, int i, ProjectDatabase& dst, int k) {
  const data::EnemyTable& s = src.enemies;
  data::EnemyTable& d = dst.enemies;
  using E = data::EnemyTable;
  copyCell(s.ailment, i, d.ailment, k);
  for (auto c : {&E::name, &E::graphic}) copyCell(s.*c, i, d.*c, k);
  for (auto c : {&E::hp, &E::mp, &E::attack, &E::defence, &E::speed, &E::money, &E::magicRate, &E::offsetX,
                 &E::offsetY, &E::size, &E::extra, &E::itemRate, &E::critical, &E::attribute, &E::hitRate,
                 &E::magicDefence, &E::escapeRate})
    copyCell(s.*c, i, d.*c, k);
  copyCell(s.experience, i, d.experience, k);
  const int magics = magicCount(dst);
  for (int m = 0; m < 6; ++m) {
    const float v = s.magic[i][m];
    d.magic[k][m] = v != 99.f && inRange(asIndex(v), magics) ? v : 99.f;  // 99: no magic
  }
  const int items = itemCount(dst);
  for (int m = 0; m < 3; ++m) {
    const float v = s.itemSlot[i][m];
    d.itemSlot[k][m] = inRange(asIndex(v) - 1, items) ? v : 0.f;  // 0: no item
  }
}

// ---- items and arms ---------------------------------------------------------------

using editors::armsRecordOf;  // -1: no arms record (or one the table does not have)

void copyArms(const ProjectDatabase& src, int r, ProjectDatabase& dst, int q) {
  const data::ArmsTable& s = src.arms;
  data::ArmsTable& d = dst.arms;
  using A = data::ArmsTable;
  for (auto c : {&A::attack, &A::defence, &A::speed, &A::part, &A::itemEffect, &A::attacks, &A::magicDefence})
    copyCell(s.*c, r, d.*c, q);
  copyCell(s.attackSound, r, d.attackSound, q);
  const auto& from = s.permission[r];
  auto& to = d.permission[q];
  std::copy_n(from.begin(), sharedPlayers(src, dst, from.size(), to.size()), to.begin());
}

// Every item of the target that uses arms record `r` is taken off every player.
void takeOffItemsOfRecord(ProjectDatabase& db, int r) {
  const int items = itemCount(db);
  for (int it = 0; it < items; ++it)
    if (armsRecordOf(db, it) == r) editors::takeOffEveryPlayer(db, it);
}

int freeArmsRecord(const ProjectDatabase& db) {
  const int records = editors::armsKinds(db);
  std::vector<bool> used(static_cast<std::size_t>(records), false);
  for (float v : db.items.armsIndex) {
    int r = asIndex(v) - 1;
    if (inRange(r, records)) used[r] = true;
  }
  for (int r = 0; r < records; ++r)
    if (!used[r]) return r;
  return -1;
}

void copyItem(const ProjectDatabase& src, int i, ProjectDatabase& dst, int k) {
  const data::ItemTable& s = src.items;
  data::ItemTable& d = dst.items;
  using I = data::ItemTable;
  const int sourceArms = armsRecordOf(src, i);
  const int targetArms = armsRecordOf(dst, k);

  copyCell(s.text, i, d.text, k);
  for (auto c : {&I::important, &I::price, &I::attribute, &I::uses, &I::hitRate, &I::displayPosition,
                 &I::wholeScreen})
    copyCell(s.*c, i, d.*c, k);
  for (auto c : {&I::useSound, &I::animation, &I::eventLabel}) copyCell(s.*c, i, d.*c, k);

  if (sourceArms >= 0 && targetArms >= 0) {
    // The source's record over the target item's own; a changed part unequips it.
    if (src.arms.part[sourceArms] != dst.arms.part[targetArms]) takeOffItemsOfRecord(dst, targetArms);
    copyArms(src, sourceArms, dst, targetArms);
    d.armsIndex[k] = static_cast<float>(targetArms + 1);
  } else if (targetArms >= 0) {
    // No longer equipment: off every player; the old record stays, unreferenced.
    editors::takeOffEveryPlayer(dst, k);
    d.armsIndex[k] = 0;
  } else if (sourceArms >= 0) {
    d.armsIndex[k] = 0;
    const int free = freeArmsRecord(dst);
    if (free >= 0) {
      copyArms(src, sourceArms, dst, free);
      d.armsIndex[k] = static_cast<float>(free + 1);
    }
  } else {
    d.armsIndex[k] = 0;
  }
}

// ---- magic and attributes ---------------------------------------------------------

void copyMagic(const ProjectDatabase& src, int i, ProjectDatabase& dst, int k) {
  const data::MagicTable& s = src.magic;
  data::MagicTable& d = dst.magic;
  using G = data::MagicTable;
  copyCell(s.text, i, d.text, k);
  for (auto c : {&G::potency, &G::mpCost, &G::attribute, &G::hitRate, &G::usesAttack, &G::special,
                 &G::displayPosition, &G::wholeScreen})
    copyCell(s.*c, i, d.*c, k);
  for (auto c : {&G::effect, &G::animation, &G::sound, &G::eventLabel}) copyCell(s.*c, i, d.*c, k);
  const auto& from = s.playerSound[i];
  auto& to = d.playerSound[k];
  std::copy_n(from.begin(), sharedPlayers(src, dst, from.size(), to.size()), to.begin());
}

void copyAttribute(const ProjectDatabase& src, int i, ProjectDatabase& dst, int k, int columns) {
  dst.scenery.attributeName[k] = src.scenery.attributeName[i];
  for (int j = 0; j < columns; ++j) dst.scenery.attributeRate[k][j] = src.scenery.attributeRate[i][j];
}

}  // namespace

int listedRecords(const ProjectDatabase& db, ImportKind kind) {
  switch (kind) {
    case ImportKind::Players:
      // Record P is kept but not listed; the level table must hold the row too.
      return atMost(db.max.players, std::min(db.players.size(), static_cast<int>(db.levels.hpGain.size())));
    case ImportKind::Enemies: return enemyCount(db);
    case ImportKind::Items: return itemCount(db);
    case ImportKind::Magic: return magicCount(db);
    case ImportKind::Attributes: return db.scenery.lastAttribute() + 1;
    case ImportKind::Map: return atMost(db.max.maps, db.maps.count());
  }
  return 0;
}

std::vector<Bytes> recordLines(const ProjectDatabase& db, ImportKind kind) {
  std::vector<Bytes> lines;
  const int n = listedRecords(db, kind);
  for (int i = 0; i < n; ++i) {
    const Bytes* name = nullptr;
    switch (kind) {
      case ImportKind::Players: name = &db.players.name[i]; break;
      case ImportKind::Enemies: name = &db.enemies.name[i]; break;
      case ImportKind::Items: name = &db.items.text[i][0]; break;
      case ImportKind::Magic: name = &db.magic.text[i][0]; break;
      case ImportKind::Attributes: name = &db.scenery.attributeName[i]; break;
      case ImportKind::Map: name = &db.maps.name[i]; break;
    }
    lines.push_back(" " + std::to_string(i) + ":" + *name);
  }
  return lines;
}

CopyResult copyRecords(const ProjectDatabase& source, ProjectDatabase& target, ImportKind kind,
                       std::vector<int> sourceRecords, int targetRecord) {
  if (kind == ImportKind::Map) return CopyResult::Nothing;
  const int available = listedRecords(source, kind);
  std::sort(sourceRecords.begin(), sourceRecords.end());
  sourceRecords.erase(std::unique(sourceRecords.begin(), sourceRecords.end()), sourceRecords.end());
  std::erase_if(sourceRecords, [available](int i) { return !inRange(i, available); });
  const int targets = listedRecords(target, kind);
  if (sourceRecords.empty() || !inRange(targetRecord, targets)) return CopyResult::Nothing;
  if (targetRecord + static_cast<int>(sourceRecords.size()) > targets) return CopyResult::PastEnd;

  const int columns = std::min(source.scenery.lastAttribute(), target.scenery.lastAttribute()) + 1;
  int k = targetRecord;
  for (int i : sourceRecords) {
    switch (kind) {
      case ImportKind::Players: copyPlayer(source, i, target, k); break;
      case ImportKind::Enemies: copyEnemy(source, i, target, k); break;
      case ImportKind::Items: copyItem(source, i, target, k); break;
      case ImportKind::Magic: copyMagic(source, i, target, k); break;
      case ImportKind::Attributes: copyAttribute(source, i, target, k, columns); break;
      case ImportKind::Map: break;
    }
    ++k;
  }
  return CopyResult::Copied;
}

void copyMapEntry(const ProjectDatabase& source, int sourceMap, ProjectDatabase& target, int targetMap) {
  if (!inRange(sourceMap, source.maps.count()) || !inRange(targetMap, target.maps.count())) return;
  target.maps.name[targetMap] = source.maps.name[sourceMap];
  const int enemies = enemyCount(target);
  for (int e = 0; e < 6; ++e) {
    const float v = source.maps.enemy[sourceMap][e];
    target.maps.enemy[targetMap][e] = v != 99.f && inRange(asIndex(v), enemies) ? v : 99.f;  // 99: none
  }
}

}  // namespace quillane::tools
