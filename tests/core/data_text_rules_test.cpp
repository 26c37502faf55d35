// What may be typed: texts that would break a file, numbers, passwords.
#include <gtest/gtest.h>

#include "core/data/text_rules.h"
#include "core/event/event_codes.h"
#include "core/event/event_editing.h"

namespace quillane::data {
namespace {

using text::sj;

TEST(DataTextRules, TextsThatWouldBreakAFileAreRefused) {
  EXPECT_FALSE(refuseText(sj("勇者の剣, 改")).has_value());  // a comma inside quotes is fine
  EXPECT_TRUE(refuseText("say \"hi\"").has_value());
  EXPECT_TRUE(refuseText("two\nlines").has_value());
  EXPECT_TRUE(refuseText("cr\r").has_value());
  EXPECT_TRUE(refuseText("cur,sor", TextUse::Bare).has_value());
  EXPECT_FALSE(refuseText("cursor", TextUse::Bare).has_value());
  EXPECT_TRUE(refuseText("END", TextUse::Message).has_value());
  EXPECT_FALSE(refuseText("END", TextUse::Quoted).has_value());
  EXPECT_FALSE(refuseText("END!", TextUse::Message).has_value());
  // 0x5C and 0x22-like trail bytes: ソ (83 5C) is no quote, 表 (95 5C) neither.
  EXPECT_FALSE(refuseText(sj("ソ表")).has_value());
}

TEST(DataTextRules, OneLeadingNumberRuleForBoxesAndStoredTexts) {
  EXPECT_FALSE(leadingNumber("x1").has_value());
  EXPECT_FALSE(leadingNumber(" .").has_value());
  EXPECT_EQ(leadingNumber(sj("　－１．５円")), -1.5);
  // Codes and numbers kept as text read the same way as boxes.
  EXPECT_EQ(event::leadingNumber(sj("１１")), 11);
  EXPECT_EQ(event::leadingNumber(" -3x"), -3);
  EXPECT_EQ(event::readMovement(sj("１２")).pattern, 2);
  event::MapEvents events;
  event::createEvent(events, 4, 5, "01", 1);
  events.grid.at(4, 5).number = " 0";  // as some files hold it
  EXPECT_EQ(event::eventAt(events, 4, 5), 0);
  events.grid.at(4, 5).number = "x";
  EXPECT_EQ(event::eventAt(events, 4, 5), -1);
}

TEST(DataTextRules, TypedNumbersTakeTheLeadingNumber) {
  EXPECT_EQ(parseTypedNumber(""), 0);
  EXPECT_EQ(parseTypedNumber("abc"), 0);
  EXPECT_EQ(parseTypedNumber("  42abc"), 42);
  EXPECT_EQ(parseTypedNumber(sj("１２３")), 123);
  EXPECT_EQ(parseTypedNumber(sj("－４５")), -45);
  EXPECT_EQ(parseTypedNumber(sj("　＋７")), 7);
  EXPECT_EQ(parseTypedNumber("2.5"), 3);    // half away from zero
  EXPECT_EQ(parseTypedNumber("-2.5"), -3);
  EXPECT_EQ(parseTypedNumber("2.49"), 2);
  EXPECT_EQ(parseTypedNumber(sj("３．５")), 4);
  EXPECT_EQ(parseTypedNumber("-"), 0);
  EXPECT_EQ(parseTypedNumber("."), 0);
  EXPECT_EQ(parseTypedNumber("123456789"), 9999999);
  EXPECT_EQ(parseTypedNumber("-123456789"), -9999999);
  EXPECT_EQ(parseTypedNumber("123456789", NumberField::Int32), 123456789);
  EXPECT_EQ(parseTypedNumber("99999999999", NumberField::Int32), 2147483647);
  EXPECT_EQ(parseTypedNumber("-99999999999", NumberField::Int32), -2147483648.0);
  EXPECT_EQ(parseTypedNumber(std::string(400, '9')), 9999999);
  EXPECT_EQ(parseTypedReal("62.5"), 62.5);
}

TEST(DataTextRules, PasswordsAreTwelvePrintableSingleByteCharacters) {
  EXPECT_FALSE(refusePassword("").has_value());
  EXPECT_FALSE(refusePassword("abc-123 XYZ!").has_value());
  EXPECT_TRUE(refusePassword("abcdefghijklm").has_value());  // 13
  EXPECT_TRUE(refusePassword("a\"b").has_value());
  EXPECT_TRUE(refusePassword(sj("パス")).has_value());
  EXPECT_TRUE(refusePassword("tab\there").has_value());
}

}  // namespace
}  // namespace quillane::data
