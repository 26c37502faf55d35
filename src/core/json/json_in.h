#pragma once
// The reading walker of the JSON form of a project: takes each field from a parsed
// document by its key, checks its type and the limits of the project files, and names
// the place of the first problem as a path ("items[12].name"). Keys the walk does not
// know are refused too, so that a misspelt field is never silently dropped.
#include <array>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/json/json_fields.h"
#include "core/text/cp932.h"

namespace quillane::json {

using Json = nlohmann::json;

// A document that does not fit a project: `path` names the key, `what` the problem.
class DocumentError : public std::runtime_error {
 public:
  DocumentError(std::string path, std::string what)
      : std::runtime_error((path.empty() ? std::string("document") : path) + ": " + what),
        path(std::move(path)), problem(std::move(what)) {}
  std::string path;
  std::string problem;
};

class JsonIn {
 public:
  static constexpr bool kReading = true;
  // `prefix` is put before every path (the place of `root` inside a larger document).
  explicit JsonIn(const Json& root, std::string prefix = {});
  // Refuses keys of the root object that the walk did not take.
  void finish();

  void num(const char* key, float& v);
  void i32(const char* key, std::int32_t& v);
  void integer(const char* key, int& v, int lo, int hi);
  void text(const char* key, text::Bytes& v, TextKind kind = TextKind::Quoted);

  template <class Numbers>
  void nums(const char* key, Numbers& values, int n) {
    const Json& a = array(key, n);
    readNumbers(a, values, n);
    leave();
  }
  // n rows of `width` numbers each.
  template <class Rows>
  void numRows(const char* key, Rows& rows, int n, int width) {
    const Json& a = array(key, n);
    for (int i = 0; i < n; ++i) {
      enterIndex(i);
      const Json& row = a[static_cast<std::size_t>(i)];
      if (!row.is_array() || static_cast<int>(row.size()) != width)
        fail("an array of " + std::to_string(width) + " numbers expected");
      readNumbers(row, rows[static_cast<std::size_t>(i)], width);
      leave();
    }
    leave();
  }
  // Texts of a list whose length the document chooses (at most `max`).
  void textList(const char* key, std::vector<text::Bytes>& values, int max, const char* what,
                TextKind kind = TextKind::Quoted);
  template <class Texts>
  void texts(const char* key, Texts& values, int n, TextKind kind = TextKind::Quoted) {
    const Json& a = array(key, n);
    for (int i = 0; i < n; ++i) {
      enterIndex(i);
      values[static_cast<std::size_t>(i)] = convertText(a[static_cast<std::size_t>(i)], kind);
      leave();
    }
    leave();
  }
  template <class Body>
  void object(const char* key, Body&& body) {
    enterObject(member(key, true), key, -1);
    body();
    leaveObject();
  }
  template <class Body>
  void records(const char* key, int n, const char* countName, Body&& body) {
    const Json& a = array(key, -1);
    if (static_cast<int>(a.size()) != n)
      fail(std::to_string(n) + " records expected (" + countName + "), found " + std::to_string(a.size()));
    walkElements(a, body);
    leave();
  }
  template <class Body>
  void list(const char* key, int& n, int max, const char* what, Body&& body) {
    const Json& a = array(key, -1);
    if (static_cast<int>(a.size()) > max)
      fail("too many records: at most " + std::to_string(max) + " " + what + ", found " + std::to_string(a.size()));
    n = static_cast<int>(a.size());
    walkElements(a, body);
    leave();
  }
  template <class Body>
  void optionalObject(const char* key, bool& present, Body&& body) {
    const Json* v = member(key, false);
    present = v != nullptr;
    if (present) {
      enterObject(v, key, -1);
      body();
      leaveObject();
    }
  }

  // Fails at the current place (+ `key` when given).
  [[noreturn]] void fail(const std::string& what, const char* key = nullptr) const;
  std::string path(const char* key = nullptr) const;

 private:
  struct Frame {
    const Json* value;  // the object or array entered
    const char* key;    // its key, or nullptr for an array element
    int index;
    std::vector<const char*> taken;  // keys taken from an object
  };

  template <class Body>
  void walkElements(const Json& a, Body& body) {
    for (std::size_t i = 0; i < a.size(); ++i) {
      enterObject(&a[i], nullptr, static_cast<int>(i));
      body(static_cast<int>(i));
      leaveObject();
    }
  }
  template <class Numbers>
  void readNumbers(const Json& a, Numbers& values, int n) {
    using T = std::remove_reference_t<decltype(values[0])>;
    for (int i = 0; i < n; ++i) {
      double d = number(a[static_cast<std::size_t>(i)], nullptr, i);
      if constexpr (std::is_integral_v<T>) {
        if (d != static_cast<double>(static_cast<long long>(d)) || d < INT32_MIN || d > INT32_MAX)
          throw DocumentError(path() + "[" + std::to_string(i) + "]", "a whole 32-bit number expected");
        values[static_cast<std::size_t>(i)] = static_cast<T>(d);
      } else {
        values[static_cast<std::size_t>(i)] = toFloat(d, nullptr, i);
      }
    }
  }
  float toFloat(double d, const char* key, int index) const;
  const Json* member(const char* key, bool required);
  const Json& array(const char* key, int n);  // enters it; n >= 0: exactly n elements
  void enterObject(const Json* v, const char* key, int index);
  void leaveObject();
  void enterIndex(int index);
  void leave() { stack_.pop_back(); }
  double number(const Json& v, const char* key, int index);
  text::Bytes convertText(const Json& v, TextKind kind);

  std::string prefix_;
  std::vector<Frame> stack_;
};

}  // namespace quillane::json
