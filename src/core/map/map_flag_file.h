#pragma once
// The map flag file DAT\BZENE<nnn>.dat: the flag entries with their conditions and
// steps, the terminating entry, a bare 99 and ten fillers.
#include <string>
#include <string_view>
#include <vector>

#include "core/data/random_source.h"
#include "core/event/event_model.h"
#include "core/map/map_file_context.h"
#include "core/text/cp932.h"

namespace quillane::map {

// The entries before the terminating one (at most 60, each of at most 30 steps);
// `version` is the body file's version. Throws ReadError.
std::vector<event::FlagEntry> readMapFlagFile(std::string_view bytes, const std::string& fileName,
                                              const MapFileContext& context, int version);

// Writes entries 0..59 (an entry whose first condition is empty is left out: it would
// end the table when read), each with its steps up to the first "99" step (at most
// 30), then the terminating entry, a bare 99 and ten fillers.
// `version` is the body file's: the fillers are written from 210.
text::Bytes writeMapFlagFile(const std::vector<event::FlagEntry>& entries,
                             const MapFileContext& context, data::RandomSource& random,
                             int version = 340);

}  // namespace quillane::map
