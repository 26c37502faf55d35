#pragma once
// A minimal PNG writer for 8-bit RGBA pictures (the desktop icons). The image data is
// kept in stored (uncompressed) deflate blocks, so no compression library is needed.
#include <cstdint>
#include <string>
#include <vector>

namespace make_assets {

struct Rgba {
  std::uint8_t r = 0, g = 0, b = 0, a = 0;
};

// Writes `pixels` (row by row, width × height) to `path`; throws on failure.
void savePng(const std::string& path, int width, int height, const std::vector<Rgba>& pixels);

}  // namespace make_assets
