#include "core/editors/record_choice.h"

#include <algorithm>
#include <string>

namespace quillane::editors {

std::vector<Bytes> recordChoiceLines(const std::vector<Bytes>& names, int count) {
  const int n = std::clamp(count, 0, static_cast<int>(names.size()));
  std::vector<Bytes> lines;
  lines.reserve(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) lines.push_back(std::to_string(i) + ":" + names[static_cast<std::size_t>(i)]);
  return lines;
}

int steppedRecord(int record, RecordOutcome outcome, int count) {
  if (outcome == RecordOutcome::Previous && record > 0) return record - 1;
  if (outcome == RecordOutcome::Next && record < count - 1) return record + 1;
  return record;
}

void runRecordChoice(int count, int& current, const std::function<int(int preselect)>& choose,
                     const std::function<RecordOutcome(int record)>& open) {
  if (count <= 0) return;
  for (;;) {
    current = std::clamp(current, 0, count - 1);
    const int position = choose(current + 1);
    if (position < 1 || position > count) return;  // cancelled: back to the mode selection
    current = position - 1;
    for (;;) {
      const RecordOutcome outcome = open(current);
      if (outcome != RecordOutcome::Previous && outcome != RecordOutcome::Next) break;
      current = steppedRecord(current, outcome, count);
    }
  }
}

}  // namespace quillane::editors
