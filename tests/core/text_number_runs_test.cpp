// Runs of numbers read in bulk (FieldReader::columns, ItemReader::writerRun) must read
// exactly what the item-by-item reader reads: the same values, the same item numbers,
// the same errors, with the widest instructions and with SSE2 only, wherever a run
// starts, ends or meets an item of another form.
#include <gtest/gtest.h>

#include "each_number_windows.h"
#include "number_reading.h"

#include <cmath>
#include <cstring>
#include <random>
#include <tuple>

#include "core/data/field_io.h"
#include "core/text/number_windows.h"

using namespace quillane;

namespace {

// Each test of NumberRuns runs once with each window reader.
class NumberRuns : public quillane::testing::OnEachNumberWindows {};
using quillane::testing::writerItem;

using quillane::testing::Reading;

std::string describe(const text::ReadError& e) {
  return e.file() + " item " + std::to_string(e.item()) + ": " + e.expected() + " / " + e.found();
}

// Reads `records` records of the level table's shape with `read` (the reader, the five
// real columns and the sixth, the integer column), each cell set to `unset` first.
template <class Read>
Reading readRecords(const std::string& data, int records, float unset, Read read) {
  data::HiddenFields hidden;
  data::FieldReader in(data, "DAT\\bzenLEV.DAT", 340, hidden);
  Reading r;
  const std::size_t n = static_cast<std::size_t>(records);
  r.reals.assign(n * 6, unset);
  r.integers.assign(n, static_cast<std::int32_t>(unset));
  try {
    read(in, r.reals.data(), r.integers.data(), n);
  } catch (const text::ReadError& e) {
    r.error = describe(e);
  }
  r.items = in.items().itemNumber();
  return r;
}

// Item by item (num, i32); what a failure leaves unread stays zero.
Reading oneByOne(const std::string& data, int records) {
  return readRecords(data, records, 0.f, [](data::FieldReader& in, float* f, std::int32_t* k, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) {
      for (std::size_t c = 0; c < 5; ++c) in.num(f[c * n + i]);
      in.i32(k[i]);
      in.num(f[5 * n + i]);
    }
  });
}

// The same through columns(), over cells that hold something else first: columns()
// must set every cell, zeroing those a failure leaves unread.
Reading inColumns(const std::string& data, int records) {
  return readRecords(data, records, 77.f, [](data::FieldReader& in, float* f, std::int32_t* k, std::size_t n) {
    in.columns(static_cast<int>(n), f, f + n, f + 2 * n, f + 3 * n, f + 4 * n, k, f + 5 * n);
  });
}

// A writer's-form value of 1 to 8 digits (most), or, now and then, 9 digits.
long long randomValue(std::mt19937& rng) {
  const int digits = std::uniform_int_distribution<int>(1, 9)(rng);
  long long limit = 1;
  for (int i = 0; i < digits; ++i) limit *= 10;
  long long v = std::uniform_int_distribution<long long>(0, limit - 1)(rng);
  if (rng() % 3 == 0) v = -v;
  return v;
}

}  // namespace

TEST_P(NumberRuns, MixedFormsReadAsOneByOne) {
  // Numbers in the writer's form with, at random places, every other spelling the
  // general reader takes: no blank before, several blanks, leading zeros, a fraction,
  // an exponent, a sign apart from its digits, an empty item, minus zero, nine digits,
  // a line break as the end of an item.
  const char* others[] = {"5,",   " 12   ,", "  4 ,",  " 2.5 ,", " 1e3 ,", "-  6 ,", ",",      " 0012 ,",
                          "-0 ,", "-000 ,",  "-0012 ,", " 123456789 ,", "-987654321 ,", " 7 \r\n", "8\n", " 3\t,"};
  for (unsigned seed = 1; seed <= 40; ++seed) {
    std::mt19937 rng(seed);
    const int records = 300;
    std::string data;
    for (int i = 0; i < records * 7; ++i) {
      const unsigned pick = rng() % 100;
      data += pick < (seed % 4) * 3 ? others[rng() % std::size(others)] : writerItem(randomValue(rng));
    }
    const Reading want = oneByOne(data, records), got = inColumns(data, records);
    ASSERT_TRUE(want.error.empty()) << want.error;
    ASSERT_TRUE(got == want) << "seed " << seed << ": " << got.error;
  }
}

TEST_P(NumberRuns, ADamagedItemFailsWithItsNumberWhereverItStands) {
  // Damage at every place of a run, across several 64-byte windows: the error names
  // the file and the item as the item-by-item reader does.
  const char* damaged[] = {" 12x ,", " 1-2 ,", "\"7\",", " 9: ,", "- ,", " 1e39 ,"};
  for (const char* bad : damaged) {
    for (int at = 0; at < 7 * 30; ++at) {
      std::string data;
      for (int i = 0; i < 7 * 30; ++i) data += i == at ? std::string(bad) : writerItem(i * 37 - 500);
      const Reading want = oneByOne(data, 30), got = inColumns(data, 30);
      ASSERT_FALSE(want.error.empty()) << bad;
      ASSERT_NE(want.error.find("item " + std::to_string(at + 1) + ":"), std::string::npos) << want.error;
      ASSERT_TRUE(got == want) << bad << " at item " << at + 1 << ": " << got.error << " / " << want.error;
    }
  }
}

TEST_P(NumberRuns, RunsEndingAtEveryDistanceFromTheEndOfTheData) {
  // The last records move through every place near the end, where no window of 72
  // bytes is left and the numbers are read one by one; the data may also end early.
  for (int records = 0; records <= 24; ++records) {
    for (int missing = 0; missing <= 3; ++missing) {
      std::string data;
      for (int i = 0; i < records * 7 - missing; ++i) data += writerItem((i % 2 ? -1 : 1) * (i * 12345 % 99999991));
      const Reading want = oneByOne(data, records), got = inColumns(data, records);
      ASSERT_EQ(want.error.empty(), missing == 0 || records == 0) << want.error;
      ASSERT_TRUE(got == want) << records << " records, " << missing << " missing: " << got.error;
    }
  }
}

TEST_P(NumberRuns, ARunStopsAtItsCountAndLeavesTheNextItemsToTheirReaders) {
  for (int before = 0; before < 20; ++before) {
    std::string data;
    for (int i = 0; i < before; ++i) data += writerItem(i + 1);
    data += "\"a, text\", 5 ,";
    for (int i = 0; i < 30; ++i) data += writerItem(-i - 1);
    text::ItemReader in(data, "f");
    std::vector<std::int32_t> run(40, 0);
    std::size_t got = in.writerRun(run.data(), static_cast<std::size_t>(before));
    ASSERT_EQ(got, static_cast<std::size_t>(before));
    for (int i = 0; i < before; ++i) EXPECT_EQ(run[static_cast<std::size_t>(i)], i + 1);
    EXPECT_EQ(in.writerRun(run.data(), 3), 0u);  // a text is no number: nothing consumed
    EXPECT_EQ(in.text(), "a, text");
    EXPECT_EQ(in.number(), 5);
    // The last few numbers, too near the end for the inline form, are left to number().
    got = in.writerRun(run.data(), 30);
    EXPECT_GE(got, 20u);
    for (std::size_t i = 0; i < 30; ++i)
      EXPECT_EQ(i < got ? run[i] : in.number(), -static_cast<int>(i) - 1) << "item " << i + 1;
    EXPECT_EQ(in.itemNumber(), static_cast<std::size_t>(before) + 32);
    EXPECT_TRUE(in.atEnd());
  }
}

TEST_P(NumberRuns, EveryDigitCountAndSignConvertsExactly) {
  // All lengths of the four-at-once conversion side by side, in every order, with the
  // largest and smallest values of each length.
  std::vector<long long> values;
  long long p = 1;
  for (int digits = 1; digits <= 8; ++digits, p *= 10)
    for (long long v : {p, p * 10 - 1, p == 1 ? 0 : p + 7}) values.insert(values.end(), {v, -v});
  std::mt19937 rng(7);
  for (int round = 0; round < 50; ++round) {
    std::shuffle(values.begin(), values.end(), rng);
    std::string data;
    for (long long v : values) data += v == 0 ? std::string(" 0 ,") : writerItem(v);
    data += std::string(80, ' ');  // room for whole windows up to the last number
    text::ItemReader in(data, "f");
    std::vector<std::int32_t> run(values.size());
    ASSERT_EQ(in.writerRun(run.data(), run.size()), run.size());
    for (std::size_t i = 0; i < values.size(); ++i) ASSERT_EQ(run[i], values[i]) << "item " << i + 1;
  }
}

namespace {

// Every item of `data` read as number() reads it, or in runs of at most `chunk` numbers
// with number() for each item a run stops before: the values (their bits, so -0 counts),
// the item number after each, and the error that ended the reading.
struct Numbers {
  std::vector<std::uint64_t> bits;
  std::vector<std::size_t> items;
  std::string error;
  bool operator==(const Numbers&) const = default;
};

Numbers readNumbers(const std::string& data, std::size_t chunk) {
  text::ItemReader in(data, "DAT\\bzenLEV.DAT");
  Numbers r;
  const auto add = [&](double v) {
    std::uint64_t b;
    std::memcpy(&b, &v, 8);
    r.bits.push_back(b);
    r.items.push_back(in.itemNumber());
  };
  std::vector<std::int32_t> run(chunk + 1, 0);
  try {
    while (!in.atEnd()) {
      const std::size_t got = chunk == 0 ? 0 : in.writerRun(run.data(), chunk);
      for (std::size_t i = 0; i < got; ++i) {
        add(run[i]);
        r.items.back() = r.items.back() - got + i + 1;
      }
      if (got == 0) add(in.number());
    }
  } catch (const text::ReadError& e) {
    r.error = describe(e);
  }
  return r;
}

}  // namespace

TEST_P(NumberRuns, AnItemOfAnotherFormAtEveryPlaceOfQueuedWindows) {
  // Items of every length, so that windows end anywhere and items wait from one window
  // for the next; then one item that the bulk reader must hand back exactly where it
  // stands: "-0" found only once converted, digits the one-by-one path reads, a digit
  // just before the first window of a run, damage.
  const char* others[] = {"-0 ,",  "-00 ,", "-00000000 ,", " 123456789 ,", "-987654321 ,",
                          "5,",    "8\n",   " 12x ,",      " 1-2 ,",       " 99999999 ,"};
  std::mt19937 rng(11);
  std::vector<std::string> items;
  for (int i = 0; i < 90; ++i) items.push_back(i == 0 ? std::string(" 7 ,") : writerItem(randomValue(rng) % 100000000));
  for (const char* other : others) {
    for (std::size_t at = 1; at < 70; ++at) {
      std::string data;
      for (std::size_t i = 0; i < items.size(); ++i) data += i == at ? std::string(other) : items[i];
      data += std::string(80, ' ');
      const Numbers want = readNumbers(data, 0);
      for (std::size_t chunk : {3u, 8u, 13u, 1000u}) {
        const Numbers got = readNumbers(data, chunk);
        ASSERT_TRUE(got == want) << other << " as item " << at + 1 << ", runs of " << chunk << ": "
                                 << got.bits.size() << " numbers, " << got.error << " / " << want.bits.size()
                                 << " numbers, " << want.error;
      }
    }
  }
}

TEST_P(NumberRuns, OneAndTwoRealColumnsReadAsOneByOne) {
  // The columns of one or two reals are converted and separated four records at a
  // time: every record count around those groups, values that round as reals, and a
  // damaged item at every place.
  std::mt19937 rng(3);
  for (int columns = 1; columns <= 2; ++columns) {
    for (int records = 0; records <= 40; ++records) {
      const int items = records * columns;
      for (int bad = -1; bad < items; ++bad) {
        std::string data;
        for (int i = 0; i < items; ++i)
          data += i == bad ? std::string(" 4q ,") : writerItem(randomValue(rng) % 100000000);
        data += std::string(80, ' ');
        const auto read = [&](bool inColumns) {
          data::HiddenFields hidden;
          data::FieldReader in(data, "DAT\\bzenLEV.DAT", 340, hidden);
          std::vector<float> cells(static_cast<std::size_t>(items), inColumns ? 55.f : 0.f);
          float* a = cells.data();
          float* b = a + records;
          std::string error;
          try {
            if (!inColumns) {
              for (int j = 0; j < records; ++j)
                for (int c = 0; c < columns; ++c) in.num(c == 0 ? a[j] : b[j]);
            } else if (columns == 1) {
              in.columns(records, a);
            } else {
              in.columns(records, a, b);
            }
          } catch (const text::ReadError& e) {
            error = describe(e);
          }
          return std::make_pair(cells, error + " at item " + std::to_string(in.items().itemNumber()));
        };
        const auto want = read(false), got = read(true);
        ASSERT_EQ(got.second, want.second) << columns << " columns, " << records << " records, damage at " << bad;
        ASSERT_TRUE(got.first.empty() ||
                    std::memcmp(got.first.data(), want.first.data(), got.first.size() * sizeof(float)) == 0)
            << columns << " columns, " << records << " records, damage at " << bad;
      }
    }
  }
}

TEST_P(NumberRuns, AnItemOfAnotherFormAroundTheBatchesOfConversion) {
  // The bulk reader converts what it has taken in batches of about fifty items; "-0" and
  // the other forms stand here around the ends of the first batches, after runs of
  // zeros and negative numbers (whose signs wait from one batch for the next).
  const char* others[] = {"-0 ,", "-000 ,", " 123456789 ,", " 7x ,"};
  std::mt19937 rng(5);
  std::vector<std::string> items;
  for (int i = 0; i < 460; ++i) {
    const unsigned pick = rng() % 4;
    items.push_back(pick == 0 ? std::string(" 0 ,") : writerItem(pick == 1 ? -(i + 1) : randomValue(rng) % 100000000));
  }
  for (const char* other : others) {
    for (std::size_t at : {0u, 40u, 47u, 48u, 49u, 53u, 56u, 60u, 95u, 96u, 97u, 101u, 104u, 143u, 150u, 191u, 192u,
                           193u, 197u, 200u, 211u, 215u, 380u, 387u, 395u, 401u}) {
      std::string data;
      for (std::size_t i = 0; i < items.size(); ++i) data += i == at ? std::string(other) : items[i];
      data += std::string(80, ' ');
      const Numbers want = readNumbers(data, 0);
      for (std::size_t chunk : {13u, 200u, 1000u}) {
        const Numbers got = readNumbers(data, chunk);
        ASSERT_TRUE(got == want) << other << " as item " << at + 1 << ", runs of " << chunk << ": "
                                 << got.bits.size() << " numbers, " << got.error << " / " << want.bits.size()
                                 << " numbers, " << want.error;
      }
    }
  }
}

TEST_P(NumberRuns, RecordsSpreadIntoColumnsOfEveryWidth) {
  // Records of four to eight items, turned into columns in blocks of four or eight
  // records: every record count around the blocks, real and integer columns mixed.
  const auto check = [](auto... tag) {
    constexpr int k = sizeof...(tag);
    for (int records = 0; records <= 19; ++records) {
      std::vector<std::int32_t> run(static_cast<std::size_t>(records * k));
      for (std::size_t i = 0; i < run.size(); ++i) run[i] = static_cast<std::int32_t>(i * 7919 % 100003) - 50000;
      std::tuple<std::vector<decltype(tag)>...> cols{std::vector<decltype(tag)>(static_cast<std::size_t>(records) + 1,
                                                                                decltype(tag)(-1))...};
      std::apply([&](auto&... col) { data::spreadRecords(run.data(), records, col.data()...); }, cols);
      int c = 0;
      std::apply(
          [&](auto&... col) {
            const auto one = [&](auto& column) {
              for (int j = 0; j < records; ++j)
                ASSERT_EQ(column[static_cast<std::size_t>(j)],
                          static_cast<std::decay_t<decltype(column[0])>>(run[static_cast<std::size_t>(j * k + c)]))
                    << k << " columns, " << records << " records, column " << c << ", record " << j;
              ASSERT_EQ(column[static_cast<std::size_t>(records)], -1) << "written past the records";
              ++c;
            };
            (one(col), ...);
          },
          cols);
    }
  };
  check(0.f, 0, 0.f, 0.f);
  check(0.f, 0.f, 0, 0.f, 0.f);
  check(0, 0.f, 0.f, 0.f, 0.f, 0);
  check(0.f, 0.f, 0.f, 0.f, 0.f, 0, 0.f);  // the level table's records
  check(0.f, 0.f, 0.f, 0.f, 0.f, 0.f, 0.f);
  check(0, 0.f, 0.f, 0.f, 0.f, 0.f, 0.f, 0.f);
  check(0.f, 0.f);
}

TEST_P(NumberRuns, FullWindowsAndLongItemsNeverWritePastTheCount) {
  // Windows of sixteen items of four bytes (a comma in a window's last byte), windows of
  // eight-digit items, and the two mixed, read in runs of every count up to two
  // windows' worth: each run fills exactly its count, in order, and not one cell more.
  const std::vector<long long> shapes[] = {{5, -3, 0, 9}, {-12345678, 99999999, -10000000, 87654321},
                                           {-7, 12345678, 0, -99999999, 4, 1}};
  for (const auto& shape : shapes) {
    std::vector<long long> values;
    for (int i = 0; i < 96; ++i) values.push_back(shape[static_cast<std::size_t>(i) % shape.size()]);
    std::string data;
    for (long long v : values) data += writerItem(v);
    data += std::string(80, ' ');
    for (std::size_t count = 1; count <= 33; ++count) {
      text::ItemReader in(data, "f");
      std::vector<std::int32_t> run(count + 1, 1234);
      for (std::size_t done = 0; done + count <= values.size(); done += count) {
        ASSERT_EQ(in.writerRun(run.data(), count), count) << "runs of " << count << " from item " << done + 1;
        for (std::size_t i = 0; i < count; ++i) ASSERT_EQ(run[i], values[done + i]) << "item " << done + i + 1;
        ASSERT_EQ(run[count], 1234) << "written past a run of " << count;
      }
    }
  }
}

INSTANTIATE_EACH_NUMBER_WINDOWS(NumberRuns);

namespace {

// Every step of reading `data` in runs of at most `chunk` numbers, each item a run stops
// before skipped: what each run gave, where it left the reader, and the item number.
std::vector<std::int64_t> runSteps(const std::string& data, std::size_t chunk) {
  text::ItemReader in(data, "f");
  std::vector<std::int64_t> steps;
  std::vector<std::int32_t> run(chunk);
  while (!in.atEnd()) {
    const std::size_t got = in.writerRun(run.data(), chunk);
    steps.insert(steps.end(), {static_cast<std::int64_t>(got), static_cast<std::int64_t>(in.position()),
                               static_cast<std::int64_t>(in.itemNumber())});
    steps.insert(steps.end(), run.begin(), run.begin() + static_cast<std::ptrdiff_t>(got));
    if (got < chunk && !in.atEnd()) in.skip(1);
  }
  return steps;
}

// Data whose windows the readers take differently: items of one to nine digits (all of
// four bytes, all of eight digits, or mixed), with, at random, "-0", texts and damage.
std::string windowTestData(unsigned seed) {
  const char* others[] = {"-0 ,", "-00000000 ,", " 123456789 ,", "\"a, b\",", " 3x ,", "7\n", " 5,", " 0012 ,"};
  std::mt19937 rng(seed);
  std::string data;
  const unsigned shape = seed % 4, rare = seed % 5;
  const int items = 200 + static_cast<int>(rng() % 300);
  for (int i = 0; i < items; ++i) {
    if (rng() % 100 < rare) {
      data += others[rng() % std::size(others)];
      continue;
    }
    long long v = randomValue(rng);
    if (shape == 1) v %= 10;                             // four bytes an item: sixteen to a window
    if (shape == 2) v = v < 0 ? -87654321 : 12345678;    // eleven bytes an item
    data += v == 0 ? std::string(" 0 ,") : writerItem(v);
  }
  return data;
}

}  // namespace

TEST(NumberWindowReaders, StopWhereTheOthersStopWithTheSameNumbers) {
  // Every reader the machine has gives the same numbers, stops at the same byte after the
  // same count and reaches the same item number, in runs of every size, wherever a
  // window begins, up to the end of the data.
  std::vector<text::NumberWindows> paths;
  for (auto path : {text::NumberWindows::Sse2, text::NumberWindows::Avx2, text::NumberWindows::Avx512})
    if (text::hasNumberWindows(path)) paths.push_back(path);
  if (paths.size() < 2) GTEST_SKIP() << "this machine has one window reader only";
  const text::NumberWindows was = text::numberWindows();
  for (unsigned seed = 1; seed <= 60; ++seed) {
    const std::string data = windowTestData(seed);
    for (std::size_t chunk : {1u, 7u, 16u, 17u, 100u, 5000u}) {
      text::useNumberWindows(paths[0]);
      const auto want = runSteps(data, chunk);
      for (std::size_t p = 1; p < paths.size(); ++p) {
        text::useNumberWindows(paths[p]);
        ASSERT_EQ(runSteps(data, chunk), want) << quillane::testing::numberWindowsName(paths[p]) << " against " << quillane::testing::numberWindowsName(paths[0]) << ", seed "
                                               << seed << ", runs of " << chunk;
      }
    }
  }
  text::useNumberWindows(was);
}
