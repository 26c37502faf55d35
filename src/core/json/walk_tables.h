#pragma once
// The JSON form of the project's tables, written once and walked by JsonOut (dump) and
// JsonIn (restore). Records are in number order, one key per field; the counts of
// maxValues come first and fix the length of every table after them. `Maps` adds the
// files of each map to its record of the map table (see project_document.cpp).
#include <algorithm>

#include "core/data/project_database.h"
#include "core/event/event_model.h"
#include "core/json/json_fields.h"

namespace quillane::json {

template <class IO>
void walkHidden(IO& io, data::HiddenFields& h) {
  io.object("hidden", [&] {
    // Blanks that pad the password to its twelve stored characters are no part of it.
    if constexpr (!IO::kReading) {
      text::Bytes trimmed = text::trimRight(h.gamePassword);
      io.text("gamePassword", trimmed);
    } else {
      io.text("gamePassword", h.gamePassword);
      std::size_t chars = 0;
      for (std::size_t pos = 0; pos < h.gamePassword.size(); pos += text::charLength(h.gamePassword, pos)) ++chars;
      if (chars > 12) io.fail("at most 12 characters expected", "gamePassword");
    }
    io.nums("fileKeys", h.keys, 6);
    io.nums("endingReserved", h.tendKept, 8);
  });
}

template <class IO>
void walkMaxValues(IO& io, data::ProjectDatabase& db) {
  data::MaxValues& m = db.max;
  io.object("maxValues", [&] {
    io.integer("players", m.players, 0, data::kPlayerRange.hi);
    io.integer("magicHeld", m.magicHeld, 0, data::kMagicHeldRange.hi);
    io.integer("itemsHeld", m.itemsHeld, 0, data::kItemsHeldRange.hi);
    io.integer("levels", m.levels, 0, data::kLevelRange.hi);
    io.integer("scenery", m.scenery, 0, data::kMaxSceneryEntries);
    io.integer("itemKinds", m.itemKinds, 0, data::kItemKindRange.hi);
    io.integer("armsKinds", m.armsKinds, 0, data::kArmsKindRange.hi);
    io.integer("maps", m.maps, 0, data::kMapRange.hi);
    io.integer("magicKinds", m.magicKinds, 0, data::kMagicKindRange.hi);
    io.integer("enemyKinds", m.enemyKinds, 0, data::kEnemyKindRange.hi);
    io.integer("events", m.events, 0, data::kEventRange.hi);
    io.integer("messages", m.messages, 0, data::kMessageRange.hi);
  });
  if constexpr (IO::kReading) db.fitToCounts();
}

template <class IO>
void walkInitialValues(IO& io, data::InitialValues& v) {
  io.object("initialValues", [&] {
    io.num("partySizeMinus1", v.partySizeMinus1);
    io.num("initialMap", v.initialMap);
    io.num("initialX", v.initialX);
    io.num("initialY", v.initialY);
    io.num("startEvent", v.startEvent);
    io.num("money", v.money);
    io.num("standardSpeed", v.standardSpeed);
    io.text("title", v.title);
    io.num("startPlayer", v.startPlayer);
    io.num("facing", v.facing);
    io.num("fadeKind", v.fadeKind);
    io.num("fadeSpeed", v.fadeSpeed);
    io.num("animationPatterns", v.animationPatterns);
    io.num("hpMeter1", v.hpMeter1);
    io.num("hpMeter2", v.hpMeter2);
    io.num("mpMeter1", v.mpMeter1);
    io.num("mpMeter2", v.mpMeter2);
    io.num("placement", v.placement);
    io.num("battleView", v.battleView);
    io.num("mapChip", v.mapChip);
    io.nums("systemMenu", v.systemMenu, data::kSystemMenuEntries);
    io.nums("settingsMenu", v.settingsMenu, data::kSettingsMenuEntries);
    io.num("screenWidth", v.screenWidth);
    io.num("screenHeight", v.screenHeight);
    io.num("fullScreen", v.fullScreen);
    io.num("characterWidth", v.characterWidth);
    io.num("characterHeight", v.characterHeight);
    io.num("enemyImageWidth", v.enemyImageWidth);
    io.i32("transparentColour", v.transparentColour);
  });
}

// The lines before the end marker (at most 100), each a message and a command.
template <class IO>
void walkScriptLines(IO& io, const char* key, event::ScriptLines& lines) {
  int n = 0;
  if constexpr (!IO::kReading) n = event::findEndMarker(lines).value_or(event::kScriptLines - 1);
  io.list(key, n, event::kScriptLines - 1, "script lines", [&](int i) {
    io.text("message", lines[i].message, TextKind::Script);
    io.text("command", lines[i].command);
  });
  if constexpr (IO::kReading) lines[n] = {event::kEndMarker, {}};
}

template <class IO>
void walkPlayers(IO& io, data::ProjectDatabase& db) {
  data::PlayerTable& t = db.players;
  const int m = db.max.magicHeld, h = db.max.itemsHeld;
  io.records("players", db.max.players + 1, "maxValues.players + 1", [&](int i) {
    io.text("name", t.name[i]);
    io.num("level", t.level[i]);
    io.num("hp", t.hp[i]);
    io.num("mp", t.mp[i]);
    io.num("maxHp", t.maxHp[i]);
    io.num("maxMp", t.maxMp[i]);
    io.num("attack", t.attack[i]);
    io.num("defence", t.defence[i]);
    io.num("speed", t.speed[i]);
    io.i32("experience", t.experience[i]);
    io.i32("nextExperience", t.nextExperience[i]);
    io.num("heldItemCount", t.heldItemCount[i]);
    io.num("heldMagicCount", t.heldMagicCount[i]);
    io.nums("ailments", t.ailment[i], data::kAilments);
    io.nums("equipment", t.equipment[i], data::kEquipSlots);
    io.nums("heldMagic", t.heldMagic[i], m);
    io.nums("heldItems", t.heldItem[i], h);
    io.nums("equippedMarks", t.equippedMark[i], h);
    io.nums("uses", t.uses[i], h);
    io.num("critical", t.critical[i]);
    io.num("attribute", t.attribute[i]);
    io.num("hitRate", t.hitRate[i]);
    io.num("magicDefence", t.magicDefence[i]);
    io.nums("layout", t.layout[i], 4);
    io.text("characterGraphic", t.characterGraphic[i]);
    io.num("face", t.face[i]);
    io.num("attributeHidden", t.attributeHidden[i]);
    io.text("cursorFile", t.cursorFile[i], TextKind::Bare);
    io.nums("battleMenu", t.battleMenu[i], data::kBattleMenuPlaces);
  });
}

// Per player, one column of `levels` numbers a field (step l is the rise from level
// l + 1 to l + 2): a growth curve is edited as a whole column, and the largest table
// stays a few lines a player.
template <class IO>
void walkLevels(IO& io, data::ProjectDatabase& db) {
  data::LevelTable& t = db.levels;
  const int v = db.max.levels;
  io.nums("levelReserved", t.reserved, v);
  io.records("levels", db.max.players + 1, "maxValues.players + 1", [&](int p) {
    // A row of a grid is a view: named here, so that the reader can fill it.
    auto row = [&](const char* key, auto& grid) {
      auto cells = grid[p];
      io.nums(key, cells, v);
    };
    row("hpGain", t.hpGain);
    row("mpGain", t.mpGain);
    row("attackGain", t.attackGain);
    row("defenceGain", t.defenceGain);
    row("speedGain", t.speedGain);
    row("experience", t.experience);
    row("magicLearned", t.magicLearned);
    row("magicDefenceGain", t.magicDefenceGain);
    row("hitGain", t.hitGain);
  });
}

template <class IO>
void walkEnemies(IO& io, data::ProjectDatabase& db) {
  data::EnemyTable& t = db.enemies;
  io.records("enemies", db.max.enemyKinds, "maxValues.enemyKinds", [&](int i) {
    io.text("name", t.name[i]);
    io.nums("ailments", t.ailment[i], data::kAilments);
    io.num("hp", t.hp[i]);
    io.num("mp", t.mp[i]);
    io.num("attack", t.attack[i]);
    io.num("defence", t.defence[i]);
    io.num("speed", t.speed[i]);
    io.i32("experience", t.experience[i]);
    io.num("money", t.money[i]);
    io.num("magicRate", t.magicRate[i]);
    io.nums("magic", t.magic[i], 6);
    io.num("offsetX", t.offsetX[i]);
    io.num("offsetY", t.offsetY[i]);
    io.num("size", t.size[i]);
    io.num("extra", t.extra[i]);
    io.nums("itemSlots", t.itemSlot[i], 3);
    io.num("itemRate", t.itemRate[i]);
    io.num("critical", t.critical[i]);
    io.num("attribute", t.attribute[i]);
    io.text("graphic", t.graphic[i]);
    io.num("hitRate", t.hitRate[i]);
    io.num("magicDefence", t.magicDefence[i]);
    io.num("escapeRate", t.escapeRate[i]);
  });
}

template <class IO>
void walkScenery(IO& io, data::ProjectDatabase& db) {
  data::SceneryTable& t = db.scenery;
  io.records("scenery", db.max.scenery, "maxValues.scenery", [&](int i) {
    io.num("visited", t.visited[i]);
    io.num("town", t.town[i]);
    io.text("battleBackground", t.battleBackground[i]);
    io.text("distantView", t.distantView[i]);
  });
  // Attributes 0 up to the last named one, as the file holds them.
  int a = 0;
  if constexpr (!IO::kReading) a = t.lastAttribute() + 1;
  io.list("attributes", a, data::kMaxAttributes, "attributes", [&](int i) {
    io.text("name", t.attributeName[i]);
    io.nums("rates", t.attributeRate[i], a);
  });
  if constexpr (IO::kReading)
    if (a == 0) io.fail("attribute 0 expected (the file always holds it)", "attributes");
}

template <class IO>
void walkItems(IO& io, data::ProjectDatabase& db) {
  data::ItemTable& t = db.items;
  io.records("items", db.max.itemKinds, "maxValues.itemKinds", [&](int i) {
    io.text("name", t.text[i][0]);
    io.text("description1", t.text[i][1]);
    io.text("description2", t.text[i][2]);
    io.text("description3", t.text[i][3]);
    io.text("actionOnSelf", t.text[i][4]);
    io.text("effect", t.text[i][5]);
    io.text("actionOnOther", t.text[i][6]);
    io.num("armsIndex", t.armsIndex[i]);
    io.num("important", t.important[i]);
    io.num("price", t.price[i]);
    io.num("attribute", t.attribute[i]);
    io.text("useSound", t.useSound[i]);
    io.text("animation", t.animation[i]);
    io.num("uses", t.uses[i]);
    io.num("hitRate", t.hitRate[i]);
    io.text("eventLabel", t.eventLabel[i]);
    io.num("displayPosition", t.displayPosition[i]);
    io.num("wholeScreen", t.wholeScreen[i]);
  });
}

template <class IO>
void walkArms(IO& io, data::ProjectDatabase& db) {
  data::ArmsTable& t = db.arms;
  io.records("arms", db.max.armsKinds, "maxValues.armsKinds", [&](int i) {
    io.num("attack", t.attack[i]);
    io.num("defence", t.defence[i]);
    io.num("speed", t.speed[i]);
    io.num("part", t.part[i]);
    io.nums("permission", t.permission[i], db.max.players + 1);
    io.num("itemEffect", t.itemEffect[i]);
    io.text("attackSound", t.attackSound[i]);
    io.num("attacks", t.attacks[i]);
    io.num("magicDefence", t.magicDefence[i]);
  });
}

template <class IO>
void walkAttackRatesAndMessages(IO& io, data::ProjectDatabase& db) {
  const int p = db.max.players + 1;
  io.numRows("attackRates", db.attackRates.rows, p, p);
  // The texts before "END" (at most 999).
  auto& entries = db.messages.entries;
  std::vector<text::Bytes> texts;
  if constexpr (!IO::kReading) {
    const int end = std::min(db.messages.endIndex(), data::kMaxMessages - 1);
    for (int k = 0; k < end; ++k) texts.push_back(entries[k][0]);
  }
  io.textList("messages", texts, data::kMaxMessages - 1, "messages", TextKind::Message);
  if constexpr (IO::kReading) {
    db.messages = data::MessageList{};
    for (std::size_t k = 0; k < texts.size(); ++k) entries[k][0] = std::move(texts[k]);
    entries[texts.size()][0] = "END";
  }
}

template <class IO>
void walkMagic(IO& io, data::ProjectDatabase& db) {
  data::MagicTable& t = db.magic;
  io.records("magic", db.max.magicKinds, "maxValues.magicKinds", [&](int i) {
    io.text("name", t.text[i][0]);
    io.text("description1", t.text[i][1]);
    io.text("description2", t.text[i][2]);
    io.text("description3", t.text[i][3]);
    io.text("action", t.text[i][4]);
    io.num("potency", t.potency[i]);
    io.num("mpCost", t.mpCost[i]);
    io.text("effect", t.effect[i]);
    io.num("attribute", t.attribute[i]);
    io.text("animation", t.animation[i]);
    io.text("sound", t.sound[i]);
    io.num("hitRate", t.hitRate[i]);
    io.texts("playerSounds", t.playerSound[i], db.max.players + 1);
    io.num("usesAttack", t.usesAttack[i]);
    io.num("special", t.special[i]);
    io.text("eventLabel", t.eventLabel[i]);
    io.num("displayPosition", t.displayPosition[i]);
    io.num("wholeScreen", t.wholeScreen[i]);
  });
}

// The whole document. `maps.files(io, i)` walks the optional "files" of map record i,
// `maps.unlisted(io)` the maps whose files lie beyond the map count.
template <class IO, class Maps>
void walkProject(IO& io, data::ProjectDatabase& db, Maps& maps) {
  int form = kDocumentForm;
  io.integer("quillaneProject", form, kDocumentForm, kDocumentForm);
  io.integer("formatVersion", db.formatVersion, 0, 999);
  json::walkHidden(io, db.hidden);
  json::walkMaxValues(io, db);
  json::walkInitialValues(io, db.initial);
  json::walkScriptLines(io, "opening", db.opening.lines);
  json::walkScriptLines(io, "ending", db.ending.lines);
  json::walkPlayers(io, db);
  json::walkLevels(io, db);
  json::walkEnemies(io, db);
  json::walkScenery(io, db);
  json::walkItems(io, db);
  json::walkArms(io, db);
  json::walkAttackRatesAndMessages(io, db);
  json::walkMagic(io, db);
  io.records("maps", db.max.maps, "maxValues.maps", [&](int i) {
    io.text("name", db.maps.name[i]);
    io.nums("enemies", db.maps.enemy[i], 6);
    maps.files(io, i);
  });
  maps.unlisted(io);
}

}  // namespace quillane::json
