// Damaged and hostile project files give a ReadError naming the place, never a crash,
// a hang or an allocation sized by the file.
#include <gtest/gtest.h>

#include <algorithm>

#include <random>

#include "data_fixtures.h"

namespace quillane::data {
namespace {

using testing::loadMemory;
using testing::MemoryFiles;
using testing::richDatabase;
using testing::writeAtVersion;

// How many items the reader takes from each file (it leaves unused tails unread).
std::size_t itemsRead(const TableFile& table, const std::string& bytes, ProjectDatabase db) {
  FieldReader reader(bytes, table.readName, 340, db.hidden);
  table.read(reader, db);
  return reader.items().itemNumber();
}

TEST(DataDamage, AFileCutAtAnyItemBoundaryIsAReadError) {
  MemoryFiles files = writeAtVersion(richDatabase(), 340);
  ProjectDatabase full = loadMemory(files);
  for (const TableFile* table : loadOrder()) {
    const std::string bytes = files.read(table->readName);
    const std::size_t needed = itemsRead(*table, bytes, full);
    ASSERT_GT(needed, 0u) << table->readName;
    std::size_t cutAt = 0;  // byte after the k-th comma
    for (std::size_t k = 0; k < needed; ++k) {
      MemoryFiles cut = files;
      cut[table->readName] = bytes.substr(0, cutAt);
      // bzenINI.DAT cut just before its version field is a version-200 project.
      if (std::string(table->readName) == "DAT\\bzenINI.DAT" && k == 16) {
        EXPECT_EQ(loadMemory(cut).formatVersion, 200);
      } else {
        EXPECT_THROW(loadMemory(cut), text::ReadError) << table->readName << " cut after " << k << " items";
      }
      // Next boundary: the comma that ends item k + 1 (quoted texts may hold commas).
      bool quoted = false;
      while (cutAt < bytes.size()) {
        char c = bytes[cutAt++];
        if (c == '"') quoted = !quoted;
        if (c == ',' && !quoted) break;
      }
    }
  }
}

TEST(DataDamage, CountsAndIndicesBeyondTheirCapacitiesAreRefused) {
  const MemoryFiles good = writeAtVersion(richDatabase(), 340);
  auto withItem = [&](const std::string& name, int item, const std::string& value) {
    MemoryFiles f = good;
    std::string& bytes = f[name];
    std::size_t at = 0;
    for (int i = 1; i < item; ++i) at = bytes.find(',', at) + 1;
    bytes.replace(at, bytes.find(',', at) - at, value);
    return f;
  };
  struct Case {
    const char* file;
    int item;
    const char* value;
  };
  const Case cases[] = {
      {"DAT\\bzenMAX.DAT", 1, " 99 "},          // players above 98
      {"DAT\\bzenMAX.DAT", 1, "-1 "},           // negative
      {"DAT\\bzenMAX.DAT", 4, " 1000000000 "},  // levels
      {"DAT\\bzenMAX.DAT", 4, " 2.5 "},         // not whole
      {"DAT\\bzenMAX.DAT", 7, " 500 "},         // arms kinds above 499
      {"DAT\\bzenMAX.DAT", 19, " 101 "},        // events per map
      {"DAT\\bzenMAX.DAT", 20, " 101 "},        // messages
      {"DAT\\bzenMAX.DAT", 5, " 9991 "},        // scenery entries: ten times the map limit
      {"DAT\\bzenINI.DAT", 10, " 1.5 "},        // a hidden number
      {"DAT\\bzenINI.DAT", 1, " 1e39 "},        // beyond a single-precision real
      {"DAT\\bzenINI.DAT", 1, "\"text\""},      // a text where a number belongs
      {"DAT\\bzenPLY.DAT", 16, " 3000000000 "},  // experience beyond 32 bits
  };
  for (const Case& c : cases) {
    MemoryFiles f = withItem(c.file, c.item, c.value);
    EXPECT_THROW(loadMemory(f), text::ReadError) << c.file << " item " << c.item << " = " << c.value;
  }

  // The highest attribute index: item 24 of bzenCTY.DAT in this project.
  MemoryFiles attr = withItem("DAT\\BZENCTY.DAT", 24, " 100 ");
  EXPECT_THROW(loadMemory(attr), text::ReadError);
  try {
    loadMemory(attr);
  } catch (const text::ReadError& e) {
    EXPECT_EQ(e.file(), "DAT\\bzenCTY.DAT");
    EXPECT_EQ(e.item(), 24u);
    EXPECT_NE(describe(e).find("item 24"), std::string::npos);
  }
}

TEST(DataDamage, SceneryEntriesAreNotBoundByTheMapLimit) {
  // Nothing limits the scenery entries to 999: a project with more loads whole.
  ProjectDatabase db = richDatabase();
  db.max.scenery = 1200;
  db.fitToCounts();
  db.scenery.battleBackground[1100] = "far";
  MemoryFiles f = writeAtVersion(db, 340);
  ProjectDatabase back = loadMemory(f);
  EXPECT_EQ(back.max.scenery, 1200);
  EXPECT_EQ(back.scenery.battleBackground[1100], "far");
}

TEST(DataDamage, EndlessListsStopAtTheirCapacity) {
  MemoryFiles f = writeAtVersion(richDatabase(), 340);
  // An opening script of 101 text lines before the end marker.
  std::string topn = " 37 ,";
  for (int i = 0; i < 101; ++i) topn += "\"m\",\"c\",";
  topn += "\"99\",";
  f["DAT\\BZENTOPN.DAT"] = topn + std::string(18 * 4, ' ');
  EXPECT_THROW(loadMemory(f), text::ReadError);

  // A message list of 1000 texts and no "END" fails at its 1000th text; 999 texts and
  // "END" as the 1000th fill the list.
  f = writeAtVersion(richDatabase(), 340);
  std::string& ats = f["DAT\\bzenATS.DAT"];
  ats.resize(ats.find('"'));
  const auto before = static_cast<std::size_t>(std::count(ats.begin(), ats.end(), ','));  // the items before the list
  const std::string numbers = ats;
  for (int i = 0; i < 1000; ++i) ats += "\"m\",";
  ats += "\"END\",";
  try {
    loadMemory(f);
    ADD_FAILURE() << "a list without its end loaded";
  } catch (const text::ReadError& e) {
    EXPECT_EQ(e.item(), before + 1000);
    EXPECT_EQ(e.file(), "DAT\\bzenATS.DAT");
    EXPECT_EQ(e.found(), "a 1000th text");
  }
  ats = numbers;
  for (int i = 0; i < 999; ++i) ats += "\"m" + std::to_string(i) + "\",";
  ats += "\"END\",";
  const ProjectDatabase full = loadMemory(f);
  EXPECT_EQ(full.messages.endIndex(), 999);
  EXPECT_EQ(full.messages.entries[998][0], "m998");
}

TEST(DataDamage, RandomCorruptionNeverEscapesAsAnythingButReadError) {
  const MemoryFiles good = writeAtVersion(richDatabase(), 340);
  std::mt19937 rng(1234);
  const char garbage[] = {',', '"', '9', '-', 'x', '\n', ' ', '\x82', '.', 'e'};
  int errors = 0;
  for (int round = 0; round < 400; ++round) {
    MemoryFiles f = good;
    auto it = f.files.begin();
    std::advance(it, rng() % f.files.size());
    std::string& bytes = it->second;
    if (bytes.empty()) continue;
    for (int n = 0; n < 3; ++n) bytes[rng() % bytes.size()] = garbage[rng() % sizeof garbage];
    if (round % 5 == 0) bytes.resize(rng() % bytes.size());
    try {
      loadMemory(f);
    } catch (const text::ReadError&) {
      ++errors;
    }
  }
  EXPECT_GT(errors, 0);
}

}  // namespace
}  // namespace quillane::data
