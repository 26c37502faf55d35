#pragma once
// Little-endian numbers appended to a file image, as the BMP and WAV headers hold them.
#include <cstdint>
#include <string>

namespace make_assets {

inline void put16(std::string& s, unsigned v) {
  s.push_back(static_cast<char>(v & 0xFF));
  s.push_back(static_cast<char>((v >> 8) & 0xFF));
}

inline void put32(std::string& s, std::uint32_t v) {
  put16(s, v & 0xFFFF);
  put16(s, v >> 16);
}

}  // namespace make_assets
