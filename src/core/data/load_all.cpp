#include "core/data/load_all.h"

#include <cmath>

#include "core/data/table_walks.h"
#include "core/text/file_set_commit.h"
#include "core/text/project_files.h"

namespace quillane::data {

namespace {

constexpr const char* kIniName = "DAT\\bzenINI.DAT";

class FolderSource : public FileSource {
 public:
  explicit FolderSource(std::filesystem::path folder) : folder_(std::move(folder)) {}
  std::string read(const std::string& relative) override {
    auto bytes = files::readProjectFile(folder_, relative);
    if (!bytes) throw text::ReadError(relative, 0, "the file", "no readable file of at most 64 MB");
    return std::move(*bytes);
  }

 private:
  std::filesystem::path folder_;
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
  try {
    text::ItemReader in(iniBytes, kIniName);
    for (int i = 0; i < 7; ++i) in.number();
    in.text();
    for (int i = 0; i < 8; ++i) in.number();
    double v = in.number();
    if (v == std::floor(v) && v >= 0 && v <= 100000) return {static_cast<int>(v), true};
  } catch (const text::ReadError&) {
  }
  return {};
}

VersionInfo readFormatVersion(const std::filesystem::path& folder) {
  auto bytes = files::readProjectFile(folder, kIniName);
  if (!bytes) return {};
  return formatVersionOf(*bytes);
}

void loadAllFrom(FileSource& files, const VersionInfo& version, ProjectDatabase& db, RandomSource& random,
                 const Registration* registration) {
  ProjectDatabase fresh;
  fresh.formatVersion = version.version;
  for (const TableFile* table : loadOrder()) {
    std::string bytes = files.read(table->readName);
    FieldReader reader(bytes, table->readName, version.version, fresh.hidden);
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
  files::recoverPendingCommit(folder);
  FolderSource source(folder);
  loadAllFrom(source, readFormatVersion(folder), db, random, registration);
}

void loadAllReadOnly(const std::filesystem::path& folder, ProjectDatabase& db, RandomSource& random) {
  FolderSource source(folder);
  loadAllFrom(source, readFormatVersion(folder), db, random, nullptr);
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
