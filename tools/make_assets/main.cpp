// Generates every bitmap and sound the project ships, from code alone:
//   make_assets [repository folder]
// writes assets/ (the program folder's bitmaps), the desktop icons under
// packaging/icons/ and the sample project's GRP, WAV and mid folders and its font.BMP. The output is deterministic.
#include "source_paths.h"
#include <filesystem>
#include <iostream>
#include <string>

#include "generators.h"

namespace fs = std::filesystem;

int main(int argc, char** argv) {
  fs::path root = argc > 1 ? fs::path(argv[1]) : fs::path(QUILLANE_SOURCE_DIR);
  try {
    fs::path assets = root / "assets", sample = root / "sample";
    for (const char* sub : {"GRP", "WAV", "mid"}) fs::create_directories(sample / sub);
    fs::create_directories(assets);
    auto report = [](const fs::path& dir, const make_assets::Written& names) {
      for (const auto& n : names) std::cout << (dir / n).string() << '\n';
    };
    report(assets, make_assets::makeProgramAssets(assets.string()));
    fs::path icons = root / "packaging" / "icons";
    fs::create_directories(icons);
    report(icons, make_assets::makeIcons(icons.string()));
    make_assets::makeFontSheet((sample / "font.BMP").string());
    report(sample, {"font.BMP"});
    fs::path grp = sample / "GRP";
    report(grp, make_assets::makeTileSets(grp.string()));
    report(grp, make_assets::makeCharacters(grp.string()));
    report(grp, make_assets::makeScenes(grp.string()));
    report(sample / "WAV", make_assets::makeSounds((sample / "WAV").string()));
    report(sample / "mid", make_assets::makeMusic((sample / "mid").string()));
  } catch (const std::exception& e) {
    std::cerr << "make_assets: " << e.what() << '\n';
    return 1;
  }
  return 0;
}
