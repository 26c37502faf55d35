#pragma once
// Tests that run once with each window reader of number runs (SSE2, AVX2, AVX-512):
// TEST_P suites derive their fixture from OnEachNumberWindows and are instantiated with
// INSTANTIATE_EACH_NUMBER_WINDOWS. Readers the machine lacks are skipped.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "core/text/number_windows.h"

namespace quillane::testing {

class OnEachNumberWindows : public ::testing::TestWithParam<text::NumberWindows> {
 protected:
  void SetUp() override {
    if (!text::hasNumberWindows(GetParam())) GTEST_SKIP() << "this machine lacks these instructions";
    was_ = text::useNumberWindows(GetParam());
    chosen_ = true;
    ASSERT_EQ(text::numberWindows(), GetParam());
  }
  void TearDown() override {
    if (chosen_) text::useNumberWindows(was_);
  }

 private:
  text::NumberWindows was_{};
  bool chosen_ = false;
};

inline std::string numberWindowsName(text::NumberWindows path) {
  switch (path) {
    case text::NumberWindows::Sse2: return "Sse2";
    case text::NumberWindows::Avx2: return "Avx2";
    case text::NumberWindows::Avx512: return "Avx512";
  }
  return "?";
}

// The writer's form of v (" 12 ,", "-3 ,").
inline std::string writerItem(long long v) { return (v < 0 ? "-" : " ") + std::to_string(std::llabs(v)) + " ,"; }

}  // namespace quillane::testing

#define INSTANTIATE_EACH_NUMBER_WINDOWS(Suite)                                                                    \
  INSTANTIATE_TEST_SUITE_P(EachWindowReader, Suite,                                                                \
                           ::testing::Values(text::NumberWindows::Sse2, text::NumberWindows::Avx2,                 \
                                             text::NumberWindows::Avx512),                                         \
                           [](const auto& info) { return quillane::testing::numberWindowsName(info.param); })
