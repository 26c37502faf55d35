// quillane-tool: the editor's core without windows.
//   new DIR [--password P]             a blank project (password registered at once when given)
//   check DIR [--password P]           load as the editor does; OK or the first problem
//   resave DIR --password P [--map N]  load, open map N, save (upgrades old projects to 340)
//   lint DIR [--password P] [--map N] [--json]  check the event scripts
//   render DIR --map N --out FILE.png [...]     draw a map
//   dump DIR [--password P]                     the project as one JSON document
//   restore FILE DIR --password P [--force]     the project of a JSON document
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "cli/project_commands.h"
#include "core/data/process_memory.h"
#include "quillane_version.h"

namespace {

const char* const kUsage =
    "usage: quillane-tool new DIR [--password P]\n"
    "       quillane-tool check DIR [--password P]\n"
    "       quillane-tool resave DIR --password P [--map N]\n"
    "       quillane-tool lint DIR [--password P] [--map N] [--json]\n"
    "       quillane-tool render DIR --map N --out FILE.png [--password P]\n"
    "                            [--layer ground|sky|both] [--events] [--grid] [--scale K]\n"
    "       quillane-tool dump DIR [--password P] > project.json\n"
    "       quillane-tool restore project.json DIR --password P [--force]\n"
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
             "  lint    check every event script (of map N only, with --map), the opening and the ending:\n"
             "          unknown commands, argument counts, missing labels, numbers beyond the tables,\n"
             "          scripts without end marker; --json prints one JSON object per finding\n"
             "  render  draw map N as the editor draws it into a PNG file: the ground, the sky layer\n"
             "          (dimmed ground as in the sky view, or both layers as the map looks), the\n"
             "          events from the character sheet, a grid, each cell 32 x K pixels\n"
             "  dump    print every table, map (with its events, scripts, flag table and objects) and\n"
             "          the format versions as one UTF-8 JSON document: records in number order, one\n"
             "          field per line, texts as readable Japanese (a text whose CP932 bytes UTF-8\n"
             "          cannot carry is written as {\"cp932\": \"<hex>\"}); the editing password is left out\n"
             "  restore write the project of such a document into DIR (created when missing) in the\n"
             "          format versions it names, with P as its editing password; a document that the\n"
             "          files cannot hold is refused with the key at fault (\"items[12].name: ...\") and\n"
             "          nothing is written; a folder that holds a project is written over only with\n"
             "          --force and the project's own password (its data files go to DATBK first);\n"
             "          FILE \"-\" reads standard input\n"
             "\n"
             "Exit status: 0 success, 1 the project cannot be read or written, 2 wrong arguments;\n"
             "lint: 0 clean, 1 findings, 2 the project cannot be read.\n",
             stdout);
  return 0;
}

#ifdef QUILLANE_TOOL_RENDER_HELPER
// "render" runs in quillane-tool-render, which links the window library: beside this
// program in a build, in ../libexec/quillane when installed.
int runRenderHelper(char** argv) {
  std::error_code ec;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (!ec) {
    const std::filesystem::path dir = self.parent_path();
    for (const auto& helper : {dir / "quillane-tool-render", dir / ".." / "libexec" / "quillane" / "quillane-tool-render"})
      ::execv(helper.c_str(), argv);
  }
  std::fputs("render: the drawing helper quillane-tool-render is not installed\n", stderr);
  return 1;
}
#endif

}  // namespace

int main(int argc, char** argv) {
#ifdef QUILLANE_TOOL_RENDER_HELPER
  if (argc >= 2 && std::strcmp(argv[1], "render") == 0) return runRenderHelper(argv);
#endif
  if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) return help();
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::printf("quillane-tool %s\n", QUILLANE_VERSION);
    return 0;
  }
  if (argc < 3) return usage();
  quillane::data::setUpProcessMemory();
  std::string command = argv[1];
  quillane::cli::Options options;
  options.folder = argv[2];
  int first = 3;
  if (command == "restore") {
    if (argc < 4) return usage();
    options.input = argv[2];
    options.folder = argv[3];
    first = 4;
  }
  for (int i = first; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--password" && i + 1 < argc) {
      options.password = std::string(argv[++i]);
    } else if (arg == "--map" && i + 1 < argc) {
      char* end = nullptr;
      long n = std::strtol(argv[++i], &end, 10);
      if (*end != '\0' || n < 0 || n > 998) return usage();
      options.map = static_cast<int>(n);
    } else if (arg == "--json" && command == "lint") {
      options.json = true;
    } else if (arg == "--force" && command == "restore") {
      options.force = true;
#ifdef QUILLANE_TOOL_RENDER
    } else if (command == "render" && arg == "--out" && i + 1 < argc) {
      options.out = argv[++i];
    } else if (command == "render" && arg == "--layer" && i + 1 < argc) {
      std::string layer = argv[++i];
      using Layer = quillane::cli::RenderOptions::Layer;
      if (layer == "ground") options.render.layer = Layer::Ground;
      else if (layer == "sky") options.render.layer = Layer::Sky;
      else if (layer == "both") options.render.layer = Layer::Both;
      else return usage();
    } else if (command == "render" && arg == "--events") {
      options.render.events = true;
    } else if (command == "render" && arg == "--grid") {
      options.render.grid = true;
    } else if (command == "render" && arg == "--scale" && i + 1 < argc) {
      char* end = nullptr;
      long k = std::strtol(argv[++i], &end, 10);
      if (*end != '\0' || k < 1 || k > 8) return usage();
      options.render.scale = static_cast<int>(k);
#endif
    } else {
      return usage();
    }
  }
  if (command == "new") return quillane::cli::runNew(options);
  if (command == "check") return quillane::cli::runCheck(options);
  if (command == "lint") return quillane::cli::runLint(options);
  if (command == "dump" && !options.map) return quillane::cli::runDump(options);
  if (command == "restore" && !options.map) {
    if (!options.password) return usage();
    return quillane::cli::runRestore(options);
  }
#ifdef QUILLANE_TOOL_RENDER
  if (command == "render") {
    if (options.out.empty() || !options.map) return usage();
    return quillane::cli::runRender(options, argc, argv);
  }
#endif
  if (command == "resave") {
    if (!options.password) return usage();
    return quillane::cli::runResave(options);
  }
  return usage();
}
