#pragma once
// "初期値モード": how a new game starts, the presentation settings, the passwords and the
// system and settings menus. The dialog edits a copy of the initial values and the two
// passwords; "OK" stores them, "ｷｬﾝｾﾙ" (or closing) leaves the project as it was.
// Choosing "指定位置" while the open map is the first map hides the dialog so that the
// start cell is clicked on the map.
#include <QString>
#include <array>
#include <map>
#include <optional>

#include "core/data/project_database.h"
#include "core/editors/initial_values.h"
#include "core/event/flag_event_source.h"
#include "gui/event/flag_map_picker.h"
#include "gui/ui/form.h"

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QListWidget;

namespace quillane::gui {

struct InitialValuesOutcome {
  bool accepted = false;
  bool changed = false;                  // anything of the project differs
  bool editingPasswordChanged = false;
  bool lookChanged = false;              // map-chip form, character size or transparent colour
  text::Bytes editingPassword;           // the editing password after "OK"
};

class InitialValuesDialog : public ui::Form {
  Q_OBJECT
 public:
  enum Code {
    kOk = 1,
    kCancel = 2,
    kFirstMap = 3,
    kPosition = 4,
    kColourBrowse = 5,
    kColourTyped = 6,
    kMenuAction = 10,  // 10 + menu × 4 + (0 "≫", 1 "≪", 2 "▲", 3 "▼")
  };

  // `source` lists the maps and the events of any map (the open map's from memory);
  // `openMap` is the open map's number (-1: none). Without a picker the start position
  // is always typed.
  InitialValuesDialog(data::ProjectDatabase& db, event::FlagEventSource& source, FlagMapPicker* picker,
                      QWidget* parent = nullptr);

  // Runs until "OK" (with acceptable passwords) or "ｷｬﾝｾﾙ".
  InitialValuesOutcome run();
  bool handle(int code);

  template <class T>
  T* named(const QString& name) const { return findChild<T*>(name); }

 private:
  struct NumberBox {
    QLineEdit* edit;
    float data::InitialValues::*field;
    int shownOffset;  // what is shown = stored + offset ("パーティ人数" shows the party size)
  };
  struct Selector {
    QComboBox* box;
    float data::InitialValues::*field;
    std::span<const editors::Choice> choices;  // empty: the index is the stored value
    bool touched = false;
  };
  struct RadioGroup {
    QButtonGroup* group;
    float data::InitialValues::*field;
    std::span<const editors::Choice> choices;
  };

  // initial_values_layout.cpp
  void build();
  QWidget* buildStartGroup();
  QWidget* buildLookGroup();
  QWidget* buildMenuGroup(int menu);
  QLineEdit* addNumber(QGridLayout* grid, int row, int column, const QString& caption, const QString& name,
                       float data::InitialValues::*field, int shownOffset = 0);
  QLineEdit* addText(QGridLayout* grid, int row, const QString& caption, const QString& name);
  QComboBox* addSelector(QGridLayout* grid, int row, int column, const QString& caption, const QString& name,
                         float data::InitialValues::*field, std::span<const editors::Choice> choices,
                         int plainValues = 0);
  QButtonGroup* addRadios(QGridLayout* grid, int row, const QString& caption, const QString& name,
                          float data::InitialValues::*field, std::span<const editors::Choice> choices);

  void display();
  void fillStartEvents();
  void showPosition();
  void showColour();
  void fillMenu(int menu, int select = -1);
  bool commit();  // false when a password was refused (a message was shown)
  void handleFirstMap();
  void handlePosition();
  void handleColourBrowse();
  void handleMenu(int menu, int action);
  editors::MenuPlaces menuPlaces(int menu);

  data::ProjectDatabase& db_;
  event::FlagEventSource& source_;
  FlagMapPicker* picker_;
  data::InitialValues iv_;
  text::Bytes gamePassword_;
  text::Bytes editingPassword_;

  std::vector<NumberBox> numbers_;
  std::vector<Selector> selectors_;
  std::vector<RadioGroup> radios_;
  QLineEdit* title_ = nullptr;
  QLineEdit* gamePasswordBox_ = nullptr;
  QLineEdit* editingPasswordBox_ = nullptr;
  QComboBox* firstMap_ = nullptr;
  QComboBox* startEvent_ = nullptr;
  QComboBox* position_ = nullptr;
  QLineEdit* startX_ = nullptr;
  QLineEdit* startY_ = nullptr;
  QButtonGroup* screen_ = nullptr;
  QCheckBox* fullScreen_ = nullptr;
  QLineEdit* colour_ = nullptr;
  QLabel* swatch_ = nullptr;
  std::array<QListWidget*, 2> catalogue_{};
  std::array<QListWidget*, 2> menu_{};
  bool firstMapTouched_ = false;
  bool startEventTouched_ = false;
  int positionShown_ = 0;  // the choice of the position selector as last shown
};

}  // namespace quillane::gui
