#pragma once
// The per-player sound effects of a magic ("効果音設定"): one sound name per player,
// listed as "n:player name:sound", registered one at a time or all set to the default.
#include <vector>

#include "core/data/project_database.h"

namespace quillane::editors {

using text::Bytes;

std::vector<Bytes> playerSoundRows(const data::ProjectDatabase& db, int magic);
// "▲登録": player `player` casts magic `magic` with sound `name`.
void registerPlayerSound(data::ProjectDatabase& db, int magic, int player, const Bytes& name);
// "全デフォルト▼": every listed player's sound of magic `magic` becomes its default sound.
void setAllPlayerSoundsToDefault(data::ProjectDatabase& db, int magic);

}  // namespace quillane::editors
