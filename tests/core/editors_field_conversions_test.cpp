#include <gtest/gtest.h>

#include "core/editors/field_conversions.h"

namespace quillane::editors {
namespace {

using text::sj;

TEST(FieldConversions, NumbersFollowTheTypedNumberRule) {
  EXPECT_EQ(typedNumber("12abc"), 12.0f);
  EXPECT_EQ(typedNumber(sj("－１２")), -12.0f);  // full-width sign and digits
  EXPECT_EQ(typedNumber("2.5"), 3.0f);           // rounded half away from zero
  EXPECT_EQ(typedNumber(""), 0.0f);
  EXPECT_EQ(typedNumber("123456789"), 9999999.0f);
  EXPECT_EQ(typedInt32("99999999999"), 2147483647);
  EXPECT_EQ(typedInt32("-7.5"), -8);
  EXPECT_EQ(typedAtLeastOne("0"), 1.0f);
  EXPECT_EQ(typedAtLeastOne("x"), 1.0f);
  EXPECT_EQ(typedAtLeastOne("-4"), -4.0f);
}

TEST(FieldConversions, ShownNumbersHaveNoBlanks) {
  EXPECT_EQ(shownNumber(12), "12");
  EXPECT_EQ(shownNumber(-3), "-3");
  EXPECT_EQ(shownNumber(62.5), "62.5");
  EXPECT_EQ(shownNumber(16711935), "16711935");
}

TEST(FieldConversions, OddByteLengthsArePaddedToEven) {
  EXPECT_EQ(evenLengthText("abc"), "abc ");
  EXPECT_EQ(evenLengthText(sj("勇者")), sj("勇者"));
  EXPECT_EQ(evenLengthText(sj("勇者A")), sj("勇者A "));
  EXPECT_EQ(evenLengthText(""), "");
}

TEST(FieldConversions, SelectorRowsAndStoredIndices) {
  // None99: row 0 stores 99, row k stores k - 1.
  EXPECT_EQ(storedIndex(0, IndexRule::None99), 99.0f);
  EXPECT_EQ(storedIndex(1, IndexRule::None99), 0.0f);
  EXPECT_EQ(shownRow(99, 11, IndexRule::None99), 0);
  EXPECT_EQ(shownRow(0, 11, IndexRule::None99), 1);
  EXPECT_EQ(shownRow(10, 11, IndexRule::None99), 0);  // beyond the table: shown as none
  // NoneZero: the row is the stored value.
  EXPECT_EQ(storedIndex(3, IndexRule::NoneZero), 3.0f);
  EXPECT_EQ(shownRow(3, 11, IndexRule::NoneZero), 3);
  EXPECT_EQ(shownRow(11, 11, IndexRule::NoneZero), 0);
  EXPECT_EQ(shownRow(-1, 11, IndexRule::NoneZero), 0);
  EXPECT_EQ(shownRow(1.5f, 11, IndexRule::NoneZero), 0);
  // Plain: no row for a value outside the list.
  EXPECT_EQ(shownRow(2, 3, IndexRule::Plain), 2);
  EXPECT_EQ(shownRow(3, 3, IndexRule::Plain), -1);
}

}  // namespace
}  // namespace quillane::editors
