#include "core/text/read_error.h"

namespace quillane::text {

static std::string describe(const std::string& file, std::size_t item, const std::string& expected,
                            const std::string& found) {
  return file + ": item " + std::to_string(item) + ": expected " + expected + ", found " + found;
}

ReadError::ReadError(std::string file, std::size_t item, std::string expected, std::string found)
    : std::runtime_error(describe(file, item, expected, found)),
      file_(std::move(file)),
      item_(item),
      expected_(std::move(expected)),
      found_(std::move(found)) {}

}  // namespace quillane::text
