#include "core/event/command_reference_text.h"

#include "core/event/command_reference.h"

namespace quillane::event {

std::vector<std::string_view> referenceResourceLines() {
  std::vector<std::string_view> lines;
  for (std::string_view part : {detail::referenceTextA(), detail::referenceTextB(), detail::referenceTextC(),
                                detail::referenceTextD()}) {
    while (!part.empty()) {
      const std::size_t end = part.find('\n');
      lines.push_back(part.substr(0, end));
      if (end == std::string_view::npos) break;
      part.remove_prefix(end + 1);
    }
  }
  return lines;
}

}  // namespace quillane::event
