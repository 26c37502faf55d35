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

// Runs of texts (ItemReader::shortTexts, into fresh strings or ones that held texts
// before) read the same texts with the same item numbers as text() one by one;
// whatever a run leaves is read by text(), as FieldReader does.
namespace {

enum class Into { Strings, Fresh };

// Reads `count` texts as runs, then one item with text(), and so on.
std::vector<std::string> readAsRuns(text::ItemReader& in, std::size_t count, Into into) {
  std::vector<std::string> got(count);
  if (into == Into::Strings)
    got.assign(count, std::string(40, 'x'));  // strings that held more before
  for (std::size_t i = 0; i < count;) {
    i += in.shortTexts(got.data() + i, count - i);
    if (i < count) in.text(got[i++]);
  }
  return got;
}

}  // namespace

TEST(ShortTexts, RunsReadWhatTextReadsOneByOneAtEveryLengthAndPlace) {
  for (unsigned seed = 1; seed <= 300; ++seed) {
    std::mt19937 rng(seed);
    std::string data(rng() % 20, ' ');  // every alignment
    data = data.empty() ? "" : " 5 ,";
    const std::size_t lead = data.empty() ? 0 : 1;
    const int count = 1 + static_cast<int>(rng() % 30);
    std::vector<std::string> expected;
    for (int i = 0; i < count; ++i) {
      // Mostly the writer's form at every length around the limit, sometimes another.
      const std::size_t length = rng() % 3 == 0 ? rng() % 20 : 13 + rng() % 5;
      const std::string t = std::string(length, static_cast<char>('a' + i % 26));
      Item item = rng() % 5 == 0 ? randomItem(rng) : Item{"\"" + t + "\",", t};
      data += item.bytes;
      expected.push_back(item.expected);
    }
    data += rng() % 2 ? " 9 ," : "";
    // The data ends right after the last text, at every distance from its quote.
    if (rng() % 3 == 0) data.resize(data.rfind('"') + 1);
    for (Into into : {Into::Strings, Into::Fresh}) {
      text::ItemReader in(data, "DAT\\bzenMGC.DAT");
      if (lead) EXPECT_EQ(in.number(), 5);
      EXPECT_EQ(readAsRuns(in, expected.size(), into), expected) << "seed " << seed;
      EXPECT_EQ(in.itemNumber(), lead + expected.size());
      if (data.size() >= 4 && data.compare(data.size() - 4, 4, " 9 ,") == 0) EXPECT_EQ(in.number(), 9);
      EXPECT_TRUE(in.atEnd()) << "seed " << seed;
    }
  }
}

TEST(ShortTexts, ARunStopsBeforeAnyOtherItemAndLeavesItToItsReader) {
  const std::string data = std::string("\"ab\",\"\",\"cd\", 12 ,\"ef\",") + std::string(30, ' ') + "\"gh\",";
  for (Into into : {Into::Strings, Into::Fresh}) {
    text::ItemReader in(data, "f");
    std::vector<std::string> strings(8, into == Into::Fresh ? "" : std::string(30, 'x'));
    EXPECT_EQ(in.shortTexts(strings.data(), 8), 3u);
    EXPECT_EQ(std::vector<std::string>(strings.begin(), strings.begin() + 3), (std::vector<std::string>{"ab", "", "cd"}));
    EXPECT_EQ(in.itemNumber(), 3u);
    EXPECT_EQ(in.number(), 12);
    // A count of one takes one; the blanks before "gh" stop a run without consuming them.
    EXPECT_EQ(in.shortTexts(strings.data() + 3, 1), 1u);
    EXPECT_EQ(strings[3], "ef");
    EXPECT_EQ(in.shortTexts(strings.data() + 4, 5), 0u);
    EXPECT_EQ(in.itemNumber(), 5u);
    EXPECT_EQ(in.text(), "gh");
  }
}

TEST(ShortTexts, DamageInsideARunIsReportedAtItsItemAsOneByOne) {
  // An unclosed quote and a text that runs into the next item's bytes, at every place.
  int errors = 0;
  for (int k = 0; k < 12; ++k) {
    for (const std::string bad : {"\"never closed", "\"a\"\"b\","}) {
      std::string data;
      for (int i = 0; i < 12; ++i) data += i == k ? bad : "\"t" + std::to_string(i) + "\",";
      std::string oneByOneError, runError;
      std::vector<std::string> oneByOne;
      try {
        text::ItemReader in(data, "DAT\\bzenCTY.DAT");
        for (int i = 0; i < 12; ++i) oneByOne.push_back(in.text());
      } catch (const text::ReadError& e) {
        oneByOneError = e.what();
      }
      for (Into into : {Into::Strings, Into::Fresh}) {
        std::vector<std::string> runs;
        try {
          text::ItemReader in(data, "DAT\\bzenCTY.DAT");
          runs = readAsRuns(in, 12, into);
        } catch (const text::ReadError& e) {
          runError = e.what();
        }
        EXPECT_EQ(runError, oneByOneError) << k;
        if (oneByOneError.empty()) EXPECT_EQ(runs, oneByOne) << k;
      }
      errors += !oneByOneError.empty();
    }
  }
  EXPECT_GT(errors, 0);
}

TEST(ShortTexts, RunsOfEmptyTextsStopAtTheirEndAndAtTheCountAsked) {
  // Runs of empty texts are taken several at a time: every length of run, whatever
  // follows it, and every count asked must still give exactly the texts one by one.
  const std::string follows[] = {"\"x\",", " 5 ,", "\"\" ,", "\"\"\r\n", "\"\"", ""};
  for (std::size_t empties = 1; empties <= 14; ++empties) {
    for (const std::string& follow : follows) {
      for (std::size_t tail : {0u, 40u}) {
        std::string data = "\"a\",";
        for (std::size_t i = 0; i < empties; ++i) data += "\"\",";
        data += follow + std::string(tail, ' ');
        // The texts in the writer's form: the empty ones and a following "x".
        const std::size_t texts = empties + (follow == "\"x\"," ? 1 : 0);
        const auto expected = [&](std::size_t i) { return i < empties ? "" : "x"; };
        for (std::size_t asked = 1; asked <= texts + 1; ++asked) {
          text::ItemReader in(data, "f");
          std::vector<std::string> got(asked + 1, std::string(40, 'q'));  // texts held before
          EXPECT_EQ(in.text(), "a");
          const std::size_t n = in.shortTexts(got.data(), asked);
          // With room after the data every text asked for is taken; near the end of the
          // data a run may leave some to text().
          if (tail != 0) EXPECT_EQ(n, std::min(asked, texts)) << empties << " empty, " << follow << ", " << asked;
          ASSERT_LE(n, std::min(asked, texts));
          for (std::size_t i = 0; i < n; ++i) EXPECT_EQ(got[i], expected(i)) << i;
          EXPECT_EQ(got[n], std::string(40, 'q'));
          EXPECT_EQ(in.itemNumber(), 1 + n);
          // What is left reads on as it would one by one.
          for (std::size_t i = n; i < texts; ++i) EXPECT_EQ(in.text(), expected(i));
          if (follow == " 5 ,") EXPECT_EQ(in.number(), 5);
          if (follow.rfind("\"\"", 0) == 0) EXPECT_EQ(in.text(), "");
          EXPECT_TRUE(in.atEnd());
        }
      }
    }
  }
}

TEST(ShortTexts, ARunNeverReadsATextPastTheEndOfItsData) {
  // The data is a view of the first `size` bytes of longer memory that goes on with more
  // texts in the writer's form: a run must stop within the view whatever follows it.
  std::string memory;
  std::vector<std::string> texts;
  for (int i = 0; i < 60; ++i) {
    texts.push_back(std::string(static_cast<std::size_t>(i * 7 % 16), static_cast<char>('a' + i % 26)));
    memory += "\"" + texts.back() + "\",";
  }
  std::size_t whole = 0;  // texts wholly within the view, comma included
  std::size_t end = 0;    // where the next one ends
  for (std::size_t size = 0; size <= memory.size(); ++size) {
    while (whole < texts.size() && end + texts[whole].size() + 3 <= size) end += texts[whole++].size() + 3;
    text::ItemReader in(std::string_view(memory).substr(0, size), "f");
    std::vector<std::string> got(texts.size() + 1, "held before");
    const std::size_t n = in.shortTexts(got.data(), got.size());
    ASSERT_LE(n, whole) << size << " bytes";
    for (std::size_t i = 0; i < n; ++i) ASSERT_EQ(got[i], texts[i]) << i;
    EXPECT_EQ(got[n], "held before");
    for (std::size_t i = n; i < whole; ++i) ASSERT_EQ(in.text(), texts[i]) << size << " bytes, text " << i;
  }
}
