#pragma once
// The attack-rate mode's screens on the canvas: the small menu of the two presets and
// the chart of the shares. Both are child widgets at fixed places over the map view
// (16-pixel cells) that paint a cached image in the editor's fixed-pitch font.
#include <QImage>
#include <QWidget>
#include <optional>
#include <vector>

#include "core/editors/attack_rates.h"

class QEventLoop;

namespace quillane::app {
struct ModeContext;
class ModeRegistry;
}  // namespace quillane::app

namespace quillane::gui {

inline constexpr int kScreenCell = 16;

// Two entries, "　等　　率" and "　比　　率", 7 × 4 cells; the entry under the pointer is
// highlighted and a click chooses it. Escape, a right click or a click beside the
// entries chooses nothing.
class PresetMenu : public QWidget {
  Q_OBJECT
 public:
  explicit PresetMenu(QWidget* parent = nullptr);
  // Runs until a choice (or none) is made.
  std::optional<editors::AttackPreset> run();
  // Ends a running menu without a choice (the program is ending).
  void cancel();
  int highlighted() const { return highlighted_; }
  // The rectangle of entry 0 or 1, in the menu's coordinates.
  static QRect entryRect(int entry);

 protected:
  void paintEvent(QPaintEvent*) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent*) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void finish(std::optional<editors::AttackPreset> choice);
  int highlighted_ = -1;
  std::optional<editors::AttackPreset> choice_;
  QEventLoop* loop_ = nullptr;
};

// The chart, 28 × 14 cells: one bar per party size 1..n, divided into the members'
// shares, each share labelled with the member number and its cumulative percentage.
class AttackRateChart : public QWidget {
  Q_OBJECT
 public:
  AttackRateChart(const std::vector<std::vector<float>>& rows, int partySizes, QWidget* parent = nullptr);
  const QImage& image() const { return image_; }

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  QImage image_;
};

// Mode 12 ("攻撃受率"): the menu, the preset, the chart until another mode is chosen.
void registerAttackRateMode(app::ModeRegistry& registry);
void runAttackRateMode(app::ModeContext& c);

}  // namespace quillane::gui
