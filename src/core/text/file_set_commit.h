#pragma once
// Writes a set of project files as one unit. Every file is first staged in a folder
// inside the project together with a manifest; a completion marker is written last.
// Only then are the staged files renamed over their targets. A save that fails while
// staging changes nothing; a save interrupted while renaming is finished by
// recoverPendingCommit() at the next load, so the project is always wholly as before
// or wholly as after the save.
#include <filesystem>
#include <string>
#include <vector>

#include "core/text/cp932.h"

namespace quillane::files {

// A project file ready to be written: its Windows-style relative name, exactly as it
// is to be created ("DAT\bzenPLY.DAT"), and its bytes.
struct NamedFile {
  std::string relative;
  text::Bytes content;
};

// Name of the staging folder inside the project folder.
inline constexpr const char* kStagingFolder = ".quillane-save";

class FileSetCommit {
 public:
  explicit FileSetCommit(std::filesystem::path projectFolder);

  // Every case-variant of `relative` is removed and the file written under exactly
  // this name ("DAT\bzenPLY.DAT").
  void write(std::string relative, text::Bytes content);
  // Every case-variant of `relative` is removed.
  void remove(std::string relative);
  // Stages, marks complete and applies. Throws std::runtime_error on failure; when it
  // throws before the marker is written, no project file has changed.
  void commit();

  // For tests: stop after staging and marking complete, as if killed before applying.
  void stageOnly();

 private:
  struct Entry {
    bool isWrite;
    std::string relative;
    text::Bytes content;
  };
  void stage();
  void dropRemovalsRewrittenLater();

  std::filesystem::path folder_;
  std::vector<Entry> entries_;
};

// Finishes a complete staged save, or discards an incomplete one. Returns false when a
// complete set could not be applied (the project is then left for the next attempt).
bool recoverPendingCommit(const std::filesystem::path& projectFolder);

}  // namespace quillane::files
