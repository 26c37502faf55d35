#pragma once
// What "ｷｬﾝｾﾙ" of the player dialog restores: every player's record and level rows, as
// they were when the dialog was (re)entered.
#include "core/data/project_database.h"

namespace quillane::editors {

struct PlayerCopies {
  data::PlayerTable players;
  data::LevelTable levels;

  static PlayerCopies take(const data::ProjectDatabase& db) { return {db.players, db.levels}; }
  void restore(data::ProjectDatabase& db) const {
    db.players = players;
    db.levels = levels;
  }
};

}  // namespace quillane::editors
