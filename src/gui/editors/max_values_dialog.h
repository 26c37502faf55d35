#pragma once
// "最大値モード": the eleven table sizes with their ranges. Nothing changes before "OK";
// "OK" clamps every box, refuses a shrink that would cut what is in use (the dialog
// stays open), and then grows or shrinks the tables.
#include <array>

#include "core/data/project_database.h"
#include "core/editors/max_values.h"
#include "gui/ui/form.h"

class QLineEdit;

namespace quillane::gui {

class MaxValuesDialog : public ui::Form {
  Q_OBJECT
 public:
  enum Code { kOk = 1, kCancel = 2 };
  // `openEvents`: the events of the open map (null when none is open).
  MaxValuesDialog(data::ProjectDatabase& db, const event::MapEvents* openEvents, QWidget* parent = nullptr);

  // Runs until the sizes are applied ("OK") or "ｷｬﾝｾﾙ"; true when applied.
  bool run();
  QLineEdit* box(int field) const { return boxes_[static_cast<std::size_t>(field)]; }

 private:
  bool apply();

  data::ProjectDatabase& db_;
  const event::MapEvents* openEvents_;
  std::array<QLineEdit*, editors::kMaxValueFields> boxes_{};
};

}  // namespace quillane::gui
