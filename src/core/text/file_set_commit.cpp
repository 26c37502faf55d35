#include "core/text/file_set_commit.h"

#include <stdexcept>

#include "core/text/file_system.h"
#include "core/text/project_files.h"

namespace quillane::files {

namespace {

// The next part of a relative name from `at` on ("\\" and "/" separate; empty and "."
// parts are skipped); empty at the end.
std::string_view nextPart(std::string_view name, std::size_t& at) {
  while (at < name.size()) {
    std::size_t end = name.find_first_of("\\/", at);
    if (end == std::string_view::npos) end = name.size();
    std::string_view part = name.substr(at, end - at);
    at = end + 1;
    if (!part.empty() && part != ".") return part;
  }
  return {};
}

// Whether two relative names name the same file, ASCII case aside.
bool sameName(std::string_view a, std::string_view b) {
  std::size_t i = 0, j = 0;
  for (;;) {
    const std::string_view pa = nextPart(a, i), pb = nextPart(b, j);
    if (pa.empty() || pb.empty()) return pa.empty() && pb.empty();
    if (!equalsIgnoreCase(pa, pb)) return false;
  }
}

}  // namespace

FileSetCommit::FileSetCommit(std::filesystem::path projectFolder, ProjectFileTest known)
    : folder_(std::move(projectFolder)), known_(known), variants_(folder_) {}

void FileSetCommit::write(std::string relative, text::Bytes content) {
  entries_.push_back({true, std::move(relative), std::move(content)});
}

void FileSetCommit::remove(std::string relative) { entries_.push_back({false, std::move(relative), {}}); }

// A removal followed by a write of the same name (in any case) is the write alone: the
// write removes every case-variant itself.
void FileSetCommit::dropRemovalsRewrittenLater() {
  std::vector<Entry> kept;
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    bool rewritten = false;
    for (std::size_t j = i + 1; j < entries_.size() && !rewritten; ++j)
      rewritten = entries_[j].isWrite && sameName(entries_[i].relative, entries_[j].relative);
    if (!rewritten) kept.push_back(std::move(entries_[i]));
  }
  entries_ = std::move(kept);
}

void FileSetCommit::stage() {
  dropRemovalsRewrittenLater();
  staged_.clear();
  for (const auto& e : entries_) staged_.push_back({e.isWrite, e.relative});
  std::string problem;
  if (!parseManifest(manifestText(staged_), known_, problem)) throw std::runtime_error(problem);

  // A save left pending by an earlier run is settled first: its files are the ones
  // this save replaces (and the folder listings taken so far are out of date).
  PendingCommit earlier = PendingCommit::inspect(folder_, known_);
  if (earlier.state() == PendingCommit::State::Forward || earlier.state() == PendingCommit::State::Undo) {
    std::string why;
    if (earlier.settle(&why) == Settled::Failed) throw std::runtime_error(why);
    variants_ = CaseVariantLookup(folder_);
  }
  fs::path staging = folder_ / kStagingFolder;
  if (auto ec = removeTree(staging)) failWith(staging, ec);
  if (auto ec = fileSystem().makeFolder(staging)) failWith(staging, ec);
  try {
    std::vector<NewFile> files;
    for (std::size_t i = 0; i < entries_.size(); ++i)
      if (entries_[i].isWrite) files.push_back({staging / ("f" + std::to_string(i)), entries_[i].content});
    writeNewFiles(files);
    // The staged files are on disk before the marker says so.
    if (auto ec = fileSystem().flushFolder(staging)) failWith(staging, ec);
    writeNewFile(staging / kCompleteMarker, completeManifestText(staged_));
    if (auto ec = fileSystem().flushFolder(staging)) failWith(staging, ec);
    // The staging folder's own entry is on disk too before any file is put in place:
    // a power cut could otherwise lose the folder, manifest and all, and leave DAT
    // half old, half new with nothing to finish it from.
    if (auto ec = fileSystem().flushFolder(folder_)) failWith(folder_, ec);
  } catch (...) {
    removeTree(staging);
    throw;
  }
}

void FileSetCommit::stageOnly() { stage(); }

std::vector<NamedFile> FileSetCommit::takeWritten() {
  std::vector<NamedFile> out;
  for (auto& e : entries_)
    if (e.isWrite) out.push_back({std::move(e.relative), std::move(e.content)});
  entries_.clear();
  return out;
}

void FileSetCommit::commit() {
  stage();
  // What was just staged is settled without reading it back.
  PendingCommit staged;
  staged.folder_ = folder_;
  staged.state_ = PendingCommit::State::Forward;
  staged.entries_ = staged_;
  staged.variants_ = &variants_;
  std::string why;
  switch (staged.settle(&why)) {
    case Settled::Applied:
      return;
    case Settled::RolledBack:
      throw std::runtime_error(why);
    default:
      throw std::runtime_error(why + " (the previous files are put back at the next start)");
  }
}

}  // namespace quillane::files
