// Quoted texts read by ItemReader::text(): short ones in the writer's form take an
// inline path, everything else the general one; both must give the same texts, item
// numbers and errors wherever the text stands, up to the very end of the data.
#include <gtest/gtest.h>

#include <random>

#include "core/text/item_reader.h"

using namespace quillane;

namespace {

struct Item {
  std::string bytes;     // as the file holds it
  std::string expected;  // what text() gives
};

// A text of `length` bytes: letters, two-byte characters, commas and blanks.
std::string textOf(std::size_t length, std::mt19937& rng) {
  static const char pool[] = {'a', 'Z', '0', ',', ' ', '\x82', '\xA0', '\x81', '\x40', '\t'};
  std::string s;
  for (std::size_t i = 0; i < length; ++i) s += pool[rng() % sizeof pool];
  return s;
}

Item randomItem(std::mt19937& rng) {
  // Lengths around the inline path's limit are the ones that matter.
  const std::size_t length = rng() % 4 == 0 ? rng() % 40 : 12 + rng() % 8;
  const std::string t = textOf(length, rng);
  switch (rng() % 6) {
    case 0: return {"\"" + t + "\" ,", t};        // a blank before the comma
    case 1: return {"\"" + t + "\"\r\n", t};      // a line break ends it
    case 2: return {" \"" + t + "\",", t};        // a blank before the quote
    case 3: return {"\"" + t + "\"xy,", t};       // bytes after the quote are dropped
    default: return {"\"" + t + "\",", t};        // the writer's form
  }
}

}  // namespace

TEST(ShortTexts, EveryFormAndLengthReadsItsTextWhereverItStands) {
  for (unsigned seed = 1; seed <= 300; ++seed) {
    std::mt19937 rng(seed);
    std::vector<Item> items;
    std::string data(rng() % 20, ' ');  // every alignment
    data = data.empty() ? "" : "\"" + data + "\",";
    if (!data.empty()) items.push_back({data, std::string(data.begin() + 1, data.end() - 2)});
    const int count = 1 + static_cast<int>(rng() % 12);
    for (int i = 0; i < count; ++i) items.push_back(randomItem(rng));
    data.clear();
    for (const Item& it : items) data += it.bytes;
    // The data ends right after the last text, at every distance from its quote.
    if (rng() % 2) data.resize(data.rfind('"') + 1);
    text::ItemReader in(data, "DAT\\bzenMGC.DAT");
    text::Bytes into = "left from before";
    for (std::size_t i = 0; i < items.size(); ++i) {
      in.text(into);
      ASSERT_EQ(into, items[i].expected) << "seed " << seed << ", item " << i + 1;
      ASSERT_EQ(in.itemNumber(), i + 1);
    }
    EXPECT_TRUE(in.atEnd()) << "seed " << seed;
  }
}

TEST(ShortTexts, TextsBesideNumbersLeaveTheNumbersInPlace) {
  // The inline path must consume exactly its item: numbers around it read as written.
  for (std::size_t length = 0; length <= 20; ++length) {
    for (std::size_t tail = 0; tail <= 24; ++tail) {
      std::string data = " 7 ,\"" + std::string(length, 'q') + "\", 8 ,";
      data += std::string(tail, ' ');
      text::ItemReader in(data, "f");
      EXPECT_EQ(in.number(), 7);
      EXPECT_EQ(in.text(), std::string(length, 'q'));
      EXPECT_EQ(in.number(), 8) << length << " bytes, " << tail << " after";
      EXPECT_EQ(in.itemNumber(), 3u);
    }
  }
}

TEST(ShortTexts, AnUnclosedQuoteIsAnErrorWithItsItem) {
  for (std::size_t length = 0; length <= 20; ++length) {
    const std::string data = "\"a\",\"" + std::string(length, 'b') + "\",\"" + std::string(length, 'c');
    text::ItemReader in(data, "DAT\\bzenMGC.DAT");
    EXPECT_EQ(in.text(), "a");
    EXPECT_EQ(in.text(), std::string(length, 'b'));
    try {
      in.text();
      FAIL() << length;
    } catch (const text::ReadError& e) {
      EXPECT_EQ(e.file(), "DAT\\bzenMGC.DAT");
      EXPECT_EQ(e.item(), 3u);
      EXPECT_EQ(e.expected(), "a closing double quote");
      EXPECT_EQ(e.found(), "the end of the file");
    }
  }
}
