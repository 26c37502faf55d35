// Layouts of bzenPLY.DAT, bzenLEV.DAT, bzenene.DAT, bzenEAP.DAT and bzenCTY.DAT.
#include <algorithm>

#include "core/data/blank_records.h"
#include "core/data/level_segments.h"
#include "core/data/number_run.h"
#include "core/data/reserved_slots.h"
#include "core/data/table_walks.h"

namespace quillane::data {

template <class IO>
void walkPlayers(IO& io, ProjectDatabase& db) {
  PlayerTable& t = db.players;
  const int n = db.max.players + 1, m = db.max.magicHeld, h = db.max.itemsHeld;
  if constexpr (IO::kReading) t.resize(n, m, h);
  // Records of six numbers, the name, then numbers up to the next record's name: taken
  // as one run.
  if (n > 0) {
    NumberRun<IO> run(io, 6);
    for (int k = 0; k < 6; ++k) run.num(t.ailment[0][k]);
  }
  for (int i = 0; i < n; ++i) {
    io.text(t.name[i]);
    NumberRun<IO> run(io, 18 + m + 2 * h + (i + 1 < n ? 6 : 0));
    for (auto* c : {&t.level, &t.hp, &t.mp, &t.maxHp, &t.maxMp, &t.attack, &t.defence, &t.speed}) run.num((*c)[i]);
    run.i32(t.experience[i]);
    run.i32(t.nextExperience[i]);
    run.num(t.heldItemCount[i]);
    run.num(t.heldMagicCount[i]);
    for (float& f : t.equipment[i]) run.num(f);
    run.columns(m, t.heldMagic[i].data());
    run.columns(h, t.heldItem[i].data(), t.equippedMark[i].data());
    if (i + 1 < n)
      for (int k = 0; k < 6; ++k) run.num(t.ailment[i + 1][k]);
  }
  io.reserved(ReservedRow::Ply);
  if (io.version > 205) {
    io.columns(n, t.critical.data());
    io.columns(n, t.attribute.data());
  } else {
    zeroNumbers(t.critical);
  }
  if (io.version > 210) {
    NumberRun<IO> run(io, (2 + kAilments - 6) * n);
    for (int i = 0; i < n; ++i) {
      run.num(t.hitRate[i]);
      run.num(t.magicDefence[i]);
      for (int k = 6; k < kAilments; ++k) run.num(t.ailment[i][k]);
    }
  } else {
    for (int i = 0; i < n; ++i) {
      t.attribute[i] = 0;
      t.hitRate[i] = 100;
      t.magicDefence[i] = 0;
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
      t.face[i] = 0;
      t.attributeHidden[i] = 0;
      t.cursorFile[i].clear();
    }
  }
  if (io.version >= 260) {
    NumberRun<IO> run(io, kBattleMenuPlaces * n);
    for (int i = 0; i < n; ++i)
      for (float& f : t.battleMenu[i]) run.num(f);
  } else {
    for (auto& menu : t.battleMenu) menu = defaultBattleMenu();
  }
  if (io.version >= 232 && io.version <= 239)
    for (int i = 0; i < n; ++i) t.characterGraphic[i] = hexPair(2 * i);
  if (io.version < 332)
    for (auto& c : t.cursorFile) c.clear();
}

std::size_t LevelSegments::items(int s) const {
  const auto v = static_cast<std::size_t>(steps);
  if (s < players) return 7 * v;
  if (s == players) return reservedSlots(ReservedRow::Lev).size() + (version > 205 ? v : 0);
  return 2 * v;
}

namespace {

// Segment s of the level table (see LevelSegments).
template <class IO>
void walkLevelSegment(IO& io, LevelTable& t, int players, int steps, int s) {
  if (s < players) {
    io.columns(steps, t.hpGain[s].data(), t.mpGain[s].data(), t.attackGain[s].data(), t.defenceGain[s].data(),
               t.speedGain[s].data(), t.experience[s].data(), t.magicLearned[s].data());
  } else if (s == players) {
    io.reserved(ReservedRow::Lev);
    if (io.version > 205) io.columns(steps, t.reserved.data());
  } else {
    const int p = s - players - 1;
    io.columns(steps, t.magicDefenceGain[p].data(), t.hitGain[p].data());
  }
}

// The grid cells of segment s set to zero (the kept row and column hold no grid cells).
void zeroLevelSegment(LevelTable& t, int players, int s) {
  const auto zero = [](auto& grid, int row) { std::ranges::fill(grid[static_cast<std::size_t>(row)], 0); };
  if (s < players) {
    for (auto* c : {&t.hpGain, &t.mpGain, &t.attackGain, &t.defenceGain, &t.speedGain, &t.magicLearned}) zero(*c, s);
    zero(t.experience, s);
  } else if (s > players) {
    zero(t.magicDefenceGain, s - players - 1);
    zero(t.hitGain, s - players - 1);
  }
}

}  // namespace

template <class IO>
void walkLevelSegments(IO& io, ProjectDatabase& db, int from, int to) {
  const LevelSegments layout(db.max, io.version);
  int s = from;
  try {
    for (; s < to; ++s) walkLevelSegment(io, db.levels, layout.players, layout.steps, s);
  } catch (...) {
    // io.columns() has zeroed what it left of its own segment.
    if constexpr (IO::kReading)
      for (int k = s + 1; k < to; ++k) zeroLevelSegment(db.levels, layout.players, k);
    throw;
  }
}

template <class IO>
void walkLevels(IO& io, ProjectDatabase& db) {
  LevelTable& t = db.levels;
  const LevelSegments layout(db.max, io.version);
  const int n = layout.players, v = layout.steps;
  // The reader writes every cell; when the file fails part way, what it has not read
  // yet is zeroed, so the table is never left unset.
  if constexpr (IO::kReading) t.resizeForOverwrite(n, v);
  try {
    walkLevelSegments(io, db, 0, layout.count());
  } catch (...) {
    if constexpr (IO::kReading) {
      if (io.version <= 210) {
        t.magicDefenceGain.zeroFrom(0);
        t.hitGain.zeroFrom(0);
      }
    }
    throw;
  }
  if (io.version <= 210) {
    for (int p = 0; p < n; ++p)
      for (int l = 0; l < v; ++l) {
        t.magicDefenceGain[p][l] = t.mpGain[p][l];
        t.hitGain[p][l] = 0;
      }
  }
}

template <class IO>
void walkEnemies(IO& io, ProjectDatabase& db) {
  EnemyTable& t = db.enemies;
  const int e = db.max.enemyKinds;
  if constexpr (IO::kReading) t.resize(e);
  // Records of six numbers, the name, eighteen numbers: the numbers between two names
  // are taken as one run.
  if (e > 0) {
    NumberRun<IO> run(io, 6);
    for (int k = 0; k < 6; ++k) run.num(t.ailment[0][k]);
  }
  for (int i = 0; i < e; ++i) {
    io.text(t.name[i]);
    NumberRun<IO> run(io, i + 1 < e ? 18 + 6 : 18);
    for (auto* c : {&t.hp, &t.mp, &t.attack, &t.defence, &t.speed}) run.num((*c)[i]);
    run.i32(t.experience[i]);
    run.num(t.money[i]);
    run.num(t.magicRate[i]);
    for (float& f : t.magic[i]) run.num(f);
    for (auto* c : {&t.offsetX, &t.offsetY, &t.size, &t.extra}) run.num((*c)[i]);
    if (i + 1 < e)
      for (int k = 0; k < 6; ++k) run.num(t.ailment[i + 1][k]);
  }
  io.reserved(ReservedRow::Ene);
  if (io.version > 205) {
    NumberRun<IO> run(io, 5 * e);
    for (int i = 0; i < e; ++i) {
      for (float& f : t.itemSlot[i]) run.num(f);
      run.num(t.itemRate[i]);
      run.num(t.critical[i]);
    }
  } else {
    zeroNumbers(t.itemSlot, t.itemRate, t.critical);
  }
  if (io.version > 205) io.columns(e, t.attribute.data());
  if (io.version > 210) {
    for (int i = 0; i < e; ++i) {
      io.text(t.graphic[i]);
      NumberRun<IO> run(io, 2 + kAilments - 6);
      run.num(t.hitRate[i]);
      run.num(t.magicDefence[i]);
      for (int k = 6; k < kAilments; ++k) run.num(t.ailment[i][k]);
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
    NumberRun<IO> run(io, 6 * e);
    for (int i = 0; i < e; ++i) {
      run.num(t.escapeRate[i]);
      for (int k = 0; k < 5; ++k) run.filler();
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
  if (io.version > 205) {
    textRun(io, t.battleBackground.data(), s);
  } else {
    blankTexts(t.battleBackground);
  }
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
  if constexpr (IO::kReading) {
    // The names and rates beyond the attributes read (all of them in a file without any).
    const int read = io.version > 210 ? a + 1 : 0;
    for (int i = read; i < kMaxAttributes; ++i) t.attributeName[i].clear();
    for (int i = 0; i < kMaxAttributes; ++i)
      std::fill(t.attributeRate[i].begin() + (i < read ? read : 0), t.attributeRate[i].end(), 0.f);
  }
  if (io.version >= 333) {
    io.fillers(5 * (a + 1));
    textRun(io, t.distantView.data(), s);
  } else {
    blankTexts(t.distantView);
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
template void walkLevelSegments<FieldReader>(FieldReader&, ProjectDatabase&, int, int);
QUILLANE_WALK(walkEnemies)
QUILLANE_WALK(walkMaps)
QUILLANE_WALK(walkScenery)

}  // namespace quillane::data
