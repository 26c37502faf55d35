#include "sample_content.h"

#include <string>

#include "core/data/blank_project.h"
#include "core/map/new_map.h"

using namespace quillane;
using text::sj;

namespace sample {

namespace {

// Tile rows of MAP.BMP: 0 water, 1 trees, 2 mountains, 3 brick wall, 4 stone wall,
// 5 roof, 9 counter, B grass, C road, D floor, E carpet, F ground.
constexpr const char* kWater = "00";
constexpr const char* kTree = "10";
constexpr const char* kMountain = "20";
constexpr const char* kBrick = "30";
constexpr const char* kStone = "40";
constexpr const char* kRoof = "50";
constexpr const char* kCounter = "90";
constexpr const char* kGrass = "B0";
constexpr const char* kFlower = "B3";
constexpr const char* kRoad = "C0";
constexpr const char* kFloor = "D0";
constexpr const char* kCarpet = "E0";
constexpr const char* kGround = "F0";

void fill(map::MapDocument& m, int x0, int y0, int x1, int y1, const char* code) {
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) m.ground.set(y, x, code);
}

void line(event::EventRecord& e, int n, const char* message, const char* command) {
  e.lines[n].message = sj(message);
  e.lines[n].command = command;
  e.lines[n + 1].message = event::kEndMarker;
  e.lines[n + 1].command.clear();
}

void addEvent(map::MapDocument& m, int x, int y, const char* character, const char* movement, int speed) {
  int n = ++m.events.lastNumber;
  auto& e = m.events.records[n];
  e.x = x;
  e.y = y;
  e.speed = speed;
  e.lines[0].message = event::kEndMarker;
  auto& cell = m.events.grid.at(x, y);
  cell.character = character;
  cell.movement = movement;
  cell.number = std::to_string(n);
}

void house(map::MapDocument& m, int x, int y) {
  fill(m, x, y, x + 3, y, kRoof);
  fill(m, x, y + 1, x + 3, y + 2, kBrick);
  m.ground.set(y + 2, x + 1, kFloor);  // the door
}

map::MapDocument village(bool split) {
  map::MapDocument m = map::newMapDocument(nullptr, split);
  m.width = 30;
  m.height = 24;
  m.bgmName = "FIELD";
  m.skyTileSetName = "SKY";
  fill(m, 0, 0, 29, 23, kGrass);
  fill(m, 0, 0, 29, 0, kTree);
  fill(m, 0, 23, 29, 23, kTree);
  fill(m, 0, 0, 0, 23, kTree);
  fill(m, 29, 0, 29, 23, kTree);
  fill(m, 14, 1, 15, 22, kRoad);
  fill(m, 1, 11, 28, 12, kRoad);
  fill(m, 20, 15, 26, 20, kWater);
  fill(m, 3, 15, 8, 19, kFlower);
  house(m, 3, 3);
  house(m, 9, 3);
  house(m, 19, 3);
  fill(m, 20, 7, 26, 9, kStone);
  fill(m, 22, 8, 24, 8, kCounter);
  m.ground.set(23, 14, kRoad);
  m.ground.set(23, 15, kRoad);
  m.downMap = 1;
  // The sky layer: a few clouds drifting over the pond.
  for (int x = 18; x <= 24; ++x) m.sky.set(14, x, "11");
  for (int x = 19; x <= 23; ++x) m.sky.set(13, x, "12");

  addEvent(m, 14, 21, "00", "1", 2);  // where the party starts
  line(m.events.records[0], 0, "", "END");
  addEvent(m, 12, 12, "02", "0", 2);
  line(m.events.records[1], 0, "「ようこそ、はじまりの村へ！", "NEX");
  line(m.events.records[1], 1, "　南の森には魔物が出るから気をつけてね。」", "END");
  addEvent(m, 23, 10, "08", "1", 2);
  line(m.events.records[2], 0, "「いらっしゃい！", "NEX");
  line(m.events.records[2], 1, "　ここは道具屋だよ、何にする？」", "ITS,3,0,1,2:NEX");
  line(m.events.records[2], 2, "「まいどあり！」", "END");
  addEvent(m, 5, 16, "40", "1", 2);
  line(m.events.records[3], 0, "宝箱を開けた。", "NEX");
  line(m.events.records[3], 1, "やくそうを手に入れた！", "FGE,NEX");
  line(m.events.records[3], 2, "宝箱は空っぽだ。", "END");
  addEvent(m, 16, 16, "48", "0", 1);
  line(m.events.records[4], 0, "「ワンワン！」", "END");
  m.startEvent = 0;
  m.afterLoadEvent = 0;

  // When the chest (event 3) has been opened, show it open.
  event::FlagEntry opened;
  opened.conditions[0] = {0, 3, ">=", 2};
  event::FlagAction show;
  show.kind = "C";
  show.value1 = 5;
  show.value2 = 16;
  show.text1 = "41";
  opened.steps.push_back(show);
  m.flags.push_back(opened);
  return m;
}

map::MapDocument forest(bool split) {
  map::MapDocument m = map::newMapDocument(nullptr, split);
  m.width = 25;
  m.height = 20;
  m.bgmName = "DUNGEON";
  m.encounterRate = 8;
  fill(m, 0, 0, 24, 19, kTree);
  fill(m, 11, 0, 13, 19, kGround);
  fill(m, 3, 8, 21, 10, kGround);
  fill(m, 4, 4, 7, 6, kWater);
  fill(m, 18, 13, 22, 17, kMountain);
  m.upMap = 0;
  m.downMap = 2;
  addEvent(m, 12, 1, "00", "1", 2);
  line(m.events.records[0], 0, "", "END");
  addEvent(m, 5, 9, "06", "3", 2);
  line(m.events.records[1], 0, "「森の奥には古い洞窟があるらしい。」", "END");
  return m;
}

map::MapDocument cave(bool split) {
  map::MapDocument m = map::newMapDocument(nullptr, split);
  m.width = 20;
  m.height = 15;
  m.bgmName = "DUNGEON";
  m.encounterRate = 12;
  m.noTeleport = 1;
  fill(m, 0, 0, 19, 14, kStone);
  fill(m, 2, 2, 17, 12, kGround);
  fill(m, 8, 5, 11, 8, kCarpet);
  m.upMap = 1;
  addEvent(m, 9, 12, "00", "1", 2);
  line(m.events.records[0], 0, "", "END");
  addEvent(m, 9, 6, "42", "1", 2);
  line(m.events.records[1], 0, "古びた扉がある。", "END");
  return m;
}

}  // namespace

data::ProjectDatabase database() {
  data::ProjectDatabase db = data::blankDatabase();
  db.initial.title = sj("キルレーンの物語");
  db.initial.initialMap = 0;
  db.initial.startEvent = 0;
  db.initial.money = 100;
  db.initial.standardSpeed = 2;
  db.initial.transparentColour = 0xFF00FF;  // the sheets are drawn on magenta

  const char* players[] = {"アレン", "ミナ", "ゴードン", "リサ"};
  for (int i = 0; i < 4; ++i) {
    db.players.name[i] = sj(players[i]);
    db.players.level[i] = 1;
    db.players.maxHp[i] = db.players.hp[i] = static_cast<float>(30 + 5 * i);
    db.players.maxMp[i] = db.players.mp[i] = static_cast<float>(10 + 3 * i);
    db.players.attack[i] = static_cast<float>(10 + i);
    db.players.defence[i] = static_cast<float>(8 + i);
    db.players.speed[i] = static_cast<float>(6 + i);
    db.players.nextExperience[i] = 20;
  }
  const char* enemies[] = {"スライム", "コウモリ", "ゴブリン", "オオカミ", "ドラゴン"};
  for (int i = 0; i < 5; ++i) {
    db.enemies.name[i] = sj(enemies[i]);
    db.enemies.hp[i] = static_cast<float>(8 + 12 * i * i);
    db.enemies.attack[i] = static_cast<float>(4 + 5 * i);
    db.enemies.defence[i] = static_cast<float>(2 + 4 * i);
    db.enemies.speed[i] = static_cast<float>(3 + 2 * i);
    db.enemies.experience[i] = 3 + 10 * i * i;
    db.enemies.money[i] = static_cast<float>(2 + 8 * i);
    db.enemies.graphic[i] = "enemy" + std::to_string(i);
    db.enemies.escapeRate[i] = 999;
  }
  const char* items[][2] = {{"やくそう", "体力を少し回復する"},
                            {"どくけしそう", "毒を治す"},
                            {"まほうのみず", "魔力を少し回復する"},
                            {"こん棒", "木でできた棍棒"},
                            {"かわのよろい", "なめし革の鎧"}};
  for (int i = 0; i < 5; ++i) {
    db.items.text[i][0] = sj(items[i][0]);
    db.items.text[i][1] = sj(items[i][1]);
    db.items.price[i] = static_cast<float>(10 + 20 * i);
  }
  db.items.text[0][5] = "PO30";
  const char* magic[][2] = {{"ファイア", "炎で敵一体を攻撃する"}, {"ヒール", "味方一人の体力を回復する"}};
  for (int i = 0; i < 2; ++i) {
    db.magic.text[i][0] = sj(magic[i][0]);
    db.magic.text[i][1] = sj(magic[i][1]);
    db.magic.mpCost[i] = 3;
    db.magic.potency[i] = 20;
  }
  db.scenery.attributeName[0] = sj("無");
  db.scenery.attributeName[1] = sj("炎");
  db.scenery.attributeName[2] = sj("氷");
  for (int a = 0; a < 3; ++a)
    for (int b = 0; b < 3; ++b) db.scenery.attributeRate[a][b] = 100;

  const char* mapNames[] = {"はじまりの村", "南の森", "古い洞窟"};
  for (int i = 0; i < 3; ++i) db.maps.name[i] = sj(mapNames[i]);
  db.maps.enemy[1] = {0, 1, 3, 99, 99, 99};
  db.maps.enemy[2] = {1, 2, 3, 4, 99, 99};
  db.scenery.town[0] = 0;  // the village is a town
  db.scenery.battleBackground[1] = "BTL1";
  db.scenery.battleBackground[2] = "BTL2";

  db.messages.entries[0][0] = sj("ようこそ！");
  db.messages.entries[1][0] = "END";
  db.opening.lines[0] = {sj("遠い昔、キルレーンの地に…"), "NEX"};
  db.opening.lines[1] = {sj("一人の若者が旅立とうとしていた。"), "END"};
  db.opening.lines[2] = {event::kEndMarker, ""};
  db.ending.lines[0] = {sj("こうして世界に平和が戻った。"), "END"};
  db.ending.lines[1] = {event::kEndMarker, ""};
  return db;
}

std::vector<map::MapDocument> maps(bool splitChips) {
  return {village(splitChips), forest(splitChips), cave(splitChips)};
}

}  // namespace sample
