#pragma once
// The map body file DAT\BZENM<nnn>.DAT: size, names, ground layer, settings and hooks,
// the version line, and the sky layer.
#include <string>
#include <string_view>

#include "core/data/random_source.h"
#include "core/map/map_document.h"
#include "core/map/map_file_context.h"

namespace quillane::map {

inline constexpr int kMapFormatVersion = 340;  // the version this editor writes

// Reads the body into `map` (size, names, settings, hooks, both layers; the sky
// tile-set name stays as it was when the file is older than the sky layer). Returns
// the file's version, which gates the event and flag files too. Throws ReadError.
int readMapBody(std::string_view bytes, const std::string& fileName, const MapFileContext& context,
                MapDocument& map);

// `version` below 340 writes an older layout (2-character cells before 260, no sky
// layer before 240); the values such a file cannot hold read back as their defaults.
text::Bytes writeMapBody(const MapDocument& map, const MapFileContext& context,
                         data::RandomSource& random, int version = kMapFormatVersion);

}  // namespace quillane::map
