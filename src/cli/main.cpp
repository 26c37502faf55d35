// quillane-tool: the editor's core without windows.
//   new DIR [--password P]             a blank project (password registered at once when given)
//   check DIR [--password P]           load as the editor does; OK or the first problem
//   resave DIR --password P [--map N]  load, open map N, save (upgrades old projects to 340)
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "cli/project_commands.h"

namespace {

int usage() {
  std::fprintf(stderr,
               "usage: quillane-tool new DIR [--password P]\n"
               "       quillane-tool check DIR [--password P]\n"
               "       quillane-tool resave DIR --password P [--map N]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return usage();
  std::string command = argv[1];
  quillane::cli::Options options;
  options.folder = argv[2];
  for (int i = 3; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--password" && i + 1 < argc) {
      options.password = std::string(argv[++i]);
    } else if (arg == "--map" && i + 1 < argc) {
      char* end = nullptr;
      long n = std::strtol(argv[++i], &end, 10);
      if (*end != '\0' || n < 0 || n > 998) return usage();
      options.map = static_cast<int>(n);
    } else {
      return usage();
    }
  }
  if (command == "new") return quillane::cli::runNew(options);
  if (command == "check") return quillane::cli::runCheck(options);
  if (command == "resave") {
    if (!options.password) return usage();
    return quillane::cli::runResave(options);
  }
  return usage();
}
