#include "core/text/cp932.h"

#include <iconv.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <unordered_map>

namespace quillane::text {

bool isLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

std::size_t charLength(std::string_view s, std::size_t pos) {
  if (pos + 1 < s.size() && isLeadByte(static_cast<unsigned char>(s[pos]))) return 2;
  return 1;
}

Bytes upperAscii(std::string_view s) {
  Bytes out(s);
  for (std::size_t i = 0; i < out.size();) {
    std::size_t n = charLength(out, i);
    if (n == 1 && out[i] >= 'a' && out[i] <= 'z') out[i] = static_cast<char>(out[i] - 'a' + 'A');
    i += n;
  }
  return out;
}

Bytes cutToWidth(std::string_view s, std::size_t width) {
  std::size_t end = 0;
  while (end < s.size()) {
    std::size_t n = charLength(s, end);
    if (end + n > width) break;
    end += n;
  }
  return Bytes(s.substr(0, end));
}

Bytes fitToWidth(std::string_view s, std::size_t width) {
  Bytes out = cutToWidth(s, width);
  out.append(width - out.size(), ' ');
  return out;
}

std::size_t findAtCharStart(std::string_view hay, std::string_view needle, std::size_t from) {
  if (needle.empty()) return from <= hay.size() ? from : std::string_view::npos;
  std::size_t i = 0;
  while (i < from && i < hay.size()) i += charLength(hay, i);
  for (; i + needle.size() <= hay.size(); i += charLength(hay, i)) {
    if (hay.compare(i, needle.size(), needle) == 0) return i;
  }
  return std::string_view::npos;
}

Bytes trimRight(std::string_view s) {
  std::size_t end = s.size();
  while (end > 0 && s[end - 1] == ' ') --end;
  return Bytes(s.substr(0, end));
}

Bytes trim(std::string_view s) {
  std::size_t b = 0, e = s.size();
  while (b < e && (s[b] == ' ' || s[b] == '\t')) ++b;
  while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t')) --e;
  return Bytes(s.substr(b, e - b));
}

namespace {

// Converts with iconv; returns false when a character cannot be converted and
// `strict` is set, otherwise substitutes `replacement` for each bad sequence.
bool convert(const char* to, const char* from, std::string_view in, std::string& out, bool strict,
             std::string_view replacement, std::size_t badStep) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    std::fprintf(stderr, "iconv cannot convert %s to %s\n", from, to);
    std::abort();
  }
  out.clear();
  char* src = const_cast<char*>(in.data());
  std::size_t srcLeft = in.size();
  char buf[1024];
  bool ok = true;
  while (srcLeft > 0) {
    char* dst = buf;
    std::size_t dstLeft = sizeof buf;
    std::size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    out.append(buf, dst - buf);
    if (r == static_cast<std::size_t>(-1)) {
      if (errno == E2BIG) continue;
      ok = false;
      if (strict) break;
      out.append(replacement);
      std::size_t step = std::min(badStep, srcLeft);
      src += step;
      srcLeft -= step;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
  }
  iconv_close(cd);
  return ok;
}

}  // namespace

std::optional<Bytes> fromUtf8(std::string_view utf8) {
  std::string out;
  if (!convert("CP932", "UTF-8", utf8, out, true, "", 1)) return std::nullopt;
  return out;
}

std::string toUtf8(std::string_view cp932) {
  // Convert character by character so that one bad byte spoils only itself.
  std::string out;
  for (std::size_t i = 0; i < cp932.size();) {
    std::size_t n = charLength(cp932, i);
    unsigned char c = static_cast<unsigned char>(cp932[i]);
    if (n == 1 && c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else {
      std::string piece;
      if (convert("UTF-8", "CP932", cp932.substr(i, n), piece, true, "", n))
        out += piece;
      else
        out += "\xEF\xBF\xBD";
    }
    i += n;
  }
  return out;
}

Bytes sj(std::string_view utf8Literal) {
  static std::mutex mutex;
  static std::unordered_map<std::string, Bytes> cache;
  std::lock_guard<std::mutex> lock(mutex);
  auto it = cache.find(std::string(utf8Literal));
  if (it != cache.end()) return it->second;
  auto converted = fromUtf8(utf8Literal);
  if (!converted) {
    std::fprintf(stderr, "literal has no CP932 form: %.*s\n", static_cast<int>(utf8Literal.size()),
                 utf8Literal.data());
    std::abort();
  }
  cache.emplace(std::string(utf8Literal), *converted);
  return *converted;
}

}  // namespace quillane::text
