#pragma once
// Rules for what the user types: texts that would break a project file, numbers typed
// into boxes, and passwords.
#include <cstdint>
#include <optional>
#include <string_view>

#include "core/text/cp932.h"

namespace quillane::data {

using text::Bytes;

enum class TextUse {
  Quoted,   // written between double quotes: no double quote, CR or LF
  Bare,     // written without quotes (cursor file name, bare texts): also no comma
  Message,  // a message-list text: quoted, and never "END" (it ends the list)
};

// Empty optional when `value` may be entered; otherwise the message to show (CP932).
std::optional<Bytes> refuseText(std::string_view value, TextUse use = TextUse::Quoted);
// Title for the message above (CP932).
Bytes refuseTextTitle();

enum class NumberField {
  Real,   // held as a single-precision real: clamped to +-9,999,999
  Int32,  // a 32-bit field: clamped to its range
};

// The leading number of a text, the one reading of numbers typed into boxes or kept as
// text (event numbers of cells, movement codes): full-width digits, signs, point and
// blank count as ASCII; blanks before it are skipped; a sign and a fraction are taken.
// Empty when the text does not begin with a number.
std::optional<double> leadingNumber(std::string_view typed);

// The leading number of a typed text, rounded half away from zero and clamped. Empty
// or non-numeric text reads 0.
double parseTypedNumber(std::string_view typed, NumberField field = NumberField::Real);
// The same without rounding (fields that keep a fraction, like the zoom).
double parseTypedReal(std::string_view typed);

// A password may hold at most 12 single-byte printable characters and no double
// quote. Empty optional when `typed` is acceptable, else the message (CP932).
std::optional<Bytes> refusePassword(std::string_view typed);

}  // namespace quillane::data
