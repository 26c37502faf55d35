#pragma once
// FORM2, the event script editor: the script's lines in LIST21 edited one at a time in
// EDIT20 (message) and EDIT99 (command), skeletons and message sequences inserted at the
// remembered caret, templates, copies from any map's events, the command reference and
// its searches, and the event's character, movement and speed.
#include <QString>
#include <map>
#include <optional>
#include <vector>

#include "core/event/script_editing.h"
#include "core/lint/script_checker.h"
#include "gui/event/script_editor.h"
#include "gui/ui/form.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QTimer;

namespace quillane::ui {
class ElidedLabel;
}

namespace quillane::gui {

class ScriptEditorDialog : public ui::Form {
  Q_OBJECT
 public:
  // Action codes posted by the controls.
  enum Action : int {
    kOk = 1,
    kCancel,
    kDeleteEvent,
    kCopyEvent,
    kAddLine,
    kDeleteLine,
    kCopyLines,
    kSelectLine,
    kStoreBox,
    kMapChosen,
    kEventChosen,
    kLookupCommand,
    kSearch,
    kNextDescription,
    kTextSearch,
    kPickCharacter,
    kShowTerrain,
    kShowCharacters,
    kStoreNext,  // Enter in the message box: store the line, go to the next one
    kClose,      // Escape or the title bar: asks first when something was edited
    kInsertBase = 100,    // + index of the inserted text
    kTemplateBase = 200,  // + event::ScriptTemplate
  };

  // `copy` is edited in place; `eventNumber` is shown in EDIT203 (event mode).
  ScriptEditorDialog(ScriptEditorContext& context, event::EventWorkCopy& copy, ScriptEditorMode mode,
                     int eventNumber);

  // Waits for actions until "OK", "ｷｬﾝｾﾙ" or a confirmed deletion.
  ScriptEditorOutcome run();
  // Handles one action (the pending store of a box first); true when the dialog ends.
  bool handle(int code);

  int currentLine() const { return editing_.current(); }
  int referencePosition() const { return referencePosition_; }
  // Whether the script, the event's fields or the boxes differ from what was opened.
  bool edited() const;
  ScriptEditorOutcome outcome() const { return outcome_; }
  // The checker's findings on the stored lines (the rows they mark).
  const std::vector<lint::Finding>& findings() const { return findings_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void buildControls();                  // script_editor_layout.cpp
  void fillDataLists();                  // script_editor_layout.cpp
  void showValues();
  void refillLines();
  void showLine();
  void selectRow(QListWidget* list, int row);
  bool storeLine();
  bool commitEventFields();
  bool lineShownUnchanged() const;
  void holdForCorrection(QLineEdit* box);
  bool confirmOverwrite(const QString& title);
  void insertText(int index);
  void applyTemplate(int kind);
  void chooseMap();
  void chooseEvent();
  void copyEvent();
  void copyLines();
  void lookupCommand();
  void search(int code);
  void showReferencePosition();
  void pickCharacter();
  void showSheet(bool terrain);
  void drawPreview();
  bool refused(event::EditRefusal refusal);
  // The checker (script_editor_check.cpp): it marks rows and explains the current line,
  // and never refuses or changes anything.
  void recheck();
  void markRows();
  void showStatus();
  const std::vector<event::ScriptLines>& eventsOf(int map);
  const event::ScriptLines* chosenEvent();

  ScriptEditorContext& ctx_;
  event::EventWorkCopy& copy_;
  const event::EventWorkCopy original_;  // what "ｷｬﾝｾﾙ" would go back to
  ScriptEditorMode mode_;
  int eventNumber_;
  event::ScriptEditing editing_;
  ScriptEditorOutcome outcome_ = ScriptEditorOutcome::Cancel;

  int messageCaret_ = 0;
  int commandCaret_ = 0;
  int referencePosition_ = 0;
  int chosenMap_ = -1;
  int selectedRow_ = 0;
  bool storePending_ = false;
  bool updating_ = false;
  bool speedTouched_ = false;
  bool movementTouched_ = false;
  // The command box shows the "END" the editor filled in for an empty command: it is
  // selected on focus and a skeleton replaces it, so typing never glues onto it.
  bool filledEnd_ = false;
  bool movingFocus_ = false;  // the dialog moves the focus itself: no store
  std::map<int, std::vector<event::ScriptLines>> otherMaps_;
  lint::ScriptChecker checker_;
  lint::Place place_;
  std::vector<std::string> otherEventLabels_;  // "ELB" names of the map's other events
  std::vector<lint::Finding> findings_;
  QTimer* typingPause_ = nullptr;  // the typed line is checked once typing pauses

  QLineEdit* number_ = nullptr;     // EDIT203
  QListWidget* lines_ = nullptr;    // LIST21
  ui::ElidedLabel* status_ = nullptr;  // the finding of the current line, under LIST21
  QLineEdit* message_ = nullptr;    // EDIT20
  QLineEdit* command_ = nullptr;    // EDIT99
  QComboBox* movement_ = nullptr;   // COMBO70
  QCheckBox* noWait_ = nullptr;     // CHECK7
  QComboBox* speed_ = nullptr;      // COMBO69
  QLineEdit* character_ = nullptr;  // EDIT202
  QLabel* preview_ = nullptr;
  QLineEdit* searchText_ = nullptr;  // EDIT124
  QLabel* searchNote_ = nullptr;      // "not found" under the searches
  QListWidget* reference_ = nullptr;  // LIST10
  QComboBox* maps_ = nullptr;       // COMBO60
  QListWidget* events_ = nullptr;   // LIST17
  QListWidget* eventLines_ = nullptr;  // LIST23
};

// The texts of the insert buttons, in the order of their action codes: the three
// message sequences ("顔", "字", "変数"), then the command skeletons.
struct InsertButton {
  const char* name;
  const char* caption;
  const char* text;
  bool message;
};
const std::vector<InsertButton>& insertButtons();

}  // namespace quillane::gui
