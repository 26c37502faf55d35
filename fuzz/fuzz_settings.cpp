// Fuzz target: the settings file reader, then the writer on what it read.
#include <cstddef>
#include <cstdint>

#include "core/settings/editor_settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quillane;
  auto settings = settings::parseSettings(std::string_view(reinterpret_cast<const char*>(data), size));
  if (settings) {
    auto line = settings::formatSettings(*settings);
    // What was written reads back.
    if (!settings::parseSettings(line)) __builtin_trap();
  }
  return 0;
}
