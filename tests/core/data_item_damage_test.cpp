// Every table read with its runs (texts, numbers, fillers in bulk) must still refuse a
// damaged item as the item it is: a number field holding a text, a number that is no
// number or one beyond a float fails with the file and that item's number; a text or
// filler field takes all three (or, for the end marker of the message list, the reading
// runs on to the end). Damage is put at every item of every table of a large project, where the runs are
// long, and of a small one, where most items are near the end of their file.
#include <gtest/gtest.h>

#include "data_fixtures.h"
#include "maximal_project.h"

namespace quillane::data {
namespace {

struct Outcome {
  bool failed = false;
  std::size_t item = 0;
  std::string file, expected, found;
};

Outcome readTable(const TableFile& table, const std::string& bytes, ProjectDatabase db) {
  Outcome out;
  try {
    FieldReader reader(bytes, table.readName, db.formatVersion, db.hidden);
    table.read(reader, db);
  } catch (const text::ReadError& e) {
    out = {true, e.item(), e.file(), e.expected(), e.found()};
  }
  return out;
}

// The byte offsets of each item's start, up to `count` items (quoted texts may hold commas).
std::vector<std::size_t> itemStarts(const std::string& bytes, std::size_t count) {
  std::vector<std::size_t> starts{0};
  bool quoted = false;
  for (std::size_t i = 0; i < bytes.size() && starts.size() < count; ++i) {
    if (bytes[i] == '"') quoted = !quoted;
    if (bytes[i] == ',' && !quoted) starts.push_back(i + 1);
  }
  return starts;
}

// The tables of records (the settings, the counts and the two scripts have tests of
// their own; the scripts end at a marker, so damage there may fail further on).
bool isRecordTable(const TableFile& t) {
  for (auto read : {&walkPlayers<FieldReader>, &walkLevels<FieldReader>, &walkEnemies<FieldReader>,
                    &walkMaps<FieldReader>, &walkScenery<FieldReader>, &walkItems<FieldReader>,
                    &walkArms<FieldReader>, &walkAttackRates<FieldReader>, &walkMagic<FieldReader>})
    if (t.read == read) return true;
  return false;
}

// Replaces item k (1-based) of every table of records by each damage in turn: at every k when `places` is 0, else at about that many places spread over the
// file and at its last forty items.
void expectDamageAtItsItem(const ProjectDatabase& source, std::size_t places, const char* skipped = "") {
  testing::MemoryFiles files = testing::writeAtVersion(source, 340);
  // What a table's reader needs of the tables before it: the counts and the version.
  ProjectDatabase full;
  full.max = source.max;
  full.formatVersion = 340;
  for (const TableFile* table : loadOrder()) {
    const std::string name = table->readName;
    if (!isRecordTable(*table) || name == skipped) continue;
    const std::string bytes = files.read(name);
    ProjectDatabase scratch = full;
    FieldReader counter(bytes, name, 340, scratch.hidden);
    table->read(counter, scratch);
    const std::size_t items = counter.items().itemNumber();
    const std::vector<std::size_t> starts = itemStarts(bytes, items + 1);
    ASSERT_GE(starts.size(), items) << name;
    const std::size_t step = places == 0 ? 1 : std::max<std::size_t>(1, items / places);
    std::size_t refused = 0;
    for (std::size_t k = 1; k <= items; ++k) {
      if (k % step != 0 && k + 40 < items) continue;
      const std::size_t at = starts[k - 1];
      const std::size_t end = k < starts.size() ? starts[k] - 1 : bytes.find(',', at);  // its comma
      // A number field refuses all three at item k, a text or filler field takes them all.
      int failures = 0;
      for (const char* damage : {"\"x\"", " 12x ", " 1e99 "}) {
        std::string damaged = bytes;
        damaged.replace(at, end - at, damage);
        const Outcome o = readTable(*table, damaged, full);
        // A damaged end marker of the message list lets the reading run on to the end.
        if (!o.failed || (o.found == "the end of the file" && o.item > k)) continue;
        ++failures;
        ASSERT_EQ(o.file, name) << "item " << k << " " << damage;
        ASSERT_EQ(o.item, k) << name << ": " << damage << " at item " << k << ", " << o.expected << ", " << o.found;
      }
      EXPECT_TRUE(failures == 0 || failures == 3) << name << ": item " << k << " refused " << failures << " of 3";
      refused += failures != 0;
    }
    EXPECT_GT(refused, 0u) << name;
  }
}

TEST(DataItemDamage, ADamagedItemOfASmallProjectFailsAtThatItem) { expectDamageAtItsItem(testing::richDatabase(), 0); }

// The level table (5 MB there) is left to its own tests: read a few hundred times it
// would make this test slow.
TEST(DataItemDamage, ADamagedItemOfTheLargestProjectFailsAtThatItem) {
  expectDamageAtItsItem(quillane::testing::maximalDatabase(), 60, "DAT\\bzenLEV.DAT");
}

}  // namespace
}  // namespace quillane::data
