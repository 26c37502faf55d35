#include "gui/editors/effect_controls.h"

#include <QComboBox>
#include <QLineEdit>

#include "core/editors/field_conversions.h"
#include "gui/editors/field_binding.h"
#include "gui/editors/record_form_parts.h"
#include "gui/ui/form.h"
#include "gui/ui/text_bridge.h"

namespace quillane::gui {

EffectControls::EffectControls(ui::Form* form, QGridLayout* grid, int row, Kind kind, int redisplayCode)
    : kind_(kind) {
  target_ = addCombo(form, grid, row, 0, QStringLiteral("対象"), QStringLiteral("COMBO_TARGET"), 130);
  power_ = addEdit(form, grid, row + 1, 0, QStringLiteral("効力"), QStringLiteral("EDIT_POWER"), 80);
  effect_ = addCombo(form, grid, row + 2, 0, QStringLiteral("効果"), QStringLiteral("COMBO_EFFECT"), 130);
  fillRows(target_, kind == Kind::Item ? editors::itemTargetRows() : editors::magicTargetRows());
  fillRows(effect_, editors::effectRows());
  // A stored "--" of a magic has no row of its own: the selector shows "なし" until a
  // target is picked.
  target_->setPlaceholderText(QStringLiteral("なし"));
  for (QComboBox* box : {target_, effect_})
    QObject::connect(box, &QComboBox::activated, form, [form, redisplayCode] { form->post(redisplayCode); });
}

void EffectControls::show(const text::Bytes& code, std::optional<float> power) {
  const editors::EffectView view = editors::readEffectCode(code);
  const auto targetRow = kind_ == Kind::Item ? view.itemTargetRow : view.magicTargetRow;
  target_->setCurrentIndex(targetRow.value_or(-1));
  markShown(target_);
  effect_->setCurrentIndex(view.effectRow.value_or(-1));
  markShown(effect_);
  power_->setReadOnly(!view.powerEditable);
  const float shown = power.value_or(view.power);
  shownPower_ = view.powerEditable ? ui::toQString(editors::shownNumber(shown)) : QString();
  power_->setText(shownPower_);
}

editors::EffectInput EffectControls::input() const {
  editors::EffectInput in;
  if (pickedSinceShown(target_)) in.targetRow = target_->currentIndex();
  if (pickedSinceShown(effect_)) in.effectRow = effect_->currentIndex();
  in.power = power_->isReadOnly() ? 0.0 : editors::typedNumber(typedBytes(power_));
  in.powerTyped = !power_->isReadOnly() && power_->text() != shownPower_;
  return in;
}

std::optional<float> EffectControls::typedPower() const {
  if (power_->isReadOnly() || power_->text() == shownPower_) return std::nullopt;
  return editors::typedNumber(typedBytes(power_));
}

}  // namespace quillane::gui
