// The JSON form of a project: dump -> restore -> dump gives the same document at every
// format version, for both map-chip forms, for double-byte, half-width and odd CP932
// texts and for the largest tables; a small edit is a small diff.
#include <gtest/gtest.h>

#include "core/data/blank_project.h"
#include "core/data/hidden_fields.h"
#include "json_fixtures.h"
#include "maximal_project.h"

namespace quillane::json {
namespace {

using testing::loadFiles;
using testing::projectAt;

data::ProjectDatabase texts(data::ProjectDatabase db) {
  db.players.name[0] = text::sj("アレス");
  db.players.name[1] = text::sj("ｱﾚｽ");              // half-width kana stay half-width
  db.items.text[0][1] = text::sj("傷を治す薬。～①");
  db.items.text[1][0] = std::string("\xED\x40", 2);  // a code CP932 holds twice (NEC-selected IBM)
  db.maps.name[1] = text::sj("城");
  db.magic.text[2][4] = "a,b";                       // commas inside quotes
  return db;
}

int iniVersion(const ProjectFiles& made) {
  for (const auto& t : made.tables)
    if (t.file.relative == "DAT\\bzenINI.DAT") return data::formatVersionOf(t.file.content).version;
  return -1;
}

TEST(JsonDumpRestore, DumpRestoreDumpGivesTheSameDocumentAtEveryVersionAndChipForm) {
  const data::ProjectDatabase rich = texts(data::testing::richDatabase());
  for (int version : {200, 206, 211, 216, 232, 240, 251, 260, 264, 265, 300, 310, 320, 321, 332, 333, 340}) {
    for (bool split : {false, true}) {
      SCOPED_TRACE("version " + std::to_string(version) + (split ? " split" : " standard"));
      auto project = projectAt(rich, version, split, /*extra map beyond the count*/ 7);
      const std::string first = project->dump();
      data::RandomSource random(9);
      ProjectFiles made = projectFiles(first, "pass", random);
      ASSERT_EQ(made.maps.size(), 2u);
      EXPECT_EQ(iniVersion(made), version);
      auto back = loadFiles(made);
      EXPECT_EQ(back->dump(), first);
      EXPECT_TRUE(data::passwordMatches(back->db.hidden, "pass"));
      EXPECT_TRUE(data::checkSumsMatch(back->db.hidden));
    }
  }
}

TEST(JsonDumpRestore, TextsAreReadableJapaneseAndOddBytesTravelAsHex) {
  auto project = projectAt(texts(data::testing::richDatabase()), 340, false);
  const std::string doc = project->dump();
  EXPECT_NE(doc.find("\"name\": \"アレス\""), std::string::npos);
  EXPECT_NE(doc.find("\"name\": \"ｱﾚｽ\""), std::string::npos);
  EXPECT_NE(doc.find("\"description1\": \"傷を治す薬。～①\""), std::string::npos);
  EXPECT_NE(doc.find("\"message\": \"ようこそ、ｷﾙﾚｰﾝへ\""), std::string::npos);
  EXPECT_NE(doc.find("\"name\": {\"cp932\": \"ED40\"}"), std::string::npos);
  EXPECT_NE(doc.find("\"ground\": [\n"), std::string::npos);
  EXPECT_NE(doc.find("\"00 10 20 30\""), std::string::npos);
}

TEST(JsonDumpRestore, ASmallEditIsASmallDiffAndOnlyWhatChanged) {
  auto project = projectAt(data::testing::richDatabase(), 340, true);
  const std::string before = project->dump();
  project->db.items.text[2][0] = text::sj("毒消し");
  const std::string after = project->dump();
  auto lines = [](const std::string& s) {
    std::vector<std::string> out;
    std::size_t at = 0;
    for (std::size_t nl; (nl = s.find('\n', at)) != std::string::npos; at = nl + 1) out.push_back(s.substr(at, nl - at));
    return out;
  };
  auto a = lines(before), b = lines(after);
  ASSERT_EQ(a.size(), b.size());
  int changed = 0;
  for (std::size_t i = 0; i < a.size(); ++i) changed += a[i] != b[i];
  EXPECT_EQ(changed, 1);
  // Fillers and the encodings of hidden values are no part of it: a reload dumps the same.
  data::RandomSource random(1);
  EXPECT_EQ(loadFiles(projectFiles(before, "pass", random))->dump(), before);
}

TEST(JsonDumpRestore, TheLargestTablesTravelWhole) {
  data::ProjectDatabase db = quillane::testing::largestBlankDatabase();
  for (int a = 0; a < data::kMaxAttributes; ++a) db.scenery.attributeName[a] = "attribute" + std::to_string(a);
  for (int k = 0; k < data::kMaxMessages - 1; ++k) db.messages.entries[k][0] = text::sj("伝言") + std::to_string(k);
  db.messages.entries[data::kMaxMessages - 1][0] = "END";
  for (int i = 0; i < 100; ++i) db.opening.lines[i] = {text::sj("行"), "MES,1"};
  db.opening.lines[100].message = event::kEndMarker;
  db.levels.experience[98][998] = 2147483647;
  db.magic.playerSound[998][98] = "last";
  data::installRegistration(db.hidden, {"pw", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}});

  auto project = projectAt(db, 340, false);
  const std::string first = project->dump();
  data::RandomSource random(2);
  auto back = loadFiles(projectFiles(first, "pw", random));
  EXPECT_EQ(back->db.levels.experience[98][998], 2147483647);
  EXPECT_EQ(back->db.messages.endIndex(), data::kMaxMessages - 1);
  EXPECT_EQ(back->db.scenery.lastAttribute(), data::kMaxAttributes - 1);
  EXPECT_EQ(back->dump(), first);
}

}  // namespace
}  // namespace quillane::json
