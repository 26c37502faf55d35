#include "core/json/json_out.h"

#include <charconv>
#include <cmath>

#include "core/text/hex.h"

namespace quillane::json {

namespace {

bool isAscii(const text::Bytes& v) {
  for (char c : v)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

void appendEscaped(std::string& out, const std::string& utf8) {
  static const char kHex[] = "0123456789abcdef";
  out += '"';
  for (char c : utf8) {
    const auto u = static_cast<unsigned char>(c);
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (u < 0x20 || u == 0x7F) {
          out += "\\u00";
          out += kHex[u >> 4];
          out += kHex[u & 15];
        } else {
          out += c;
        }
    }
  }
  out += '"';
}

}  // namespace

JsonOut::JsonOut(std::string& out) : out_(out) { open('{'); }

void JsonOut::finish() {
  close('}', true);
  out_ += '\n';
}

void JsonOut::newline() {
  out_ += '\n';
  out_.append(static_cast<std::size_t>(2 * depth_), ' ');
}

void JsonOut::element() {
  if (!first_) out_ += ',';
  first_ = false;
  newline();
}

void JsonOut::openKey(const char* key) {
  element();
  out_ += '"';
  out_ += key;
  out_ += "\": ";
}

void JsonOut::open(char bracket) {
  out_ += bracket;
  ++depth_;
  first_ = true;
}

void JsonOut::close(char bracket, bool hadContent) {
  --depth_;
  if (!first_ && hadContent) newline();
  out_ += bracket;
  first_ = false;
}

void JsonOut::number(double v) {
  char buf[64];
  std::to_chars_result r;
  if (!std::isfinite(v)) {
    out_ += "null";  // no number a file can hold; a restore refuses it
    return;
  }
  if (std::fabs(v) < 1e15 && v == std::floor(v))
    r = std::to_chars(buf, buf + sizeof buf, static_cast<long long>(v));
  else if (static_cast<double>(static_cast<float>(v)) == v)
    r = std::to_chars(buf, buf + sizeof buf, static_cast<float>(v));  // the shortest form of the float
  else
    r = std::to_chars(buf, buf + sizeof buf, v);
  out_.append(buf, static_cast<std::size_t>(r.ptr - buf));
}

void JsonOut::string(const text::Bytes& v) {
  if (isAscii(v)) {
    appendEscaped(out_, v);
    return;
  }
  std::string utf8 = text::toUtf8(v);
  auto back = text::fromUtf8(utf8);
  if (back && *back == v) {
    appendEscaped(out_, utf8);
    return;
  }
  // Bytes that UTF-8 cannot carry unchanged (damage, or codes CP932 has twice).
  static const char kHex[] = "0123456789ABCDEF";
  out_ += "{\"cp932\": \"";
  for (char c : v) {
    const auto u = static_cast<unsigned char>(c);
    out_ += kHex[u >> 4];
    out_ += kHex[u & 15];
  }
  out_ += "\"}";
}

void JsonOut::num(const char* key, const float& v) {
  openKey(key);
  number(v);
}

void JsonOut::i32(const char* key, const std::int32_t& v) {
  openKey(key);
  number(v);
}

void JsonOut::integer(const char* key, const int& v, int, int) {
  openKey(key);
  number(v);
}

void JsonOut::text(const char* key, const text::Bytes& v, TextKind) {
  openKey(key);
  string(v);
}

}  // namespace quillane::json
