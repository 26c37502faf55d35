#pragma once
// The rules of the attribute dialog on the SceneryTable's attribute list and its
// 100 × 100 rate matrix. A cell (A, J) holds 100 minus the percentage shown for
// attribute A against attribute J, so a stored 0 reads 100 %.
#include <vector>

#include "core/data/project_database.h"

namespace quillane::editors {

using text::Bytes;

// Attributes the lists show: 0 up to the last non-empty name (a name emptied in the
// middle keeps its place); 0 when every name is empty.
int listedAttributes(const data::SceneryTable& table);

// The percentage a stored cell shows and the cell a typed percentage stores.
double shownRate(float stored);
float storedRate(double percent);

// The rows of "対属性率" for attribute a: "J:", name J, "　", the shown percentage with
// its sign position, "％".
std::vector<Bytes> rateRows(const data::SceneryTable& table, int a);

// "▲登録": cell (a, j) takes the typed percentage. Indices outside 0..99 do nothing.
void setRate(data::SceneryTable& table, int a, int j, double percent);
// "統一": every listed cell of row a takes the typed percentage.
void unifyRates(data::SceneryTable& table, int a, double percent);

// "削除": attribute a goes away. Later names, rows and columns move down by one, so
// every remaining pair keeps its rate; the last name, row and column become empty.
// References to attributes elsewhere (players, enemies, items, magic) keep their numbers.
void deleteAttribute(data::SceneryTable& table, int a);

// The lines of the attribute choice: every listed attribute ("i:" and its name) and,
// while there is room, the next empty entry for a new attribute.
std::vector<Bytes> attributeChoiceItems(const data::SceneryTable& table);

// What "ｷｬﾝｾﾙ" puts back: every name and every cell.
struct AttributeBackup {
  std::array<Bytes, data::kMaxAttributes> names;
  std::vector<std::array<float, data::kMaxAttributes>> rates;
};
AttributeBackup backupAttributes(const data::SceneryTable& table);
void restoreAttributes(data::SceneryTable& table, const AttributeBackup& backup);
bool sameAttributes(const data::SceneryTable& table, const AttributeBackup& backup);

}  // namespace quillane::editors
