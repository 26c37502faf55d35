#pragma once
// The texts the flag dialog shows: the rows of its entry and step lists, built from
// fields of fixed byte widths for a fixed-pitch font, and the items of its boxes.
#include <vector>

#include "core/event/event_model.h"
#include "core/event/flag_event_source.h"

namespace quillane::event {

// A number as the number-to-text conversion gives it: a blank before non-negative
// numbers (" 5", "-5").
Bytes numberText(int value);
// The number right-aligned in three characters; a wider number is shown whole.
Bytes numberIn3(int value);

// The row of an entry in the entry list (its first condition).
Bytes entryRow(const FlagEntry& entry, FlagEventSource& source);
// The row of a step; "E" and "D" name events of the open map.
Bytes stepRow(const FlagAction& step, FlagEventSource& source);
// What the coordinate box shows for a "C" or "E" step.
Bytes pickText(const FlagAction& step);

// Box items. Maps: number, ":" and name. Events: number, ":", line-0 message, " ■ ",
// line-0 command. Lines: number, ":", message, " ■ ", command. Short events: number,
// ":" and the line-0 message.
std::vector<Bytes> mapItems(const FlagEventSource& source);
std::vector<Bytes> eventItems(FlagEventSource& source, int map);
std::vector<Bytes> lineItems(FlagEventSource& source, int map, int event);
std::vector<Bytes> shortEventItems(FlagEventSource& source, int map);
// The eighteen movement names of the "E" step's movement box, codes 0..10, 12..18.
std::vector<Bytes> movementItems();
// Speeds as shown: "1".."4".
std::vector<Bytes> speedItems();
// The four kind names of the kind box, in the order "F", "C", "E", "D".
const std::vector<Bytes>& kindItems();
const std::vector<Bytes>& kindCodes();

// The captions of the four step boxes for a kind (empty where the box is unused).
struct StepLabels {
  Bytes box1, box2, box3, edit;
};
StepLabels stepLabels(const Bytes& kind);

}  // namespace quillane::event
