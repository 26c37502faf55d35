#include <gtest/gtest.h>

#include "core/text/cp932.h"
#include "core/text/item_reader.h"
#include "core/text/item_writer.h"

using namespace quillane::text;

TEST(TextForm, NumbersRoundTripInTheWriterForm) {
  ItemWriter w;
  w.number(12);
  w.number(-3);
  w.number(0);
  w.number(16711935);
  w.number(62.5);
  EXPECT_EQ(w.bytes(), " 12 ,-3 , 0 , 16711935 , 62.5 ,");
  ItemReader r(w.bytes(), "x");
  EXPECT_EQ(r.number(), 12);
  EXPECT_EQ(r.number(), -3);
  EXPECT_EQ(r.number(), 0);
  EXPECT_EQ(r.int32(), 16711935);
  EXPECT_EQ(r.number(), 62.5);
  EXPECT_TRUE(r.atEnd());
}

TEST(TextForm, ItemsEndAtCommaLineBreakOrEnd) {
  ItemReader r("\"a,b\", 5 \r\n99\r\n 7 ,\"x\"", "f");
  EXPECT_EQ(r.text(), "a,b");  // a quoted text may hold a comma
  EXPECT_EQ(r.number(), 5);
  EXPECT_EQ(r.bare(), "99");
  EXPECT_EQ(r.number(), 7);
  EXPECT_EQ(r.text(), "x");
  EXPECT_THROW(r.number(), ReadError);
}

TEST(TextForm, DamagedItemsNameFileAndItem) {
  ItemReader r(" 1 ,abc,", "DAT\\bzenMAX.DAT");
  r.number();
  try {
    r.number();
    FAIL();
  } catch (const ReadError& e) {
    EXPECT_EQ(e.file(), "DAT\\bzenMAX.DAT");
    EXPECT_EQ(e.item(), 2u);
  }
  ItemReader big(" 5000 ,", "f");
  EXPECT_THROW(big.bounded(0, 999, "a count"), ReadError);
  ItemReader open("\"never closed", "f");
  EXPECT_THROW(open.text(), ReadError);
}

TEST(Cp932, WalksByCharacter) {
  Bytes so = sj("ソ");  // trail byte 0x5C
  ASSERT_EQ(so.size(), 2u);
  EXPECT_EQ(static_cast<unsigned char>(so[1]), 0x5C);
  EXPECT_EQ(findAtCharStart(so + "\\", "\\"), 2u);
  EXPECT_EQ(upperAscii(sj("aソb")), sj("AソB"));
  EXPECT_EQ(fitToWidth(sj("aあい"), 4), sj("aあ") + " ");
  EXPECT_EQ(fitToWidth("ab", 4), "ab  ");
  EXPECT_EQ(toUtf8(sj("編集パスワード")), "編集パスワード");
  EXPECT_FALSE(fromUtf8("\xF0\x9F\x98\x80").has_value());  // an emoji has no CP932 code
}
