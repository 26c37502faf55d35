#include "core/editors/growth.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace quillane::editors {

namespace {

std::size_t at(int i) { return static_cast<std::size_t>(i); }

// The column of a real-valued stat (experience is the int32 column).
data::Grid<float>& realColumn(data::LevelTable& t, Stat stat) {
  switch (stat) {
    case Stat::Hp: return t.hpGain;
    case Stat::Mp: return t.mpGain;
    case Stat::Attack: return t.attackGain;
    case Stat::Defence: return t.defenceGain;
    case Stat::MagicDefence: return t.magicDefenceGain;
    case Stat::Hit: return t.hitGain;
    case Stat::Speed: return t.speedGain;
    case Stat::Experience: break;
  }
  return t.hpGain;
}

std::int32_t toInt32(double v) {
  v = roundWhole(v);
  if (!(v >= -2147483648.0)) return std::numeric_limits<std::int32_t>::min();
  if (v > 2147483647.0) return std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(v);
}

void store(data::LevelTable& t, int player, Stat stat, int step, double v) {
  if (stat == Stat::Experience) {
    auto c = t.experience[at(player)];
    if (step < static_cast<int>(c.size())) c[at(step)] = toInt32(v);
  } else {
    auto c = realColumn(t, stat)[at(player)];
    if (step < static_cast<int>(c.size())) c[at(step)] = static_cast<float>(v);
  }
}

// A coordinate cut to an integer, kept in a range that an int and a painter can hold.
int cut(double v) {
  if (!(v > -1e6)) return -1000000;
  if (v > 1e6) return 1000000;
  return static_cast<int>(v);
}

}  // namespace

GrowthSteps growthSteps(float storedLevel, int levels) {
  GrowthSteps s;
  s.levels = std::max(levels, 1);
  double l = std::isfinite(storedLevel) ? std::floor(storedLevel) : 1.0;
  s.startLevel = static_cast<int>(std::clamp(l, 1.0, static_cast<double>(s.levels)));
  return s;
}

double roundWhole(double v) { return std::round(v); }

double baseValue(const data::PlayerTable& p, int player, Stat stat) {
  const std::size_t i = at(player);
  switch (stat) {
    case Stat::Hp: return p.maxHp[i];
    case Stat::Mp: return p.maxMp[i];
    case Stat::Attack: return p.attack[i];
    case Stat::Defence: return p.defence[i];
    case Stat::MagicDefence: return p.magicDefence[i];
    case Stat::Hit: return p.hitRate[i];
    case Stat::Speed: return p.speed[i];
    case Stat::Experience: return p.nextExperience[i];
  }
  return 0;
}

std::vector<double> storedIncrements(const data::LevelTable& t, int player, Stat stat, int steps) {
  std::vector<double> w(at(std::max(steps, 0)), 0.0);
  if (stat == Stat::Experience) {
    const auto c = t.experience[at(player)];
    for (std::size_t i = 0; i < w.size() && i < c.size(); ++i) w[i] = c[i];
  } else {
    const auto c = realColumn(const_cast<data::LevelTable&>(t), stat)[at(player)];
    for (std::size_t i = 0; i < w.size() && i < c.size(); ++i) w[i] = c[i];
  }
  return w;
}

GrowthSummary summarize(double base, const std::vector<double>& w, GrowthSteps steps) {
  GrowthSummary s;
  double run = roundWhole(base);
  double peak = run;
  for (int i = steps.first(); i <= steps.levels - 2; ++i) {
    run = roundWhole(run + w[at(i)]);
    peak = std::max(peak, run);
  }
  s.top = run;
  s.peak = peak;
  return s;
}

void spreadEvenly(std::vector<double>& w, double base, double target, GrowthSteps steps) {
  double sum = 0;
  for (int i = steps.first(); i <= steps.levels - 2; ++i) {
    w[at(i)] = std::floor((target - base - sum) / (steps.levels - 1 - i) + 0.5);
    sum += w[at(i)];
  }
}

void spreadCurve(std::vector<double>& w, double base, double target, GrowthSteps steps, const CurveShape& shape) {
  const int n = steps.count();
  if (n <= 0) return;
  const double span = target - base;
  double before = 0;
  for (int k = 1; k <= n; ++k) {
    // A small margin keeps a sum that is whole in exact arithmetic from flooring one down.
    const double sum = k == n ? span : std::floor(std::pow(static_cast<double>(k) / n, shape.exponent) * span + 1e-9);
    w[at(steps.first() + k - 1)] = sum - before;
    before = sum;
  }
  if (shape.mountain)
    std::reverse(w.begin() + steps.first(), w.begin() + steps.first() + n);
}

double graphYScale(double displayMax) {
  const double v = std::trunc(displayMax);
  return v > 0 ? kGraphHeight / v : 0.0;
}

std::vector<GraphPoint> graphPoints(double base, const std::vector<double>& w, GrowthSteps steps, double displayMax) {
  std::vector<GraphPoint> points;
  const int n = steps.count();
  if (n <= 0) return points;
  const double xs = static_cast<double>(kGraphWidth) / n;
  const double ys = graphYScale(displayMax);
  points.reserve(at(n + 1));
  points.push_back({0, cut(kGraphHeight - ys * base)});
  double v = roundWhole(base);
  for (int i = 0; i < n; ++i) {
    v += w[at(steps.first() + i)];
    points.push_back({cut((i + 1) * xs), cut(kGraphHeight - ys * v)});
  }
  return points;
}

bool dragPoint(std::vector<double>& w, double base, GrowthSteps steps, double displayMax, int x, int y) {
  const int n = steps.count();
  if (n <= 0 || x < 0 || x > kGraphWidth || y < 0 || y > kGraphHeight) return false;
  const double xs = static_cast<double>(kGraphWidth) / n;
  int column = -1;
  for (int i = 0; i < n && column < 0; ++i)
    if (std::floor((i + 1) * xs - xs / 2) <= x && x <= std::floor((i + 1) * xs + xs / 2)) column = i;
  if (column < 0) return false;
  double v = roundWhole(base);
  for (int i = 0; i < column; ++i) v = roundWhole(v + w[at(steps.first() + i)]);
  const double ys = graphYScale(displayMax);
  const double wanted = ys != 0 ? (kGraphHeight - y) / ys : 0.0;
  const int step = steps.first() + column;
  const double next = std::floor(wanted - v);
  if (column + 1 < n) {
    // The point after the dragged one stays where it was.
    const double after = v + w[at(step)] + w[at(step + 1)];
    w[at(step + 1)] = after - (v + next);
  }
  w[at(step)] = next;
  return true;
}

void registerIncrements(data::LevelTable& t, int player, Stat stat, const std::vector<double>& w) {
  for (int i = 0; i < static_cast<int>(w.size()); ++i) store(t, player, stat, i, w[at(i)]);
}

void registerRow(data::LevelTable& t, int player, int step, const std::array<std::optional<double>, kStats>& values,
                 std::optional<int> magic) {
  for (int s = 0; s < kStats; ++s)
    if (values[at(s)]) store(t, player, static_cast<Stat>(s), step, *values[at(s)]);
  auto learned = t.magicLearned[at(player)];
  if (magic && step < static_cast<int>(learned.size())) learned[at(step)] = static_cast<float>(*magic);
}

}  // namespace quillane::editors
