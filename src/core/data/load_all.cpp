#include "core/data/load_all.h"

#include <cmath>

#include "core/data/save_all.h"
#include "core/data/table_walks.h"
#include "core/text/file_set_commit.h"
#include "core/text/project_files.h"
#include "core/text/read_buffer.h"

namespace quillane::data {

namespace {

constexpr const char* kIniName = "DAT\\bzenINI.DAT";

// The folder's files as they will be once a pending save is settled.
class FolderSource : public FileSource {
 public:
  explicit FolderSource(const std::filesystem::path& folder) : pending_(pendingSave(folder)), reader_(folder) {}
  std::string read(const std::string& relative) override { return std::string(view(relative)); }
  std::string_view view(const std::string& relative) override {
    // The settings table is asked for twice in a row (its version first).
    if (relative == held_) return buffer_.view();
    held_.clear();
    auto where = pending_.locate(relative);
    bool ok = false;
    if (where.source == files::PendingCommit::Source::File)
      ok = buffer_.readFile(where.path, files::kMaxFileBytes);
    else if (where.source == files::PendingCommit::Source::Folder)
      ok = reader_.read(relative, buffer_);
    if (!ok) throw text::ReadError(relative, 0, "the file", "no readable file of at most 64 MB");
    held_ = relative;
    return buffer_.view();
  }

 private:
  files::PendingCommit pending_;
  files::FolderReader reader_;
  files::ReadBuffer buffer_;  // every file of a load, one after another
  std::string held_;          // the file the buffer holds
};

// A hidden password decoded; sums that are no character code fail the load (`which` names it).
Bytes decodeOrFail(const std::array<HiddenFields::Triple, 12>& triples, const char* which) {
  auto text = decodeHiddenText(triples);
  if (!text) throw text::ReadError("DAT", 0, std::string(which) + " password of character codes 1..65535",
                                   "a sum of hidden numbers that is no character code");
  return *text;
}

}  // namespace

VersionInfo formatVersionOf(std::string_view iniBytes) {
  text::ItemReader in(iniBytes, kIniName);
  // Only a file that ends before the version field is an old one.
  for (int i = 0; i < 16; ++i) {
    if (in.atEnd()) return {};
    if (i == 7) in.text(); else in.number();
  }
  if (in.atEnd()) return {};
  return {in.formatVersion(), true};
}

void loadAllFrom(FileSource& files, const VersionInfo& version, ProjectDatabase& db, RandomSource& random,
                 const Registration* registration) {
  ProjectDatabase fresh;
  fresh.formatVersion = version.version;
  for (const TableFile* table : loadOrder()) {
    FieldReader reader(files.view(table->readName), table->readName, version.version, fresh.hidden);
    table->read(reader, fresh);
  }
  HiddenFields& h = fresh.hidden;
  h.gamePassword = decodeOrFail(h.gameTriples, "the game");
  h.editingPassword = decodeOrFail(h.editingTriples, "the editing");
  for (int n = 0; n < 6; ++n) h.keys[n] = h.keyParts[n][0] + h.keyParts[n][1];
  if (registration) installRegistration(h, *registration);
  encodeHidden(h, random);
  db = std::move(fresh);
}

void loadAll(const std::filesystem::path& folder, ProjectDatabase& db, RandomSource& random,
             const Registration* registration) {
  FolderSource source(folder);
  loadAllFrom(source, formatVersionOf(source.view(kIniName)), db, random, registration);
}

files::PendingCommit pendingSave(const std::filesystem::path& folder) {
  return files::PendingCommit::inspect(folder, &isProjectFileName);
}

SettleReport settleInterruptedWrites(const std::filesystem::path& folder) {
  SettleReport report;
  std::string reason;
  switch (pendingSave(folder).settle(&reason)) {
    case files::Settled::RolledBack:
      report.reloadNeeded = true;
      break;
    case files::Settled::Refused:
      report.refused = reason;
      break;
    case files::Settled::Failed:
      report.failure = reason;
      report.reloadNeeded = true;
      return report;
    default:
      break;
  }
  if (auto why = finishInterruptedBackup(folder)) report.failure = *why;
  return report;
}

Bytes fileOpenErrorText() { return text::sj("Quillaneのファイルでないか、ファイルが壊れています"); }
Bytes fileOpenErrorTitle() { return text::sj("ファイルオープンエラー"); }

std::string describe(const text::ReadError& e) {
  std::string out = e.file();
  if (e.item() > 0) out += ", item " + std::to_string(e.item());
  out += ": expected " + e.expected() + ", found " + e.found();
  return out;
}

}  // namespace quillane::data
