#pragma once
// "インポート": reads another project into tables of its own and copies chosen records
// (players with their growth, enemies, items with their arms records, magic,
// attributes) or a whole map into the open project. The other project is never
// written.
#include <functional>
#include <memory>
#include <optional>

#include "core/tools/import_records.h"
#include "core/tools/source_project.h"
#include "gui/ui/form.h"

class QComboBox;
class QLineEdit;
class QListWidget;

namespace quillane::map {
struct MapDocument;
}
namespace quillane::app {
struct Workspace;
}

namespace quillane::gui {

class ImportDialog : public ui::Form {
  Q_OBJECT
 public:
  enum Code { kOk = 1, kKind = 3, kRead = 4, kCopy = 5, kBrowse = 50 };

  // What the dialog does with the open map: ask before replacing a modified one, and
  // make an imported map the open one (the window shows it and resets its map state).
  struct MapHooks {
    std::function<bool()> confirmReplace;
    std::function<void(std::unique_ptr<map::MapDocument>)> install;
  };

  ImportDialog(app::Workspace& ws, MapHooks hooks, QWidget* parent = nullptr);

  // Runs until "OK"; true when a map was imported.
  bool run();
  // Handles one action code; false when it ended the dialog.
  bool handle(int code);

  bool loaded() const { return source_.has_value(); }
  bool mapReplaced() const { return mapReplaced_; }

 private:
  void build();
  void browse();
  void read();
  // Refills both lists; after a copy the rows the user had chosen stay chosen.
  void fillLists(bool keepSelection);
  void copy();
  void copyMap();
  tools::ImportKind kind() const;

  app::Workspace& ws_;
  MapHooks hooks_;
  std::optional<tools::SourceProject> source_;  // the staging tables, while loaded
  bool mapReplaced_ = false;
  int shownKind_ = -1;  // the kind whose records the lists hold

  QLineEdit* folder_ = nullptr;
  QLineEdit* password_ = nullptr;
  QComboBox* kind_ = nullptr;
  QListWidget* sourceList_ = nullptr;
  QListWidget* targetList_ = nullptr;
};

}  // namespace quillane::gui
