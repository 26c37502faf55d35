// The largest project the counts allow, saved, loaded back and saved again: every table
// comes back as it was, and the second save writes the same bytes as the first.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "core/data/load_all.h"
#include "core/data/map_context.h"
#include "core/data/save_all.h"
#include "core/map/map_files.h"
#include "core/text/project_files.h"
#include "maximal_project.h"

namespace quillane::data {
namespace {

namespace fs = std::filesystem;

class MaximalRoundTrip : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("quillane-maximal-" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_ / "DAT");
  }
  void TearDown() override { fs::remove_all(dir_); }

  // Saves `db` with `doc` as the open map 1, with a random source seeded `seed`.
  void save(ProjectDatabase& db, const map::MapDocument& doc, std::uint32_t seed) {
    RandomSource random(seed);
    SaveRequest request;
    request.mapNumber = 1;
    request.mapFiles = map::writeMapFiles(doc, 1, mapContext(db), random);
    SaveResult result = saveAll(dir_, db, random, request);
    ASSERT_TRUE(result.ok) << result.error;
  }
  std::map<std::string, std::string> datFiles() {
    std::map<std::string, std::string> out;
    for (const auto& e : fs::directory_iterator(dir_ / "DAT")) out[e.path().filename().string()] = *files::readFile(e.path());
    return out;
  }

  fs::path dir_;
};

TEST_F(MaximalRoundTrip, EveryTableAndTheMapComeBackAndSaveToTheSameBytes) {
  ProjectDatabase original = testing::maximalDatabase();
  const map::MapDocument doc = testing::maximalMap();
  save(original, doc, 5);
  const auto firstFiles = datFiles();
  // The level table alone is several megabytes: the counts really are at the top.
  EXPECT_GT(firstFiles.at("bzenLEV.DAT").size(), 4'000'000u);

  ProjectDatabase back;
  RandomSource random(6);
  loadAll(dir_, back, random);
  EXPECT_EQ(back.formatVersion, kWriteVersion);
  EXPECT_TRUE(back.initial == original.initial);
  EXPECT_TRUE(back.max == original.max);
  EXPECT_TRUE(back.opening == original.opening);
  EXPECT_TRUE(back.ending == original.ending);
  EXPECT_TRUE(back.players == original.players);
  EXPECT_TRUE(back.levels == original.levels);
  EXPECT_TRUE(back.enemies == original.enemies);
  EXPECT_TRUE(back.maps == original.maps);
  EXPECT_TRUE(back.scenery == original.scenery);
  EXPECT_TRUE(back.items == original.items);
  EXPECT_TRUE(back.arms == original.arms);
  EXPECT_TRUE(back.attackRates == original.attackRates);
  EXPECT_TRUE(back.messages == original.messages);
  EXPECT_TRUE(back.magic == original.magic);
  EXPECT_EQ(back.hidden.editingPassword, original.hidden.editingPassword);
  EXPECT_EQ(back.hidden.gamePassword, original.hidden.gamePassword);
  EXPECT_EQ(back.hidden.keys, original.hidden.keys);

  const map::MapDocument mapBack = map::readMap(dir_, 1, mapContext(back));
  EXPECT_TRUE(mapBack.ground == doc.ground);
  EXPECT_TRUE(mapBack.sky == doc.sky);
  EXPECT_EQ(mapBack.events.lastNumber, doc.events.lastNumber);
  for (int e = 0; e <= doc.events.lastNumber; ++e) {
    EXPECT_EQ(mapBack.events.records[e].lines, doc.events.records[e].lines) << "event " << e;
    EXPECT_EQ(mapBack.events.records[e].x, doc.events.records[e].x);
  }
  EXPECT_EQ(mapBack.flags, doc.flags);

  // What was loaded, saved with the same random draws, is every byte of the first save.
  fs::remove_all(dir_ / "DAT");
  fs::create_directories(dir_ / "DAT");
  save(back, mapBack, 5);
  EXPECT_TRUE(datFiles() == firstFiles);
}

}  // namespace
}  // namespace quillane::data
