#include "core/json/project_folder.h"

#include <algorithm>
#include <set>

#include "core/data/blank_project.h"
#include "core/data/load_all.h"
#include "core/map/map_file_names.h"
#include "core/map/map_files.h"
#include "core/text/project_files.h"
#include "core/text/read_error.h"

namespace quillane::json {

namespace fs = std::filesystem;

namespace {

// Map numbers of the body files in DAT ("BZENM007.DAT" in any case).
std::vector<int> mapNumbersIn(const fs::path& folder) {
  std::set<int> numbers;
  auto dat = files::findExisting(folder, "DAT");
  if (!dat) return {};
  for (const fs::path& p : files::listMatching(*dat, "BZENM???.DAT")) {
    const std::string leaf = p.filename().string();
    if (!data::isProjectFileName(leaf)) continue;
    numbers.insert(std::stoi(leaf.substr(5, 3)));
  }
  return {numbers.begin(), numbers.end()};
}

text::Bytes readOrFail(const fs::path& folder, const std::string& relative) {
  auto bytes = files::readProjectFile(folder, relative);
  if (!bytes) throw text::ReadError(relative, 0, "a readable file", "no such file or unreadable");
  return std::move(*bytes);
}

}  // namespace

std::vector<int> FolderMaps::numbers() { return mapNumbersIn(folder_); }

map::MapDocument FolderMaps::read(int number, const map::MapFileContext& context, int& version) {
  text::Bytes body = readOrFail(folder_, map::mapBodyFileName(number));
  text::Bytes events = readOrFail(folder_, map::mapEventFileName(number));
  text::Bytes flags = readOrFail(folder_, map::mapFlagFileName(number));
  return map::readMapFromBytes(body, events, flags, context, number, &version);
}

bool holdsProject(const fs::path& folder) {
  if (data::pendingSave(folder).state() != files::PendingCommit::State::None) return true;
  auto dat = files::findExisting(folder, "DAT");
  if (!dat) return false;
  std::error_code ec;
  for (fs::directory_iterator it(*dat, ec), end; !ec && it != end; it.increment(ec))
    if (data::isProjectFileName(it->path().filename().string())) return true;
  return false;
}

std::optional<std::string> writeProject(const fs::path& folder, const ProjectFiles& made, data::BackupState& backup) {
  if (auto problem = data::makeProjectFolder(folder)) return problem;
  if (holdsProject(folder))
    if (auto problem = data::takeBackupOnce(folder, backup)) return problem;

  files::FileSetCommit commit(folder, &data::isProjectFileName);
  auto put = [&](const ProjectFiles::Table& t) {
    commit.remove(t.deleteName);
    commit.write(t.file.relative, t.file.content);
  };
  // The save's order: the script files, INI and MAX, the maps, then the other tables.
  for (std::size_t i = 0; i < made.tables.size() && i < 4; ++i) put(made.tables[i]);
  std::vector<int> kept;
  for (const auto& [number, three] : made.maps) kept.push_back(number);
  for (int number : mapNumbersIn(folder))
    if (!std::binary_search(kept.begin(), kept.end(), number))
      for (const std::string& name : map::mapFileNamesForDeletion(number)) commit.remove(name);
  for (const auto& [number, three] : made.maps)
    for (const auto& f : three) commit.write(f.relative, f.content);
  for (std::size_t i = 4; i < made.tables.size(); ++i) put(made.tables[i]);
  try {
    commit.commit();
  } catch (const std::exception& e) {
    return std::string(e.what());
  }
  return std::nullopt;
}

}  // namespace quillane::json
