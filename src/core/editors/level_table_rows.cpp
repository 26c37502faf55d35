#include "core/editors/level_table_rows.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

namespace quillane::editors {

namespace {

std::size_t at(int i) { return static_cast<std::size_t>(i); }

// The order of the increment columns and of the running sums.
constexpr std::array<Stat, 7> kSmallColumns{Stat::Hp,           Stat::Mp,  Stat::Attack, Stat::Defence,
                                            Stat::MagicDefence, Stat::Hit, Stat::Speed};

double increment(const data::LevelTable& t, int player, Stat stat, int step) {
  switch (stat) {
    case Stat::Hp: return t.hpGain[at(player)][at(step)];
    case Stat::Mp: return t.mpGain[at(player)][at(step)];
    case Stat::Attack: return t.attackGain[at(player)][at(step)];
    case Stat::Defence: return t.defenceGain[at(player)][at(step)];
    case Stat::MagicDefence: return t.magicDefenceGain[at(player)][at(step)];
    case Stat::Hit: return t.hitGain[at(player)][at(step)];
    case Stat::Speed: return t.speedGain[at(player)][at(step)];
    case Stat::Experience: return t.experience[at(player)][at(step)];
  }
  return 0;
}

}  // namespace

Bytes levelTableHeading1() {
  return text::sj("    体  魔  攻   防  魔  命  速  　 　　　　　　　  累積   累積  累積  累積  累積   累積  累積  累積　 ");
}
Bytes levelTableHeading2() {
  return text::sj("Lev  力  力  撃   御  防  中  さ 経験値 　魔　　法　  体力   魔力  攻撃  防御  魔防   命中  速度 経験値");
}

Bytes rightAligned(int width, double value) {
  const double v = roundWhole(value);
  // Values come from floats and 32-bit fields: a long long holds them whole.
  const long long whole = std::isfinite(v) ? static_cast<long long>(std::clamp(v, -9.0e18, 9.0e18)) : 0;
  Bytes s = whole < 0 ? std::to_string(whole) : " " + std::to_string(whole);
  if (static_cast<int>(s.size()) < width) s.insert(0, at(width) - s.size(), ' ');
  return s;
}

Bytes magicColumn(const data::MagicTable& magic, int magicKinds, float learned) {
  const int kinds = std::min(magicKinds, magic.count());
  const bool known = std::isfinite(learned) && learned == std::floor(learned) && learned >= 1 && learned <= kinds;
  if (!known) return text::sj("－－－－－－");
  const Bytes& name = magic.text[at(static_cast<int>(learned) - 1)][0];
  return text::fitToWidth(name + text::sj("　　　　　　"), 12);
}

std::vector<Bytes> levelTableRows(const data::ProjectDatabase& db, int player) {
  std::vector<Bytes> rows;
  const int levels = std::min(db.max.levels, static_cast<int>(db.levels.hpGain[at(player)].size()));
  const GrowthSteps steps = growthSteps(db.players.level[at(player)], levels);
  if (steps.count() <= 0) return rows;
  std::array<double, kStats> sum{};
  for (int s = 0; s < kStats; ++s) sum[at(s)] = roundWhole(baseValue(db.players, player, static_cast<Stat>(s)));
  const Bytes bar = "|";
  rows.reserve(at(steps.count()));
  for (int level = steps.startLevel + 1; level <= steps.levels; ++level) {
    const int step = level - 2;
    Bytes row = rightAligned(3, level);
    for (Stat s : kSmallColumns) row += bar + rightAligned(3, increment(db.levels, player, s, step));
    row += bar + rightAligned(5, increment(db.levels, player, Stat::Experience, step)) + bar;
    row += magicColumn(db.magic, db.max.magicKinds, db.levels.magicLearned[at(player)][at(step)]) + bar;
    for (int s = 0; s < kStats; ++s)
      sum[at(s)] += roundWhole(increment(db.levels, player, static_cast<Stat>(s), step));
    for (Stat s : kSmallColumns) row += rightAligned(5, sum[at(static_cast<int>(s))]) + bar;
    row += rightAligned(6, sum[at(static_cast<int>(Stat::Experience))]);
    rows.push_back(std::move(row));
  }
  return rows;
}

}  // namespace quillane::editors
