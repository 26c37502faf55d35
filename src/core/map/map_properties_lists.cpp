#include "core/map/map_properties_lists.h"

#include <cmath>
#include <string>

#include "core/event/event_editing.h"
#include "core/map/map_properties.h"

namespace quillane::map {

using text::sj;

namespace {

int eventRowCount(const event::MapEvents& events) {
  return static_cast<int>(event::eventChooserRows(events).size());
}

}  // namespace

std::vector<Bytes> hookRows(const event::MapEvents& events) {
  std::vector<Bytes> rows{sj("設定なし")};
  for (auto& row : event::eventChooserRows(events)) rows.push_back(std::move(row));
  return rows;
}

std::optional<int> hookRow(const event::MapEvents& events, int value) {
  if (value < 0 || value > eventRowCount(events)) return std::nullopt;
  return value;
}

std::vector<Bytes> startEventRows(const event::MapEvents& events) {
  return event::eventChooserRows(events);
}

std::optional<int> startEventRow(const event::MapEvents& events, int value) {
  if (value < 0 || value >= eventRowCount(events)) return std::nullopt;
  return value;
}

std::vector<Bytes> neighbourRows(const data::ProjectDatabase& db) {
  std::vector<Bytes> rows{sj("無し")};
  for (int n = 0; n < db.maps.count(); ++n)
    rows.push_back(std::to_string(n) + ":" + db.maps.name[static_cast<std::size_t>(n)]);
  return rows;
}

std::optional<int> neighbourRow(const data::ProjectDatabase& db, int value) {
  if (value == kNoMap) return 0;
  if (value < 0 || value >= db.maps.count()) return std::nullopt;
  return value + 1;
}

int neighbourValue(int row) { return row <= 0 ? kNoMap : row - 1; }

std::vector<Bytes> enemyRows(const data::ProjectDatabase& db) {
  std::vector<Bytes> rows{sj("設定無し")};
  for (int i = 0; i < db.enemies.count(); ++i)
    rows.push_back(std::to_string(i) + ":" + db.enemies.name[static_cast<std::size_t>(i)]);
  return rows;
}

int enemyRow(const data::ProjectDatabase& db, float value) {
  if (value == static_cast<float>(kNoEnemy) || value != std::floor(value)) return 0;
  if (value < 0 || value >= static_cast<float>(db.enemies.count())) return 0;
  return static_cast<int>(value) + 1;
}

int enemyValue(int row) { return row <= 0 ? kNoEnemy : row - 1; }

std::optional<Bytes> refuseEnemyRow(int row) {
  if (row != kNoEnemy + 1) return std::nullopt;
  return sj("敵No.99は「設定無し」を表す番号のため、出現敵種には選べません。");
}

std::optional<Bytes> refuseTown(int mapNumber) {
  if (mapNumber != kFreeTownEntry) return std::nullopt;
  return sj("マップNo.99は空きを表す番号のため、街・城には設定できません。");
}

Bytes refusalTitle() { return sj("設定エラー"); }

std::vector<Bytes> townRows() { return {sj("はい"), sj("いいえ")}; }
std::vector<Bytes> visitedRows() { return {sj("有る"), sj("無い")}; }

int townRow(const data::SceneryTable& scenery, int mapNumber) {
  return townEntry(scenery, mapNumber) >= 0 ? 0 : 1;
}

std::optional<int> visitedRow(const data::SceneryTable& scenery, int mapNumber) {
  int entry = townEntry(scenery, mapNumber);
  if (entry < 0) return std::nullopt;
  return scenery.visited[static_cast<std::size_t>(entry)] == 1.0f ? 0 : 1;
}

bool hasSceneryNames(const data::SceneryTable& scenery, int number) {
  return number >= 0 && number < scenery.count() &&
         static_cast<std::size_t>(number) < scenery.battleBackground.size() &&
         static_cast<std::size_t>(number) < scenery.distantView.size();
}

Bytes cutTilesQuestion() {
  return sj("マップの外になる部分にマップチップがあります。\n小さくすると、その部分は失われます。よろしいですか？");
}
Bytes eventOutsideMessage() {
  return sj("マップの外になる位置にイベントがあるため、この大きさにはできません。\nイベントを移動してから変更してください。");
}
Bytes resizeTitle() { return sj("マップサイズ"); }
Bytes deleteAllEventsQuestion() { return sj("イベントをすべて削除します、よろしいですか？"); }
Bytes confirmTitle() { return sj("確認"); }

}  // namespace quillane::map
