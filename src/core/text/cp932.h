#pragma once
// Project text is held as CP932 (Shift-JIS) bytes from file to memory to file.
// These helpers walk such bytes by character and convert at the program's edges.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace quillane::text {

// A CP932 byte string. Always bytes, never UTF-8, inside the core.
using Bytes = std::string;

// True for the first byte of a double-byte CP932 character (0x81–0x9F, 0xE0–0xFC).
bool isLeadByte(unsigned char c);

// Length in bytes (1 or 2) of the character starting at pos; a lead byte at the very
// end counts as one byte so that walking never runs past the end.
std::size_t charLength(std::string_view s, std::size_t pos);

// Upper-cases single-byte a–z only; the bytes of double-byte characters stay.
Bytes upperAscii(std::string_view s);

// Cuts to at most `width` bytes without splitting a character, then pads with blanks
// to exactly `width` bytes.
Bytes fitToWidth(std::string_view s, std::size_t width);

// Cuts to at most `width` bytes without splitting a character (no padding).
Bytes cutToWidth(std::string_view s, std::size_t width);

// Finds `needle` in `hay` from byte `from`, matching only at character starts.
// Returns npos when absent.
std::size_t findAtCharStart(std::string_view hay, std::string_view needle, std::size_t from = 0);

// Removes trailing blanks (0x20).
Bytes trimRight(std::string_view s);
// Removes leading and trailing blanks and tabs.
Bytes trim(std::string_view s);

// UTF-8 → CP932. Empty optional when some character has no CP932 code.
std::optional<Bytes> fromUtf8(std::string_view utf8);
// CP932 → UTF-8. Bytes that are no valid CP932 become U+FFFD.
std::string toUtf8(std::string_view cp932);

// CP932 form of a UTF-8 literal written in the program's source. Every such literal
// is representable; a literal that is not is a programming error and aborts.
Bytes sj(std::string_view utf8Literal);

}  // namespace quillane::text
