#pragma once
// The whole in-memory database of a project: every table as parallel columns indexed
// by record number, sized from MaxValues, plus the hidden fields (passwords, file keys,
// check numbers) that tie the files of one project together.
//
// Numbers are held as float unless the field is a 16/32-bit integer in the files.
// Counts of MaxValues are int: they size memory and are checked against their
// capacities whenever they are read from a file.
#include <array>
#include <cstdint>
#include <vector>

#include "core/data/grid.h"
#include "core/event/event_model.h"
#include "core/text/cp932.h"

namespace quillane::data {

using text::Bytes;

// The format this editor writes.
inline constexpr int kWriteVersion = 340;

// Capacities of the counts of MaxValues: the ranges the maximum-values dialog offers.
// A file may hold a count below the dialog's minimum (old projects, player count 0),
// never one above the maximum.
struct CountRange {
  int lo;
  int hi;
  int clamp(int v) const { return v < lo ? lo : (v > hi ? hi : v); }
};
inline constexpr CountRange kPlayerRange{1, 98};
inline constexpr CountRange kMagicHeldRange{5, 50};
inline constexpr CountRange kItemsHeldRange{5, 50};
inline constexpr CountRange kLevelRange{1, 999};
inline constexpr CountRange kItemKindRange{10, 999};
inline constexpr CountRange kArmsKindRange{5, 499};
inline constexpr CountRange kMagicKindRange{10, 999};
inline constexpr CountRange kMapRange{1, 999};
inline constexpr CountRange kEnemyKindRange{5, 999};
inline constexpr CountRange kEventRange{10, 100};
inline constexpr CountRange kMessageRange{10, 100};
// The scenery entries grow with the map count and have no limit of their own; a count
// far beyond what any project holds is damage, refused before anything is sized.
inline constexpr int kMaxSceneryEntries = 10 * kMapRange.hi;
inline constexpr int kMaxAttributes = 100;      // names 0..99, a 100 x 100 rate matrix
inline constexpr int kMaxMessages = 1000;       // entries 0..999, the "END" entry included
inline constexpr int kMessageFields = 11;       // field 0 is the message text
inline constexpr int kSystemMenuEntries = 21;
inline constexpr int kSettingsMenuEntries = 11;
inline constexpr int kBattleMenuPlaces = 11;
inline constexpr int kAilments = 11;            // ailment values 0..10
inline constexpr int kEquipSlots = 6;

// DAT\bzenINI.DAT
struct InitialValues {
  float partySizeMinus1 = 0;
  float initialMap = 0;
  float initialX = 0;
  float initialY = 0;
  float startEvent = 0;
  float money = 0;
  float standardSpeed = 1;  // 1, 2, 4 or 8
  Bytes title;
  float startPlayer = 0;
  float facing = 0;          // 0, 2, 4, 6
  float fadeKind = 0;
  float fadeSpeed = 1;       // "setting 2" of line 4
  float animationPatterns = 2;
  float hpMeter1 = 0;
  float hpMeter2 = 1;
  float mpMeter1 = 0;
  float mpMeter2 = 1;
  float placement = 1;       // character placement form: 1 or 11 (0 in old projects)
  float battleView = 0;      // 0 front, 1 side
  float mapChip = 0;         // 0 standard, 1 split
  std::array<float, kSystemMenuEntries> systemMenu{};
  std::array<float, kSettingsMenuEntries> settingsMenu{};
  float screenWidth = 20;    // tiles: 10, 20, 25, 32
  float screenHeight = 15;   // tiles: 8, 15, 19, 24
  float fullScreen = 0;
  float characterWidth = 32;
  float characterHeight = 32;
  float enemyImageWidth = 80;
  std::int32_t transparentColour = 0;  // a Windows colour 0x00BBGGRR

  InitialValues();  // the menus hold their defaults
  void setMenuDefaults();
  void setSettingsMenuDefaults();
  void setScreenDefaults();  // the line-46 defaults
  bool splitMapChips() const { return mapChip == 1; }
  bool operator==(const InitialValues&) const = default;
};

// DAT\bzenMAX.DAT
struct MaxValues {
  int players = 1;      // P: PlayerTable holds P + 1 records
  int magicHeld = 5;    // M
  int itemsHeld = 5;    // H
  int levels = 1;       // V
  int scenery = 1;      // S
  int itemKinds = 10;   // I
  int armsKinds = 5;    // W
  int maps = 1;         // N
  int magicKinds = 10;  // G
  int enemyKinds = 5;   // E
  int events = 100;     // events per map ("イベント数")
  int messages = 100;   // script lines per event ("メッセージ数")
  bool operator==(const MaxValues&) const = default;
};

// DAT\bzenTOPN.DAT and DAT\bzenTEND.DAT: lines 0..99 hold text, the end marker (a
// message "99") sits at most at line 100.
struct Script {
  event::ScriptLines lines{};
  Script() { lines[0].message = event::kEndMarker; }
  bool operator==(const Script&) const = default;
};

// DAT\bzenPLY.DAT: P + 1 records (0..P).
struct PlayerTable {
  std::vector<std::array<float, kAilments>> ailment;
  std::vector<Bytes> name;
  std::vector<float> level, hp, mp, maxHp, maxMp, attack, defence, speed;
  std::vector<std::int32_t> experience, nextExperience;
  std::vector<float> heldItemCount, heldMagicCount;
  std::vector<std::array<float, kEquipSlots>> equipment;  // item index + 1, 0 = nothing
  std::vector<std::vector<float>> heldMagic;              // [player][0..M-1]
  std::vector<std::vector<float>> heldItem;               // [player][0..H-1] item index
  std::vector<std::vector<float>> equippedMark;           // [player][0..H-1] 2 = equipped
  std::vector<float> critical, attribute, hitRate, magicDefence;
  std::vector<std::vector<float>> uses;                   // [player][0..H-1]
  std::vector<std::array<float, 4>> layout;               // section 7: 64*i, 0, 32, 32
  std::vector<Bytes> characterGraphic;                    // two hexadecimal digits
  std::vector<float> face, attributeHidden;
  std::vector<Bytes> cursorFile;                          // written without quotes
  std::vector<std::array<float, kBattleMenuPlaces>> battleMenu;

  int size() const { return static_cast<int>(name.size()); }
  // Resizes every column to `records` records with `magicHeld` / `itemsHeld` places
  // each; new places and records are zero / empty, existing ones kept.
  void resize(int records, int magicHeld, int itemsHeld);
  bool operator==(const PlayerTable&) const = default;
};

// DAT\bzenLEV.DAT: [player 0..P][step 0..V-1].
struct LevelTable {
  Grid<float> hpGain, mpGain, attackGain, defenceGain, speedGain;
  Grid<std::int32_t> experience;
  Grid<float> magicLearned;  // 0 none, m = magic m - 1
  Grid<float> magicDefenceGain, hitGain;
  std::vector<float> reserved;  // one kept number per step
  // New players and steps are zero, existing cells kept.
  void resize(int players, int steps);
  // Every cell unset, for the reader, which writes them all (or zeroes what it could not).
  void resizeForOverwrite(int players, int steps);
  // The grids are kept as they are: resizeForOverwrite reuses them for a reader that
  // writes every cell.
  void clearKeepingMemory();
  bool operator==(const LevelTable&) const = default;
};

// DAT\bzenene.DAT: E records.
struct EnemyTable {
  std::vector<std::array<float, kAilments>> ailment;
  std::vector<Bytes> name;
  std::vector<float> hp, mp, attack, defence, speed;
  std::vector<std::int32_t> experience;
  std::vector<float> money, magicRate;
  std::vector<std::array<float, 6>> magic;  // 99 = none
  std::vector<float> offsetX, offsetY, size, extra;
  std::vector<std::array<float, 3>> itemSlot;  // 0 none, k = item k - 1
  std::vector<float> itemRate, critical, attribute;
  std::vector<Bytes> graphic;
  std::vector<float> hitRate, magicDefence, escapeRate;
  int count() const { return static_cast<int>(name.size()); }
  void resize(int records);
  bool operator==(const EnemyTable&) const = default;
};

// DAT\bzenEAP.DAT: N records (maps 0..N-1).
struct MapTable {
  std::vector<Bytes> name;
  std::vector<std::array<float, 6>> enemy;  // appearing enemy kinds, 99 = none
  int count() const { return static_cast<int>(name.size()); }
  void resize(int records);
  bool operator==(const MapTable&) const = default;
};

// DAT\bzenCTY.DAT: S entries, the attribute list and its rate matrix.
struct SceneryTable {
  std::vector<float> visited;           // 0/1
  std::vector<float> town;              // map number, 99 = free entry
  std::vector<Bytes> battleBackground;  // indexed by map number
  std::vector<Bytes> distantView;       // indexed by map number
  std::array<Bytes, kMaxAttributes> attributeName{};
  std::vector<std::array<float, kMaxAttributes>> attributeRate =
      std::vector<std::array<float, kMaxAttributes>>(kMaxAttributes);  // [attribute][against]
  int count() const { return static_cast<int>(town.size()); }
  // The entry columns to `records`, the rate matrix to its 100 rows.
  void resize(int records);
  // The highest attribute index written: the last non-empty name (0 when none).
  int lastAttribute() const;
  bool operator==(const SceneryTable&) const = default;
};

// DAT\bzenITM.DAT: I records.
struct ItemTable {
  // 0 name, 1..3 description, 4 action on oneself, 5 effect code, 6 action on another
  std::vector<std::array<Bytes, 7>> text;
  std::vector<float> armsIndex, important, price, attribute;
  std::vector<Bytes> useSound, animation;
  std::vector<float> uses, hitRate;
  std::vector<Bytes> eventLabel;
  std::vector<float> displayPosition, wholeScreen;
  int count() const { return static_cast<int>(text.size()); }
  void resize(int records);
  bool operator==(const ItemTable&) const = default;
};

// DAT\bzenARM.DAT: W records.
struct ArmsTable {
  std::vector<float> attack, defence, speed, part;  // part 0,1,2,3,5,6
  std::vector<std::vector<float>> permission;       // [record][player 0..P]
  std::vector<float> itemEffect;
  std::vector<Bytes> attackSound;
  std::vector<float> attacks, magicDefence;
  int count() const { return static_cast<int>(attack.size()); }
  void resize(int records, int players);
  bool operator==(const ArmsTable&) const = default;
};

// DAT\bzenATS.DAT, first part: rows[i][j] is entry (j, i), the cumulative share of
// attacks on members 0..j when the party has i + 1 members.
struct AttackRateTable {
  std::vector<std::vector<float>> rows;
  void resize(int players);
  bool operator==(const AttackRateTable&) const = default;
};

// DAT\bzenATS.DAT, message part: 1000 entries of eleven texts; the first entry whose
// field 0 is "END" ends the list.
struct MessageList {
  std::vector<std::array<Bytes, kMessageFields>> entries =
      std::vector<std::array<Bytes, kMessageFields>>(kMaxMessages);
  MessageList();  // a list holding only "END"
  int endIndex() const;  // index of the "END" entry (kMaxMessages when none)
  // Back to the list of a new MessageList, the texts' memory kept.
  void clearKeepingMemory();
  bool operator==(const MessageList&) const = default;
};

// DAT\bzenMGC.DAT: G records.
struct MagicTable {
  // 0 name, 1..3 description, 4 action
  std::vector<std::array<Bytes, 5>> text;
  std::vector<float> potency, mpCost;
  std::vector<Bytes> effect;
  std::vector<float> attribute;
  std::vector<Bytes> animation, sound;
  std::vector<float> hitRate;
  std::vector<std::vector<Bytes>> playerSound;  // [magic][player 0..P]
  std::vector<float> usesAttack, special;
  std::vector<Bytes> eventLabel;
  std::vector<float> displayPosition, wholeScreen;
  int count() const { return static_cast<int>(text.size()); }
  void resize(int records, int players);
  bool operator==(const MagicTable&) const = default;
};

// The hidden fields. Passwords are kept decoded (12 characters, trailing blanks
// included, or empty); the triples, key parts and fillers are what the files hold and
// are drawn again by encodeHidden.
struct HiddenFields {
  using Triple = std::array<int, 3>;
  Bytes editingPassword;  // EditingPassword
  Bytes gamePassword;     // GamePassword
  std::array<Triple, 12> editingTriples{};
  std::array<Triple, 12> gameTriples{};
  std::array<int, 6> keys{};                      // FileKeys K1..K6
  std::array<std::array<int, 2>, 6> keyParts{};   // (x, y) with x + y = Kn
  std::array<int, 12> fillers{};                  // the F slots, in table order
  std::array<float, 8> tendKept{};                // the reserved line of bzenTEND.DAT
  float openingCheck = 0;                         // first number of bzenTOPN.DAT as read
  float endingCheck = 0;                          // first number of bzenTEND.DAT as read
};

struct ProjectDatabase {
  int formatVersion = 0;  // FormatVersion as read (0 before anything is read)
  InitialValues initial;
  MaxValues max;
  Script opening;
  Script ending;
  PlayerTable players;
  LevelTable levels;
  EnemyTable enemies;
  MapTable maps;
  SceneryTable scenery;
  ItemTable items;
  ArmsTable arms;
  AttackRateTable attackRates;
  MessageList messages;
  MagicTable magic;
  HiddenFields hidden;

  // Sizes every table from `max` (new records zero / empty, existing ones kept).
  // Columns already longer than their count keep their records.
  void fitToCounts();
};

}  // namespace quillane::data
