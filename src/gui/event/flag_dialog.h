#pragma once
// FORM12 "フラグモード": the flag table of the open map. The entry list (LIST9) with
// the three condition slots of the chosen entry, the step list (LIST8) with the boxes
// of the chosen step. Every edit goes through FlagTableEditor; the dialog shows its
// state again after each action.
#include <array>
#include <vector>

#include "core/event/flag_event_source.h"
#include "core/event/flag_table_editor.h"
#include "gui/event/flag_map_picker.h"
#include "gui/ui/form.h"

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace quillane::gui {

class FlagDialog : public ui::Form {
  Q_OBJECT
 public:
  enum Code {
    kOk = 1,
    kCancel = 2,
    kClearAll = 3,
    kClose = 4,  // Escape or the title bar: asks first when something was edited
    kChooseEntry = 10,
    kEntryUp = 11,
    kEntryDown = 12,
    kDeleteEntry = 13,
    kCondition = 20,  // 20 + slot × 4 + box (map, event, operator, line)
    kChooseStep = 40,
    kStepUp = 41,
    kStepDown = 42,
    kDeleteStep = 43,
    kStepKind = 50,
    kStepBox1 = 51,
    kStepBox2 = 52,
    kStepBox3 = 53,
  };

  // Opens on `table` (the backup is taken here). Without a picker the kinds that are
  // placed on the map ("C", "E") cannot be chosen.
  FlagDialog(std::vector<event::FlagEntry>& table, event::FlagEventSource& source, bool splitChips,
             FlagMapPicker* picker, QWidget* parent = nullptr);

  // Runs until "OK" or "ｷｬﾝｾﾙ"; true when the table was kept as edited.
  bool run();
  // Handles one action code; false when it ended the dialog.
  bool handle(int code);

  const event::FlagTableEditor& editor() const { return editor_; }

 private:
  void build();
  // A list with its "順序入替" ▲ ▼ buttons and its delete button below it.
  struct ListNames {
    QString list, up, down, remove, removeCaption;
  };
  QListWidget* addListBlock(QGridLayout* layout, int columns, const ListNames& names, int upCode, int downCode,
                            int deleteCode);
  QComboBox* addBox(const QString& name, int minimumCharacters, int code);
  void refreshAll();
  void fillEntries();
  void showConditions();
  void fillSteps();
  void showStep();
  void handleCondition(int slot, int box);
  void handleStepKind();
  void handleStepBox(int box);
  void report(event::FlagEdit result);

  event::FlagTableEditor editor_;
  event::FlagEventSource& source_;
  bool splitChips_;
  FlagMapPicker* picker_;
  bool refreshing_ = false;
  bool accepted_ = false;

  QListWidget* entries_ = nullptr;  // LIST9
  QListWidget* steps_ = nullptr;    // LIST8
  std::array<std::array<QComboBox*, 4>, 3> slots_{};  // COMBO30..COMBO41
  QComboBox* kind_ = nullptr;       // COMBO42
  std::array<QComboBox*, 3> boxes_{};  // COMBO43..COMBO45
  QLineEdit* pickEdit_ = nullptr;   // EDIT101
  std::array<QLabel*, 4> labels_{};    // TEXT138..TEXT141
};

}  // namespace quillane::gui
