#include "core/data/text_rules.h"

#include <cmath>
#include <cstdlib>
#include <string>

namespace quillane::data {

std::optional<Bytes> refuseText(std::string_view value, TextUse use) {
  if (value.find('"') != std::string_view::npos)
    return text::sj("ダブルクォーテーション（\"）は入力できません");
  if (value.find_first_of("\r\n") != std::string_view::npos) return text::sj("改行は入力できません");
  if (use == TextUse::Bare && value.find(',') != std::string_view::npos)
    return text::sj("この項目にはカンマ（,）を入力できません");
  if (use == TextUse::Message && value == "END")
    return text::sj("「END」はメッセージの終わりを表すため登録できません");
  return std::nullopt;
}

Bytes refuseTextTitle() { return text::sj("入力エラー"); }

namespace {

// Full-width digits, signs, point and blank (CP932 0x82 0x4F..0x58, 0x81 0x7B/0x7C,
// 0x81 0x44, 0x81 0x40) become their ASCII forms; other characters are kept whole.
std::string asciiDigits(std::string_view typed) {
  std::string out;
  for (std::size_t i = 0; i < typed.size();) {
    std::size_t len = text::charLength(typed, i);
    auto b0 = static_cast<unsigned char>(typed[i]);
    auto b1 = len == 2 ? static_cast<unsigned char>(typed[i + 1]) : 0;
    if (b0 == 0x82 && b1 >= 0x4F && b1 <= 0x58) out.push_back(static_cast<char>('0' + (b1 - 0x4F)));
    else if (b0 == 0x81 && b1 == 0x7B) out.push_back('+');
    else if (b0 == 0x81 && b1 == 0x7C) out.push_back('-');
    else if (b0 == 0x81 && b1 == 0x44) out.push_back('.');
    else if (b0 == 0x81 && b1 == 0x40) out.push_back(' ');
    else out.append(typed.substr(i, len));
    i += len;
  }
  return out;
}

constexpr double kRealLimit = 9999999;

}  // namespace

// Blanks, an optional sign, digits, an optional fraction.
std::optional<double> leadingNumber(std::string_view typed) {
  std::string s = asciiDigits(typed);
  std::size_t i = 0;
  while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
  std::string number;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) number.push_back(s[i++]);
  std::size_t digitsAt = number.size();
  while (i < s.size() && s[i] >= '0' && s[i] <= '9') number.push_back(s[i++]);
  if (i < s.size() && s[i] == '.') {
    number.push_back(s[i++]);
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') number.push_back(s[i++]);
  }
  if (number.size() == digitsAt || number.substr(digitsAt) == ".") return std::nullopt;
  double v = std::strtod(number.c_str(), nullptr);
  return std::isfinite(v) ? v : (v < 0 ? -1e300 : 1e300);
}

double parseTypedNumber(std::string_view typed, NumberField field) {
  double v = std::round(leadingNumber(typed).value_or(0));  // half away from zero
  double lo = field == NumberField::Int32 ? -2147483648.0 : -kRealLimit;
  double hi = field == NumberField::Int32 ? 2147483647.0 : kRealLimit;
  return v < lo ? lo : (v > hi ? hi : v);
}

double parseTypedReal(std::string_view typed) {
  double v = leadingNumber(typed).value_or(0);
  return v < -kRealLimit ? -kRealLimit : (v > kRealLimit ? kRealLimit : v);
}

std::optional<Bytes> refusePassword(std::string_view typed) {
  bool ok = typed.size() <= 12;
  for (char c : typed)
    if (c < 0x20 || c > 0x7E || c == '"') ok = false;
  if (ok) return std::nullopt;
  return text::sj("パスワードは半角の英数字・記号12文字以内で入力して下さい（\"は使えません）");
}

}  // namespace quillane::data
