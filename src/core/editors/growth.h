#pragma once
// The level growth of one player: the eight statistics of the growth editor, their base
// values and increment columns, spreading a target over the level steps (evenly or along
// a curve), the graph of the running value, dragging one point of it, and registering
// the working increments into the LevelTable.
//
// Step i is the rise from level i + 1 to level i + 2 (i = 0 .. levels - 1). A player
// starting at level L0 passes steps L0 - 1 .. levels - 2; the steps below are never
// changed. L0 is the stored level clamped to 1 .. levels (the stored value stays as it is).
#include <array>
#include <optional>
#include <vector>

#include "core/data/project_database.h"

namespace quillane::editors {

// The statistics in the order of the "項目" selector (stat number = index + 1).
enum class Stat { Hp, Mp, Attack, Defence, MagicDefence, Hit, Speed, Experience };
inline constexpr int kStats = 8;
inline constexpr std::array<const char*, kStats> kStatCaptions{"体力", "魔力", "攻撃力", "防御力",
                                                                "魔法防御力", "攻撃命中率", "速さ", "経験値"};

// The curve shapes of "放物線形状": caption, exponent, whether the growth is fast first.
struct CurveShape {
  const char* caption;
  double exponent;
  bool mountain;
};
inline constexpr std::array<CurveShape, 10> kCurveShapes{{
    {"高い山型", 3.0, true},
    {"やや高い山型", 2.8, true},
    {"山型", 2.5, true},
    {"やや低い山型", 2.3, true},
    {"低い山型", 2.0, true},
    {"浅い谷型", 2.0, false},
    {"やや浅い谷型", 2.3, false},
    {"谷型", 2.5, false},
    {"やや深い谷型", 2.8, false},
    {"深い谷型", 3.0, false},
}};

// The span of steps a player passes.
struct GrowthSteps {
  int levels = 1;      // LevelCount
  int startLevel = 1;  // L0, clamped to 1 .. levels
  int first() const { return startLevel - 1; }
  int count() const { return levels - startLevel; }  // number of steps passed (may be 0)
};
GrowthSteps growthSteps(float storedLevel, int levels);

// Rounds half away from zero (the running values and sums are whole numbers).
double roundWhole(double v);

// The player field that is the stat's base value A.
double baseValue(const data::PlayerTable& players, int player, Stat stat);
// The stat's increments of every step of the player.
std::vector<double> storedIncrements(const data::LevelTable& levels, int player, Stat stat, int steps);

// What selecting a stat shows: the running value at the top level ("最高レベル値") and
// the highest running value; "表示最大値" is peak + 5.
struct GrowthSummary {
  double top = 0;
  double peak = 0;
  double displayMax() const { return peak + 5; }
};
GrowthSummary summarize(double base, const std::vector<double>& w, GrowthSteps steps);

// "一定": the remaining difference to `target` spread over the remaining steps, each step
// rounded half up; the last step takes what is left.
void spreadEvenly(std::vector<double>& w, double base, double target, GrowthSteps steps);
// "放物線": the running sum after k of n steps is floor((k / n)^E × (target − base)),
// ending exactly at the target; a mountain shape reverses the increments.
void spreadCurve(std::vector<double>& w, double base, double target, GrowthSteps steps, const CurveShape& shape);

// The graph: 140 × 96 logical pixels; points in the graph's own coordinates.
inline constexpr int kGraphWidth = 140;
inline constexpr int kGraphHeight = 96;
struct GraphPoint {
  int x;
  int y;
};
// The vertical scale for the typed display maximum (0 when it is not positive).
double graphYScale(double displayMax);
// The polyline of the running value: the base first, then one point per step passed.
// Empty when the player passes no step.
std::vector<GraphPoint> graphPoints(double base, const std::vector<double>& w, GrowthSteps steps, double displayMax);

// A press or drag at (x, y) of the graph: the column under x gets the increment that
// puts its point at y, and the step after it gives up the difference so that the point
// after it stays where it was (the last column changes only its own increment).
// Returns false when (x, y) is outside the graph or over no column.
bool dragPoint(std::vector<double>& w, double base, GrowthSteps steps, double displayMax, int x, int y);

// "▲登録": the working increments become the stat's column (experience rounded).
void registerIncrements(data::LevelTable& levels, int player, Stat stat, const std::vector<double>& w);
// "▲登録" of the row editor: the given statistics of step `step` replace the stored
// ones (experience rounded); `magic` (0 = none, k = magic k − 1) replaces the learned
// magic when given.
void registerRow(data::LevelTable& levels, int player, int step,
                 const std::array<std::optional<double>, kStats>& values, std::optional<int> magic);

}  // namespace quillane::editors
