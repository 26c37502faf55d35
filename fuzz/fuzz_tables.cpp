// Fuzz target: LoadAll with one table file replaced by the input. The first byte
// chooses the table (in LoadAll's order); the other twelve are a blank project's.
// A load that succeeds is saved again in memory, as the editor would.
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>

#include "core/data/blank_project.h"
#include "core/data/load_all.h"
#include "core/data/save_all.h"
#include "core/data/table_walks.h"

namespace {

using namespace quillane;

std::string upper(std::string s) {
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return s;
}

struct Files : data::FileSource {
  std::map<std::string, std::string> files;
  std::string read(const std::string& relative) override {
    auto it = files.find(upper(relative));
    if (it == files.end()) throw text::ReadError(relative, 0, "the file", "nothing");
    return it->second;
  }
};

const Files& blankFiles() {
  static const Files blank = [] {
    Files f;
    data::RandomSource random(1);
    data::ProjectDatabase db = data::blankDatabase();
    for (auto& file : data::serializeTables(db, random)) f.files[upper(file.relative)] = file.content;
    return f;
  }();
  return blank;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const auto& order = data::loadOrder();
  const data::TableFile* table = order[data[0] % order.size()];
  Files files = blankFiles();
  files.files[upper(table->readName)] = std::string(reinterpret_cast<const char*>(data + 1), size - 1);
  data::ProjectDatabase db;
  data::RandomSource random(2);
  try {
    data::loadAllFrom(files, data::formatVersionOf(files.read("DAT\\bzenINI.DAT")), db, random);
  } catch (const text::ReadError&) {
    return 0;
  }
  try {
    data::serializeTables(db, random);
  } catch (const data::UnwritableText&) {
  }
  return 0;
}
