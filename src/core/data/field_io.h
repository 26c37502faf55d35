#pragma once
// The two walkers of a table file. Each file's layout is written once, as a function
// template over the walker: the reader fills the fields in order and applies the
// version gates, the writer writes the same fields in the same order at version 340
// (where every gate is open). Defaults of old versions sit beside the gate.
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

#include "core/data/project_database.h"
#include "core/data/random_items.h"
#include "core/data/random_source.h"
#include "core/data/record_columns.h"
#include "core/data/reserved_slots.h"
#include "core/text/item_reader.h"
#include "core/text/item_writer.h"

namespace quillane::data {

class FieldReader {
 public:
  static constexpr bool kReading = true;
  FieldReader(std::string_view bytes, std::string file, int version, HiddenFields& hidden)
      : version(version), in_(bytes, std::move(file)), hidden_(hidden) {}

  const int version;

  // Inline: a large table is mostly numbers, read one call each. The writer's form
  // (at most nine digits) always fits; other forms are checked against the float range.
  [[gnu::always_inline]] void num(float& v) {
    if (!in_.writerReal(v)) numOtherForm(v);
  }
  void i32(std::int32_t& v) { v = in_.int32(); }
  // `count` records of interleaved number columns (float or int32): item r * k + c of
  // the run goes to cols[c][r]. Runs in the writer's form are read in bulk; a record
  // holding any other form is read item by item, exactly as num() and i32() read it.
  // When an item fails, every cell not read yet is zeroed before the error goes on.
  template <class... Col>
  void columns(int count, Col*... cols) {
    columnsOf(std::index_sequence_for<Col...>{}, count, cols...);
  }
  void text(Bytes& v) { in_.text(v); }
  // n consecutive texts: runs of short ones in the writer's form in bulk, any other
  // item as text() reads it.
  void texts(Bytes* v, int n) {
    for (int i = 0; i < n;) {
      i += static_cast<int>(in_.shortTexts(v + i, static_cast<std::size_t>(n - i)));
      if (i < n) in_.text(v[i++]);
    }
  }
  void bare(Bytes& v) { v = in_.bare(); }
  void filler() { in_.skip(1); }
  void fillers(int n) { in_.skip(n); }
  // A count of MaxValues: a whole number within 0..range.hi.
  void count(int& v, CountRange range, const char* what) { v = in_.bounded(0, range.hi, what); }
  // A number this editor writes as a constant (the version field); read and dropped.
  void constant(double) { in_.number(); }
  void reserved(ReservedRow row);
  // The checksum at the head of a script file.
  void check(float& stored, int) { num(stored); }

  text::ItemReader& items() { return in_; }

 private:
  void numOtherForm(float& v);
  void item(float& v) { num(v); }
  void item(std::int32_t& v) { i32(v); }

  template <std::size_t... C, class... Col>
  void columnsOf(std::index_sequence<C...>, int count, Col*... cols) {
    constexpr int k = sizeof...(Col);
    constexpr int kRecords = 2048 / k;  // records read per bulk call (the run on the stack: 8 KB)
    std::int32_t run[kRecords * k];
    for (int r = 0; r < count;) {
      const int want = std::min(count - r, kRecords);
      const int got = static_cast<int>(in_.writerRun(run, static_cast<std::size_t>(want) * k));
      const int full = got / k;
      spreadRecords(run, full, (cols + r)...);
      r += full;
      if (full == want) continue;
      // Record r: its first `done` items came in the run, the rest are read one by one.
      const int done = got - full * k;
      int next = done;  // the first item of record r not read yet
      try {
        ((int(C) < done ? void(cols[r] = static_cast<Col>(run[full * k + int(C)])) : (item(cols[r]), void(++next))),
         ...);
      } catch (...) {
        // What is left unread is zeroed: the caller's columns may be unset memory.
        ((int(C) >= next ? void(cols[r] = Col{}) : void()), ...);
        ((std::fill(cols + r + 1, cols + count, Col{})), ...);
        throw;
      }
      ++r;
    }
  }

  text::ItemReader in_;
  HiddenFields& hidden_;
};

// Thrown when a text in memory would break its file; nothing is written then. `where`
// is the offending text, so the caller can name its table, record and field.
class UnwritableText : public std::runtime_error {
 public:
  UnwritableText(const std::string& what, const Bytes* where) : std::runtime_error(what), where(where) {}
  const Bytes* where;
};

class FieldWriter {
 public:
  static constexpr bool kReading = false;
  // `version` other than 340 writes an older layout (tests make old projects with it).
  // The file is written into `reuse` (emptied first), a buffer kept from an earlier save.
  FieldWriter(std::string file, const HiddenFields& hidden, RandomSource& random, int version = kWriteVersion,
              Bytes reuse = {})
      : version(version), file_(std::move(file)), hidden_(hidden), random_(random), out_(std::move(reuse)) {}

  const int version;

  // Inline, as the reader's: most of a table is numbers, written one call each.
  [[gnu::always_inline]] void num(const float& v) { out_.number(v); }
  [[gnu::always_inline]] void i32(const std::int32_t& v) { out_.number(v); }
  // Records of interleaved number columns, written in the same form as num() and i32()
  // with one check of room per record.
  template <class... Col>
  void columns(int count, const Col*... cols) {
    out_.columns(count, cols...);
  }
  // Inline: a table holds tens of thousands of texts; the refusal is out of line.
  [[gnu::always_inline]] void text(const Bytes& v) {
    if (!out_.quotedText(v)) [[unlikely]] refuseQuoted(v);
  }
  // n consecutive texts, written as text() writes each.
  void texts(const Bytes* v, int n) {
    const std::size_t done = out_.quotedTexts(v, static_cast<std::size_t>(n));
    if (done < static_cast<std::size_t>(n)) refuseQuoted(v[done]);
  }
  void bare(const Bytes& v);
  void filler() { out_.number(random_.filler()); }
  void fillers(int n) { writeFillers(out_, random_, n); }
  void count(const int& v, CountRange, const char*) { out_.number(v); }
  // n fresh random whole numbers 0..below-1 (slots no reader uses), drawn and written
  // in bulk.
  void randomNumbers(int n, int below) { writeRandomNumbers(out_, random_, n, below); }
  void constant(double v) { out_.number(v); }
  void reserved(ReservedRow row);
  void check(const float&, int expected) { out_.number(expected); }

  text::ItemWriter& items() { return out_; }
  Bytes take() { return out_.take(); }

 private:
  [[noreturn, gnu::cold, gnu::noinline]] void refuseQuoted(const Bytes& v) const;

  std::string file_;
  const HiddenFields& hidden_;
  RandomSource& random_;
  text::ItemWriter out_;
};

}  // namespace quillane::data
