#pragma once
// The target, power and effect controls of the item and magic dialogs: they show a
// stored effect code and give what a commit composes it from. Picking a target or an
// effect posts the dialog's redisplay code, so the power box follows the new head.
#include <QString>
#include <optional>

#include "core/editors/effect_codes.h"

class QComboBox;
class QGridLayout;
class QLineEdit;

namespace quillane::ui {
class Form;
}

namespace quillane::gui {

class EffectControls {
 public:
  enum class Kind { Item, Magic };
  // Adds "対象", "効力" and "効果" to `grid` from row `row` on.
  EffectControls(ui::Form* form, QGridLayout* grid, int row, Kind kind, int redisplayCode);

  // Shows `code`; `power` is the magic's own power field (items read it from the code).
  void show(const text::Bytes& code, std::optional<float> power = std::nullopt);
  // What the user picked and typed since the last show().
  editors::EffectInput input() const;
  // The typed power, when the box is editable and was edited (magic stores it itself).
  std::optional<float> typedPower() const;

  QComboBox* target() const { return target_; }
  QComboBox* effect() const { return effect_; }
  QLineEdit* power() const { return power_; }

 private:
  Kind kind_;
  QComboBox* target_;
  QLineEdit* power_;
  QComboBox* effect_;
  QString shownPower_;
};

}  // namespace quillane::gui
