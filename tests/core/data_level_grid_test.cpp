// The level table's columns in one block each: resizing keeps and zeroes as a vector
// of rows did, and a level file that fails part way leaves every cell it did not read
// zero, even where the reader was handed memory holding something else.
#include <gtest/gtest.h>

#include "data_fixtures.h"

namespace quillane::data {
namespace {

TEST(LevelGrid, ResizingKeepsCellsAndZeroesNewOnes) {
  Grid<float> g;
  g.resize(2, 3);
  for (std::size_t r = 0; r < 2; ++r)
    for (std::size_t c = 0; c < 3; ++c) g[r][c] = static_cast<float>(10 * r + c + 1);
  Grid<float> copy = g;
  g.resize(3, 2);  // one step fewer, one player more
  ASSERT_EQ(g.size(), 3u);
  ASSERT_EQ(g.columns(), 2u);
  EXPECT_EQ(g[0][1], 2);
  EXPECT_EQ(g[1][0], 11);
  EXPECT_EQ(g[1][1], 12);
  EXPECT_EQ(g[2][0], 0);
  EXPECT_EQ(g[2][1], 0);
  g.resize(3, 4);
  EXPECT_EQ(g[1][1], 12);
  EXPECT_EQ(g[1][2], 0);  // the cut step does not come back
  EXPECT_EQ(g[1][3], 0);
  EXPECT_FALSE(g == copy);
  copy = g;
  EXPECT_TRUE(copy == g);
}

// Every value of the table in the order the level file holds it, the kept row aside:
// per player and step seven numbers, the kept number of each step, then per player and
// step two numbers.
std::vector<double> inFileOrder(const LevelTable& t) {
  std::vector<double> out;
  for (std::size_t p = 0; p < t.hpGain.size(); ++p)
    for (std::size_t l = 0; l < t.hpGain.columns(); ++l)
      out.insert(out.end(), {t.hpGain[p][l], t.mpGain[p][l], t.attackGain[p][l], t.defenceGain[p][l],
                             t.speedGain[p][l], double(t.experience[p][l]), t.magicLearned[p][l]});
  out.insert(out.end(), t.reserved.begin(), t.reserved.end());
  for (std::size_t p = 0; p < t.hpGain.size(); ++p)
    for (std::size_t l = 0; l < t.hpGain.columns(); ++l)
      out.insert(out.end(), {t.magicDefenceGain[p][l], t.hitGain[p][l]});
  return out;
}

TEST(LevelGrid, AFileFailingAtAnyItemLeavesWhatWasNotReadZero) {
  ProjectDatabase source = testing::richDatabase();
  source.max.players = 3;
  source.max.levels = 23;  // long enough for the bulk reader's windows
  source.fitToCounts();
  float next = 1;
  for (auto* c : {&source.levels.hpGain, &source.levels.mpGain, &source.levels.attackGain,
                  &source.levels.defenceGain, &source.levels.speedGain, &source.levels.magicLearned,
                  &source.levels.magicDefenceGain, &source.levels.hitGain})
    for (auto row : *c)
      for (float& f : row) f = next++;
  for (auto row : source.levels.experience)
    for (auto& e : row) e = static_cast<std::int32_t>(next++) * -3;
  for (float& f : source.levels.reserved) f = next++;
  const std::vector<double> all = inFileOrder(source.levels);

  testing::MemoryFiles files = testing::writeAtVersion(source, 340);
  const std::string bytes = files.read("DAT\\bzenLEV.DAT");
  const TableFile* table = nullptr;
  for (const TableFile* t : loadOrder())
    if (std::string(t->readName) == "DAT\\bzenLEV.DAT") table = t;
  ASSERT_NE(table, nullptr);

  const std::size_t gains = 4 * 23 * 7, keptRow = reservedSlots(ReservedRow::Lev).size();
  std::vector<std::size_t> commas;  // the end of every item
  for (std::size_t i = 0; i < bytes.size(); ++i)
    if (bytes[i] == ',') commas.push_back(i);
  ASSERT_EQ(commas.size(), all.size() + keptRow);

  for (const bool cut : {true, false}) {
    for (std::size_t k = 0; k < commas.size(); ++k) {
      // Items 0..k-1 stand; item k is cut off with the rest, or damaged (the kept row
      // holds fillers, which take any item).
      if (!cut && k >= gains && k < gains + keptRow) continue;
      const std::size_t start = k == 0 ? 0 : commas[k - 1] + 1;
      const std::string broken = cut ? bytes.substr(0, start) : bytes.substr(0, start) + " 4x ," + bytes.substr(commas[k] + 1);
      ProjectDatabase db;
      db.max = source.max;
      db.levels.resize(4, 23);  // memory holding something else than the file
      for (auto* c : {&db.levels.hpGain, &db.levels.mpGain, &db.levels.attackGain, &db.levels.defenceGain,
                      &db.levels.speedGain, &db.levels.magicLearned, &db.levels.magicDefenceGain,
                      &db.levels.hitGain})
        for (auto row : *c)
          for (float& f : row) f = 77;
      for (auto row : db.levels.experience)
        for (auto& e : row) e = 77;
      FieldReader reader(broken, table->readName, 340, db.hidden);
      ASSERT_THROW(table->read(reader, db), text::ReadError) << (cut ? "cut" : "damaged") << " at item " << k;
      // The values read: those of the items before k, the kept row aside.
      const std::size_t read = k <= gains ? k : (k <= gains + keptRow ? gains : k - keptRow);
      std::vector<double> want = all;
      for (std::size_t i = read; i < want.size(); ++i) want[i] = 0;
      // The kept numbers are a plain vector: zero when fresh, as before.
      const std::vector<double> got = inFileOrder(db.levels);
      ASSERT_EQ(got, want) << (cut ? "cut" : "damaged") << " at item " << k;
    }
  }
}

}  // namespace
}  // namespace quillane::data
