#include "core/data/text_field_names.h"

#include <vector>

namespace quillane::data {

namespace {

// Finds `at` among the texts of one table, column by column.
class Search {
 public:
  explicit Search(const Bytes* at) : at_(at) {}

  void one(const Bytes& v, const char* table, const char* field) {
    if (!found && &v == at_) found = TextPlace{table, -1, field};
  }
  void column(const std::vector<Bytes>& col, const char* table, const char* field) {
    if (found || col.empty() || at_ < col.data() || at_ >= col.data() + col.size()) return;
    found = TextPlace{table, static_cast<int>(at_ - col.data()), field};
  }
  template <std::size_t N>
  void columns(const std::vector<std::array<Bytes, N>>& col, const char* table, const char* const (&fields)[N]) {
    for (std::size_t i = 0; i < col.size() && !found; ++i)
      for (std::size_t k = 0; k < N; ++k)
        if (&col[i][k] == at_) found = TextPlace{table, static_cast<int>(i), fields[k]};
  }
  void nested(const std::vector<std::vector<Bytes>>& col, const char* table, const char* field) {
    for (std::size_t i = 0; i < col.size() && !found; ++i)
      for (std::size_t k = 0; k < col[i].size(); ++k)
        if (&col[i][k] == at_) found = TextPlace{table, static_cast<int>(i), field + std::to_string(k)};
  }
  void script(const Script& s, const char* table) {
    for (std::size_t i = 0; i < s.lines.size() && !found; ++i) {
      if (&s.lines[i].message == at_) found = TextPlace{table, static_cast<int>(i), "メッセージ"};
      if (&s.lines[i].command == at_) found = TextPlace{table, static_cast<int>(i), "コマンド"};
    }
  }

  std::optional<TextPlace> found;

 private:
  const Bytes* at_;
};

}  // namespace

std::optional<TextPlace> findTextField(const ProjectDatabase& db, const Bytes* at) {
  Search s(at);
  s.one(db.initial.title, "初期値", "タイトル");
  s.script(db.opening, "オープニング 行");
  s.script(db.ending, "エンディング 行");
  s.column(db.players.name, "プレイヤー", "名前");
  s.column(db.players.characterGraphic, "プレイヤー", "キャラクタ番号");
  s.column(db.players.cursorFile, "プレイヤー", "カーソルファイル");
  s.column(db.enemies.name, "敵", "名前");
  s.column(db.enemies.graphic, "敵", "画像");
  s.column(db.maps.name, "マップ", "マップ名");
  s.column(db.scenery.battleBackground, "マップ", "戦闘背景");
  s.column(db.scenery.distantView, "マップ", "遠景");
  for (std::size_t i = 0; i < db.scenery.attributeName.size() && !s.found; ++i)
    if (&db.scenery.attributeName[i] == at) s.found = TextPlace{"属性", static_cast<int>(i), "属性名"};
  static const char* const kItemFields[7] = {"名前", "説明1", "説明2", "説明3", "自分への動作", "効果コード",
                                             "他者への動作"};
  s.columns(db.items.text, "アイテム", kItemFields);
  s.column(db.items.useSound, "アイテム", "効果音");
  s.column(db.items.animation, "アイテム", "アニメーション");
  s.column(db.items.eventLabel, "アイテム", "イベントラベル");
  s.column(db.arms.attackSound, "武具", "攻撃効果音");
  static const char* const kMessageFieldNames[kMessageFields] = {
      "メッセージ", "説明1", "説明2", "説明3", "説明4", "説明5", "説明6", "説明7", "説明8", "説明9", "説明10"};
  s.columns(db.messages.entries, "メッセージ", kMessageFieldNames);
  static const char* const kMagicFields[5] = {"名前", "説明1", "説明2", "説明3", "動作"};
  s.columns(db.magic.text, "魔法", kMagicFields);
  s.column(db.magic.effect, "魔法", "効果");
  s.column(db.magic.animation, "魔法", "アニメーション");
  s.column(db.magic.sound, "魔法", "効果音");
  s.nested(db.magic.playerSound, "魔法", "プレイヤー別効果音 ");
  s.column(db.magic.eventLabel, "魔法", "イベントラベル");
  return s.found;
}

std::string describePlace(const TextPlace& place) {
  std::string out = place.table;
  if (place.record >= 0) out += " No." + std::to_string(place.record);
  return out + " の「" + place.field + "」";
}

}  // namespace quillane::data
