#pragma once
// The test-play save file SAV\DATA<n>.DAT in the game engine's save format: the party
// with its values, every event flag, the visited towns and the start position and
// events of the open map. One unbroken run of items, texts bare (no quotes).
#include <filesystem>
#include <optional>
#include <string>

#include "core/data/project_database.h"
#include "core/map/map_document.h"
#include "core/tools/event_flags.h"

namespace quillane::tools {

inline constexpr int kSaveSlots = 9;  // slots 1..9

struct TestSaveInput {
  const data::ProjectDatabase& db;
  const map::MapDocument& map;  // the map being edited
  int mapNumber;
  const EventFlags& flags;
};

// The start position in pixels: (start event's cell + adds) × 32, or the adds × 32
// alone when the map has no such event.
std::pair<int, int> startPixels(const map::MapDocument& map);

// The file's bytes. Empty optional when a text that is written bare would break the
// file (a comma, CR or LF in a name); `badText` then receives that text.
std::optional<text::Bytes> testSaveBytes(const TestSaveInput& in, text::Bytes* badText = nullptr);

// "SAV\DATA<n>.DAT"
std::string testSaveName(int slot);

// Writes slot `slot` (1..9) under the project folder: SAV\ is created when missing,
// the file goes through a temporary file and a rename, so a failure leaves the previous
// file. Empty optional on success, else the reason (for the message).
std::optional<std::string> writeTestSave(const std::filesystem::path& projectFolder, int slot,
                                         const text::Bytes& bytes);

}  // namespace quillane::tools
