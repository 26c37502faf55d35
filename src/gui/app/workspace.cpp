#include "gui/app/workspace.h"

namespace quillane::app {

std::string threeDigits(int number) {
  std::string s = "000" + std::to_string(number);
  return s.substr(s.size() - 3);
}

std::string Workspace::mapNumberText() const { return map && mapIndex >= 0 ? threeDigits(mapIndex) : std::string(); }

}  // namespace quillane::app
