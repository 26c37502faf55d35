#pragma once
// The whole project as one UTF-8 JSON document and back: every table, every map's
// files (with their events, scripts, flag tables and objects) and the values of the
// hidden fields that are no encoding (the game password, the six file keys, the kept
// numbers of the ending file). The editing password is not part of it: a restore is
// given the password of the project it writes.
//
// A restore refuses a document that the project files cannot hold (DocumentError
// naming the key), and checks the files it made by loading them again: what does not
// read back as the document says is refused too, so the files it hands out load to
// exactly the document's tables (only fillers and the encodings of hidden values vary).
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/data/project_database.h"
#include "core/data/random_source.h"
#include "core/json/json_in.h"
#include "core/map/map_document.h"
#include "core/map/map_file_context.h"
#include "core/text/file_set_commit.h"

namespace quillane::json {

// Where a dump finds the files of the maps.
class MapSource {
 public:
  virtual ~MapSource() = default;
  // Numbers of the maps that exist, ascending (0..998).
  virtual std::vector<int> numbers() = 0;
  // Reads one map; `version` receives its format version. Throws text::ReadError.
  virtual map::MapDocument read(int number, const map::MapFileContext& context, int& version) = 0;
};

// The document of a loaded project and its maps (each read when its turn comes).
// Throws text::ReadError when a map cannot be read.
std::string dumpProject(data::ProjectDatabase& db, MapSource& maps);

// The files a restore writes, in the order a save writes them.
struct ProjectFiles {
  struct Table {
    std::string deleteName;  // the name a save removes first
    files::NamedFile file;
  };
  std::vector<Table> tables;
  std::vector<std::pair<int, std::vector<files::NamedFile>>> maps;  // number, its three files
};

// Parses the document, checks it against the limits of the files, makes the files with
// `editingPassword` as the editing password and verifies that they read back to the
// document. Throws DocumentError (bad JSON included: its path is empty).
ProjectFiles projectFiles(std::string_view document, const text::Bytes& editingPassword,
                          data::RandomSource& random);

// The context a map of `db` is written and read with: every event and script line the
// document holds is written (none is cut at the current maxima).
map::MapFileContext restoreContext(const data::ProjectDatabase& db);

}  // namespace quillane::json
