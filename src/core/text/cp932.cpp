#include "core/text/cp932.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <vector>
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

// The iconv descriptor for one direction, opened once per thread and reset before each
// use: opening one costs far more than converting a line, and text is converted
// character by character on its way to the screen.
iconv_t descriptor(const char* to, const char* from) {
  struct Open {
    std::string to, from;
    iconv_t cd;
  };
  struct Cache {
    std::vector<Open> open;
    ~Cache() {
      for (Open& o : open) iconv_close(o.cd);
    }
  };
  thread_local Cache cache;
  for (Open& o : cache.open)
    if (o.to == to && o.from == from) {
      iconv(o.cd, nullptr, nullptr, nullptr, nullptr);
      return o.cd;
    }
  iconv_t cd = iconv_open(to, from);
  if (cd != reinterpret_cast<iconv_t>(-1)) cache.open.push_back({to, from, cd});
  return cd;
}

// Converts with iconv; returns false when a character cannot be converted and
// `strict` is set, otherwise substitutes `replacement` for each bad sequence.
bool convert(const char* to, const char* from, std::string_view in, std::string& out, bool strict,
             std::string_view replacement, std::size_t badStep) {
  iconv_t cd = descriptor(to, from);
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
  return ok;
}

}  // namespace

std::optional<Bytes> fromUtf8(std::string_view utf8) {
  std::string out;
  if (!convert("CP932", "UTF-8", utf8, out, true, "", 1)) return std::nullopt;
  return out;
}

std::string toUtf8(std::string_view cp932) {
  // ASCII is copied as it is; each run of other characters is converted in one call, or,
  // when it holds a bad byte, character by character so that the bad byte spoils only
  // itself.
  std::string out;
  out.reserve(cp932.size() + cp932.size() / 2);
  std::string piece;
  for (std::size_t i = 0; i < cp932.size();) {
    if (static_cast<unsigned char>(cp932[i]) < 0x80) {
      out.push_back(cp932[i++]);
      continue;
    }
    std::size_t end = i;
    while (end < cp932.size() && static_cast<unsigned char>(cp932[end]) >= 0x80) end += charLength(cp932, end);
    end = std::min(end, cp932.size());
    if (convert("UTF-8", "CP932", cp932.substr(i, end - i), piece, true, "", 1)) {
      out += piece;
      i = end;
      continue;
    }
    for (; i < end;) {
      std::size_t n = charLength(cp932, i);
      if (convert("UTF-8", "CP932", cp932.substr(i, n), piece, true, "", n))
        out += piece;
      else
        out += "\xEF\xBF\xBD";
      i += n;
    }
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
