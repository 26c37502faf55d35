// The script checker: what it finds in scripts, and what it must leave alone.
#include <gtest/gtest.h>

#include "core/event/script_templates.h"
#include "core/lint/script_checker.h"
#include "core/text/cp932.h"

using namespace quillane;
using lint::FindingKind;

namespace {

lint::Limits smallProject() {
  lint::Limits l;
  l.maps = 10;
  l.lastEvent = 100;
  l.players = 4;
  l.items = 5;
  l.magic = 6;
  l.enemies = 5;
  return l;
}

// One event per script; each script a list of command texts, then the end marker.
event::MapEvents mapWith(const std::vector<std::vector<std::string>>& scripts) {
  event::MapEvents events;
  events.lastNumber = static_cast<int>(scripts.size()) - 1;
  for (std::size_t e = 0; e < scripts.size(); ++e) {
    auto& lines = events.records[e].lines;
    for (std::size_t i = 0; i < scripts[e].size(); ++i) lines[i] = {"", text::sj(scripts[e][i])};
    lines[scripts[e].size()].message = event::kEndMarker;
  }
  return events;
}

std::vector<lint::Finding> check(const std::vector<std::vector<std::string>>& scripts,
                                 lint::Limits limits = smallProject()) {
  std::vector<lint::Finding> out;
  lint::ScriptChecker(limits).checkMap(3, mapWith(scripts), out);
  return out;
}

std::vector<FindingKind> kinds(const std::vector<lint::Finding>& findings) {
  std::vector<FindingKind> k;
  for (const auto& f : findings) k.push_back(f.kind);
  return k;
}

}  // namespace

TEST(CommandForms, ReadFromTheBuiltInReference) {
  const auto& forms = lint::CommandForms::builtIn();
  EXPECT_EQ(forms.size(), 190u);
  const auto* map = forms.find("MAP");
  ASSERT_NE(map, nullptr);
  ASSERT_EQ(map->forms.size(), 1u);
  const auto& args = map->forms[0].args;
  ASSERT_EQ(args.size(), 6u);
  EXPECT_EQ(args[0].kind, lint::ArgKind::Map);
  EXPECT_EQ(args[1].kind, lint::ArgKind::Event);
  EXPECT_EQ(args[2].kind, lint::ArgKind::Free);  // an offset from the event, not an event
  EXPECT_EQ(args[4].kind, lint::ArgKind::Event);
  EXPECT_EQ(forms.find("CKF")->labels, lint::LabelKind::Line);
  EXPECT_EQ(forms.find("MES")->labels, lint::LabelKind::Event);
  EXPECT_EQ(forms.find("FST")->labels, lint::LabelKind::None);  // "*" multiplies there
  const auto* bte = forms.find("BTE");
  ASSERT_EQ(bte->forms.size(), 3u);
  EXPECT_EQ(bte->forms[0].args[1].kind, lint::ArgKind::Enemy);  // "形式1では敵No."
  EXPECT_EQ(bte->forms[1].args[1].kind, lint::ArgKind::Free);
  EXPECT_EQ(forms.find("GXY")->forms[0].args[1].kind, lint::ArgKind::Map);    // a map/event pair
  EXPECT_EQ(forms.find("GXY")->forms[0].args[2].kind, lint::ArgKind::Event);
  EXPECT_TRUE(forms.find("ITS")->forms[0].variadic);
  EXPECT_EQ(forms.find("ITS")->forms[0].restKind, lint::ArgKind::Item);
  EXPECT_EQ(forms.find("END"), forms.find("END"));
  EXPECT_EQ(forms.find("end"), nullptr);
  EXPECT_EQ(forms.find("ENDMES"), nullptr);
}

TEST(ScriptChecker, CommandsOutsideTheSetAndWrongCounts) {
  auto f = check({{"XYZ,1", "ENDMES,1:NEX", "MAP,1,2", "MAP,1,2,0,0,99,1", "NEX,5"}});
  ASSERT_EQ(kinds(f), (std::vector{FindingKind::UnknownCommand, FindingKind::UnknownCommand,
                                   FindingKind::ArgumentCount, FindingKind::ArgumentCount}));
  EXPECT_EQ(f[0].place.line, 0);
  EXPECT_EQ(f[1].command, "ENDMES");
  EXPECT_EQ(lint::formatFinding(f[2]),
            "map 3 event 0 line 2: MAP: 2 arguments fit none of its forms (MAP,n1,n2,c1,c2,c3,c4)");
  EXPECT_EQ(f[3].place.line, 4);
}

TEST(ScriptChecker, CommandsWithSeveralFormsFitAnyOfThem) {
  EXPECT_TRUE(check({{"BF2,ALL", "BF2,0,0,32,32,0,0", "FUL,3", "FUL,RGB,1,2,3", "BTE,2"}}).empty());
  auto f = check({{"BF2,0", "BF2,NONE", "BTE,3"}});
  EXPECT_EQ(kinds(f), (std::vector{FindingKind::ArgumentCount, FindingKind::ArgumentCount,
                                   FindingKind::ArgumentCount}));
}

TEST(ScriptChecker, LabelsOfTheEventAndEventLabelsOfTheMap) {
  // A jump to a label defined later is fine; one defined in another event is not.
  auto f = check({{"JMP,*LATER", "YES,*Y1,2", "NEX", "LBL,LATER", "LBL,Y1:MES,*BOSS"},
                  {"JMP,*LATER", "GSB,*NOWHERE", "XYZ"},
                  {"ELB,BOSS:JMP,3"}});
  // In script order, whatever the kind.
  ASSERT_EQ(kinds(f), (std::vector{FindingKind::MissingLabel, FindingKind::MissingEventLabel,
                                   FindingKind::UnknownCommand}));
  EXPECT_EQ(lint::formatFinding(f[0]),
            "map 3 event 1 line 0: JMP: label *LATER is defined nowhere in this event");
  EXPECT_EQ(f[1].place.event, 1);
  EXPECT_EQ(f[1].place.line, 1);
}

TEST(ScriptChecker, NumbersAtAndBeyondTheTables) {
  EXPECT_TRUE(check({{"MAP,9,100,0,0,99,1", "ITP,4,0", "MGT,3,5", "BTL,4,0", "CKH,99,0", "CHR,98",
                      "ESW,-1", "FST,9,100,+1", "BTL,S,2,0,4,0", "ITS,2,0,4", "HPD,3,10"}})
                  .empty());
  auto f = check({{"MAP,10,0,0,0,99,1", "ITP,5,0", "MGT,3,6", "BTL,5,0", "HPD,4,10", "ESW,101",
                   "BTL,S,2,1,7,0", "ITS,2,1,9", "FST,9,-2,3"}});
  ASSERT_EQ(f.size(), 9u);
  for (const auto& x : f) EXPECT_EQ(x.kind, FindingKind::BeyondTable) << lint::formatFinding(x);
  EXPECT_EQ(f[0].message, "map 10 is beyond the project's maps (0..9)");
  EXPECT_EQ(f[2].message, "magic 6 is beyond the project's magic (0..5)");
  EXPECT_EQ(f[6].message, "enemy 7 is beyond the project's enemies (0..4)");
  EXPECT_EQ(f[7].message, "item 9 is beyond the project's items (0..4)");
  // Numbers that are no plain whole number (a sign prefix that adds, text) are left alone.
  EXPECT_TRUE(check({{"EXU,1,+100", "MAP,C,0,0,0,99,1"}}).empty());
}

TEST(ScriptChecker, TableEndsComeFromTheProjectsMaxima) {
  data::MaxValues max;
  max.maps = 3, max.events = 30, max.players = 2, max.itemKinds = 7, max.magicKinds = 1, max.enemyKinds = 4;
  const lint::Limits limits = lint::Limits::of(max);
  EXPECT_TRUE(check({{"MAP,2,30,0,0,99,1", "HPD,1,10", "ITP,6,0", "MGT,1,0", "BTL,3,0"}}, limits).empty());
  auto f = check({{"MAP,3,31,0,0,99,1", "HPD,2,10", "ITP,7,0", "MGT,1,1", "BTL,4,0"}}, limits);
  ASSERT_EQ(f.size(), 6u);
  EXPECT_EQ(f[0].message, "map 3 is beyond the project's maps (0..2)");
  EXPECT_EQ(f[1].message, "event 31 is beyond the project's events (0..30)");
  EXPECT_EQ(f[2].message, "player 2 is beyond the project's players (0..1)");
  EXPECT_EQ(f[5].message, "enemy 4 is beyond the project's enemies (0..3)");
  // More events than a map can hold: the event numbers still end at 100.
  max.events = 250;
  EXPECT_EQ(lint::Limits::of(max).lastEvent, 100);
}

TEST(ScriptChecker, EndMarkerAndLinesAfterIt) {
  event::MapEvents events = mapWith({{"NEX"}});
  events.records[0].lines[3].command = "XYZ";  // after the end marker: not part of the script
  std::vector<lint::Finding> out;
  lint::ScriptChecker(smallProject()).checkMap(0, events, out);
  EXPECT_TRUE(out.empty());

  events.records[0].lines[1].message.clear();  // the end marker is gone
  lint::ScriptChecker(smallProject()).checkMap(0, events, out);
  ASSERT_EQ(kinds(out), (std::vector{FindingKind::NoEndMarker, FindingKind::UnknownCommand}));
  EXPECT_EQ(lint::formatFinding(out[0]), "map 0 event 0: the script has no end marker (a line \"99\")");
}

TEST(ScriptChecker, TemplatesAndOpeningScripts) {
  using event::ScriptTemplate;
  for (ScriptTemplate t : {ScriptTemplate::Shop, ScriptTemplate::Inn, ScriptTemplate::ItemChest,
                           ScriptTemplate::MoneyChest, ScriptTemplate::MapMove, ScriptTemplate::Church,
                           ScriptTemplate::Clear}) {
    std::vector<event::ScriptLine> lines = event::templateLines(t);
    lines.push_back({event::kEndMarker, ""});
    std::vector<lint::Finding> out;
    lint::ScriptChecker(smallProject()).checkScript(lint::Place::Script::Opening, lines, out);
    for (const auto& f : out) ADD_FAILURE() << static_cast<int>(t) << ": " << lint::formatFinding(f);
  }
  std::vector<event::ScriptLine> opening = {{"", "MES,*NONE"}, {event::kEndMarker, ""}};
  std::vector<lint::Finding> out;
  lint::ScriptChecker(smallProject()).checkScript(lint::Place::Script::Ending, opening, out);
  ASSERT_EQ(out.size(), 1u);
  EXPECT_EQ(lint::formatFinding(out[0]), "ending line 0: MES: event label *NONE is defined by no event of this script");
}
