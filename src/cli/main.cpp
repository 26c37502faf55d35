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
#include "quillane_version.h"

namespace {

const char* const kUsage =
    "usage: quillane-tool new DIR [--password P]\n"
    "       quillane-tool check DIR [--password P]\n"
    "       quillane-tool resave DIR --password P [--map N]\n"
    "       quillane-tool --help | --version\n";

int usage() {
  std::fputs(kUsage, stderr);
  return 2;
}

int help() {
  std::fputs(kUsage, stdout);
  std::fputs("\n"
             "  new     create a blank project in DIR (the password is registered at once when given)\n"
             "  check   load DIR as the editor does; print OK or the first problem\n"
             "  resave  load DIR, open map N (0 by default) and save everything in the current format\n"
             "\n"
             "Exit status: 0 success, 1 the project cannot be read or written, 2 wrong arguments.\n",
             stdout);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) return help();
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::printf("quillane-tool %s\n", QUILLANE_VERSION);
    return 0;
  }
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
