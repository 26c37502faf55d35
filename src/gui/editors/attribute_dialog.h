#pragma once
// "属性モード": one attribute's name and its rates against every listed attribute.
// Works on the shared SceneryTable; "ｷｬﾝｾﾙ" puts back every name and cell as they
// were when the dialog opened.
#include "core/data/project_database.h"
#include "core/editors/attribute_editing.h"
#include "gui/editors/field_binding.h"
#include "gui/ui/form.h"

class QLineEdit;
class QListWidget;

namespace quillane::gui {

class AttributeDialog : public ui::Form {
  Q_OBJECT
 public:
  enum Code { kOk = 1, kCancel = 2, kDelete = 3, kRedisplay = 4, kRegister = 5, kUnify = 6 };

  AttributeDialog(data::SceneryTable& table, int attribute, QWidget* parent = nullptr);

  // Runs until "OK" or "ｷｬﾝｾﾙ"; true when "OK" kept a table that differs from the one
  // the dialog opened with.
  bool run();
  // Handles one code; false when it ended the dialog.
  bool handle(int code);

 private:
  void build();
  void display();
  bool commitName();
  double typedRate() const;

  data::SceneryTable& table_;
  int attribute_;
  editors::AttributeBackup backup_;
  FieldBinding fields_;  // "属性": the name of the attribute
  bool accepted_ = false;

  QLineEdit* number_ = nullptr;  // "No."
  QLineEdit* name_ = nullptr;    // "属性"
  QListWidget* rates_ = nullptr; // "対属性率"
  QLineEdit* rate_ = nullptr;    // "率"
};

}  // namespace quillane::gui
