#pragma once
// MAINFORM: the map view and palette of the open map, the status fields, the mode and
// map-command buttons, and the command loop. Every button and key posts a command; the
// loop dispatches it (a canvas mode, a dialog mode through the registry, or a map
// command). The list chooser runs modal over it with only "終了" enabled.
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QStringList>
#include <QString>
#include <QWidget>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "gui/app/mode_registry.h"
#include "gui/map/canvas_host.h"
#include "gui/map/canvas_tool.h"
#include "gui/map/map_canvas.h"

class QLineEdit;
class QPushButton;
class QScrollBar;
class QWheelEvent;

namespace quillane::ui {
class KeyPoller;
class MessagePanel;
}  // namespace quillane::ui

namespace quillane::gui {
class MapRuler;
class MapView;
class PaletteView;
}  // namespace quillane::gui

namespace quillane::map {
struct MapDocument;
}

namespace quillane::app {

struct Workspace;

// A mode of the table: number, name shown in EDIT9, button, caption, command.
struct ModeInfo {
  int mode;
  const char* name;
  const char* button;
  const char* caption;
  const char* command;
};
const ModeInfo* modeByCommand(const QString& command);
const ModeInfo* modeByNumber(int mode);

class MainWindow : public QWidget, public gui::CanvasHost {
  Q_OBJECT
 public:
  explicit MainWindow(Workspace& workspace, QWidget* parent = nullptr);
  ~MainWindow() override;

  // After the window is shown: the prompt, the map choice, ground map mode.
  void start();
  // Posts a command; it is dispatched from the event loop. "END" is taken at once even
  // while a command (the list chooser) runs.
  void post(const QString& code);
  // Runs a posted command now (tests and the event loop).
  void dispatch(const QString& code);
  // The list chooser over the map view, modal: 1-based position, 0 = cancel.
  int chooseFromList(const QStringList& prompts, const QStringList& items, int linesPerPage, int preselect = 0);
  bool ending() const { return ending_; }

  ModeRegistry& registry() { return registry_; }
  ui::MessagePanel& messagePanel() { return *panel_; }
  gui::MapView& view() { return *view_; }
  QPushButton* button(const QString& name) const;
  QLineEdit* field(const QString& name) const;
  // Enables the buttons that apply to the current state.
  void updateButtons();
  // Whether a mode can be entered now: its editor exists and, for a canvas mode, a map is open.
  bool modeAvailable(int mode) const;

  // Map choice, creation and deletion (map_choice.cpp).
  void chooseMap();
  bool openOrCreate(int number);
  bool openMap(int number);
  bool createMap(int number);
  void deleteMap();
  // Asks before a modified open map is replaced; true when it may be.
  bool confirmDiscardMap();
  // Makes `doc` the open map with its number, loads its bitmaps and shows it.
  void installMap(std::unique_ptr<map::MapDocument> doc, int number);
  // The "保存" command (save_command.cpp).
  void saveCommand();
  // Quit: question, settings rewrite, end on Yes.
  void quit();

  // CanvasHost
  Workspace& workspace() override { return ws_; }
  gui::MapCanvas& canvas() override { return canvas_; }
  gui::PaletteView& palette() override { return *palette_; }
  int mode() const override { return mode_; }
  void refreshView() override;
  void rebuildCanvas() override;
  void refreshPalette() override;
  void refreshStatus() override;
  void setTool(gui::CanvasTool* tool) override;
  gui::CanvasTool* tool() const override { return tool_; }
  void showMessage(const QString& line) override;
  void markMapModified() override;
  void beginDialogPick(bool terrain) override;  // main_window_pick.cpp
  void endDialogPick() override;
  void showNote(const QString& line, bool transient) override;  // main_window_pick.cpp
  void clearNote() override;
  bool noteShown() const { return noteShown_; }

  void enterMode(int mode);

  // A screen a mode draws over the canvas (the attack-rate chart): shown at `at` in view
  // coordinates above the message panel until another mode is entered. The window owns it.
  void showScreen(QWidget* screen, QPoint at);
  QWidget* screen() const { return screen_; }
  // The map-chip form, the character size or the transparent colour changed: the open
  // map's sheets are loaded again and everything that follows the open map is reset.
  void projectLookChanged();

  // The window's size at start (the map view 480 × 480); it can grow from there, and the
  // map view grows with it (main_window_view.cpp).
  QSize defaultSize() const { return defaultSize_; }

 signals:
  // The user confirmed "終了": the program ends.
  void ended();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void buildControls();  // main_window_layout.cpp
  QPushButton* addButton(const QString& name, const QString& caption, const QString& command, QRect geometry);
  QLineEdit* addField(const QString& name, QRect geometry, const QString& label = {}, int labelWidth = 0);
  void runPosted();
  void enterChooseMode();
  void installMapTool();
  void paletteSourceForMode();
  void syncScrollBars();
  void refreshCursorCell();  // EDIT16 / EDIT17 and the code under the pointer
  QString cellCodeText(int row, int column) const;
  void scrollMap(int dColumn, int dRow);
  void scrollPalette(int dColumn, int dRow);
  void setZoom(double zoom);
  void changeBank(int delta);
  void onViewMouse(int kind, const gui::CanvasPoint& at);
  // The view's share of a larger window, the wheel and zooming around the pointer
  // (main_window_view.cpp).
  void layoutForSize();
  void placeNote();
  bool viewTakesInput() const;
  void onViewWheel(QPoint at, QWheelEvent* event);
  void zoomAround(double zoom, QPoint at);
  void mapChanged();
  // The open map's bitmaps for the current map-chip form and character look, and the
  // canvas on it; returns the load messages.
  QStringList loadMapSheets();
  // Shows the load messages, runs the on-map-changed actions, refreshes status and buttons.
  void followOpenMap(const QStringList& loadMessages);
  void showLoadMessages(const QStringList& messages);
  ModeContext context();

  Workspace& ws_;
  ModeRegistry registry_;
  gui::MapCanvas canvas_;
  gui::MapView* view_ = nullptr;
  gui::PaletteView* palette_ = nullptr;
  ui::MessagePanel* panel_ = nullptr;
  ui::KeyPoller* keys_ = nullptr;
  gui::MapRuler* rulerH_ = nullptr;  // the coordinate ruler below and right of the view
  gui::MapRuler* rulerV_ = nullptr;
  QScrollBar* vscroll1_ = nullptr;
  QScrollBar* hscroll1_ = nullptr;
  QScrollBar* hscroll2_ = nullptr;
  QScrollBar* vscroll2_ = nullptr;
  std::map<QString, QPushButton*> buttons_;      // by object name
  std::map<QString, QString> commandOf_;         // object name -> command
  std::map<QString, QLineEdit*> fields_;

  int mode_ = 0;
  int previousMode_ = 0;
  std::unique_ptr<gui::CanvasTool> modeTool_;
  gui::CanvasTool* tool_ = nullptr;
  bool waitRelease_ = false;
  QPoint mouseAt_{0, 0};    // the last mouse position over the map view (view coordinates)
  int dialogPick_ = 0;      // the canvas mode whose palette a dialog's on-map pick shows (0: none)
  bool dialogPickPanel_ = false;  // the message panel was shown when the pick began
  // The message panel as a one-line note over the bottom of the view, and what it was
  // before the note.
  bool noteShown_ = false;
  bool noteTransient_ = false;
  QRect panelGeometry_;
  QStringList linesBeforeNote_;
  bool panelShownBeforeNote_ = false;
  bool busy_ = false;       // a command is running (nested loops)
  bool choosing_ = false;   // the list chooser is shown
  bool ending_ = false;
  QPointer<QWidget> screen_;
  QSize defaultSize_;
  // Every control's place at the default size; a larger window moves them from there.
  std::vector<std::pair<QWidget*, QRect>> defaultGeometry_;
  QPoint wheelRest_;        // wheel turns not yet taken (a fine wheel sends parts of a notch)
  QString pending_;
  bool scheduled_ = false;
};

}  // namespace quillane::app
