#include "core/editors/attribute_editing.h"

#include "core/text/item_writer.h"

namespace quillane::editors {

namespace {

constexpr int kCount = data::kMaxAttributes;

bool inRange(int i) { return i >= 0 && i < kCount; }

// The rate matrix always has 100 rows of 100 cells, also after a file left it short.
void fitMatrix(data::SceneryTable& table) {
  if (static_cast<int>(table.attributeRate.size()) != kCount) table.attributeRate.resize(kCount);
}

}  // namespace

int listedAttributes(const data::SceneryTable& table) {
  for (int i = kCount - 1; i >= 0; --i)
    if (!table.attributeName[static_cast<std::size_t>(i)].empty()) return i + 1;
  return 0;
}

double shownRate(float stored) { return 100.0 - static_cast<double>(stored); }
float storedRate(double percent) { return static_cast<float>(100.0 - percent); }

std::vector<Bytes> rateRows(const data::SceneryTable& table, int a) {
  std::vector<Bytes> rows;
  if (!inRange(a) || static_cast<int>(table.attributeRate.size()) <= a) return rows;
  static const Bytes kGap = text::sj("　");
  static const Bytes kPercent = text::sj("％");
  const int listed = listedAttributes(table);
  for (int j = 0; j < listed; ++j) {
    const float cell = table.attributeRate[static_cast<std::size_t>(a)][static_cast<std::size_t>(j)];
    rows.push_back(std::to_string(j) + ":" + table.attributeName[static_cast<std::size_t>(j)] + kGap +
                   text::trimRight(text::numberForm(shownRate(cell))) + kPercent);
  }
  return rows;
}

void setRate(data::SceneryTable& table, int a, int j, double percent) {
  if (!inRange(a) || !inRange(j)) return;
  fitMatrix(table);
  table.attributeRate[static_cast<std::size_t>(a)][static_cast<std::size_t>(j)] = storedRate(percent);
}

void unifyRates(data::SceneryTable& table, int a, double percent) {
  const int listed = listedAttributes(table);
  for (int j = 0; j < listed; ++j) setRate(table, a, j, percent);
}

void deleteAttribute(data::SceneryTable& table, int a) {
  if (!inRange(a)) return;
  fitMatrix(table);
  auto& names = table.attributeName;
  auto& rates = table.attributeRate;
  for (int m = a; m + 1 < kCount; ++m) {
    names[static_cast<std::size_t>(m)] = std::move(names[static_cast<std::size_t>(m + 1)]);
    rates[static_cast<std::size_t>(m)] = rates[static_cast<std::size_t>(m + 1)];
  }
  names[kCount - 1].clear();
  rates[kCount - 1].fill(0);
  for (auto& row : rates) {
    for (int k = a; k + 1 < kCount; ++k) row[static_cast<std::size_t>(k)] = row[static_cast<std::size_t>(k + 1)];
    row[kCount - 1] = 0;
  }
}

std::vector<Bytes> attributeChoiceItems(const data::SceneryTable& table) {
  std::vector<Bytes> items;
  const int listed = listedAttributes(table);
  const int shown = listed < kCount ? listed + 1 : kCount;
  for (int i = 0; i < shown; ++i) items.push_back(std::to_string(i) + ":" + table.attributeName[static_cast<std::size_t>(i)]);
  return items;
}

AttributeBackup backupAttributes(const data::SceneryTable& table) {
  return AttributeBackup{table.attributeName, table.attributeRate};
}

void restoreAttributes(data::SceneryTable& table, const AttributeBackup& backup) {
  table.attributeName = backup.names;
  table.attributeRate = backup.rates;
}

bool sameAttributes(const data::SceneryTable& table, const AttributeBackup& backup) {
  return table.attributeName == backup.names && table.attributeRate == backup.rates;
}

}  // namespace quillane::editors
