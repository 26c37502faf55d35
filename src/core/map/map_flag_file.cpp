#include "core/map/map_flag_file.h"

#include <algorithm>
#include <array>

#include "core/data/random_items.h"
#include "core/map/map_items.h"

namespace quillane::map {
namespace {

constexpr int kEmptyMap = 99;
constexpr int kFlagFillers = 10;
constexpr int kFillerVersion = 210;
const text::Bytes kStepEnd = "99";

// Keys of map, event and line for condition slots 0, 1, 2.
constexpr std::array<std::array<int, 3>, 3> kConditionKeys = {{{1, 2, 3}, {4, 5, 6}, {1, 2, 3}}};

// The values of each step kind in file order: a number slot with its key, or a text.
enum class Slot { Value1, Value2, Value3, Text1, Text2, Text3 };
struct StepField {
  Slot slot;
  int key;  // 0 for texts
};
struct StepLayout {
  const char* kind;
  std::vector<StepField> fields;
};

const std::vector<StepLayout>& stepLayouts() {
  static const std::vector<StepLayout> layouts = {
      {"F", {{Slot::Value1, 4}, {Slot::Value2, 5}, {Slot::Value3, 6}}},
      {"C", {{Slot::Value1, 1}, {Slot::Value2, 2}, {Slot::Text1, 0}}},
      {"E", {{Slot::Value1, 3}, {Slot::Value2, 4}, {Slot::Value3, 5},
             {Slot::Text1, 0}, {Slot::Text2, 0}, {Slot::Text3, 0}}},
      {"D", {{Slot::Value1, 6}}},
  };
  return layouts;
}

const StepLayout* layoutOf(const text::Bytes& kind) {
  for (const StepLayout& l : stepLayouts())
    if (kind == l.kind) return &l;
  return nullptr;  // an unknown kind carries no values
}

int& valueSlot(event::FlagAction& a, Slot s) {
  return s == Slot::Value1 ? a.value1 : s == Slot::Value2 ? a.value2 : a.value3;
}
text::Bytes& textSlot(event::FlagAction& a, Slot s) {
  return s == Slot::Text1 ? a.text1 : s == Slot::Text2 ? a.text2 : a.text3;
}
bool isText(Slot s) { return s == Slot::Text1 || s == Slot::Text2 || s == Slot::Text3; }

// Reads condition slots 0..2; false when slot 0 is empty (the terminating entry).
bool readConditions(text::ItemReader& reader, const MapFileContext& context, event::FlagEntry& entry) {
  for (std::size_t s = 0; s < 3; ++s) {
    event::FlagCondition& c = entry.conditions[s];
    c.map = readKeyed(reader, context.key(kConditionKeys[s][0]));
    if (c.map == kEmptyMap) return s != 0;
    c.event = readKeyed(reader, context.key(kConditionKeys[s][1]));
    c.op = reader.text();
    c.line = readKeyed(reader, context.key(kConditionKeys[s][2]));
  }
  return true;
}

void readSteps(text::ItemReader& reader, const MapFileContext& context, event::FlagEntry& entry) {
  for (;;) {
    event::FlagAction step;
    step.kind = reader.text();
    if (step.kind == kStepEnd) return;
    if (entry.steps.size() == static_cast<std::size_t>(event::kMaxFlagSteps))
      reader.fail("the end of the steps by step 29", "more steps");
    if (const StepLayout* layout = layoutOf(step.kind)) {
      for (const StepField& f : layout->fields) {
        if (isText(f.slot))
          textSlot(step, f.slot) = reader.text();
        else
          valueSlot(step, f.slot) = readKeyed(reader, context.key(f.key));
      }
    }
    entry.steps.push_back(std::move(step));
  }
}

void writeStep(text::ItemWriter& writer, const MapFileContext& context, const event::FlagAction& step) {
  writer.text(step.kind);
  const StepLayout* layout = layoutOf(step.kind);
  if (!layout) return;
  event::FlagAction copy = step;  // the slot accessors take a mutable action
  for (const StepField& f : layout->fields) {
    if (isText(f.slot))
      writer.text(textSlot(copy, f.slot));
    else
      writeKeyed(writer, valueSlot(copy, f.slot), context.key(f.key));
  }
}

}  // namespace

std::vector<event::FlagEntry> readMapFlagFile(std::string_view bytes, const std::string& fileName,
                                              const MapFileContext& context, int version) {
  text::ItemReader reader(bytes, fileName);
  std::vector<event::FlagEntry> entries;
  for (;;) {
    event::FlagEntry entry;
    if (!readConditions(reader, context, entry)) break;
    if (entries.size() == static_cast<std::size_t>(event::kMaxFlagEntries))
      reader.fail("the terminating entry by entry 59", "more entries");
    readSteps(reader, context, entry);
    entries.push_back(std::move(entry));
  }
  if (version >= kFillerVersion)
    for (int i = 0; i < kFlagFillers; ++i) reader.number();
  return entries;
}

text::Bytes writeMapFlagFile(const std::vector<event::FlagEntry>& entries,
                             const MapFileContext& context, data::RandomSource& random,
                             int version) {
  text::ItemWriter writer;
  std::size_t count = std::min(entries.size(), static_cast<std::size_t>(event::kMaxFlagEntries));
  for (std::size_t e = 0; e < count; ++e) {
    const event::FlagEntry& entry = entries[e];
    // An entry without a first condition would read back as the end of the table and
    // take every later entry with it: it is left out instead.
    if (entry.conditions[0].empty()) continue;
    for (std::size_t s = 0; s < 3; ++s) {
      const event::FlagCondition& c = entry.conditions[s];
      if (c.empty()) {
        writeKeyed(writer, kEmptyMap, context.key(kConditionKeys[s][0]));
        break;
      }
      writeKeyed(writer, c.map, context.key(kConditionKeys[s][0]));
      writeKeyed(writer, c.event, context.key(kConditionKeys[s][1]));
      writer.text(c.op);
      writeKeyed(writer, c.line, context.key(kConditionKeys[s][2]));
    }
    std::size_t steps = std::min(entry.steps.size(), static_cast<std::size_t>(event::kMaxFlagSteps));
    for (std::size_t i = 0; i < steps && entry.steps[i].kind != kStepEnd; ++i)
      writeStep(writer, context, entry.steps[i]);
    writer.text(kStepEnd);
  }
  writeKeyed(writer, kEmptyMap, context.key(1));  // the terminating entry
  writer.number(kEmptyMap);
  if (version >= kFillerVersion)
    data::writeFillers(writer, random, kFlagFillers);
  return writer.take();
}

}  // namespace quillane::map
