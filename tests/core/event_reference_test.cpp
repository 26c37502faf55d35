// The built-in command reference: its shape against the command table, the two blocks
// that are fixed line by line, and the three searches of the script editor.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/event/command_reference.h"
#include "event_command_table.h"

using namespace quillane;
using event::CommandReference;
using text::sj;

namespace {

const std::vector<text::Bytes>& refLines() { return CommandReference::builtIn().lines(); }

std::vector<std::vector<text::Bytes>> blocks() {
  std::vector<std::vector<text::Bytes>> out(1);
  for (const auto& line : refLines()) {
    if (line == std::string(80, '-')) {
      out.emplace_back();
    } else {
      out.back().push_back(line);
    }
  }
  return out;
}

int indexOf(const text::Bytes& line) {
  const auto& lines = refLines();
  for (std::size_t i = 0; i < lines.size(); ++i)
    if (lines[i] == line) return static_cast<int>(i);
  return -1;
}

std::vector<std::string> split(std::string_view s, std::string_view sep) {
  std::vector<std::string> out;
  for (;;) {
    const auto p = s.find(sep);
    out.emplace_back(s.substr(0, p));
    if (p == std::string_view::npos) return out;
    s.remove_prefix(p + sep.size());
  }
}

}  // namespace

TEST(EventReference, ShapeMatchesTheCommandTable) {
  ASSERT_EQ(refLines().size(), 1441u);
  const auto bs = blocks();
  ASSERT_EQ(bs.size(), event_test::kCommandTable.size());
  const std::vector<text::Bytes> prefixes = {sj("形式　"), sj("形式2 "), sj("形式3 "), sj("引数　"),     sj("説明　"),
                                             sj("補足　"), sj("注意　"), sj("初期値　"), sj("使用用途　"), sj("　　　")};
  const text::Bytes formPrefixes[] = {sj("形式　"), sj("形式2 "), sj("形式3 ")};
  for (std::size_t b = 0; b < bs.size(); ++b) {
    const auto& row = event_test::kCommandTable[b];
    std::vector<text::Bytes> forms;
    int descriptions = 0;
    for (const auto& line : bs[b]) {
      bool known = false;
      for (const auto& p : prefixes) known = known || line.rfind(p, 0) == 0;
      EXPECT_TRUE(known) << row.mnemonic << ": " << text::toUtf8(line);
      for (const auto& p : formPrefixes)
        if (line.rfind(p, 0) == 0) forms.push_back(line.substr(p.size()));
      if (line.rfind(sj("説明　"), 0) == 0) ++descriptions;
    }
    EXPECT_EQ(descriptions, 1) << row.mnemonic;
    std::vector<text::Bytes> expected;
    for (const auto& f : split(row.forms, " / ")) expected.push_back(sj(f));
    EXPECT_EQ(forms, expected) << row.mnemonic;
    // The first form line comes first and carries the "形式　" prefix.
    EXPECT_EQ(bs[b].front(), sj("形式　") + expected.front()) << row.mnemonic;
  }
}

TEST(EventReference, MapAndFlagComparisonBlocksAreExact) {
  const std::vector<const char*> map = {
      "形式　MAP,n1,n2,c1,c2,c3,c4", "引数　n1:マップNo.", "　　　n2:イベントNo.",
      "　　　c1:イベントNo.X座標加算値", "　　　c2:イベントNo.Y座標加算値",
      "　　　c3:マップ移動後開始イベントNo.(99:なし)",
      "　　　c4:開始位置区分(0:現在の座標　1:デフォルトイベントNo.位置",
      "　　　　　　　　　　　　2:n2,c1,c2指定イベントNo.位置)",
      "説明　マップNo.n1へ移動する(開始位置区分c4により開始位置が変わる､",
      "　　　0の場合現在の座標のまま､1の場合各マップのデフォルト位置､",
      "　　　2の場合イベントNo.n2のX座標にc1,Y座標にc2を加算した位置)｡", "　　　移動後イベントNo.c3を実行する｡"};
  const std::vector<const char*> ckf = {
      "形式　CKF,n1,n2,n3,n4,c1,c2", "引数　n1:マップNo.", "　　　n2:イベントNo.", "　　　n3:比較値",
      "　　　n4:比較演算子(<,<=,=,>=,>,<>)", "　　　c1:カウンタ加算値1(*ラベル名)",
      "　　　c2:カウンタ加算値2(*ラベル名)", "説明　マップNo.n1のイベントNo.n2のフラグとn3とを比較演算子n4で",
      "　　　比較して合致していればカウンタにc1を加え､合致して",
      "　　　いなければc2を加える、もしくはカウンタをラベルc1,c2位置にする｡"};
  for (const auto* block : {&map, &ckf}) {
    const int start = indexOf(sj((*block)[0]));
    ASSERT_GE(start, 0);
    for (std::size_t k = 0; k < block->size(); ++k)
      EXPECT_EQ(refLines()[start + k], sj((*block)[k])) << (*block)[k];
    EXPECT_EQ(refLines()[start + block->size()], std::string(80, '-'));
  }
}

TEST(EventReference, LoadingStopsAtTheSentinelAndTheCapacity) {
  const CommandReference ref({"a", "b", "END", "c"});
  EXPECT_EQ(ref.lines(), (std::vector<text::Bytes>{"a", "b"}));
  const CommandReference big(std::vector<text::Bytes>(2500, "x"));
  EXPECT_EQ(big.lines().size(), event::kReferenceCapacity);
}

TEST(EventReference, FindCommandMatchesTheWholeMnemonic) {
  const auto& ref = CommandReference::builtIn();
  const int aew = indexOf(sj("形式　AEW"));
  const int glp = indexOf(sj("形式　GLP"));
  ASSERT_EQ(aew, 0);
  EXPECT_EQ(ref.findCommand("glp", 5), glp);
  EXPECT_EQ(ref.findCommand("GL", 5), 5);    // two letters: the key is too short
  EXPECT_EQ(ref.findCommand("GLPX", 5), 5);  // four: too long
  EXPECT_EQ(ref.findCommand("bf2", 0), indexOf(sj("形式　BF2,ALL")));
  EXPECT_EQ(ref.findCommand("ZZZ", 7), 7);
  // The caller tells a find from a miss that left the old position.
  EXPECT_TRUE(ref.isCommandLine(glp, "glp"));
  EXPECT_FALSE(ref.isCommandLine(7, "ZZZ"));
  EXPECT_FALSE(ref.isCommandLine(glp, "GL"));
  EXPECT_TRUE(ref.lineHolds(glp, "GLP"));
  EXPECT_FALSE(ref.lineHolds(glp, "ZZZ"));
  EXPECT_FALSE(ref.lineHolds(-1, "GLP"));
}

TEST(EventReference, NextDescriptionWrapsToTheFirstBlock) {
  const auto& ref = CommandReference::builtIn();
  const int lastDescription = indexOf(sj("説明　VZ2と同じ拡大縮小表示を背景と合成し､ワーク画面を背景にして行う｡"));
  ASSERT_GT(lastDescription, 1400);
  const int first = ref.nextDescription(lastDescription);
  EXPECT_EQ(first, 2);
  EXPECT_EQ(ref.lines()[first].rfind(sj("説明　"), 0), 0u);
  EXPECT_EQ(ref.lines()[0], sj("形式　AEW"));
  // From a form line the next description is the one of the same block.
  EXPECT_EQ(ref.nextDescription(indexOf(sj("形式　GLP"))), indexOf(sj("説明　所持金を表示する｡")));
}

TEST(EventReference, FindTextWalksOnAndLeavesThePositionWhenNothingMatches) {
  const auto& ref = CommandReference::builtIn();
  EXPECT_EQ(ref.findText(sj("存在しない文字列です"), 40), 40);
  const int first = ref.findText(sj("宿屋"), 0);
  ASSERT_GT(first, 0);
  EXPECT_NE(ref.lines()[first].find(sj("宿屋")), std::string::npos);
  const int second = ref.findText(sj("宿屋"), first);
  EXPECT_GT(second, first);
  EXPECT_EQ(ref.findText("", 10), 11);  // an empty text selects the next line

  // Matches count only at character starts: "A" (0x41) is the trail byte of "ア".
  const CommandReference small({sj("ア"), "x", "A"});
  EXPECT_EQ(small.findText("A", 0), 2);
  EXPECT_EQ(small.findText("A", 2), 2);  // wraps round to itself
}

TEST(EventReference, CommandLookupAtTheCaret) {
  const std::string cmd = "BPP,0,11:GLP:YES,*Y1,*Y2";
  for (int caret : {9, 10, 11, 12}) EXPECT_EQ(event::mnemonicAtCaret(cmd, caret), "GLP") << caret;
  EXPECT_EQ(event::mnemonicAtCaret(cmd, 0), "BPP");
  EXPECT_EQ(event::mnemonicAtCaret(cmd, 3), "BPP");
  EXPECT_EQ(event::mnemonicAtCaret(cmd, 14), "YES");
  EXPECT_EQ(event::mnemonicAtCaret("", 0), "");
  // Characters, not bytes: a Japanese argument before the caret is walked whole.
  EXPECT_EQ(event::mnemonicAtCaret(sj("INN,料金:glp"), 9), "glp");
  const auto& ref = CommandReference::builtIn();
  EXPECT_EQ(ref.findCommand(event::mnemonicAtCaret(cmd, 11), 0), indexOf(sj("形式　GLP")));
}
