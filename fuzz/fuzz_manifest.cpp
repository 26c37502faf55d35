// Fuzz target: the staged-save manifest. Whatever it accepts names only plain
// project files inside DAT, and writes back to the same text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/data/load_all.h"
#include "core/text/pending_commit.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quillane;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::string problem;
  auto entries = files::parseManifest(text, &data::isProjectFileName, problem);
  if (!entries) return 0;
  for (const auto& e : *entries) {
    const std::string& r = e.relative;
    if (r.size() < 5 || r.find("..") != std::string::npos || r.find_first_of("\\/", 4) != std::string::npos ||
        !data::isProjectFileName(std::string_view(r).substr(4)))
      __builtin_trap();
  }
  std::string again = files::manifestText(*entries);
  if (again != text && again != std::string(text) + "\n") __builtin_trap();
  return 0;
}
