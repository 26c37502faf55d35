// Runs of quoted texts read a block of 64 bytes at a time (ItemReader::shortTexts, as
// FieldReader::texts calls it) must read what text() reads item by item: the same
// texts, item numbers, errors and position, on every instruction set the machine has,
// wherever a text stands in its block, and never a byte past the data.
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <random>

#include "core/text/item_reader.h"
#include "core/text/quoted_runs.h"

using namespace quillane;

namespace {

template <class Body>
void onEveryPath(Body body) {
  for (text::QuotedRunPath path : text::quotedRunPaths()) {
    SCOPED_TRACE("path " + std::to_string(static_cast<int>(path)));  // portable, SSE2, AVX2, AVX-512
    const text::QuotedRunPath was = text::useQuotedRunPath(path);
    body();
    text::useQuotedRunPath(was);
  }
}

struct Reading {
  std::vector<std::string> texts;
  std::size_t items = 0, position = 0;
  std::string error;
  bool operator==(const Reading&) const = default;
};

// `items` texts read from `data` into strings that held other texts: item by item with
// text(), or in runs of at most `run` as FieldReader::texts reads them.
Reading readTexts(std::string_view data, std::size_t items, std::size_t run) {
  text::ItemReader in(data, "DAT\\bzenMGC.DAT");
  Reading r;
  r.texts.assign(items, std::string(40, 'x'));
  try {
    for (std::size_t i = 0; i < items;) {
      const std::size_t end = std::min(items, i + std::max<std::size_t>(run, 1));
      if (run != 0) i += in.shortTexts(r.texts.data() + i, end - i);
      if (i < end) in.text(r.texts[i++]);
    }
  } catch (const text::ReadError& e) {
    r.error = e.what();
  }
  r.items = in.itemNumber();
  r.position = in.position();
  return r;
}

Reading oneByOne(std::string_view data, std::size_t items) { return readTexts(data, items, 0); }

// Text bytes: letters, blanks, commas, line breaks, two-byte characters (lead and trail
// bytes of every range, 0x40..0x7E and 0x80..0xFC).
std::string textOf(std::size_t length, std::mt19937& rng) {
  static const char pool[] = {'a', 'Z', '0', ',', ' ', '\t', '\r', '\n', '\x81', '\x9F', '\xE0',
                              '\xFC', '\x40', '\x7E', '\x80', '-', '\x5C', '\''};
  std::string s;
  for (std::size_t i = 0; i < length; ++i) s += pool[rng() % sizeof pool];
  return s;
}

// Texts in the writer's form at every length a block holds and beyond, now and then an
// item of another form: a number, blanks before the quote or the comma, a line break as
// the end, an unquoted item, bytes between the closing quote and the comma, an empty item.
std::string randomItem(std::mt19937& rng) {
  const std::size_t length = rng() % 4 == 0 ? rng() % 80 : rng() % 18;
  const std::string t = textOf(length, rng);
  if (rng() % 8 != 0) return "\"" + t + "\",";
  switch (rng() % 7) {
    case 0: return " 12 ,";
    case 1: return " \"" + t + "\",";
    case 2: return "\"" + t + "\" ,";
    case 3: return "\"" + t + "\"\r\n";
    case 4: return "plain words,";
    case 5: return "\"" + t + "\"x\",";
    default: return ",";
  }
}

}  // namespace

TEST(QuotedRuns, RandomItemsReadAsOneByOne) {
  onEveryPath([] {
    for (unsigned seed = 1; seed <= 400; ++seed) {
      std::mt19937 rng(seed);
      std::string data;
      const std::size_t items = 1 + rng() % 120;
      for (std::size_t i = 0; i < items; ++i) data += randomItem(rng);
      // Sometimes an unclosed quote or a text at the very end of the data.
      if (rng() % 4 == 0) data += "\"" + textOf(rng() % 30, rng);
      if (rng() % 4 == 0) data.resize(data.size() - 1);
      const std::size_t asked = items + 1;
      const Reading want = oneByOne(data, asked);
      for (std::size_t run : {std::size_t{1}, std::size_t{5}, std::size_t{100}, asked}) {
        ASSERT_EQ(readTexts(data, asked, run), want) << "seed " << seed << ", runs of " << run << ": " << want.error;
      }
    }
  });
}

TEST(QuotedRuns, ATextEndingAtEveryByteOfItsBlock) {
  // A text of every length after one of every length: the second's quotes and comma fall
  // on every byte of the first block and across its end, the next texts after them.
  onEveryPath([] {
    for (std::size_t first = 0; first <= 66; ++first) {
      for (std::size_t second = 0; second <= 66; ++second) {
        for (const char* after : {"\"ab\",", "\"ab\" ,", " 3 ,", "\"ab\"c,"}) {
          std::string data = "\"" + std::string(first, 'f') + "\",\"" + std::string(second, 's') + "\",";
          for (int i = 0; i < 3; ++i) data += after;
          data += std::string(80, ' ');
          const Reading want = oneByOne(data, 5);
          ASSERT_EQ(readTexts(data, 5, 5), want) << first << " and " << second << ", then " << after;
          ASSERT_EQ(readTexts(data, 5, 2), want) << first << " and " << second << ", then " << after;
        }
      }
    }
  });
}

TEST(QuotedRuns, ARunTakesEveryTextItsBlocksHoldAndStopsAtTheCount) {
  // Texts of 0 to 61 bytes, commas and two-byte characters inside, are all taken in one
  // call; a count inside a block ends the run there, the next text left in place.
  std::mt19937 rng(7);
  std::vector<std::string> texts;
  std::string data;
  for (int i = 0; i < 200; ++i) {
    texts.push_back(textOf(i % 62, rng));
    data += "\"" + texts.back() + "\",";
  }
  data += " 4 ," + std::string(80, ' ');
  onEveryPath([&] {
    for (std::size_t count : {std::size_t{1}, std::size_t{2}, std::size_t{3}, std::size_t{17}, texts.size()}) {
      text::ItemReader in(data, "f");
      std::vector<std::string> got(texts.size(), "held before");
      std::size_t n = 0;
      while (n < texts.size()) {
        const std::size_t step = in.shortTexts(got.data() + n, std::min(count, texts.size() - n));
        ASSERT_EQ(step, std::min(count, texts.size() - n)) << "after " << n << " texts";
        n += step;
      }
      EXPECT_EQ(got, texts);
      EXPECT_EQ(in.itemNumber(), texts.size());
      EXPECT_EQ(in.shortTexts(got.data(), 1), 0u);
      EXPECT_EQ(in.number(), 4);
    }
  });
}

TEST(QuotedRuns, NeverReadsPastTheDataBeforeAnUnmappedPage) {
  // The data ends where readable memory ends: every size of it, texts of every length up
  // to the last byte, must be read without touching the page after it.
  const std::size_t page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
  char* area = static_cast<char*>(::mmap(nullptr, 2 * page, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0));
  ASSERT_NE(area, MAP_FAILED);
  ASSERT_EQ(::mprotect(area + page, page, PROT_NONE), 0);
  std::string texts;
  for (int i = 0; texts.size() < page; ++i) texts += "\"" + std::string(static_cast<std::size_t>(i * 5 % 23), 'a' + i % 26) + "\",";
  // The last texts end with the page, the last of them without its comma or quote.
  for (std::size_t cut : {0, 1, 2}) {
    std::memcpy(area, texts.data() + texts.size() - page, page);
    char* const end = area + page - cut;
    for (std::size_t size = 0; size <= 400; ++size) {
      // From an opening quote `size` bytes or less before the end.
      const std::string_view view(end - size, size);
      const std::size_t start = view.find('"') == std::string_view::npos ? size : view.find('"');
      const std::string_view data = view.substr(start);
      const std::size_t items = data.size() / 2 + 1;
      onEveryPath([&] {
        const Reading want = oneByOne(data, items);
        ASSERT_EQ(readTexts(data, items, items), want) << size << " bytes, " << cut << " cut";
      });
    }
  }
  ::munmap(area, 2 * page);
}
