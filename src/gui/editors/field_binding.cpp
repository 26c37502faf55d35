#include "gui/editors/field_binding.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <algorithm>
#include <memory>

#include "gui/ui/message_box.h"
#include "gui/ui/text_bridge.h"

namespace quillane::gui {

namespace {

// What display() put into a box, kept beside the box's line so that commit can tell
// whether the user changed it.
using Shown = std::shared_ptr<QString>;

void showText(QLineEdit* box, const Shown& shown, const QString& text) {
  box->setText(text);
  *shown = text;
}

bool untouched(const QLineEdit* box, const Shown& shown) { return box->text() == *shown; }

}  // namespace

text::Bytes typedBytes(const QLineEdit* box) { return ui::toBytes(box->text()).value_or(text::Bytes()); }

std::optional<text::Bytes> acceptedText(const QLineEdit* box, data::TextUse use) {
  std::optional<text::Bytes> typed = ui::toBytes(box->text());
  std::optional<text::Bytes> refusal =
      typed ? data::refuseText(*typed, use)
            : std::optional<text::Bytes>(text::sj("この文字は保存できません（Shift-JISにない文字です）"));
  if (!refusal) return typed;
  ui::messageBox(ui::toQString(*refusal), ui::toQString(data::refuseTextTitle()), ui::Buttons::Ok,
                 ui::Icon::Exclamation);
  return std::nullopt;
}

void FieldBinding::add(QWidget* control, std::function<void(int)> show, std::function<bool(int)> store) {
  lines_.push_back(Line{control, std::move(show), std::move(store)});
}

void FieldBinding::number(QLineEdit* box, FieldRef<float> field, NumberRule rule) {
  auto shown = std::make_shared<QString>();
  add(
      box, [box, field, shown](int r) { showText(box, shown, ui::toQString(editors::shownNumber(field(r)))); },
      [box, field, rule, shown](int r) {
        if (untouched(box, shown)) return true;
        const text::Bytes typed = typedBytes(box);
        field(r) = rule == NumberRule::ZeroAsOne ? editors::typedAtLeastOne(typed) : editors::typedNumber(typed);
        return true;
      });
}

void FieldBinding::integer(QLineEdit* box, FieldRef<std::int32_t> field) {
  auto shown = std::make_shared<QString>();
  add(
      box, [box, field, shown](int r) { showText(box, shown, ui::toQString(editors::shownNumber(field(r)))); },
      [box, field, shown](int r) {
        if (!untouched(box, shown)) field(r) = editors::typedInt32(typedBytes(box));
        return true;
      });
}

void FieldBinding::text(QLineEdit* box, FieldRef<text::Bytes> field, TextRule rule, data::TextUse use) {
  auto shown = std::make_shared<QString>();
  add(
      box, [box, field, shown](int r) { showText(box, shown, ui::toQString(field(r))); },
      [box, field, rule, use, shown](int r) {
        if (untouched(box, shown)) return true;
        std::optional<text::Bytes> typed = acceptedText(box, use);
        if (!typed) return false;
        field(r) = rule == TextRule::EvenLength ? editors::evenLengthText(*typed) : *typed;
        showText(box, shown, ui::toQString(field(r)));
        return true;
      });
}

void FieldBinding::selector(QComboBox* box, FieldRef<float> field, editors::IndexRule rule) {
  QObject::connect(box, &QComboBox::activated, box, [this, box](int) {
    if (std::find(changedSelectors_.begin(), changedSelectors_.end(), box) == changedSelectors_.end())
      changedSelectors_.push_back(box);
  });
  add(
      box, [box, field, rule](int r) { box->setCurrentIndex(editors::shownRow(field(r), box->count(), rule)); },
      [this, box, field, rule](int r) {
        if (selectorChanged(box) && box->currentIndex() >= 0) field(r) = editors::storedIndex(box->currentIndex(), rule);
        return true;
      });
}

void FieldBinding::check(QCheckBox* box, FieldRef<float> field) {
  add(
      box, [box, field](int r) { box->setChecked(field(r) != 0); },
      [box, field](int r) {
        // A stored value other than 0 and 1 stays while the box still shows it ticked.
        const bool was = field(r) != 0;
        if (box->isChecked() != was) field(r) = box->isChecked() ? 1.0f : 0.0f;
        return true;
      });
}

void FieldBinding::display(int record) {
  changedSelectors_.clear();
  for (const Line& line : lines_) line.show(record);
}

bool FieldBinding::commit(int record) {
  bool ok = true;
  for (const Line& line : lines_) ok = line.store(record) && ok;
  return ok;
}

bool FieldBinding::selectorChanged(const QComboBox* box) const {
  return std::find(changedSelectors_.begin(), changedSelectors_.end(), box) != changedSelectors_.end();
}

}  // namespace quillane::gui
