#include "core/data/blank_records.h"

#include "core/data/table_walks.h"

namespace quillane::data {

namespace {

template <class T>
void zeroRow(std::vector<T>& row) {
  row.assign(row.size(), T{});
}

template <class T>
void zeroRow(std::span<T> row) {
  std::fill(row.begin(), row.end(), T{});
}

}  // namespace

std::array<float, kBattleMenuPlaces> defaultBattleMenu() {
  std::array<float, kBattleMenuPlaces> menu{};
  for (int k = 0; k < 7; ++k) menu[k] = static_cast<float>(k + 1);
  return menu;
}

std::array<float, 4> defaultLayout(int player) { return {64.f * player, 0, 32, 32}; }

void blankPlayer(PlayerTable& t, int i) {
  t.ailment[i] = {};
  t.name[i].clear();
  for (auto* c : {&t.level, &t.hp, &t.mp, &t.maxHp, &t.maxMp, &t.attack, &t.defence, &t.speed, &t.heldItemCount,
                  &t.heldMagicCount, &t.critical, &t.attribute, &t.magicDefence, &t.face, &t.attributeHidden})
    (*c)[i] = 0;
  t.experience[i] = 0;
  t.nextExperience[i] = 0;
  t.equipment[i] = {};
  zeroRow(t.heldMagic[i]);
  zeroRow(t.heldItem[i]);
  zeroRow(t.equippedMark[i]);
  t.uses[i].assign(t.uses[i].size(), 1.f);
  t.hitRate[i] = 100;
  t.layout[i] = defaultLayout(i);
  t.characterGraphic[i] = hexPair(2 * i);
  t.cursorFile[i].clear();
  t.battleMenu[i] = defaultBattleMenu();
}

void blankLevelRow(LevelTable& t, int player) {
  for (auto* c : {&t.hpGain, &t.mpGain, &t.attackGain, &t.defenceGain, &t.speedGain, &t.magicLearned,
                  &t.magicDefenceGain, &t.hitGain})
    zeroRow((*c)[player]);
  zeroRow(t.experience[player]);
}

void blankLevelStep(LevelTable& t, int step) {
  for (auto* c : {&t.hpGain, &t.mpGain, &t.attackGain, &t.defenceGain, &t.speedGain, &t.magicLearned,
                  &t.magicDefenceGain, &t.hitGain})
    for (std::size_t p = 0; p < c->size(); ++p) (*c)[p][step] = 0;
  for (std::size_t p = 0; p < t.experience.size(); ++p) t.experience[p][step] = 0;
  t.reserved[step] = 0;
}

void blankEnemy(EnemyTable& t, int i) {
  t.ailment[i] = {};
  t.name[i].clear();
  for (auto* c : {&t.hp, &t.mp, &t.attack, &t.defence, &t.speed, &t.money, &t.magicRate, &t.offsetX, &t.offsetY,
                  &t.size, &t.extra, &t.itemRate, &t.critical, &t.attribute, &t.magicDefence, &t.escapeRate})
    (*c)[i] = 0;
  t.experience[i] = 0;
  t.magic[i].fill(99);
  t.itemSlot[i] = {};
  t.graphic[i].clear();
  t.hitRate[i] = 100;
}

void blankMap(MapTable& t, int i) {
  t.name[i].clear();
  t.enemy[i].fill(99);
}

void blankSceneryEntry(SceneryTable& t, int i) {
  t.visited[i] = 0;
  t.town[i] = 99;
  t.battleBackground[i].clear();
  t.distantView[i].clear();
}

void blankItem(ItemTable& t, int i) {
  t.text[i] = {};
  t.text[i][5] = kNoEffect;
  for (auto* c : {&t.armsIndex, &t.important, &t.price, &t.attribute, &t.displayPosition, &t.wholeScreen})
    (*c)[i] = 0;
  t.useSound[i].clear();
  t.animation[i].clear();
  t.eventLabel[i].clear();
  t.uses[i] = 1;
  t.hitRate[i] = 100;
}

void blankArms(ArmsTable& t, int i) {
  for (auto* c : {&t.attack, &t.defence, &t.speed, &t.part, &t.itemEffect, &t.magicDefence}) (*c)[i] = 0;
  zeroRow(t.permission[i]);
  t.attackSound[i] = kDefaultAttackSound;
  t.attacks[i] = 1;
}

void blankMagic(MagicTable& t, int i) {
  t.text[i] = {};
  for (auto* c : {&t.potency, &t.mpCost, &t.attribute, &t.usesAttack, &t.special, &t.displayPosition,
                  &t.wholeScreen})
    (*c)[i] = 0;
  t.effect[i] = kNoEffect;
  t.animation[i].clear();
  t.eventLabel[i].clear();
  t.sound[i] = kDefaultMagicSound;
  t.hitRate[i] = 100;
  t.playerSound[i].assign(t.playerSound[i].size(), kDefaultMagicSound);
}

}  // namespace quillane::data
