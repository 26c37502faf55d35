#include "core/map/map_files.h"

#include "core/map/map_body_file.h"
#include "core/map/map_event_file.h"
#include "core/map/map_file_names.h"
#include "core/map/map_flag_file.h"
#include "core/text/project_files.h"
#include "core/text/read_error.h"

namespace quillane::map {
namespace {

text::Bytes readOrFail(const std::filesystem::path& folder, const std::string& relative) {
  std::optional<text::Bytes> bytes = files::readProjectFile(folder, relative);
  if (!bytes) throw text::ReadError(relative, 0, "a readable file", "no such file or unreadable");
  return std::move(*bytes);
}

}  // namespace

bool mapExists(const std::filesystem::path& projectFolder, int number) {
  return !files::caseVariants(projectFolder, mapBodyFileName(number)).empty();
}

MapDocument readMapFromBytes(std::string_view body, std::string_view events, std::string_view flags,
                             const MapFileContext& context, int number, int* versionOut) {
  MapDocument map;
  int version = readMapBody(body, mapBodyFileName(number), context, map);
  if (versionOut) *versionOut = version;
  readMapEventFile(events, mapEventFileName(number), context, version, map);
  map.flags = readMapFlagFile(flags, mapFlagFileName(number), context, version);
  map.modified = false;
  return map;
}

MapDocument readMap(const std::filesystem::path& projectFolder, int number,
                    const MapFileContext& context) {
  text::Bytes body = readOrFail(projectFolder, mapBodyFileName(number));
  text::Bytes events = readOrFail(projectFolder, mapEventFileName(number));
  text::Bytes flags = readOrFail(projectFolder, mapFlagFileName(number));
  return readMapFromBytes(body, events, flags, context, number);
}

event::MapEvents readOtherMapEvents(const std::filesystem::path& projectFolder, int number,
                                    const MapFileContext& context) noexcept {
  try {
    std::optional<text::Bytes> bytes = files::readProjectFile(projectFolder, mapEventFileName(number));
    if (bytes) return readEventList(*bytes, mapEventFileName(number), context);
  } catch (const std::exception&) {
  }
  return event::MapEvents{};
}

std::vector<files::NamedFile> writeMapFiles(const MapDocument& map, int number,
                                            const MapFileContext& context,
                                            data::RandomSource& random, int version) {
  std::vector<files::NamedFile> out;
  out.push_back({mapBodyFileName(number), writeMapBody(map, context, random, version)});
  out.push_back({mapEventFileName(number), writeMapEventFile(map, context, random, version)});
  out.push_back({mapFlagFileName(number), writeMapFlagFile(map.flags, context, random, version)});
  return out;
}

}  // namespace quillane::map
