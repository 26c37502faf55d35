// The window readers of writer runs read blocks of 64 bytes at fixed steps from where a
// run starts (AVX-512) or windows that start after each last comma (the others): items
// whose digits straddle a block's edge, runs that stop anywhere in a block, data at the
// edges of readable memory and runs that start after digits must read, on every path,
// exactly what the item-by-item reader reads.
#include <gtest/gtest.h>

#include "each_number_windows.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "core/text/item_reader.h"
#include "core/text/number_windows.h"
#include "core/text/read_error.h"

using namespace quillane;

namespace {

class NumberBlocks : public quillane::testing::OnEachNumberWindows {};
using quillane::testing::writerItem;

// Items in the writer's form of exactly `bytes` bytes in all (at least four).
std::string fillerOf(std::size_t bytes) {
  std::string s;
  while (bytes - s.size() >= 8) s += " 1 ,";
  const std::size_t rest = bytes - s.size();  // 4..7
  if (rest >= 4) s += " " + std::string(rest - 3, '7') + " ,";
  return s;
}

// Every number of `data` after its first item (a text, so that the runs start at a known
// byte), read as number() reads it, or in runs of at most `chunk` numbers with number()
// for each item a run stops before: each value (its bits, so "-0" counts) with the item
// number after it, where each run ended, and the error that ended the reading.
struct Numbers {
  std::vector<std::uint64_t> bits;
  std::vector<std::size_t> items;
  std::vector<std::size_t> runEnds;
  std::string error;
  bool operator==(const Numbers&) const = default;
};

Numbers readAfterText(std::string_view data, std::size_t chunk) {
  text::ItemReader in(data, "f");
  Numbers r;
  const auto add = [&](double v, std::size_t item) {
    std::uint64_t b;
    std::memcpy(&b, &v, 8);
    r.bits.push_back(b);
    r.items.push_back(item);
  };
  std::vector<std::int32_t> run(chunk + 1, 0);
  try {
    in.text();
    // atEnd() passes over blanks: a run starts where the item before it ended.
    for (;;) {
      const std::size_t got = chunk == 0 ? 0 : in.writerRun(run.data(), chunk);
      for (std::size_t i = 0; i < got; ++i) add(run[i], in.itemNumber() - got + i + 1);
      if (got != 0) r.runEnds.push_back(in.position());
      if (got == chunk && chunk != 0) continue;
      if (in.atEnd()) break;
      const double v = in.number();
      add(v, in.itemNumber());
    }
  } catch (const text::ReadError& e) {
    r.error = "item " + std::to_string(e.item()) + ": " + e.expected() + " / " + e.found();
  }
  return r;
}

// Checks the runs of several sizes against the number-by-number reading, and the runs'
// ends against those of the SSE2 reader.
void expectRunsReadAsOneByOne(const std::string& data, const std::string& what) {
  Numbers want = readAfterText(data, 0);
  for (std::size_t chunk : {5u, 16u, 17u, 1000u}) {
    const text::NumberWindows path = text::useNumberWindows(text::NumberWindows::Sse2);
    const Numbers plain = readAfterText(data, chunk);
    text::useNumberWindows(path);
    Numbers got = readAfterText(data, chunk);
    ASSERT_EQ(got.runEnds, plain.runEnds) << what << ", runs of " << chunk;
    got.runEnds.clear();
    ASSERT_TRUE(got == want) << what << ", runs of " << chunk << ": " << got.bits.size() << " numbers, " << got.error
                             << " / " << want.bits.size() << " numbers, " << want.error;
  }
}

}  // namespace

TEST_P(NumberBlocks, ItemsStraddlingABlockEdgeAtEveryOffset) {
  // An item of every length and sign has its comma at every byte of the second and
  // third block of a run, so its digits start in the block before its comma's, or two
  // blocks before; items of four bytes around it.
  const long long probes[] = {0, 7, -7, 42, -42, 123, -99999, 1234567, -7654321, 12345678, -99999999, 10000000};
  for (long long probe : probes) {
    const std::string item = writerItem(probe);
    for (std::size_t comma = 64; comma < 192; ++comma) {
      const std::string data = "\"a run of numbers\"," + fillerOf(comma + 1 - item.size()) + item + fillerOf(150) +
                               std::string(80, ' ');
      expectRunsReadAsOneByOne(data, item + " with its comma at byte " + std::to_string(comma));
    }
  }
}

TEST_P(NumberBlocks, ARunStopsAtAnItemAnywhereInABlock) {
  // One item the bulk readers must not take (another spelling, damage, more than eight
  // digits, "-0") at every place of the first three blocks of a run: first, middle or
  // last item of a block, right after an edge, straddling one (with its damage before
  // the edge and good bytes after it). Items before it of several lengths shift it
  // against the blocks.
  const char* stoppers[] = {" 1x ,",  " 1x23456 ,", "+1234567 ,", " 123456789 ,", "-0 ,", "-0000000 ,", "-000000000 ,",
                            "5,",     " 12  ,",     "  3 ,",      "- 4 ,",        " ,",   "\"t\",",     " 7 \n",
                            "--1 ,"};
  std::mt19937 rng(17);
  for (const char* stopper : stoppers) {
    for (std::size_t at = 4; at < 200; ++at) {
      std::string data = "\"a run of numbers\"," + fillerOf(at) + stopper;
      for (int i = 0; i < 40; ++i) data += writerItem(static_cast<long long>(rng() % 200000) - 100000);
      data += std::string(80, ' ');
      expectRunsReadAsOneByOne(data, std::string(stopper) + " at byte " + std::to_string(at));
    }
  }
}

TEST_P(NumberBlocks, ARunStopsAtItsCountWithinAndAtTheEdgeOfABlock) {
  // Items of one length (so that a block's edge falls at each place of an item as the
  // length varies) read in runs of every count up to three blocks' worth: each run stops
  // exactly after its count, the next one starts there, and nothing is written past it.
  for (std::size_t digits = 1; digits <= 8; ++digits) {
    std::vector<std::int32_t> values;
    std::string data = "\"x\",";
    for (int i = 0; i < 120; ++i) {
      long long v = 1;
      for (std::size_t k = 1; k < digits; ++k) v = v * 10 + (i + static_cast<int>(k)) % 10;
      if (i % 3 == 1) v = -v;
      values.push_back(static_cast<std::int32_t>(v));
      data += writerItem(v);
    }
    data += std::string(80, ' ');
    for (std::size_t count = 1; count <= 48; ++count) {
      text::ItemReader in(data, "f");
      in.text();
      std::vector<std::int32_t> run(count + 1);
      for (std::size_t done = 0; done + count <= values.size(); done += count) {
        run[count] = 4321;
        ASSERT_EQ(in.writerRun(run.data(), count), count) << digits << " digits, runs of " << count;
        for (std::size_t i = 0; i < count; ++i)
          ASSERT_EQ(run[i], values[done + i]) << digits << " digits, runs of " << count << ", item " << done + i;
        ASSERT_EQ(run[count], 4321) << "written past a run of " << count;
        ASSERT_EQ(in.itemNumber(), 1 + done + count);
      }
    }
  }
}

TEST_P(NumberBlocks, RunsStartingRightAfterDigitsReadTheirOwnDigitsOnly) {
  // A reader set to start inside the data (as the readers of a file's later parts are)
  // at a sign character right after digits: they belong to no item of the run, which
  // reads as the plain reader reads it, whatever the first item's length.
  const text::NumberWindows path = text::numberWindows();
  for (std::size_t digitsBefore = 1; digitsBefore <= 9; ++digitsBefore) {
    for (long long first : {5LL, -5LL, 1234LL, -87654321LL, 99999999LL}) {
      for (std::size_t shift = 8; shift < 24; ++shift) {
        std::string data = fillerOf(shift) + std::string(digitsBefore, '9');
        const std::size_t at = data.size();
        data += writerItem(first);
        for (int i = 0; i < 40; ++i) data += writerItem((i % 3 ? 1 : -1) * (i * 4099 % 10000000));
        data += std::string(80, ' ');
        text::ItemReader in(data, "f");
        in.startAt(at, 0);
        std::vector<std::int32_t> got(41);
        got.resize(in.writerRun(got.data(), got.size()));
        text::useNumberWindows(text::NumberWindows::Sse2);
        text::ItemReader plain(data, "f");
        plain.startAt(at, 0);
        std::vector<std::int32_t> want(41);
        want.resize(plain.writerRun(want.data(), want.size()));
        text::useNumberWindows(path);
        ASSERT_EQ(got, want) << digitsBefore << " digits before " << first << ", shift " << shift;
        ASSERT_EQ(got.size(), 41u);
        ASSERT_EQ(got[0], first);
        ASSERT_EQ(in.position(), plain.position());
      }
    }
  }
}

TEST_P(NumberBlocks, NeverReadsOutsideTheDataBetweenUnmappedPages) {
  // The data fills a page between two that cannot be read: every run near either end of
  // it, whatever its size, is read without touching the pages around it.
  const std::size_t page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
  char* area =
      static_cast<char*>(::mmap(nullptr, 3 * page, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0));
  ASSERT_NE(area, MAP_FAILED);
  ASSERT_EQ(::mprotect(area, page, PROT_NONE), 0);
  ASSERT_EQ(::mprotect(area + 2 * page, page, PROT_NONE), 0);
  char* const data = area + page;
  std::string items;
  for (int i = 0; items.size() < page; ++i) items += writerItem((i % 5 ? 1 : -1) * (i * 7919 % 100000000));
  std::memcpy(data, items.data(), page);  // the last item is cut by the page's end
  std::vector<std::int32_t> run(page);
  for (std::size_t size = 0; size <= 300; ++size) {
    for (bool atEnd : {false, true}) {
      const std::string_view view(atEnd ? data + page - size : data, size);
      // From the first sign character of the view, read as the runs and one by one.
      std::size_t first = 0;
      while (first < size && view[first] != ' ' && view[first] != '-') ++first;
      std::vector<double> want;
      try {
        text::ItemReader in(view, "f");
        in.startAt(first, 0);
        while (!in.atEnd()) want.push_back(in.number());
      } catch (const text::ReadError&) {
      }
      text::ItemReader in(view, "f");
      in.startAt(first, 0);
      const std::size_t got = in.writerRun(run.data(), run.size());
      std::vector<double> read(run.begin(), run.begin() + static_cast<std::ptrdiff_t>(got));
      try {
        while (!in.atEnd()) read.push_back(in.number());
      } catch (const text::ReadError&) {
      }
      ASSERT_EQ(read, want) << size << " bytes" << (atEnd ? " at the end" : " at the start");
    }
  }
  ::munmap(area, 3 * page);
}

INSTANTIATE_EACH_NUMBER_WINDOWS(NumberBlocks);
