// Writes the bundled sample project: the graphics, sounds and music of sample/ and a
// small game's tables and maps, registered with the editing password "quill".
//   make_sample OUTDIR
#include "source_paths.h"
#include <cstdio>
#include <filesystem>
#include <string>

#include "core/data/blank_project.h"
#include "core/data/hidden_fields.h"
#include "core/data/load_all.h"
#include "core/data/map_context.h"
#include "core/data/random_source.h"
#include "core/data/save_all.h"
#include "core/map/map_files.h"
#include "core/map/new_map.h"
#include "core/text/cp932.h"
#include "core/text/file_set_commit.h"
#include "sample_content.h"

namespace fs = std::filesystem;
using namespace quillane;

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_sample OUTDIR\n");
    return 2;
  }
  fs::path out = argv[1];
  fs::path source = fs::path(QUILLANE_SOURCE_DIR) / "sample";
  std::error_code ec;
  fs::create_directories(out / "DAT", ec);
  for (const char* folder : {"GRP", "WAV", "mid"}) {
    fs::create_directories(out / folder, ec);
    if (!fs::exists(source / folder)) continue;
    fs::copy(source / folder, out / folder, fs::copy_options::overwrite_existing | fs::copy_options::recursive, ec);
    if (ec) {
      std::fprintf(stderr, "cannot copy %s: %s\n", folder, ec.message().c_str());
      return 1;
    }
  }

  fs::copy_file(source / "font.BMP", out / "font.BMP", fs::copy_options::overwrite_existing, ec);

  data::RandomSource random(20261207);
  data::ProjectDatabase db = sample::database();
  data::installRegistration(db.hidden, data::makeRegistration(sample::kPassword, random));

  // The tables go through the editor's own save; the maps follow as one more commit
  // with the same file keys.
  data::SaveRequest request;
  request.quiet = true;
  data::SaveResult saved = data::saveAll(out, db, random, request);
  if (!saved.ok) {
    std::fprintf(stderr, "cannot write the tables: %s\n", saved.error.c_str());
    return 1;
  }
  auto context = data::mapContext(db);
  std::vector<map::MapDocument> maps = sample::maps(db.initial.splitMapChips());
  files::FileSetCommit commit(out, &data::isProjectFileName);
  for (std::size_t n = 0; n < maps.size(); ++n)
    for (auto& f : map::writeMapFiles(maps[n], static_cast<int>(n), context, random))
      commit.write(f.relative, f.content);
  try {
    commit.commit();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "cannot write the maps: %s\n", e.what());
    return 1;
  }
  std::printf("sample project written to %s (editing password: %s)\n", out.c_str(), sample::kPassword);
  return 0;
}
