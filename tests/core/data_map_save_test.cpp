// The open map saved with the tables: its files carry the project's keys, and the
// project and the map open again after the save.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "core/data/blank_project.h"
#include "core/data/map_context.h"
#include "core/map/map_event_file.h"
#include "core/map/map_files.h"
#include "core/map/new_map.h"
#include "data_fixtures.h"

namespace quillane::data {
namespace {

namespace fs = std::filesystem;

TEST(DataMapSave, TheOpenMapIsSavedWithTheTablesAndReadsBackWithTheSameKeys) {
  fs::path dir = fs::temp_directory_path() / ("quillane-data-map-" + std::to_string(::getpid()));
  fs::remove_all(dir);
  RandomSource random(8);
  ASSERT_FALSE(createBlankProject(dir, Bytes("pw"), random).has_value());
  ProjectDatabase db;
  loadAll(dir, db, random);
  db.max.events = 10;
  db.max.messages = 10;
  map::MapFileContext context = mapContext(db);
  EXPECT_EQ(context.keys, db.hidden.keys);
  EXPECT_EQ(context.eventsPerMap, 10);
  EXPECT_FALSE(context.splitChips);

  map::MapDocument doc = map::newMapDocument(nullptr, false);
  doc.width = 24;
  doc.bgmName = "TOWN";
  doc.events.lastNumber = 11;  // event 11 lies beyond "イベント数" 10
  EXPECT_TRUE(map::dataBeyondCounts(doc.events, context).events);

  SaveRequest request;
  request.mapNumber = 5;
  request.mapFiles = map::writeMapFiles(doc, 5, context, random);
  request.quiet = true;
  SaveResult r = saveAll(dir, db, random, request);
  ASSERT_TRUE(r.ok) << r.error;

  ProjectDatabase again;
  loadAll(dir, again, random);
  EXPECT_TRUE(checkSumsMatch(again.hidden));
  ASSERT_TRUE(map::mapExists(dir, 5));
  map::MapDocument read = map::readMap(dir, 5, mapContext(again));
  EXPECT_EQ(read.width, 24);
  EXPECT_EQ(read.bgmName, "TOWN");
  EXPECT_EQ(read.events.lastNumber, 10);  // the writer stopped at "イベント数"
  fs::remove_all(dir);
}

}  // namespace
}  // namespace quillane::data
