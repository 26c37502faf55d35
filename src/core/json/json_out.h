#pragma once
// The writing walker of the JSON form of a project: emits the document as it is walked,
// pretty-printed with one field per line (arrays of plain numbers stay on the line of
// their field), so that a small edit of the project is a small diff of the document.
// Texts are converted from CP932 to UTF-8; a text whose bytes would not come back the
// same through UTF-8 is written as {"cp932": "<hexadecimal bytes>"}.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/json/json_fields.h"
#include "core/text/cp932.h"

namespace quillane::json {

class JsonOut {
 public:
  static constexpr bool kReading = false;
  // Opens the root object in `out`; finish() closes it.
  explicit JsonOut(std::string& out);
  void finish();

  void num(const char* key, const float& v);
  void i32(const char* key, const std::int32_t& v);
  void integer(const char* key, const int& v, int lo, int hi);
  void text(const char* key, const text::Bytes& v, TextKind kind = TextKind::Quoted);
  // n numbers on one line.
  template <class Numbers>
  void nums(const char* key, const Numbers& values, int n) {
    openKey(key);
    out_ += '[';
    for (int i = 0; i < n; ++i) {
      if (i) out_ += ", ";
      number(static_cast<double>(values[static_cast<std::size_t>(i)]));
    }
    out_ += ']';
  }
  // n rows of `width` numbers, one row per line.
  template <class Rows>
  void numRows(const char* key, const Rows& rows, int n, int width) {
    openKey(key);
    open('[');
    for (int i = 0; i < n; ++i) {
      element();
      const auto& row = rows[static_cast<std::size_t>(i)];
      out_ += '[';
      for (int k = 0; k < width; ++k) {
        if (k) out_ += ", ";
        number(static_cast<double>(row[static_cast<std::size_t>(k)]));
      }
      out_ += ']';
    }
    close(']', n > 0);
  }
  void textList(const char* key, std::vector<text::Bytes>& values, int, const char*,
                TextKind kind = TextKind::Quoted) {
    texts(key, values, static_cast<int>(values.size()), kind);
  }
  // n texts, one per line.
  template <class Texts>
  void texts(const char* key, const Texts& values, int n, TextKind kind = TextKind::Quoted) {
    openKey(key);
    open('[');
    for (int i = 0; i < n; ++i) {
      element();
      string(values[static_cast<std::size_t>(i)]);
    }
    close(']', n > 0);
  }
  template <class Body>
  void object(const char* key, Body&& body) {
    openKey(key);
    open('{');
    body();
    close('}', true);
  }
  // An array of n objects; body(i) walks the fields of object i.
  template <class Body>
  void records(const char* key, int n, const char* /*countName*/, Body&& body) {
    openKey(key);
    open('[');
    for (int i = 0; i < n; ++i) {
      element();
      open('{');
      body(i);
      close('}', true);
    }
    close(']', n > 0);
  }
  // The same with a length the document chooses (at most `max`).
  template <class Body>
  void list(const char* key, int& n, int /*max*/, const char* /*what*/, Body&& body) {
    records(key, n, nullptr, body);
  }
  // An object written only when `present`.
  template <class Body>
  void optionalObject(const char* key, bool& present, Body&& body) {
    if (present) object(key, body);
  }

 private:
  void openKey(const char* key);
  void element();
  void open(char bracket);
  void close(char bracket, bool hadContent);
  void newline();
  void number(double v);
  void string(const text::Bytes& v);

  std::string& out_;
  int depth_ = 0;
  bool first_ = true;  // no member written yet in the innermost container
};

}  // namespace quillane::json
