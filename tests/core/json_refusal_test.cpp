// A document the project files cannot hold is refused with the key at fault, and a
// restore writes a folder as one unit: nothing when refused, no project overwritten
// unasked, the maps the document no longer holds removed.
#include <gtest/gtest.h>
#include <unistd.h>

#include <functional>

#include "core/data/load_all.h"
#include "core/json/project_folder.h"
#include "core/map/map_file_names.h"
#include "core/text/project_files.h"
#include "json_fixtures.h"

namespace quillane::json {
namespace {

namespace fs = std::filesystem;

std::string validDocument() {
  static const std::string doc = testing::projectAt(data::testing::richDatabase(), 340, false)->dump();
  return doc;
}

// The refusal of `doc`, or "accepted".
std::string refusal(const std::string& doc) {
  data::RandomSource random(4);
  try {
    projectFiles(doc, "pass", random);
  } catch (const DocumentError& e) {
    return e.what();
  }
  return "accepted";
}

std::string edited(const std::function<void(Json&)>& edit) {
  Json j = Json::parse(validDocument());
  edit(j);
  return j.dump(2);
}

TEST(JsonRefusals, EachNamesTheKeyAtFault) {
  struct Case {
    const char* name;
    std::function<void(Json&)> edit;
    const char* expected;
  };
  const Case cases[] = {
      {"wrong type", [](Json& j) { j["players"][1]["level"] = "3"; }, "players[1].level: a number expected"},
      {"double quote", [](Json& j) { j["items"][2]["name"] = "a\"b"; }, "items[2].name: a double quote"},
      {"not CP932", [](Json& j) { j["magic"][0]["description2"] = "\xE2\x82\xAC"; },
       "magic[0].description2: the character \"\xE2\x82\xAC\" cannot be written in CP932"},
      {"too many messages", [](Json& j) { j["messages"] = Json(std::vector<std::string>(1000, "x")); },
       "messages: too many records: at most 999"},
      {"END in the messages", [](Json& j) { j["messages"][0] = "END"; }, "messages[0]: \"END\" cannot be a message"},
      {"records against the count", [](Json& j) { j["enemies"].erase(1); },
       "enemies: 2 records expected (maxValues.enemyKinds), found 1"},
      {"count beyond the format", [](Json& j) { j["maxValues"]["players"] = 120; },
       "maxValues.players: a whole number from 0 to 98 expected, found 120"},
      {"too many events",
       [](Json& j) {
         Json& events = j["maps"][0]["files"]["events"];
         while (events.size() < 102) events.push_back(events[0]);
       },
       "maps[0].files.events: too many records: at most 101 events"},
      {"end marker in a script", [](Json& j) { j["opening"][1]["message"] = "99"; }, "opening[1].message: \"99\""},
      {"misspelt key", [](Json& j) { j["arms"][1]["atack"] = 1; }, "arms[1].atack: no such field"},
      {"missing key", [](Json& j) { j["initialValues"].erase("title"); }, "initialValues.title: missing"},
      {"comma in a bare text", [](Json& j) { j["players"][0]["cursorFile"] = "a,b"; }, "players[0].cursorFile"},
      {"a field the version lacks",
       [](Json& j) {
         j["formatVersion"] = 320;  // the transparent colour is stored from 321
       },
       "initialValues.transparentColour: the files of format version 320 cannot hold 16711935 as it stands: they "
       "read back 0"},
      {"more precision than the files hold", [](Json& j) { j["enemies"][0]["hp"] = 0.123456789; },
       "enemies[0].hp: the files hold single-precision numbers: 0.12345679 would be stored"},
      {"a ground row of the wrong width", [](Json& j) { j["maps"][0]["files"]["ground"][1] = "00 00"; },
       "maps[0].files.ground[1]: 4 cells of 2 characters"},
      {"two events on one cell",
       [](Json& j) {
         Json& e = j["maps"][0]["files"]["events"];
         e[1]["x"] = e[0]["x"];
       },
       "maps[0].files.events[1].x: event 0 stands on this cell"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string why = refusal(edited(c.edit));
    EXPECT_NE(why.find(c.expected), std::string::npos) << why;
  }
  EXPECT_EQ(refusal(validDocument()), "accepted");
  EXPECT_NE(refusal("{\"quillaneProject\": 1,").find("document: not valid JSON"), std::string::npos);
  EXPECT_NE(refusal("[1, 2]").find("no \"quillaneProject\" key"), std::string::npos);
}

class JsonRestoreFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("quillane-json-restore-" + std::to_string(::getpid()));
    fs::remove_all(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  fs::path dir_;
};

TEST_F(JsonRestoreFolder, WritesAWholeProjectAndRemovesMapsTheDocumentNoLongerHolds) {
  EXPECT_FALSE(holdsProject(dir_));
  auto project = testing::projectAt(data::testing::richDatabase(), 340, false, 9);
  data::RandomSource random(6);
  data::BackupState backup;
  ASSERT_EQ(writeProject(dir_, projectFiles(project->dump(), "pass", random), backup), std::nullopt);
  EXPECT_TRUE(holdsProject(dir_));
  EXPECT_FALSE(backup.taken);  // nothing was there to keep

  FolderMaps maps(dir_);
  EXPECT_EQ(maps.numbers(), (std::vector<int>{0, 9}));
  data::ProjectDatabase db;
  data::loadAll(dir_, db, random);
  EXPECT_EQ(dumpProject(db, maps), project->dump());

  // Written over with a document that no longer holds map 9: its files go, the old data
  // files are kept in DATBK first.
  project->maps.files.erase(9);
  ASSERT_EQ(writeProject(dir_, projectFiles(project->dump(), "pass", random), backup), std::nullopt);
  EXPECT_TRUE(backup.taken);
  EXPECT_EQ(maps.numbers(), (std::vector<int>{0}));
  EXPECT_TRUE(files::findExisting(dir_, "DATBK\\BZENM009.DAT").has_value());
  data::loadAll(dir_, db, random);
  EXPECT_EQ(dumpProject(db, maps), project->dump());
}

}  // namespace
}  // namespace quillane::json
