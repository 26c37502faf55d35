// Fuzz target: the three map file readers. The first byte chooses the file (body,
// events, flags) and the map-chip form; the rest is the file.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "core/map/map_body_file.h"
#include "core/map/map_document.h"
#include "core/map/map_event_file.h"
#include "core/map/map_flag_file.h"
#include "core/text/read_error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quillane;
  if (size < 1) return 0;
  map::MapFileContext context;
  context.keys = {49, 33, 47, 34, 18, 53};  // the keys of the sample project the seeds come from
  context.splitChips = (data[0] & 4) != 0;
  const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
  auto doc = std::make_unique<map::MapDocument>();
  try {
    switch (data[0] % 4) {
      case 0:
        map::readMapBody(bytes, "DAT\\BZENM000.DAT", context, *doc);
        break;
      case 1:
        map::readMapEventFile(bytes, "DAT\\BZENT000.DAT", context, (data[0] & 8) ? 230 : 340, *doc);
        break;
      case 2:
        map::readMapFlagFile(bytes, "DAT\\BZENE000.dat", context, (data[0] & 8) ? 200 : 340);
        break;
      default:
        map::readEventList(bytes, "DAT\\BZENT000.DAT", context);
        break;
    }
  } catch (const text::ReadError&) {
  }
  return 0;
}
