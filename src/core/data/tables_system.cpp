// Layouts of bzenINI.DAT, bzenMAX.DAT, bzenTOPN.DAT and bzenTEND.DAT.
#include "core/data/hidden_fields.h"
#include "core/data/table_walks.h"

namespace quillane::data {

template <class IO>
void walkIni(IO& io, ProjectDatabase& db) {
  InitialValues& v = db.initial;
  for (float* f : {&v.partySizeMinus1, &v.initialMap, &v.initialX, &v.initialY, &v.startEvent, &v.money,
                   &v.standardSpeed})
    io.num(*f);
  io.text(v.title);
  io.reserved(ReservedRow::Ini);
  if (io.version > 201) io.constant(io.version);

  if (io.version > 205) io.num(v.startPlayer); else v.startPlayer = 0;
  if (io.version > 231) {
    io.num(v.facing);
    for (float* f : {&v.fadeKind, &v.fadeSpeed, &v.animationPatterns, &v.hpMeter1, &v.hpMeter2, &v.mpMeter1,
                     &v.mpMeter2, &v.placement, &v.battleView})
      io.num(*f);
    if constexpr (IO::kReading)
      if (v.placement == 0 || v.placement == 10) v.placement += 1;
  } else {
    v.facing = 0;
  }
  if (io.version < 240) {
    v.fadeKind = 0, v.fadeSpeed = 1, v.animationPatterns = 2;
    v.hpMeter1 = 0, v.hpMeter2 = 1, v.mpMeter1 = 0, v.mpMeter2 = 1;
    v.placement = 0;
  }
  if (io.version < 250) v.battleView = 0;
  if (io.version < 260) {
    v.mapChip = 0;
    v.setMenuDefaults();
    v.setSettingsMenuDefaults();
    v.setScreenDefaults();
    return;
  }
  io.num(v.mapChip);
  io.fillers(9);
  for (float& f : v.systemMenu) io.num(f);
  if (io.version < 264) {
    v.setSettingsMenuDefaults();
    v.setScreenDefaults();
    return;
  }
  for (float& f : v.settingsMenu) io.num(f);
  if (io.version < 310) {
    v.setScreenDefaults();
    return;
  }
  for (float* f : {&v.screenWidth, &v.screenHeight, &v.fullScreen, &v.characterWidth, &v.characterHeight,
                   &v.enemyImageWidth})
    io.num(*f);
  if (io.version >= 321) io.i32(v.transparentColour); else v.transparentColour = 0;
}

template <class IO>
void walkMax(IO& io, ProjectDatabase& db) {
  MaxValues& m = db.max;
  io.count(m.players, kPlayerRange, "the player count");
  io.count(m.magicHeld, kMagicHeldRange, "the magic held per player");
  io.count(m.itemsHeld, kItemsHeldRange, "the items held per player");
  io.count(m.levels, kLevelRange, "the level count");
  io.count(m.scenery, CountRange{0, kMaxSceneryEntries}, "the scenery entry count");
  io.count(m.itemKinds, kItemKindRange, "the item kinds");
  io.count(m.armsKinds, kArmsKindRange, "the arms kinds");
  io.count(m.maps, kMapRange, "the map count");
  io.count(m.magicKinds, kMagicKindRange, "the magic kinds");
  io.count(m.enemyKinds, kEnemyKindRange, "the enemy kinds");
  io.reserved(ReservedRow::Max);
  if (io.version > 201) {
    io.count(m.events, kEventRange, "the events per map");
    io.count(m.messages, kMessageRange, "the message count");
  } else {
    m.events = 100;
    m.messages = 100;
  }
  if constexpr (!IO::kReading) {
    // Line 3: six numbers the reader never uses, then four fillers.
    io.randomNumbers(6, 100);
    io.fillers(4);
  }
}

namespace {

// Lines 0..99 hold text; a 101st text line cannot be held.
template <class IO>
void walkScript(IO& io, Script& script) {
  if constexpr (IO::kReading) {
    script = Script{};
    for (int i = 0;; ++i) {
      Bytes message;
      io.text(message);
      if (message == event::kEndMarker) {
        script.lines[i] = {message, {}};
        return;
      }
      if (i >= event::kScriptLines - 1)
        io.items().fail("the end marker \"99\" within 101 lines", "a 101st text line");
      script.lines[i].message = std::move(message);
      io.text(script.lines[i].command);
    }
  } else {
    // Without a marker the text lines 0..99 are written and the marker follows them.
    const int end = event::findEndMarker(script.lines).value_or(event::kScriptLines - 1);
    for (int i = 0; i < end; ++i) {
      io.text(script.lines[i].message);
      io.text(script.lines[i].command);
    }
    io.text(event::kEndMarker);
  }
}

}  // namespace

template <class IO>
void walkOpening(IO& io, ProjectDatabase& db) {
  io.check(db.hidden.openingCheck, expectedCheckSums(db.hidden).first);
  walkScript(io, db.opening);
  io.reserved(ReservedRow::Topn);
  io.fillers(10);
}

template <class IO>
void walkEnding(IO& io, ProjectDatabase& db) {
  io.check(db.hidden.endingCheck, expectedCheckSums(db.hidden).second);
  walkScript(io, db.ending);
  io.reserved(ReservedRow::Tend);
  io.fillers(10);
}

QUILLANE_WALK(walkIni)
QUILLANE_WALK(walkMax)
QUILLANE_WALK(walkOpening)
QUILLANE_WALK(walkEnding)

}  // namespace quillane::data
