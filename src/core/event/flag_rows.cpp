#include "core/event/flag_rows.h"

#include <string>

#include "core/event/event_codes.h"
#include "core/event/flag_table_editor.h"
#include "core/event/script_editing.h"

namespace quillane::event {

using text::fitToWidth;
using text::sj;

namespace {

const Bytes& square() {
  static const Bytes s = sj(" ■ ");
  return s;
}

// A number left in a field of `width` characters; a wider number is shown whole.
Bytes numberLeft(int value, std::size_t width) {
  Bytes s = numberText(value);
  if (s.size() < width) s.append(width - s.size(), ' ');
  return s;
}

// "nnn:message ■ command" for a line of an event.
Bytes lineField(FlagEventSource& source, int map, int event, int number, int line) {
  ScriptLine l = source.line(map, event, line);
  return numberIn3(number) + ":" + l.message + square() + l.command;
}

}  // namespace

Bytes numberText(int value) { return value < 0 ? std::to_string(value) : " " + std::to_string(value); }

Bytes numberIn3(int value) {
  Bytes s = numberText(value);
  if (s.size() > 3 && s[0] == ' ') s.erase(0, 1);
  if (s.size() < 3) s.insert(0, 3 - s.size(), ' ');
  return s;
}

Bytes entryRow(const FlagEntry& entry, FlagEventSource& source) {
  const FlagCondition& c = entry.conditions[0];
  return sj("ﾏｯﾌﾟ:") + source.mapName(c.map) + sj(" ｲﾍﾞﾝﾄ:") +
         fitToWidth(lineField(source, c.map, c.event, c.event, 0), 44) + " " + c.op + sj(" ﾒｯｾｰｼﾞ:") +
         fitToWidth(lineField(source, c.map, c.event, c.line, c.line), 44);
}

Bytes stepRow(const FlagAction& step, FlagEventSource& source) {
  const int here = source.openMap();
  if (step.kind == kFlagChange) {
    return sj("(ﾌﾗｸﾞ変更) ﾏｯﾌﾟ:") + fitToWidth(source.mapName(step.value1), 16) + sj(" ｲﾍﾞﾝﾄ:") +
           fitToWidth(lineField(source, step.value1, step.value2, step.value2, 0), 44) + sj(" ﾌﾗｸﾞ:") +
           fitToWidth(lineField(source, step.value1, step.value2, step.value3, step.value3), 44);
  }
  if (step.kind == kCharacterShow) {
    return sj("(ｷｬﾗｸﾀ表示) 座標 X:") + numberLeft(step.value1, 4) + "Y:" + numberLeft(step.value2, 4) +
           sj(" ｷｬﾗｸﾀNo.:") + step.text1;
  }
  if (step.kind == kEventMove) {
    int event = leadingNumber(step.text3);
    int speed = shownSpeed(step.value3);
    return sj("(ｲﾍﾞﾝﾄ移動) 座標 X:") + numberLeft(step.value1, 4) + "Y:" + numberLeft(step.value2, 4) +
           sj(" ｲﾍﾞﾝﾄ:") + fitToWidth(numberIn3(event) + ":" + source.line(here, event, 0).message, 40) +
           sj(" ｷｬﾗｸﾀ:") + step.text1 + sj(" 移動:") + movementDisplayName(step.text2) + sj(" 速度:") +
           (speed > 0 ? std::to_string(speed) : Bytes());
  }
  if (step.kind == kEventErase) {
    return sj("(ｲﾍﾞﾝﾄ消去) ｲﾍﾞﾝﾄ:") +
           fitToWidth(numberIn3(step.value1) + ":" + source.line(here, step.value1, 0).message, 44);
  }
  return step.kind;
}

Bytes pickText(const FlagAction& step) {
  return "X:" + numberText(step.value1) + " Y:" + numberText(step.value2) + sj(" ｷｬﾗｸﾀNo. ") + step.text1;
}

std::vector<Bytes> mapItems(const FlagEventSource& source) {
  std::vector<Bytes> items;
  for (int m = 0; m < source.mapCount(); ++m) items.push_back(std::to_string(m) + ":" + source.mapName(m));
  return items;
}

std::vector<Bytes> eventItems(FlagEventSource& source, int map) {
  std::vector<Bytes> items;
  int count = static_cast<int>(source.events(map).size());
  for (int e = 0; e < count; ++e) items.push_back(scriptRow(e, source.line(map, e, 0)));
  return items;
}

std::vector<Bytes> lineItems(FlagEventSource& source, int map, int event) {
  std::vector<Bytes> items;
  const std::vector<EventScript>& events = source.events(map);
  if (event < 0 || event >= static_cast<int>(events.size())) return items;
  const EventScript& script = events[static_cast<std::size_t>(event)];
  for (std::size_t i = 0; i < script.size(); ++i) items.push_back(scriptRow(static_cast<int>(i), script[i]));
  return items;
}

std::vector<Bytes> shortEventItems(FlagEventSource& source, int map) {
  std::vector<Bytes> items;
  int count = static_cast<int>(source.events(map).size());
  for (int e = 0; e < count; ++e) items.push_back(std::to_string(e) + ":" + source.line(map, e, 0).message);
  return items;
}

std::vector<Bytes> movementItems() {
  std::vector<Bytes> items;
  for (int entry = 0; entry < 18; ++entry) items.push_back(movementDisplayName(std::to_string(movementCodeOfEntry(entry))));
  return items;
}

std::vector<Bytes> speedItems() { return {"1", "2", "3", "4"}; }

const std::vector<Bytes>& kindItems() {
  static const std::vector<Bytes> items = {sj("フラグ変更"), sj("キャラクタ表示"), sj("イベント移動"), sj("イベント消去")};
  return items;
}

const std::vector<Bytes>& kindCodes() {
  static const std::vector<Bytes> codes = {kFlagChange, kCharacterShow, kEventMove, kEventErase};
  return codes;
}

StepLabels stepLabels(const Bytes& kind) {
  if (kind == kFlagChange) return {sj("マップ"), sj("イベント"), sj("メッセージ"), {}};
  if (kind == kCharacterShow) return {{}, {}, {}, sj("座標・キャラクタNo.")};
  if (kind == kEventMove) return {sj("イベント"), sj("移動"), sj("速度"), sj("座標･キャラクタNo.")};
  if (kind == kEventErase) return {sj("イベント"), {}, {}, {}};
  return {};
}

}  // namespace quillane::event
