#pragma once
// The commands of quillane-tool. Each prints what it did (or the first problem) and
// returns the exit status.
#include <optional>
#include <string>

namespace quillane::cli {

struct Options {
  std::string folder;
  std::optional<std::string> password;  // as typed (UTF-8 on the command line)
  std::optional<int> map;
};

int runNew(const Options& options);
int runCheck(const Options& options);
int runResave(const Options& options);

}  // namespace quillane::cli
