#pragma once
// The two presets of the attack-rate mode. Row i of the table is a party of i + 1
// members; entry j is the cumulative share, in percent, of the enemies' attacks that
// fall on members 0..j, so the last entry of a row is always 100.
#include "core/data/project_database.h"

namespace quillane::editors {

enum class AttackPreset {
  EqualRate,  // "　等　　率": (j + 1) · INT(100 / (i + 1))
  Ratio,      // "　比　　率": member j weighs i + 1 − j, front members are attacked more
};

// Entry j (0..i) of row i under a preset.
int presetRate(AttackPreset preset, int i, int j);
// Sets entries 0..i of row i; entries beyond i keep what they hold.
void setPresetRow(data::AttackRateTable& table, int i, AttackPreset preset);
// The party sizes the mode fills: the player count, at most 12.
int presetRows(const data::MaxValues& max);
// Fills rows 0..presetRows − 1; later rows keep their values.
void applyPreset(data::ProjectDatabase& db, AttackPreset preset);

}  // namespace quillane::editors
