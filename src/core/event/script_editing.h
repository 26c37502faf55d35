#pragma once
// The rules of the script editor on its working copy: storing a line with its
// normalisation, the end marker moving with the typing, adding and deleting lines,
// copying an event or single lines in, and the bounds that keep a script writable.
#include <array>
#include <string_view>
#include <vector>

#include "core/event/event_model.h"

namespace quillane::event {

// Index of the end marker (findEndMarker). In the editor a script without one reads as
// ending at the spare line.
int endMarkerIndex(const ScriptLines& lines);
bool isEndMarker(const ScriptLine& line);

// Highest line an event's end marker may sit on: min(100, "メッセージ数").
int eventEndLimit(int messagesPerEvent);
// The opening and ending scripts hold text in lines 0..99; the end marker may follow.
inline constexpr int kStoryEndLimit = 100;

// One row of the line lists: "n:" message " ■ " command.
Bytes scriptRow(int index, const ScriptLine& line);
// Rows 0 up to and including the end marker.
std::vector<Bytes> scriptRows(const ScriptLines& lines);

// A command text as stored: empty becomes "END"; single-byte a–z become A–Z.
Bytes normaliseCommand(std::string_view command);

// Copy the editor works on (lines, speed, cell texts), put back only on "OK".
struct EventWorkCopy {
  ScriptLines lines{};
  int speed = 1;
  EventCell cell;
};
EventWorkCopy takeWorkCopy(const MapEvents& events, int n);
// The lines, speed and cell texts back into event n. Every line goes back, the spare
// line 100 included: the end marker may stand there.
void putBack(MapEvents& events, int n, const EventWorkCopy& copy);
// The opening and ending scripts: lines in, lines out, nothing else.
EventWorkCopy workCopyOfLines(const ScriptLines& script);
void putBackLines(ScriptLines& script, const EventWorkCopy& copy);

enum class EditRefusal { None, Ignored, PastLimit, BadText };

// The editor's line operations. `endLimit` is the highest line the end marker may
// reach; an edit that would move it further is refused and changes nothing.
class ScriptEditing {
 public:
  ScriptEditing(ScriptLines& lines, int endLimit) : lines_(lines), endLimit_(endLimit) {}

  int current() const { return current_; }
  // Selects a line 0..end marker; other values are ignored.
  void setCurrent(int line);
  int endMarker() const { return endMarkerIndex(lines_); }
  int endLimit() const { return endLimit_; }

  // Stores the boxes into the current line: typing over the end marker moves it one
  // line on; "99" ends the script here; the command is normalised. Texts that would
  // break the event file (data::refuseText) are refused.
  EditRefusal storeLine(std::string_view message, std::string_view command);
  // Duplicates the current line below it (not on the end marker).
  EditRefusal addLine();
  // Removes the current line (not on the end marker).
  EditRefusal deleteLine();
  // Replaces the script with `source` up to its end marker; line 0 becomes current.
  EditRefusal copyEvent(const ScriptLines& source);
  // Writes the chosen lines of `source`, in order, onto the current line and the
  // following ones; the end marker moves on ahead of them.
  EditRefusal copyLines(const ScriptLines& source, const std::vector<int>& chosen);
  // Writes a whole script (lines before the end marker) from line 0; later lines of
  // the old script stay behind the new end marker.
  EditRefusal writeScript(const std::vector<ScriptLine>& script);

 private:
  ScriptLines& lines_;
  int endLimit_;
  int current_ = 0;
};

}  // namespace quillane::event
