#pragma once
// The record choice before the record dialogs (players, enemies, items, magic): a list
// of "i:name" lines, the chosen record opened in its dialog, previous/next handled here
// without showing the list in between, and the list shown again after OK or cancel.
#include <functional>
#include <vector>

#include "core/text/cp932.h"

namespace quillane::editors {

using text::Bytes;

// How a record dialog ended.
enum class RecordOutcome { Confirmed, Cancelled, Previous, Next };

// One line per record 0..count - 1: the decimal number without a blank, ":" and the
// name. `count` is cut to the names there are.
std::vector<Bytes> recordChoiceLines(const std::vector<Bytes>& names, int count);

// The record that previous/next moves to: one down or up, staying at either end.
int steppedRecord(int record, RecordOutcome outcome, int count);

// Runs the choice until the list is cancelled. `choose(preselect)` shows the list with
// the 1-based `preselect` highlighted and returns the 1-based position, 0 for cancel;
// `open(record)` runs the dialog on the record. `current` is the record preselected
// first and holds the last record opened afterwards.
void runRecordChoice(int count, int& current, const std::function<int(int preselect)>& choose,
                     const std::function<RecordOutcome(int record)>& open);

}  // namespace quillane::editors
