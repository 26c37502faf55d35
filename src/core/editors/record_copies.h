#pragma once
// What "ｷｬﾝｾﾙ" of the enemy, item and magic dialogs restores: the few records an entry
// can change, copied when the dialog is (re)entered, instead of whole tables (an item
// table of 999 records would be copied on every opening and every "▲"/"▼").
//
// The tables keep one vector per column; each table's column list below is checked
// against the table's size, so a column added to a table without being listed here
// fails to compile instead of escaping the cancel.
#include <algorithm>
#include <tuple>
#include <utility>
#include <vector>

#include "core/data/project_database.h"

namespace quillane::editors {

template <class Table>
struct TableColumns;

template <>
struct TableColumns<data::ItemTable> {
  using T = data::ItemTable;
  static constexpr auto list =
      std::make_tuple(&T::text, &T::armsIndex, &T::important, &T::price, &T::attribute, &T::useSound, &T::animation,
                      &T::uses, &T::hitRate, &T::eventLabel, &T::displayPosition, &T::wholeScreen);
};

template <>
struct TableColumns<data::ArmsTable> {
  using T = data::ArmsTable;
  static constexpr auto list = std::make_tuple(&T::attack, &T::defence, &T::speed, &T::part, &T::permission,
                                               &T::itemEffect, &T::attackSound, &T::attacks, &T::magicDefence);
};

template <>
struct TableColumns<data::MagicTable> {
  using T = data::MagicTable;
  static constexpr auto list =
      std::make_tuple(&T::text, &T::potency, &T::mpCost, &T::effect, &T::attribute, &T::animation, &T::sound,
                      &T::hitRate, &T::playerSound, &T::usesAttack, &T::special, &T::eventLabel,
                      &T::displayPosition, &T::wholeScreen);
};

template <>
struct TableColumns<data::EnemyTable> {
  using T = data::EnemyTable;
  static constexpr auto list = std::make_tuple(
      &T::ailment, &T::name, &T::hp, &T::mp, &T::attack, &T::defence, &T::speed, &T::experience, &T::money,
      &T::magicRate, &T::magic, &T::offsetX, &T::offsetY, &T::size, &T::extra, &T::itemSlot, &T::itemRate,
      &T::critical, &T::attribute, &T::graphic, &T::hitRate, &T::magicDefence, &T::escapeRate);
};

// Every column of a table is a std::vector, and they all have one size.
template <class Table>
constexpr bool listsEveryColumn() {
  return sizeof(Table) == std::tuple_size_v<decltype(TableColumns<Table>::list)> * sizeof(std::vector<char>);
}
static_assert(listsEveryColumn<data::ItemTable>());
static_assert(listsEveryColumn<data::ArmsTable>());
static_assert(listsEveryColumn<data::MagicTable>());
static_assert(listsEveryColumn<data::EnemyTable>());

// Copies of single records of one table; restore() writes them back. A record past the
// table is not kept (nothing can have changed it).
template <class Table>
class RecordCopies {
 public:
  void clear() { kept_.clear(); }
  void keep(const Table& table, int record) {
    if (record < 0 || record >= table.count()) return;
    for (const auto& k : kept_)
      if (k.first == record) return;
    Table one;
    const auto r = static_cast<std::size_t>(record);
    std::apply([&](auto... c) { ((one.*c).push_back((table.*c)[r]), ...); }, TableColumns<Table>::list);
    kept_.emplace_back(record, std::move(one));
  }
  void restore(Table& table) const {
    for (const auto& kept : kept_) {
      if (kept.first >= table.count()) continue;
      const auto r = static_cast<std::size_t>(kept.first);
      const Table& one = kept.second;
      std::apply([&](auto... c) { (((table.*c)[r] = (one.*c)[0]), ...); }, TableColumns<Table>::list);
    }
  }
  bool keeps(int record) const {
    return std::any_of(kept_.begin(), kept_.end(), [record](const auto& k) { return k.first == record; });
  }

 private:
  std::vector<std::pair<int, Table>> kept_;
};

// The equipment of every player (slots and equipped marks): what taking an item out of
// equipment changes.
struct EquipmentCopy {
  std::vector<std::array<float, data::kEquipSlots>> equipment;
  std::vector<std::vector<float>> marks;

  static EquipmentCopy take(const data::ProjectDatabase& db) { return {db.players.equipment, db.players.equippedMark}; }
  void restore(data::ProjectDatabase& db) const {
    db.players.equipment = equipment;
    db.players.equippedMark = marks;
  }
};

// What one entry of the item dialog can change: the item, the arms record it is linked
// to and the one a tick of "武器" would link (within an entry only this item's link
// changes, so unlinking can only free its own record before the first free one), and
// the players' equipment (taking the item out of equipment).
class ItemEntryCopies {
 public:
  void take(const data::ProjectDatabase& db, int item);
  void restore(data::ProjectDatabase& db) const;

 private:
  RecordCopies<data::ItemTable> item_;
  RecordCopies<data::ArmsTable> arms_;
  EquipmentCopy equipment_;
};

}  // namespace quillane::editors
