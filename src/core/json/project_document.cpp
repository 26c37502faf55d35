#include "core/json/project_document.h"

#include <algorithm>
#include <map>
#include <memory>

#include "core/data/hidden_fields.h"
#include "core/data/load_all.h"
#include "core/data/map_context.h"
#include "core/data/save_all.h"
#include "core/data/table_walks.h"
#include "core/json/json_out.h"
#include "core/json/walk_map.h"
#include "core/json/walk_tables.h"
#include "core/map/map_body_file.h"
#include "core/map/map_files.h"
#include "core/text/read_error.h"

namespace quillane::json {

namespace {

// Adds each existing map's files to the dump.
struct DumpMaps {
  MapSource& source;
  map::MapFileContext context;
  std::vector<int> numbers;
  int mapCount;

  template <class Body>
  void withMap(int number, Body&& body) {
    int version = map::kMapFormatVersion;
    auto doc = std::make_unique<map::MapDocument>(source.read(number, context, version));
    body(*doc, version);
  }
  void files(JsonOut& io, int i) {
    if (!std::binary_search(numbers.begin(), numbers.end(), i)) return;
    withMap(i, [&](map::MapDocument& doc, int& version) {
      bool present = true;
      io.optionalObject("files", present, [&] { walkMapFiles(io, doc, version, context.splitChips); });
    });
  }
  void unlisted(JsonOut& io) {
    std::vector<int> beyond;
    for (int n : numbers)
      if (n >= mapCount) beyond.push_back(n);
    int n = static_cast<int>(beyond.size());
    io.list("unlistedMaps", n, map::kNoMap, "maps", [&](int k) {
      io.integer("number", beyond[static_cast<std::size_t>(k)], 0, map::kNoMap - 1);
      withMap(beyond[static_cast<std::size_t>(k)], [&](map::MapDocument& doc, int& version) {
        io.object("files", [&] { walkMapFiles(io, doc, version, context.splitChips); });
      });
    });
  }
};

// The tables alone, to compare a project with what its files read back as.
struct NoMaps {
  void files(JsonOut&, int) {}
  void unlisted(JsonOut&) {}
};

std::string tablesText(data::ProjectDatabase& db) {
  std::string text;
  JsonOut out(text);
  NoMaps none;
  walkProject(out, db, none);
  out.finish();
  return text;
}

std::string mapText(map::MapDocument& doc, int version, bool split) {
  std::string text;
  JsonOut out(text);
  walkMapFiles(out, doc, version, split);
  out.finish();
  return text;
}

// The place of a difference is looked for in the order the dump writes.
using OrderedJson = nlohmann::ordered_json;

std::string shortDump(const OrderedJson& v) {
  std::string s = v.dump(-1, ' ', false, OrderedJson::error_handler_t::replace);
  return s.size() > 80 ? s.substr(0, 77) + "..." : s;
}

// The first place where `b` differs from `a`: its path (below `path`) and both values.
bool firstDifference(const OrderedJson& a, const OrderedJson& b, std::string& path, std::string& was, std::string& became) {
  if (a.is_object() && b.is_object()) {
    for (auto it = a.begin(); it != a.end(); ++it) {
      std::string at = path.empty() ? it.key() : path + "." + it.key();
      auto other = b.find(it.key());
      if (other == b.end()) {
        path = at, was = shortDump(it.value()), became = "nothing";
        return true;
      }
      if (firstDifference(it.value(), *other, at, was, became)) {
        path = at;
        return true;
      }
    }
    return false;
  }
  if (a.is_array() && b.is_array()) {
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
      std::string at = path + "[" + std::to_string(i) + "]";
      if (firstDifference(a[i], b[i], at, was, became)) {
        path = at;
        return true;
      }
    }
    if (a.size() == b.size()) return false;
    was = std::to_string(a.size()) + " entries", became = std::to_string(b.size()) + " entries";
    return true;
  }
  if (a == b) return false;
  was = shortDump(a), became = shortDump(b);
  return true;
}

[[noreturn]] void refuseDifference(const std::string& written, const std::string& readBack, const std::string& prefix,
                                   int version) {
  std::string path, was = "?", became = "?";
  firstDifference(OrderedJson::parse(written), OrderedJson::parse(readBack), path, was, became);
  if (!prefix.empty()) path = path.empty() ? prefix : prefix + "." + path;
  std::string format = version == map::kMapFormatVersion ? "" : " of format version " + std::to_string(version);
  throw DocumentError(path, "the files" + format + " cannot hold " + was + " as it stands: they read back " + became);
}

// Makes each map's files as its record is read, and checks they read back the same.
struct RestoreMaps {
  data::ProjectDatabase& db;
  data::RandomSource& random;
  ProjectFiles& out;

  void make(JsonIn& io, int number) {
    auto doc = std::make_unique<map::MapDocument>();
    int version = map::kMapFormatVersion;
    const map::MapFileContext context = restoreContext(db);
    walkMapFiles(io, *doc, version, context.splitChips);
    std::vector<files::NamedFile> made = map::writeMapFiles(*doc, number, context, random, version);
    std::unique_ptr<map::MapDocument> back;
    int versionBack = 0;
    try {
      back = std::make_unique<map::MapDocument>(
          map::readMapFromBytes(made[0].content, made[1].content, made[2].content, context, number, &versionBack));
    } catch (const text::ReadError& e) {
      io.fail("the files made from it cannot be read back: " + text::toUtf8(data::describe(e)));
    }
    const std::string written = mapText(*doc, version, context.splitChips);
    const std::string readBack = mapText(*back, versionBack, context.splitChips);
    if (written != readBack) refuseDifference(written, readBack, io.path(), version);
    out.maps.emplace_back(number, std::move(made));
  }
  void files(JsonIn& io, int i) {
    bool present = false;
    io.optionalObject("files", present, [&] { make(io, i); });
  }
  void unlisted(JsonIn& io) {
    int n = 0, previous = db.max.maps - 1;
    io.list("unlistedMaps", n, map::kNoMap, "maps", [&](int) {
      int number = 0;
      io.integer("number", number, db.max.maps, map::kNoMap - 1);
      if (number <= previous) io.fail("map numbers in ascending order, each once, expected", "number");
      previous = number;
      io.object("files", [&] { make(io, number); });
    });
  }
};

// The files just made, for loading them back.
class MadeTables : public data::FileSource {
 public:
  explicit MadeTables(const std::vector<files::NamedFile>& made) {
    for (const auto& f : made) files_[text::upperAscii(f.relative)] = &f.content;
  }
  std::string read(const std::string& relative) override {
    auto it = files_.find(text::upperAscii(relative));
    if (it == files_.end()) throw text::ReadError(relative, 0, "the file", "nothing");
    return *it->second;
  }

 private:
  std::map<std::string, const text::Bytes*> files_;
};

}  // namespace

map::MapFileContext restoreContext(const data::ProjectDatabase& db) {
  map::MapFileContext context = data::mapContext(db);
  context.eventsPerMap = event::kMaxEventNumber;
  context.messageCount = event::kScriptLines - 1;
  return context;
}

std::string dumpProject(data::ProjectDatabase& db, MapSource& maps) {
  std::string text;
  JsonOut out(text);
  DumpMaps hook{maps, data::mapContext(db), maps.numbers(), db.max.maps};
  walkProject(out, db, hook);
  out.finish();
  return text;
}

ProjectFiles projectFiles(std::string_view document, const text::Bytes& editingPassword,
                          data::RandomSource& random) {
  Json root;
  try {
    root = Json::parse(document);
  } catch (const Json::exception& e) {
    throw DocumentError("", std::string("not valid JSON: ") + e.what());
  }
  if (!root.is_object() || !root.contains("quillaneProject"))
    throw DocumentError("", "not the JSON form of a Quillane project (it has no \"quillaneProject\" key)");

  ProjectFiles out;
  auto db = std::make_unique<data::ProjectDatabase>();
  JsonIn in(root);
  RestoreMaps maps{*db, random, out};
  walkProject(in, *db, maps);
  in.finish();

  db->hidden.editingPassword = editingPassword;
  const int version = db->formatVersion;
  const std::string written = tablesText(*db);  // before an old layout sets its defaults
  std::vector<files::NamedFile> made = data::serializeTables(*db, random, version);

  MadeTables source(made);
  auto back = std::make_unique<data::ProjectDatabase>();
  try {
    data::loadAllFrom(source, data::formatVersionOf(source.read("DAT\\bzenINI.DAT")), *back, random);
  } catch (const text::ReadError& e) {
    throw DocumentError("", "the files made from it cannot be read back: " + text::toUtf8(data::describe(e)));
  }
  const std::string readBack = tablesText(*back);
  if (written != readBack) refuseDifference(written, readBack, "", version);
  if (!data::checkSumsMatch(back->hidden) || !data::passwordMatches(back->hidden, editingPassword))
    throw DocumentError("hidden", "the hidden fields made from it do not read back");

  const auto& order = data::saveOrder();
  for (std::size_t i = 0; i < made.size(); ++i) out.tables.push_back({order[i]->deleteName, std::move(made[i])});
  return out;
}

}  // namespace quillane::json
