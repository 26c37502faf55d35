#pragma once
// The four parts of the command reference text (UTF-8, one line per reference line,
// blocks in command order, the last part ending with the line "END").
#include <string_view>

namespace quillane::event::detail {

std::string_view referenceTextA();
std::string_view referenceTextB();
std::string_view referenceTextC();
std::string_view referenceTextD();

}  // namespace quillane::event::detail
