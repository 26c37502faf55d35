#pragma once
// What the main-window tests share: a scratch folder holding a blank project "proj"
// with password "pw", and a workspace that has loaded it as start-up would.
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>

#include "core/data/blank_project.h"
#include "core/data/load_all.h"
#include "core/data/random_source.h"
#include "gui/app/main_window.h"
#include "gui/app/workspace.h"
#include "gui/ui/message_box.h"
#include "gui/ui/message_panel.h"

namespace quillane::fixture {

// Empties temp/<tag>_<pid> and creates the blank project in it; false when that fails.
inline bool makeScratchProject(std::filesystem::path& dir, const std::string& tag, unsigned seed) {
  dir = std::filesystem::temp_directory_path() / (tag + "_" + std::to_string(::getpid()));
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  data::RandomSource random(seed);
  return !data::createBlankProject(dir / "proj", std::string("pw"), random);
}

// A workspace run from `dir` with `dir`/proj loaded under the password "pw".
inline std::unique_ptr<app::Workspace> loadedWorkspace(const std::filesystem::path& dir) {
  auto ws = std::make_unique<app::Workspace>();
  ws->programDir = dir;
  ws->projectFolder = dir / "proj";
  ws->enteredPassword = "pw";
  data::loadAll(ws->projectFolder, ws->db, ws->random);
  return ws;
}

// A main window on `ws` at zoom 100, shown and started on map 0: the map chooser is
// answered with the first map, then any further chooser (the reference map of a new
// map) is cancelled. Tests set their own chooser hook afterwards.
inline std::unique_ptr<app::MainWindow> windowOnFirstMap(app::Workspace& ws) {
  ws.settings.zoom = 100;
  auto w = std::make_unique<app::MainWindow>(ws);
  int chooser = 0;
  ui::setChooserHook([chooser](const ui::ChooserRequest&) mutable { return ++chooser == 1 ? 1 : 0; });
  w->show();
  w->start();
  return w;
}

// Every Yes/No question is answered Yes and every other box OK.
inline void answerBoxesYes() {
  ui::setBoxHook([](const ui::BoxRequest& r) { return r.buttons == ui::Buttons::YesNo ? ui::Answer::Yes : ui::Answer::Ok; });
}

// The chooser and the boxes are no longer answered by the test.
inline void clearAnswerHooks() {
  ui::setChooserHook({});
  ui::setBoxHook({});
}

// During an on-map pick the message panel leaves the map to the pick: it is hidden, or
// it is the one-line note strip that clicks pass through.
inline bool panelLeavesMapToPick(app::MainWindow& w) {
  const QWidget& panel = w.messagePanel();
  return !panel.isVisible() || (panel.testAttribute(Qt::WA_TransparentForMouseEvents) && panel.height() < 60);
}

}  // namespace quillane::fixture
