#include "core/text/item_reader.h"

#include "core/text/quoted_runs.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cmath>

namespace quillane::text {

ItemReader::ItemReader(std::string_view data, std::string fileName)
    : data_(data), file_(std::move(fileName)) {}

namespace {

// Bit i set where p[i] is a comma, for the 64 bytes from p.
inline std::uint64_t commaMask(const char* p) {
  std::uint64_t found = 0;
#ifdef __SSE2__
  const __m128i comma = _mm_set1_epi8(',');
  for (int k = 0; k < 4; ++k) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * k));
    found |= static_cast<std::uint64_t>(static_cast<std::uint16_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, comma))))
             << (16 * k);
  }
#else
  for (int i = 0; i < 64; ++i) found |= static_cast<std::uint64_t>(p[i] == ',') << i;
#endif
  return found;
}

// Eight bytes beyond the 64 scanned: a number ending at the last of them is read with
// one eight-byte load from its first digit.
constexpr std::size_t kCommaWindow = 64 + 8;

}  // namespace

bool ItemReader::findCommas() {
  if (data_.size() - pos_ < kCommaWindow) return false;
  commas_ = commaMask(data_.data() + pos_);
  commasAt_ = pos_;
  return commas_ != 0;
}

std::size_t ItemReader::writerNumbers(std::int32_t* out, std::size_t count) {
  // The reader's state in locals: the stores into `out` would otherwise make the
  // compiler reload it for every item.
  const char* const d = data_.data();
  std::size_t pos = pos_, at = commasAt_, n = 0;
  std::uint64_t commas = commas_;
  while (n < count) {
    if (commas == 0) {
      if (data_.size() - pos < kCommaWindow) break;
      commas = commaMask(d + pos);
      at = pos;
      if (commas == 0) break;
    }
    const std::size_t comma = at + static_cast<std::size_t>(__builtin_ctzll(commas));
    if (decodeWriterItem(d + pos, comma - pos, out[n]) != Decoded::Number) break;
    ++n;
    pos = comma + 1;
    commas &= commas - 1;
  }
  pos_ = pos;
  commas_ = commas;
  commasAt_ = at;
  item_ += n;
  return n;
}

bool ItemReader::writerNumberNearEnd(std::int32_t& value) {
  commas_ = 0;
  constexpr std::size_t kLongest = 12;  // sign, 9 digits, blank, comma
  if (data_.size() - pos_ < kLongest) return false;
  const char* d = data_.data() + pos_;
  const bool negative = *d == '-';
  if (*d == ' ' || negative) ++d;
  const char* digits = d;
  std::uint32_t v = 0;
  while (unsigned(*d - '0') < 10u && d - digits < 9) v = v * 10 + unsigned(*d++ - '0');
  if (d == digits || d[0] != ' ' || d[1] != ',') return false;
  if (negative && v == 0) return false;
  ++item_;
  pos_ = static_cast<std::size_t>(d + 2 - data_.data());
  value = negative ? -static_cast<std::int32_t>(v) : static_cast<std::int32_t>(v);
  return true;
}

void ItemReader::fail(const std::string& expected, const std::string& found) const {
  throw ReadError(file_, item_, expected, found);
}

void ItemReader::skipLeading() {
  commas_ = 0;
  while (pos_ < data_.size()) {
    char c = data_[pos_];
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n')
      ++pos_;
    else
      break;
  }
}

bool ItemReader::atEnd() {
  skipLeading();
  return pos_ >= data_.size();
}

void ItemReader::endItem() {
  commas_ = 0;
  while (pos_ < data_.size()) {
    char c = data_[pos_++];
    if (c == ',') return;
    if (c == '\r') {
      if (pos_ < data_.size() && data_[pos_] == '\n') ++pos_;
      return;
    }
    if (c == '\n') return;
  }
}

std::string_view ItemReader::rawItem() {
  ++item_;
  skipLeading();
  if (pos_ >= data_.size()) fail("an item", "the end of the file");
  std::size_t start = pos_;
  while (pos_ < data_.size() && data_[pos_] != ',' && data_[pos_] != '\r' && data_[pos_] != '\n') ++pos_;
  std::string_view item = data_.substr(start, pos_ - start);
  endItem();
  while (!item.empty() && (item.back() == ' ' || item.back() == '\t')) item.remove_suffix(1);
  return item;
}

bool ItemReader::plainNumber(double& out) {
  commas_ = 0;
  std::size_t p = pos_;
  const std::size_t n = data_.size();
  const char* d = data_.data();
  while (p < n && (d[p] == ' ' || d[p] == '\t')) ++p;
  const bool negative = p < n && d[p] == '-';
  if (negative) ++p;
  const std::size_t digitsAt = p;
  long long v = 0;
  while (p < n && d[p] >= '0' && d[p] <= '9' && p - digitsAt < 15) v = v * 10 + (d[p++] - '0');
  if (p == digitsAt) return false;
  while (p < n && (d[p] == ' ' || d[p] == '\t')) ++p;
  if (p < n && d[p] != ',') return false;
  ++item_;
  pos_ = p < n ? p + 1 : p;
  out = negative ? -static_cast<double>(v) : static_cast<double>(v);
  return true;
}

// Every other form: quoted texts are refused, signs may be followed by blanks, fractions
// and exponents are read.
double ItemReader::numberSlow() {
  double plain;
  if (plainNumber(plain)) return plain;
  std::size_t before = pos_;
  skipLeading();
  if (pos_ < data_.size() && data_[pos_] == '"') {
    ++item_;
    fail("a number", "a quoted text");
  }
  pos_ = before;
  std::string_view item = rawItem();
  if (item.empty()) return 0.0;
  // A sign followed by blanks is how the writer puts the sign before the digits.
  bool negative = false;
  std::size_t i = 0;
  if (item[0] == '-' || item[0] == '+') {
    negative = item[0] == '-';
    i = 1;
    while (i < item.size() && item[i] == ' ') ++i;
  }
  std::string_view digits = item.substr(i);
  double value = 0;
  auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (ec != std::errc() || ptr != digits.data() + digits.size() || !std::isfinite(value))
    fail("a number", "\"" + std::string(item.substr(0, 40)) + "\"");
  return negative ? -value : value;
}

namespace {
// A number as a reader of the error expects it: "99", "2.5", "1e+39".
std::string shown(double v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.10g", v);
  return buf;
}
}  // namespace

void ItemReader::failBounds(int lo, int hi, const char* what, double found) const {
  fail(std::string(what) + " in " + std::to_string(lo) + ".." + std::to_string(hi), shown(found));
}

int ItemReader::boundedSlow(int lo, int hi, const char* what) {
  double v = number();
  if (v != std::floor(v) || v < lo || v > hi) failBounds(lo, hi, what, v);
  return static_cast<int>(v);
}

std::int32_t ItemReader::int32Slow() {
  double v = number();
  if (v < -2147483648.0 || v > 2147483647.0) fail("a 32-bit integer", shown(v));
  return static_cast<std::int32_t>(std::llround(v));
}

void ItemReader::textOther(Bytes& into) {
  const std::size_t n = data_.size();
  if (pos_ < n && data_[pos_] == '"') {
    const char* open = data_.data() + pos_ + 1;
    const char* end = data_.data() + n;
    const auto* close = static_cast<const char*>(std::memchr(open, '"', static_cast<std::size_t>(end - open)));
    if (close && end - close > 1 && close[1] == ',') {
      into.clear();
      into.append(open, static_cast<std::size_t>(close - open));
      commas_ = 0;
      ++item_;
      pos_ = static_cast<std::size_t>(close + 2 - data_.data());
      return;
    }
  }
  textSlow(into);
}

std::size_t ItemReader::shortTexts(Bytes* out, std::size_t count) {
  const char* p = data_.data() + pos_;
  const char* const end = data_.data() + data_.size();
  std::size_t n = readQuotedRuns(p, end, out, count);
#ifdef __SSE2__
  // Near the end of the data, short texts one after the other. One looks at kLooked
  // bytes from its quote and takes at most kLonger: the texts of a batch that surely
  // lies before the end of the data are read without checking where they end.
  constexpr std::size_t kLooked = kShortText + 3;  // the quotes, the text and the comma
  constexpr std::size_t kLonger = kShortText + 2;  // the longest short text, its quotes and comma
  Bytes* o = out + n;
  Bytes* const last = out + count;
  const __m128i quote = _mm_set1_epi8('"');
  while (o != last && static_cast<std::size_t>(end - p) >= kLooked) {
    const std::size_t sure = (static_cast<std::size_t>(end - p) - kLooked) / kLonger + 1;
    Bytes* const batchEnd = o + std::min(sure, static_cast<std::size_t>(last - o));
    do {
      if (*p != '"') goto done;
      const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 1));
      const auto quotes = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, quote)));
      const unsigned length = static_cast<unsigned>(__builtin_ctz(quotes | (1u << kShortText)));
      if (length >= kShortText || p[length + 2] != ',') goto done;
      putShort(*o, p + 1, length);
      ++o;
      p += length + 3;
    } while (o != batchEnd);
  }
done:
  n = static_cast<std::size_t>(o - out);
#endif
  if (n != 0) {
    commas_ = 0;
    item_ += n;
    pos_ = static_cast<std::size_t>(p - data_.data());
  }
  return n;
}

void ItemReader::textSlow(Bytes& into) {
  commas_ = 0;
  skipLeading();
  if (pos_ < data_.size() && data_[pos_] == '"') {
    ++item_;
    std::size_t close = data_.find('"', pos_ + 1);
    if (close == std::string_view::npos) fail("a closing double quote", "the end of the file");
    into.assign(data_.substr(pos_ + 1, close - pos_ - 1));
    pos_ = close + 1;
    endItem();
    return;
  }
  into.assign(rawItem());
}

int ItemReader::formatVersion() {
  std::string_view item = rawItem();
  std::size_t b = item.find_first_not_of(" \t");
  std::string_view digits = b == std::string_view::npos ? std::string_view() : item.substr(b);
  if (digits.empty() || digits.size() > 3 || digits.find_first_not_of("0123456789") != std::string_view::npos)
    fail("a format version of 0..999", "\"" + std::string(item.substr(0, 40)) + "\"");
  int v = 0;
  for (char c : digits) v = v * 10 + (c - '0');
  return v;
}

Bytes ItemReader::bare() {
  std::string_view item = rawItem();
  std::size_t b = 0;
  while (b < item.size() && (item[b] == ' ' || item[b] == '\t')) ++b;
  return Bytes(item.substr(b));
}

void ItemReader::skip(int n) {
  // Skipped items are mostly filler numbers in the writer's form; anything else is
  // passed over as a text would be.
  Bytes ignored;
  std::int32_t numbers[256];
  while (n > 0) {
    const int want = n < 256 ? n : 256;
    const int got = static_cast<int>(writerRun(numbers, static_cast<std::size_t>(want)));
    n -= got;
    if (got == want) continue;
    std::int32_t value;
    if (!writerNumber(value)) text(ignored);
    --n;
  }
}

}  // namespace quillane::text
