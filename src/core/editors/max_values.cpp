#include "core/editors/max_values.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/data/blank_records.h"
#include "core/data/map_context.h"
#include "core/editors/attack_rates.h"
#include "core/map/map_event_file.h"

namespace quillane::editors {

using data::MaxValues;
using data::ProjectDatabase;

const std::array<MaxValueField, kMaxValueFields>& maxValueFields() {
  static const std::array<MaxValueField, kMaxValueFields> fields{{
      {"プレイヤー数", data::kPlayerRange, &MaxValues::players},
      {"所持魔法数", data::kMagicHeldRange, &MaxValues::magicHeld},
      {"所持アイテム数", data::kItemsHeldRange, &MaxValues::itemsHeld},
      {"レベル数", data::kLevelRange, &MaxValues::levels},
      {"アイテム種類", data::kItemKindRange, &MaxValues::itemKinds},
      {"武具種類", data::kArmsKindRange, &MaxValues::armsKinds},
      {"魔法種類", data::kMagicKindRange, &MaxValues::magicKinds},
      {"マップ数", data::kMapRange, &MaxValues::maps},
      {"敵種類", data::kEnemyKindRange, &MaxValues::enemyKinds},
      {"イベント数", data::kEventRange, &MaxValues::events},
      {"メッセージ数", data::kMessageRange, &MaxValues::messages},
  }};
  return fields;
}

MaxValues clampMaxValues(const MaxValues& current, const std::array<double, kMaxValueFields>& typed) {
  MaxValues next = current;
  for (int k = 0; k < kMaxValueFields; ++k) {
    const MaxValueField& f = maxValueFields()[static_cast<std::size_t>(k)];
    // Clamp in double first: a huge typed number must not overflow the int.
    const double v = std::clamp(typed[static_cast<std::size_t>(k)], double(f.range.lo), double(f.range.hi));
    next.*f.count = f.range.clamp(static_cast<int>(std::lround(v)));
  }
  next.scenery = std::clamp(std::max(current.scenery, next.maps), 0, data::kMaxSceneryEntries);
  return next;
}

std::optional<Bytes> refuseMaxValues(const ProjectDatabase& db, const MaxValues& next,
                                     const event::MapEvents* openEvents) {
  const auto& pl = db.players;
  const int records = std::min(db.max.players + 1, pl.size());
  float items = 0, magic = 0;
  for (int i = 0; i < records; ++i) {
    items = std::max(items, pl.heldItemCount[static_cast<std::size_t>(i)]);
    magic = std::max(magic, pl.heldMagicCount[static_cast<std::size_t>(i)]);
  }
  auto count = [](float v) { return std::to_string(static_cast<long>(v)); };
  if (next.itemsHeld < db.max.itemsHeld && items > next.itemsHeld)
    return text::sj("所持アイテム数を") + std::to_string(next.itemsHeld) +
           text::sj("に減らせません。\n") + count(items) +
           text::sj("個のアイテムを持っているプレイヤーがいます。");
  if (next.magicHeld < db.max.magicHeld && magic > next.magicHeld)
    return text::sj("所持魔法数を") + std::to_string(next.magicHeld) + text::sj("に減らせません。\n") +
           count(magic) + text::sj("個の魔法を持っているプレイヤーがいます。");
  if (openEvents) {
    map::MapFileContext context = data::mapContext(db);
    context.eventsPerMap = next.events;
    context.messageCount = next.messages;
    const map::DataBeyondCounts beyond = map::dataBeyondCounts(*openEvents, context);
    if (next.events < db.max.events && beyond.events)
      return text::sj("イベント数を") + std::to_string(next.events) + text::sj("に減らせません。\n") +
             text::sj("開いているマップにはイベント") + std::to_string(openEvents->lastNumber) +
             text::sj("があります。");
    if (next.messages < db.max.messages && beyond.lines)
      return text::sj("メッセージ数を") + std::to_string(next.messages) + text::sj("に減らせません。\n") +
             text::sj("開いているマップにはそれより長いイベントがあります。");
  }
  return std::nullopt;
}

Bytes refuseMaxValuesTitle() { return text::sj("最大値"); }

Bytes fullWidthNumber(int n) {
  Bytes out;
  for (char c : std::to_string(n)) {
    out.push_back(static_cast<char>(0x82));
    out.push_back(static_cast<char>(0x4F + (c - '0')));
  }
  return out;
}

namespace {

Bytes numberedName(const char* utf8, int index) { return text::sj(utf8) + fullWidthNumber(index + 1); }

// Player records old..next join the table (record old was the kept record beyond the
// list, now a listed player); every column that has a line per player follows.
void growPlayers(ProjectDatabase& db, int oldCount, int newCount) {
  for (int i = oldCount; i <= newCount; ++i) {
    data::blankPlayer(db.players, i);
    data::blankLevelRow(db.levels, i);
    for (auto& row : db.arms.permission) row[static_cast<std::size_t>(i)] = 0;
    for (auto& row : db.magic.playerSound) row[static_cast<std::size_t>(i)] = data::kDefaultMagicSound;
    auto& rates = db.attackRates.rows[static_cast<std::size_t>(i)];
    rates.assign(rates.size(), 0.f);
    setPresetRow(db.attackRates, i, AttackPreset::EqualRate);
    // Existing rows grow by entries that mean nothing yet.
    for (int r = 0; r < i; ++r) db.attackRates.rows[static_cast<std::size_t>(r)][static_cast<std::size_t>(i)] = 0;
  }
  for (int i = oldCount; i < newCount; ++i) {
    db.players.name[static_cast<std::size_t>(i)] = numberedName("プレイヤー", i);
    db.players.maxHp[static_cast<std::size_t>(i)] = 1;
    db.players.level[static_cast<std::size_t>(i)] = 1;
  }
}

void growHeldPlaces(ProjectDatabase& db, const MaxValues& old, const MaxValues& next) {
  auto& pl = db.players;
  for (int i = 0; i < pl.size(); ++i) {
    const auto p = static_cast<std::size_t>(i);
    for (int k = old.magicHeld; k < next.magicHeld; ++k) pl.heldMagic[p][static_cast<std::size_t>(k)] = 0;
    for (int k = old.itemsHeld; k < next.itemsHeld; ++k) {
      pl.heldItem[p][static_cast<std::size_t>(k)] = 0;
      pl.equippedMark[p][static_cast<std::size_t>(k)] = 0;
      pl.uses[p][static_cast<std::size_t>(k)] = 1;
    }
  }
}

}  // namespace

void applyMaxValues(ProjectDatabase& db, const MaxValues& next) {
  const MaxValues old = db.max;
  db.max = next;
  db.fitToCounts();

  if (next.players > old.players) growPlayers(db, old.players, next.players);
  growHeldPlaces(db, old, next);
  for (int l = old.levels; l < next.levels; ++l) data::blankLevelStep(db.levels, l);
  for (int i = old.itemKinds; i < next.itemKinds; ++i) {
    data::blankItem(db.items, i);
    db.items.text[static_cast<std::size_t>(i)][0] = numberedName("アイテム", i);
  }
  for (int i = old.armsKinds; i < next.armsKinds; ++i) data::blankArms(db.arms, i);
  for (int i = old.magicKinds; i < next.magicKinds; ++i) {
    data::blankMagic(db.magic, i);
    db.magic.text[static_cast<std::size_t>(i)][0] = numberedName("魔法", i);
  }
  for (int i = old.maps; i < next.maps; ++i) {
    data::blankMap(db.maps, i);
    db.maps.name[static_cast<std::size_t>(i)] = numberedName("マップ", i);
  }
  for (int i = old.scenery; i < next.scenery; ++i) data::blankSceneryEntry(db.scenery, i);
  for (int i = old.enemyKinds; i < next.enemyKinds; ++i) {
    data::blankEnemy(db.enemies, i);
    db.enemies.name[static_cast<std::size_t>(i)] = numberedName("敵", i);
    db.enemies.hp[static_cast<std::size_t>(i)] = 1;
    db.enemies.size[static_cast<std::size_t>(i)] = 1;
  }
}

}  // namespace quillane::editors
