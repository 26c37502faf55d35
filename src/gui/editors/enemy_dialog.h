#pragma once
// The enemy dialog ("敵モード"): one record of the EnemyTable at a time, with the
// enemy's picture standing on the battle band as the battle screen will show it.
// Every action commits the boxes into the table at once; "ｷｬﾝｾﾙ" restores the copies
// taken on the last (re)entry; "▲"/"▼" return to the caller with the window kept.
#include <filesystem>
#include <vector>

#include "core/data/project_database.h"
#include "core/editors/record_choice.h"
#include "core/editors/record_copies.h"
#include "gui/editors/field_binding.h"
#include "gui/editors/record_form_parts.h"
#include "gui/ui/form.h"

namespace quillane::gui {

class CanvasPreview;

class EnemyDialog : public ui::Form {
  Q_OBJECT
 public:
  enum Action { kGraphicPicked = kRecordOwn };

  EnemyDialog(data::ProjectDatabase& db, std::filesystem::path projectFolder, QWidget* parent = nullptr);

  // Enters the dialog on enemy `record` and runs it until an outcome.
  editors::RecordOutcome run(int record);

  CanvasPreview* preview() const { return preview_; }

 private:
  void build();
  void bind();
  void display();
  bool commit();
  void drawPreview();
  void onMagicPicked(QComboBox* box, int row);

  data::ProjectDatabase& db_;
  std::filesystem::path folder_;
  int record_ = 0;
  editors::RecordCopies<data::EnemyTable> copy_;
  NameList pictures_;
  FieldBinding fields_;
  NameSelectors names_;
  CanvasPreview* preview_ = nullptr;
};

}  // namespace quillane::gui
