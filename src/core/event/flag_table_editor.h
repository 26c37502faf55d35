#pragma once
// The editing rules of a map's flag table: entries of up to three conditions and their
// processing steps, the current entry and step, and the backup that cancel restores.
// The flag dialog only shows this state and forwards what the designer chose.
#include <optional>
#include <vector>

#include "core/event/event_model.h"

namespace quillane::event {

// Step kinds as stored.
inline const Bytes kFlagChange = "F";
inline const Bytes kCharacterShow = "C";
inline const Bytes kEventMove = "E";
inline const Bytes kEventErase = "D";

// The operators a condition can compare with, in the order the dialog lists them.
inline const std::vector<Bytes> kFlagOperators = {">", ">=", "=", "<=", "<", "<>"};

// Why an edit was refused (the table is then unchanged).
enum class FlagEdit { Done, Unchanged, TooManyEntries, TooManySteps, MapIsListEnd };

// A cell and character picked on the map for a "C" or "E" step.
struct CellPick {
  int x = 0;
  int y = 0;
  Bytes code;  // the character code as stored in text 1
};

class FlagTableEditor {
 public:
  // Takes the backup of the whole table; the first entry (and its first step) is current.
  explicit FlagTableEditor(std::vector<FlagEntry>& table);

  const std::vector<FlagEntry>& table() const { return table_; }
  // -1 when no entry is current.
  int currentEntry() const { return entry_; }
  // -1 when no step is current.
  int currentStep() const { return step_; }
  const FlagEntry* entry() const;
  const FlagAction* step() const;

  // Chooses entry `row`; the row after the last entry appends a new one (condition 0 on
  // map 0, no steps) and makes it current.
  FlagEdit chooseEntry(int row);
  // Map box of condition `slot`: a map number, or nullopt for "削除".
  FlagEdit setConditionMap(int slot, std::optional<int> map);
  FlagEdit setConditionEvent(int slot, int event);
  FlagEdit setConditionOperator(int slot, const Bytes& op);
  FlagEdit setConditionLine(int slot, int line);
  // Number of condition slots in use (slots are used from 0 without gaps).
  int conditionCount() const;

  // Chooses step `row` of the current entry; the row after the last step appends a
  // step of kind "F" with every value 0.
  FlagEdit chooseStep(int row);
  // Sets the current step's kind. "C" and "E" need the cell and character picked on
  // the map: without a pick (cancelled) nothing changes. Choosing "E" for an "E" step
  // keeps its values and takes the new pick only.
  FlagEdit setStepKind(const Bytes& kind, const std::optional<CellPick>& pick = std::nullopt);
  // "F": the map, resetting event and line.
  FlagEdit setStepMap(int map);
  // "F": the event, resetting the line. "D": the event. "E": the event as text.
  FlagEdit setStepEvent(int event);
  // "F": the line the flag becomes.
  FlagEdit setStepLine(int line);
  // "E": the movement code, stored as decimal text.
  FlagEdit setStepMovement(int code);
  // "E": the speed 1, 2, 4 or 8.
  FlagEdit setStepSpeed(int speed);

  // Exchanges the current entry (step) with the one before (delta −1) or after (+1);
  // the moved item stays current. Unchanged at either end of the list.
  FlagEdit moveEntry(int delta);
  FlagEdit moveStep(int delta);
  // Removes the current entry (step); the one now at its place becomes current, or
  // nothing when the list end moved there.
  FlagEdit deleteEntry();
  FlagEdit deleteStep();
  // Removes every entry.
  void clearAll();
  // Puts back every entry and step as they were when the editor was made.
  void cancel();
  // Whether the table differs from what it was when the editor was made.
  bool edited() const;

 private:
  FlagCondition* condition(int slot);
  FlagAction* currentAction();

  std::vector<FlagEntry>& table_;
  std::vector<FlagEntry> backup_;
  int entry_ = -1;
  int step_ = -1;
};

// The code a "C" or "E" step stores for the character in `row` and `column` of its
// sheet: two upper-case hexadecimal digits. With three-character tile codes a terrain
// character is preceded by its palette bank (1..3) minus 1.
Bytes pickedCharacterCode(int row, int column, int bank, bool threeCharacterTiles);

// True when both tables hold the same entries, conditions and steps, field by field.
bool sameFlagTables(const std::vector<FlagEntry>& a, const std::vector<FlagEntry>& b);

// The movement box of an "E" step lists codes 0..10 and 12..18 in this order.
int movementCodeOfEntry(int entry);
// The list entry of a movement code; -1 for a code the list does not hold.
int entryOfMovementCode(int code);

}  // namespace quillane::event
