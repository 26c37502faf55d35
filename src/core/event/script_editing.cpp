#include "core/event/script_editing.h"

#include <algorithm>
#include <string>

#include "core/data/text_rules.h"

namespace quillane::event {

bool isEndMarker(const ScriptLine& line) { return line.message == kEndMarker; }

int endMarkerIndex(const ScriptLines& lines) { return findEndMarker(lines).value_or(kScriptLines - 1); }

int eventEndLimit(int messagesPerEvent) {
  return std::clamp(messagesPerEvent, 0, kScriptLines - 1);
}

Bytes scriptRow(int index, const ScriptLine& line) {
  static const Bytes kMark = text::sj(" ■ ");
  return std::to_string(index) + ":" + line.message + kMark + line.command;
}

std::vector<Bytes> scriptRows(const ScriptLines& lines) {
  std::vector<Bytes> rows;
  const int end = endMarkerIndex(lines);
  for (int i = 0; i <= end; ++i) rows.push_back(scriptRow(i, lines[static_cast<std::size_t>(i)]));
  return rows;
}

Bytes normaliseCommand(std::string_view command) {
  if (command.empty()) return "END";
  return text::upperAscii(command);
}

EventWorkCopy takeWorkCopy(const MapEvents& events, int n) {
  EventWorkCopy copy;
  const EventRecord& r = events.records.at(static_cast<std::size_t>(n));
  copy.lines = r.lines;
  copy.speed = r.speed;
  if (EventGrid::contains(r.x, r.y)) copy.cell = events.grid.at(r.x, r.y);
  return copy;
}

void putBack(MapEvents& events, int n, const EventWorkCopy& copy) {
  EventRecord& r = events.records.at(static_cast<std::size_t>(n));
  r.lines = copy.lines;
  r.speed = copy.speed;
  if (EventGrid::contains(r.x, r.y)) events.grid.at(r.x, r.y) = copy.cell;
}

EventWorkCopy workCopyOfLines(const ScriptLines& script) {
  EventWorkCopy copy;
  copy.lines = script;
  return copy;
}

void putBackLines(ScriptLines& script, const EventWorkCopy& copy) { script = copy.lines; }

void ScriptEditing::setCurrent(int line) {
  if (line >= 0 && line <= endMarker()) current_ = line;
}

EditRefusal ScriptEditing::storeLine(std::string_view message, std::string_view command) {
  if (data::refuseText(message) || data::refuseText(command)) return EditRefusal::BadText;
  ScriptLine& line = lines_[static_cast<std::size_t>(current_)];
  if (message == kEndMarker) {
    // The script ends here; whatever followed drops behind the marker.
    line = ScriptLine{kEndMarker, {}};
    return EditRefusal::None;
  }
  if (isEndMarker(line)) {
    if (current_ + 1 > endLimit_) return EditRefusal::PastLimit;
    lines_[static_cast<std::size_t>(current_ + 1)] = ScriptLine{kEndMarker, {}};
  }
  line.message = Bytes(message);
  line.command = normaliseCommand(command);
  return EditRefusal::None;
}

EditRefusal ScriptEditing::addLine() {
  if (isEndMarker(lines_[static_cast<std::size_t>(current_)])) return EditRefusal::Ignored;
  if (endMarker() + 1 > endLimit_) return EditRefusal::PastLimit;
  for (int i = kScriptLines - 2; i >= current_; --i)
    lines_[static_cast<std::size_t>(i + 1)] = lines_[static_cast<std::size_t>(i)];
  return EditRefusal::None;
}

EditRefusal ScriptEditing::deleteLine() {
  if (isEndMarker(lines_[static_cast<std::size_t>(current_)])) return EditRefusal::Ignored;
  for (int i = current_; i <= kScriptLines - 2; ++i)
    lines_[static_cast<std::size_t>(i)] = lines_[static_cast<std::size_t>(i + 1)];
  return EditRefusal::None;
}

EditRefusal ScriptEditing::copyEvent(const ScriptLines& source) {
  const int end = endMarkerIndex(source);
  if (end > endLimit_) return EditRefusal::PastLimit;
  std::copy(source.begin(), source.begin() + end, lines_.begin());
  lines_[static_cast<std::size_t>(end)] = ScriptLine{kEndMarker, {}};
  current_ = 0;
  return EditRefusal::None;
}

EditRefusal ScriptEditing::copyLines(const ScriptLines& source, const std::vector<int>& chosen) {
  const int sourceEnd = endMarkerIndex(source);
  std::vector<ScriptLine> picked;
  for (int i : chosen)
    if (i >= 0 && i < sourceEnd) picked.push_back(source[static_cast<std::size_t>(i)]);
  if (picked.empty()) return EditRefusal::Ignored;
  const int lastTarget = current_ + static_cast<int>(picked.size()) - 1;
  const int end = endMarker();
  const int newEnd = lastTarget >= end ? lastTarget + 1 : end;
  if (newEnd > endLimit_) return EditRefusal::PastLimit;
  for (std::size_t k = 0; k < picked.size(); ++k)
    lines_[static_cast<std::size_t>(current_) + k] = picked[k];
  if (newEnd != end) lines_[static_cast<std::size_t>(newEnd)] = ScriptLine{kEndMarker, {}};
  return EditRefusal::None;
}

EditRefusal ScriptEditing::writeScript(const std::vector<ScriptLine>& script) {
  const int end = static_cast<int>(script.size());
  if (end > endLimit_) return EditRefusal::PastLimit;
  std::copy(script.begin(), script.end(), lines_.begin());
  lines_[static_cast<std::size_t>(end)] = ScriptLine{kEndMarker, {}};
  current_ = std::min(current_, end);
  return EditRefusal::None;
}

}  // namespace quillane::event
