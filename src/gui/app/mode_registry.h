#pragma once
// The modes and map commands that other parts of the editor plug into the main window.
// The main window owns one registry; mode_dispatch.cpp fills it. A mode or command that
// nothing registers keeps its button disabled.
#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <vector>

namespace quillane::gui {
class CanvasHost;
class CanvasTool;
}  // namespace quillane::gui

namespace quillane::app {

struct Workspace;
class MainWindow;

// Whether a map command's button is enabled now, and its tool tip.
struct CommandState {
  bool enabled = true;
  QString toolTip;
};

// What a mode or command receives: the window (for dialog parents and the chooser),
// the shared workspace, and the canvas host.
struct ModeContext {
  MainWindow& window;
  Workspace& workspace;
  gui::CanvasHost& host;
};

class ModeRegistry {
 public:
  using Action = std::function<void(ModeContext&)>;
  using ToolFactory = std::function<std::unique_ptr<gui::CanvasTool>(ModeContext&)>;
  using StateHook = std::function<CommandState()>;

  // A dialog mode (3..16, 18): runs its dialog and returns; the loop then goes to the
  // mode selection.
  void dialogMode(int mode, Action run) { dialogs_[mode] = std::move(run); }
  // The tool of a canvas mode (1, 2, 17): current while the mode is, unless a map
  // command sets another one.
  void canvasTool(int mode, ToolFactory make) { tools_[mode] = std::move(make); }
  // A map command ("1", "COP", "FUL", "PNT", "UND", "PRT", "EVS" ...) taken in the
  // given canvas modes.
  // `state` (optional) says when its button is enabled besides the mode, and its tip.
  void mapCommand(const QString& code, std::set<int> modes, Action run, StateHook state = {}) {
    commands_[code] = Command{std::move(modes), std::move(run), std::move(state)};
  }
  // Called after a map was opened, created, deleted or replaced (the undo buffer and the
  // copy state follow the open map).
  void onMapChanged(Action run) { mapChanged_.push_back(std::move(run)); }

  const Action* dialog(int mode) const {
    auto it = dialogs_.find(mode);
    return it == dialogs_.end() ? nullptr : &it->second;
  }
  const ToolFactory* tool(int mode) const {
    auto it = tools_.find(mode);
    return it == tools_.end() ? nullptr : &it->second;
  }
  const Action* command(const QString& code, int mode) const {
    auto it = commands_.find(code);
    if (it == commands_.end() || !it->second.modes.count(mode)) return nullptr;
    return &it->second.run;
  }
  bool hasCommand(const QString& code) const { return commands_.count(code) != 0; }
  // The command's own state; enabled with no tip when it has none.
  CommandState commandState(const QString& code) const {
    auto it = commands_.find(code);
    return it == commands_.end() || !it->second.state ? CommandState{} : it->second.state();
  }
  const std::vector<Action>& mapChangedActions() const { return mapChanged_; }

 private:
  struct Command {
    std::set<int> modes;
    Action run;
    StateHook state;
  };
  std::map<int, Action> dialogs_;
  std::map<int, ToolFactory> tools_;
  std::map<QString, Command> commands_;
  std::vector<Action> mapChanged_;
};

// Fills the registry with every mode and command the editor has (mode_dispatch.cpp).
void registerModes(ModeRegistry& registry);

}  // namespace quillane::app
