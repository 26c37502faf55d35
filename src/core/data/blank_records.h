#pragma once
// One record of a table as a blank project holds it: every column 0 or empty, except
// the values an old project is given for fields its files lack (hit rate 100, uses 1,
// the battle menu 1-7, section-7 numbers 64·i, 0, 32, 32, character number 2·i,
// attack sound "ATC" with one attack, magic sound "mgc" for everyone, the effect code
// "--", "none" (99) in enemy and magic slots). A blank project is made of these, and
// a table that grows gets them for its new records, so a new record is never a stale one.
#include "core/data/project_database.h"

namespace quillane::data {

inline const Bytes kDefaultAttackSound = "ATC";
inline const Bytes kDefaultMagicSound = "mgc";
inline const Bytes kNoEffect = "--";

// Old-version defaults that readers and blank records share.
std::array<float, kBattleMenuPlaces> defaultBattleMenu();  // places 0-6 hold 1-7
std::array<float, 4> defaultLayout(int player);             // 64·i, 0, 32, 32

// Each resets every column of record `i` (the table is already sized for it). Columns
// with one entry per player are filled for the table's current width.
void blankPlayer(PlayerTable& t, int i);
void blankLevelRow(LevelTable& t, int player);  // every step of one player
void blankLevelStep(LevelTable& t, int step);   // one step of every player, and its kept number
void blankEnemy(EnemyTable& t, int i);
void blankMap(MapTable& t, int i);
void blankSceneryEntry(SceneryTable& t, int i);  // a free entry: flag 0, map number 99
void blankItem(ItemTable& t, int i);
void blankArms(ArmsTable& t, int i);
void blankMagic(MagicTable& t, int i);

}  // namespace quillane::data
