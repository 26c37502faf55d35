// The writer's number and text forms against a plain reference built from numberForm
// (the form every project file has always been written in): every digit count and
// sign, fractions and values beyond the fast form, the columns of a table, and writing
// over a kept buffer larger or smaller than the new file.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "core/text/item_writer.h"

using namespace quillane::text;

namespace {

std::string reference(double v) { return numberForm(v) + ","; }

// Values of every digit count 1..10 with both signs, at the edges of each count and
// of the fast form (|v| < 1e9), as floats, ints and doubles.
std::vector<double> edgeValues() {
  std::vector<double> out = {0.0, -0.0, 1, -1, 7, 999999999, -999999999, 1e9, -1e9, 1e9 + 1, 2147483647.0,
                             -2147483648.0, 4294967296.0, 1e15, -1e15};
  for (double p = 1; p <= 1e10; p *= 10)
    for (double d : {p - 1, p, p + 1, 2 * p - 1, 5 * p + 3, 9 * p})
      if (d >= 0) out.insert(out.end(), {d, -d});
  return out;
}

}  // namespace

TEST(ItemWriter, WholeNumbersOfEveryDigitCountAndSignMatchTheReference) {
  for (double v : edgeValues()) {
    SCOPED_TRACE(v);
    ItemWriter asDouble, asInt, asFloat;
    asDouble.number(v);
    EXPECT_EQ(asDouble.bytes(), reference(v));
    if (v >= -2147483648.0 && v <= 2147483647.0) {
      asInt.number(static_cast<std::int32_t>(v));
      EXPECT_EQ(asInt.bytes(), reference(v));
    }
    const float f = static_cast<float>(v);
    asFloat.number(f);
    EXPECT_EQ(asFloat.bytes(), reference(static_cast<double>(f)));
  }
  // Every value below 10^6 and a stride through the rest of the fast range.
  std::string all, expected;
  ItemWriter w;
  for (int v = -1000000; v <= 1000000; ++v) w.number(v), expected += reference(v);
  for (std::int64_t v = -999999999; v <= 999999999; v += 7777777) w.number(static_cast<int>(v)), expected += reference(double(v));
  EXPECT_EQ(w.bytes(), expected);
}

TEST(ItemWriter, FractionsAndOddValuesTakeTheLongFormUnchanged) {
  const float fl[] = {0.5f, -0.5f, 62.5f, 0.1f, -1.25f, 3.4e38f, -3.4e38f, 1e-30f, 999999999.5f, 16777217.0f,
                      std::numeric_limits<float>::infinity(), -std::numeric_limits<float>::infinity(),
                      std::numeric_limits<float>::denorm_min()};
  for (float f : fl) {
    SCOPED_TRACE(f);
    ItemWriter w;
    w.number(f);
    EXPECT_EQ(w.bytes(), reference(static_cast<double>(f)));
  }
  for (double d : {0.1, -2.75, 1e300, -1e-300, 123456789.125, std::numeric_limits<double>::denorm_min()}) {
    SCOPED_TRACE(d);
    ItemWriter w;
    w.number(d);
    EXPECT_EQ(w.bytes(), reference(d));
    EXPECT_EQ(w.bytes().find('\0'), std::string::npos);
  }
  ItemWriter w;
  w.number(std::numeric_limits<float>::quiet_NaN());
  EXPECT_EQ(w.bytes(), reference(std::numeric_limits<double>::quiet_NaN()));
}

TEST(ItemWriter, ColumnsWriteRecordByRecordAsSingleNumbersDo) {
  // Long enough to cross many growth steps; a fraction or a huge value now and then
  // leaves the fast form in the middle of a record.
  const int n = 40000;
  std::vector<float> a(n), b(n);
  std::vector<std::int32_t> c(n);
  for (int r = 0; r < n; ++r) {
    a[r] = static_cast<float>((r * 37) % 2000 - 1000);
    b[r] = r % 97 == 0 ? 0.25f * static_cast<float>(r) + 0.125f : r % 101 == 0 ? 3e12f : static_cast<float>(r % 10);
    c[r] = r % 13 == 0 ? -(r * 12345) : r * r;
  }
  ItemWriter single, columns;
  for (int r = 0; r < n; ++r) single.number(a[r]), single.number(b[r]), single.number(c[r]);
  columns.columns(n, a.data(), b.data(), c.data());
  EXPECT_EQ(columns.bytes(), single.bytes());
  ItemWriter none;
  none.columns(0, a.data());
  EXPECT_EQ(none.bytes(), "");
}

// Columns go in blocks of records whose table items are picked four values at a time:
// every value at the edges of the table (±999, ±1000), -0, fractions just inside it,
// NaN, infinities and the int limits, at every place of a block, and counts that end
// inside a block, must give the bytes of single numbers.
TEST(ItemWriter, ColumnBlocksGiveSingleNumbersForEveryValueAtEveryPlace) {
  const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
  const std::vector<float> odd = {999, -999, 1000, -1000, 998.5f, -998.5f, -0.0f, 0.5f, nan, inf, -inf, 1e9f, 3e9f, -3e9f,
                                  2147483520.0f};
  const std::vector<std::int32_t> oddInts = {999, -999, 1000, -1000, 0, INT32_MAX, INT32_MIN, INT32_MAX - 998,
                                             INT32_MIN + 999, 999999999, -999999999, 1000000000};
  for (std::size_t at = 0; at < 19; ++at) {
    for (std::size_t k = 0; k < std::max(odd.size(), oddInts.size()); ++k) {
      const int n = static_cast<int>(at) + 1 + static_cast<int>(k % 9);
      std::vector<float> f(n), g(n);
      std::vector<std::int32_t> c(n);
      for (int r = 0; r < n; ++r) f[r] = static_cast<float>(r % 7) - 3, g[r] = static_cast<float>(r * 11), c[r] = -r;
      f[at] = odd[k % odd.size()];
      c[at] = oddInts[k % oddInts.size()];
      g[n - 1 - at % n] = odd[(k + 3) % odd.size()];
      ItemWriter single, columns;
      for (int r = 0; r < n; ++r) single.number(f[r]), single.number(c[r]), single.number(g[r]);
      columns.columns(n, f.data(), c.data(), g.data());
      ASSERT_EQ(columns.bytes(), single.bytes()) << "place " << at << ", value " << k;
    }
  }
  // Every whole value of the table and around it, in one column and as ints.
  std::vector<float> all;
  std::vector<std::int32_t> allInts;
  for (int v = -1100; v <= 1100; ++v) all.push_back(static_cast<float>(v)), allInts.push_back(v);
  ItemWriter single, columns;
  for (std::size_t r = 0; r < all.size(); ++r) single.number(all[r]), single.number(allInts[r]);
  columns.columns(static_cast<int>(all.size()), all.data(), allInts.data());
  EXPECT_EQ(columns.bytes(), single.bytes());
}

TEST(ItemWriter, AKeptBufferIsWrittenOverAndHoldsExactlyTheNewFile) {
  ItemWriter first;
  for (int i = 0; i < 100000; ++i) first.number(i);
  Bytes kept = first.take();
  const std::size_t big = kept.size();
  // Smaller than the old file: nothing of the old bytes remains.
  ItemWriter smaller(std::move(kept));
  smaller.text("abc");
  smaller.raw("99\r\n");
  smaller.bare("x");
  Bytes small = smaller.take();
  EXPECT_EQ(small, "\"abc\",99\r\nx,");
  // Larger than the kept buffer: it grows, and the old bytes are all written over.
  std::string expected;
  ItemWriter larger(std::move(small));
  for (int i = 0; i < 200000; ++i) larger.number(-i), expected += reference(-i);
  EXPECT_EQ(larger.bytes(), expected);
  EXPECT_GT(larger.bytes().size(), big);
  // Writing after bytes() goes on where it stopped.
  larger.number(5);
  EXPECT_EQ(larger.take(), expected + " 5 ,");
}

TEST(ItemWriter, TextsOfAnyLengthAndCopiesOfAWriter) {
  const std::string longText(100000, 'x');
  ItemWriter w;
  w.text("");
  w.text(longText);
  w.bare(longText);
  w.raw(longText);
  EXPECT_EQ(w.bytes(), "\"\",\"" + longText + "\"," + longText + "," + longText);
  ItemWriter copy = w;
  ItemWriter moved = std::move(w);
  copy.number(1);
  moved.number(2);
  const std::string before = "\"\",\"" + longText + "\"," + longText + "," + longText;
  EXPECT_EQ(copy.take(), before + " 1 ,");
  EXPECT_EQ(moved.take(), before + " 2 ,");
}

// The quoted text of a table field: written as text() writes it, or refused whole when
// it holds a double quote, at every length around the 16- and 32-byte steps and with
// the quote at every place (the output before it is left as it was).
TEST(ItemWriter, QuotedTextsMatchTextOrAreRefusedWithAQuoteAnywhere) {
  for (std::size_t n = 0; n <= 40; ++n) {
    SCOPED_TRACE(n);
    Bytes plain;
    for (std::size_t i = 0; i < n; ++i) plain.push_back(static_cast<char>(i % 2 ? '\x82' : 'a' + i % 26));
    Bytes grown = plain;
    grown.reserve(200);  // kept in a larger heap buffer, the bytes past its end unset
    for (const Bytes* v : {&plain, &grown}) {
      ItemWriter quoted, reference;
      quoted.number(1);
      reference.number(1);
      EXPECT_TRUE(quoted.quotedText(*v));
      reference.text(*v);
      EXPECT_EQ(quoted.bytes(), reference.bytes());
    }
    for (std::size_t at = 0; at < n; ++at) {
      Bytes withQuote = plain;
      withQuote[at] = '"';
      ItemWriter w;
      w.number(1);
      EXPECT_FALSE(w.quotedText(withQuote));
      EXPECT_EQ(w.bytes(), " 1 ,");
    }
  }
}

// A run of texts is written as text() writes each, across the writer's growth steps
// and around the 16- and 32-byte lengths; a text with a quote stops the run there,
// with everything before it written and nothing of it.
TEST(ItemWriter, TextRunsMatchTextOneByOneAndStopAtAQuote) {
  std::vector<Bytes> run;
  for (int i = 0; i < 30000; ++i) {
    Bytes t;
    for (int k = 0; k < i % 41; ++k) t.push_back(static_cast<char>(k % 3 ? '\x82' : 'a' + (i + k) % 26));
    run.push_back(std::move(t));
  }
  run[777].reserve(300);  // a text kept in a heap buffer
  ItemWriter bulk, single;
  EXPECT_EQ(bulk.quotedTexts(run.data(), run.size()), run.size());
  for (const Bytes& t : run) single.text(t);
  EXPECT_EQ(bulk.bytes(), single.bytes());
  for (std::size_t at : {std::size_t{0}, std::size_t{5}, std::size_t{20000}}) {
    for (std::size_t where : {std::size_t{0}, std::size_t{15}, std::size_t{31}, std::size_t{39}}) {
      std::vector<Bytes> quoted = run;
      quoted[at] = Bytes(where + 2, 'q');  // 2, 17, 33 and 41 bytes
      quoted[at][where] = '"';
      ItemWriter w, expected;
      EXPECT_EQ(w.quotedTexts(quoted.data(), quoted.size()), at);
      for (std::size_t i = 0; i < at; ++i) expected.text(quoted[i]);
      EXPECT_EQ(w.bytes(), expected.bytes());
    }
  }
}
