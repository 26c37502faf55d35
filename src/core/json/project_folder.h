#pragma once
// The JSON form against a project folder: the maps a dump reads, whether a folder holds
// a project already, and writing restored files as one crash-safe unit.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/data/save_all.h"
#include "core/json/project_document.h"

namespace quillane::json {

// The maps of a project folder: every body file DAT\BZENM<nnn>.DAT with its two others.
class FolderMaps : public MapSource {
 public:
  explicit FolderMaps(std::filesystem::path folder) : folder_(std::move(folder)) {}
  std::vector<int> numbers() override;
  map::MapDocument read(int number, const map::MapFileContext& context, int& version) override;

 private:
  std::filesystem::path folder_;
};

// True when the folder holds a project file (a table or a map file in DAT) or a save
// left pending.
bool holdsProject(const std::filesystem::path& folder);

// Writes the files into `folder` (created when missing) as one unit through
// FileSetCommit, removing the files of maps on disk that the document does not hold.
// When the folder holds a project, its data files are first copied into DATBK, as the
// first save of a run does. Returns the reason on failure; the folder's project files
// are then as before.
std::optional<std::string> writeProject(const std::filesystem::path& folder, const ProjectFiles& files,
                                        data::BackupState& backup);

}  // namespace quillane::json
