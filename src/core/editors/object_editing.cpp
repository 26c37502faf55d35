#include "core/editors/object_editing.h"

#include <algorithm>

#include "core/data/text_rules.h"
#include "core/event/event_codes.h"
#include "core/event/flag_rows.h"

namespace quillane::editors {

namespace {

constexpr std::size_t kEventField = 4;
constexpr std::size_t kSpeedField = 5;

}  // namespace

int usedObjects(const Objects& objects) {
  for (int i = 0; i < kEditableObjects; ++i)
    if (objects[static_cast<std::size_t>(i)][0].empty()) return i;
  return kEditableObjects;
}

std::optional<int> newObjectSlot(const Objects& objects) {
  const int used = usedObjects(objects);
  if (used >= kEditableObjects) return std::nullopt;
  return used;
}

std::vector<Bytes> objectChoiceItems(const Objects& objects) {
  static const Bytes kArrow = text::sj("→");
  std::vector<Bytes> items;
  const int used = usedObjects(objects);
  for (int i = 0; i < used; ++i) {
    const map::ObjectEntry& entry = objects[static_cast<std::size_t>(i)];
    Bytes line = std::to_string(i) + ":" + entry[0];
    for (std::size_t f = 1; f < kObjectFrames; ++f)
      if (!entry[f].empty()) line += kArrow + entry[f];
    items.push_back(std::move(line));
  }
  if (used < kEditableObjects) items.push_back(std::to_string(used) + ":" + text::sj("（新規）"));
  return items;
}

void initialiseNewObject(map::ObjectEntry& entry, const Bytes& character) {
  if (!entry[0].empty()) return;
  entry = map::ObjectEntry{character, "", "", "", "-1", "10"};
}

std::vector<Bytes> contactEventItems(const event::MapEvents& events) {
  static const Bytes kMark = text::sj(" ■ ");
  std::vector<Bytes> items{text::sj("設定なし")};
  const int last = std::min(events.lastNumber, static_cast<int>(events.records.size()) - 1);
  for (int n = 0; n <= last; ++n) {
    const event::ScriptLine& line = events.records[static_cast<std::size_t>(n)].lines[0];
    items.push_back(event::numberText(n) + ":" + line.message + kMark + line.command);
  }
  return items;
}

int contactEventRow(const map::ObjectEntry& entry, const event::MapEvents& events) {
  const Bytes& field = entry[kEventField];
  const Bytes trimmed = text::trim(field);
  if (trimmed == "-1") return 0;
  if (trimmed.empty() || trimmed.find_first_not_of("0123456789") != Bytes::npos) return -1;
  const int n = event::leadingNumber(trimmed);
  const int last = std::min(events.lastNumber, static_cast<int>(events.records.size()) - 1);
  return n >= 0 && n <= last ? n + 1 : -1;
}

std::vector<Bytes> speedItems() {
  std::vector<Bytes> items;
  for (int s = 1; s <= kObjectSpeeds; ++s) items.push_back(std::to_string(s));
  return items;
}

int speedRow(const map::ObjectEntry& entry) {
  const Bytes trimmed = text::trim(entry[kSpeedField]);
  if (trimmed.empty() || trimmed.find_first_not_of("0123456789") != Bytes::npos) return -1;
  const int s = event::leadingNumber(trimmed);
  return s >= 1 && s <= kObjectSpeeds ? s - 1 : -1;
}

std::optional<Bytes> commitObject(Objects& objects, int n, const ObjectInput& input) {
  if (n < 0 || n >= kEditableObjects) return text::sj("オブジェクトNo.は0から255までです");
  for (const Bytes& frame : input.frames)
    if (auto why = data::refuseText(frame)) return why;
  if (input.frames[0].empty() && n + 1 < kEditableObjects && !objects[static_cast<std::size_t>(n + 1)][0].empty())
    return text::sj("後ろにオブジェクトがあるため、最初のコマは空にできません（削除を使ってください）");
  if (!input.frames[0].empty() && n > usedObjects(objects))
    return text::sj("オブジェクトは0番から順に登録してください");
  map::ObjectEntry& entry = objects[static_cast<std::size_t>(n)];
  for (std::size_t f = 0; f < kObjectFrames; ++f) entry[f] = input.frames[f];
  // An object made again after "全削除" gets the fields a new object starts with.
  if (!entry[0].empty() && entry[kEventField].empty()) entry[kEventField] = "-1";
  if (!entry[0].empty() && entry[kSpeedField].empty()) entry[kSpeedField] = "10";
  if (input.eventRow && *input.eventRow >= 0) entry[kEventField] = std::to_string(*input.eventRow - 1);
  if (input.speedRow && *input.speedRow >= 0 && *input.speedRow < kObjectSpeeds)
    entry[kSpeedField] = std::to_string(*input.speedRow + 1);
  return std::nullopt;
}

void deleteObject(Objects& objects, int n) {
  if (n < 0 || n >= kEditableObjects) return;
  for (int j = n; j + 1 < kEditableObjects; ++j)
    objects[static_cast<std::size_t>(j)] = std::move(objects[static_cast<std::size_t>(j + 1)]);
  for (std::size_t j = kEditableObjects - 1; j < objects.size(); ++j) objects[j] = map::ObjectEntry{};
}

void deleteAllObjects(Objects& objects) { objects.fill(map::ObjectEntry{}); }

std::optional<map::TileSource> frameSource(const Bytes& code, bool split) {
  if (code.empty() || code.size() > map::TileCode::kMaxLength) return std::nullopt;
  return map::groundTileSource(map::TileCode(code), split);
}

std::vector<Bytes> animationFrames(const map::ObjectEntry& entry) {
  std::vector<Bytes> frames;
  for (std::size_t f = 0; f < kObjectFrames; ++f)
    if (!entry[f].empty()) frames.push_back(entry[f]);
  return frames;
}

int framePauseMs(const map::ObjectEntry& entry) {
  const int row = speedRow(entry);
  return (row < 0 ? 10 : row + 1) * kPauseMsPerSpeed;
}

}  // namespace quillane::editors
