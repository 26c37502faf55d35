// A run of number fields (NumberRun) reads ahead what is in the writer's form and leaves
// every other item to the field reader: whatever the items, the fields must get what
// num(), i32() and filler() give one by one, with the same item numbers and the same
// error at the same item. Short runs and long ones take different bulk readers; runs
// that end near the end of the data take neither.
#include <gtest/gtest.h>

#include "number_reading.h"

#include <cstring>
#include <random>

#include "core/data/number_run.h"

using namespace quillane;
using data::FieldReader;

namespace {

// What each field of a record is read as.
enum class Field { Real, Integer, Filler };

using quillane::testing::Reading;

// A random item: mostly the writer's form, sometimes another spelling of a number, a
// text, an empty item, nine digits or damage.
std::string randomItem(std::mt19937& rng) {
  const long long v = static_cast<long long>(rng() % 2000) - 1000;
  switch (rng() % 24) {
    case 0: return "1.5,";
    case 1: return "  7,";
    case 2: return "-0 ,";
    case 3: return " 123456789 ,";
    case 4: return "\"t\",";
    case 5: return ",";
    case 6: return "x9 ,";
    case 7: return "-2147483649 ,";
    default: return (v < 0 ? "-" : " ") + std::to_string(v < 0 ? -v : v) + " ,";
  }
}

// Reads `fields` (repeated `records` times) one by one, or as runs of `perRun` records.
Reading read(const std::string& bytes, const std::vector<Field>& fields, int records, int perRun) {
  data::HiddenFields hidden;
  FieldReader io(bytes, "DAT\\bzenene.DAT", 340, hidden);
  Reading out;
  const auto take = [&](auto& source, Field f) {
    float real;
    std::int32_t integer;
    if (f == Field::Real) source.num(real), out.reals.push_back(real);
    if (f == Field::Integer) source.i32(integer), out.integers.push_back(integer);
    if (f == Field::Filler) source.filler();
  };
  try {
    for (int r = 0; r < records;) {
      if (perRun == 0) {
        for (Field f : fields) take(io, f);
        ++r;
        continue;
      }
      const int n = std::min(perRun, records - r);
      data::NumberRun<FieldReader> run(io, n * static_cast<int>(fields.size()));
      for (int k = 0; k < n; ++k)
        for (Field f : fields) take(run, f);
      r += n;
    }
  } catch (const text::ReadError& e) {
    out.error = e.what();
  }
  out.items = io.items().itemNumber();
  return out;
}

}  // namespace

TEST(NumberRun, FieldsGetWhatTheyGetOneByOneWhateverTheItems) {
  const std::vector<std::vector<Field>> layouts = {
      {Field::Real, Field::Real, Field::Integer},
      {Field::Real, Field::Filler, Field::Filler, Field::Filler, Field::Filler, Field::Filler},
      {Field::Integer},
  };
  int errors = 0;
  for (unsigned seed = 1; seed <= 400; ++seed) {
    std::mt19937 rng(seed);
    const auto& fields = layouts[seed % layouts.size()];
    const int records = 1 + static_cast<int>(rng() % 300);
    std::string bytes;
    const bool clean = rng() % 3 == 0;  // long runs in the writer's form only
    for (std::size_t i = 0; i < records * fields.size(); ++i)
      bytes += clean ? " " + std::to_string(rng() % 1000) + " ," : randomItem(rng);
    if (rng() % 2) bytes.pop_back();  // the last item ended by the end of the data
    const Reading oneByOne = read(bytes, fields, records, 0);
    errors += !oneByOne.error.empty();
    // Runs of one record (a few items), of many, and one run over all of them.
    for (int perRun : {1, 4, 50, records}) {
      const Reading runs = read(bytes, fields, records, perRun);
      ASSERT_EQ(runs, oneByOne) << "seed " << seed << ", " << perRun << " records a run: " << runs.error << " / "
                                << oneByOne.error;
    }
  }
  EXPECT_GT(errors, 20);  // damage was met, not only clean runs
}

TEST(NumberRun, ColumnsLayTheRecordsOutAsFieldReaderColumnsDoes) {
  std::string bytes;
  for (int i = 0; i < 700; ++i) bytes += (i % 5 == 3 ? "-" : " ") + std::to_string(i) + " ,";
  bytes.replace(bytes.find(" 401 ,"), 6, "401.5,");  // one record read item by item
  for (int count : {3, 350}) {
    data::HiddenFields hidden;
    FieldReader bulk(bytes, "f", 340, hidden), columns(bytes, "f", 340, hidden);
    std::vector<float> a(count), expectedA(count);
    std::vector<std::int32_t> b(count), expectedB(count);
    {
      data::NumberRun<FieldReader> run(bulk, 2 * count);
      run.columns(count, a.data(), b.data());
    }
    columns.columns(count, expectedA.data(), expectedB.data());
    EXPECT_EQ(a, expectedA);
    EXPECT_EQ(b, expectedB);
    EXPECT_EQ(bulk.items().itemNumber(), static_cast<std::size_t>(2 * count));
    // Nothing beyond the run was read: the next item is still there.
    if (count == 3) {
      float next = 0;
      bulk.num(next);
      EXPECT_EQ(next, 6.f);
    } else {
      EXPECT_TRUE(bulk.items().atEnd());
    }
  }
}
