#pragma once
// The rules of the object dialog on the open map's object table: which objects exist
// (those before the first entry without a first frame), where a new one goes, what
// the dialog's boxes store, the two deletions, and where a frame is drawn from.
#include <array>
#include <optional>
#include <vector>

#include "core/event/event_model.h"
#include "core/map/map_document.h"
#include "core/map/tile_lookup.h"

namespace quillane::editors {

using text::Bytes;
using Objects = std::array<map::ObjectEntry, map::kObjectEntries>;

// The file holds objects 0..255; entry 256 is never written and stays empty.
inline constexpr int kEditableObjects = 256;
inline constexpr int kObjectFrames = 4;
inline constexpr int kObjectSpeeds = 30;  // "アニメーション速度" 1..30
inline constexpr int kPauseMsPerSpeed = 33;  // the preview waits speed × this between frames

// Number of objects: the first of entries 0..255 whose first frame is empty (256 when
// every one is used).
int usedObjects(const Objects& objects);
// Where a new object goes: the first empty entry; none when 0..255 are all used.
std::optional<int> newObjectSlot(const Objects& objects);

// The lines of the object choice: "i:" and the frames of each object joined by "→",
// then "n:（新規）" for the first empty entry while there is room.
std::vector<Bytes> objectChoiceItems(const Objects& objects);

// A new object (first frame empty): `character` as its first frame, no further
// frames, no contact event ("-1"), speed "10". An existing object is left alone.
void initialiseNewObject(map::ObjectEntry& entry, const Bytes& character);

// The contact-event selector: "設定なし", then each event n of the map as the number
// with its sign position, ":", the message and " ■ " and the command of its line 0.
std::vector<Bytes> contactEventItems(const event::MapEvents& events);
// The selector row that shows field 4: 0 for "-1", n + 1 for event n of the map; -1
// when the field names no event of the map (nothing is shown as picked).
int contactEventRow(const map::ObjectEntry& entry, const event::MapEvents& events);
// The speed selector ("1".."30") and the row showing field 5 (-1 when out of range).
std::vector<Bytes> speedItems();
int speedRow(const map::ObjectEntry& entry);

// What the dialog commits: the four frame boxes, and a selector row only when the
// user picked one since the dialog last showed its values.
struct ObjectInput {
  std::array<Bytes, kObjectFrames> frames;
  std::optional<int> eventRow;
  std::optional<int> speedRow;
};
// Stores the input into object n. Refused (the message to show, CP932; nothing is
// stored) when a frame would break the file, or when the first frame is emptied while
// later objects exist (the table would end there and lose them), or set while an
// earlier entry is empty (the table would end before it). An object made in an emptied
// entry gets no contact event and speed 10 unless the selectors say otherwise.
std::optional<Bytes> commitObject(Objects& objects, int n, const ObjectInput& input);

// "削除": every later object takes the number one lower; the last entry becomes empty.
void deleteObject(Objects& objects, int n);
// "全削除": every field of every entry becomes empty.
void deleteAllObjects(Objects& objects);

// The square of the ground tile work bitmap a frame is drawn from (the sheet digit of
// the split form is the bank); none for an empty frame or a code that names no tile.
std::optional<map::TileSource> frameSource(const Bytes& code, bool split);
// The frames the animation shows: the non-empty ones in order.
std::vector<Bytes> animationFrames(const map::ObjectEntry& entry);
// Milliseconds between two frames of the animation for the speed field (1..30).
int framePauseMs(const map::ObjectEntry& entry);

}  // namespace quillane::editors
