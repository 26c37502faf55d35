#include "core/event/flag_table_editor.h"

#include <algorithm>
#include <utility>

#include "core/event/event_codes.h"

namespace quillane::event {

namespace {

constexpr int kSlots = 3;

// A condition slot as it is created by choosing a map for it.
FlagCondition newCondition(int map) {
  FlagCondition c;
  c.map = map;
  c.event = 0;
  c.op = "=";
  c.line = 0;
  return c;
}

FlagAction blankStep(const Bytes& kind) {
  FlagAction a;
  a.kind = kind;
  return a;
}

}  // namespace

FlagTableEditor::FlagTableEditor(std::vector<FlagEntry>& table) : table_(table), backup_(table) {
  if (!table_.empty()) {
    entry_ = 0;
    step_ = table_[0].steps.empty() ? -1 : 0;
  }
}

const FlagEntry* FlagTableEditor::entry() const {
  if (entry_ < 0 || entry_ >= static_cast<int>(table_.size())) return nullptr;
  return &table_[static_cast<std::size_t>(entry_)];
}

const FlagAction* FlagTableEditor::step() const {
  const FlagEntry* e = entry();
  if (!e || step_ < 0 || step_ >= static_cast<int>(e->steps.size())) return nullptr;
  return &e->steps[static_cast<std::size_t>(step_)];
}

FlagCondition* FlagTableEditor::condition(int slot) {
  if (!entry() || slot < 0 || slot >= kSlots) return nullptr;
  return &table_[static_cast<std::size_t>(entry_)].conditions[static_cast<std::size_t>(slot)];
}

FlagAction* FlagTableEditor::currentAction() { return const_cast<FlagAction*>(step()); }

FlagEdit FlagTableEditor::chooseEntry(int row) {
  int count = static_cast<int>(table_.size());
  if (row < 0 || row > count) return FlagEdit::Unchanged;
  if (row == count) {
    // Entry 60 would be the exchange slot the game's reorder uses.
    if (count >= kMaxFlagEntries) return FlagEdit::TooManyEntries;
    FlagEntry added;
    added.conditions[0] = newCondition(0);
    table_.push_back(std::move(added));
  }
  entry_ = row;
  step_ = table_[static_cast<std::size_t>(row)].steps.empty() ? -1 : 0;
  return FlagEdit::Done;
}

int FlagTableEditor::conditionCount() const {
  const FlagEntry* e = entry();
  if (!e) return 0;
  int n = 0;
  while (n < kSlots && !e->conditions[static_cast<std::size_t>(n)].empty()) ++n;
  return n;
}

FlagEdit FlagTableEditor::setConditionMap(int slot, std::optional<int> map) {
  FlagCondition* c = condition(slot);
  // A slot after an empty slot is not offered.
  if (!c || slot > conditionCount()) return FlagEdit::Unchanged;
  FlagEntry& e = table_[static_cast<std::size_t>(entry_)];
  if (!map) {
    // Slot 0 is deleted only while slot 1 is in use; otherwise the entry would lose its
    // only condition, so the choice counts as choosing the present map again.
    if (slot == 0 && e.conditions[1].empty()) {
      map = c->map;
    } else {
      for (int s = slot; s + 1 < kSlots; ++s) e.conditions[s] = e.conditions[s + 1];
      e.conditions[kSlots - 1] = FlagCondition{};
      return FlagEdit::Done;
    }
  }
  // Map 99 is what marks an empty slot and the end of the table when read back.
  if (*map == 99) return FlagEdit::MapIsListEnd;
  if (c->empty()) {
    *c = newCondition(*map);
  } else {
    c->map = *map;
    c->event = 0;
    c->line = 0;
  }
  return FlagEdit::Done;
}

FlagEdit FlagTableEditor::setConditionEvent(int slot, int event) {
  FlagCondition* c = condition(slot);
  if (!c || c->empty()) return FlagEdit::Unchanged;
  c->event = event;
  c->line = 0;
  return FlagEdit::Done;
}

FlagEdit FlagTableEditor::setConditionOperator(int slot, const Bytes& op) {
  FlagCondition* c = condition(slot);
  if (!c || c->empty()) return FlagEdit::Unchanged;
  c->op = op;
  return FlagEdit::Done;
}

FlagEdit FlagTableEditor::setConditionLine(int slot, int line) {
  FlagCondition* c = condition(slot);
  if (!c || c->empty()) return FlagEdit::Unchanged;
  c->line = line;
  return FlagEdit::Done;
}

FlagEdit FlagTableEditor::chooseStep(int row) {
  if (!entry()) return FlagEdit::Unchanged;
  std::vector<FlagAction>& steps = table_[static_cast<std::size_t>(entry_)].steps;
  int count = static_cast<int>(steps.size());
  if (row < 0 || row > count) return FlagEdit::Unchanged;
  if (row == count) {
    // Step 30 would be the exchange slot.
    if (count >= kMaxFlagSteps) return FlagEdit::TooManySteps;
    steps.push_back(blankStep(kFlagChange));
  }
  step_ = row;
  return FlagEdit::Done;
}

FlagEdit FlagTableEditor::setStepKind(const Bytes& kind, const std::optional<CellPick>& pick) {
  FlagAction* a = currentAction();
  if (!a) return FlagEdit::Unchanged;
  bool picked = kind == kCharacterShow || kind == kEventMove;
  if (picked && !pick) return FlagEdit::Unchanged;
  if (kind == kEventMove) {
    if (a->kind != kEventMove) {
      *a = blankStep(kEventMove);
      a->value3 = 8;
      a->text2 = "0";
      a->text3 = "0";
    }
  } else if (kind == kFlagChange || kind == kCharacterShow || kind == kEventErase) {
    *a = blankStep(kind);
  } else {
    return FlagEdit::Unchanged;
  }
  if (picked) {
    a->value1 = pick->x;
    a->value2 = pick->y;
    a->text1 = pick->code;
  }
  return FlagEdit::Done;
}

FlagEdit FlagTableEditor::setStepMap(int map) {
  FlagAction* a = currentAction();
  if (!a || a->kind != kFlagChange) return FlagEdit::Unchanged;
  a->value1 = map;
  a->value2 = 0;
  a->value3 = 0;
  return FlagEdit::Done;
}

FlagEdit FlagTableEditor::setStepEvent(int event) {
  FlagAction* a = currentAction();
  if (!a) return FlagEdit::Unchanged;
  if (a->kind == kFlagChange) {
    a->value2 = event;
    a->value3 = 0;
  } else if (a->kind == kEventErase) {
    a->value1 = event;
  } else if (a->kind == kEventMove) {
    a->text3 = std::to_string(event);
  } else {
    return FlagEdit::Unchanged;
  }
  return FlagEdit::Done;
}

FlagEdit FlagTableEditor::setStepLine(int line) {
  FlagAction* a = currentAction();
  if (!a || a->kind != kFlagChange) return FlagEdit::Unchanged;
  a->value3 = line;
  return FlagEdit::Done;
}

FlagEdit FlagTableEditor::setStepMovement(int code) {
  FlagAction* a = currentAction();
  if (!a || a->kind != kEventMove || entryOfMovementCode(code) < 0) return FlagEdit::Unchanged;
  a->text2 = std::to_string(code);
  return FlagEdit::Done;
}

FlagEdit FlagTableEditor::setStepSpeed(int speed) {
  FlagAction* a = currentAction();
  if (!a || a->kind != kEventMove) return FlagEdit::Unchanged;
  if (shownSpeed(speed) == 0) return FlagEdit::Unchanged;  // not one of 1, 2, 4, 8
  a->value3 = speed;
  return FlagEdit::Done;
}

FlagEdit FlagTableEditor::moveEntry(int delta) {
  if (!entry() || (delta != -1 && delta != 1)) return FlagEdit::Unchanged;
  int other = entry_ + delta;
  if (other < 0 || other >= static_cast<int>(table_.size())) return FlagEdit::Unchanged;
  std::swap(table_[static_cast<std::size_t>(entry_)], table_[static_cast<std::size_t>(other)]);
  entry_ = other;
  return FlagEdit::Done;
}

FlagEdit FlagTableEditor::moveStep(int delta) {
  if (!step() || (delta != -1 && delta != 1)) return FlagEdit::Unchanged;
  std::vector<FlagAction>& steps = table_[static_cast<std::size_t>(entry_)].steps;
  int other = step_ + delta;
  if (other < 0 || other >= static_cast<int>(steps.size())) return FlagEdit::Unchanged;
  std::swap(steps[static_cast<std::size_t>(step_)], steps[static_cast<std::size_t>(other)]);
  step_ = other;
  return FlagEdit::Done;
}

FlagEdit FlagTableEditor::deleteEntry() {
  if (!entry()) return FlagEdit::Unchanged;
  table_.erase(table_.begin() + entry_);
  if (entry_ >= static_cast<int>(table_.size())) {
    entry_ = -1;
    step_ = -1;
  } else {
    step_ = table_[static_cast<std::size_t>(entry_)].steps.empty() ? -1 : 0;
  }
  return FlagEdit::Done;
}

FlagEdit FlagTableEditor::deleteStep() {
  if (!step()) return FlagEdit::Unchanged;
  std::vector<FlagAction>& steps = table_[static_cast<std::size_t>(entry_)].steps;
  steps.erase(steps.begin() + step_);
  if (step_ >= static_cast<int>(steps.size())) step_ = -1;
  return FlagEdit::Done;
}

void FlagTableEditor::clearAll() {
  table_.clear();
  entry_ = -1;
  step_ = -1;
}

bool FlagTableEditor::edited() const { return !sameFlagTables(table_, backup_); }

void FlagTableEditor::cancel() {
  table_ = backup_;
  entry_ = table_.empty() ? -1 : 0;
  step_ = entry_ == 0 && !table_[0].steps.empty() ? 0 : -1;
}

Bytes pickedCharacterCode(int row, int column, int bank, bool threeCharacterTiles) {
  Bytes code = characterCodeOf(row, column);
  if (threeCharacterTiles) code.insert(code.begin(), static_cast<char>('0' + std::clamp(bank, 1, 3) - 1));
  return code;
}

bool sameFlagTables(const std::vector<FlagEntry>& a, const std::vector<FlagEntry>& b) { return a == b; }

int movementCodeOfEntry(int entry) {
  if (entry < 0 || entry > 17) return -1;
  return entry <= 10 ? entry : entry + 1;
}

int entryOfMovementCode(int code) {
  if (code >= 0 && code <= 10) return code;
  if (code >= 12 && code <= 18) return code - 1;
  return -1;
}

}  // namespace quillane::event
