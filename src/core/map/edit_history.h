#pragma once
// The undo history of the open map: every edit since the map was opened, one step
// each, undone and redone one by one. A step is the list of cell patches an edit made
// (a pen stroke collects one patch per stamp) or a change of the map properties. A new
// step drops the steps that were undone (the redo branch). The history belongs to the
// open map: it is cleared whenever the one-step undo buffer is set afresh (a map is
// loaded, created, imported or resized, or the map-chip form changes).
#include <deque>
#include <memory>
#include <optional>
#include <vector>

#include "core/map/cell_patch.h"
#include "core/map/properties_change.h"
#include "core/text/cp932.h"

namespace quillane::map {

enum class EditKind { Pen, SkyPen, Rectangle, Fill, Paste, Swap, Properties };

// The name the menu and tool tips give a step ("塗りつぶし", "貼り付け" ...), CP932.
text::Bytes editName(EditKind kind);

struct EditStep {
  EditKind kind = EditKind::Pen;
  std::vector<CellPatch> patches;
  std::shared_ptr<const PropertiesChange> properties;  // Properties steps only
  bool empty() const { return patches.empty() && !properties; }
  std::size_t bytes() const;
};

// What an undo or redo did: the step's kind, the cells it changed per layer, and whether
// map settings and database entries were put back.
struct HistoryResult {
  EditKind kind = EditKind::Pen;
  LayerChanges cells;
  bool properties = false;
};

class EditHistory {
 public:
  // At least this many steps are kept; older ones go when more are kept and the history
  // holds more than kBudgetBytes, or beyond kMaxSteps.
  static constexpr std::size_t kMinSteps = 200;
  static constexpr std::size_t kMaxSteps = 1000;
  static constexpr std::size_t kBudgetBytes = 32u << 20;

  // A step of its own.
  void add(EditStep step);
  void add(EditKind kind, CellPatch patch);
  // A step that collects patches until it ends (a pen stroke: one step however many
  // stamps). An open step that stays empty is no step.
  void begin(EditKind kind);
  void addToOpen(CellPatch patch);
  void end();
  bool open() const { return open_.has_value(); }

  bool canUndo() const { return cursor_ > 0 || (open_ && !open_->empty()); }
  bool canRedo() const { return !open_ && cursor_ < steps_.size(); }
  // The kind of the step that undo / redo would take back or re-apply.
  std::optional<EditKind> undoKind() const;
  std::optional<EditKind> redoKind() const;

  // Ends an open step, then takes back the last step (undo) or re-applies the next one
  // (redo). Empty when there is none.
  std::optional<HistoryResult> undo(MapDocument& map, data::ProjectDatabase& db);
  std::optional<HistoryResult> redo(MapDocument& map, data::ProjectDatabase& db);

  void clear();
  std::size_t size() const { return steps_.size(); }
  std::size_t position() const { return cursor_; }  // steps that can be undone
  std::size_t bytes() const { return bytes_; }

 private:
  void push(EditStep step);
  void trim();

  std::deque<EditStep> steps_;
  std::size_t cursor_ = 0;  // steps_[0..cursor_) are done, the rest undone
  std::size_t bytes_ = 0;
  std::optional<EditStep> open_;
};

}  // namespace quillane::map
