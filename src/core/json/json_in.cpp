#include "core/json/json_in.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "core/text/hex.h"

namespace quillane::json {

namespace {

std::string typeName(const Json& v) {
  if (v.is_null()) return "null";
  if (v.is_boolean()) return "true/false";
  if (v.is_number()) return "a number";
  if (v.is_string()) return "a text";
  if (v.is_array()) return "an array";
  return "an object";
}

// The first character of `utf8` that CP932 cannot hold.
std::string firstUnencodable(const std::string& utf8) {
  for (std::size_t i = 0; i < utf8.size();) {
    const auto b = static_cast<unsigned char>(utf8[i]);
    std::size_t len = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
    std::string one = utf8.substr(i, len);
    if (!text::fromUtf8(one)) return one;
    i += len;
  }
  return "?";
}

}  // namespace

JsonIn::JsonIn(const Json& root, std::string prefix) : prefix_(std::move(prefix)) {
  enterObject(&root, nullptr, -1);
}

void JsonIn::finish() { leaveObject(); }

std::string JsonIn::path(const char* key) const {
  std::string out = prefix_;
  auto addKey = [&out](const char* k) {
    if (!out.empty()) out += '.';
    out += k;
  };
  for (const Frame& f : stack_) {
    if (f.key) addKey(f.key);
    else if (f.index >= 0) out += "[" + std::to_string(f.index) + "]";
  }
  if (key) addKey(key);
  return out;
}

void JsonIn::fail(const std::string& what, const char* key) const { throw DocumentError(path(key), what); }

const Json* JsonIn::member(const char* key, bool required) {
  Frame& f = stack_.back();
  auto it = f.value->find(key);
  if (it == f.value->end()) {
    if (required) fail("missing", key);
    return nullptr;
  }
  f.taken.push_back(key);
  return &*it;
}

const Json& JsonIn::array(const char* key, int n) {
  const Json* v = member(key, true);
  if (!v->is_array()) fail("an array expected, found " + typeName(*v), key);
  if (n >= 0 && static_cast<int>(v->size()) != n)
    fail(std::to_string(n) + " values expected, found " + std::to_string(v->size()), key);
  stack_.push_back({v, key, -1, {}});
  return *v;
}

void JsonIn::enterObject(const Json* v, const char* key, int index) {
  stack_.push_back({v, key, index, {}});
  if (!v->is_object()) fail("an object expected, found " + typeName(*v));
}

void JsonIn::leaveObject() {
  const Frame& f = stack_.back();
  if (f.taken.size() != f.value->size()) {
    for (auto it = f.value->begin(); it != f.value->end(); ++it) {
      bool known = false;
      for (const char* k : f.taken) known = known || it.key() == k;
      if (!known) {
        const std::string name = it.key();
        fail("no such field", name.c_str());
      }
    }
  }
  stack_.pop_back();
}

void JsonIn::textList(const char* key, std::vector<text::Bytes>& values, int max, const char* what, TextKind kind) {
  const Json& a = array(key, -1);
  if (static_cast<int>(a.size()) > max)
    fail("too many records: at most " + std::to_string(max) + " " + what + ", found " + std::to_string(a.size()));
  values.assign(a.size(), {});
  for (std::size_t i = 0; i < a.size(); ++i) {
    enterIndex(static_cast<int>(i));
    values[i] = convertText(a[i], kind);
    leave();
  }
  leave();
}

void JsonIn::enterIndex(int index) { stack_.push_back({stack_.back().value, nullptr, index, {}}); }

double JsonIn::number(const Json& v, const char* key, int index) {
  auto place = [&] { return index >= 0 ? path() + "[" + std::to_string(index) + "]" : path(key); };
  if (!v.is_number()) throw DocumentError(place(), "a number expected, found " + typeName(v));
  const double d = v.get<double>();
  // What a single-precision real of the files can hold.
  if (!std::isfinite(d) || std::fabs(d) > 3.0e38) throw DocumentError(place(), "a number a project file can hold expected");
  return d;
}

void JsonIn::num(const char* key, float& v) { v = toFloat(number(*member(key, true), key, -1), key, -1); }

float JsonIn::toFloat(double d, const char* key, int index) const {
  const float v = static_cast<float>(d);
  if (static_cast<double>(v) == d) return v;
  // A fraction is held as the nearest single-precision real, written as its shortest
  // decimal: the document's number must be that decimal.
  char buf[32];
  auto r = std::to_chars(buf, buf + sizeof buf - 1, v);
  *r.ptr = '\0';
  if (std::strtod(buf, nullptr) != d)
    throw DocumentError(index >= 0 ? path() + "[" + std::to_string(index) + "]" : path(key),
                        "the files hold single-precision numbers: " + std::string(buf) + " would be stored instead");
  return v;
}

void JsonIn::i32(const char* key, std::int32_t& v) { integer(key, v, INT32_MIN, INT32_MAX); }

void JsonIn::integer(const char* key, int& v, int lo, int hi) {
  const Json* m = member(key, true);
  const double d = number(*m, key, -1);
  if (d != std::floor(d) || d < lo || d > hi)
    fail("a whole number from " + std::to_string(lo) + " to " + std::to_string(hi) + " expected, found " + m->dump(),
         key);
  v = static_cast<int>(d);
}

void JsonIn::text(const char* key, text::Bytes& v, TextKind kind) {
  const Json* m = member(key, true);
  stack_.push_back({m, key, -1, {}});
  v = convertText(*m, kind);
  stack_.pop_back();
}

text::Bytes JsonIn::convertText(const Json& v, TextKind kind) {
  text::Bytes bytes;
  if (v.is_string()) {
    const std::string& utf8 = v.get_ref<const std::string&>();
    auto converted = text::fromUtf8(utf8);
    if (!converted) fail("the character \"" + firstUnencodable(utf8) + "\" cannot be written in CP932 (Shift-JIS)");
    bytes = std::move(*converted);
  } else if (v.is_object() && v.size() == 1 && v.contains("cp932") && v["cp932"].is_string()) {
    const std::string& hex = v["cp932"].get_ref<const std::string&>();
    if (hex.size() % 2 != 0) fail("\"cp932\": an even number of hexadecimal digits expected");
    for (std::size_t i = 0; i < hex.size(); i += 2) {
      int hi = text::hexDigit(hex[i]), lo = text::hexDigit(hex[i + 1]);
      if (hi < 0 || lo < 0) fail("\"cp932\": hexadecimal digits expected");
      bytes.push_back(static_cast<char>(hi * 16 + lo));
    }
  } else {
    fail("a text expected, found " + typeName(v));
  }
  if (bytes.find('"') != text::Bytes::npos)
    fail("a double quote (\") cannot be stored: it would end the text in the project file");
  if (kind == TextKind::Bare && bytes.find_first_of(",\r\n") != text::Bytes::npos)
    fail("this text is stored without quotes: a comma or line break would end it");
  if (kind == TextKind::Message && bytes == "END")
    fail("\"END\" cannot be a message: it ends the message list");
  if (bytes == "99") {
    if (kind == TextKind::Script) fail("\"99\" cannot be a message text: it ends the script");
    if (kind == TextKind::Character) fail("\"99\" cannot be a character code: it ends the event list");
    if (kind == TextKind::StepKind) fail("\"99\" cannot be a step: it ends the steps");
  }
  return bytes;
}

}  // namespace quillane::json
