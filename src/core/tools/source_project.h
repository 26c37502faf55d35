#pragma once
// The other project of an import: its folder as the user typed or browsed it, and its
// whole database read into a set of tables of its own (its version, counts, passwords
// and file keys), separate from the open project and never written.
#include <filesystem>
#include <string_view>

#include "core/data/project_database.h"
#include "core/data/random_source.h"

namespace quillane::tools {

// The folder a typed source path names: a missing final separator is added, and a
// relative path is taken from the program folder. The path is a file-system path
// (UTF-8), never CP932.
std::filesystem::path sourceFolder(std::string_view typed, const std::filesystem::path& programDir);

enum class SourceRead {
  Loaded,         // read, password and check numbers right
  WrongPassword,  // read, but the typed password is not the project's editing password
  Failed,         // a file missing or damaged, or check numbers that do not match
};

struct SourceProject {
  std::filesystem::path folder;
  data::ProjectDatabase db;
};

// Reads the project in `folder` into `out` (only when the result is Loaded; otherwise
// `out` keeps what it held). The typed password is compared with the stored one
// without its trailing blanks; a project without a password accepts only "".
SourceRead readSourceProject(const std::filesystem::path& folder, const text::Bytes& typedPassword,
                             data::RandomSource& random, SourceProject& out);

}  // namespace quillane::tools
