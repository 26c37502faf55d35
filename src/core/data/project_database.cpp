#include "core/data/project_database.h"

#include <algorithm>

namespace quillane::data {

namespace {

template <class Col>
void fit(Col& column, int n) {
  column.resize(static_cast<std::size_t>(std::max(n, 0)));
}

template <class T>
void fitRows(std::vector<std::vector<T>>& column, int n, int width) {
  fit(column, n);
  for (auto& row : column) row.resize(static_cast<std::size_t>(std::max(width, 0)));
}

}  // namespace

InitialValues::InitialValues() {
  setMenuDefaults();
  setSettingsMenuDefaults();
}

void InitialValues::setMenuDefaults() {
  for (int i = 0; i < kSystemMenuEntries; ++i) systemMenu[i] = i < 10 ? static_cast<float>(i + 1) : 0.f;
}

void InitialValues::setSettingsMenuDefaults() {
  for (int i = 0; i < kSettingsMenuEntries; ++i) settingsMenu[i] = i < 6 ? static_cast<float>(i + 1) : 0.f;
}

void InitialValues::setScreenDefaults() {
  screenWidth = 20;
  screenHeight = 15;
  fullScreen = 0;
  characterWidth = 32;
  characterHeight = 32;
  enemyImageWidth = 80;
}

void PlayerTable::resize(int n, int m, int h) {
  fit(ailment, n);
  fit(name, n);
  for (auto* c : {&level, &hp, &mp, &maxHp, &maxMp, &attack, &defence, &speed, &heldItemCount, &heldMagicCount,
                  &critical, &attribute, &hitRate, &magicDefence, &face, &attributeHidden})
    fit(*c, n);
  fit(experience, n);
  fit(nextExperience, n);
  fit(equipment, n);
  fitRows(heldMagic, n, m);
  fitRows(heldItem, n, h);
  fitRows(equippedMark, n, h);
  fitRows(uses, n, h);
  fit(layout, n);
  fit(characterGraphic, n);
  fit(cursorFile, n);
  fit(battleMenu, n);
}

void LevelTable::resize(int players, int steps) {
  for (auto* c : {&hpGain, &mpGain, &attackGain, &defenceGain, &speedGain, &magicLearned, &magicDefenceGain, &hitGain})
    c->resize(players, steps);
  experience.resize(players, steps);
  fit(reserved, steps);
}

void LevelTable::resizeForOverwrite(int players, int steps) {
  for (auto* c : {&hpGain, &mpGain, &attackGain, &defenceGain, &speedGain, &magicLearned, &magicDefenceGain, &hitGain})
    c->resizeForOverwrite(players, steps);
  experience.resizeForOverwrite(players, steps);
  fit(reserved, steps);
}

void LevelTable::clearKeepingMemory() { reserved.clear(); }

void EnemyTable::resize(int n) {
  fit(ailment, n);
  fit(name, n);
  for (auto* c : {&hp, &mp, &attack, &defence, &speed, &money, &magicRate, &offsetX, &offsetY, &size, &extra,
                  &itemRate, &critical, &attribute, &hitRate, &magicDefence, &escapeRate})
    fit(*c, n);
  fit(experience, n);
  fit(magic, n);
  fit(itemSlot, n);
  fit(graphic, n);
}

void MapTable::resize(int n) {
  fit(name, n);
  fit(enemy, n);
}

void SceneryTable::resize(int n) {
  fit(visited, n);
  fit(town, n);
  fit(battleBackground, n);
  fit(distantView, n);
  attributeRate.resize(kMaxAttributes);
}

int SceneryTable::lastAttribute() const {
  for (int i = kMaxAttributes - 1; i > 0; --i)
    if (!attributeName[i].empty()) return i;
  return 0;
}

void ItemTable::resize(int n) {
  fit(text, n);
  for (auto* c : {&armsIndex, &important, &price, &attribute, &uses, &hitRate, &displayPosition, &wholeScreen})
    fit(*c, n);
  fit(useSound, n);
  fit(animation, n);
  fit(eventLabel, n);
}

void ArmsTable::resize(int n, int players) {
  for (auto* c : {&attack, &defence, &speed, &part, &itemEffect, &attacks, &magicDefence}) fit(*c, n);
  fitRows(permission, n, players);
  fit(attackSound, n);
}

void AttackRateTable::resize(int players) { fitRows(rows, players, players); }

MessageList::MessageList() { entries[0][0] = "END"; }

void MessageList::clearKeepingMemory() {
  entries.resize(kMaxMessages);
  // Most fields are empty already (only field 0 is ever read from a file): they are
  // only looked at, not written.
  for (auto& entry : entries)
    for (Bytes& field : entry)
      if (!field.empty()) field.clear();
  entries[0][0] = "END";
}

int MessageList::endIndex() const {
  for (int i = 0; i < kMaxMessages; ++i)
    if (entries[i][0] == "END") return i;
  return kMaxMessages;
}

void MagicTable::resize(int n, int players) {
  fit(text, n);
  for (auto* c : {&potency, &mpCost, &attribute, &hitRate, &usesAttack, &special, &displayPosition, &wholeScreen})
    fit(*c, n);
  for (auto* c : {&effect, &animation, &sound, &eventLabel}) fit(*c, n);
  fitRows(playerSound, n, players);
}

void ProjectDatabase::fitToCounts() {
  // Grow only: records and places beyond a lowered count stay as they are.
  auto atLeast = [](std::size_t have, int want) { return std::max(static_cast<int>(have), want); };
  auto width = [](const auto& rows) { return rows.empty() ? 0 : static_cast<int>(rows.front().size()); };
  const int p = max.players + 1;
  players.resize(atLeast(players.name.size(), p), atLeast(width(players.heldMagic), max.magicHeld),
                 atLeast(width(players.heldItem), max.itemsHeld));
  levels.resize(atLeast(levels.hpGain.size(), p), atLeast(levels.reserved.size(), max.levels));
  enemies.resize(atLeast(enemies.name.size(), max.enemyKinds));
  maps.resize(atLeast(maps.name.size(), max.maps));
  scenery.resize(atLeast(scenery.town.size(), max.scenery));
  items.resize(atLeast(items.text.size(), max.itemKinds));
  arms.resize(atLeast(arms.attack.size(), max.armsKinds), atLeast(width(arms.permission), p));
  attackRates.resize(atLeast(attackRates.rows.size(), p));
  magic.resize(atLeast(magic.text.size(), max.magicKinds), atLeast(width(magic.playerSound), p));
}

}  // namespace quillane::data
