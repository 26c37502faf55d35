#include "png_writer.h"

#include <array>
#include <fstream>
#include <stdexcept>

namespace make_assets {

namespace {

std::uint32_t crc32(const std::string& bytes, std::size_t from) {
  static const std::array<std::uint32_t, 256> table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  std::uint32_t c = 0xFFFFFFFFu;
  for (std::size_t i = from; i < bytes.size(); ++i)
    c = table[(c ^ static_cast<std::uint8_t>(bytes[i])) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

void putBig32(std::string& s, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) s.push_back(static_cast<char>((v >> shift) & 0xFF));
}

void chunk(std::string& out, const char* type, const std::string& data) {
  putBig32(out, static_cast<std::uint32_t>(data.size()));
  std::size_t start = out.size();
  out += type;
  out += data;
  putBig32(out, crc32(out, start));
}

// zlib stream of stored blocks (at most 65535 bytes each) with its Adler-32.
std::string storedZlib(const std::string& raw) {
  std::string z = "\x78\x01";
  std::size_t pos = 0;
  do {
    std::size_t len = std::min<std::size_t>(65535, raw.size() - pos);
    bool last = pos + len == raw.size();
    z.push_back(last ? 1 : 0);
    z.push_back(static_cast<char>(len & 0xFF));
    z.push_back(static_cast<char>(len >> 8));
    z.push_back(static_cast<char>(~len & 0xFF));
    z.push_back(static_cast<char>((~len >> 8) & 0xFF));
    z.append(raw, pos, len);
    pos += len;
  } while (pos < raw.size());
  std::uint32_t a = 1, b = 0;
  for (unsigned char c : raw) {
    a = (a + c) % 65521;
    b = (b + a) % 65521;
  }
  putBig32(z, (b << 16) | a);
  return z;
}

}  // namespace

void savePng(const std::string& path, int width, int height, const std::vector<Rgba>& pixels) {
  if (width <= 0 || height <= 0 || pixels.size() != static_cast<std::size_t>(width) * height)
    throw std::runtime_error("bad picture size for " + path);
  std::string raw;
  raw.reserve(static_cast<std::size_t>(height) * (width * 4 + 1));
  for (int y = 0; y < height; ++y) {
    raw.push_back(0);  // filter: none
    for (int x = 0; x < width; ++x) {
      const Rgba& p = pixels[static_cast<std::size_t>(y) * width + x];
      raw.push_back(static_cast<char>(p.r));
      raw.push_back(static_cast<char>(p.g));
      raw.push_back(static_cast<char>(p.b));
      raw.push_back(static_cast<char>(p.a));
    }
  }
  std::string header;
  putBig32(header, static_cast<std::uint32_t>(width));
  putBig32(header, static_cast<std::uint32_t>(height));
  header += std::string("\x08\x06\x00\x00\x00", 5);  // 8 bits, RGBA, deflate, no filter set, no interlace
  std::string out = "\x89PNG\r\n\x1a\n";
  chunk(out, "IHDR", header);
  chunk(out, "IDAT", storedZlib(raw));
  chunk(out, "IEND", "");
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (!file.write(out.data(), static_cast<std::streamsize>(out.size())))
    throw std::runtime_error("cannot write " + path);
}

}  // namespace make_assets
