#include "gui/editors/max_values_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/data/text_rules.h"
#include "gui/editors/field_binding.h"
#include "gui/ui/message_box.h"
#include "gui/ui/text_bridge.h"

namespace quillane::gui {

MaxValuesDialog::MaxValuesDialog(data::ProjectDatabase& db, const event::MapEvents* openEvents, QWidget* parent)
    : ui::Form(QStringLiteral("MAXFORM"), QStringLiteral("最大値モード"), kCancel, parent),
      db_(db),
      openEvents_(openEvents) {
  auto* top = new QVBoxLayout(this);
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(10);
  for (int k = 0; k < editors::kMaxValueFields; ++k) {
    const editors::MaxValueField& f = editors::maxValueFields()[static_cast<std::size_t>(k)];
    auto* caption = new QLabel(QString::fromUtf8(f.caption));
    auto* edit = new QLineEdit(QString::number(db.max.*f.count));
    edit->setObjectName(QStringLiteral("EDIT%1").arg(k + 1));
    edit->setAlignment(Qt::AlignRight);
    edit->setFixedWidth(70);
    auto* range = new QLabel(QStringLiteral("（%1～%2）").arg(f.range.lo).arg(f.range.hi));
    grid->addWidget(caption, k, 0);
    grid->addWidget(edit, k, 1);
    grid->addWidget(range, k, 2);
    boxes_[static_cast<std::size_t>(k)] = edit;
  }
  top->addLayout(grid);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  auto* ok = new QPushButton(QStringLiteral("OK"));
  ok->setObjectName(QStringLiteral("BUTTON_OK"));
  auto* cancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"));
  cancel->setObjectName(QStringLiteral("BUTTON_CANCEL"));
  bindButton(ok, kOk);
  bindButton(cancel, kCancel);
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  top->addLayout(buttons);
}

bool MaxValuesDialog::run() {
  bool applied = false;
  for (;;) {
    const int code = waitAction();
    if (code == kCancel) break;
    if (code == kOk && apply()) {
      applied = true;
      break;
    }
  }
  finish();
  return applied;
}

bool MaxValuesDialog::apply() {
  std::array<double, editors::kMaxValueFields> typed{};
  for (int k = 0; k < editors::kMaxValueFields; ++k) {
    typed[static_cast<std::size_t>(k)] = data::parseTypedNumber(typedBytes(boxes_[static_cast<std::size_t>(k)]));
  }
  const data::MaxValues next = editors::clampMaxValues(db_.max, typed);
  if (auto refusal = editors::refuseMaxValues(db_, next, openEvents_)) {
    ui::messageBox(ui::toQString(*refusal), ui::toQString(editors::refuseMaxValuesTitle()), ui::Buttons::Ok,
                   ui::Icon::Exclamation);
    return false;
  }
  editors::applyMaxValues(db_, next);
  return true;
}

}  // namespace quillane::gui
