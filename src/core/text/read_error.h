#pragma once
// The error every project-file reader raises. The user sees the file-open message;
// `quillane-tool check` prints the detail.
#include <cstddef>
#include <stdexcept>
#include <string>

namespace quillane::text {

class ReadError : public std::runtime_error {
 public:
  ReadError(std::string file, std::size_t item, std::string expected, std::string found);
  const std::string& file() const { return file_; }
  std::size_t item() const { return item_; }  // 1-based item number in the file
  const std::string& expected() const { return expected_; }
  const std::string& found() const { return found_; }

 private:
  std::string file_;
  std::size_t item_;
  std::string expected_;
  std::string found_;
};

}  // namespace quillane::text
