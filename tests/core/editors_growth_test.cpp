#include <gtest/gtest.h>

#include <numeric>

#include "core/editors/growth.h"

namespace quillane::editors {
namespace {

using W = std::vector<double>;

const CurveShape& shape(const char* caption) {
  for (const CurveShape& s : kCurveShapes)
    if (std::string(s.caption) == caption) return s;
  throw std::runtime_error("no shape");
}

TEST(Growth, StartingLevelIsClampedForTheStepsOnly) {
  EXPECT_EQ(growthSteps(0, 11).startLevel, 1);
  EXPECT_EQ(growthSteps(-3, 11).startLevel, 1);
  EXPECT_EQ(growthSteps(40, 11).startLevel, 11);
  EXPECT_EQ(growthSteps(40, 11).count(), 0);
  EXPECT_EQ(growthSteps(3, 11).first(), 2);
  EXPECT_EQ(growthSteps(3, 11).count(), 8);
  EXPECT_EQ(growthSteps(1, 0).levels, 1);
}

TEST(Growth, EvenSpreadRoundsEachShareOfTheRestHalfUp) {
  W w(11, 0.0);
  spreadEvenly(w, 10, 110, growthSteps(1, 11));
  EXPECT_EQ(W(w.begin(), w.begin() + 10), W(10, 10.0));
  spreadEvenly(w, 10, 113, growthSteps(1, 11));
  EXPECT_EQ(W(w.begin(), w.begin() + 10), (W{10, 10, 10, 10, 11, 10, 11, 10, 11, 10}));
  EXPECT_EQ(std::accumulate(w.begin(), w.end(), 0.0), 103);
  EXPECT_EQ(w[10], 0);  // the step beyond the top level is not touched
}

TEST(Growth, CurveShapesFollowTheWorkedExampleAndEndAtTheTarget) {
  W w(11, 0.0);
  spreadCurve(w, 10, 110, growthSteps(1, 11), shape("深い谷型"));
  EXPECT_EQ(W(w.begin(), w.begin() + 10), (W{0, 0, 2, 4, 6, 9, 13, 17, 21, 28}));
  spreadCurve(w, 10, 110, growthSteps(1, 11), shape("高い山型"));
  EXPECT_EQ(W(w.begin(), w.begin() + 10), (W{28, 21, 17, 13, 9, 6, 4, 2, 0, 0}));
  // Other counts and exponents still land exactly on the target.
  for (const CurveShape& s : kCurveShapes) {
    W v(99, 5.0);
    spreadCurve(v, 37, 9999, growthSteps(4, 99), s);
    EXPECT_EQ(summarize(37, v, growthSteps(4, 99)).top, 9999) << s.caption;
    EXPECT_EQ(v[2], 5.0) << "a step below the starting level changed";
  }
}

TEST(Growth, NoStepsMeansNothingChangesAndNothingIsDrawn) {
  const GrowthSteps none = growthSteps(11, 11);
  W w(11, 3.0);
  spreadEvenly(w, 10, 500, none);
  spreadCurve(w, 10, 500, none, kCurveShapes[0]);
  EXPECT_EQ(w, W(11, 3.0));
  EXPECT_TRUE(graphPoints(10, w, none, 100).empty());
  EXPECT_FALSE(dragPoint(w, 10, none, 100, 70, 40));
  EXPECT_EQ(summarize(10, w, none).top, 10);
  EXPECT_EQ(summarize(10, w, none).displayMax(), 15);
}

TEST(Growth, SummaryTracksTheRunningValueAndItsPeak) {
  W w{100, 5, -20, 4, 0};  // level 1 start, five levels: steps 0..3 are passed
  GrowthSummary s = summarize(10.4, w, growthSteps(1, 5));
  EXPECT_EQ(s.top, 99);  // 10 + 100 + 5 - 20 + 4
  EXPECT_EQ(s.peak, 115);
  EXPECT_EQ(s.displayMax(), 120);
}

TEST(Growth, GraphPointsAreCutToIntegers) {
  W w{10, 10, 10};
  auto p = graphPoints(20, w, growthSteps(1, 4), 96);  // three steps: x scale 46.67, y scale 1
  ASSERT_EQ(p.size(), 4u);
  EXPECT_EQ(p[0].x, 0);
  EXPECT_EQ(p[0].y, 76);
  EXPECT_EQ(p[1].x, 46);
  EXPECT_EQ(p[1].y, 66);
  EXPECT_EQ(p[3].x, 140);
  EXPECT_EQ(p[3].y, 46);
  // A display maximum of 0 flattens the graph onto the bottom line instead of dividing by 0.
  for (const GraphPoint& q : graphPoints(20, w, growthSteps(1, 4), 0)) EXPECT_EQ(q.y, 96);
}

TEST(Growth, DragKeepsThePointAfterTheDraggedOne) {
  // Start at level 3 of 7: steps 2..5 are passed, four columns of 35 pixels.
  W w{1, 1, 10, 10, 10, 10, 0};
  const GrowthSteps steps = growthSteps(3, 7);
  ASSERT_TRUE(dragPoint(w, 20, steps, 96, 70, 96 - 50));  // column 1 (step 3) to value 50
  EXPECT_EQ(w[3], 20);  // 30 after step 2, up to 50
  EXPECT_EQ(w[4], 0);   // 60 after step 4 as before
  EXPECT_EQ(w[2], 10);
  EXPECT_EQ(w[0], 1);
  // The last column changes only its own increment.
  ASSERT_TRUE(dragPoint(w, 20, steps, 96, 140, 96 - 90));
  EXPECT_EQ(w[5], 40);  // 50 after step 4, up to 90
  EXPECT_EQ(w[6], 0);
  EXPECT_FALSE(dragPoint(w, 20, steps, 96, 141, 10));
  EXPECT_FALSE(dragPoint(w, 20, steps, 96, 10, 10));  // left of the first column
}

TEST(Growth, RegisteringStoresTheWorkingColumnAndSingleRows) {
  data::LevelTable t;
  t.resize(2, 4);
  auto cellsOf = [](auto cells) { return std::vector(cells.begin(), cells.end()); };
  registerIncrements(t, 1, Stat::Experience, {10.5, -2.5, 7, 1e12});
  EXPECT_EQ(cellsOf(t.experience[1]), (std::vector<std::int32_t>{11, -3, 7, 2147483647}));
  registerIncrements(t, 1, Stat::Hit, {1, 2, 3, 4});
  EXPECT_EQ(cellsOf(t.hitGain[1]), (std::vector<float>{1, 2, 3, 4}));
  EXPECT_EQ(cellsOf(t.hitGain[0]), (std::vector<float>{0, 0, 0, 0}));
  std::array<std::optional<double>, kStats> row{};
  row[static_cast<int>(Stat::MagicDefence)] = 9;
  row[static_cast<int>(Stat::Experience)] = 99.6;
  registerRow(t, 1, 2, row, 3);
  EXPECT_EQ(t.magicDefenceGain[1][2], 9);
  EXPECT_EQ(t.experience[1][2], 100);
  EXPECT_EQ(t.hitGain[1][2], 3);  // an empty box leaves its stat
  EXPECT_EQ(t.magicLearned[1][2], 3);
  registerRow(t, 1, 2, {}, std::nullopt);
  EXPECT_EQ(t.magicLearned[1][2], 3);
}

}  // namespace
}  // namespace quillane::editors
