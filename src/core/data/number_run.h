#pragma once
// A run of consecutive number fields of a table walk (the numbers of a record between
// its texts, or a section of numbers and fillers over many records), taken in the
// order the walk names them: num(), i32() and filler() as FieldReader and FieldWriter
// have them. The reader reads the run's items in the writer's form in bulk, ahead of
// the walk, and hands them out one by one; an item of any other form is read by the
// field reader itself when its turn comes, exactly as num(), i32() or filler() reads
// it, so the same values are read and the same item is refused. The writer writes each
// field as it is named.
//
// A run must name exactly as many fields as it was made for: the reader never reads
// beyond them, and what it read ahead would be lost.
#include <algorithm>
#include <cassert>
#include <cstdint>
#include <exception>

#include "core/data/field_io.h"
#include "core/data/record_columns.h"

namespace quillane::data {

template <class IO>
class NumberRun;

template <>
class NumberRun<FieldReader> {
 public:
  NumberRun(FieldReader& io, int items) : io_(io), left_(items) {
#ifndef NDEBUG
    unwinding_ = std::uncaught_exceptions();
#endif
  }
  NumberRun(const NumberRun&) = delete;
  NumberRun& operator=(const NumberRun&) = delete;
  // Every field named (unless an item failed).
  ~NumberRun() { assert((left_ == 0 && at_ == got_) || std::uncaught_exceptions() > unwinding_); }

  [[gnu::always_inline]] void num(float& v) {
    if (ahead()) v = static_cast<float>(values_[at_++]); else io_.num(v);
  }
  [[gnu::always_inline]] void i32(std::int32_t& v) {
    if (ahead()) v = values_[at_++]; else io_.i32(v);
  }
  [[gnu::always_inline]] void filler() {
    if (ahead()) ++at_; else io_.filler();
  }
  // `count` records of interleaved columns, as FieldReader::columns() lays them out.
  template <class... Col>
  void columns(int count, Col*... cols) {
    constexpr int k = sizeof...(Col);
    for (int r = 0; r < count;) {
      // The records read ahead whole, then one record item by item (reading on).
      const int whole = std::min(count - r, (got_ - at_) / k);
      spreadRecords(values_ + at_, whole, (cols + r)...);
      at_ += whole * k;
      r += whole;
      if (r < count) {
        (item(cols[r]), ...);
        ++r;
      }
    }
  }

 private:
  static constexpr int kAhead = 512;  // items read ahead at most
  static constexpr std::size_t kWindowsFrom = 10;  // runs read with writerRun's windows

  [[gnu::always_inline]] void item(float& v) { num(v); }
  [[gnu::always_inline]] void item(std::int32_t& v) { i32(v); }

  // Whether the next item was read ahead (reading on when those read are used up).
  // False when it is of another form: it is then counted as read by the caller.
  [[gnu::always_inline]] bool ahead() { return at_ < got_ || readAhead(); }
  [[gnu::noinline]] bool readAhead() {
    assert(left_ > 0);
    at_ = 0;
    const auto want = static_cast<std::size_t>(std::min(left_, kAhead));
    // The bulk windows cost more to set up than a few numbers take one by one.
    text::ItemReader& in = io_.items();
    got_ = static_cast<int>(want < kWindowsFrom ? in.writerNumbers(values_, want) : in.writerRun(values_, want));
    left_ -= got_ != 0 ? got_ : 1;
    return got_ != 0;
  }

  FieldReader& io_;
  int left_;  // items of the run not read yet
  int at_ = 0, got_ = 0;
  [[maybe_unused]] int unwinding_ = 0;
  std::int32_t values_[kAhead];
};

template <>
class NumberRun<FieldWriter> {
 public:
  NumberRun(FieldWriter& io, int) : io_(io) {}
  void num(const float& v) { io_.num(v); }
  void i32(const std::int32_t& v) { io_.i32(v); }
  void filler() { io_.filler(); }
  template <class... Col>
  void columns(int count, const Col*... cols) {
    io_.columns(count, cols...);
  }

 private:
  FieldWriter& io_;
};

}  // namespace quillane::data
