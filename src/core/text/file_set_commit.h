#pragma once
// Writes a set of project files as one unit. Every file is first staged in a folder
// inside the project; a completion marker holding the manifest is written last.
// Only then are the staged files renamed over their targets, the old files kept aside
// until every new one is in place. A save that fails while staging changes nothing; a
// file that cannot be put in place puts every old file back; a save interrupted while
// putting files in place is read as finished by the next load and finished (or undone)
// once that load is accepted (PendingCommit). So the project is always wholly as
// before or wholly as after the save.
#include <filesystem>
#include <string>
#include <vector>

#include "core/text/cp932.h"
#include "core/text/folder_listing.h"
#include "core/text/pending_commit.h"

namespace quillane::files {

// A project file ready to be written: its Windows-style relative name, exactly as it
// is to be created ("DAT\bzenPLY.DAT"), and its bytes.
struct NamedFile {
  std::string relative;
  text::Bytes content;
};

class FileSetCommit {
 public:
  // `known` tells the file names the commit may write or remove in DAT.
  FileSetCommit(std::filesystem::path projectFolder, ProjectFileTest known);

  // Every case-variant of `relative` is removed and the file written under exactly
  // this name ("DAT\bzenPLY.DAT").
  void write(std::string relative, text::Bytes content);
  // Every case-variant of `relative` is removed.
  void remove(std::string relative);
  // Stages, marks complete and puts in place. Throws std::runtime_error on failure;
  // every project file is then as before.
  void commit();

  // The files written (in the order given), their bytes handed back to the caller: a
  // caller saving again soon keeps the buffers. The commit writes nothing more after.
  std::vector<NamedFile> takeWritten();

  // For tests: stop after staging and marking complete, as if killed before applying.
  void stageOnly();

  // The case-variant lookups of this commit: a caller checking the names before the
  // commit shares the folder listings it takes with the commit.
  CaseVariantLookup& lookups() { return variants_; }

 private:
  struct Entry {
    bool isWrite;
    std::string relative;
    text::Bytes content;
  };
  void stage();
  void dropRemovalsRewrittenLater();

  std::filesystem::path folder_;
  ProjectFileTest known_;
  std::vector<Entry> entries_;
  std::vector<StagedEntry> staged_;  // the manifest's lines, once staged
  CaseVariantLookup variants_;
};

}  // namespace quillane::files
