// Layouts of bzenITM.DAT, bzenARM.DAT, bzenATS.DAT and bzenMGC.DAT.
#include "core/data/blank_records.h"
#include "core/data/number_run.h"
#include "core/data/table_walks.h"

namespace quillane::data {

template <class IO>
void walkItems(IO& io, ProjectDatabase& db) {
  ItemTable& t = db.items;
  const int n = db.max.itemKinds;
  if constexpr (IO::kReading) t.resize(n);
  for (int i = 0; i < n; ++i) {
    textRun(io, t.text[i].data(), static_cast<int>(t.text[i].size()));
    io.num(t.armsIndex[i]);
    io.num(t.important[i]);
    io.num(t.price[i]);
  }
  io.reserved(ReservedRow::Itm);
  if (io.version > 205)
    io.columns(n, t.attribute.data());
  if (io.version > 210) {
    for (int i = 0; i < n; ++i) {
      io.text(t.useSound[i]);
      io.text(t.animation[i]);
      io.num(t.uses[i]);
      io.num(t.hitRate[i]);
    }
  } else {
    for (int i = 0; i < n; ++i) {
      t.attribute[i] = 0;
      t.useSound[i].clear();
      t.animation[i] = "AT" + std::to_string(i);
      t.uses[i] = 1;
      t.hitRate[i] = 100;
      if (t.armsIndex[i] != 0) t.text[i][5] = kNoEffect;
    }
  }
  // Sections 5-7; older files have none of them (empty labels, position 0).
  if (io.version >= 310) {
    io.fillers(5 * n);
    textRun(io, t.eventLabel.data(), n);
  } else {
    blankTexts(t.eventLabel);
  }
  if (io.version >= 321) {
    io.columns(n, t.displayPosition.data(), t.wholeScreen.data());
  } else {
    zeroNumbers(t.displayPosition, t.wholeScreen);
  }
}

template <class IO>
void walkArms(IO& io, ProjectDatabase& db) {
  ArmsTable& t = db.arms;
  const int w = db.max.armsKinds, p = db.max.players + 1;
  if constexpr (IO::kReading) t.resize(w, p);
  {
    NumberRun<IO> run(io, (4 + p) * w);
    for (int i = 0; i < w; ++i) {
      for (auto* c : {&t.attack, &t.defence, &t.speed, &t.part}) run.num((*c)[i]);
      run.columns(p, t.permission[i].data());
    }
  }
  io.reserved(ReservedRow::Arm);
  if (io.version > 205)
    io.columns(w, t.itemEffect.data());
  if (io.version > 210) {
    for (int i = 0; i < w; ++i) {
      io.text(t.attackSound[i]);
      io.num(t.attacks[i]);
      io.num(t.magicDefence[i]);
    }
  } else {
    for (int i = 0; i < w; ++i) {
      t.itemEffect[i] = 0;
      t.attackSound[i] = kDefaultAttackSound;
      t.attacks[i] = 1;
      t.magicDefence[i] = 0;
    }
  }
  // Section 5 (five fillers a record) is written, never read.
  if constexpr (!IO::kReading) io.fillers(5 * w);
}

template <class IO>
void walkAttackRates(IO& io, ProjectDatabase& db) {
  AttackRateTable& t = db.attackRates;
  const int p = db.max.players + 1;
  if constexpr (IO::kReading) t.resize(p);
  for (int i = 0; i < p; ++i) io.columns(p, t.rows[i].data());
  io.reserved(ReservedRow::Ats);
  io.fillers(p);
  if (io.version <= 264) {
    db.messages.clearKeepingMemory();
    return;
  }
  auto& entries = db.messages.entries;
  if constexpr (IO::kReading) {
    db.messages.clearKeepingMemory();
    // Read into the entries themselves, which keep their texts' memory.
    for (int k = 0;; ++k) {
      Bytes& text = entries[k][0];
      io.text(text);
      if (text == "END") break;
      if (k >= kMaxMessages - 1)
        io.items().fail("the end of the message list \"END\" within 1000 texts", "a 1000th text");
    }
  } else {
    int end = std::min(db.messages.endIndex(), kMaxMessages - 1);
    for (int k = 0; k < end; ++k) io.text(entries[k][0]);
    io.text(Bytes("END"));
  }
}

template <class IO>
void walkMagic(IO& io, ProjectDatabase& db) {
  MagicTable& t = db.magic;
  const int g = db.max.magicKinds, p = db.max.players + 1;
  if constexpr (IO::kReading) t.resize(g, p);
  for (int i = 0; i < g; ++i) {
    textRun(io, t.text[i].data(), static_cast<int>(t.text[i].size()));
    io.num(t.potency[i]);
    io.num(t.mpCost[i]);
    io.text(t.effect[i]);
  }
  io.reserved(ReservedRow::Mgc);
  if (io.version > 205)
    io.columns(g, t.attribute.data());
  if (io.version > 210) {
    for (int i = 0; i < g; ++i) {
      io.text(t.animation[i]);
      io.text(t.sound[i]);
      io.num(t.hitRate[i]);
      textRun(io, t.playerSound[i].data(), p);
    }
  } else {
    for (int i = 0; i < g; ++i) {
      t.attribute[i] = 0;
      t.animation[i] = "mg" + std::to_string(i);
      t.sound[i] = kDefaultMagicSound;
      t.hitRate[i] = 100;
      t.playerSound[i].assign(static_cast<std::size_t>(p), kDefaultMagicSound);
    }
  }
  // Sections 5-7; older files lack some of them (flags 0, empty labels, position 0).
  if (io.version > 231) {
    NumberRun<IO> run(io, 6 * g);
    for (int i = 0; i < g; ++i) {
      run.num(t.usesAttack[i]);
      run.num(t.special[i]);
      for (int k = 0; k < 4; ++k) run.filler();
    }
  } else {
    zeroNumbers(t.usesAttack);
  }
  if (io.version < 332) zeroNumbers(t.special);
  if (io.version >= 320) {
    textRun(io, t.eventLabel.data(), g);
  } else {
    blankTexts(t.eventLabel);
  }
  if (io.version >= 321) {
    io.columns(g, t.displayPosition.data(), t.wholeScreen.data());
  } else {
    zeroNumbers(t.displayPosition, t.wholeScreen);
  }
}

QUILLANE_WALK(walkItems)
QUILLANE_WALK(walkArms)
QUILLANE_WALK(walkAttackRates)
QUILLANE_WALK(walkMagic)

}  // namespace quillane::data
