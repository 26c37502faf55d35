#include <gtest/gtest.h>

#include <deque>

#include "core/editors/record_choice.h"

namespace quillane::editors {
namespace {

TEST(RecordChoice, LinesNumberFromZeroWithoutBlankAndStopAtTheNamesThereAre) {
  const std::vector<Bytes> names{"A", "", "C"};
  EXPECT_EQ(recordChoiceLines(names, 2), (std::vector<Bytes>{"0:A", "1:"}));
  EXPECT_EQ(recordChoiceLines(names, 9).size(), 3u);
  EXPECT_TRUE(recordChoiceLines(names, -1).empty());
}

// Replays chooser answers and dialog outcomes; records what was preselected and opened.
struct Script {
  std::deque<int> answers;
  std::deque<RecordOutcome> outcomes;
  std::vector<int> preselected, opened;
  void run(int count, int& current) {
    runRecordChoice(
        count, current,
        [&](int pre) {
          preselected.push_back(pre);
          int a = answers.front();
          answers.pop_front();
          return a;
        },
        [&](int record) {
          opened.push_back(record);
          RecordOutcome o = outcomes.front();
          outcomes.pop_front();
          return o;
        });
  }
};

TEST(RecordChoice, PreviousAndNextStayInRangeAndTheListComesBackAfterOkOrCancel) {
  Script s;
  s.answers = {1, 3, 0};  // record 0, then record 2, then cancel
  s.outcomes = {RecordOutcome::Previous, RecordOutcome::Next, RecordOutcome::Confirmed,
                RecordOutcome::Next, RecordOutcome::Cancelled};
  int current = 1;
  s.run(3, current);
  EXPECT_EQ(s.opened, (std::vector<int>{0, 0, 1, 2, 2}));  // no wrap at either end
  // The list was shown three times; the record last opened is preselected again.
  EXPECT_EQ(s.preselected, (std::vector<int>{2, 2, 3}));
  EXPECT_EQ(current, 2);
  EXPECT_TRUE(s.answers.empty());
}

TEST(RecordChoice, AnEmptyTableOrAPositionOutsideTheListOpensNothing) {
  Script s;
  int current = 5;
  s.run(0, current);
  EXPECT_TRUE(s.preselected.empty());
  s.answers = {7};
  s.run(3, current);
  EXPECT_EQ(s.preselected, (std::vector<int>{3}));  // a stale current is brought into range
  EXPECT_TRUE(s.opened.empty());
}

}  // namespace
}  // namespace quillane::editors
