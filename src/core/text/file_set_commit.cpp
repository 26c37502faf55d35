#include "core/text/file_set_commit.h"

#include <algorithm>
#include <cctype>
#include <sstream>
#include <stdexcept>

#include "core/text/project_files.h"

namespace quillane::files {

namespace {

constexpr const char* kManifest = "manifest";
constexpr const char* kComplete = "COMPLETE";

struct ManifestLine {
  bool isWrite;
  std::string relative;
  std::string staged;
};

std::vector<ManifestLine> parseManifest(const std::string& text) {
  std::vector<ManifestLine> lines;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    if (line.size() < 3) continue;
    auto tab1 = line.find('\t');
    auto tab2 = line.find('\t', tab1 + 1);
    if (tab1 == std::string::npos || tab2 == std::string::npos) continue;
    lines.push_back({line[0] == 'W', line.substr(tab1 + 1, tab2 - tab1 - 1), line.substr(tab2 + 1)});
  }
  return lines;
}

void apply(const fs::path& folder, const fs::path& staging, const std::vector<ManifestLine>& lines) {
  std::vector<fs::path> touched;
  for (const auto& l : lines) {
    if (l.isWrite) {
      fs::path from = staging / l.staged;
      std::error_code ec;
      if (!fs::exists(from, ec)) continue;  // applied before an interruption
      fs::path target = writePath(folder, l.relative);
      fs::create_directories(target.parent_path(), ec);
      replaceWith(folder, l.relative, from);
      touched.push_back(target.parent_path());
    } else {
      if (!removeVariants(folder, l.relative))
        throw std::runtime_error(l.relative + ": cannot be removed");
      touched.push_back(writePath(folder, l.relative).parent_path());
    }
  }
  std::sort(touched.begin(), touched.end());
  touched.erase(std::unique(touched.begin(), touched.end()), touched.end());
  for (const auto& d : touched) syncFolder(d);
}

bool sameName(const std::string& a, const std::string& b) {
  auto pa = splitRelative(a), pb = splitRelative(b);
  if (pa.size() != pb.size()) return false;
  for (std::size_t i = 0; i < pa.size(); ++i) {
    if (pa[i].size() != pb[i].size()) return false;
    for (std::size_t k = 0; k < pa[i].size(); ++k)
      if (std::tolower(static_cast<unsigned char>(pa[i][k])) != std::tolower(static_cast<unsigned char>(pb[i][k])))
        return false;
  }
  return true;
}

}  // namespace

FileSetCommit::FileSetCommit(std::filesystem::path projectFolder) : folder_(std::move(projectFolder)) {}

void FileSetCommit::write(std::string relative, text::Bytes content) {
  entries_.push_back({true, std::move(relative), std::move(content)});
}

void FileSetCommit::remove(std::string relative) { entries_.push_back({false, std::move(relative), {}}); }

// A removal followed by a write of the same name (in any case) is the write alone: the
// write removes every case-variant itself. Dropping it keeps a replayed commit from
// removing the file that the write already put in place.
void FileSetCommit::dropRemovalsRewrittenLater() {
  std::vector<Entry> kept;
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    bool rewritten = false;
    if (!entries_[i].isWrite)
      for (std::size_t j = i + 1; j < entries_.size() && !rewritten; ++j)
        rewritten = entries_[j].isWrite && sameName(entries_[i].relative, entries_[j].relative);
    if (!rewritten) kept.push_back(std::move(entries_[i]));
  }
  entries_ = std::move(kept);
}

void FileSetCommit::stage() {
  dropRemovalsRewrittenLater();
  fs::path staging = folder_ / kStagingFolder;
  std::error_code ec;
  fs::remove_all(staging, ec);
  fs::create_directories(staging, ec);
  if (ec) throw std::runtime_error(staging.string() + ": " + ec.message());
  try {
    std::string manifest;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
      const auto& e = entries_[i];
      std::string staged = "f" + std::to_string(i);
      if (e.isWrite) writeFileSynced(staging / staged, e.content);
      manifest += (e.isWrite ? "W\t" : "D\t") + e.relative + "\t" + staged + "\n";
    }
    writeFileSynced(staging / kManifest, manifest);
    // The staged files and the manifest are on disk before the marker says so.
    syncFolder(staging);
    writeFileAtomic(staging / kComplete, "1");
  } catch (...) {
    fs::remove_all(staging, ec);
    throw;
  }
}

void FileSetCommit::stageOnly() { stage(); }

void FileSetCommit::commit() {
  stage();
  if (!recoverPendingCommit(folder_)) throw std::runtime_error("the saved files could not be put in place");
}

bool recoverPendingCommit(const std::filesystem::path& projectFolder) {
  fs::path staging = projectFolder / kStagingFolder;
  std::error_code ec;
  if (!fs::exists(staging, ec)) return true;
  if (!fs::exists(staging / kComplete, ec)) {
    fs::remove_all(staging, ec);  // an interrupted staging: the project is unchanged
    return true;
  }
  auto manifest = readFile(staging / kManifest);
  if (!manifest) return false;
  try {
    apply(projectFolder, staging, parseManifest(*manifest));
  } catch (const std::exception&) {
    return false;
  }
  fs::remove_all(staging, ec);
  syncFolder(projectFolder);
  return true;
}

}  // namespace quillane::files
