#pragma once
// The lists of the player dialog: the battle menu (11 places, 0 ends the list, at most 10
// shown), the held magic, and the texts of the catalogues and held lists.
#include <array>
#include <vector>

#include "core/data/project_database.h"

namespace quillane::editors {

using text::Bytes;

// The battle command captions in code order (code = index + 1).
inline constexpr std::array<const char*, 7> kBattleCommands{"攻撃", "魔法", "得意技", "防御", "逃げる", "道具", "オート"};
inline constexpr int kBattleMenuShown = 10;

using BattleMenu = std::array<float, data::kBattleMenuPlaces>;

// Entries shown: places from 0 up to the first 0, at most 10.
int battleMenuLength(const BattleMenu& menu);
// The caption of a command code (its number for a code the catalogue does not have).
Bytes battleCommandCaption(float code);
// Inserts `code` at `position` (the menu length when -1 or beyond it); nothing once the
// menu shows its 10 entries. Returns the position of the new entry, or -1.
int insertBattleCommand(BattleMenu& menu, int position, int code);
// Removes the entry at `position` and closes the gap; false when there is none.
bool removeBattleCommand(BattleMenu& menu, int position);
// Exchanges the entry with the one above (-1) or below (+1); returns the entry's new
// position, or -1 when it cannot move.
int moveBattleCommand(BattleMenu& menu, int position, int delta);

// Held magic: the count in use (cut to the places there are).
int heldMagicCount(const data::ProjectDatabase& db, int player);
// Appends magic `magic` while fewer than "所持魔法数" are held; false when nothing changed.
bool addHeldMagic(data::ProjectDatabase& db, int player, int magic);
// Removes the held magic at `place`, closing the gap.
bool removeHeldMagic(data::ProjectDatabase& db, int player, int place);

// "n:name" of an item or magic kind; a number that names no record shows as "n:".
Bytes itemEntry(const data::ProjectDatabase& db, float item);
Bytes magicEntry(const data::ProjectDatabase& db, float magic);
// The item catalogue: "n:name(uses)" for every item kind.
std::vector<Bytes> itemCatalogue(const data::ProjectDatabase& db);
// The magic catalogue: "n:name" for every magic kind.
std::vector<Bytes> magicCatalogue(const data::ProjectDatabase& db);
// The held items of a player: "n:name(remaining uses)".
std::vector<Bytes> heldItemRows(const data::ProjectDatabase& db, int player);
// The held magic of a player: "n:name".
std::vector<Bytes> heldMagicRows(const data::ProjectDatabase& db, int player);

}  // namespace quillane::editors
