// quillane-tool dump and restore: the whole project as one JSON document, and back.
#include <cstdio>
#include <memory>

#include "cli/project_commands.h"
#include "core/data/hidden_fields.h"
#include "core/data/load_all.h"
#include "core/json/project_folder.h"
#include "core/text/project_files.h"
#include "core/text/read_error.h"

namespace quillane::cli {

namespace {

// A document far beyond the largest project is no project.
constexpr std::size_t kMaxDocumentBytes = 1024u * 1024u * 1024u;

std::optional<std::string> readDocument(const std::string& name) {
  std::string text;
  FILE* in = name == "-" ? stdin : std::fopen(name.c_str(), "rb");
  if (!in) return std::nullopt;
  char buf[1 << 16];
  std::size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, in)) > 0 && text.size() <= kMaxDocumentBytes) text.append(buf, n);
  const bool failed = std::ferror(in) != 0 || text.size() > kMaxDocumentBytes;
  if (in != stdin) std::fclose(in);
  if (failed) return std::nullopt;
  return text;
}

}  // namespace

int runDump(const Options& options) {
  Options o = options;
  o.problemsToStderr = true;
  auto db = std::make_unique<data::ProjectDatabase>();
  data::RandomSource random;
  bool registered = false;
  if (!loadLikeEditor(o, *db, random, registered)) return 1;
  json::FolderMaps maps(o.folder);
  std::string document;
  try {
    document = json::dumpProject(*db, maps);
  } catch (const text::ReadError& e) {
    std::fprintf(stderr, "%s\n", text::toUtf8(data::describe(e)).c_str());
    return 1;
  }
  if (std::fwrite(document.data(), 1, document.size(), stdout) != document.size() || std::fflush(stdout) != 0) {
    std::fprintf(stderr, "the document could not be written to standard output\n");
    return 1;
  }
  return 0;
}

int runRestore(const Options& options) {
  Options o = options;
  o.problemsToStderr = true;
  auto password = passwordBytes(o);
  if (!password) return 1;
  if (password->empty()) {
    std::fprintf(stderr, "password: a restored project needs an editing password (--password P)\n");
    return 1;
  }
  const bool existing = json::holdsProject(o.folder);
  if (existing && !o.force) {
    std::fprintf(stderr, "%s: already holds a project; nothing written (--force writes over it)\n",
                 o.folder.c_str());
    return 1;
  }
  if (existing) {
    // A project guarded by another editing password is not overwritten.
    data::ProjectDatabase current;
    data::RandomSource probe;
    try {
      data::loadAll(o.folder, current, probe);
      const bool guarded = !text::trimRight(current.hidden.editingPassword).empty();
      if (guarded && !data::passwordMatches(current.hidden, *password)) {
        std::fprintf(stderr, "%s: the project there has another editing password; nothing written\n",
                     o.folder.c_str());
        return 1;
      }
    } catch (const text::ReadError&) {
      // A project that cannot be read any more is replaced (its files go to DATBK).
    }
  }
  auto document = readDocument(o.input);
  if (!document) {
    std::fprintf(stderr, "%s: cannot be read\n", o.input.c_str());
    return 1;
  }
  data::RandomSource random;
  json::ProjectFiles files;
  try {
    files = json::projectFiles(*document, *password, random);
  } catch (const json::DocumentError& e) {
    std::fprintf(stderr, "%s: %s; nothing written\n", o.input.c_str(), e.what());
    return 1;
  }
  document->clear();
  document->shrink_to_fit();
  data::BackupState backup;
  if (auto problem = json::writeProject(o.folder, files, backup)) {
    std::fprintf(stderr, "restore failed: %s\n", problem->c_str());
    return 1;
  }
  std::printf("OK: %zu tables and %zu maps written to %s\n", files.tables.size(), files.maps.size(),
              o.folder.c_str());
  return 0;
}

}  // namespace quillane::cli
