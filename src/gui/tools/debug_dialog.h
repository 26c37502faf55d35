#pragma once
// "デバッグモード": sets the flag (a script line number) of any event of any map and
// writes the test-play save file SAV\DATA<n>.DAT from the current tables and flags.
#include <memory>

#include "core/event/flag_event_source.h"
#include "gui/ui/form.h"

class QComboBox;
class QListWidget;

namespace quillane::app {
struct Workspace;
}

namespace quillane::gui {

class DebugDialog : public ui::Form {
  Q_OBJECT
 public:
  enum Code { kOk = 1, kSave = 2, kMap = 3, kEvent = 4, kFlag = 5, kSlot = 6 };

  // Needs an open map: its unsaved scripts are what the list shows for it.
  explicit DebugDialog(app::Workspace& ws, QWidget* parent = nullptr);
  ~DebugDialog() override;

  void run();
  // Handles one action code; false when it ended the dialog.
  bool handle(int code);

 private:
  void build();
  void fillEvents();
  void fillFlags();
  void save();

  app::Workspace& ws_;
  std::unique_ptr<event::FlagEventSource> source_;  // event lists, cached per map
  int event_ = 0;
  bool refreshing_ = false;

  QComboBox* map_ = nullptr;
  QListWidget* events_ = nullptr;
  QComboBox* flag_ = nullptr;
  QComboBox* slot_ = nullptr;
};

}  // namespace quillane::gui
