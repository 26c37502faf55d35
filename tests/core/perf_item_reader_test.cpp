// The item reader's inline paths for the writer's own forms must read exactly what the
// general paths read: same values, same item numbers, same errors.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "core/text/item_reader.h"

using namespace quillane::text;

namespace {

// Reads every item of `data` as a number, once as it stands and once padded with a
// trailing run of items so that each item is far from the end (the inline path needs
// room ahead); both readings must agree.
void expectSameNumbers(const std::string& data, int count) {
  const std::string padded = data + std::string(40, ' ') + "0,";
  ItemReader nearEnd(data, "f");
  ItemReader inMiddle(padded, "f");
  for (int i = 0; i < count; ++i) {
    double a = nearEnd.number();
    double b = inMiddle.number();
    EXPECT_EQ(a, b) << "item " << i + 1 << " of \"" << data << "\"";
    EXPECT_EQ(std::signbit(a), std::signbit(b)) << "item " << i + 1;
    EXPECT_EQ(nearEnd.itemNumber(), inMiddle.itemNumber());
  }
}

}  // namespace

TEST(ItemReaderPaths, NumbersReadTheSameNearTheEndAndInTheMiddle) {
  expectSameNumbers(" 0 , 7 ,-3 , 123456789 ,-987654321 ,", 5);
  expectSameNumbers(" 9 , 90 ,-909 , 1000 , 99999 , 100009 , 9876543 , 16711935 ,-20000000 ,", 9);
  // Beyond the inline form: ten digits, no sign character, several blanks, a fraction,
  // a sign followed by blanks, an empty item, minus zero.
  expectSameNumbers(" 1234567890 ,5, 12   ,  4 , 2.5 ,-  6 ,,-0 ,", 8);
  // Every length of digits the eight-byte conversion takes, leading zeros, and the
  // lengths on either side of it.
  expectSameNumbers(" 1 , 12 , 123 , 1234 , 12345 , 123456 , 1234567 , 12345678 , 907654321 ,-0012 , 0000007 ,", 11);
  expectSameNumbers("-9 ,-98 ,-987 ,-9876 ,-98765 ,-987654 ,-9876543 ,-98765432 ,", 8);
  // Bytes next to the digits in the character table end the number and are an error.
  for (const char* bad : {" 12/ ,", " 1234567: ,", " 12a ,", " 1.5.5 ,"}) {
    const std::string item = bad + std::string(20, ' ') + "0,";
    ItemReader r(item, "f");
    EXPECT_THROW(r.number(), ReadError) << bad;
  }
  const std::string minusZeroItems = "-0 ," + std::string(20, ' ') + "0,";
  ItemReader minusZero(minusZeroItems, "f");
  EXPECT_TRUE(std::signbit(minusZero.number()));
}

TEST(ItemReaderPaths, RealsFromTheWriterFormRoundAsThroughADouble) {
  const std::string items = " 123456789 ,-987654321 , 16777217 , 5 ," + std::string(20, ' ');
  ItemReader direct(items, "f"), general(items, "f");
  for (int i = 0; i < 4; ++i) {
    float a = 0;
    ASSERT_TRUE(direct.writerReal(a));
    EXPECT_EQ(a, static_cast<float>(general.number())) << "item " << i + 1;
  }
  float untouched = 7;
  EXPECT_FALSE(direct.writerReal(untouched));  // only blanks left: not the writer's form
  EXPECT_EQ(untouched, 7);
  EXPECT_EQ(direct.itemNumber(), 4u);
}

TEST(ItemReaderPaths, IntegersAndBoundsFailAsBefore) {
  // Each reader's items are followed by blanks, so the inline path has room to read them.
  const std::string tail(20, ' ');
  const std::string items = " 16711935 ,-2147483 , 1000 ," + tail, negative = "-1 ," + tail,
                    huge = " 99999999999 ," + tail, quotedNumber = "\"12\"," + tail;
  ItemReader r(items, "DAT\\bzenMAX.DAT");
  EXPECT_EQ(r.int32(), 16711935);
  EXPECT_EQ(r.int32(), -2147483);
  try {
    r.bounded(0, 999, "the level count");
    FAIL();
  } catch (const ReadError& e) {
    EXPECT_EQ(e.item(), 3u);
    EXPECT_EQ(e.expected(), "the level count in 0..999");
    EXPECT_EQ(e.found(), "1000");
  }
  ItemReader low(negative, "f");
  EXPECT_THROW(low.bounded(0, 5, "a count"), ReadError);
  ItemReader big(huge, "f");
  EXPECT_THROW(big.int32(), ReadError);
  ItemReader quoted(quotedNumber, "f");
  EXPECT_THROW(quoted.number(), ReadError);
}

TEST(ItemReaderPaths, TextsIntoExistingStrings) {
  ItemReader r("\"a,b\",\"\",\"x\" ,plain ,\"unclosed", "f");
  Bytes s = "a long text that was there before";
  r.text(s);
  EXPECT_EQ(s, "a,b");  // a quoted text may hold a comma
  r.text(s);
  EXPECT_EQ(s, "");
  r.text(s);
  EXPECT_EQ(s, "x");  // blank before the comma: the general path
  r.text(s);
  EXPECT_EQ(s, "plain");
  EXPECT_EQ(r.itemNumber(), 4u);
  EXPECT_THROW(r.text(s), ReadError);
}

TEST(ItemReaderPaths, SkipPassesOverNumbersAndTextsAlike) {
  const std::string items = " 12 ,\"a,b\",-0 ,5,\"\", 7 ," + std::string(20, ' ') + " 9 ,";
  ItemReader r(items, "f");
  r.skip(5);
  EXPECT_EQ(r.itemNumber(), 5u);
  EXPECT_EQ(r.number(), 7);
  EXPECT_EQ(r.number(), 9);
  EXPECT_TRUE(r.atEnd());
}

TEST(ItemReaderPaths, EveryNumberReadsAtAnyDistanceFromTheEnd) {
  // The last number moves through every position near the end of the data, where the
  // comma search and the eight-byte loads must stay inside it.
  for (int ones = 0; ones < 40; ++ones) {
    std::string data;
    for (int i = 0; i < ones; ++i) data += " 1 ,";
    data += " 12345678 ,-7 ,";
    ItemReader r(data, "f");
    for (int i = 0; i < ones; ++i) ASSERT_EQ(r.number(), 1) << ones;
    EXPECT_EQ(r.number(), 12345678);
    EXPECT_EQ(r.number(), -7);
    EXPECT_TRUE(r.atEnd());
  }
}

TEST(ItemReaderPaths, MinusZeroKeepsItsSignWithAnyRoomAhead) {
  // "-0" is in the writer's form but for its sign, which only the general path keeps.
  for (std::size_t ahead = 0; ahead <= 100; ++ahead) {
    const std::string data = " 4 ,-0 ," + std::string(ahead, ' ') + (ahead % 2 ? " 5 ," : "");
    ItemReader numbers(data, "f"), reals(data, "f");
    EXPECT_EQ(numbers.number(), 4);
    EXPECT_TRUE(std::signbit(numbers.number())) << ahead;
    EXPECT_EQ(reals.real(), 4.f);
    EXPECT_TRUE(std::signbit(reals.real())) << ahead;
    EXPECT_EQ(numbers.itemNumber(), 2u);
  }
}

TEST(ItemReaderPaths, BytesThatAreNoDigitsAreRefusedWithRoomAhead) {
  // The same refusals as near the end (see above), where the inline path reads them.
  for (const char* bad : {" 12x ,", " 12/ ,", " 1234567: ,", "-9a9 ,", " 1.5 5 ,"}) {
    for (std::size_t ahead : {0u, 70u, 80u}) {
      const std::string data = std::string(" 4 ,") + bad + std::string(ahead, ' ') + " 5 ,";
      ItemReader in(data, "f");
      EXPECT_EQ(in.number(), 4);
      EXPECT_THROW(in.number(), ReadError) << bad << " with " << ahead << " bytes after";
      EXPECT_EQ(in.itemNumber(), 2u);
    }
  }
}

namespace {

// One number item between two texts, as a record's fields stand ("name", 12 ,"label").
struct Alone {
  const char* item;
  double value;      // what number() gives, sign included
  bool fails;        // refused as a number
};

}  // namespace

TEST(ItemReaderPaths, ANumberBetweenTextsReadsTheSameAtEveryDistanceFromTheEnd) {
  // The writer's form with one to nine digits, the forms next to it, and damage. Each
  // is read after a text (no commas found ahead) with 0 to 40 bytes after the next
  // text, so it is read from the 16 bytes at hand, byte by byte near the end, and by
  // the general path in the last bytes.
  const Alone items[] = {
      {" 7 ", 7, false},           {"-7 ", -7, false},          {" 12345678 ", 12345678, false},
      {"-98765432 ", -98765432, false}, {" 123456789 ", 123456789, false}, {"-987654321 ", -987654321, false},
      {" 0000000 ", 0, false},     {"-0 ", -0.0, false},        {" 0 ", 0, false},
      {"  7", 7, false},           {"7", 7, false},             {" 7  ", 7, false},
      {"", 0, false},              {" 1234567890 ", 1234567890, false}, {" 2.5 ", 2.5, false},
      {"-  6 ", -6, false},        {" 12x ", 0, true},          {" 1234567: ", 0, true},
      {"\"3\"", 0, true},          {" 1 2 ", 0, true},
  };
  for (const Alone& a : items) {
    for (std::size_t after = 0; after <= 40; ++after) {
      const std::string data = std::string("\"name\",") + a.item + ",\"label\"," + std::string(after, ' ');
      SCOPED_TRACE("\"" + std::string(a.item) + "\" with " + std::to_string(after) + " bytes after");
      // Exactly the bytes (no terminator after them): a sanitized run sees any read past them.
      const std::vector<char> bytes(data.begin(), data.end());
      ItemReader r(std::string_view(bytes.data(), bytes.size()), "f");
      EXPECT_EQ(r.text(), "name");
      if (a.fails) {
        try {
          r.number();
          ADD_FAILURE() << "read as a number";
        } catch (const ReadError& e) {
          EXPECT_EQ(e.item(), 2u);
        }
        continue;
      }
      const double v = r.number();
      EXPECT_EQ(v, a.value);
      EXPECT_EQ(std::signbit(v), std::signbit(a.value));
      EXPECT_EQ(r.itemNumber(), 2u);
      EXPECT_EQ(r.text(), "label");
      EXPECT_TRUE(r.atEnd());
    }
  }
}

TEST(ItemReaderPaths, NumbersReadAloneBetweenRunsLeaveTheRunsTheirItems) {
  // A short run finds the commas ahead; a number read on its own between two runs
  // must leave the second run reading from the item after it.
  std::string data;
  for (int i = 1; i <= 12; ++i) data += " " + std::to_string(i * 11) + " ,";
  data += std::string(80, ' ');
  ItemReader r(data, "f");
  std::int32_t run[4] = {};
  ASSERT_EQ(r.writerNumbers(run, 2), 2u);
  EXPECT_EQ(run[1], 22);
  EXPECT_EQ(r.number(), 33);
  EXPECT_EQ(r.int32(), 44);
  ASSERT_EQ(r.writerNumbers(run, 3), 3u);
  EXPECT_EQ(run[0], 55);
  EXPECT_EQ(run[2], 77);
  EXPECT_EQ(r.bounded(0, 88, "a count"), 88);
  float real = 0;
  ASSERT_TRUE(r.writerReal(real));
  EXPECT_EQ(real, 99.f);
  ASSERT_EQ(r.writerNumbers(run, 4), 3u);  // the blanks after the last one are no number
  EXPECT_EQ(run[2], 132);
  EXPECT_EQ(r.itemNumber(), 12u);
}
