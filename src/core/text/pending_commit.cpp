#include "core/text/pending_commit.h"

#include <algorithm>
#include <optional>

#include "core/text/file_system.h"
#include "core/text/folder_listing.h"
#include "core/text/project_files.h"

namespace quillane::files {

namespace {

constexpr std::size_t kMaxEntries = 256;

// "DAT\<leaf>" (or "DAT/<leaf>"): the only form a staged name may take.
std::optional<std::string_view> leafInDat(std::string_view relative) {
  if (relative.size() < 5 || !equalsIgnoreCase(relative.substr(0, 3), "DAT")) return std::nullopt;
  if (relative[3] != '\\' && relative[3] != '/') return std::nullopt;
  std::string_view leaf = relative.substr(4);
  if (leaf.find_first_of("\\/") != std::string_view::npos || leaf == "." || leaf == "..") return std::nullopt;
  return leaf;
}

std::string stagedName(std::size_t i) { return "f" + std::to_string(i); }
std::string keptPrefix(std::size_t i) { return "o" + std::to_string(i) + "-"; }

bool present(const fs::path& p) {
  std::error_code ec;
  return fs::exists(fs::symlink_status(p, ec));
}
bool isFile(const fs::path& p) {
  std::error_code ec;
  return fs::is_regular_file(fs::symlink_status(p, ec));
}
bool isFolder(const fs::path& p) {
  std::error_code ec;
  return fs::is_directory(fs::symlink_status(p, ec));
}

std::vector<fs::path> entriesOf(const fs::path& dir) {
  std::vector<fs::path> out;
  std::error_code ec;
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) out.push_back(it->path());
  std::sort(out.begin(), out.end());
  return out;
}

// The old files of line i kept aside in the staging folder, as "o<i>-<their name>",
// among the staging folder's entries.
std::vector<fs::path> keptFiles(const std::vector<fs::path>& staged, std::size_t i) {
  std::vector<fs::path> out;
  const std::string prefix = keptPrefix(i);
  for (const auto& p : staged)
    if (p.filename().string().rfind(prefix, 0) == 0) out.push_back(p);
  return out;
}
std::string keptOriginal(const fs::path& kept, std::size_t i) {
  return kept.filename().string().substr(keptPrefix(i).size());
}

// What the staging folder holds beside the manifest must fit it: staged and kept
// files are plain files, kept ones named as their line's file.
std::optional<std::string> checkStagedFiles(const fs::path& staging, const std::vector<StagedEntry>& entries) {
  const std::vector<fs::path> listed = entriesOf(staging);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    fs::path staged = staging / stagedName(i);
    if (present(staged) && !isFile(staged)) return stagedName(i) + " is not a plain file";
    std::string_view leaf = *leafInDat(entries[i].relative);
    for (const auto& p : keptFiles(listed, i))
      if (!isFile(p) || !equalsIgnoreCase(keptOriginal(p, i), leaf))
        return p.filename().string() + " is not a kept copy of " + std::string(leaf);
  }
  return std::nullopt;
}

// Where the lines of a save are put (writePath of each), their folders resolved once.
struct Targets {
  std::vector<fs::path> paths;
  std::vector<fs::path> folders;  // those found present or made
};

// Puts line i in place: the old files (every case-variant) aside as o<i>-<name>, then
// f<i> onto its name. A line whose f<i> is gone was put in place before an interruption
// (`staged` false: the commit that has just staged them knows they are all there).
// The lines name different files, so one listing of the folder serves every line.
std::error_code applyEntry(const fs::path& staging, std::size_t i, const StagedEntry& e, bool checkStaged,
                           CaseVariantLookup& variants, Targets& targets, std::vector<std::string>& kept) {
  FileSystem& layer = fileSystem();
  fs::path staged = staging / stagedName(i);
  if (e.isWrite && checkStaged && !present(staged)) return {};
  for (const auto& old : variants.find(e.relative)) {
    if (!isFile(old)) return std::make_error_code(std::errc::is_a_directory);  // only files are replaced
    std::string keptName = keptPrefix(i) + old.filename().string();
    if (auto ec = layer.rename(old, staging / keptName)) return ec;
    kept.push_back(std::move(keptName));
  }
  if (!e.isWrite) return {};
  const fs::path& target = targets.paths[i];
  fs::path dir = target.parent_path();
  if (std::find(targets.folders.begin(), targets.folders.end(), dir) == targets.folders.end()) {
    if (!present(dir))
      if (auto ec = layer.makeFolder(dir)) return ec;
    targets.folders.push_back(std::move(dir));
  }
  return layer.rename(staged, target);
}

// Takes line i back: a new file in place goes back to f<i>, the kept files to the folder.
std::error_code undoEntry(const fs::path& folder, const fs::path& staging, std::size_t i, const StagedEntry& e) {
  FileSystem& layer = fileSystem();
  fs::path staged = staging / stagedName(i);
  fs::path target = writePath(folder, e.relative);
  if (e.isWrite && !present(staged) && present(target))
    if (auto ec = layer.rename(target, staged)) return ec;
  for (const auto& old : keptFiles(entriesOf(staging), i))
    if (auto ec = layer.rename(old, target.parent_path() / keptOriginal(old, i))) return ec;
  return {};
}

std::vector<fs::path> foldersOf(std::vector<fs::path> dirs) {
  std::sort(dirs.begin(), dirs.end());
  dirs.erase(std::unique(dirs.begin(), dirs.end()), dirs.end());
  return dirs;
}

std::vector<fs::path> targetFolders(const fs::path& folder, const std::vector<StagedEntry>& entries) {
  std::vector<fs::path> dirs;
  for (const auto& e : entries) dirs.push_back(writePath(folder, e.relative).parent_path());
  return foldersOf(std::move(dirs));
}

std::error_code flushAll(const std::vector<fs::path>& dirs) {
  for (const auto& d : dirs)
    if (auto ec = fileSystem().flushFolder(d)) return ec;
  return {};
}

// The staging is no longer needed: removed, and the removal made lasting. Its markers
// go first, so a removal cut short leaves an incomplete staging (dropped at the next
// start), never a complete one with parts missing. `known` names what the staging is
// expected to hold by then (the old files kept aside): removed by name, without a
// listing; anything else found there is removed by a walk of the folder.
void dropStaging(const fs::path& folder, const fs::path& staging, const std::vector<std::string>& known = {}) {
  FileSystem& layer = fileSystem();
  for (const char* marker : {kCompleteMarker, kUndoMarker})
    if (present(staging / marker) && layer.remove(staging / marker)) return;
  bool removed = true;
  for (const auto& name : known)
    if (layer.remove(staging / name)) {
      removed = false;
      break;
    }
  removed = removed && !layer.remove(staging);  // fails unless the folder is empty now
  if (!removed) removeTree(staging);
  layer.flushFolder(folder);
}

Settled undoAll(const fs::path& folder, const fs::path& staging, const std::vector<StagedEntry>& entries,
                std::string* reason) {
  FileSystem& layer = fileSystem();
  // From here a load reads the old files and a later start keeps undoing.
  if (present(staging / kCompleteMarker)) {
    if (!layer.rename(staging / kCompleteMarker, staging / kUndoMarker)) layer.flushFolder(staging);
  }
  for (std::size_t i = entries.size(); i-- > 0;) {
    if (auto ec = undoEntry(folder, staging, i, entries[i])) {
      if (reason) *reason = entries[i].relative + ": the previous file cannot be put back: " + ec.message();
      return Settled::Failed;
    }
  }
  if (auto ec = flushAll(targetFolders(folder, entries))) {
    if (reason) *reason = ec.message();
    return Settled::Failed;
  }
  dropStaging(folder, staging);
  return Settled::RolledBack;
}

Settled forward(const fs::path& folder, const fs::path& staging, const std::vector<StagedEntry>& entries,
                std::string* reason, CaseVariantLookup* listed) {
  std::string why;
  std::optional<CaseVariantLookup> own;
  CaseVariantLookup& variants = listed ? *listed : own.emplace(folder);
  Targets targets;
  std::vector<fs::path> dirs;
  for (const auto& e : entries) {
    targets.paths.push_back(variants.target(e.relative));
    dirs.push_back(targets.paths.back().parent_path());
  }
  std::vector<std::string> kept;
  for (std::size_t i = 0; i < entries.size() && why.empty(); ++i)
    if (auto ec = applyEntry(staging, i, entries[i], !listed, variants, targets, kept))
      why = entries[i].relative + ": " + ec.message();
  if (why.empty())
    if (auto ec = flushAll(foldersOf(std::move(dirs)))) why = ec.message();
  if (!why.empty()) {
    Settled undone = undoAll(folder, staging, entries, reason);
    if (reason && undone == Settled::RolledBack) *reason = why;
    return undone;
  }
  dropStaging(folder, staging, kept);
  return Settled::Applied;
}

}  // namespace

std::string manifestText(const std::vector<StagedEntry>& entries) {
  std::string text;
  for (std::size_t i = 0; i < entries.size(); ++i)
    text += (entries[i].isWrite ? "W\t" : "D\t") + entries[i].relative + "\t" + stagedName(i) + "\n";
  return text;
}

std::string completeManifestText(const std::vector<StagedEntry>& entries) {
  return manifestText(entries) + kManifestEnd + "\n";
}

std::optional<std::vector<StagedEntry>> parseManifest(std::string_view text, ProjectFileTest known,
                                                      std::string& problem) {
  std::vector<StagedEntry> entries;
  std::vector<std::string_view> leaves;
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find('\n', at);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(at, end - at);
    at = end + 1;
    const std::string where = "manifest line " + std::to_string(entries.size() + 1);
    if (entries.size() >= kMaxEntries) return problem = where + ": too many lines", std::nullopt;
    std::size_t tab1 = line.find('\t'), tab2 = tab1 == std::string_view::npos ? tab1 : line.find('\t', tab1 + 1);
    if (tab2 == std::string_view::npos || line.find('\t', tab2 + 1) != std::string_view::npos)
      return problem = where + ": not three fields", std::nullopt;
    std::string_view kind = line.substr(0, tab1), relative = line.substr(tab1 + 1, tab2 - tab1 - 1);
    if (kind != "W" && kind != "D") return problem = where + ": unknown kind", std::nullopt;
    if (line.substr(tab2 + 1) != stagedName(entries.size()))
      return problem = where + ": unexpected staged name", std::nullopt;
    auto leaf = leafInDat(relative);
    if (!leaf || !known(*leaf))
      return problem = where + ": \"" + std::string(relative.substr(0, 80)) + "\" is no project file in DAT",
             std::nullopt;
    for (std::string_view other : leaves)
      if (equalsIgnoreCase(other, *leaf)) return problem = where + ": a file named twice", std::nullopt;
    leaves.push_back(*leaf);
    entries.push_back({kind == "W", std::string(relative)});
  }
  return entries;
}

PendingCommit PendingCommit::inspect(const fs::path& projectFolder, ProjectFileTest known) {
  PendingCommit p;
  p.folder_ = projectFolder;
  fs::path staging = projectFolder / kStagingFolder;
  if (!present(staging)) return p;
  auto refuse = [&](std::string why) {
    p.state_ = State::Refused;
    p.problem_ = std::string(kStagingFolder) + ": " + why;
    p.entries_.clear();
    return p;
  };
  if (!isFolder(staging)) return refuse("not a folder");
  const bool undo = present(staging / kUndoMarker);
  const fs::path marker = staging / (undo ? kUndoMarker : kCompleteMarker);
  auto incomplete = [&] {
    p.state_ = State::Incomplete;
    return p;
  };
  if (!undo && !present(marker)) return incomplete();
  // The manifest is the marker's text up to its end line; an earlier build's marker
  // holds "1" beside a manifest file of its own.
  std::optional<text::Bytes> manifest;
  if (isFile(marker)) manifest = readFile(marker);
  const std::string end = std::string(kManifestEnd) + "\n";
  const bool whole = manifest && manifest->size() >= end.size() &&
                     manifest->compare(manifest->size() - end.size(), end.size(), end) == 0 &&
                     (manifest->size() == end.size() || (*manifest)[manifest->size() - end.size() - 1] == '\n');
  if (whole) {
    manifest->resize(manifest->size() - end.size());
  } else if (isFile(staging / kManifestName)) {
    manifest = readFile(staging / kManifestName);
  } else {
    // A marker cut short while written (files are put in place only after it is whole
    // and flushed), or one renamed to UNDO without its manifest, which no build writes.
    if (!undo) return incomplete();
    manifest.reset();
  }
  if (!manifest) return refuse("no readable manifest");
  std::string problem;
  auto entries = parseManifest(*manifest, known, problem);
  if (!entries) return refuse(problem);
  if (auto bad = checkStagedFiles(staging, *entries)) return refuse(*bad);
  p.entries_ = std::move(*entries);
  p.state_ = undo ? State::Undo : State::Forward;
  return p;
}

PendingCommit::Where PendingCommit::locate(std::string_view relative) const {
  if (state_ != State::Forward && state_ != State::Undo) return {};
  auto leaf = leafInDat(relative);
  if (!leaf) return {};
  fs::path staging = folder_ / kStagingFolder;
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (!equalsIgnoreCase(*leafInDat(entries_[i].relative), *leaf)) continue;
    const StagedEntry& e = entries_[i];
    fs::path staged = staging / stagedName(i);
    if (state_ == State::Forward) {
      if (!e.isWrite) return {Source::Missing, {}};
      return present(staged) ? Where{Source::File, staged} : Where{};
    }
    // Undoing: the old file is kept aside, still in place, or there was none.
    auto old = keptFiles(entriesOf(staging), i);
    if (!old.empty()) {
      for (const auto& p : old)
        if (keptOriginal(p, i) == *leaf) return {Source::File, p};
      return {Source::File, old.front()};
    }
    if (e.isWrite && !present(staged)) return {Source::Missing, {}};
    return {};
  }
  return {};
}

Settled PendingCommit::settle(std::string* reason) {
  fs::path staging = folder_ / kStagingFolder;
  switch (state_) {
    case State::None:
      return Settled::Nothing;
    case State::Refused:
      if (reason) *reason = problem_;
      return Settled::Refused;
    case State::Incomplete:
      dropStaging(folder_, staging);
      state_ = State::None;
      return Settled::Discarded;
    case State::Forward:
    case State::Undo:
      break;
  }
  Settled result = state_ == State::Forward ? forward(folder_, staging, entries_, reason, variants_)
                                            : undoAll(folder_, staging, entries_, reason);
  if (result != Settled::Failed) state_ = State::None;
  return result;
}

}  // namespace quillane::files
