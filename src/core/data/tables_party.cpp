// Layouts of bzenPLY.DAT, bzenLEV.DAT, bzenene.DAT, bzenEAP.DAT and bzenCTY.DAT.
#include "core/data/blank_records.h"
#include "core/data/table_walks.h"

namespace quillane::data {

template <class IO>
void walkPlayers(IO& io, ProjectDatabase& db) {
  PlayerTable& t = db.players;
  const int n = db.max.players + 1, m = db.max.magicHeld, h = db.max.itemsHeld;
  if constexpr (IO::kReading) t.resize(n, m, h);
  for (int i = 0; i < n; ++i) {
    for (int k = 0; k < 6; ++k) io.num(t.ailment[i][k]);
    io.text(t.name[i]);
    for (auto* c : {&t.level, &t.hp, &t.mp, &t.maxHp, &t.maxMp, &t.attack, &t.defence, &t.speed}) io.num((*c)[i]);
    io.i32(t.experience[i]);
    io.i32(t.nextExperience[i]);
    io.num(t.heldItemCount[i]);
    io.num(t.heldMagicCount[i]);
    for (float& f : t.equipment[i]) io.num(f);
    io.columns(m, t.heldMagic[i].data());
    io.columns(h, t.heldItem[i].data(), t.equippedMark[i].data());
  }
  io.reserved(ReservedRow::Ply);
  if (io.version > 205) {
    io.columns(n, t.critical.data());
    io.columns(n, t.attribute.data());
  }
  if (io.version > 210) {
    for (int i = 0; i < n; ++i) {
      io.num(t.hitRate[i]);
      io.num(t.magicDefence[i]);
      for (int k = 6; k < kAilments; ++k) io.num(t.ailment[i][k]);
    }
  } else {
    for (int i = 0; i < n; ++i) {
      t.attribute[i] = 0;
      t.hitRate[i] = 100;
      for (int k = 6; k < kAilments; ++k) t.ailment[i][k] = 0;
    }
  }
  if (io.version > 215) {
    for (int i = 0; i < n; ++i) io.columns(h, t.uses[i].data());
  } else {
    for (auto& row : t.uses) row.assign(row.size(), 1.f);
  }
  if (io.version > 231) {
    for (int i = 0; i < n; ++i) {
      for (float& f : t.layout[i]) io.num(f);
      io.text(t.characterGraphic[i]);
      io.num(t.face[i]);
      io.num(t.attributeHidden[i]);
      io.bare(t.cursorFile[i]);
      io.filler();
    }
  } else {
    for (int i = 0; i < n; ++i) {
      t.layout[i] = defaultLayout(i);
      t.characterGraphic[i] = hexPair(2 * i);
      t.attributeHidden[i] = 0;
      t.cursorFile[i].clear();
    }
  }
  if (io.version >= 260) {
    for (int i = 0; i < n; ++i)
      for (float& f : t.battleMenu[i]) io.num(f);
  } else {
    for (auto& menu : t.battleMenu) menu = defaultBattleMenu();
  }
  if (io.version >= 232 && io.version <= 239)
    for (int i = 0; i < n; ++i) t.characterGraphic[i] = hexPair(2 * i);
  if (io.version < 332)
    for (auto& c : t.cursorFile) c.clear();
}

template <class IO>
void walkLevels(IO& io, ProjectDatabase& db) {
  LevelTable& t = db.levels;
  const int n = db.max.players + 1, v = db.max.levels;
  // The reader writes every cell; when the file fails part way, what it has not read
  // yet is zeroed, so the table is never left unset. `player` is the one being read in
  // the current pass (-1 before the pass's first).
  int player = -1;
  bool gainsDone = false;
  if constexpr (IO::kReading) t.resizeForOverwrite(n, v);
  try {
    // Per player, a record per step: five gains, the experience, the magic learned.
    for (player = 0; player < n; ++player)
      io.columns(v, t.hpGain[player].data(), t.mpGain[player].data(), t.attackGain[player].data(),
                 t.defenceGain[player].data(), t.speedGain[player].data(), t.experience[player].data(),
                 t.magicLearned[player].data());
    gainsDone = true;
    player = -1;
    io.reserved(ReservedRow::Lev);
    if (io.version > 205) io.columns(v, t.reserved.data());
    if (io.version > 210) {
      for (player = 0; player < n; ++player)
        io.columns(v, t.magicDefenceGain[player].data(), t.hitGain[player].data());
    } else {
      for (int p = 0; p < n; ++p)
        for (int l = 0; l < v; ++l) {
          t.magicDefenceGain[p][l] = t.mpGain[p][l];
          t.hitGain[p][l] = 0;
        }
    }
  } catch (...) {
    if constexpr (IO::kReading) {
      // io.columns() has zeroed what it left of its own players' records.
      const std::size_t from = static_cast<std::size_t>(player + 1) * static_cast<std::size_t>(v);
      for (auto* c : {&t.hpGain, &t.mpGain, &t.attackGain, &t.defenceGain, &t.speedGain, &t.magicLearned})
        c->zeroFrom(gainsDone ? c->size() * c->columns() : from);
      t.experience.zeroFrom(gainsDone ? t.experience.size() * t.experience.columns() : from);
      t.magicDefenceGain.zeroFrom(gainsDone ? from : 0);
      t.hitGain.zeroFrom(gainsDone ? from : 0);
    }
    throw;
  }
}

template <class IO>
void walkEnemies(IO& io, ProjectDatabase& db) {
  EnemyTable& t = db.enemies;
  const int e = db.max.enemyKinds;
  if constexpr (IO::kReading) t.resize(e);
  for (int i = 0; i < e; ++i) {
    for (int k = 0; k < 6; ++k) io.num(t.ailment[i][k]);
    io.text(t.name[i]);
    for (auto* c : {&t.hp, &t.mp, &t.attack, &t.defence, &t.speed}) io.num((*c)[i]);
    io.i32(t.experience[i]);
    io.num(t.money[i]);
    io.num(t.magicRate[i]);
    for (float& f : t.magic[i]) io.num(f);
    for (auto* c : {&t.offsetX, &t.offsetY, &t.size, &t.extra}) io.num((*c)[i]);
  }
  io.reserved(ReservedRow::Ene);
  if (io.version > 205) {
    for (int i = 0; i < e; ++i) {
      for (float& f : t.itemSlot[i]) io.num(f);
      io.num(t.itemRate[i]);
      io.num(t.critical[i]);
    }
    io.columns(e, t.attribute.data());
  }
  if (io.version > 210) {
    for (int i = 0; i < e; ++i) {
      io.text(t.graphic[i]);
      io.num(t.hitRate[i]);
      io.num(t.magicDefence[i]);
      for (int k = 6; k < kAilments; ++k) io.num(t.ailment[i][k]);
    }
  } else {
    for (int i = 0; i < e; ++i) {
      t.graphic[i] = "enemy" + std::to_string(i);
      t.attribute[i] = 0;
      t.hitRate[i] = 100;
      t.magicDefence[i] = t.mp[i];
      for (int k = 6; k < kAilments; ++k) t.ailment[i][k] = 0;
    }
  }
  if (io.version > 231) {
    for (int i = 0; i < e; ++i) {
      io.num(t.escapeRate[i]);
      io.fillers(5);
    }
  } else {
    for (float& f : t.escapeRate) f = 999;
  }
}

template <class IO>
void walkMaps(IO& io, ProjectDatabase& db) {
  MapTable& t = db.maps;
  const int n = db.max.maps;
  if constexpr (IO::kReading) t.resize(n);
  for (int i = 0; i < n; ++i) {
    io.text(t.name[i]);
    for (float& f : t.enemy[i]) io.num(f);
  }
  io.reserved(ReservedRow::Eap);
  io.fillers(n > 1 ? n - 1 : 0);
  io.filler();
}

template <class IO>
void walkScenery(IO& io, ProjectDatabase& db) {
  SceneryTable& t = db.scenery;
  const int s = db.max.scenery;
  if constexpr (IO::kReading) t.resize(s);
  io.columns(s, t.visited.data(), t.town.data());
  io.reserved(ReservedRow::Cty);
  if (io.version > 205)
    textRun(io, t.battleBackground.data(), s);
  // The highest attribute index: as read, or the last named attribute when written.
  int a = 0;
  if constexpr (!IO::kReading) a = t.lastAttribute();
  if (io.version > 210) {
    io.count(a, CountRange{0, kMaxAttributes - 1}, "the highest attribute index");
    for (int i = 0; i <= a; ++i) {
      io.text(t.attributeName[i]);
      io.columns(a + 1, t.attributeRate[i].data());
    }
  }
  if (io.version >= 333) {
    io.fillers(5 * (a + 1));
    textRun(io, t.distantView.data(), s);
  }
  if constexpr (IO::kReading) {
    if (io.version < 284 || (io.version >= 300 && io.version <= 331)) {
      for (int i = s - 1; i >= 0; --i) {
        if (t.town[i] != 99 && t.town[i] != 0) break;
        t.visited[i] = 0;
        t.town[i] = 99;
      }
    }
  }
}

QUILLANE_WALK(walkPlayers)
QUILLANE_WALK(walkLevels)
QUILLANE_WALK(walkEnemies)
QUILLANE_WALK(walkMaps)
QUILLANE_WALK(walkScenery)

}  // namespace quillane::data
