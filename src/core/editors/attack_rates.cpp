#include "core/editors/attack_rates.h"

#include <algorithm>
#include <cmath>

namespace quillane::editors {

int presetRate(AttackPreset preset, int i, int j) {
  if (j >= i) return 100;
  if (preset == AttackPreset::EqualRate) return (j + 1) * (100 / (i + 1));
  // The quotient first, then the product, in double precision: 100 / 6 · 3 and
  // 100 / 15 · 9 come out whole (50, 60) where single precision gives one less.
  const int members = i + 1;
  const int total = members * (members + 1) / 2;
  int cumulative = 0;
  for (int k = 0; k <= j; ++k) cumulative += members - k;
  return static_cast<int>(std::floor(100.0 / total * cumulative));
}

void setPresetRow(data::AttackRateTable& table, int i, AttackPreset preset) {
  auto& row = table.rows[static_cast<std::size_t>(i)];
  for (int j = 0; j <= i && j < static_cast<int>(row.size()); ++j)
    row[static_cast<std::size_t>(j)] = static_cast<float>(presetRate(preset, i, j));
}

int presetRows(const data::MaxValues& max) { return std::clamp(max.players, 0, 12); }

void applyPreset(data::ProjectDatabase& db, AttackPreset preset) {
  const int n = std::min(presetRows(db.max), static_cast<int>(db.attackRates.rows.size()));
  for (int i = 0; i < n; ++i) setPresetRow(db.attackRates, i, preset);
}

}  // namespace quillane::editors
