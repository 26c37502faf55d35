#pragma once
// A map's three files in the project folder: whether the map exists, reading all
// three as one unit, reading another map's event list on its own, and the files a
// save writes.
#include <filesystem>
#include <string_view>
#include <vector>

#include "core/data/random_source.h"
#include "core/map/map_document.h"
#include "core/map/map_file_context.h"
#include "core/text/file_set_commit.h"

namespace quillane::map {

// A map exists when some case-variant of its body file exists.
bool mapExists(const std::filesystem::path& projectFolder, int number);

// Reads body, events and flags into a new document (modified = false). Nothing is
// returned unless all three reads succeed: a missing, unreadable or damaged file
// throws ReadError naming it.
MapDocument readMap(const std::filesystem::path& projectFolder, int number,
                    const MapFileContext& context);

// The same from bytes; the names are used in errors. `version`, when given, receives
// the body file's format version.
MapDocument readMapFromBytes(std::string_view body, std::string_view events, std::string_view flags,
                             const MapFileContext& context, int number = 0, int* version = nullptr);

// Another map's event list, read on its own. Never throws: a missing or unreadable
// file gives an empty list (lastNumber −1).
event::MapEvents readOtherMapEvents(const std::filesystem::path& projectFolder, int number,
                                    const MapFileContext& context) noexcept;

// The three files of map `number` in writing order (body, events, flags), named as the
// save creates them; FileSetCommit removes other case-variants first.
// `version` other than 340 writes the older layout of that map format version.
std::vector<files::NamedFile> writeMapFiles(const MapDocument& map, int number,
                                            const MapFileContext& context,
                                            data::RandomSource& random, int version = 340);

}  // namespace quillane::map
