#include "core/map/edit_history.h"

namespace quillane::map {

text::Bytes editName(EditKind kind) {
  switch (kind) {
    case EditKind::Pen: return text::sj("ペン");
    case EditKind::SkyPen: return text::sj("ペン（上空）");
    case EditKind::Rectangle: return text::sj("四角");
    case EditKind::Fill: return text::sj("塗りつぶし");
    case EditKind::Paste: return text::sj("貼り付け");
    case EditKind::Swap: return text::sj("取消");
    case EditKind::Properties: return text::sj("マップ設定");
  }
  return {};
}

std::size_t EditStep::bytes() const {
  std::size_t n = sizeof(EditStep) + patches.capacity() * sizeof(CellPatch);
  for (const CellPatch& p : patches) n += p.bytes() - sizeof(CellPatch);
  if (properties) n += properties->bytes();
  return n;
}

void EditHistory::add(EditStep step) {
  end();
  if (!step.empty()) push(std::move(step));
}

void EditHistory::add(EditKind kind, CellPatch patch) {
  if (patch.empty()) return;
  EditStep step;
  step.kind = kind;
  step.patches.push_back(std::move(patch));
  add(std::move(step));
}

void EditHistory::begin(EditKind kind) {
  end();
  open_ = EditStep{};
  open_->kind = kind;
}

void EditHistory::addToOpen(CellPatch patch) {
  if (patch.empty()) return;
  if (!open_) {
    add(EditKind::Pen, std::move(patch));
    return;
  }
  open_->patches.push_back(std::move(patch));
}

void EditHistory::end() {
  if (!open_) return;
  EditStep step = std::move(*open_);
  open_.reset();
  if (!step.empty()) push(std::move(step));
}

void EditHistory::push(EditStep step) {
  // A new edit drops the redo branch.
  while (steps_.size() > cursor_) {
    bytes_ -= steps_.back().bytes();
    steps_.pop_back();
  }
  step.patches.shrink_to_fit();
  bytes_ += step.bytes();
  steps_.push_back(std::move(step));
  cursor_ = steps_.size();
  trim();
}

void EditHistory::trim() {
  while (steps_.size() > kMaxSteps || (steps_.size() > kMinSteps && bytes_ > kBudgetBytes)) {
    bytes_ -= steps_.front().bytes();
    steps_.pop_front();
    --cursor_;
  }
}

std::optional<EditKind> EditHistory::undoKind() const {
  if (open_ && !open_->empty()) return open_->kind;
  if (cursor_ == 0) return std::nullopt;
  return steps_[cursor_ - 1].kind;
}

std::optional<EditKind> EditHistory::redoKind() const {
  if (!canRedo()) return std::nullopt;
  return steps_[cursor_].kind;
}

std::optional<HistoryResult> EditHistory::undo(MapDocument& map, data::ProjectDatabase& db) {
  end();
  if (cursor_ == 0) return std::nullopt;
  const EditStep& step = steps_[--cursor_];
  HistoryResult result;
  result.kind = step.kind;
  // Later patches were made on top of earlier ones: take them back last to first.
  for (auto it = step.patches.rbegin(); it != step.patches.rend(); ++it)
    result.cells.add(it->layer(), it->applyBefore(it->layer() == LayerKind::Sky ? map.sky : map.ground));
  if (step.properties) {
    LayerChanges cells = step.properties->undo(map, db);
    result.cells.add(LayerKind::Ground, cells.ground);
    result.cells.add(LayerKind::Sky, cells.sky);
    result.properties = true;
  }
  map.modified = true;
  return result;
}

std::optional<HistoryResult> EditHistory::redo(MapDocument& map, data::ProjectDatabase& db) {
  end();
  if (cursor_ >= steps_.size()) return std::nullopt;
  const EditStep& step = steps_[cursor_++];
  HistoryResult result;
  result.kind = step.kind;
  if (step.properties) {
    LayerChanges cells = step.properties->redo(map, db);
    result.cells.add(LayerKind::Ground, cells.ground);
    result.cells.add(LayerKind::Sky, cells.sky);
    result.properties = true;
  }
  for (const CellPatch& patch : step.patches)
    result.cells.add(patch.layer(), patch.applyAfter(patch.layer() == LayerKind::Sky ? map.sky : map.ground));
  map.modified = true;
  return result;
}

void EditHistory::clear() {
  steps_.clear();
  cursor_ = 0;
  bytes_ = 0;
  open_.reset();
}

}  // namespace quillane::map
